// Per-sample rules of the random generators, shared by the generic code and the scalar heads and
// tails of the processor builds, which must give the same bits.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "primitives/numerics/random_generator.h"

namespace ryn::numerics {

// Adding and subtracting 1.5 x 2^52 rounds a double of magnitude below 2^51 to an integer in the
// current rounding mode (to nearest, ties to even, inside the generators).
inline constexpr double kRoundingShift = 6755399441055744.0;

inline double RoundToInteger(double value) { return (value + kRoundingShift) - kRoundingShift; }

// Bounds first, then rounding: the bounds are integers, so this equals rounding then saturating.
template <class T>
inline T RoundAndSaturate(double value, double lowest, double highest) {
  const double bounded = value < lowest ? lowest : (value > highest ? highest : value);
  return static_cast<T>(static_cast<int32_t>(RoundToInteger(bounded)));
}

// The uniform generators map an output u to midpoint + u x scale, all in double.
template <class T>
inline double UniformMidpoint(T low, T high) {
  return (static_cast<double>(low) + static_cast<double>(high)) * 0.5;
}
template <class T>
inline double UniformScale(T low, T high) {
  return (static_cast<double>(high) - static_cast<double>(low)) * 0x1p-32;
}

// The uniform value of one generator output u.
inline double UniformValue(int32_t u, double midpoint, double scale) {
  return midpoint + static_cast<double>(u) * scale;
}

// A uniform value as a sample of type T: single floats by conversion, integers rounded and
// saturated.
template <class T>
inline T UniformSample(double value) {
  if constexpr (std::is_same_v<T, float>) {
    return static_cast<float>(value);
  } else if constexpr (std::is_same_v<T, double>) {
    return value;
  } else if constexpr (std::is_same_v<T, int16_t>) {
    return RoundAndSaturate<int16_t>(value, -32768.0, 32767.0);
  } else {
    static_assert(std::is_same_v<T, uint8_t>);
    return RoundAndSaturate<uint8_t>(value, 0.0, 255.0);
  }
}

// ---------------------------------------------------------------------------------------------
// Gaussian samples by the polar method.

// Maps a generator output to [-1, 1).
inline constexpr double kPairScale = 4.656612873077e-10;

// Natural logarithm of a positive normal double, within one unit in the last place. The library
// computes it itself rather than through the C library so that Gaussian samples are the same
// whatever C library the process runs with, and so that the vector builds can repeat it. The
// argument is split as 2^k x m with m in [sqrt(2)/2, sqrt(2)); log(m) = log(1 + f) comes from
// s = f / (2 + f) and an odd polynomial in s.
inline constexpr uint64_t kLogExponentBias = 0x3ff0000000000000ull - 0x3fe6a09e00000000ull;
inline constexpr uint64_t kLogMantissaMask = 0x000fffffffffffffull;
inline constexpr uint64_t kLogMantissaBase = 0x3fe6a09e00000000ull;
inline constexpr double kLn2High = 6.93147180369123816490e-01;
inline constexpr double kLn2Low = 1.90821492927058770002e-10;
inline constexpr double kLogC1 = 6.666666666666735130e-01;
inline constexpr double kLogC2 = 3.999999999940941908e-01;
inline constexpr double kLogC3 = 2.857142874366239149e-01;
inline constexpr double kLogC4 = 2.222219843214978396e-01;
inline constexpr double kLogC5 = 1.818357216161805012e-01;
inline constexpr double kLogC6 = 1.531383769920937332e-01;
inline constexpr double kLogC7 = 1.479819860511658591e-01;

inline double NaturalLog(double x) {
  const uint64_t shifted = std::bit_cast<uint64_t>(x) + kLogExponentBias;
  const double k = static_cast<double>(static_cast<int>(shifted >> 52) - 1023);
  const double m = std::bit_cast<double>((shifted & kLogMantissaMask) + kLogMantissaBase);
  const double f = m - 1.0;
  const double halfSquare = 0.5 * f * f;
  const double s = f / (2.0 + f);
  const double z = s * s;
  const double w = z * z;
  const double even = w * (kLogC2 + w * (kLogC4 + w * kLogC6));
  const double odd = z * (kLogC1 + w * (kLogC3 + w * (kLogC5 + w * kLogC7)));
  const double r = odd + even;
  return s * (halfSquare + r) + k * kLn2Low - halfSquare + f + k * kLn2High;
}

// A pair (u1, u2) in the unit disc without its centre, and f = sqrt(-2 ln(s) / s).
inline bool InsidePolarDisc(double s) { return s < 1.0 && s != 0.0; }
inline double PolarFactor(double s) { return std::sqrt((-2.0 * NaturalLog(s)) / s); }

struct NormalPair {
  double first;   // u1
  double second;  // u2
  double factor;  // f
};

// Draws pairs of outputs until one falls inside the disc.
inline NormalPair DrawNormalPair(GeneratorWords& words) {
  for (;;) {
    const double u1 = static_cast<double>(NextOutput(words)) * kPairScale;
    const double u2 = static_cast<double>(NextOutput(words)) * kPairScale;
    const double s = u1 * u1 + u2 * u2;
    if (InsidePolarDisc(s)) return NormalPair{u1, u2, PolarFactor(s)};
  }
}

// A Gaussian sample from a scaled normal deviate z = u x f: mean + z x deviation. Single floats
// form the product in double and add the mean in single precision; 16s rounds and saturates.
template <class T>
inline T GaussSample(double z, T mean, double deviation) {
  if constexpr (std::is_same_v<T, float>) {
    return mean + static_cast<float>(z * deviation);
  } else if constexpr (std::is_same_v<T, double>) {
    return mean + z * deviation;
  } else {
    static_assert(std::is_same_v<T, int16_t>);
    return RoundAndSaturate<int16_t>(static_cast<double>(mean) + z * deviation, -32768.0, 32767.0);
  }
}

}  // namespace ryn::numerics
