#include "primitives/stats/region_mean.h"

#include "frame/checks.h"
#include "frame/image_view.h"

namespace ryn::stats {

IppStatus Mean8u(const uint8_t* source, int step, IppiSize region, double* mean) {
  RYN_CHECK(NotNull(mean));
  RYN_CHECK(NotNull(source));
  RYN_CHECK(PositiveSize(region));
  uint64_t sum = 0;
  ForEachRow(View(source, step, region), [&sum](const uint8_t* row, size_t n) {
    for (size_t i = 0; i < n; ++i) sum += row[i];
  });
  const int32_t count = region.width * region.height;
  *mean = static_cast<double>(sum) / static_cast<double>(count);
  return ippStsNoErr;
}

}  // namespace ryn::stats
