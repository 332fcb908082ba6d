/* Per-pixel arithmetic on one-channel images: sums, differences, products and quotients of two
 * images or of an image and a constant, squares, logarithms and exponentials, absolute values and
 * differences, the accumulations of background models and alpha compositing with constant
 * alphas. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++.
 *
 * Scale factor (names ending in Sfs and every 8u operation with a `scale` argument): the exact
 * integer result r becomes r x 2^-scale, rounded to nearest with ties to even when scale > 0,
 * then saturated to 0..255. Any scale factor is accepted: large ones give 0, very negative ones
 * 255 for every non-zero result.
 *
 * In-place forms (names with I) read and write the image; masked forms (names with M) change only
 * the pixels whose mask byte is not zero. A source may be the destination image itself but must
 * not otherwise overlap it. Where an export takes one step for several images, each image uses
 * it. Unless said otherwise, pointers are checked first (ippStsNullPtrErr), then the region
 * (ippStsSizeErr: width or height below 1), and steps are not checked. */
#ifndef RYN_ARITH_H
#define RYN_ARITH_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* 8-bit sums and differences. Differences below 0 become 0 before scaling. */
/* destination = source1 + source2. */
RYN_API IppStatus fnVCAIPP_Add_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                      IppiSize region, int source1Step, int source2Step, int destinationStep,
                                      int scale);
/* image = source + image. */
RYN_API IppStatus fnVCAIPP_Add_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep, int scale);
RYN_API IppStatus fnVCAIPP_AddC_8u_C1R(uint8_t value, const uint8_t* source, uint8_t* destination,
                                       IppiSize region, int sourceStep, int destinationStep, int scale);
RYN_API IppStatus fnVCAIPP_AddC_8u_C1IR(uint8_t value, uint8_t* image, IppiSize region, int step, int scale);
/* destination = source2 - source1 (the second image minus the first). */
RYN_API IppStatus fnVCAIPP_Sub_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                      IppiSize region, int source1Step, int source2Step, int destinationStep,
                                      int scale);
/* image = image - source, unscaled. */
RYN_API IppStatus fnVCAIPP_Sub_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep);
/* destination = source - value. */
RYN_API IppStatus fnVCAIPP_SubC_8u_C1R(uint8_t value, const uint8_t* source, uint8_t* destination,
                                       IppiSize region, int sourceStep, int destinationStep, int scale);
RYN_API IppStatus fnVCAIPP_SubC_8u_C1IR(uint8_t value, uint8_t* image, IppiSize region, int step, int scale);

/* 8-bit products, quotients, squares and logarithms. */
RYN_API IppStatus fnVCAIPP_Mul_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep, int scale);
RYN_API IppStatus fnVCAIPP_MulC_8u_C1RSfs(const uint8_t* source, uint8_t* destination, uint8_t value,
                                          IppiSize region, int sourceStep, int destinationStep, int scale);
RYN_API IppStatus fnVCAIPP_MulC_8u_C1IRSfs(uint8_t* image, uint8_t value, IppiSize region, int step, int scale);
/* destination = source x f rounded to nearest (ties to even) and saturated, where
 * f = 2^-scale / value is computed in single precision, as is the product. The step (one for both
 * images) must be at least 1 (ippStsStepErr); value 0 gives ippStsDivByZeroErr. */
RYN_API IppStatus fnVCAIPP_DivC_8u_C1RSfs(const uint8_t* source, uint8_t* destination, IppiSize region,
                                          int step, uint8_t value, int scale);
RYN_API IppStatus fnVCAIPP_DivC_8u_C1IRSfs(uint8_t* image, IppiSize region, int step, uint8_t value, int scale);
/* image = image^2, scaled. The step must be at least 1. */
RYN_API IppStatus fnVCAIPP_Sqr_8u_C1IRSfs(uint8_t* image, IppiSize region, int step, int scale);
/* destination = ln(source) x 2^-scale rounded to nearest and saturated; scale factors above 3 give
 * 0. A zero pixel gives 0 and the status ippStsLnZeroArg (a warning: every pixel is still
 * computed). Source and destination may be the same image. Both steps must be at least 1. */
