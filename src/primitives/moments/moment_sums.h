// Exact per-row moment sums, shared by the generic code and the processor builds: every build
// hands the same integers to the same double arithmetic, so the moments agree bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ryn::moments {

using Uint128 = unsigned __int128;

// Sums over one row of I, x I, x^2 I and x^3 I, x counted from the region's left edge. Exact for
// any row the library accepts (x < 2^31).
struct RowMomentSums {
  uint64_t sum0 = 0;
  Uint128 sum1 = 0;
  Uint128 sum2 = 0;
  Uint128 sum3 = 0;
};

inline void AddPixelMoments(RowMomentSums& sums, uint64_t x, uint32_t value) {
  const uint64_t xValue = x * value;
  const Uint128 x2Value = Uint128{xValue} * x;
  sums.sum0 += value;
  sums.sum1 += xValue;
  sums.sum2 += x2Value;
  sums.sum3 += x2Value * x;
}

// Adds row y's sums to the ten spatial moments (indices 4 q + p), in double.
inline void AccumulateRowMoments(double* moments, int y, const RowMomentSums& sums) {
  const double s0 = static_cast<double>(sums.sum0);
  const double s1 = static_cast<double>(sums.sum1);
  const double s2 = static_cast<double>(sums.sum2);
  const double s3 = static_cast<double>(sums.sum3);
  const double y1 = y;
  const double y2 = y1 * y1;
  const double y3 = y2 * y1;
  moments[0] += s0;
  moments[1] += s1;
  moments[2] += s2;
  moments[3] += s3;
  moments[4] += y1 * s0;
  moments[5] += y1 * s1;
  moments[6] += y1 * s2;
  moments[8] += y2 * s0;
  moments[9] += y2 * s1;
  moments[12] += y3 * s0;
}

}  // namespace ryn::moments
