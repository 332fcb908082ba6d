// Derivative filters and Canny edges: the dispatched primitives, the buffer-size queries and the
// compositions the exports are made of.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"
#include "primitives/derivatives/derivative_weights.h"

namespace ryn::derivatives {

// Unbordered 3 x 3 filters of float images: every destination pixel of `region` from the source
// around the same position, which the caller guarantees readable one pixel beyond the region on
// every side. Checks: pointers, region, steps below 1, then -9 when the row buffer cannot be
// obtained.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, Unbordered kind)>
    FilterUnbordered32f;

// Bordered filters over the whole region: pixels outside it come from the border type
// (border_rules.h) and the border value. `buffer` holds at least the size query's bytes
// (BorderedBufferSize); the filters use less than that (BufferBytesUsed). Checks in order:
// pointers and buffer, region, steps, whole-pixel steps, border type, mask code.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, Bordered kind, int maskCode, int borderType, float borderValue,
                            uint8_t* buffer)>
    FilterBordered32f;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, int16_t* destination, int destinationStep,
                            IppiSize region, Bordered kind, int maskCode, int borderType, uint8_t borderValue,
                            uint8_t* buffer)>
    FilterBordered8u16s;

// Canny edges from two derivative images (along x, along y) into a 0/255 map; `buffer` holds
// CannyBufferSize(region) bytes.
extern Dispatched<IppStatus(const int16_t* dx, int dxStep, const int16_t* dy, int dyStep, uint8_t* edges,
                            int edgesStep, IppiSize region, float low, float high, uint8_t* buffer)>
    Canny16s8u;

// Size queries: -8 for a null result, -6 for an empty region or a size beyond the 32-bit range,
// -33 for an unknown mask code.
enum class BufferFamily { kSobel32f, kLaplacian32f, kSobel8u16s };
IppStatus BorderedBufferSize(BufferFamily family, IppiSize region, int maskCode, int* size);
IppStatus CannyBufferSize(IppiSize region, int* size);
IppStatus GradientsBufferSize(IppiSize region, int* size);

// The exports' compositions.
IppStatus FilterUnborderedShifted32f(const float* source, int sourceStep, float* destination, int destinationStep,
                                     IppiSize region, Unbordered kind);
IppStatus FilterPrewittInset32f(const float* source, int sourceStep, float* destination, int destinationStep,
                                IppiSize region, Unbordered kind);
// Queries the buffer size, allocates, filters with replicated borders, frees.
IppStatus FilterBorderedAllocating32f(const float* source, int sourceStep, float* destination, int destinationStep,
                                      IppiSize region, Bordered kind, int maskCode);
IppStatus Gradients32f(float* image, int imageStep, float* horizontal, int horizontalStep, float* vertical,
                       int verticalStep, int maskCode, int borderType, float borderValue, IppiSize region,
                       uint8_t* buffer);

}  // namespace ryn::derivatives
