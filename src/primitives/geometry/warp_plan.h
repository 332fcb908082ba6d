// The transform algebra of rotation and perspective warps: singularity and quadrangle tests,
// inverses, and the spans of destination rows inside a convex quadrangle.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::geometry {

// The linear part c00 c11 - c01 c10 is (nearly) singular; non-finite coefficients count as singular.
bool SingularLinearPart(double c00, double c01, double c10, double c11);

// Convex and non-degenerate: the cross products at the four vertices are non-zero and of one sign.
bool ConvexQuadrangle(const double* xs, const double* ys);

// A convex quadrangle in destination coordinates and the integer columns of its rows.
struct Quadrangle {
  double xs[4], ys[4];
  // Rows [first, last] that may hold pixels inside, before clipping.
  double Top() const;
  double Bottom() const;
  // Integer columns [*from, *to) of row y inside the quadrangle: ceil(left edge) .. floor(right edge).
  bool Span(double y, int* from, int* to) const;
};

// Adjugate of a 3 x 3 matrix (row-major): the inverse up to a factor, which projective maps ignore.
void Adjugate(const double* m, double* adjugate);

}  // namespace ryn::geometry
