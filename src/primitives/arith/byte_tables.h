// The 256-entry tables of the 8-bit operations whose result depends on the pixel alone through a
// rule too costly per pixel: the division by a constant and the logarithm. Every build looks up
// the same table, so every build gives the same bytes.
#pragma once

#include <cstdint>

namespace ryn::arith {

// Outside these scale factors DivC gives 0 everywhere (above) or 255 for every non-zero pixel
// (below).
constexpr int kLastDivisionScale = 8;
constexpr int kFirstDivisionScale = -15;

// table[x] = x * f rounded to nearest (ties to even) and saturated, with f = 2^-scale / value and
// the product in single precision. value >= 1, scale <= kLastDivisionScale.
void BuildDivisionTable(uint8_t value, int scale, uint8_t table[256]);

// table[x] = ln(x) * 2^-scale rounded to nearest and saturated; table[0] = 0.
void BuildLnTable(int scale, uint8_t table[256]);

}  // namespace ryn::arith
