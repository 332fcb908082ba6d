// The resize engine's argument stage, size rules, tables and edge pass: plain code run once per
// call, shared by every build.
#include "primitives/geometry/resize_plan.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "primitives/geometry/interpolation.h"

namespace ryn::geometry {
namespace {

bool ParseInterpolation(int interpolation, int* mode, uint32_t* option) {
  const uint32_t bits = static_cast<uint32_t>(interpolation);
  *mode = static_cast<int>(bits & kModeMask);
  *option = bits & ~kModeMask;
  if (*option != 0 && *option != kEdgeBlend && *option != kEdgeFade && *option != kAntialiasing) return false;
  switch (*mode) {
    case kNearest:
    case kLinear:
    case kCubicLagrange:
    case kCubicBSpline:
    case kCatmullRom:
    case kCubicB05C03:
    case kSuperSampling:
    case kLanczos:
      return true;
    default:
      return false;
  }
}

// Factors must be positive; NaN and infinity are refused as well, so that no coordinate is undefined.
bool ValidFactor(double factor) { return factor > 0.0 && std::isfinite(factor); }

bool ValidRegion(IppiRect r) { return r.x >= 0 && r.y >= 0 && r.width > 0 && r.height > 0; }

// Buffer sizes are formed in 128 bits: a widened kernel on a strongly reducing axis, or a source
// height times a destination width, leaves 64 bits long before the 32-bit limit is applied.
using Wide = __int128;
Wide Up(Wide n, Wide multiple) { return (n + multiple - 1) / multiple * multiple; }
Wide Down(Wide n, Wide multiple) { return n / multiple * multiple; }

// Far past any size the query gives, yet room enough to add to a buffer address.
constexpr int64_t kUnpromisable = int64_t{1} << 48;

int Radius(int mode) { return mode == kLinear ? 1 : (mode == kLanczos ? 3 : 2); }

// The widening of the kernel on an axis that reduces: source over destination size, else 1.
double WideningRatio(int sourceSize, int destinationSize) {
  const double ratio = static_cast<double>(sourceSize) / destinationSize;
  return ratio >= 1.0 ? ratio : 1.0;
}

Wide WideBufferBytes(IppiRect s, IppiRect d, Wide c, int mode, bool antialiasing) {
  const Wide w = d.width, h = d.height, sw = s.width, sh = s.height;
  if (mode == kSuperSampling) return Up(sw, 16) * 2 * c * 4;
  const Wide base = (Up(w, 16) + Up(h, 16)) * 4;
  if (mode == kNearest) return base;
  if (antialiasing) {
    const int r = Radius(mode);
    const Wide kx = static_cast<int64_t>(std::ceil(r * WideningRatio(s.width, d.width)));
    const Wide ky = static_cast<int64_t>(std::ceil(r * WideningRatio(s.height, d.height)));
    const Wide p = Up((2 * kx + 2) * w, 16), q = Up((2 * ky + 2) * h, 16);
    return 2 * p * 4 + 2 * q * 4 + Up(w * c, 16) * 4 + Up(sh * w * c, 16) * 8;
  }
  if (mode == kLinear) return base + (Up(w, 64) + Up(h, 64)) * 4 + Down(2 * w + 127, 64) * c * 4;
  if (mode == kLanczos) {
    return base + (Up(w, 32) + Up(h, 32)) * 4 + Down(6 * w + 191, 32) * c * 4 + Down(6 * w + 191, 32) * 4 +
           Down(6 * h + 191, 32) * 4;
  }
  return base + (Up(w, 32) + Up(h, 32)) * 4 + Down(4 * w + 255, 64) * c * 4 + Down(4 * w + 127, 32) * 4 +
         Down(4 * h + 127, 32) * 4;
}

int64_t BufferBytes(IppiRect s, IppiRect d, int64_t c, int mode, bool antialiasing) {
  const Wide bytes = WideBufferBytes(s, d, c, mode, antialiasing);
  return bytes < kUnpromisable ? static_cast<int64_t>(bytes) : kUnpromisable;
}

float Fraction(double v) { return static_cast<float>(v - std::floor(v)); }

bool Interior(const ResizeAxis& axis, int start) { return start >= axis.low && start + 1 <= axis.high; }

// The longest run of columns that continue `pattern` from their predecessor.
template <class Continues>
void LongestRun(int count, Continues continues, int* from, int* to) {
  *from = *to = 0;
  for (int i = 0; i < count;) {
    int j = i + 1;
    while (j < count && continues(j)) ++j;
    if (j - i > *to - *from) *from = i, *to = j;
    i = j;
  }
}

LinearRuns FindLinearRuns(const ResizeAxis& axis, const int32_t* starts, const int32_t* weights) {
  const int count = axis.Count();
  LinearRuns runs;
  auto halving = [&](int i) { return weights[i] == 8192 && Interior(axis, starts[i]); };
  LongestRun(
      count, [&](int j) { return halving(j) && halving(j - 1) && starts[j] == starts[j - 1] + 2; }, &runs.halveFrom,
      &runs.halveTo);
  if (runs.halveTo - runs.halveFrom == 1 && !halving(runs.halveFrom)) runs.halveTo = runs.halveFrom;
  // Doubling pairs: (k - 1, 12288) then (k, 4096), pairs one source column apart.
  auto pairAt = [&](int i) {
    return i + 1 < count && weights[i] == 12288 && weights[i + 1] == 4096 && starts[i + 1] == starts[i] + 1 &&
           Interior(axis, starts[i]) && Interior(axis, starts[i + 1]);
  };
  int best = 0;
  for (int i = 0; i < count;) {
    if (!pairAt(i)) {
      ++i;
      continue;
    }
    int j = i + 2;
    while (pairAt(j) && starts[j] == starts[j - 2] + 1) j += 2;
    if (j - i > best) best = j - i, runs.doubleFrom = i, runs.doubleTo = j;
    i = j;
  }
  return runs;
}

}  // namespace

IppStatus ResizeBufferSize(IppiRect sourceRegion, IppiRect destinationRegion, int channels, int interpolation,
                           int* size) {
  if (size == nullptr) return ippStsNullPtrErr;
  if (!ValidRegion(sourceRegion) || !ValidRegion(destinationRegion)) return ippStsSizeErr;
  if (channels != 1 && channels != 3 && channels != 4) return ippStsNumChannelsErr;
  int mode;
  uint32_t option;
  if (!ParseInterpolation(interpolation, &mode, &option)) return ippStsInterpolationErr;
  const bool antialiasing = option == kAntialiasing;
  const int64_t bytes = BufferBytes(sourceRegion, destinationRegion, channels, mode, antialiasing) + 16;
  // A size that does not fit the signed 32-bit count is refused rather than wrapped.
  if (bytes > std::numeric_limits<int>::max()) return ippStsSizeErr;
  *size = static_cast<int>(bytes);
  return antialiasing && (mode == kNearest || mode == kSuperSampling) ? ippStsNoAntialiasing : ippStsNoErr;
}

IppStatus ResizeDestinationRect(IppiRect sourceRegion, IppiRect* destinationRect, double xFactor, double yFactor,
                                double xShift, double yShift, int interpolation) {
  if (destinationRect == nullptr) return ippStsNullPtrErr;
  if (!ValidRegion(sourceRegion)) return ippStsSizeErr;
  if (!ValidFactor(xFactor) || !ValidFactor(yFactor)) return ippStsResizeFactorErr;
  int mode;
  uint32_t option;
  if (!ParseInterpolation(interpolation, &mode, &option)) return ippStsInterpolationErr;
  const IppiRect& s = sourceRegion;
  const double x0 = s.x * xFactor + xShift, x1 = (static_cast<double>(s.x) + s.width) * xFactor + xShift;
  const double y0 = s.y * yFactor + yShift, y1 = (static_cast<double>(s.y) + s.height) * yFactor + yShift;
  int left, top, right, bottom;
  if (option == kEdgeBlend || option == kEdgeFade) {
    left = std::max(FloorToInt(x0 + 1e-10), 0), right = std::max(CeilToInt(x1 - 1e-10), 0);
    top = std::max(FloorToInt(y0 + 1e-10), 0), bottom = std::max(CeilToInt(y1 - 1e-10), 0);
  } else {
    left = std::max(TruncateToInt(x0 + 0.4999999999), 0), right = std::max(TruncateToInt(x1 + 0.5000000001), 0);
    top = std::max(TruncateToInt(y0 + 0.4999999999), 0), bottom = std::max(TruncateToInt(y1 + 0.5000000001), 0);
  }
  if (left >= right || top >= bottom) return ippStsNoOperation;
  *destinationRect = IppiRect{left, top, right - left, bottom - top};
  return ippStsNoErr;
}

IppStatus PlanResize(const uint8_t* source, IppiSize sourceSize, IppiRect* sourceRegion, const uint8_t* destination,
                     IppiRect destinationRegion, double xFactor, double yFactor, double xShift, double yShift,
                     int interpolation, const uint8_t* buffer, ResizePlan* plan) {
  if (source == nullptr || destination == nullptr || buffer == nullptr || sourceRegion == nullptr) {
    return ippStsNullPtrErr;
  }
  if (sourceSize.width <= 0 || sourceSize.height <= 0 || !ValidRegion(*sourceRegion) ||
      !ValidRegion(destinationRegion)) {
    return ippStsSizeErr;
  }
  if (!ValidFactor(xFactor) || !ValidFactor(yFactor)) return ippStsResizeFactorErr;
  int mode;
  uint32_t option;
  if (!ParseInterpolation(interpolation, &mode, &option)) return ippStsInterpolationErr;
  if (mode == kSuperSampling && (xFactor > 1.0 || yFactor > 1.0)) return ippStsResizeFactorErr;
  IppiRect& s = *sourceRegion;
  if (s.x >= sourceSize.width || s.y >= sourceSize.height) return ippStsWrongIntersectROI;

  if (sourceSize.width < 6 || sourceSize.height < 6) {
    if (mode == kLanczos) mode = kCubicLagrange;
    if ((sourceSize.width < 4 || sourceSize.height < 4) && mode >= kCubicLagrange && mode <= kCubicB05C03) {
      mode = kLinear;
    }
  }
  s.width = std::min(s.width, sourceSize.width - s.x);
  s.height = std::min(s.height, sourceSize.height - s.y);

  const IppiRect& d = destinationRegion;
  const double xMin = std::max(s.x * xFactor + xShift, static_cast<double>(d.x));
  const double xMax =
      std::min((static_cast<double>(s.x) + s.width) * xFactor + xShift, static_cast<double>(d.x) + d.width);
  const double yMin = std::max(s.y * yFactor + yShift, static_cast<double>(d.y));
  const double yMax =
      std::min((static_cast<double>(s.y) + s.height) * yFactor + yShift, static_cast<double>(d.y) + d.height);
  int left, right, top, bottom;
  if (option == kEdgeBlend || option == kEdgeFade) {
    left = CeilToInt(xMin - 1e-10), right = FloorToInt(xMax + 1e-10);
    top = CeilToInt(yMin - 1e-10), bottom = FloorToInt(yMax + 1e-10);
  } else {
    left = TruncateToInt(xMin + 0.4999999999), right = TruncateToInt(xMax + 0.5000000001);
    top = TruncateToInt(yMin + 0.4999999999), bottom = TruncateToInt(yMax + 0.5000000001);
  }
  if (left >= right || top >= bottom) return ippStsNoOperation;

  plan->mode = mode;
  plan->option = option;
  plan->source = s;
  plan->xMin = xMin, plan->xMax = xMax, plan->yMin = yMin, plan->yMax = yMax;
  const bool widened = option == kAntialiasing && mode != kNearest && mode != kSuperSampling;
  const double xRatio = widened ? WideningRatio(s.width, d.width) : 1.0;
  const double yRatio = widened ? WideningRatio(s.height, d.height) : 1.0;
  // Reaches past any buffer the size rule can promise are capped so that tap counts stay ints.
  const int radius = Radius(mode);
  const int xReach = std::min(CeilToInt(radius * xRatio), 1 << 24),
            yReach = std::min(CeilToInt(radius * yRatio), 1 << 24);
  plan->x = ResizeAxis{xFactor, xShift, left, right, s.x, s.x + s.width - 1, xRatio, xReach};
  plan->y = ResizeAxis{yFactor, yShift, top, bottom, s.y, s.y + s.height - 1, yRatio, yReach};
  // The clipped region never asks more of the rule than the caller's region did.
  plan->budget = BufferBytes(s, d, 1, mode, widened) + 16;
  return ippStsNoErr;
}

void NearestIndices(const ResizeAxis& axis, int32_t* indices) {
  for (int d = axis.first; d < axis.end; ++d) {
    const int i = TruncateToInt((d + 0.5) / axis.factor - axis.shift / axis.factor - 1e-10);
    indices[d - axis.first] = Clamp(i, axis.low, axis.high);
  }
}

// Starts far outside the region clamp to just outside it, where every neighbour is already the
// edge pixel, so that no index arithmetic can overflow.
void LinearTable(const ResizeAxis& axis, int32_t* starts, int32_t* weights, LinearRuns* runs) {
  for (int d = axis.first; d < axis.end; ++d) {
    const double s = axis.Source(d);
    int start = Clamp(FloorToInt(s), axis.low - 1, axis.high + 1);
    int weight = WeightFromFraction(Fraction(s));
    // A whole weight on the second neighbour is the second neighbour itself.
    if (weight == 16384) start = std::min(start + 1, axis.high + 1), weight = 0;
    starts[d - axis.first] = start;
    weights[d - axis.first] = weight;
  }
  if (runs != nullptr) *runs = FindLinearRuns(axis, starts, weights);
}

int TapCount(const ResizeAxis& axis, int mode, bool antialiasing) {
  if (antialiasing) return 2 * axis.reach + 2;
  return mode == kLanczos ? 6 : 4;
}

void TapTable(const ResizeAxis& axis, int mode, bool antialiasing, int taps, int32_t* starts, float* weights) {
  const int count = axis.Count();
  for (int d = axis.first; d < axis.end; ++d) {
    const int i = d - axis.first;
    const double s = axis.Source(d);
    const double floorS = std::floor(s);
    float w[6];
    if (!antialiasing) {
      if (mode == kLanczos) {
        LanczosWeights(Fraction(s), w);
      } else {
        CubicWeights(mode, Fraction(s), w);
      }
      starts[i] = Clamp(TruncateToInt(floorS) - (taps / 2 - 1), axis.low - taps, axis.high + 1);
      for (int t = 0; t < taps; ++t) weights[t * count + i] = w[t];
      continue;
    }
    const double first = floorS - axis.reach;
    double sum = 0.0;
    for (int t = 0; t < taps; ++t) {
      const double distance = std::fabs(first + t - s) / axis.ratio;
      double k;
      if (mode == kLinear) {
        k = distance < 1.0 ? 1.0 - distance : 0.0;
      } else if (mode == kLanczos) {
        k = LanczosKernel(distance < 3.0 ? distance : 3.0);
      } else {
        k = CubicKernel(mode, distance);
      }
      weights[t * count + i] = static_cast<float>(k);
      sum += k;
    }
    for (int t = 0; t < taps; ++t) {
      weights[t * count + i] = sum != 0.0 ? static_cast<float>(weights[t * count + i] / sum) : (t == axis.reach);
    }
    starts[i] = Clamp(TruncateToInt(first), axis.low - taps, axis.high + 1);
  }
}

// Spans are clipped to the region with the outside part of the area given to the edge pixel,
// which is edge replication without any index outside the region.
int AreaTable(const ResizeAxis& axis, int from, int to, const AreaSpans& spans) {
  int largest = 1;
  for (int d = from; d < to; ++d) {
    const int i = d - from;
    const double lo = (d - axis.shift) / axis.factor, hi = (d + 1.0 - axis.shift) / axis.factor;
    const int first = Clamp(FloorToInt(lo), axis.low, axis.high);
    const int last = Clamp(std::max(CeilToInt(hi) - 1, FloorToInt(lo)), axis.low, axis.high);
    const int count = last - first + 1;
    spans.starts[i] = first;
    spans.counts[i] = count;
    spans.firstWeights[i] = static_cast<float>(count == 1 ? hi - lo : first + 1.0 - lo);
    spans.lastWeights[i] = static_cast<float>(hi - last);
    largest = std::max(largest, count);
  }
  return largest;
}

void ResizeEdgePass(const ResizePlan& plan, IppiRect, uint8_t* destination, int step) {
  if (plan.option != kEdgeBlend && plan.option != kEdgeFade) return;
  const bool fade = plan.option == kEdgeFade;
  const double top = plan.yMin - std::floor(plan.yMin), left = plan.xMin - std::floor(plan.xMin);
  const double bottom = plan.yMax - std::floor(plan.yMax), right = plan.xMax - std::floor(plan.xMax);
  const bool hasTop = top > 1e-10, hasLeft = left > 1e-10;
  const bool hasBottom = bottom < 1.0 - 1e-10 && bottom > 0.0, hasRight = right < 1.0 - 1e-10 && right > 0.0;
  const float topCover = static_cast<float>(1.0 - top), leftCover = static_cast<float>(1.0 - left);
  const float bottomCover = static_cast<float>(bottom), rightCover = static_cast<float>(right);
  const int x0 = plan.x.first, x1 = plan.x.end, y0 = plan.y.first, y1 = plan.y.end;
  auto at = [&](int x, int y) -> uint8_t& { return destination[static_cast<ptrdiff_t>(y) * step + x]; };
  auto band = [&](int x, int y, int edgeX, int edgeY, float coverage) {
    const float edge = at(edgeX, edgeY);
    uint8_t& pixel = at(x, y);
    pixel = fade ? EdgeRound(edge * coverage) : BlendEdge(pixel, edge, coverage);
  };
  for (int x = x0; x < x1; ++x) {
    if (hasTop) band(x, y0 - 1, x, y0, topCover);
    if (hasBottom) band(x, y1, x, y1 - 1, bottomCover);
  }
  for (int y = y0; y < y1; ++y) {
    if (hasLeft) band(x0 - 1, y, x0, y, leftCover);
    if (hasRight) band(x1, y, x1 - 1, y, rightCover);
  }
  if (hasTop && hasLeft) band(x0 - 1, y0 - 1, x0, y0, topCover * leftCover);
  if (hasTop && hasRight) band(x1, y0 - 1, x1 - 1, y0, topCover * rightCover);
  if (hasBottom && hasLeft) band(x0 - 1, y1, x0, y1 - 1, bottomCover * leftCover);
  if (hasBottom && hasRight) band(x1, y1, x1 - 1, y1 - 1, bottomCover * rightCover);
}

}  // namespace ryn::geometry
