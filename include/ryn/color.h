/* Colour conversion between YUV, RGB and 4:2:0 layouts. Part of RynRAZUdidazoror.h, which users
 * include. Valid C99 and C++. */
#ifndef RYN_COLOR_H
#define RYN_COLOR_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* All conversions are 8-bit fixed point; no step is checked. C3 images hold three bytes per pixel
 * (Y, U, V or R, G, B, in that order); P3 images are three planes given as an array of pointers
 * in the same order.
 *
 * YUV to RGB, with u = U - 128 and v = V - 128, each result clamped to 0..255:
 *   R = (65536 Y + Kr v) >> 16,  G = (65536 Y + Kgu u + Kgv v) >> 16,  B = (65536 Y + Kb u) >> 16
 * with floor shifts. The C3 to C3 and the 4:2:0 conversions use Kr, Kgu, Kgv, Kb = 74711, -25821,
 * -38076, 133169; the P3 to P3 and P3 to C3 conversions 74710, -25820, -38075, 133168. */
RYN_API IppStatus fnVCAIPP_YUVToRGB_8u_C3R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                           int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_YUVToRGB_8u_P3R(const uint8_t* const source[3], int sourceStep,
                                           uint8_t* const destination[3], int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_YUVToRGB_8u_P3C3R(const uint8_t* const source[3], int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region);

/* 4:2:0 planes (U and V of half width and half height, each sample shared by its 2 x 2 block of
 * luma) to RGB. Only whole 2 x 2 blocks are converted: with an odd width or height the last
 * column or row is left as it was and the status is 35 (ippStsDoubleSize). */
RYN_API IppStatus fnVCAIPP_YUV420ToRGB_8u_P3C3R(const uint8_t* const source[3], const int sourceSteps[3],
                                                uint8_t* destination, int destinationStep, IppiSize region);
/* The same with rows that follow each other: Y step width, U and V steps width / 2, destination
 * step 3 x width. */
RYN_API IppStatus fnVCAIPP_YUV420ToRGB_8u_P3C3(const uint8_t* const source[3], uint8_t* destination,
                                               IppiSize size);

/* RGB planes to YUV planes, results clamped to 0..255 (white gives Y 254):
 *   Y = (19595 R + 38469 G + 7471 B) >> 16
 *   U = ((-4816 R - 9469 G + 14286 B) >> 15) + 128,  V = ((20152 R - 16875 G - 3276 B) >> 15) + 128 */
RYN_API IppStatus fnVCAIPP_RGBToYUV_8u_P3R(const uint8_t* const source[3], int sourceStep,
                                           uint8_t* const destination[3], int destinationStep, IppiSize region);
/* RGB (C3) to 4:2:0 planes. Each pixel gets Y = (19595 R + 38470 G + 7471 B) >> 16; each 2 x 2
 * block one U and one V from its sums of R and B and of the unshifted luma terms. An odd last
 * column or row is neither read nor written and the status is 35 (ippStsDoubleSize). */
RYN_API IppStatus fnVCAIPP_RGBToYUV420_8u_C3P3R(const uint8_t* source, int sourceStep,
                                                uint8_t* const destination[3], const int destinationSteps[3],
                                                IppiSize region);

/* Two-plane 4:2:0 (Y plus one plane of Cb, Cr pairs) to three planes and back. Width and height
 * are rounded down to even values (an odd last column or row is ignored, without a warning) and
 * must be at least 2. The Y plane is copied; the source and destination Y planes may be one plane
 * with one step. */
RYN_API IppStatus fnVCAIPP_YCbCr420_8u_P2P3R(const uint8_t* sourceY, int sourceYStep, const uint8_t* sourceCbCr,
                                             int sourceCbCrStep, uint8_t* destinationY, uint8_t* destinationCb,
                                             uint8_t* destinationCr, int destinationYStep, int destinationCbStep,
                                             int destinationCrStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_YCbCr420_8u_P3P2R(const uint8_t* sourceY, const uint8_t* sourceCb,
                                             const uint8_t* sourceCr, int sourceYStep, int sourceCbStep,
                                             int sourceCrStep, uint8_t* destinationY, int destinationYStep,
                                             uint8_t* destinationCbCr, int destinationCbCrStep, IppiSize region);

/* Interleaves planeCount planes of 16-bit samples: destination row y (starting y x
 * destinationStride samples after destination) gets, for each k < size.width and each plane c,
 * destination[k x planeCount + c] = plane c [k]. Source rows advance by sourceStride samples when
 * it is positive; otherwise every destination row is made from the same samples. Returns 2
 * (ippStsMisalignedBuf, a warning) after converting every row when any row's destination or
 * plane pointer is not 16-byte aligned. A height below 1 writes nothing and returns 0. */
RYN_API IppStatus fnVCAIPP_PlaneToInterleave_16s(const int16_t* const planes[], int planeCount, IppiSize size,
                                                 int sourceStride, int16_t* destination, int destinationStride);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_COLOR_H */
