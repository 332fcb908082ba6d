// Rotation, perspective transform and perspective warp: argument stages, exact quarter turns, and
// the walk over the destination rows inside the mapped source region.
#include <algorithm>
#include <cmath>

#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"
#include "primitives/geometry/warp_plan.h"

namespace ryn::geometry {
namespace {

constexpr double kPi = 3.141592653589793;

bool ValidRegion(IppiRect r) { return r.x >= 0 && r.y >= 0 && r.width >= 1 && r.height >= 1; }

double NormalisedAngle(double angle) {
  double a = angle - std::trunc(angle / 360.0) * 360.0;
  if (a < 0) a += 360.0;
  return a;
}

// The source region clipped to the image; false when its origin lies outside.
bool ClipRegion(IppiSize size, IppiRect* region) {
  if (region->x >= size.width || region->y >= size.height) return false;
  region->width = std::min(region->width, size.width - region->x);
  region->height = std::min(region->height, size.height - region->y);
  return true;
}

SourcePlane PlaneOf(const uint8_t* source, int step, IppiRect region, int channels) {
  return SourcePlane{source,  step, region.x, region.y, region.x + region.width - 1, region.y + region.height - 1,
                     channels};
}

// Corners of the region's outermost pixel centres, one pixel further out with edge smoothing.
void RegionCorners(IppiRect r, bool smooth, double* xs, double* ys) {
  const double grow = smooth ? 1.0 : 0.0;
  const double left = r.x - grow, right = r.x + r.width - 1 + grow;
  const double top = r.y - grow, bottom = r.y + r.height - 1 + grow;
  xs[0] = left, ys[0] = top, xs[1] = right, ys[1] = top, xs[2] = right, ys[2] = bottom, xs[3] = left, ys[3] = bottom;
}

// Calls row(y, from, to) for the destination pixels of each row inside `quad` and the region;
// false when there are none.
template <class Row>
bool ForEachSpan(const Quadrangle& quad, IppiRect destination, Row&& row) {
  const int first = std::max(CeilToInt(quad.Top()), destination.y);
  const int last = std::min(FloorToInt(quad.Bottom()), destination.y + destination.height - 1);
  bool any = false;
  for (int y = first; y <= last; ++y) {
    int from, to;
    if (!quad.Span(y, &from, &to)) continue;
    from = std::max(from, destination.x);
    to = std::min(to, destination.x + destination.width);
    if (from >= to) continue;
    row(y, from, to);
    any = true;
  }
  return any;
}

uint8_t* DestinationRow(uint8_t* destination, int step, int y) {
  return destination + static_cast<ptrdiff_t>(y) * step;
}

// Quarter turns with whole shifts: every destination pixel of the rotated region takes one source
// pixel. Checks as in the rotation's quarter-turn rule.
IppStatus RotateQuarter(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect region,
                        uint8_t* destination, int destinationStep, IppiRect destinationRegion, int quarter,
                        double xShift, double yShift) {
  if (source == nullptr || destination == nullptr) return ippStsNullPtrErr;
  if (sourceSize.width < 1 || sourceSize.height < 1 || !ValidRegion(region) || !ValidRegion(destinationRegion)) {
    return ippStsSizeErr;
  }
  if (!ClipRegion(sourceSize, &region)) return ippStsWrongIntersectROI;
  // Shifts beyond any image move the region away from every destination.
  if (std::fabs(xShift) > 1e10 || std::fabs(yShift) > 1e10) return ippStsWrongIntersectROI;
  const int64_t xs = static_cast<int64_t>(xShift), ys = static_cast<int64_t>(yShift);
  const int64_t x0 = region.x, x1 = region.x + region.width - 1, y0 = region.y, y1 = region.y + region.height - 1;
  int64_t left, right, top, bottom;
  if (quarter == 1) {  // (x, y) -> (y + xs, ys - x)
    left = y0 + xs, right = y1 + xs, top = ys - x1, bottom = ys - x0;
  } else if (quarter == 2) {  // (x, y) -> (xs - x, ys - y)
    left = xs - x1, right = xs - x0, top = ys - y1, bottom = ys - y0;
  } else {  // (x, y) -> (xs - y, x + ys)
    left = xs - y1, right = xs - y0, top = x0 + ys, bottom = x1 + ys;
  }
  left = std::max<int64_t>(left, destinationRegion.x);
  right = std::min<int64_t>(right, int64_t{destinationRegion.x} + destinationRegion.width - 1);
  top = std::max<int64_t>(top, destinationRegion.y);
  bottom = std::min<int64_t>(bottom, int64_t{destinationRegion.y} + destinationRegion.height - 1);
  if (left > right || top > bottom) return ippStsWrongIntersectROI;
  for (int64_t y = top; y <= bottom; ++y) {
    uint8_t* out = DestinationRow(destination, destinationStep, static_cast<int>(y));
    for (int64_t x = left; x <= right; ++x) {
      int64_t sx, sy;
      if (quarter == 1) {
        sx = ys - y, sy = x - xs;
      } else if (quarter == 2) {
        sx = xs - x, sy = ys - y;
      } else {
        sx = y - ys, sy = xs - x;
      }
      out[x] = source[static_cast<ptrdiff_t>(sy) * sourceStep + sx];
    }
  }
  return ippStsNoErr;
}

// The affine engine: coefficients [c00 c01 c02; c10 c11 c12] map source to destination.
IppStatus AffineWarp(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect region, uint8_t* destination,
                     int destinationStep, IppiRect destinationRegion, const double* c, int interpolation) {
  if (source == nullptr || destination == nullptr) return ippStsNullPtrErr;
  if (sourceSize.width < 1 || sourceSize.height < 1 || !ValidRegion(region) || !ValidRegion(destinationRegion)) {
    return ippStsSizeErr;
  }
  const bool smooth = (static_cast<uint32_t>(interpolation) & kEdgeBlend) != 0;
  int mode = static_cast<int>(static_cast<uint32_t>(interpolation) & ~kEdgeBlend);
  if (mode != kNearest && mode != kLinear && mode != kCubicLagrange && mode != kCatmullRom) {
    return ippStsInterpolationErr;
  }
  if (SingularLinearPart(c[0], c[1], c[3], c[4]) || !std::isfinite(c[2]) || !std::isfinite(c[5])) {
    return ippStsCoeffErr;
  }
  if (sourceSize.width == 1 || sourceSize.height == 1) mode = kNearest;
  if (mode == kCubicLagrange && (sourceSize.width < 4 || sourceSize.height < 4)) mode = kLinear;
  if (!ClipRegion(sourceSize, &region)) return ippStsWrongIntersectROI;
  if (region.width < 2 || region.height < 2) return ippStsRectErr;

  Quadrangle quad;
  double xs[4], ys[4];
  RegionCorners(region, smooth, xs, ys);
  for (int i = 0; i < 4; ++i) {
    quad.xs[i] = c[0] * xs[i] + c[1] * ys[i] + c[2];
    quad.ys[i] = c[3] * xs[i] + c[4] * ys[i] + c[5];
  }
  const double det = c[0] * c[4] - c[1] * c[3];
  double inverse[6] = {c[4] / det, -c[1] / det, 0.0, -c[3] / det, c[0] / det, 0.0};
  inverse[2] = -(inverse[0] * c[2] + inverse[1] * c[5]);
  inverse[5] = -(inverse[3] * c[2] + inverse[4] * c[5]);
  const SourcePlane plane = PlaneOf(source, sourceStep, region, 1);
  ForEachSpan(quad, destinationRegion, [&](int y, int from, int to) {
    AffineRow(plane, inverse, mode, smooth, y, from, to, DestinationRow(destination, destinationStep, y));
  });
  return ippStsNoErr;
}

}  // namespace

void ShiftsAboutCentre(double angle, double xc, double yc, double* xShift, double* yShift) {
  const double a = NormalisedAngle(angle);
  if (a == 0.0) {
    *xShift = 0.0, *yShift = 0.0;
  } else if (a == 90.0) {
    *xShift = xc - yc, *yShift = xc + yc;
  } else if (a == 180.0) {
    *xShift = 2 * xc, *yShift = 2 * yc;
  } else if (a == 270.0) {
    *xShift = xc + yc, *yShift = yc - xc;
  } else {
    const double r = a / 180.0 * kPi;
    *xShift = xc - xc * std::cos(r) - yc * std::sin(r);
    *yShift = yc - yc * std::cos(r) + xc * std::sin(r);
  }
}

IppStatus Rotate8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect sourceRegion,
                   uint8_t* destination, int destinationStep, IppiRect destinationRegion, double angle, double xShift,
                   double yShift, int interpolation) {
  const double a = NormalisedAngle(angle);
  const int quarter = a == 90.0 ? 1 : (a == 180.0 ? 2 : (a == 270.0 ? 3 : 0));
  if (quarter != 0 && std::trunc(xShift) == xShift && std::trunc(yShift) == yShift) {
    return RotateQuarter(source, sourceSize, sourceStep, sourceRegion, destination, destinationStep, destinationRegion,
                         quarter, xShift, yShift);
  }
  double cosA, sinA;
  if (quarter != 0) {
    cosA = quarter == 2 ? -1.0 : 0.0;
    sinA = quarter == 1 ? 1.0 : (quarter == 3 ? -1.0 : 0.0);
  } else {
    const double r = a / 180.0 * kPi;
    cosA = std::cos(r), sinA = std::sin(r);
  }
  const double coefficients[6] = {cosA, sinA, xShift, -sinA, cosA, yShift};
  return AffineWarp(source, sourceSize, sourceStep, sourceRegion, destination, destinationStep, destinationRegion,
                    coefficients, interpolation);
}

