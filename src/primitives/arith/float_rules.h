// Per-pixel rules of the single-precision arithmetic whose special cases or evaluation order the
// scalar ends of every processor build must repeat exactly.
#pragma once

#include <bit>
#include <cstdint>

namespace ryn::arith {

constexpr uint32_t kSignBit = 0x80000000u;
// The quiet NaN of a zero or NaN dividend over a zero divisor.
constexpr uint32_t kQuotientNaNBits = 0x7FC00000u;

inline float ClearSign(float x) { return std::bit_cast<float>(std::bit_cast<uint32_t>(x) & ~kSignBit); }

// dividend / divisor, except that a zero divisor of either sign gives an infinity with the
// dividend's sign, or the quiet NaN for a zero or NaN dividend.
inline float Quotient(float dividend, float divisor) {
  if (divisor != 0.0f) return dividend / divisor;
  if (dividend > 0.0f) return std::bit_cast<float>(0x7F800000u);
  if (dividend < 0.0f) return std::bit_cast<float>(0xFF800000u);
  return std::bit_cast<float>(kQuotientNaNBits);
}

// The running average, difference first, then the product, then the sum.
inline float RunningAverage(float accumulator, float source, float alpha) {
  const float difference = source - accumulator;
  const float step = alpha * difference;
  return accumulator + step;
}

}  // namespace ryn::arith
