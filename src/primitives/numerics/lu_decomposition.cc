// LU decomposition with partial pivoting and the matching back-substitution, on strided
// matrices. The destination's rows are physically in pivot order; the index array says which
// source row each holds, and the back-substitution reads the right-hand side in that order.
#include <cmath>
#include <utility>

#include "frame/checks.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/numerics_checks.h"
#include "primitives/numerics/strided_floats.h"

namespace ryn::numerics {
namespace {

// Twice the smallest normal float: a column whose largest magnitude is below it is singular.
constexpr float kSmallestPivot = 2.350988701644575e-38f;

// The row on or below the diagonal with the largest magnitude in column k; the first on ties.
int PivotRow(const DestinationFloats& a, int k, int n) {
  int pivot = k;
  float largest = std::fabs(a(k, k));
  for (int i = k + 1; i < n; ++i) {
    if (std::fabs(a(i, k)) > largest) largest = std::fabs(a(i, k)), pivot = i;
  }
  return pivot;
}

void SwapRows(const DestinationFloats& a, int first, int second, int n) {
  for (int j = 0; j < n; ++j) {
    const float kept = a(first, j);
    a.Set(first, j, a(second, j));
    a.Set(second, j, kept);
  }
}

}  // namespace

IppStatus LUDecompose(const float* matrix, int rowStride, int elementStride, int* index, float* destination,
                      int destinationRowStride, int destinationElementStride, int size) {
  RYN_CHECK(NotNull(matrix, index, destination));
  RYN_CHECK(PositiveSizes(size));
  RYN_CHECK(ValidStrides(rowStride, elementStride, destinationRowStride, destinationElementStride));
  const int n = size;
  const SourceFloats source(matrix, rowStride, elementStride);
  const DestinationFloats a(destination, destinationRowStride, destinationElementStride);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) a.Set(i, j, source(i, j));
    index[i] = i;
  }
  for (int k = 0; k < n; ++k) {
    const int pivot = PivotRow(a, k, n);
    if (std::fabs(a(pivot, k)) < kSmallestPivot) return ippStsSingularErr;
    if (pivot != k) {
      SwapRows(a, k, pivot, n);
      std::swap(index[k], index[pivot]);
    }
    const float diagonal = a(k, k);
    for (int i = k + 1; i < n; ++i) {
      const float factor = a(i, k) / diagonal;
      a.Set(i, k, factor);
      for (int j = k + 1; j < n; ++j) a.Set(i, j, a(i, j) - factor * a(k, j));
    }
  }
  return ippStsNoErr;
}

IppStatus LUBackSubstitute(const float* lu, int rowStride, int elementStride, const int* index, const float* b,
                           int bStride, float* destination, int destinationStride, int size) {
  RYN_CHECK(NotNull(lu, index, b, destination));
  RYN_CHECK(PositiveSizes(size));
  RYN_CHECK(ValidStrides(rowStride, elementStride, bStride, destinationStride));
  const int n = size;
  const SourceFloats a(lu, rowStride, elementStride), rightHand(b, bStride);
  const DestinationFloats x(destination, destinationStride);
  for (int i = 0; i < n; ++i) {
    float sum = rightHand[index[i]];
    for (int j = 0; j < i; ++j) sum -= a(i, j) * x[j];
    x.Set(i, sum);
  }
  for (int i = n - 1; i >= 0; --i) {
    float sum = x[i];
    for (int j = i + 1; j < n; ++j) sum -= a(i, j) * x[j];
    x.Set(i, sum / a(i, i));
  }
  return ippStsNoErr;
}

}  // namespace ryn::numerics
