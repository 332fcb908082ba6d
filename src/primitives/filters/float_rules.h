// The float filters' one row operation, pixel by pixel: a weighted sum of several input rows in a
// fixed order, so that every build gives the same bits. Inputs may be caller rows at any
// address, so they are read through LoadUnaligned.
#pragma once

#include <cstddef>

#include "frame/unaligned.h"

namespace ryn::filters {

// ((weights[0] * inputs[0][c] + weights[1] * inputs[1][c]) + ...) + weights[count - 1] *
// inputs[count - 1][c]; count >= 1.
inline float WeightedSumAt(const float* const* inputs, const float* weights, int count, size_t c) {
  float sum = weights[0] * LoadUnaligned(inputs[0] + c);
  for (int t = 1; t < count; ++t) sum = sum + weights[t] * LoadUnaligned(inputs[t] + c);
  return sum;
}

// For symmetric weights (count = 2r + 1): weights[r] * inputs[r][c], then for t = 1..r
// sum + weights[r - t] * (inputs[r - t][c] + inputs[r + t][c]).
inline float SymmetricSumAt(const float* const* inputs, const float* weights, int count, size_t c) {
  const int r = count / 2;
  float sum = weights[r] * LoadUnaligned(inputs[r] + c);
  for (int t = 1; t <= r; ++t) {
    sum = sum + weights[r - t] * (LoadUnaligned(inputs[r - t] + c) + LoadUnaligned(inputs[r + t] + c));
  }
  return sum;
}

}  // namespace ryn::filters
