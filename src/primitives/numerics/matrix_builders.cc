// The 4 x 4 homogeneous builders and the 3-vector normaliser. They write whole matrices of 16
// consecutive floats, element (r, c) at r x 4 + c, for row vectors multiplied on the left.
#include <algorithm>
#include <cmath>

#include "frame/checks.h"
#include "primitives/numerics/numerics.h"

namespace ryn::numerics {
namespace {

void SetIdentity(float* matrix) {
  std::fill(matrix, matrix + 16, 0.0f);
  matrix[0] = matrix[5] = matrix[10] = matrix[15] = 1.0f;
}

}  // namespace

// Each rotation writes cos and sin into the plane of the two other axes.
IppStatus RotationX(float angle, float* matrix) {
  RYN_CHECK(NotNull(matrix));
  const float c = std::cos(angle), s = std::sin(angle);
  SetIdentity(matrix);
  matrix[5] = c, matrix[6] = s, matrix[9] = -s, matrix[10] = c;
  return ippStsNoErr;
}

IppStatus RotationY(float angle, float* matrix) {
  RYN_CHECK(NotNull(matrix));
  const float c = std::cos(angle), s = std::sin(angle);
  SetIdentity(matrix);
  matrix[0] = c, matrix[2] = -s, matrix[8] = s, matrix[10] = c;
  return ippStsNoErr;
}

IppStatus RotationZ(float angle, float* matrix) {
  RYN_CHECK(NotNull(matrix));
  const float c = std::cos(angle), s = std::sin(angle);
  SetIdentity(matrix);
  matrix[0] = c, matrix[1] = s, matrix[4] = -s, matrix[5] = c;
  return ippStsNoErr;
}

IppStatus Translation(float tx, float ty, float tz, float* matrix) {
  RYN_CHECK(NotNull(matrix));
  SetIdentity(matrix);
  matrix[12] = tx, matrix[13] = ty, matrix[14] = tz;
  return ippStsNoErr;
}

// Reads the whole source before writing, so that it may be normalised in place.
IppStatus Normalize3(const float* source, float* destination) {
  RYN_CHECK(NotNull(source, destination));
  const float x = source[0], y = source[1], z = source[2];
  const float length = std::sqrt(x * x + y * y + z * z);
  destination[0] = x / length, destination[1] = y / length, destination[2] = z / length;
  return ippStsNoErr;
}

}  // namespace ryn::numerics
