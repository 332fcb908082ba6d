// The dispatched reductions of the statistics family, written once for every variant: argument
// checks in order (each returns before anything is written), then the row loop. `Kernels`
// supplies the row kernels of one variant (generic or a processor build).
//
// Pixel counts are formed in 64 bits: for every region of fewer than 2^31 pixels they equal the
// 32-bit product width x height, and larger regions get their true count instead of a wrapped one.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/stats/float_order.h"
#include "primitives/stats/histogram_levels.h"
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

// Pixels v with lower <= v < upper, both ends clamped to 0..256.
inline uint64_t CountBetween(const uint64_t (&atOrBelow)[257], int64_t lower, int64_t upper) {
  const auto clamp = [](int64_t level) { return level < 0 ? 0 : (level > 256 ? 256 : level); };
  const int64_t a = clamp(lower);
  const int64_t b = clamp(upper);
  return a < b ? atOrBelow[b] - atOrBelow[a] : 0;
}

template <class Kernels>
struct StatsPrimitives {
  static IppStatus Sum8u(const uint8_t* source, int step, IppiSize region, double* sum) {
    RYN_CHECK(NotNull(source, sum));
    RYN_CHECK(PositiveSize(region));
    *sum = static_cast<double>(Kernels::RegionSum8u(View(source, step, region)));
    return ippStsNoErr;
  }

  static IppStatus Mean8u(const uint8_t* source, int step, IppiSize region, double* mean) {
    RYN_CHECK(NotNull(mean));
    RYN_CHECK(NotNull(source));
    RYN_CHECK(PositiveSize(region));
    const auto image = View(source, step, region);
    *mean = static_cast<double>(Kernels::RegionSum8u(image)) / static_cast<double>(image.PixelCount());
    return ippStsNoErr;
  }