IppStatus PerspectiveTransform(const double* q, IppiSize size, double* c) {
  if (q == nullptr || c == nullptr) return ippStsNullPtrErr;
  if (size.width < 1 || size.height < 1) return ippStsSizeErr;
  const double xs[4] = {q[0], q[2], q[4], q[6]}, ys[4] = {q[1], q[3], q[5], q[7]};
  if (!ConvexQuadrangle(xs, ys)) return ippStsQuadErr;
  const double x0 = 0.0, y0 = 0.0, x1 = size.width - 1.0, y1 = size.height - 1.0;
  if (x1 - x0 < 1 || y1 - y0 < 1) return ippStsRectErr;
  const double sx = xs[0] - xs[1] + xs[2] - xs[3], sy = ys[0] - ys[1] + ys[2] - ys[3];
  const double den = (xs[3] - xs[2]) * (ys[2] - ys[1]) - (xs[2] - xs[1]) * (ys[3] - ys[2]);
  const double g = ((ys[3] - ys[2]) * sx - (xs[3] - xs[2]) * sy) / den;
  const double h = ((ys[2] - ys[1]) * sx - (xs[2] - xs[1]) * sy) / den;
  const double w = x1 - x0, hh = y1 - y0;
  c[0] = (xs[1] * g + xs[1] - xs[0]) / w;
  c[1] = (xs[3] * h + xs[3] - xs[0]) / hh;
  c[3] = (ys[1] * g + ys[1] - ys[0]) / w;
  c[4] = (ys[3] * h + ys[3] - ys[0]) / hh;
  c[6] = g / w;
  c[7] = h / hh;
  c[2] = xs[0] - c[0] * x0 - c[1] * y0;
  c[5] = ys[0] - c[3] * x0 - c[4] * y0;
  c[8] = 1.0 - x0 * c[6] - y0 * c[7];
  return ippStsNoErr;
}

