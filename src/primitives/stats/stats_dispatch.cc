// Dispatch tables of the statistics reductions: the generic variant, bound at load to the
// processor builds.
#include "frame/dispatch_legacy.h"
#include "primitives/stats/generic_kernels.h"
#include "primitives/stats/stats.h"
#include "primitives/stats/stats_builds.h"
#include "primitives/stats/stats_primitives.h"

namespace ryn::stats {
namespace {

using Generic = StatsPrimitives<GenericKernels>;

RYN_DISPATCH_TABLE(g_sum8u, Generic::Sum8u, Sum8uBuilds);
RYN_DISPATCH_TABLE(g_meanMasked8u, Generic::MeanMasked8u, MeanMasked8uBuilds);
RYN_DISPATCH_TABLE(g_meanStdDev8u, Generic::MeanStdDev8u, MeanStdDev8uBuilds);
RYN_DISPATCH_TABLE(g_meanStdDevMasked8u, Generic::MeanStdDevMasked8u, MeanStdDevMasked8uBuilds);
RYN_DISPATCH_TABLE(g_minMax8u, Generic::MinMax8u, MinMax8uBuilds);
RYN_DISPATCH_TABLE(g_max32f, Generic::Max32f, Max32fBuilds);
RYN_DISPATCH_TABLE(g_min32f, Generic::Min32f, Min32fBuilds);
RYN_DISPATCH_TABLE(g_maxIndex32f, Generic::MaxIndex32f, MaxIndex32fBuilds);
RYN_DISPATCH_TABLE(g_countInRange8u, Generic::CountInRange8u, CountInRange8uBuilds);
RYN_DISPATCH_TABLE(g_countInRange32f, Generic::CountInRange32f, CountInRange32fBuilds);
RYN_DISPATCH_TABLE(g_histogramEven8u, Generic::HistogramEven8u, HistogramEven8uBuilds);
RYN_DISPATCH_TABLE(g_normRelL2_8u, Generic::NormRelL2_8u, NormRelL2_8uBuilds);

}  // namespace

IppStatus Sum8u(const uint8_t* source, int step, IppiSize region, double* sum) {
  return g_sum8u(source, step, region, sum);
}

IppStatus MeanMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep, IppiSize region,
                       double* mean) {
  return g_meanMasked8u(source, step, mask, maskStep, region, mean);
}

IppStatus MeanStdDev8u(const uint8_t* source, int step, IppiSize region, double* mean, double* deviation) {
  return g_meanStdDev8u(source, step, region, mean, deviation);
}

IppStatus MeanStdDevMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep,
                             IppiSize region, double* mean, double* deviation) {
  return g_meanStdDevMasked8u(source, step, mask, maskStep, region, mean, deviation);
}

IppStatus MinMax8u(const uint8_t* source, int step, IppiSize region, uint8_t* minimum, uint8_t* maximum) {
  return g_minMax8u(source, step, region, minimum, maximum);
}

IppStatus Max32f(const float* source, int step, IppiSize region, float* maximum) {
  return g_max32f(source, step, region, maximum);
}

IppStatus Min32f(const float* source, int step, IppiSize region, float* minimum) {
  return g_min32f(source, step, region, minimum);
}

IppStatus MaxIndex32f(const float* source, int step, IppiSize region, float* maximum, int* column, int* row) {
  return g_maxIndex32f(source, step, region, maximum, column, row);
}

IppStatus CountInRange8u(const uint8_t* source, int step, IppiSize region, int* count, uint8_t lower,
                         uint8_t upper) {
  return g_countInRange8u(source, step, region, count, lower, upper);
}

IppStatus CountInRange32f(const float* source, int step, IppiSize region, int* count, float lower,
                          float upper) {
  return g_countInRange32f(source, step, region, count, lower, upper);
}

IppStatus HistogramEven8u(const uint8_t* source, int step, IppiSize region, int* histogram, int* levels,
                          int levelCount, int lowerLevel, int upperLevel) {
  return g_histogramEven8u(source, step, region, histogram, levels, levelCount, lowerLevel, upperLevel);
}

IppStatus NormRelL2_8u(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                       IppiSize region, double* value) {
  return g_normRelL2_8u(first, firstStep, second, secondStep, region, value);
}

}  // namespace ryn::stats
