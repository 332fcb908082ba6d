// The 8-bit arithmetic's exact results and the scale-factor rule that turns them into bytes,
// shared by the generic code and the scalar ends of every processor build.
#pragma once

#include <cstdint>

namespace ryn::arith {

// Above these scale factors every result is 0: the largest exact results are 510 for sums, 255 for
// differences and 65025 for products.
constexpr int kLastSumScale = 9;
constexpr int kLastDifferenceScale = 8;
constexpr int kLastProductScale = 16;
// From this scale factor down every non-zero result saturates to 255, so any smaller scale factor
// gives the same bytes.
constexpr int kSaturatingScale = -8;

inline int ClampedScale(int scale) { return scale < kSaturatingScale ? kSaturatingScale : scale; }

inline uint32_t ExactSum(uint8_t a, uint8_t b) { return uint32_t{a} + b; }
inline uint32_t ExactDifference(uint8_t minuend, uint8_t subtrahend) {
  return minuend > subtrahend ? uint32_t{minuend} - subtrahend : 0;
}
inline uint32_t ExactProduct(uint8_t a, uint8_t b) { return uint32_t{a} * b; }

// exact x 2^-scale, rounded to nearest with ties to even, saturated to 0..255, for exact results
// up to 65025 and scale factors from kSaturatingScale to kLastProductScale + 1.
inline uint8_t ScaleToByte(uint32_t exact, int scale) {
  uint32_t scaled;
  if (scale > 0) {
    scaled = (exact + (1u << (scale - 1)) - 1 + ((exact >> scale) & 1)) >> scale;
  } else {
    scaled = exact << -scale;
  }
  return scaled > 255 ? 255 : static_cast<uint8_t>(scaled);
}

}  // namespace ryn::arith
