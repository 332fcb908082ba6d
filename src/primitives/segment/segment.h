// Labelling, flood fill, segment boundaries and the Euclidean distance transform.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"
#include "primitives/segment/flood_fill.h"

namespace ryn::segment {

// Working buffer of the labelling and the flood fill: 6 W H + 32 bytes.
IppStatus FloodFillBufferSize(IppiSize region, int* size);

// Checks of the labelling other than the buffer's, in their order, so that the forms that obtain
// their own buffer can reject arguments before they allocate.
IppStatus CheckLabelMarkers8u(const uint8_t* image, int step, IppiSize region, int minimumLabel, int maximumLabel,
                              int norm, const int* count);
IppStatus CheckLabelMarkers16u(const uint16_t* image, int step, IppiSize region, int minimumLabel,
                               int maximumLabel, int norm, const int* count);
IppStatus LabelMarkers8u(uint8_t* image, int step, IppiSize region, int minimumLabel, int maximumLabel, int norm,
                         int* count, uint8_t* buffer);
IppStatus LabelMarkers16u(uint16_t* image, int step, IppiSize region, int minimumLabel, int maximumLabel,
                          int norm, int* count, uint8_t* buffer);

IppStatus FloodFill8u(uint8_t* image, int step, IppiSize region, IppiPoint seed, uint8_t newValue,
                      Connectivity connectivity, RynConnectedComponent* component, uint8_t* buffer);

IppStatus BoundSegments8u(uint8_t* image, int step, IppiSize region, uint8_t borderValue, int norm);

// Working buffer of the distance transform: max(W4, H4) x 24 + 56 bytes.
IppStatus DistanceTransformBufferSize(IppiSize region, int* size);
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, uint8_t* buffer)>
    DistanceTransform8u32f;

}  // namespace ryn::segment
