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

// The fifth smallest of the nine values.
inline uint8_t Median3x3(const uint8_t* above, const uint8_t* row, const uint8_t* below) {
  uint8_t window[9] = {above[-1], above[0], above[1], row[-1], row[0], row[1], below[-1], below[0], below[1]};
  std::nth_element(window, window + 4, window + 9);
  return window[4];
}

}  // namespace ryn::morphology
