// Matrix inversion: the matrix is factored by elimination with partial pivoting in working
// storage (local for sizes up to 6, the caller's buffer beyond), then each column of the inverse
// is solved from the factors. Nothing is written to the destination unless the matrix is regular,
// and the source is only read while it is copied, so the two may be the same.
#include <cmath>

#include "frame/checks.h"
#include "primitives/numerics/dense_elimination.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/numerics_checks.h"

namespace ryn::numerics {
namespace {

// `work` holds n x n floats of factors followed by the n row numbers.
bool InvertInto(const SourceFloats& m, int n, float* work, const DestinationFloats& inverse) {
  float* order = work + static_cast<size_t>(n) * n;
  CopyToDense(m, n, work);
  if (EliminateDense(work, n, order).singular) return false;
  const auto factor = [work, n](int i, int j) { return work[static_cast<size_t>(i) * n + j]; };
  for (int c = 0; c < n; ++c) {
    for (int i = 0; i < n; ++i) {
      float sum = order[i] == static_cast<float>(c) ? 1.0f : 0.0f;
      for (int j = 0; j < i; ++j) sum -= factor(i, j) * inverse(j, c);
      inverse.Set(i, c, sum);
    }
    for (int i = n - 1; i >= 0; --i) {
      float sum = inverse(i, c);
      for (int j = i + 1; j < n; ++j) sum -= factor(i, j) * inverse(j, c);
      inverse.Set(i, c, sum / factor(i, i));
    }
  }
  return true;
}

template <int kSize>
bool FixedSizeInvert(const SourceFloats& m, const DestinationFloats& inverse) {
  float work[kSize * kSize + kSize];
  return InvertInto(m, kSize, work, inverse);
}

}  // namespace

IppStatus Invert(const float* matrix, int rowStride, int elementStride, float* buffer, float* destination,
                 int destinationRowStride, int destinationElementStride, int size) {
  RYN_CHECK(NotNull(matrix, buffer, destination));
  RYN_CHECK(PositiveSizes(size));
  RYN_CHECK(ValidStrides(rowStride, elementStride, destinationRowStride, destinationElementStride));
  const SourceFloats m(matrix, rowStride, elementStride);
  const DestinationFloats inverse(destination, destinationRowStride, destinationElementStride);
  bool regular = false;
  switch (size) {
    case 1: {
      const float a = m(0, 0);
      regular = std::fabs(static_cast<double>(a)) > PivotThreshold(1);
      if (regular) inverse.Set(0, 0, 1.0f / a);
      break;
    }
    case 3: regular = FixedSizeInvert<3>(m, inverse); break;
    case 4: regular = FixedSizeInvert<4>(m, inverse); break;
    case 5: regular = FixedSizeInvert<5>(m, inverse); break;
    case 6: regular = FixedSizeInvert<6>(m, inverse); break;
    default: regular = InvertInto(m, size, buffer, inverse); break;
  }
  return regular ? ippStsNoErr : ippStsSingularErr;
}

}  // namespace ryn::numerics