RYN_API IppStatus fnVCAIPP_Ln_8u_C1IRSfs(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, int scale);

/* Single-precision arithmetic, IEEE rules, no saturation and no status for overflow. */
RYN_API IppStatus fnVCAIPP_Add_32f_C1R(const float* source1, int source1Step, const float* source2,
                                       int source2Step, float* destination, int destinationStep, IppiSize region);
/* image = image + source. */
RYN_API IppStatus fnVCAIPP_Add_32f_C1IR(const float* source, int sourceStep, float* image, int imageStep,
                                        IppiSize region);
RYN_API IppStatus fnVCAIPP_AddC_32f_C1IR(float value, float* image, IppiSize region, int step);
/* destination = source2 - source1 (the second image minus the first). */
RYN_API IppStatus fnVCAIPP_Sub_32f_C1R(const float* source1, int source1Step, const float* source2,
                                       int source2Step, float* destination, IppiSize region, int destinationStep);
/* image = image - source. */
RYN_API IppStatus fnVCAIPP_Sub_32f_C1IR(const float* source, float* image, IppiSize region, int step);
RYN_API IppStatus fnVCAIPP_SubC_32f_C1IR(float value, float* image, IppiSize region, int step);
RYN_API IppStatus fnVCAIPP_Mul_32f_C1R(const float* source1, const float* source2, float* destination,
                                       IppiSize region, int source1Step, int source2Step, int destinationStep);
/* image = image x source. */
RYN_API IppStatus fnVCAIPP_Mul_32f_C1IR(const float* source, float* image, IppiSize region, int sourceStep,
                                        int imageStep);
RYN_API IppStatus fnVCAIPP_MulC_32f_C1IR(float* image, float value, IppiSize region, int step);
/* image = image / source. A zero divisor (either sign) gives +infinity for a positive pixel,
 * -infinity for a negative one and the quiet NaN 0x7FC00000 for a zero or NaN pixel, and the
 * status ippStsDivByZero (a warning: every pixel is still computed). The step must be at least 1. */
RYN_API IppStatus fnVCAIPP_Div_32f_C1IR(const float* source, float* image, IppiSize region, int step);
/* image = image x (1 / value), the reciprocal rounded to single precision first. The step must be
 * at least 1; value 0 gives ippStsDivByZeroErr. */
RYN_API IppStatus fnVCAIPP_DivC_32f_C1IR(float* image, IppiSize region, int step, float value);
/* image = image^2 and image = |image| (the sign bit cleared). The step must be at least 1. */
RYN_API IppStatus fnVCAIPP_Sqr_32f_C1IR(float* image, IppiSize region, int step);
RYN_API IppStatus fnVCAIPP_Abs_32f_C1IR(float* image, IppiSize region, int step);

/* Absolute differences. The 8u form needs its step (one for all three images) to be at least the
 * width (ippStsStepErr). The 32f forms need steps of at least 4 x width bytes (ippStsStepErr),
 * then steps that are multiples of 4 (ippStsNotEvenStepErr). */
RYN_API IppStatus fnVCAIPP_AbsDiff_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                          IppiSize region, int step);
RYN_API IppStatus fnVCAIPP_AbsDiff_32f_C1R(const float* source1, const float* source2, float* destination,
                                           IppiSize region, int step);
RYN_API IppStatus fnVCAIPP_AbsDiffC_32f_C1R(const float* source, int sourceStep, float* destination,
                                            int destinationStep, IppiSize region, float value);

/* Accumulations into a single-precision image. Checks: pointers (masks included), the region,
 * then every step below its row (4 x width bytes for 32f images, width for 8u images and masks:
 * ippStsStepErr), then every 32f step that is not a multiple of 4 (ippStsNotEvenStepErr). */
