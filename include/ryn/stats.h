/* Statistics. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_STATS_H
#define RYN_STATS_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Reductions of a region to a few numbers; the source is never written. Results go through the
 * pointers given; when a status is negative nothing is written. */

/* Exact sum of the pixels. The step is not checked. */
RYN_API IppStatus fnVCAIPP_Sum_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region, double* sum);
/* sum / (width x height), not rounded. The step is not checked. */
RYN_API IppStatus fnVCAIPP_Mean_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region, double* mean);
/* Mean of the pixels whose mask byte is not zero; 0 when there are none. */
RYN_API IppStatus fnVCAIPP_Mean_8u_C1MR(const uint8_t* source, int sourceStep, const uint8_t* mask,
                                        int maskStep, IppiSize region, double* mean);
/* Mean and population standard deviation; either result pointer may be null. */
RYN_API IppStatus fnVCAIPP_Mean_StdDev_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                              double* mean, double* standardDeviation);
RYN_API IppStatus fnVCAIPP_Mean_StdDev_8u_C1MR(const uint8_t* source, int sourceStep, const uint8_t* mask,
                                               int maskStep, IppiSize region, double* mean,
                                               double* standardDeviation);
/* Accumulated in single precision; a deviation below the mean's scale is recomputed around the
 * mean. The step must be a multiple of 4. */
RYN_API IppStatus fnVCAIPP_Mean_StdDev_32f_C1R(const float* source, int sourceStep, IppiSize region,
                                               double* mean, double* standardDeviation);
RYN_API IppStatus fnVCAIPP_MinMax_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                         uint8_t* minimum, uint8_t* maximum);
/* Float extremes start from the most negative (most positive) finite float; NaN pixels are
 * skipped and +0 counts as larger than -0. */
RYN_API IppStatus fnVCAIPP_Max_32f_C1R(const float* source, int sourceStep, IppiSize region, float* maximum);
RYN_API IppStatus fnVCAIPP_Min_32f_C1R(const float* source, int sourceStep, IppiSize region, float* minimum);
/* The maximum and its first position in row-major order (column and row from the region's
 * top-left pixel). */
RYN_API IppStatus fnVCAIPP_MaxIndx_32f_C1R(const float* source, int sourceStep, IppiSize region,
                                           float* maximum, int* column, int* row);
/* Pixels with lowerBound <= pixel <= upperBound; ippStsRangeErr when upperBound < lowerBound. */
RYN_API IppStatus fnVCAIPP_CountInRange_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                               int* count, uint8_t lowerBound, uint8_t upperBound);
RYN_API IppStatus fnVCAIPP_CountInRange_32f_C1R(const float* source, int sourceStep, IppiSize region,
                                                int* count, float lowerBound, float upperBound);
/* levels (levelCount entries) spread evenly from lowerLevel to upperLevel; histogram[k]
 * (levelCount - 1 bins) counts the pixels with levels[k] <= pixel < levels[k + 1]. To count
 * every value 0..255 pass an upper level of 256. */
RYN_API IppStatus fnVCAIPP_HistogramEven_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                                int* histogram, int* levels, int levelCount,
                                                int lowerLevel, int upperLevel);
/* sqrt(sum (first - second)^2 / sum second^2). When the second image is all zero the result is
 * sqrt(sum first^2) and the status the warning ippStsDivByZero. */
RYN_API IppStatus fnVCAIPP_NormRel_L2_8u_C1R(const uint8_t* first, int firstStep, const uint8_t* second,
                                             int secondStep, IppiSize region, double* value);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_STATS_H */
