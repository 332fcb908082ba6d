// Block means by reciprocal multiplication: equal to the truncated double quotient that the
// region mean gives, for every sum a block of bytes can have.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "effects/pixelation/truncating_divider.h"

namespace ryn::effects {
namespace {

uint8_t TruncatedDoubleMean(uint64_t sum, uint64_t count) {
  return static_cast<uint8_t>(static_cast<double>(sum) / static_cast<double>(count));
}

TEST(PixelationMeans, EverySumOfSmallBlocks) {
  for (uint64_t count = 1; count <= 512; ++count) {
    const TruncatingDivider divider(count);
    for (uint64_t sum = 0; sum <= 255 * count; ++sum) {
      const uint8_t expected = TruncatedDoubleMean(sum, count);
      ASSERT_EQ(TruncatedMean(sum, count), expected) << sum << " / " << count;
      ASSERT_EQ(divider.Mean(sum), expected) << sum << " / " << count;
    }
  }
}

// Where a quotient could go wrong: each integer quotient q, exactly and one short of the next.
TEST(PixelationMeans, QuotientBoundariesOfLargeBlocks) {
  std::mt19937_64 rng(5);
  std::vector<uint64_t> counts = {TruncatingDivider::kLargestMultipliedCount,
                                  TruncatingDivider::kLargestMultipliedCount + 1,
                                  uint64_t{1} << 22, (uint64_t{1} << 22) + 1, 1024 * 1024, 1080 * 1920,
                                  uint64_t{1} << 40, (uint64_t{1} << 44) - 3};
  for (int i = 0; i < 2000; ++i) counts.push_back(1 + rng() % (uint64_t{1} << (1 + i % 24)));
  for (const uint64_t count : counts) {
    const TruncatingDivider divider(count);
    for (uint64_t q = 0; q <= 255; ++q) {
      for (const uint64_t sum : {q * count, q * count + count - 1, q * count + count / 2}) {
        if (sum > 255 * count) continue;
        ASSERT_EQ(TruncatedDoubleMean(sum, count), q) << sum << " / " << count;
        ASSERT_EQ(divider.Mean(sum), q) << sum << " / " << count;
      }
    }
  }
}

}  // namespace
}  // namespace ryn::effects
