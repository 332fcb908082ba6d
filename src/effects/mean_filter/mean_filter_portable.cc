// The portable interleaved mean filter: per output row, a running sum along the row of column
// sums of the window's rows, so each output costs O(window) additions and nothing is allocated.
#include <cstddef>

#include "effects/mean_filter/mean_filter_paths.h"
#include "frame/checks.h"
#include "frame/image_view.h"

namespace ryn::effects {
namespace {

// The sum of `window` bytes down from `top` at byte offset `offset`.
uint32_t ColumnSum(const uint8_t* top, int step, int offset, int window) {
  uint32_t sum = 0;
  for (int k = 0; k < window; ++k) sum += top[static_cast<ptrdiff_t>(k) * step + offset];
  return sum;
}

// One output row, whose window rows start at `top`.
void FilterRow(const uint8_t* top, int sourceStep, uint8_t* out, const ValidArea& area, int window) {
  const int half = window / 2;
  for (int channel = 0; channel < 2; ++channel) {
    uint32_t sum = 0;
    for (int pair = area.firstPair - half; pair <= area.firstPair + half; ++pair) {
      sum += ColumnSum(top, sourceStep, 2 * pair + channel, window);
    }
    for (int pair = area.firstPair;; ++pair) {
      out[2 * pair + channel] = WindowMean(sum, window);
      if (pair + 1 == area.endPair) break;
      sum += ColumnSum(top, sourceStep, 2 * (pair + half + 1) + channel, window);
      sum -= ColumnSum(top, sourceStep, 2 * (pair - half) + channel, window);
    }
  }
}

}  // namespace

IppStatus MeanFilterInterleavedPortable(const uint8_t* source, int sourceStep, uint8_t* destination,
                                        int destinationStep, IppiSize region, int window) {
  RYN_CHECK(NotNull(source, destination));
  // Rows are written while later windows still read the rows above them.
  if (source == destination) return ippStsBadArgErr;
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  if (window >= region.width || window >= region.height) return ippStsMaskSizeErr;

  const ValidArea area = ValidAreaOf(region, window);
  if (area.Empty()) return ippStsNoErr;
  const auto input = View(source, sourceStep, region);
  const auto output = View(destination, destinationStep, region);
  for (int row = area.firstRow; row < area.endRow; ++row) {
    FilterRow(input.Row(row - window / 2), sourceStep, output.Row(row), area, window);
  }
  return ippStsNoErr;
}

}  // namespace ryn::effects
