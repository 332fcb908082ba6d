// Colour conversions between YUV, RGB and 4:2:0 layouts, and the interleaving of 16-bit planes.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::color {

// YUV to RGB, pixel for pixel, with the nearest 16.16 coefficients (C3 to C3) or the lowered ones
// (planes to planes, planes to C3); see pixel_rules.h.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    YuvToRgbC3;
extern Dispatched<IppStatus(const uint8_t* const source[3], int sourceStep, uint8_t* const destination[3],
                            int destinationStep, IppiSize region)>
    YuvToRgbP3;
extern Dispatched<IppStatus(const uint8_t* const source[3], int sourceStep, uint8_t* destination,
                            int destinationStep, IppiSize region)>
    YuvToRgbP3C3;
extern Dispatched<IppStatus(const uint8_t* const source[3], int sourceStep, uint8_t* const destination[3],
                            int destinationStep, IppiSize region)>
    RgbToYuvP3;

// 4:2:0 planes to RGB (C3) and back, in whole 2 x 2 blocks; ippStsDoubleSize for an odd size.
extern Dispatched<IppStatus(const uint8_t* const source[3], const int sourceSteps[3], uint8_t* destination,
                            int destinationStep, IppiSize region)>
    Yuv420ToRgbP3C3;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* const destination[3],
                            const int destinationSteps[3], IppiSize region)>
    RgbToYuv420C3P3;

// Two-plane 4:2:0 (Y, interleaved Cb Cr) to three planes and back, the size rounded down to even.
extern Dispatched<IppStatus(const uint8_t* sourceY, int sourceYStep, const uint8_t* sourceCbCr, int sourceCbCrStep,
                            uint8_t* const destination[3], const int destinationSteps[3], IppiSize region)>
    YCbCr420P2P3;
extern Dispatched<IppStatus(const uint8_t* const source[3], const int sourceSteps[3], uint8_t* destinationY,
                            int destinationYStep, uint8_t* destinationCbCr, int destinationCbCrStep,
                            IppiSize region)>
    YCbCr420P3P2;

// Rows of `planeCount` interleaved 16-bit planes; strides count samples.
extern Dispatched<IppStatus(const int16_t* const planes[], int planeCount, IppiSize size, int sourceStride,
                            int16_t* destination, int destinationStride)>
    PlaneToInterleave16s;

}  // namespace ryn::color
