// The region mean is dispatched on its own: pixelation calls it once per block.
#include "primitives/stats/region_mean.h"

#include "frame/dispatch_legacy.h"
#include "primitives/stats/generic_kernels.h"
#include "primitives/stats/stats_builds.h"
#include "primitives/stats/stats_primitives.h"

namespace ryn::stats {
namespace {

RYN_DISPATCH_TABLE(g_mean8u, StatsPrimitives<GenericKernels>::Mean8u, Mean8uBuilds);

}  // namespace

IppStatus Mean8u(const uint8_t* source, int step, IppiSize region, double* mean) {
  return g_mean8u(source, step, region, mean);
}

}  // namespace ryn::stats
