// The generic row kernels of the statistics family: plain C++, the reference for every processor
// build. They take a pixel count and never validate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cmath>
#include <cstring>

#include "frame/image_view.h"
#include "primitives/stats/float_order.h"
#include "primitives/stats/stats_totals.h"

namespace ryn::stats {

struct GenericKernels {
  static uint64_t RegionSum8u(const ImageView<const uint8_t>& image) {
    uint64_t sum = 0;
    ForEachRow(image, [&sum](const uint8_t* row, size_t n) {
      for (size_t i = 0; i < n; ++i) sum += row[i];
    });
    return sum;
  }

  static MaskedSum MaskedSum8u(const uint8_t* row, const uint8_t* mask, size_t n) {
    MaskedSum totals;
    for (size_t i = 0; i < n; ++i) {
      if (mask[i] == 0) continue;
      totals.sum += row[i];
      ++totals.count;
    }
    return totals;
  }

  static SquareSums SquareSums8u(const uint8_t* row, size_t n) {
    SquareSums totals;
    for (size_t i = 0; i < n; ++i) {
      const uint32_t x = row[i];
      totals.sum += x;
      totals.squares += x * x;
    }
    totals.count = n;
    return totals;
  }

  static SquareSums MaskedSquareSums8u(const uint8_t* row, const uint8_t* mask, size_t n) {
    SquareSums totals;
    for (size_t i = 0; i < n; ++i) {
      if (mask[i] == 0) continue;
      const uint32_t x = row[i];
      totals.sum += x;
      totals.squares += x * x;
      ++totals.count;
    }
    return totals;
  }

  static void MinMax8u(const uint8_t* row, size_t n, uint8_t& minimum, uint8_t& maximum) {
    for (size_t i = 0; i < n; ++i) {
      if (row[i] < minimum) minimum = row[i];
      if (row[i] > maximum) maximum = row[i];
    }
  }

  static float Max32f(const float* row, size_t n, float maximum) {
    for (size_t i = 0; i < n; ++i) {
      const float x = LoadFloat(row + i);
      if (IsGreater(x, maximum)) maximum = x;
    }
    return maximum;
  }

  static float Min32f(const float* row, size_t n, float minimum) {
    for (size_t i = 0; i < n; ++i) {
      const float x = LoadFloat(row + i);
      if (IsLess(x, minimum)) minimum = x;
    }
    return minimum;
  }

  // Only a strictly greater value moves the maximum, so ties go to the first occurrence. NaN
  // pixels never win; a NaN maximum (from the first pixel) gives way to the first number.
  static void MaxIndex32f(const float* row, int width, int y, IndexedMaximum& best) {
    for (int x = 0; x < width; ++x) {
      const float value = LoadFloat(row + x);
      if (value > best.value || (std::isnan(best.value) && !std::isnan(value))) best = {value, x, y};
    }
  }

  static uint64_t CountInRange8u(const uint8_t* row, size_t n, uint8_t lower, uint8_t upper) {
    uint64_t count = 0;
    for (size_t i = 0; i < n; ++i) count += (lower <= row[i] && row[i] <= upper) ? 1 : 0;
    return count;
  }

  // Ordered comparisons: a NaN pixel is never counted.
  static uint64_t CountInRange32f(const float* row, size_t n, float lower, float upper) {
    uint64_t count = 0;
    for (size_t i = 0; i < n; ++i) {
      const float x = LoadFloat(row + i);
      count += (lower <= x && x <= upper) ? 1 : 0;
    }
    return count;
  }

  static ValueCounts CountValues(const ImageView<const uint8_t>& image) {
    ValueCounts counts;
    ForEachRow(image, [&counts](const uint8_t* row, size_t n) {
      for (size_t i = 0; i < n; ++i) ++counts.perValue[row[i]];
    });
    return counts;
  }

  static NormSums NormSums8u(const uint8_t* first, const uint8_t* second, size_t n) {
    NormSums totals;
    for (size_t i = 0; i < n; ++i) {
      const int32_t difference = int32_t{first[i]} - int32_t{second[i]};
      totals.squaredDifferences += static_cast<uint32_t>(difference * difference);
      totals.squaredSecond += uint32_t{second[i]} * second[i];
    }
    return totals;
  }
};

}  // namespace ryn::stats
