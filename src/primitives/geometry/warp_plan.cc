// Transform algebra shared by the rotation and perspective engines.
#include "primitives/geometry/warp_plan.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "primitives/geometry/interpolation.h"

namespace ryn::geometry {

bool SingularLinearPart(double c00, double c01, double c10, double c11) {
  const double p = c00 * c11, q = c01 * c10;
  if (!std::isfinite(p) || !std::isfinite(q)) return true;
  if (std::fabs(p) <= 1e-200) return std::fabs(q) <= 1e-10;
  return std::fabs((p - q) / p) <= 1e-10;
}

bool ConvexQuadrangle(const double* xs, const double* ys) {
  int positive = 0, negative = 0;
  for (int i = 0; i < 4; ++i) {
    const int before = (i + 3) % 4, after = (i + 1) % 4;
    const double cross = (xs[i] - xs[before]) * (ys[after] - ys[i]) - (ys[i] - ys[before]) * (xs[after] - xs[i]);
    if (cross > 0) {
      ++positive;
    } else if (cross < 0) {
      ++negative;
    } else {
      return false;  // zero or NaN
    }
  }
  return positive == 4 || negative == 4;
}

double Quadrangle::Top() const { return std::min({ys[0], ys[1], ys[2], ys[3]}); }
double Quadrangle::Bottom() const { return std::max({ys[0], ys[1], ys[2], ys[3]}); }

bool Quadrangle::Span(double y, int* from, int* to) const {
  double left = std::numeric_limits<double>::infinity(), right = -left;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    const double y0 = ys[i], y1 = ys[j];
    if (y < std::min(y0, y1) || y > std::max(y0, y1)) continue;
    if (y0 == y1) {
      left = std::min({left, xs[i], xs[j]}), right = std::max({right, xs[i], xs[j]});
    } else {
      const double x = xs[i] + (y - y0) / (y1 - y0) * (xs[j] - xs[i]);
      left = std::min(left, x), right = std::max(right, x);
    }
  }
  if (!(left <= right)) return false;
  *from = CeilToInt(left);
  *to = FloorToInt(right) == std::numeric_limits<int>::max() ? FloorToInt(right) : FloorToInt(right) + 1;
  return *from < *to;
}

void Adjugate(const double* m, double* a) {
  a[0] = m[4] * m[8] - m[5] * m[7];
  a[1] = m[2] * m[7] - m[1] * m[8];
  a[2] = m[1] * m[5] - m[2] * m[4];
  a[3] = m[5] * m[6] - m[3] * m[8];
  a[4] = m[0] * m[8] - m[2] * m[6];
  a[5] = m[2] * m[3] - m[0] * m[5];
  a[6] = m[3] * m[7] - m[4] * m[6];
  a[7] = m[1] * m[6] - m[0] * m[7];
  a[8] = m[0] * m[4] - m[1] * m[3];
}

}  // namespace ryn::geometry
