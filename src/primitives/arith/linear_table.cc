#include "primitives/arith/linear_table.h"

#include <algorithm>

namespace ryn::arith {
namespace {

uint8_t ClampToByte(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

// Truncated toward zero, then clamped; compared in double so that no value overflows an int.
uint8_t TruncateToByte(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 255.0) return 255;
  return static_cast<uint8_t>(value);
}

}  // namespace

// A pair's first level is clamped to 0..255 and its second to 0..256, so every level is a valid
// index whatever the caller passes: a pair at or beyond 256 narrows to entry 255 and a pair at or
// below 0 to nothing. The interpolation keeps the unclamped levels.
void BuildLinearTable(const int32_t* values, const int32_t* levels, int levelCount, uint8_t table[256]) {
  for (int v = 0; v < 256; ++v) table[v] = static_cast<uint8_t>(v);
  for (int k = 0; k + 1 < levelCount; ++k) {
    const int64_t low = levels[k];
    const int64_t high = levels[k + 1];
    if (low >= high) continue;
    const int64_t first = std::clamp<int64_t>(low, 0, 255);
    const int64_t end = std::clamp<int64_t>(high, 0, 256);
    if (end - first == 1) {
      table[first] = ClampToByte(values[k]);
      continue;
    }
    const double slope =
        static_cast<double>(int64_t{values[k + 1]} - values[k]) / static_cast<double>(high - low);
    const double offset = static_cast<double>(values[k]) + 0.5 - static_cast<double>(low) * slope;
    for (int64_t v = first; v < end; ++v) table[v] = TruncateToByte(static_cast<double>(v) * slope + offset);
  }
}

}  // namespace ryn::arith
