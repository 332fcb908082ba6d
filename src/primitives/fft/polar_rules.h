// Per-element rules of the polar conversions: magnitude, phase (atan2) and the sine and cosine of
// a phase, in single precision. The generic build runs these; the processor builds compute every
// lane with the same operations in the same order, so that every build gives the same bits.
#pragma once

#include <cmath>

namespace ryn::fft {

constexpr float kPi = 3.14159265358979323846f;
constexpr float kHalfPi = 1.57079632679489661923f;
constexpr float kQuarterPi = 0.785398163397448309616f;
constexpr float kTanEighthPi = 0.414213562373095048802f;
// atan(u) = u + u z (((a0 z + a1) z + a2) z + a3), z = u^2, |u| <= tan(pi/8).
constexpr float kAtan0 = 8.05374449538e-2f;
constexpr float kAtan1 = -1.38776856032e-1f;
constexpr float kAtan2 = 1.99777106478e-1f;
constexpr float kAtan3 = -3.33329491539e-1f;

inline float MagnitudeOf(float re, float im) { return std::sqrt(re * re + im * im); }

// atan2(y, x) in -pi..pi, within a few units in the last place: atan of the smaller over the
// larger magnitude (reduced around 1 by atan(t) = pi/4 + atan((t - 1) / (t + 1))), then folded
// into the quadrant of (x, y). Signed zeros and infinities give the usual atan2 results.
inline float PhaseOf(float y, float x) {
  const float ax = std::fabs(x), ay = std::fabs(y);
  const bool yLarger = ax < ay;
  const float high = yLarger ? ay : ax;
  const float low = yLarger ? ax : ay;
  const float t = high == 0.0f ? 0.0f : (low == high ? 1.0f : low / high);
  const bool reduced = t > kTanEighthPi;
  const float u = reduced ? (t - 1.0f) / (t + 1.0f) : t;
  const float z = u * u;
  const float polynomial = ((kAtan0 * z + kAtan1) * z + kAtan2) * z + kAtan3;
  const float base = reduced ? kQuarterPi : 0.0f;
  float r = base + (polynomial * z * u + u);
  if (yLarger) r = kHalfPi - r;
  if (std::signbit(x)) r = kPi - r;
  if (std::signbit(y)) r = -r;
  if (std::isnan(x) || std::isnan(y)) r = x + y;
  return r;
}

// Sine and cosine: the angle less the nearest multiple q of pi/2 (pi/2 in three parts, exact
// products for |x| up to kLargestReducedAngle), polynomials on [-pi/4, pi/4], then the quadrant
// q mod 4. Larger angles, infinities and NaN go through double precision.
constexpr float kTwoOverPi = 0.636619772367581343076f;
constexpr float kHalfPiPart1 = 1.5703125f;
constexpr float kHalfPiPart2 = 4.837512969970703125e-4f;
constexpr float kHalfPiPart3 = 7.54978995489188216e-8f;
constexpr float kLargestReducedAngle = 8192.0f;
constexpr float kSin0 = -1.9515295891e-4f;
constexpr float kSin1 = 8.3321608736e-3f;
constexpr float kSin2 = -1.6666654611e-1f;
constexpr float kCos0 = 2.443315711809948e-5f;
constexpr float kCos1 = -1.388731625493765e-3f;
constexpr float kCos2 = 4.166664568298827e-2f;

struct SineCosine {
  float sine;
  float cosine;
};

// The angles the polynomials do not serve.
inline bool OutsideReduction(float x) { return !(std::fabs(x) <= kLargestReducedAngle); }

inline SineCosine SineCosineWide(float x) {
  const double angle = x;
  return SineCosine{static_cast<float>(std::sin(angle)), static_cast<float>(std::cos(angle))};
}

inline SineCosine SineCosineOf(float x) {
  if (OutsideReduction(x)) return SineCosineWide(x);
  const float q = std::nearbyint(x * kTwoOverPi);
  const float r = ((x - q * kHalfPiPart1) - q * kHalfPiPart2) - q * kHalfPiPart3;
  const float z = r * r;
  const float sine = ((kSin0 * z + kSin1) * z + kSin2) * z * r + r;
  const float cosine = ((kCos0 * z + kCos1) * z + kCos2) * z * z - 0.5f * z + 1.0f;
  const int quadrant = static_cast<int>(q) & 3;
  const float s = (quadrant & 1) != 0 ? cosine : sine;
  const float c = (quadrant & 1) != 0 ? sine : cosine;
  return SineCosine{(quadrant & 2) != 0 ? -s : s, ((quadrant + 1) & 2) != 0 ? -c : c};
}

}  // namespace ryn::fft
