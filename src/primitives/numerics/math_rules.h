// Per-element rules of the element-wise functions, shared by the generic code and the scalar
// heads and tails of the processor builds. The processor builds repeat the ordinary paths lane by
// lane, operation for operation, and call the special paths here for the lanes that need them.
//
// The approximate reciprocal and reciprocal square root start from the exponent bits rather than
// from the processors' estimate instructions, whose values differ between vendors and between the
// SSE and AVX-512 forms: results are then the same on every processor.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "RynRAZUdidazoror.h"

namespace ryn::numerics {

inline void NoteWarning(IppStatus& status, IppStatus warning) {
  if (status == ippStsNoErr) status = warning;
}

// ---------------------------------------------------------------------------------------------
// Estimates.

inline constexpr uint32_t kReciprocalMagic = 0x7EF311C3u;
inline constexpr uint32_t kReciprocalSqrtMagic = 0x5F3759DFu;

// 1 / d to about 12 bits for a normal d below 2^126: the exponent bits negated, two Newton steps.
inline float ReciprocalEstimate(float d) {
  float r = std::bit_cast<float>(kReciprocalMagic - std::bit_cast<uint32_t>(d));
  r = r * (2.0f - d * r);
  return r * (2.0f - d * r);
}

// 1 / sqrt(s) to about 9 bits for a normal s: the exponent bits halved and negated, one step.
inline float ReciprocalSqrtEstimate(float s, float halfS) {
  const float y = std::bit_cast<float>(kReciprocalSqrtMagic - (std::bit_cast<uint32_t>(s) >> 1));
  return y * (1.5f - halfS * y * y);
}

// ---------------------------------------------------------------------------------------------
// Two-argument arctangent.

inline constexpr float kPi = 3.14159265f;
inline constexpr float kHalfPi = 1.57079633f;
inline constexpr float kAtanC1 = 0.99977523f;
inline constexpr float kAtanC3 = -0.32550535f;
inline constexpr float kAtanC5 = 0.15457194f;
inline constexpr float kAtanC7 = -0.043525815f;
// Operands of magnitude in [2^-63, 2^63) are ordinary: their quotient and its powers stay normal.
inline constexpr float kAtan2Smallest = 0x1p-63f;
inline constexpr float kAtan2Largest = 0x1p63f;

inline bool Atan2Ordinary(float y, float x) {
  const float ay = std::fabs(y), ax = std::fabs(x);
  return ax >= kAtan2Smallest && ax < kAtan2Largest && ay >= kAtan2Smallest && ay < kAtan2Largest;
}

// t (p0 + p1 t^2 + p2 t^4 + p3 t^6), Horner in t^2.
inline float AtanPolynomial(float t) {
  const float t2 = t * t;
  return t * (((kAtanC7 * t2 + kAtanC5) * t2 + kAtanC3) * t2 + kAtanC1);
}

// The smaller magnitude over the larger, by a reciprocal refined by one more Newton step; the
// polynomial gives the angle from the nearer axis.
inline float OrdinaryAtan2(float y, float x) {
  const float ay = std::fabs(y), ax = std::fabs(x);
  const bool steep = ay > ax;
  const float numerator = steep ? ax : ay;
  const float denominator = steep ? ay : ax;
  float r = ReciprocalEstimate(denominator);
  r = r * (2.0f - denominator * r);
  const float p = AtanPolynomial(numerator * r);
  const float base = steep ? kHalfPi - p : p;
  const float angle = x < 0.0f ? kPi - base : base;
  return std::copysign(angle, y);
}

// Zeros, denormals, infinities, NaN and extreme magnitudes, in double.
inline float SpecialAtan2(float y, float x, IppStatus& status) {
  if (std::isnan(y) || std::isnan(x)) NoteWarning(status, ippStsNanArg);
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}

inline float Atan2Element(float y, float x, IppStatus& status) {
  return Atan2Ordinary(y, x) ? OrdinaryAtan2(y, x) : SpecialAtan2(y, x, status);
}

// ---------------------------------------------------------------------------------------------
// Hypotenuse.

inline constexpr float kHypotSmallest = 9.317362e-21f;
inline constexpr float kHypotLargest = 9.223372e19f;

inline float SquaredSum(float a, float b) { return a * a + b * b; }
inline bool HypotOrdinary(float s) { return s >= kHypotSmallest && s <= kHypotLargest; }

// The estimate of 1/sqrt(s) refined twice by Newton's step y' = y + y/2 (1 - s y^2): the first
// on y, the second on r = s y, where it reads r' = r + y/2 (s - r^2) and keeps the last bit.
inline float OrdinaryHypot(float s) {
  const float halfS = 0.5f * s;
  float y = ReciprocalSqrtEstimate(s, halfS);
  y = y * (1.5f - halfS * y * y);
  const float r = s * y;
  return r + (0.5f * y) * (s - r * r);
}

// Without intermediate overflow or underflow, in double. hypot(inf, NaN) is inf.
inline float SpecialHypot(float a, float b, IppStatus& status) {
  if (std::isinf(a) || std::isinf(b)) return std::numeric_limits<float>::infinity();
  if (std::isnan(a) || std::isnan(b)) {
    NoteWarning(status, ippStsNanArg);
    return a + b;
  }
  const double da = a, db = b;
  const float result = static_cast<float>(std::sqrt(da * da + db * db));
  if (std::isinf(result)) NoteWarning(status, ippStsOverflow);
  return result;
}

inline float HypotElement(float a, float b, IppStatus& status) {
  const float s = SquaredSum(a, b);
  return HypotOrdinary(s) ? OrdinaryHypot(s) : SpecialHypot(a, b, status);
}

// ---------------------------------------------------------------------------------------------
// Sine to 11 bits.

inline constexpr float kSineLimit = 49152.0f;
inline constexpr float kInverseTwoPi = 0.159154943f;
// 2 pi = 6.283203 - 1.781782e-5; the high part is taken as 6.28125 + 2^-9, so that k times each
// piece is exact for every k up to the limit.
inline constexpr float kTwoPiHigh = 6.28125f;
inline constexpr float kTwoPiMiddle = 0.001953125f;
inline constexpr float kTwoPiLow = -1.781782e-5f;
// Adding and subtracting 1.5 x 2^23 rounds a float below 2^22 to an integer.
inline constexpr float kFloatRoundingShift = 12582912.0f;
// sin(r) / r on [-pi/2, pi/2] as a cubic in r^2 (relative error below 8e-7).
inline constexpr float kSineC0 = 0.999999237f;
inline constexpr float kSineC1 = -0.166656765f;
inline constexpr float kSineC2 = 0.00831319141f;
inline constexpr float kSineC3 = -0.000185225393f;

inline bool SineOrdinary(float x) { return std::fabs(x) <= kSineLimit; }

// x - k 2 pi with k the nearest integer to x / 2 pi: in [-pi, pi] up to rounding.
inline float ReducedAngle(float x) {
  const float k = (x * kInverseTwoPi + kFloatRoundingShift) - kFloatRoundingShift;
  return ((x - k * kTwoPiHigh) - k * kTwoPiMiddle) - k * kTwoPiLow;
}

// sin(r) for r in [-pi, pi] (a little beyond from rounding): folded into [-pi/2, pi/2] by
// sin(pi - r) = sin(r), then the polynomial.
inline float SineOfReduced(float r) {
  r = r > kHalfPi ? kPi - r : r;
  r = r < -kHalfPi ? -kPi - r : r;
  const float z = r * r;
  return r * (((kSineC3 * z + kSineC2) * z + kSineC1) * z + kSineC0);
}

inline float OrdinarySine(float x) { return SineOfReduced(ReducedAngle(x)); }

// x reduced exactly modulo 2 pi, for finite |x| above the limit.
float ReduceLargeAngle(float x);

// Infinities and NaN give NaN, without a warning.
inline float SpecialSine(float x) { return std::isfinite(x) ? SineOfReduced(ReduceLargeAngle(x)) : x - x; }

inline float SineElement(float x) { return SineOrdinary(x) ? OrdinarySine(x) : SpecialSine(x); }

// ---------------------------------------------------------------------------------------------
// Jaehne pattern, in double.

inline constexpr double kTwoPiDouble = 6.283185307179586;
inline constexpr double kInverseTwoPiDouble = 0.15915494309189535;
inline constexpr double kPiDouble = 3.141592653589793;
inline constexpr double kHalfPiDouble = 1.5707963267948966;
// Above this, a double number of turns is an integer to within its rounding: no phase is left.
inline constexpr double kWholeTurns = 0x1p51;
inline constexpr double kDoubleRoundingShift = 6755399441055744.0;
// sin(r) / r on [-pi/2, pi/2] as a polynomial of degree 8 in r^2 (error below 3e-19).
inline constexpr double kSineD0 = 1.0;
inline constexpr double kSineD1 = -0.16666666666666666;
inline constexpr double kSineD2 = 0.008333333333333186;
inline constexpr double kSineD3 = -0.00019841269841208676;
inline constexpr double kSineD4 = 2.7557319211229606e-06;
inline constexpr double kSineD5 = -2.505210689056952e-08;
inline constexpr double kSineD6 = 1.605894087848656e-10;
inline constexpr double kSineD7 = -7.643026557971632e-13;
inline constexpr double kSineD8 = 2.7215749422983443e-15;
inline constexpr double kJaehneScale = 127.99999;

// (xc^2 + yc^2) x 2 pi / (4 H), evaluated in that order.
inline double JaehnePhase(double xc, double ycSquared, double fourHeight) {
  return ((xc * xc + ycSquared) * kTwoPiDouble) / fourHeight;
}

// The phase less its nearest whole number of turns, in [-pi, pi].
inline double ReducedPhase(double phase) {
  const double turns = phase * kInverseTwoPiDouble;
  const double whole =
      std::fabs(turns) < kWholeTurns ? (turns + kDoubleRoundingShift) - kDoubleRoundingShift : turns;
  return (turns - whole) * kTwoPiDouble;
}

inline double SineOfReducedPhase(double r) {
  r = r > kHalfPiDouble ? kPiDouble - r : r;
  r = r < -kHalfPiDouble ? -kPiDouble - r : r;
  const double z = r * r;
  const double p =
      ((((((((kSineD8 * z + kSineD7) * z + kSineD6) * z + kSineD5) * z + kSineD4) * z + kSineD3) * z + kSineD2) *
            z +
        kSineD1) *
           z +
       kSineD0);
  return r * p;
}

inline uint8_t JaehnePixel(double xc, double ycSquared, double fourHeight) {
  const double v = SineOfReducedPhase(ReducedPhase(JaehnePhase(xc, ycSquared, fourHeight)));
  return static_cast<uint8_t>(static_cast<int32_t>((v + 1.0) * kJaehneScale));
}

}  // namespace ryn::numerics
