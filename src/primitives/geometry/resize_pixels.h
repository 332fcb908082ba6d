// One destination pixel of each resize row kernel: the generic kernels are loops over these, and
// the processor builds call them where a vector would read outside the source region.
#pragma once

#include <cstddef>
#include <cstdint>

#include "primitives/geometry/interpolation.h"
#include "primitives/geometry/resize_plan.h"

namespace ryn::geometry {

inline uint8_t LinearPixel(const uint8_t* row, int start, int weight, int first, int last) {
  return static_cast<uint8_t>(LinearStep(row[Clamp(start, first, last)], row[Clamp(start + 1, first, last)], weight));
}

// Taps start .. start + taps - 1 with the weights weights[0], weights[stride], ...
inline float TapPixel(const uint8_t* row, int start, const float* weights, size_t stride, int taps, int first,
                      int last) {
  float sum = 0.0f;
  for (int t = 0; t < taps; ++t) sum += weights[t * stride] * static_cast<float>(row[Clamp(start + t, first, last)]);
  return sum;
}

inline uint8_t AreaPixel(const float* sums, int origin, const AreaSpans& spans, int i, float scale) {
  const float* span = sums + (spans.starts[i] - origin);
  const int n = spans.counts[i];
  float sum = spans.firstWeights[i] * span[0];
  for (int k = 1; k < n - 1; ++k) sum += span[k];
  if (n > 1) sum += spans.lastWeights[i] * span[n - 1];
  return RoundToByte(sum * scale);
}

}  // namespace ryn::geometry
