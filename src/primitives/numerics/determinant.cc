// Determinants: closed cofactor expansions for sizes 3 and 4, elimination with partial pivoting
// for the others (in local storage for sizes 5 and 6, in the caller's buffer otherwise). An
// elimination that meets a pivot at or below its threshold gives 0.
#include "frame/checks.h"
#include "primitives/numerics/dense_elimination.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/numerics_checks.h"

namespace ryn::numerics {
namespace {

float Determinant3(const SourceFloats& m) {
  return m(0, 0) * (m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1)) - m(0, 1) * (m(1, 0) * m(2, 2) - m(1, 2) * m(2, 0)) +
         m(0, 2) * (m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0));
}

// Along the first row, with the 2 x 2 minors of the last two rows.
float Determinant4(const SourceFloats& m) {
  const float m23 = m(2, 2) * m(3, 3) - m(2, 3) * m(3, 2);
  const float m13 = m(2, 1) * m(3, 3) - m(2, 3) * m(3, 1);
  const float m12 = m(2, 1) * m(3, 2) - m(2, 2) * m(3, 1);
  const float m03 = m(2, 0) * m(3, 3) - m(2, 3) * m(3, 0);
  const float m02 = m(2, 0) * m(3, 2) - m(2, 2) * m(3, 0);
  const float m01 = m(2, 0) * m(3, 1) - m(2, 1) * m(3, 0);
  return m(0, 0) * (m(1, 1) * m23 - m(1, 2) * m13 + m(1, 3) * m12) -
         m(0, 1) * (m(1, 0) * m23 - m(1, 2) * m03 + m(1, 3) * m02) +
         m(0, 2) * (m(1, 0) * m13 - m(1, 1) * m03 + m(1, 3) * m01) -
         m(0, 3) * (m(1, 0) * m12 - m(1, 1) * m02 + m(1, 2) * m01);
}

float EliminatedDeterminant(const SourceFloats& m, int n, float* work) {
  CopyToDense(m, n, work);
  const Elimination elimination = EliminateDense(work, n, nullptr);
  if (elimination.singular) return 0.0f;
  float determinant = elimination.oddPermutation ? -1.0f : 1.0f;
  for (int k = 0; k < n; ++k) determinant *= work[static_cast<size_t>(k) * n + k];
  return determinant;
}

template <int kSize>
float FixedSizeDeterminant(const SourceFloats& m) {
  float work[kSize * kSize];
  return EliminatedDeterminant(m, kSize, work);
}

float DeterminantOf(const SourceFloats& m, int n, float* buffer) {
  switch (n) {
    case 3: return Determinant3(m);
    case 4: return Determinant4(m);
    case 5: return FixedSizeDeterminant<5>(m);
    case 6: return FixedSizeDeterminant<6>(m);
    default: return EliminatedDeterminant(m, n, buffer);
  }
}

}  // namespace

IppStatus Determinant(const float* matrix, int rowStride, int elementStride, int size, float* buffer,
                      float* destination) {
  RYN_CHECK(NotNull(matrix, buffer, destination));
  RYN_CHECK(PositiveSizes(size));
  RYN_CHECK(ValidStrides(rowStride, elementStride));
  StoreUnaligned(destination, DeterminantOf(SourceFloats(matrix, rowStride, elementStride), size, buffer));
  return ippStsNoErr;
}

IppStatus Determinants(const float* matrices, int matrixStride, int rowStride, int elementStride, int size,
                       float* buffer, float* destinations, int count) {
  RYN_CHECK(NotNull(matrices, buffer, destinations));
  RYN_CHECK(PositiveCount(count));
  RYN_CHECK(PositiveSizes(size));
  RYN_CHECK(ValidStrides(matrixStride, rowStride, elementStride));
  const SourceFloats first(matrices, rowStride, elementStride);
  for (int m = 0; m < count; ++m) {
    const SourceFloats matrix = first.Shifted(static_cast<int64_t>(m) * matrixStride);
    StoreUnaligned(destinations + m, DeterminantOf(matrix, size, buffer));
  }
  return ippStsNoErr;
}

}  // namespace ryn::numerics
