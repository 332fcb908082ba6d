// Working-buffer sizes of the bordered filters and of Canny, in 64 bits so that a region whose
// size leaves the 32-bit range is refused instead of wrapping to a small buffer.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::derivatives {

constexpr int64_t RoundUp(int64_t value, int64_t multiple) { return (value + multiple - 1) / multiple * multiple; }

// 5 (W + 2) (H + 2) + 16 W + 160: a candidate map, a stack of pixels and magnitude rows. The map
// alone fits 64 bits for any int sizes, but five of it need not; a map past the 32-bit range gives
// INT64_MAX, which every caller refuses.
constexpr int64_t CannyBytes(IppiSize region) {
  const int64_t mapPixels = (int64_t{region.width} + 2) * (int64_t{region.height} + 2);
  if (mapPixels > INT32_MAX) return INT64_MAX;
  return 5 * mapPixels + 16 * int64_t{region.width} + 160;
}

// The bytes a bordered filter of radius r uses of its buffer: 2r + 1 bordered rows and up to
// three work rows of W + 2r elements, each rounded to 32 bytes, and 31 bytes to align the start.
// Every size query gives at least this (the queries' formulas grow by 42 bytes or more per
// column), so that a buffer sized for 3 x 3 also serves 5 x 5.
constexpr int64_t BorderedBytesUsed(IppiSize region, int radius, int elementBytes) {
  const int64_t row = RoundUp((int64_t{region.width} + 2 * radius) * elementBytes, 32);
  return (2 * radius + 1 + 3) * row + 31;
}

// Canny's working layout: three magnitude rows of W + 2 32-bit values, the (W + 2) x (H + 2)
// map, then the stack of 32-bit map indices; within CannyBytes.
struct CannyLayout {
  int64_t magnitudeRowElements;
  int64_t mapOffset;
  int64_t stackOffset;
};
constexpr CannyLayout CannyLayoutOf(IppiSize region) {
  const int64_t rowElements = int64_t{region.width} + 2;
  const int64_t mapOffset = RoundUp(3 * rowElements * 4, 32);
  const int64_t mapBytes = rowElements * (int64_t{region.height} + 2);
  return CannyLayout{rowElements, mapOffset, mapOffset + RoundUp(mapBytes, 4)};
}

}  // namespace ryn::derivatives
