/* Linear filters and borders. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_FILTERS_H
#define RYN_FILTERS_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Mask-size codes: 33 means 3 x 3, 55 means 5 x 5; any other code gives ippStsMaskSizeErr.
 * The 8u and box exports filter the inset region at (maskWidth / 2, maskHeight / 2) of size
 * (W - maskWidth) x (H - maskHeight), so that every window lies inside the caller's image, and
 * then, except the high-pass, fill the rest of the W x H destination by replicating the edge
 * of the filtered region. Steps are in bytes and need not be multiples of the pixel size; a
 * destination step below the row length makes rows overlap, and they are then written one after
 * the other (filtered rows top to bottom, then the frame), each copy behaving as memmove. */
RYN_API IppStatus fnVCAIPP_FilterBox_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, int maskWidth, int maskHeight);
RYN_API IppStatus fnVCAIPP_FilterBox_32f_C1R(const float* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize region, int maskWidth, int maskHeight);
RYN_API IppStatus fnVCAIPP_FilterGauss_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                              int destinationStep, IppiSize region, int maskSizeCode);
/* The destination frame around the inset region is left as it was. */
RYN_API IppStatus fnVCAIPP_FilterHipass_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region, int maskSizeCode);
/* Convolution: kernel element 0 (top-left of the row-major array) multiplies the bottom-right
 * pixel of the window; the sum is divided by divisor (powers of two and other divisors round to
 * nearest, ties to even) and saturated to 0..255. */
RYN_API IppStatus fnVCAIPP_Filter_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, const int32_t* kernel,
                                         IppiSize kernelSize, int divisor);
/* Float convolution of the whole region with the caller's anchor; the caller provides every
 * source pixel the kernel reaches. */
RYN_API IppStatus fnVCAIPP_Filter_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize region, const float* kernel,
                                          IppiSize kernelSize, IppiPoint anchor);
/* Separable Gaussian of the whole region; pixels outside it replicate the nearest region pixel.
 * An even kernel size k filters with k + 1. */
RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                     int destinationStep, IppiSize region, int kernelSize,
                                                     int sigma);
/* Working-buffer bytes for the _ExtBuf form (odd kernel sizes of at least 3); ippStsSizeErr when
 * the size does not fit the 32-bit result, and the two filter forms then refuse the kernel size
 * with the same status. */
RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize(IppiSize region, int kernelSize, int* bufferSize);
RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(const float* source, int sourceStep,
                                                            float* destination, int destinationStep,
                                                            IppiSize region, int kernelSize, int sigma,
                                                            uint8_t* buffer);
/* Border copies of a width x height image whose rows share one step: the destination takes the
 * source's inner rectangle at (border, border), (width - 2 border) x (height - 2 border), and a
 * frame border pixels wide, constant or replicated from the inner rectangle. */
RYN_API IppStatus fnVCAIPP_CopyConstBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                  int height, int step, int border, uint8_t value);
RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                      int height, int step, int border);
RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1IR(uint8_t* image, int width, int height, int step,
                                                       int border);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_FILTERS_H */
