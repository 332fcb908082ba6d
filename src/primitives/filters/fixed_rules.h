// The fixed 8-bit filters (3x3 and 5x5 Gaussians, high-pass) pixel by pixel: the rules that the
// generic code and the processor builds' scalar tails share. rows[j] is source row y - k/2 + j,
// indexed by source column.
#pragma once

#include <bit>
#include <cstdint>

#include "primitives/filters/kernel_rules.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters {

// 3 for code 33, 5 for code 55, 0 for any other code.
constexpr int MaskSizeOfCode(int maskCode) { return maskCode == 33 ? 3 : maskCode == 55 ? 5 : 0; }

// The row kernels' scratch: three rows of width + 4 16-bit values, this many values apart (whole
// 64-byte lines, so that the three rows share their alignment against any vector size).
inline int64_t FixedScratchStride(int width) { return (int64_t{width} + 4 + 31) / 32 * 32; }

// 1/571 in single precision.
inline const float kInverse571 = std::bit_cast<float>(0x3AE58C54u);

inline constexpr int kGauss5Weights[5][5] = {
    {2, 7, 12, 7, 2}, {7, 31, 52, 31, 7}, {12, 52, 127, 52, 12}, {7, 31, 52, 31, 7}, {2, 7, 12, 7, 2}};

// S / 16 rounded to nearest, ties to even.
inline uint8_t Gauss3Rounded(int sum) { return static_cast<uint8_t>((sum + 7 + ((sum >> 4) & 1)) >> 4); }

inline uint8_t Gauss3Pixel(const uint8_t* const* rows, int x) {
  constexpr int kWeights[3] = {1, 2, 1};
  int sum = 0;
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) sum += kWeights[j] * kWeights[i] * rows[j][x + i - 1];
  return Gauss3Rounded(sum);
}

inline uint8_t Gauss5Pixel(const uint8_t* const* rows, int x) {
  int sum = 0;
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 5; ++i) sum += kGauss5Weights[j][i] * rows[j][x + i - 2];
  return ScaledToPixel(static_cast<float>(sum) * kInverse571);
}

// (k * k) * centre - (sum of the k x k window), saturated.
template <int kSize>
inline uint8_t HipassPixel(const uint8_t* const* rows, int x) {
  constexpr int kRadius = kSize / 2;
  int sum = 0;
  for (int j = 0; j < kSize; ++j)
    for (int i = -kRadius; i <= kRadius; ++i) sum += rows[j][x + i];
  return SaturateToPixel(kSize * kSize * rows[kRadius][x] - sum);
}

}  // namespace ryn::filters
