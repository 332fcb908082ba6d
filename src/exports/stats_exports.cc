// Statistics: sums, means, deviations, extremes, counts, histograms and norms.
#include "RynRAZUdidazoror.h"
#include "primitives/stats/stats.h"

extern "C" {

RYN_API IppStatus fnVCAIPP_Sum_8u_C1R(const uint8_t* source, int step, IppiSize region, double* sum) {
  return ryn::stats::Sum8u(source, step, region, sum);
}

RYN_API IppStatus fnVCAIPP_Mean_8u_C1R(const uint8_t* source, int step, IppiSize region, double* mean) {
  return ryn::stats::Mean8u(source, step, region, mean);
}

RYN_API IppStatus fnVCAIPP_Mean_8u_C1MR(const uint8_t* source, int step, const uint8_t* mask, int maskStep,
                                        IppiSize region, double* mean) {
  return ryn::stats::MeanMasked8u(source, step, mask, maskStep, region, mean);
}

RYN_API IppStatus fnVCAIPP_Mean_StdDev_8u_C1R(const uint8_t* source, int step, IppiSize region, double* mean,
                                              double* deviation) {
  return ryn::stats::MeanStdDev8u(source, step, region, mean, deviation);
}

RYN_API IppStatus fnVCAIPP_Mean_StdDev_8u_C1MR(const uint8_t* source, int step, const uint8_t* mask,
                                               int maskStep, IppiSize region, double* mean, double* deviation) {
  return ryn::stats::MeanStdDevMasked8u(source, step, mask, maskStep, region, mean, deviation);
}

RYN_API IppStatus fnVCAIPP_Mean_StdDev_32f_C1R(const float* source, int step, IppiSize region, double* mean,
                                               double* deviation) {
  return ryn::stats::MeanStdDev32f(source, step, region, mean, deviation);
}

RYN_API IppStatus fnVCAIPP_MinMax_8u_C1R(const uint8_t* source, int step, IppiSize region, uint8_t* minimum,
                                         uint8_t* maximum) {
  return ryn::stats::MinMax8u(source, step, region, minimum, maximum);
}

RYN_API IppStatus fnVCAIPP_Max_32f_C1R(const float* source, int step, IppiSize region, float* maximum) {
  return ryn::stats::Max32f(source, step, region, maximum);
}

RYN_API IppStatus fnVCAIPP_Min_32f_C1R(const float* source, int step, IppiSize region, float* minimum) {
  return ryn::stats::Min32f(source, step, region, minimum);
}

RYN_API IppStatus fnVCAIPP_MaxIndx_32f_C1R(const float* source, int step, IppiSize region, float* maximum,
                                           int* column, int* row) {
  return ryn::stats::MaxIndex32f(source, step, region, maximum, column, row);
}

RYN_API IppStatus fnVCAIPP_CountInRange_8u_C1R(const uint8_t* source, int step, IppiSize region, int* count,
                                               uint8_t lower, uint8_t upper) {
  return ryn::stats::CountInRange8u(source, step, region, count, lower, upper);
}

RYN_API IppStatus fnVCAIPP_CountInRange_32f_C1R(const float* source, int step, IppiSize region, int* count,
                                                float lower, float upper) {
  return ryn::stats::CountInRange32f(source, step, region, count, lower, upper);
}

RYN_API IppStatus fnVCAIPP_HistogramEven_8u_C1R(const uint8_t* source, int step, IppiSize region,
                                                int* histogram, int* levels, int levelCount, int lowerLevel,
                                                int upperLevel) {
  return ryn::stats::HistogramEven8u(source, step, region, histogram, levels, levelCount, lowerLevel,
                                     upperLevel);
}

RYN_API IppStatus fnVCAIPP_NormRel_L2_8u_C1R(const uint8_t* first, int firstStep, const uint8_t* second,
                                             int secondStep, IppiSize region, double* value) {
  return ryn::stats::NormRelL2_8u(first, firstStep, second, secondStep, region, value);
}

}  // extern "C"
