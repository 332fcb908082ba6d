// The dispatched statistics of 8-bit and float images, for the exports and for every family that
// reduces a region. Checks and statuses are those of the exports of the same names. The region
// mean used by pixelation is in region_mean.h.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::stats {

IppStatus Sum8u(const uint8_t* source, int step, IppiSize region, double* sum);
IppStatus MeanMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep, IppiSize region,
                       double* mean);
IppStatus MeanStdDev8u(const uint8_t* source, int step, IppiSize region, double* mean, double* deviation);
IppStatus MeanStdDevMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep,
                             IppiSize region, double* mean, double* deviation);
IppStatus MeanStdDev32f(const float* source, int step, IppiSize region, double* mean, double* deviation);
IppStatus MinMax8u(const uint8_t* source, int step, IppiSize region, uint8_t* minimum, uint8_t* maximum);
IppStatus Max32f(const float* source, int step, IppiSize region, float* maximum);
IppStatus Min32f(const float* source, int step, IppiSize region, float* minimum);
IppStatus MaxIndex32f(const float* source, int step, IppiSize region, float* maximum, int* column, int* row);
IppStatus CountInRange8u(const uint8_t* source, int step, IppiSize region, int* count, uint8_t lower,
                         uint8_t upper);
IppStatus CountInRange32f(const float* source, int step, IppiSize region, int* count, float lower,
                          float upper);
IppStatus HistogramEven8u(const uint8_t* source, int step, IppiSize region, int* histogram, int* levels,
                          int levelCount, int lowerLevel, int upperLevel);
IppStatus NormRelL2_8u(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                       IppiSize region, double* value);

using Sum8uFn = decltype(&Sum8u);
using Mean8uFn = IppStatus (*)(const uint8_t*, int, IppiSize, double*);
using MeanMasked8uFn = decltype(&MeanMasked8u);
using MeanStdDev8uFn = decltype(&MeanStdDev8u);
using MeanStdDevMasked8uFn = decltype(&MeanStdDevMasked8u);
using MeanStdDev32fFn = decltype(&MeanStdDev32f);
using MinMax8uFn = decltype(&MinMax8u);
using Extreme32fFn = decltype(&Max32f);
using MaxIndex32fFn = decltype(&MaxIndex32f);
using CountInRange8uFn = decltype(&CountInRange8u);
using CountInRange32fFn = decltype(&CountInRange32f);
using HistogramEven8uFn = decltype(&HistogramEven8u);
using NormRelL2_8uFn = decltype(&NormRelL2_8u);

}  // namespace ryn::stats
