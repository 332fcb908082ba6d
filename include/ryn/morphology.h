/* Rank filters and morphology on 8-bit images. Part of RynRAZUdidazoror.h, which users include.
 * Valid C99 and C++. */
#ifndef RYN_MORPHOLOGY_H
#define RYN_MORPHOLOGY_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Each export filters the (W - 2) x (H - 2) inset region at (1, 1) of the caller's W x H image,
 * so that every 3 x 3 window lies inside it; W or H below 3 gives ippStsSizeErr. Except the
 * structuring-element forms, the one-pixel frame of the destination then repeats the nearest
 * filtered pixel. Steps are in bytes; a source step below W is refused with
 * ippStsStrideErr by erosion, dilation and the composites. */
RYN_API IppStatus fnVCAIPP_FilterMedian_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterMax_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterDilate_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterErode_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                              int destinationStep, IppiSize region);

/* Structuring element: three bytes, non-zero to include the neighbour, for (x - 1, x, x + 1) of
 * the row (Horiz) or (y - 1, y, y + 1) of the column (Vert). An excluded neighbour never
 * contributes; an all-zero element gives ippStsZeroMaskValuesErr. The frame around the inset
 * region is left as it was. */
RYN_API IppStatus fnVCAIPP_FilterDilateHoriz_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                     int destinationStep, const uint8_t* element, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterErodeHoriz_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                    int destinationStep, const uint8_t* element, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterDilateVert_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                    int destinationStep, const uint8_t* element, IppiSize region);

/* Opening (erosion, then dilation) and closing (dilation, then erosion) with 3 x 3 windows.
 * The two-image forms complete the destination's frame by replication after each pass, so the
 * second pass sees replicated values around the inset region; the in-place forms run both
 * passes on the inset region reading the frame the caller left, then complete the frame. A
 * failing pass returns its status and leaves the earlier passes' output. */
RYN_API IppStatus fnVCAIPP_Opening3x3_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Opening3x3_8u_C1IR(uint8_t* image, int step, IppiSize region);
RYN_API IppStatus fnVCAIPP_Closing3x3_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Closing3x3_8u_C1IR(uint8_t* image, int step, IppiSize region);

#ifdef __cplusplus
}
#endif

#endif /* RYN_MORPHOLOGY_H */
