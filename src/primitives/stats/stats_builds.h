// The processor builds of the statistics reductions (stats_simd.cc), one set per primitive.
#pragma once

#include "frame/dispatch_legacy.h"
#include "primitives/stats/stats.h"

namespace ryn::stats {

TargetKernels<Sum8uFn> Sum8uBuilds();
TargetKernels<Mean8uFn> Mean8uBuilds();
TargetKernels<MeanMasked8uFn> MeanMasked8uBuilds();
TargetKernels<MeanStdDev8uFn> MeanStdDev8uBuilds();
TargetKernels<MeanStdDevMasked8uFn> MeanStdDevMasked8uBuilds();
TargetKernels<MinMax8uFn> MinMax8uBuilds();
TargetKernels<Extreme32fFn> Max32fBuilds();
TargetKernels<Extreme32fFn> Min32fBuilds();
TargetKernels<MaxIndex32fFn> MaxIndex32fBuilds();
TargetKernels<CountInRange8uFn> CountInRange8uBuilds();
TargetKernels<CountInRange32fFn> CountInRange32fBuilds();
TargetKernels<HistogramEven8uFn> HistogramEven8uBuilds();
TargetKernels<NormRelL2_8uFn> NormRelL2_8uBuilds();

}  // namespace ryn::stats
