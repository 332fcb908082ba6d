// Border types of the bordered derivative filters. The low four bits pick how coordinates outside
// the region map into it:
//   0 constant: the border value;
//   1 replicate: the nearest pixel of the region (..., 0, 0 | 0, 1, 2);
//   2 wrap: the opposite side of the region (..., n - 2, n - 1 | 0, 1, 2);
//   3 reflect, edge pixel repeated (..., 1, 0 | 0, 1, 2);
//   4 reflect about the edge pixel (..., 2, 1 | 0, 1, 2), one-pixel axes repeat their pixel;
//   6 every side in memory (the four flags below together).
// Flags above the low four bits say that the caller's memory holds the pixels beyond one side,
// which are then read from it: 16 left, 32 right, 64 above, 128 below. A type is invalid when
// its low four bits are none of 0, 1, 2, 3, 4, 6, or when bits above them are set but none of
// the four flags is among them; other high bits beside a flag are ignored.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::derivatives {

constexpr int kMemoryLeft = 16;
constexpr int kMemoryRight = 32;
constexpr int kMemoryAbove = 64;
constexpr int kMemoryBelow = 128;
constexpr int kMemoryAll = kMemoryLeft | kMemoryRight | kMemoryAbove | kMemoryBelow;

constexpr IppStatus ValidBorderType(int type) {
  const int low = type & 15;
  if (low == 5 || low > 6) return ippStsBadArgErr;
  const unsigned high = static_cast<unsigned>(type) & ~15u;
  if (high != 0 && (high & kMemoryAll) == 0) return ippStsBadArgErr;
  return ippStsNoErr;
}

// Coordinates mapped to this read the border value.
constexpr int kConstantPixel = INT32_MIN;

struct AxisRule {
  int base;  // the low four bits; 6 reads memory on both sides
  bool memoryBefore;
  bool memoryAfter;
};

constexpr int FlagsOf(int type) { return (type & 15) == 6 ? kMemoryAll : type & kMemoryAll; }
constexpr AxisRule ColumnRule(int type) {
  return AxisRule{type & 15, (FlagsOf(type) & kMemoryLeft) != 0, (FlagsOf(type) & kMemoryRight) != 0};
}
constexpr AxisRule RowRule(int type) {
  return AxisRule{type & 15, (FlagsOf(type) & kMemoryAbove) != 0, (FlagsOf(type) & kMemoryBelow) != 0};
}

constexpr int NonNegativeRemainder(int64_t c, int64_t period) {
  const int64_t m = c % period;
  return static_cast<int>(m < 0 ? m + period : m);
}

// The coordinate of the axis of n pixels that c reads, or kConstantPixel. Coordinates of memory
// sides are kept as they are.
constexpr int MapCoordinate(int c, int n, AxisRule rule) {
  if (c >= 0 && c < n) return c;
  if ((c < 0 && rule.memoryBefore) || (c >= n && rule.memoryAfter)) return c;
  switch (rule.base) {
    case 0:
      return kConstantPixel;
    case 2:
      return NonNegativeRemainder(c, n);
    case 3: {
      const int m = NonNegativeRemainder(c, 2 * int64_t{n});
      return m < n ? m : 2 * n - 1 - m;
    }
    case 4: {
      if (n == 1) return 0;
      const int m = NonNegativeRemainder(c, 2 * (int64_t{n} - 1));
      return m < n ? m : 2 * (n - 1) - m;
    }
    default:  // 1, and 6 on a side it does not hold in memory (none)
      return c < 0 ? 0 : n - 1;
  }
}

}  // namespace ryn::derivatives
