// The maximum of a float image and where it first occurs.
#include <cstdint>

#include "frame/checks.h"
#include "frame/dispatch.h"
#include "frame/image_view.h"
#include "primitives/stats/generic_kernels.h"
#include "primitives/stats/stats.h"

namespace ryn::stats {
namespace {

// Row-major scan from the first pixel: only a strictly greater value moves the result, so ties
// go to the first occurrence. NaN pixels never win; a NaN first pixel gives way to the first
// number (a region of NaN only gives NaN at (0, 0)).
IppStatus GenericMaxIndex32f(const float* source, int step, IppiSize region, float* maximum, int* column,
                             int* row) {
  RYN_CHECK(NotNull(source, maximum, column, row));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(source, step, region);
  float best = LoadFloat(image.Row(0));
  int bestX = 0;
  int bestY = 0;
  for (int y = 0; y < region.height; ++y) {
    const float* pixels = image.Row(y);
    for (int x = 0; x < region.width; ++x) {
      const float value = LoadFloat(pixels + x);
      if (value > best || (best != best && value == value)) {
        best = value;
        bestX = x;
        bestY = y;
      }
    }
  }
  *maximum = best;
  *column = bestX;
  *row = bestY;
  return ippStsNoErr;
}

TargetKernels<MaxIndex32fFn> NoProcessorBuilds() { return {}; }

RYN_DISPATCH_TABLE(g_maxIndex32f, GenericMaxIndex32f, NoProcessorBuilds);

}  // namespace

IppStatus MaxIndex32f(const float* source, int step, IppiSize region, float* maximum, int* column, int* row) {
  return g_maxIndex32f(source, step, region, maximum, column, row);
}

}  // namespace ryn::stats
