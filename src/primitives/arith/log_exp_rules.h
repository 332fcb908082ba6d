// e^x and ln x of single floats, computed in double precision and rounded once, so that every
// result is faithful (within one unit in the last place, nearly always the nearest float). The
// processor builds run the same operations in the same order on vectors of doubles, with these
// constants, so that every build gives the same bits.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::arith {

// Ln works through its vectors in chunks of this many elements.
constexpr size_t kLnChunk = 256;

constexpr double kLog2E = 1.4426950408889634;
constexpr double kLn2 = 0.6931471805599453;
// Adding 1.5 x 2^52 rounds a double of magnitude below 2^51 to an integer held in the low bits of
// the sum's mantissa.
constexpr double kRoundingMagic = 6755399441055744.0;
// e^x of any float below the lowest bound rounds to 0, above the highest to infinity: clamping
// keeps the exponent arithmetic within doubles.
constexpr double kExpLowest = -110.0;
constexpr double kExpHighest = 89.0;
// 1/k!, k = 10 down to 0: Taylor terms of e^r for |r| <= ln(2)/2, truncation below 3e-13.
constexpr int kExpTerms = 11;
constexpr double kExpCoefficients[kExpTerms] = {1.0 / 3628800, 1.0 / 362880, 1.0 / 40320, 1.0 / 5040, 1.0 / 720,
                                                1.0 / 120,     1.0 / 24,     1.0 / 6,      1.0 / 2,    1.0,
                                                1.0};
// ln m = 2 atanh(f), f = (m - 1) / (m + 1), |f| <= 0.172 for sqrt(1/2) <= m <= sqrt(2):
// atanh f = f + f^3 (1/3 + f^2/5 + ... + f^10/13), truncation below 2e-12.
constexpr int kAtanhTerms = 6;
constexpr double kAtanhCoefficients[kAtanhTerms] = {1.0 / 13, 1.0 / 11, 1.0 / 9, 1.0 / 7, 1.0 / 5, 1.0 / 3};
constexpr float kSqrt2 = 1.41421356f;
// Multiplying a subnormal float by 2^23 makes it normal, exactly.
constexpr float kSubnormalScale = 8388608.0f;
constexpr uint32_t kSmallestNormalBits = 0x00800000u;
constexpr uint32_t kInfinityBits = 0x7F800000u;
constexpr uint32_t kMinusInfinityBits = 0xFF800000u;
// The NaN of the logarithm of a negative value.
constexpr uint32_t kLnNegativeNaNBits = 0xFFC00000u;

inline bool IsNaNBits(uint32_t bits) { return (bits & 0x7FFFFFFFu) > kInfinityBits; }

inline float ExpOf(float x) {
  if (IsNaNBits(std::bit_cast<uint32_t>(x))) return x;
  double v = x < kExpHighest ? x : kExpHighest;
  v = v > kExpLowest ? v : kExpLowest;
  // e^v = 2^k e^r with k = round(v log2 e) and r = v - k ln 2.
  const double shifted = v * kLog2E + kRoundingMagic;
  const double k = shifted - kRoundingMagic;
  const double r = v - k * kLn2;
  double p = kExpCoefficients[0];
  for (int i = 1; i < kExpTerms; ++i) p = p * r + kExpCoefficients[i];
  const int64_t exponent = std::bit_cast<int64_t>(shifted) - std::bit_cast<int64_t>(kRoundingMagic);
  // 2^k by the exponent field: p lies near 1 and |k| <= 160, so the result stays a normal double.
  const int64_t bits = std::bit_cast<int64_t>(p) + exponent * (int64_t{1} << 52);
  return static_cast<float>(std::bit_cast<double>(bits));
}

// ln x for a finite x > 0.
inline float LnOfPositive(float x) {
  uint32_t bits = std::bit_cast<uint32_t>(x);
  int32_t bias = 127;
  if (bits < kSmallestNormalBits) {
    bits = std::bit_cast<uint32_t>(x * kSubnormalScale);
    bias = 127 + 23;
  }
  // x = 2^exponent m with sqrt(1/2) <= m < sqrt(2).
  int32_t exponent = static_cast<int32_t>(bits >> 23) - bias;
  float m = std::bit_cast<float>((bits & 0x007FFFFFu) | 0x3F800000u);
  if (m > kSqrt2) {
    m = m * 0.5f;
    exponent = exponent + 1;
  }
  const double wide = m;
  const double f = (wide - 1.0) / (wide + 1.0);
  const double f2 = f * f;
  double s = kAtanhCoefficients[0];
  for (int i = 1; i < kAtanhTerms; ++i) s = s * f2 + kAtanhCoefficients[i];
  const double atanh = f + f * (f2 * s);
  return static_cast<float>(static_cast<double>(exponent) * kLn2 + 2.0 * atanh);
}

inline float LnOf(float x) {
  const uint32_t bits = std::bit_cast<uint32_t>(x);
  if (IsNaNBits(bits)) return x;
  if ((bits & 0x80000000u) != 0) return std::bit_cast<float>(kLnNegativeNaNBits);
  if (bits == 0) return std::bit_cast<float>(kMinusInfinityBits);
  if (bits == kInfinityBits) return x;
  return LnOfPositive(x);
}

// The warning an element gives: +0 ippStsLnZeroArg, any other value with the sign bit set except
// NaN ippStsLnNegArg.
inline IppStatus LnWarning(float x) {
  const uint32_t bits = std::bit_cast<uint32_t>(x);
  if (bits == 0) return ippStsLnZeroArg;
  if ((bits & 0x80000000u) != 0 && !IsNaNBits(bits)) return ippStsLnNegArg;
  return ippStsNoErr;
}

}  // namespace ryn::arith
