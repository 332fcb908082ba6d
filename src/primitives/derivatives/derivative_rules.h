// Per-pixel rules of the derivative filters and of Canny, shared by the generic code and the
// processor builds' scalar ends.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "frame/unaligned.h"

namespace ryn::derivatives {

// The non-zero weights of one direction of a separable pass, with their offsets in the window.
template <class Weight>
struct Taps {
  int count;
  int offsets[5];
  Weight weights[5];
};

// Sums start from the first term (not from 0), so that a sum of one term is that term's bits.
inline float WeightedSum(const float* const* terms, const float* weights, int count, size_t x) {
  float sum = weights[0] * LoadUnaligned(terms[0] + x);
  for (int t = 1; t < count; ++t) sum = sum + weights[t] * LoadUnaligned(terms[t] + x);
  return sum;
}

// Sums of the 8u-to-16s filters stay within +-24480, so 16-bit arithmetic is exact.
inline int WeightedSum(const int16_t* const* terms, const int16_t* weights, int count, size_t x) {
  int sum = 0;
  for (int t = 0; t < count; ++t) sum += weights[t] * terms[t][x];
  return sum;
}

inline int16_t SaturateTo16s(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

// Canny map values.
constexpr uint8_t kCannyCandidate = 1;
constexpr uint8_t kCannyEdge = 2;

// Direction thresholds: tan(67.5 degrees) and tan(22.5 degrees).
constexpr float kSteepSlope = 2.414213562373095f;
constexpr float kFlatSlope = 0.41421356237309503f;

// The L1 magnitude, 0 when not above the low bound.
inline int32_t CannyMagnitude(int16_t gx, int16_t gy, int32_t lowBound) {
  const int32_t magnitude = std::abs(int32_t{gx}) + std::abs(int32_t{gy});
  return magnitude > lowBound ? magnitude : 0;
}

// 0, kCannyCandidate, or kCannyEdge for a strong candidate, of the pixel whose magnitude is
// row[0] (`above` and `below` at the same column).
inline uint8_t CannyClass(const int32_t* above, const int32_t* row, const int32_t* below, int16_t gx, int16_t gy,
                          float high) {
  const int32_t m = row[0];
  if (m <= 0) return 0;
  const float a = static_cast<float>(std::abs(int32_t{gy}));
  const float b = static_cast<float>(std::abs(int32_t{gx}));
  int32_t first, second;
  bool strictSecond = false;
  if (a > kSteepSlope * b) {
    first = above[0];
    second = below[0];
  } else if (kFlatSlope * b > a) {
    first = row[-1];
    second = row[1];
  } else if ((gx >= 0) == (gy >= 0)) {
    first = above[-1];
    second = below[1];
    strictSecond = true;
  } else {
    first = above[1];
    second = below[-1];
    strictSecond = true;
  }
  const bool candidate = m > first && (strictSecond ? m > second : m >= second);
  if (!candidate) return 0;
  return static_cast<float>(m) > high ? kCannyEdge : kCannyCandidate;
}

}  // namespace ryn::derivatives
