// The float filters' one row operation: a weighted sum of several input rows, accumulated in a
// fixed order, so that every build gives the same bits.
#pragma once

#include <cstddef>

#include "frame/dispatch_legacy.h"

namespace ryn::filters {

// out[c] = ((weights[0] * inputs[0][c] + weights[1] * inputs[1][c]) + ...) + weights[count - 1] *
// inputs[count - 1][c], for c < n. count >= 1.
using WeightedSumFn = void (*)(const float* const* inputs, const float* weights, int count, float* out, size_t n);

inline float WeightedSumAt(const float* const* inputs, const float* weights, int count, size_t c) {
  float sum = weights[0] * inputs[0][c];
  for (int t = 1; t < count; ++t) sum = sum + weights[t] * inputs[t][c];
  return sum;
}

// For symmetric weights (count = 2r + 1): out[c] = weights[r] * inputs[r][c], then for t = 1..r
// out[c] = out[c] + weights[r - t] * (inputs[r - t][c] + inputs[r + t][c]).
using SymmetricSumFn = WeightedSumFn;

inline float SymmetricSumAt(const float* const* inputs, const float* weights, int count, size_t c) {
  const int r = count / 2;
  float sum = weights[r] * inputs[r][c];
  for (int t = 1; t <= r; ++t) sum = sum + weights[r - t] * (inputs[r - t][c] + inputs[r + t][c]);
  return sum;
}

TargetKernels<WeightedSumFn> WeightedSumBuilds();
TargetKernels<SymmetricSumFn> SymmetricSumBuilds();

}  // namespace ryn::filters
