/* Derivative filters and Canny edges. Part of RynRAZUdidazoror.h, which users include. Valid C99
 * and C++. */
#ifndef RYN_DERIVATIVES_H
#define RYN_DERIVATIVES_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unbordered 3 x 3 Sobel: the destination region starts one row and one pixel in from
 * destination and has the size region; so does the source region, and the source must be
 * readable one pixel beyond it on every side. Horizontal: bottom row minus top row, weighted
 * 1 2 1; vertical: left column minus right column, weighted 1 2 1. */
RYN_API IppStatus fnVCAIPP_FilterSobelHoriz_32f_C1R(const float* source, int sourceStep, float* destination,
                                                    int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterSobelVert_32f_C1R(const float* source, int sourceStep, float* destination,
                                                   int destinationStep, IppiSize region);
/* Prewitt (weights 1 1 1) of the (W - 2) x (H - 2) inset region at (1, 1) of the caller's W x H
 * image; the destination's one-pixel frame then repeats the nearest filtered pixel. */
RYN_API IppStatus fnVCAIPP_FilterPrewittHoriz_32f_C1R(const float* source, int sourceStep, float* destination,
                                                      int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterPrewittVert_32f_C1R(const float* source, int sourceStep, float* destination,
                                                     int destinationStep, IppiSize region);

/* Bordered float filters over the whole region; pixels outside it repeat the nearest region
 * pixel. Steps are multiples of 4 bytes. maskSizeCode: 33 or 55. The exports without a buffer
 * argument allocate one per call. */
RYN_API IppStatus fnVCAIPP_FilterSobelHorizBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                          int destinationStep, IppiSize region, int maskSizeCode);
RYN_API IppStatus fnVCAIPP_FilterSobelVertBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                         int destinationStep, IppiSize region, int maskSizeCode);
/* 3 x 3 weights -1 0 1 / 0 0 0 / 1 0 -1; writes the separate destination. */
RYN_API IppStatus fnVCAIPP_FilterSobelCrossBorder_32f_C1IR(const float* source, int sourceStep, float* destination,
                                                           int destinationStep, IppiSize region);
/* 5 x 5 Laplacian: rows 2 4 4 4 2 / 4 0 -8 0 4 / 4 -8 -24 -8 4 / 4 0 -8 0 4 / 2 4 4 4 2, the sum of
 * two separable passes. */
RYN_API IppStatus fnVCAIPP_FilterLaplacianBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                         int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize(IppiSize region, int* size);
RYN_API IppStatus fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf(const float* source, int sourceStep,
                                                                float* destination, int destinationStep,
                                                                IppiSize region, uint8_t* buffer);

/* 8-bit source, 16-bit signed result, the caller's border type, border value and buffer (sized
 * by the matching query). Border types: low four bits 0 constant (the border value), 1 replicate,
 * 2 wrap, 3 reflect with the edge pixel repeated (1 0 | 0 1), 4 reflect about the edge pixel
 * (2 1 | 0 1 2), 6 all four sides in memory; the flags 16 (left), 32 (right), 64 (above) and
 * 128 (below) say that the caller's memory holds the pixels beyond that side, which are then
 * read. Other values give ippStsBadArgErr. NegVert is the negative of the vertical Sobel (right
 * column minus left column). */
RYN_API IppStatus fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(const uint8_t* source, int sourceStep,
                                                            int16_t* destination, int destinationStep,
                                                            IppiSize region, int maskSizeCode, int borderType,
                                                            uint8_t borderValue, uint8_t* buffer);
RYN_API IppStatus fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R(const uint8_t* source, int sourceStep,
                                                              int16_t* destination, int destinationStep,
                                                              IppiSize region, int maskSizeCode, int borderType,
                                                              uint8_t borderValue, uint8_t* buffer);
RYN_API IppStatus fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R(IppiSize region, int maskSizeCode, int* size);
RYN_API IppStatus fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R(IppiSize region, int maskSizeCode, int* size);

/* Canny edges (0 or 255) from the derivatives along x (dx) and y (dy): L1 magnitudes above the
 * integer part of low, non-maximum suppression across the gradient direction, strong edges above
 * high, and every candidate 8-connected through candidates to a strong edge. buffer holds
 * fnVCAIPP_CannyGetSize bytes. Sizes whose buffer would not fit in 32 bits give ippStsSizeErr. */
RYN_API IppStatus fnVCAIPP_Canny_16s8u_C1R(const int16_t* dx, int dxStep, const int16_t* dy, int dyStep,
                                           uint8_t* edges, int edgesStep, IppiSize region, float low, float high,
                                           uint8_t* buffer);
RYN_API IppStatus fnVCAIPP_CannyGetSize(IppiSize region, int* size);

/* Gradient magnitude in place: image becomes sqrt(Gh^2 + Gv^2) of its bordered Sobel derivatives,
 * which are left in horizontal and vertical. The size query ignores its second argument and
 * returns the 3 x 3 size, which serves mask code 55 as well. */
RYN_API IppStatus fnVCAIPP_GradientsGetBufferSize_32f(IppiSize region, int unused, int* size);
RYN_API IppStatus fnVCAIPP_Gradients_32f_C1IR(float* image, int imageStep, float* horizontal, int horizontalStep,
                                              float* vertical, int verticalStep, int maskSizeCode, int borderType,
                                              float borderValue, IppiSize region, uint8_t* buffer);

#ifdef __cplusplus
}
#endif

#endif /* RYN_DERIVATIVES_H */
