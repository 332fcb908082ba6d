// Per-pixel rules of the narrowing conversions, shared by the generic code and the scalar tails of
// every processor build so that all builds agree bit for bit.
#pragma once

#include <cstdint>

namespace ryn::arith {

inline uint8_t SaturateToByte(int16_t value) {
  if (value < 0) return 0;
  if (value > 255) return 255;
  return static_cast<uint8_t>(value);
}

// Nearest integer, ties to even, saturated to 0..255; NaN gives 0. The rounding is computed from
// the truncated value and the exact remainder, so it does not depend on the caller's rounding mode
// and needs no change of it: truncating conversions ignore the mode, and for 0 <= x < 256 the
// remainder x - trunc(x) is exact.
inline uint8_t RoundToByte(float value) {
  const float positive = value > 0.0f ? value : 0.0f;  // negatives, zeros and NaN
  const float clamped = positive < 255.0f ? positive : 255.0f;
  const int32_t whole = static_cast<int32_t>(clamped);
  const float fraction = clamped - static_cast<float>(whole);
  const bool up = fraction > 0.5f || (fraction == 0.5f && (whole & 1) != 0);
  return static_cast<uint8_t>(whole + (up ? 1 : 0));
}

}  // namespace ryn::arith
