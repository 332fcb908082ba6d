// Products, differences and norms of strided single-float vectors and matrices. Sums run from the
// first element to the last in single precision.
#include <cmath>

#include "frame/checks.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/numerics_checks.h"
#include "primitives/numerics/strided_floats.h"

namespace ryn::numerics {

IppStatus MulMatrixVector(const float* matrix, int rowStride, int elementStride, int width, int height,
                          const float* vector, int vectorStride, int length, float* destination,
                          int destinationStride) {
  RYN_CHECK(NotNull(matrix, vector, destination));
  RYN_CHECK(PositiveSizes(width, height, length));
  RYN_CHECK(SizesMatch(width, length));
  RYN_CHECK(ValidStrides(rowStride, elementStride, vectorStride, destinationStride));
  const SourceFloats m(matrix, rowStride, elementStride), v(vector, vectorStride);
  const DestinationFloats d(destination, destinationStride);
  for (int i = 0; i < height; ++i) {
    float sum = 0.0f;
    for (int j = 0; j < width; ++j) sum += m(i, j) * v[j];
    d.Set(i, sum);
  }
  return ippStsNoErr;
}

IppStatus MulMatrixMatrix(const float* a, int aRowStride, int aElementStride, int aWidth, int aHeight,
                          const float* b, int bRowStride, int bElementStride, int bWidth, int bHeight,
                          float* destination, int destinationRowStride, int destinationElementStride) {
  RYN_CHECK(NotNull(a, b, destination));
  RYN_CHECK(PositiveSizes(aWidth, aHeight, bWidth, bHeight));
  RYN_CHECK(SizesMatch(aWidth, bHeight));
  RYN_CHECK(ValidStrides(aRowStride, aElementStride, bRowStride, bElementStride, destinationRowStride,
                         destinationElementStride));
  const SourceFloats left(a, aRowStride, aElementStride), right(b, bRowStride, bElementStride);
  const DestinationFloats d(destination, destinationRowStride, destinationElementStride);
  for (int i = 0; i < aHeight; ++i) {
    for (int k = 0; k < bWidth; ++k) {
      float sum = 0.0f;
      for (int j = 0; j < aWidth; ++j) sum += left(i, j) * right(j, k);
      d.Set(i, k, sum);
    }
  }
  return ippStsNoErr;
}

IppStatus MulVectorConstant(const float* vector, int vectorStride, float constant, float* destination,
                            int destinationStride, int length) {
  RYN_CHECK(NotNull(vector, destination));
  RYN_CHECK(PositiveSizes(length));
  RYN_CHECK(ValidStrides(vectorStride, destinationStride));
  const SourceFloats v(vector, vectorStride);
  const DestinationFloats d(destination, destinationStride);
  for (int k = 0; k < length; ++k) d.Set(k, v[k] * constant);
  return ippStsNoErr;
}

IppStatus SubVectors(const float* a, int aStride, const float* b, int bStride, float* destination,
                     int destinationStride, int length) {
  RYN_CHECK(NotNull(a, b, destination));
  RYN_CHECK(PositiveSizes(length));
  RYN_CHECK(ValidStrides(aStride, bStride, destinationStride));
  const SourceFloats left(a, aStride), right(b, bStride);
  const DestinationFloats d(destination, destinationStride);
  for (int k = 0; k < length; ++k) d.Set(k, left[k] - right[k]);
  return ippStsNoErr;
}

IppStatus DotProduct(const float* a, int aStride, const float* b, int bStride, float* destination, int length) {
  RYN_CHECK(NotNull(a, b, destination));
  RYN_CHECK(PositiveSizes(length));
  RYN_CHECK(ValidStrides(aStride, bStride));
  const SourceFloats left(a, aStride), right(b, bStride);
  float sum = 0.0f;
  for (int k = 0; k < length; ++k) sum += left[k] * right[k];
  StoreUnaligned(destination, sum);
  return ippStsNoErr;
}

// Both sources are read before the destination is written, so it may be one of them.
IppStatus CrossProduct(const float* a, int aStride, const float* b, int bStride, float* destination,
                       int destinationStride) {
  RYN_CHECK(NotNull(a, b, destination));
  RYN_CHECK(ValidStrides(aStride, bStride, destinationStride));
  const SourceFloats left(a, aStride), right(b, bStride);
  const float a0 = left[0], a1 = left[1], a2 = left[2];
  const float b0 = right[0], b1 = right[1], b2 = right[2];
  const DestinationFloats d(destination, destinationStride);
  d.Set(0, a1 * b2 - a2 * b1);
  d.Set(1, a2 * b0 - a0 * b2);
  d.Set(2, a0 * b1 - a1 * b0);
  return ippStsNoErr;
}

IppStatus L2Norm(const float* vector, int vectorStride, float* destination, int length) {
  RYN_CHECK(NotNull(vector, destination));
  RYN_CHECK(PositiveSizes(length));
  RYN_CHECK(ValidStrides(vectorStride));
  const SourceFloats v(vector, vectorStride);
  float sum = 0.0f;
  for (int k = 0; k < length; ++k) sum += v[k] * v[k];
  StoreUnaligned(destination, std::sqrt(sum));
  return ippStsNoErr;
}

}  // namespace ryn::numerics
