// The order in which float extremes are taken. Comparisons are ordered, so a NaN pixel never
// becomes an extreme; of two zeros the positive one counts as the larger, so that the sign of a
// zero extreme does not depend on the order in which pixels are visited (processor builds visit
// them lane by lane).
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace ryn::stats {

inline bool IsGreater(float x, float than) {
  return x > than || (x == than && !std::signbit(x) && std::signbit(than));
}

inline bool IsLess(float x, float than) {
  return x < than || (x == than && std::signbit(x) && !std::signbit(than));
}

// A signed integer that orders non-NaN floats as IsGreater does (-0 just below +0). The mapping
// is its own inverse.
inline int32_t OrderKey(float x) {
  const int32_t bits = std::bit_cast<int32_t>(x);
  return bits ^ ((bits >> 31) & 0x7FFFFFFF);
}

inline float FromOrderKey(int32_t key) { return std::bit_cast<float>(key ^ ((key >> 31) & 0x7FFFFFFF)); }

// The rule of the indexed maximum, met in row-major order: only a strictly greater value takes
// the lead, so ties go to the first occurrence. NaN pixels never lead; a NaN lead (from the first
// pixel) gives way to the first number.
inline bool TakesTheLead(float value, float lead) {
  return value > lead || (std::isnan(lead) && !std::isnan(value));
}

}  // namespace ryn::stats
