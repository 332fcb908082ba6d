// How the exact totals of the row kernels become the results of the statistics: the same
// arithmetic in every build.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "primitives/stats/stats_totals.h"

namespace ryn::stats {

// Counts are returned in 32-bit integers; only regions of 2^31 pixels or more can exceed them.
inline int SaturatedCount(uint64_t count) {
  return count > uint64_t{std::numeric_limits<int>::max()} ? std::numeric_limits<int>::max()
                                                            : static_cast<int>(count);
}

// Population deviation with the absolute value taken first, so that rounding never yields NaN.
inline void WriteMeanAndDeviation(const SquareSums& totals, double* mean, double* deviation) {
  double m = 0.0;
  double d = 0.0;
  if (totals.count != 0) {
    const double count = static_cast<double>(totals.count);
    m = static_cast<double>(totals.sum) / count;
    d = std::sqrt(std::fabs(static_cast<double>(totals.squares) / count - m * m));
  }
  if (mean != nullptr) *mean = m;
  if (deviation != nullptr) *deviation = d;
}

// Pixels v with lower <= v < upper, both ends clamped to 0..256; below[v] counts the pixels
// under value v.
inline uint64_t CountBetween(const uint64_t (&below)[257], int64_t lower, int64_t upper) {
  const auto clamp = [](int64_t level) { return level < 0 ? 0 : (level > 256 ? 256 : level); };
  const int64_t a = clamp(lower);
  const int64_t b = clamp(upper);
  return a < b ? below[b] - below[a] : 0;
}

}  // namespace ryn::stats