IppStatus WarpPerspective8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect region,
                            uint8_t* destination, int destinationStep, IppiRect destinationRegion,
                            const double* coefficients, int interpolation, bool forward) {
  if (source == nullptr || destination == nullptr || coefficients == nullptr) return ippStsNullPtrErr;
  if (sourceSize.width < 1 || sourceSize.height < 1 || !ValidRegion(region) || !ValidRegion(destinationRegion)) {
    return ippStsSizeErr;
  }
  if (sourceStep < 1 || destinationStep < 1) return ippStsStepErr;
  const bool smooth = (static_cast<uint32_t>(interpolation) & kEdgeBlend) != 0;
  int mode = static_cast<int>(static_cast<uint32_t>(interpolation) & ~kEdgeBlend);
  if (mode != kNearest && mode != kLinear && mode != kCubicLagrange) return ippStsInterpolationErr;
  const double* c = coefficients;
  if (SingularLinearPart(c[0], c[1], c[3], c[4]) || !(std::fabs(c[8]) > 1e-200)) return ippStsCoeffErr;
  for (int i = 0; i < 9; ++i) {
    if (!std::isfinite(c[i])) return ippStsCoeffErr;
  }
  if (sourceSize.width == 1 || sourceSize.height == 1) mode = kNearest;
  if (mode == kCubicLagrange && (sourceSize.width < 4 || sourceSize.height < 4)) mode = kLinear;
  if (!ClipRegion(sourceSize, &region)) return ippStsWrongIntersectROI;
  if (region.width < 2 || region.height < 2) return ippStsRectErr;

  double adjugate[9];
  Adjugate(c, adjugate);
  const double* toDestination = forward ? c : adjugate;
  const double* toSource = forward ? adjugate : c;
  double xs[4], ys[4];
  RegionCorners(region, smooth, xs, ys);
  Quadrangle quad;
  int positive = 0;
  for (int i = 0; i < 4; ++i) {
    const double* m = toDestination;
    const double w = m[6] * xs[i] + m[7] * ys[i] + m[8];
    quad.xs[i] = (m[0] * xs[i] + m[1] * ys[i] + m[2]) / w;
    quad.ys[i] = (m[3] * xs[i] + m[4] * ys[i] + m[5]) / w;
    positive += w > 0;
  }
  // The region must lie on one side of the line the transform sends to infinity, or its image is
  // no quadrangle.
  if ((positive != 0 && positive != 4) || !ConvexQuadrangle(quad.xs, quad.ys)) return ippStsCoeffErr;
  const SourcePlane plane = PlaneOf(source, sourceStep, region, 1);
  const bool any = ForEachSpan(quad, destinationRegion, [&](int y, int from, int to) {
    PerspectiveRow(plane, toSource, mode, smooth, y, from, to, DestinationRow(destination, destinationStep, y));
  });
  return any ? ippStsNoErr : ippStsWrongIntersectQuad;
}

}  // namespace ryn::geometry