/* image += source where the mask byte is not zero. */
RYN_API IppStatus fnVCAIPP_Add_32f_C1IMR(const float* source, int sourceStep, float* image, int imageStep,
                                         IppiSize region, const uint8_t* mask, int maskStep);
/* image += (float)source. */
RYN_API IppStatus fnVCAIPP_Add_8u32f_C1IR(const uint8_t* source, int sourceStep, float* image, int imageStep,
                                          IppiSize region);
/* image += (float)(source^2). */
RYN_API IppStatus fnVCAIPP_AddSquare_8u32f_C1IR(const uint8_t* source, float* image, IppiSize region,
                                                int sourceStep, int imageStep);
/* image += (float)(source1 x source2), the product exact. */
RYN_API IppStatus fnVCAIPP_AddProduct_8u32f_C1IR(const uint8_t* source1, int source1Step, const uint8_t* source2,
                                                 int source2Step, float* image, int imageStep, IppiSize region);
/* Running average: image = image + alpha x (source - image), evaluated in that order in single
 * precision. Alpha is not range-checked. The masked forms change only the selected pixels. */
RYN_API IppStatus fnVCAIPP_AddWeighted_32f_C1IR(const float* source, float* image, IppiSize region,
                                                int sourceStep, int imageStep, float alpha);
RYN_API IppStatus fnVCAIPP_AddWeighted_8u32f_C1IR(const uint8_t* source, float* image, IppiSize region,
                                                  int sourceStep, int imageStep, float alpha);
/* One step for the source and the image. */
RYN_API IppStatus fnVCAIPP_AddWeighted_32f_C1IMR(const float* source, float* image, const uint8_t* mask,
                                                 IppiSize region, int step, int maskStep, float alpha);
/* One step for the source and the mask. */
RYN_API IppStatus fnVCAIPP_AddWeighted_8u32f_C1IMR(const uint8_t* source, float* image, const uint8_t* mask,
                                                   IppiSize region, int step, int imageStep, float alpha);

/* e^x and ln x on a vector of `length` floats (ippStsSizeErr below 1), faithfully rounded. Exp
 * overflows to +infinity and underflows to 0; NaN passes through; it always returns
 * ippStsNoErr. Ln gives -infinity for +0, the NaN 0xFFC00000 for any other value with the sign bit
 * set (-0 and -infinity included), and passes NaN through; it returns ippStsLnZeroArg if the
 * first such special element is +0, ippStsLnNegArg if it is negative, else ippStsNoErr. */
RYN_API IppStatus fnVCAIPP_Exp_32f_C1IR(float* vector, int length);
RYN_API IppStatus fnVCAIPP_Ln_32f_C1IR(float* vector, int length);

/* Alpha compositing with constant alphas: a = alpha1 for source1 (pixel p), b = alpha2 for source2
 * (pixel q), D(t) = floor(t / 255). Operations 0..5 (over, in, out, atop, xor, plus) take plain
 * pixels, 6..11 the same operations on premultiplied pixels:
 *   over  D(a p) + D((255 - a) D(b q))               min(255, p + D((255 - a) q))
 *   in    D(b D(a p))                                D(b p)
 *   out   D((255 - b) D(a p))                        D((255 - b) p)
 *   atop  D(b D(a p)) + D((255 - a) D(b q))          min(255, D(b p) + D((255 - a) q))
 *   xor   D((255 - b) D(a p)) + D((255 - a) D(b q))  min(255, D((255 - b) p) + D((255 - a) q))
 *   plus  min(255, D(a p) + D(b q))                  min(255, p + q)
 * Any other operation gives ippStsAlphaTypeErr (after the pointer and region checks). */
RYN_API IppStatus fnVCAIPP_AlphaCompC_8u_C1R(const uint8_t* source1, int source1Step, uint8_t alpha1,
                                             const uint8_t* source2, int source2Step, uint8_t alpha2,
                                             uint8_t* destination, int destinationStep, IppiSize region,
                                             int operation);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_ARITH_H */
