// Gaussian elimination with partial pivoting on a dense row-major n x n copy of a matrix, shared
// by the determinants and the inversion. Called with a constant n for the fixed sizes, so that
// the compiler specialises the loops.
#pragma once

#include <cmath>
#include <cstddef>
#include <utility>

#include "primitives/numerics/strided_floats.h"

namespace ryn::numerics {

// A pivot of magnitude at most 2 n^3 times the smallest normal float counts as zero.
inline double PivotThreshold(int n) { return 2.0 * n * n * n * 1.1754944e-38; }

inline void CopyToDense(const SourceFloats& matrix, int n, float* dense) {
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) dense[static_cast<size_t>(i) * n + j] = matrix(i, j);
}

struct Elimination {
  bool singular;
  bool oddPermutation;
};

// Leaves the multipliers below the diagonal and U on and above it, rows physically in pivot
// order; order[i] (when not null) receives the original row now at i. Stops at the first pivot
// at or below the threshold.
inline Elimination EliminateDense(float* a, int n, float* order) {
  const double threshold = PivotThreshold(n);
  const auto at = [a, n](int i, int j) -> float& { return a[static_cast<size_t>(i) * n + j]; };
  bool odd = false;
  if (order != nullptr) {
    for (int i = 0; i < n; ++i) order[i] = static_cast<float>(i);
  }
  for (int k = 0; k < n; ++k) {
    int pivot = k;
    for (int i = k + 1; i < n; ++i) {
      if (std::fabs(at(i, k)) > std::fabs(at(pivot, k))) pivot = i;
    }
    if (std::fabs(static_cast<double>(at(pivot, k))) <= threshold) return Elimination{true, odd};
    if (pivot != k) {
      for (int j = 0; j < n; ++j) std::swap(at(k, j), at(pivot, j));
      if (order != nullptr) std::swap(order[k], order[pivot]);
      odd = !odd;
    }
    for (int i = k + 1; i < n; ++i) {
      const float factor = at(i, k) / at(k, k);
      at(i, k) = factor;
      for (int j = k + 1; j < n; ++j) at(i, j) -= factor * at(k, j);
    }
  }
  return Elimination{false, odd};
}

}  // namespace ryn::numerics
