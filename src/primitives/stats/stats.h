// The statistics of 8-bit and float images, for the exports and for every family that reduces a
// region (pixelation takes each block's mean with Mean8u). Checks and statuses are those of the
// exports of the same names.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::stats {

extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, double* sum)> Sum8u;
// mean = sum / (width x height), in double, not rounded; the pixel count is formed in 64 bits.
// -8 for a null mean, then for a null source, -6 for an empty region; the step is not checked.
extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, double* mean)> Mean8u;
extern Dispatched<IppStatus(const uint8_t* source, int step, const uint8_t* mask, int maskStep, IppiSize region,
                            double* mean)>
    MeanMasked8u;
extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, double* mean, double* deviation)>
    MeanStdDev8u;
extern Dispatched<IppStatus(const uint8_t* source, int step, const uint8_t* mask, int maskStep, IppiSize region,
                            double* mean, double* deviation)>
    MeanStdDevMasked8u;
extern Dispatched<IppStatus(const float* source, int step, IppiSize region, double* mean, double* deviation)>
    MeanStdDev32f;
extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, uint8_t* minimum,
                            uint8_t* maximum)>
    MinMax8u;
extern Dispatched<IppStatus(const float* source, int step, IppiSize region, float* maximum)> Max32f;
extern Dispatched<IppStatus(const float* source, int step, IppiSize region, float* minimum)> Min32f;
extern Dispatched<IppStatus(const float* source, int step, IppiSize region, float* maximum, int* column,
                            int* row)>
    MaxIndex32f;
extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, int* count, uint8_t lower,
                            uint8_t upper)>
    CountInRange8u;
extern Dispatched<IppStatus(const float* source, int step, IppiSize region, int* count, float lower,
                            float upper)>
    CountInRange32f;
extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, int* histogram, int* levels,
                            int levelCount, int lowerLevel, int upperLevel)>
    HistogramEven8u;
extern Dispatched<IppStatus(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                            IppiSize region, double* value)>
    NormRelL2_8u;

}  // namespace ryn::stats