  // Mean over the pixels whose mask byte is not zero; 0 when there are none.
  static IppStatus MeanMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep,
                                IppiSize region, double* mean) {
    RYN_CHECK(NotNull(source, mask, mean));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(StepAtLeast(step, region.width));
    RYN_CHECK(StepAtLeast(maskStep, region.width));
    MaskedSum totals;
    ForEachRowPair(View(source, step, region), View(mask, maskStep, region),
                   [&totals](const uint8_t* row, const uint8_t* maskRow, size_t n) {
                     totals += Kernels::MaskedSum8u(row, maskRow, n);
                   });
    *mean = totals.count == 0 ? 0.0 : static_cast<double>(totals.sum) / static_cast<double>(totals.count);
    return ippStsNoErr;
  }

  // Either result pointer may be null; that result is not written.
  static IppStatus MeanStdDev8u(const uint8_t* source, int step, IppiSize region, double* mean,
                                double* deviation) {
    RYN_CHECK(NotNull(source));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(StepAtLeast(step, region.width));
    SquareSums totals;
    ForEachRow(View(source, step, region),
               [&totals](const uint8_t* row, size_t n) { totals += Kernels::SquareSums8u(row, n); });
    WriteMeanAndDeviation(totals, mean, deviation);
    return ippStsNoErr;
  }

  static IppStatus MeanStdDevMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep,
                                      IppiSize region, double* mean, double* deviation) {
    RYN_CHECK(NotNull(source, mask));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(StepAtLeast(step, region.width));
    RYN_CHECK(StepAtLeast(maskStep, region.width));
    SquareSums totals;
    ForEachRowPair(View(source, step, region), View(mask, maskStep, region),
                   [&totals](const uint8_t* row, const uint8_t* maskRow, size_t n) {
                     totals += Kernels::MaskedSquareSums8u(row, maskRow, n);
                   });
    WriteMeanAndDeviation(totals, mean, deviation);
    return ippStsNoErr;
  }

  static IppStatus MinMax8u(const uint8_t* source, int step, IppiSize region, uint8_t* minimum,
                            uint8_t* maximum) {
    RYN_CHECK(NotNull(source, minimum, maximum));
    RYN_CHECK(PositiveSize(region));
    uint8_t low = 255;
    uint8_t high = 0;
    ForEachRow(View(source, step, region),
               [&](const uint8_t* row, size_t n) { Kernels::MinMax8u(row, n, low, high); });
    *minimum = low;
    *maximum = high;
    return ippStsNoErr;
  }

  // Starts from the most negative finite float, so a region of -inf and NaN gives that value.
  static IppStatus Max32f(const float* source, int step, IppiSize region, float* maximum) {
    RYN_CHECK(NotNull(source, maximum));
    RYN_CHECK(PositiveSize(region));
    float extreme = std::numeric_limits<float>::lowest();
    ForEachRow(View(source, step, region),
               [&extreme](const float* row, size_t n) { extreme = Kernels::Max32f(row, n, extreme); });
    *maximum = extreme;
    return ippStsNoErr;
  }

  static IppStatus Min32f(const float* source, int step, IppiSize region, float* minimum) {
    RYN_CHECK(NotNull(source, minimum));
    RYN_CHECK(PositiveSize(region));
    float extreme = std::numeric_limits<float>::max();
    ForEachRow(View(source, step, region),
               [&extreme](const float* row, size_t n) { extreme = Kernels::Min32f(row, n, extreme); });
    *minimum = extreme;
    return ippStsNoErr;
  }

  // Starts from the first pixel; the row kernels keep the first occurrence of the maximum.
  static IppStatus MaxIndex32f(const float* source, int step, IppiSize region, float* maximum, int* column,
                               int* row) {
    RYN_CHECK(NotNull(source, maximum, column, row));
    RYN_CHECK(PositiveSize(region));
    const auto image = View(source, step, region);
    IndexedMaximum best{LoadFloat(source), 0, 0};
    for (int y = 0; y < region.height; ++y) Kernels::MaxIndex32f(image.Row(y), region.width, y, best);
    *maximum = best.value;
    *column = best.column;
    *row = best.row;
    return ippStsNoErr;
  }

  // Both bounds inclusive. The step is checked before the region.
  static IppStatus CountInRange8u(const uint8_t* source, int step, IppiSize region, int* count,
                                  uint8_t lower, uint8_t upper) {
    RYN_CHECK(NotNull(source, count));
    RYN_CHECK(PositiveStep(step));
    RYN_CHECK(PositiveSize(region));
    if (upper < lower) return ippStsRangeErr;
    uint64_t total = 0;
    ForEachRow(View(source, step, region), [&](const uint8_t* row, size_t n) {
      total += Kernels::CountInRange8u(row, n, lower, upper);
    });
    *count = SaturatedCount(total);
    return ippStsNoErr;
  }

  static IppStatus CountInRange32f(const float* source, int step, IppiSize region, int* count,
                                   float lower, float upper) {
    RYN_CHECK(NotNull(source, count));
    RYN_CHECK(PositiveStep(step));
    RYN_CHECK(PositiveSize(region));
    if (upper < lower) return ippStsRangeErr;
    uint64_t total = 0;
    ForEachRow(View(source, step, region), [&](const float* row, size_t n) {
      total += Kernels::CountInRange32f(row, n, lower, upper);
    });
    *count = SaturatedCount(total);
    return ippStsNoErr;
  }

  // `levels` (levelCount entries) is written first, then the levelCount - 1 bins.
  static IppStatus HistogramEven8u(const uint8_t* source, int step, IppiSize region, int* histogram,
                                   int* levels, int levelCount, int lowerLevel, int upperLevel) {
    RYN_CHECK(NotNull(source, histogram, levels));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(PositiveStep(step));
    if (levelCount < 2) return ippStsHistoNofLevelsErr;
    EvenLevels(levelCount, lowerLevel, upperLevel, levels);

    const ValueCounts counts = Kernels::CountValues(View(source, step, region));
    uint64_t below[257] = {};  // below[v]: pixels under value v
    for (int v = 0; v < 256; ++v) below[v + 1] = below[v] + counts.perValue[v];
    for (int k = 0; k + 1 < levelCount; ++k) {
      histogram[k] = SaturatedCount(CountBetween(below, levels[k], levels[k + 1]));
    }
    return ippStsNoErr;
  }

  // sqrt(sum (a - b)^2 / sum b^2); with sum b^2 = 0 the result is sqrt(sum (a - b)^2) and the
  // status the warning ippStsDivByZero.
  static IppStatus NormRelL2_8u(const uint8_t* first, int firstStep, const uint8_t* second,
                                int secondStep, IppiSize region, double* value) {
    RYN_CHECK(NotNull(first, second, value));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(PositiveStep(firstStep));
    RYN_CHECK(PositiveStep(secondStep));
    NormSums totals;
    ForEachRowPair(View(first, firstStep, region), View(second, secondStep, region),
                   [&totals](const uint8_t* a, const uint8_t* b, size_t n) { totals += Kernels::NormSums8u(a, b, n); });
    // Exact integers below 2^53: the conversions lose nothing.
    const double numerator = static_cast<double>(totals.squaredDifferences);
    const double denominator = static_cast<double>(totals.squaredSecond);
    if (denominator >= std::numeric_limits<double>::min()) {
      *value = std::sqrt(numerator / denominator);
      return ippStsNoErr;
    }
    *value = std::sqrt(numerator);
    return ippStsDivByZero;
  }
};

}  // namespace ryn::stats
