// Pixels of float test images whose rows need not lie at multiples of 4 bytes (steps that are
// not multiples of 4), reached through bytes instead of typed references.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "support/test_image.h"

namespace ryn::test {

inline void SetPixel(TestImage<float>& image, int x, int y, float value) {
  auto* row = reinterpret_cast<uint8_t*>(image.data()) + static_cast<ptrdiff_t>(y) * image.step();
  std::memcpy(row + static_cast<size_t>(x) * sizeof(float), &value, sizeof(float));
}

// The region's pixels as bit patterns, row by row.
inline std::vector<uint32_t> RegionBits(const TestImage<float>& image) {
  const std::vector<uint8_t> bytes = image.RegionBytes();
  std::vector<uint32_t> bits(bytes.size() / sizeof(uint32_t));
  std::memcpy(bits.data(), bytes.data(), bytes.size());
  return bits;
}

}  // namespace ryn::test
