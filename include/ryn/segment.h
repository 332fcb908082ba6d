/* Connected components, flood fill, segment boundaries and the Euclidean distance transform.
 * Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_SEGMENT_H
#define RYN_SEGMENT_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What a flood fill filled: the number of pixels, the new value (value[0]; the other two are 0)
 * and the bounding rectangle of the filled pixels. */
typedef struct RynConnectedComponent {
  double area;
  double value[3];
  IppiRect rect;
} RynConnectedComponent;

/* Connectivity ("norm") of labelling and boundaries: 0 for eight neighbours, 1 for the four
 * neighbours left, right, above and below. Any other value gives ippStsBadArgErr. */

/* Labels the connected regions of non-zero pixels in place: every non-zero pixel first becomes
 * the marker 255, then each region, taken in the raster order of its first pixel, is filled with
 * the next label from minimumLabel to maximumLabel (1 <= minimumLabel <= maximumLabel <= 254),
 * starting again at minimumLabel when the range is exhausted. *count receives the number of
 * regions, which may exceed the number of labels. The plain form obtains its working buffer
 * itself and returns the warning ippStsNoOperation, changing nothing, when it cannot. */
RYN_API IppStatus fnVCAIPP_LabelMarkers_8u_C1IR(uint8_t* image, int imageStep, IppiSize region, int minimumLabel,
                                                int maximumLabel, int norm, int* count);
/* The working buffer of the labelling and flood-fill exports for a region: 6 x width x height +
 * 32 bytes. ippStsSizeErr when that does not fit in an int. */
RYN_API IppStatus fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize region, int* size);
/* The labelling with the caller's buffer of at least the queried size (any alignment); a null
 * buffer gives ippStsNoOperation and changes nothing. */
RYN_API IppStatus fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(uint8_t* image, int imageStep, IppiSize region,
                                                       int minimumLabel, int maximumLabel, int norm, int* count,
                                                       uint8_t* buffer);
/* 16-bit labelling: the marker is 65535 and labels go up to 65534; the step must be even. *count
 * holds 30 until the labelling has run, so a rejected call or a missing buffer leaves 30 there. */
RYN_API IppStatus fnVCAIPP_LabelMarkers_16u_C1IR(uint16_t* image, int imageStep, IppiSize region,
                                                 int minimumLabel, int maximumLabel, int norm, int* count);
/* Fills the 4-connected region of pixels equal to the seed pixel with newValue and describes it in
 * *component. A seed pixel already equal to newValue changes nothing and leaves *component as it
 * was. */
RYN_API IppStatus fnVCAIPP_FloodFill_8u_C1IR(uint8_t* image, int imageStep, IppiSize region, int seedX, int seedY,
                                             uint8_t newValue, RynConnectedComponent* component);
/* In raster order, sets to borderValue each pixel that differs from an earlier neighbour (left or
 * above; with norm 0 also above-left and above-right) which is not borderValue itself. Regions
 * one pixel wide always use the four-neighbour rule. */
RYN_API IppStatus fnVCAIPP_BoundSegments_8u_C1IR(uint8_t* image, int imageStep, IppiSize region,
                                                 uint8_t borderValue, int norm);

/* Working buffer of the distance transform: max(W4, H4) x 24 + 56 bytes, where W4 and H4 are the
 * width and height rounded up to multiples of 4. ippStsSizeErr when that does not fit in an int. */
RYN_API IppStatus fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize region, int* size);
/* Exact Euclidean distance of every pixel to the nearest zero pixel of the source, except that no
 * distance exceeds min(H + y, 2H - 1 - y): columns behave as if zero rows lay at rows -H and
 * 2H - 1. The destination step must be a multiple of 4; the buffer may have any alignment. */
RYN_API IppStatus fnVCAIPP_TrueDistanceTransform_8u32f_C1R(const uint8_t* source, int sourceStep,
                                                           float* destination, int destinationStep,
                                                           IppiSize region, uint8_t* buffer);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_SEGMENT_H */
