#include "primitives/arith/byte_tables.h"

#include <algorithm>
#include <cmath>

#include "primitives/arith/conversion_rules.h"

namespace ryn::arith {

void BuildDivisionTable(uint8_t value, int scale, uint8_t table[256]) {
  if (scale < kFirstDivisionScale) {
    // f is at least 2^16 / 255: any non-zero pixel saturates (and 2^-scale may overflow a float).
    for (int x = 0; x < 256; ++x) table[x] = x == 0 ? 0 : 255;
    return;
  }
  const float factor = std::ldexp(1.0f, -scale) / static_cast<float>(value);
  for (int x = 0; x < 256; ++x) table[x] = RoundToByte(static_cast<float>(x) * factor);
}

// Rounded by adding 0.5 and truncating. No ln(x) * 2^-scale of a whole x > 1 lies near enough to a
// half to be rounded differently from the exact value: for the scale factors with at most 23
// distinct results (0..3, -1, -2) this gives the thresholds of exact rounding.
void BuildLnTable(int scale, uint8_t table[256]) {
  // ln 255 < 2^3 and ln 2 > 2^-1: beyond these scale factors the table no longer changes.
  const int clamped = std::clamp(scale, -10, 10);
  table[0] = 0;
  for (int x = 1; x < 256; ++x) {
    const double scaled = std::ldexp(std::log(static_cast<double>(x)), -clamped) + 0.5;
    table[x] = scaled >= 255.0 ? 255 : static_cast<uint8_t>(scaled);
  }
}

}  // namespace ryn::arith
