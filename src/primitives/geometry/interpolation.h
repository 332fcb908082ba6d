// Interpolation values of the geometric operations and the per-pixel rules that every build
// repeats exactly: the 14-bit linear step, the cubic and Lanczos kernels, the rounding of
// interpolated values and the edge blend.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace ryn::geometry {

constexpr int kNearest = 1;
constexpr int kLinear = 2;
constexpr int kCubicLagrange = 4;
constexpr int kCubicBSpline = 5;
constexpr int kCatmullRom = 6;
constexpr int kCubicB05C03 = 7;
constexpr int kSuperSampling = 8;
constexpr int kLanczos = 16;

constexpr uint32_t kModeMask = 0x1FFFFFFFu;
constexpr uint32_t kEdgeBlend = 0x80000000u;
constexpr uint32_t kEdgeFade = 0x40000000u;
constexpr uint32_t kAntialiasing = 0x20000000u;

// Saturating double to int conversion toward zero; NaN gives 0. Coordinates of extreme factors
// and shifts become out-of-range indices that the callers clamp, never undefined conversions.
inline int TruncateToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}
inline int FloorToInt(double v) { return TruncateToInt(std::floor(v)); }
inline int CeilToInt(double v) { return TruncateToInt(std::ceil(v)); }

inline int Clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }

// One step of 8-bit linear interpolation with a 14-bit weight, rounding half up.
inline int LinearStep(int a, int b, int weight) { return (a * (16384 - weight) + b * weight + 8192) >> 14; }

// The 14-bit weight of a fraction kept in single precision.
inline int WeightFromFraction(float fraction) {
  if (!(fraction >= 0.0f)) return 0;
  return static_cast<int>(static_cast<double>(fraction) * 16384.0 + 1e-7);
}

// The smallest float f in [0, 1) with WeightFromFraction(f) == 1: vector code compares against it
// instead of widening fractions to double (fractions of 1 and more are never affected by the bias).
inline float WeightBiasThreshold() {
  float f = 1.0f / 16384.0f;
  while (WeightFromFraction(std::nextafter(f, 0.0f)) == 1) f = std::nextafter(f, 0.0f);
  return f;
}

// Interpolated values are rounded half up and saturated.
inline uint8_t RoundToByte(float v) {
  const float clamped = v > 0.0f ? (v < 255.0f ? v : 255.0f) : 0.0f;
  return static_cast<uint8_t>(static_cast<int>(clamped + 0.5f));
}

// Edge pixels: truncate(value + 0.5000001), saturated, in single precision.
inline uint8_t EdgeRound(float v) {
  const float r = v + 0.5000001f;
  return static_cast<uint8_t>(r >= 255.0f ? 255 : (r > 0.0f ? static_cast<int>(r) : 0));
}
inline uint8_t BlendEdge(uint8_t old, float edge, float coverage) {
  return EdgeRound(static_cast<float>(old) + (edge - static_cast<float>(old)) * coverage);
}

// The four cubic kernels at distance x >= 0.
inline double CubicKernel(int mode, double x) {
  if (x >= 2.0) return 0.0;
  const double x2 = x * x, x3 = x2 * x;
  switch (mode) {
    case kCubicLagrange:
      return x < 1.0 ? 0.5 * x3 - x2 - 0.5 * x + 1.0 : -x3 / 6.0 + x2 - (11.0 / 6.0) * x + 1.0;
    case kCubicBSpline:
      return x < 1.0 ? 0.5 * x3 - x2 + 2.0 / 3.0 : -x3 / 6.0 + x2 - 2.0 * x + 4.0 / 3.0;
    case kCatmullRom:
      return x < 1.0 ? 1.5 * x3 - 2.5 * x2 + 1.0 : -0.5 * x3 + 2.5 * x2 - 4.0 * x + 2.0;
    default:
      return x < 1.0 ? 0.95 * x3 - 1.7 * x2 + 0.8333333333333334
                     : -0.38333333333333336 * x3 + 2.0 * x2 - 3.4 * x + 1.8666666666666667;
  }
}

// The three-lobe Lanczos kernel tabulated every 0.01 on [0, 3], interpolated linearly.
double LanczosKernel(double x);

// Weights of the four cubic taps floor(s) - 1 .. floor(s) + 2 for the fraction f of s.
inline void CubicWeights(int mode, float f, float weights[4]) {
  const double d = f;
  weights[0] = static_cast<float>(CubicKernel(mode, 1.0 + d));
  weights[1] = static_cast<float>(CubicKernel(mode, d));
  weights[2] = static_cast<float>(CubicKernel(mode, 1.0 - d));
  weights[3] = static_cast<float>(CubicKernel(mode, 2.0 - d));
}

// Weights of the six Lanczos taps floor(s) - 2 .. floor(s) + 3, divided by their sum.
inline void LanczosWeights(float f, float weights[6]) {
  double w[6], sum = 0.0;
  for (int t = 0; t < 6; ++t) {
    double distance = std::fabs(static_cast<double>(t) - 2.0 - static_cast<double>(f));
    if (distance > 3.0) distance = 3.0;
    w[t] = LanczosKernel(distance);
    sum += w[t];
  }
  for (int t = 0; t < 6; ++t) weights[t] = static_cast<float>(w[t] / sum);
}

}  // namespace ryn::geometry
