// Block means as integers. A block's value is its region mean (the sum divided by the number of
// samples, as a double) truncated toward zero. For the sums of bytes that blocks produce, that is
// exactly the integer quotient sum / count:
//
//   Let sum = q * count + r with 0 <= r < count, so q <= 255 and sum / count < q + 1. Any block
//   that fits in memory has count < 2^45 (32 TiB), so sum < 2^53 and count are exact doubles and
//   the double quotient is the exact quotient correctly rounded. Both q and q + 1 are doubles and
//   rounding is monotonic, so the double quotient lies in [q, q + 1]. It could only reach q + 1 if
//   the exact quotient were within half an ulp of q + 1 <= 256, that is within 2^-46. But when
//   r > 0 the exact quotient is at most q + 1 - 1 / count, and 1 / count > 2^-45. Truncating the
//   double quotient therefore gives q.
//
// Dividing every block by a 64-bit division is slow next to the rest of a block's work, so the
// processor builds divide by multiplying with a rounded-up reciprocal, exact for these sums:
//
//   Take k = 8 + 2 * ceil(log2 count) and m = ceil(2^k / count) = (2^k + e) / count, 0 <= e < count.
//   Then sum * m / 2^k = sum / count + sum * e / (count * 2^k), and sum * e < 255 * count^2 < 2^k,
//   so the added term is below 1 / count, while sum / count lies at least (count - r) / count
//   >= 1 / count below the next integer: floor(sum * m / 2^k) = q. The product sum * m stays
//   below 2^64 while count < 2^23; larger counts divide directly.
#pragma once

#include <bit>
#include <cstdint>

namespace ryn::effects {

// The truncated mean of `count` bytes that add up to `sum`.
inline uint8_t TruncatedMean(uint64_t sum, uint64_t count) { return static_cast<uint8_t>(sum / count); }

class TruncatingDivider {
 public:
  static constexpr uint64_t kLargestMultipliedCount = (uint64_t{1} << 23) - 1;

  // `count` >= 1.
  explicit TruncatingDivider(uint64_t count) : count_(count) {
    if (count > kLargestMultipliedCount) return;
    const int log2Ceiling = static_cast<int>(std::bit_width(count - 1));
    shift_ = 8 + 2 * log2Ceiling;
    const uint64_t power = uint64_t{1} << shift_;
    multiplier_ = power / count + (power % count != 0 ? 1 : 0);
  }

  // The truncated mean of `count` bytes adding up to `sum` (sum <= 255 * count).
  uint8_t Mean(uint64_t sum) const {
    if (multiplier_ == 0) return TruncatedMean(sum, count_);
    return static_cast<uint8_t>((sum * multiplier_) >> shift_);
  }

 private:
  uint64_t count_;
  uint64_t multiplier_ = 0;
  int shift_ = 0;
};

}  // namespace ryn::effects
