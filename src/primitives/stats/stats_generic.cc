// The generic statistics: plain C++ row kernels, the reference for every processor build. They take
// a pixel count and never validate.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/stats/float_order.h"
#include "primitives/stats/histogram_levels.h"
#include "primitives/stats/stats.h"
#include "primitives/stats/stats_results.h"
#include "primitives/stats/stats_totals.h"

namespace ryn::stats::generic {
namespace {

uint64_t SumOfRuns8u(const ImageView<const uint8_t>& image, const RowRuns& runs) {
  uint64_t sum = 0;
  for (int r = 0; r < runs.count; ++r) {
    const uint8_t* row = image.Row(r);
    for (size_t i = 0; i < runs.length; ++i) sum += row[i];
  }
  return sum;
}

MaskedSum MaskedSumRow8u(const uint8_t* row, const uint8_t* mask, size_t n) {
  MaskedSum totals;
  for (size_t i = 0; i < n; ++i) totals.Add(row[i], mask[i]);
  return totals;
}

SquareSums SquareSumsRow8u(const uint8_t* row, size_t n) {
  SquareSums totals;
  for (size_t i = 0; i < n; ++i) totals.Add(row[i]);
  return totals;
}

SquareSums MaskedSquareSumsRow8u(const uint8_t* row, const uint8_t* mask, size_t n) {
  SquareSums totals;
  for (size_t i = 0; i < n; ++i) totals.Add(row[i], mask[i]);
  return totals;
}

void MinMaxRow8u(const uint8_t* row, size_t n, uint8_t& minimum, uint8_t& maximum) {
  for (size_t i = 0; i < n; ++i) {
    if (row[i] < minimum) minimum = row[i];
    if (row[i] > maximum) maximum = row[i];
  }
}

float MaxRow32f(const float* row, size_t n, float maximum) {
  for (size_t i = 0; i < n; ++i) {
    const float x = LoadUnaligned(row + i);
    if (IsGreater(x, maximum)) maximum = x;
  }
  return maximum;
}

float MinRow32f(const float* row, size_t n, float minimum) {
  for (size_t i = 0; i < n; ++i) {
    const float x = LoadUnaligned(row + i);
    if (IsLess(x, minimum)) minimum = x;
  }
  return minimum;
}

void MaxIndexRow32f(const float* row, int width, int y, IndexedMaximum& best) {
  for (int x = 0; x < width; ++x) {
    const float value = LoadUnaligned(row + x);
    if (TakesTheLead(value, best.value)) best = {value, x, y};
  }
}

uint64_t CountInRangeRow8u(const uint8_t* row, size_t n, uint8_t lower, uint8_t upper) {
  uint64_t count = 0;
  for (size_t i = 0; i < n; ++i) count += (lower <= row[i] && row[i] <= upper) ? 1 : 0;
  return count;
}

// Ordered comparisons: a NaN pixel is never counted.
uint64_t CountInRangeRow32f(const float* row, size_t n, float lower, float upper) {
  uint64_t count = 0;
  for (size_t i = 0; i < n; ++i) {
    const float x = LoadUnaligned(row + i);
    count += (lower <= x && x <= upper) ? 1 : 0;
  }
  return count;
}

class ValueCounter {
 public:
  void Add(const uint8_t* row, size_t n) {
    for (size_t i = 0; i < n; ++i) ++counts_.perValue[row[i]];
  }
  const ValueCounts& Counts() const { return counts_; }

 private:
  ValueCounts counts_;
};

NormSums NormSumsRow8u(const uint8_t* first, const uint8_t* second, size_t n) {
  NormSums totals;
  for (size_t i = 0; i < n; ++i) totals.Add(first[i], second[i]);
  return totals;
}

void AddRow32f(const float* row, size_t n, FloatSums& sums) {
  for (size_t i = 0; i < n; ++i) sums.Add(LoadUnaligned(row + i));
}

// Pairs of rows from firstRow on, one at a time.
constexpr int kRowPairsAtOnce = 1;

// The single-precision sums of `count` pairs of rows, pair k holding rows firstRow + 2k and the
// one after it (when the region has it).
void SumRowPairs32f(const ImageView<const float>& image, int firstRow, int count, FloatSums* sums) {
  const size_t width = static_cast<size_t>(image.size.width);
  for (int k = 0; k < count; ++k) {
    const int y = firstRow + 2 * k;
    sums[k] = FloatSums{};
    AddRow32f(image.Row(y), width, sums[k]);
    if (y + 1 < image.size.height) AddRow32f(image.Row(y + 1), width, sums[k]);
  }
}

float SquaredDeviationsRow32f(const float* row, size_t n, float mean, float total) {
  for (size_t i = 0; i < n; ++i) {
    const float difference = LoadUnaligned(row + i) - mean;
    total += difference * difference;
  }
  return total;
}

}  // namespace

#include "primitives/stats/stats_primitives-inl.h"

}  // namespace ryn::stats::generic
