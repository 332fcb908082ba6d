// The generic interleaved mean filter: plain C++, the reference for every processor build.
#include <cstdint>
#include <cstring>

#include "effects/mean_filter/mean_filter.h"
#include "effects/mean_filter/mean_filter_checks.h"
#include "effects/mean_filter/mean_filter_workspace.h"
#include "effects/mean_filter/window_mean.h"
#include "frame/checks.h"
#include "frame/image_view.h"

namespace ryn::effects::generic {
namespace {

void AccumulateRow(const SlidingSums& sums, const uint8_t* row) {
  for (int x = 0; x < sums.rowBytes; ++x) sums.columnSums[x] = static_cast<uint16_t>(sums.columnSums[x] + row[x]);
}

// prefix[x] is the sum of the column sums of byte x and of every byte of its channel before it;
// the two entries in front of the first byte are zero. A window's sum is then the difference of
// two prefix sums 2 x window bytes apart.
void FilterRow(const SlidingSums& sums, const uint8_t* entering, const uint8_t* leaving, uint8_t* output) {
  uint32_t* prefix = reinterpret_cast<uint32_t*>(sums.prefix);
  for (int x = 0; x < sums.rowBytes; ++x) {
    sums.columnSums[x] = static_cast<uint16_t>(sums.columnSums[x] + entering[x] - leaving[x]);
    const uint32_t before = x >= 2 ? prefix[x - 2] : 0;
    prefix[x] = before + sums.columnSums[x];
  }
  const int reach = 2 * (sums.window / 2);
  for (int x = reach; x < sums.rowBytes - reach; ++x) {
    const uint32_t behind = x - reach - 2 >= 0 ? prefix[x - reach - 2] : 0;
    output[x] = WindowMean(prefix[x + reach] - behind, sums.window);
  }
}

}  // namespace

#include "effects/mean_filter/mean_filter_primitives-inl.h"

}  // namespace ryn::effects::generic
