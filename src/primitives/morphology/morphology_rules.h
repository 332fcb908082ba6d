// Per-pixel rules of the 3 x 3 rank filters, shared by the generic code and the processor
// builds' scalar ends. `above`, `row` and `below` point at the window's centre column.
#pragma once

#include <algorithm>
#include <cstdint>

namespace ryn::morphology {

inline uint8_t Min3x3(const uint8_t* above, const uint8_t* row, const uint8_t* below) {
  return std::min({above[-1], above[0], above[1], row[-1], row[0], row[1], below[-1], below[0], below[1]});
}

inline uint8_t Max3x3(const uint8_t* above, const uint8_t* row, const uint8_t* below) {
  return std::max({above[-1], above[0], above[1], row[-1], row[0], row[1], below[-1], below[0], below[1]});
}

// The fifth smallest of the nine values: each column sorted, then the median of the columns'
// largest minimum, middle median and smallest maximum.
inline uint8_t Median3x3(const uint8_t* above, const uint8_t* row, const uint8_t* below) {
  uint8_t low[3], middle[3], high[3];
  for (int i = 0; i < 3; ++i) {
    const uint8_t a = above[i - 1], b = row[i - 1], c = below[i - 1];
    low[i] = std::min({a, b, c});
    high[i] = std::max({a, b, c});
    middle[i] = std::max(std::min(a, b), std::min(std::max(a, b), c));
  }
  const uint8_t largestLow = std::max({low[0], low[1], low[2]});
  const uint8_t smallestHigh = std::min({high[0], high[1], high[2]});
  const uint8_t middleMedian = std::max(std::min(middle[0], middle[1]), std::min(std::max(middle[0], middle[1]), middle[2]));
  return std::max(std::min(largestLow, middleMedian), std::min(std::max(largestLow, middleMedian), smallestHigh));
}

}  // namespace ryn::morphology
