/* Complex FFTs of images, polar conversions, DFT contour smoothing and template matching by FFT
 * correlation. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_FFT_H
#define RYN_FFT_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Two-dimensional complex FFT ------------------------------------------------------------ */

/* The FFT object of one image size, 2^orderX columns by 2^orderY rows: created by
 * fnVCAIPP_FFTInitAlloc_C_32fc, released by fnVCAIPP_FFTFree_C_32fc. Transforms only read it. */
typedef struct RynFft2D RynFft2D;

/* flag: 1 scales the forward result by 1/N, 2 the inverse result by 1/N, 4 both by 1/sqrt(N), 8
 * neither (N the length of each one-dimensional pass). Orders 0..28; the tables of order 28 need
 * more than the 2^31 - 1 bytes of one library block, so that order gives -9. *fft is written only
 * on success. Errors: -8 null out-pointer, -15 order, -16 flag, -9 out of memory. */
RYN_API IppStatus fnVCAIPP_FFTInitAlloc_C_32fc(RynFft2D** fft, int orderX, int orderY, int flag, int hint);
/* Bytes of the work buffer a transform needs, including room to align it to 16 bytes; -6 when
 * that does not fit in an int. */
RYN_API IppStatus fnVCAIPP_FFTGetBufSize_C_32fc(const RynFft2D* fft, int* size);
/* Forward transform X(k, l) = sum of x(n, m) exp(-2 pi i (n k / Nx + m l / Ny)), then the flag's
 * scale. buffer: at least the size above, or null to have the call allocate one. */
RYN_API IppStatus fnVCAIPP_FFTFwd_CToC_32fc_C1R(const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                                                int destinationStep, const RynFft2D* fft, uint8_t* buffer);
/* Inverse transform: the same with exp(+2 pi i ...). */
RYN_API IppStatus fnVCAIPP_FFTInv_CToC_32fc_C1R(const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                                                int destinationStep, const RynFft2D* fft, uint8_t* buffer);
RYN_API IppStatus fnVCAIPP_FFTFwd_CToC_32fc_C1IR(Ipp32fc* image, int step, const RynFft2D* fft,
                                                 uint8_t* buffer);
RYN_API IppStatus fnVCAIPP_FFTInv_CToC_32fc_C1IR(Ipp32fc* image, int step, const RynFft2D* fft,
                                                 uint8_t* buffer);
/* Releases the object; a released object must not be passed again. */
RYN_API IppStatus fnVCAIPP_FFTFree_C_32fc(RynFft2D* fft);

/* ---- Conversions ---------------------------------------------------------------------------- */

/* sqrt(re^2 + im^2) of each pixel, in single precision. */
RYN_API IppStatus fnVCAIPP_Magnitude_32fc32f_C1R(const Ipp32fc* source, int sourceStep, float* destination,
                                                 int destinationStep, IppiSize size);
/* atan2(im, re) of each pixel, radians in -pi..pi. */
RYN_API IppStatus fnVCAIPP_Phase_32fc32f_C1R(const Ipp32fc* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize size);
/* (magnitude cos(phase), magnitude sin(phase)); both planes share planeStep. */
RYN_API IppStatus fnVCAIPP_PolarToCart_32f32fc_P2C1R(const float* magnitude, const float* phase, int planeStep,
                                                     Ipp32fc* destination, int destinationStep, IppiSize size);
/* Magnitude and phase of length (re, im) pairs; nothing is written when an argument is bad. */
RYN_API IppStatus fnVCAIPP_CartToPolar_32f(const float* re, const float* im, float* magnitude, float* phase,
                                           int length);
/* (re, im) pairs from two planes. Each step, counted in whole elements, must hold a row (-14); rows
 * advance by the steps rounded down to whole elements. */
RYN_API IppStatus fnVCAIPP_Convert_RealToComplex_32f(const float* re, int reStep, const float* im, int imStep,
                                                     Ipp32fc* destination, int destinationStep, IppiSize size);
/* Copies the region; each step must hold a row of 8-byte elements (-14). Rows advance by the step
 * rounded down to a multiple of 8 bytes. */
RYN_API IppStatus fnVCAIPP_Copy_32fc_C1R(const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                                         int destinationStep, IppiSize size);

/* ---- DFT contour smoothing ------------------------------------------------------------------ */

/* A closed contour of n points is n Ipp32fc values (x real, y imaginary). One context serves one
 * contour length and one call at a time. */
typedef struct RynContourSmoother RynContourSmoother;

/* On failure nothing stays allocated and *context is null. Errors: -8, -6 (n below 1), -9. */
RYN_API IppStatus fnVCAIPP_DFTSmoothContourInitAlloc_32f(RynContourSmoother** context, int n);
/* Releases the context and clears *context; -8 when there is none. */
RYN_API IppStatus fnVCAIPP_DFTSmoothContourFree_32f(RynContourSmoother** context);
/* Keeps the 2k + 1 frequencies -(k + 1) .. k - 1 of the contour (in place); spectrum: n elements
 * of scratch that end holding the kept spectrum. n must be the context's length (-5), k at least
 * 0 (-5); with n - 2k - 1 below 1 the contour stays as it was and the status is -6. */
RYN_API IppStatus fnVCAIPP_DFTSmoothContour_32f(RynContourSmoother* context, Ipp32fc* contour, Ipp32fc* spectrum,
                                                int n, int k);
/* 40 n bytes. */
RYN_API IppStatus fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f(const RynContourSmoother* context, int* size);
/* Smooths distances and angles from the bounding box's lower corner separately and clamps the
 * result to the unit square; destination may be the source. */
RYN_API IppStatus fnVCAIPP_DFTSmoothContourPolar_32f(RynContourSmoother* context, uint8_t* buffer,
                                                     const Ipp32fc* source, Ipp32fc* destination, int n, int k);

/* ---- Template matching ---------------------------------------------------------------------- */

/* Normalised squared distance of the template to each window of the source that it fits: the
 * destination has (W - w + 1) x (H - h + 1) values sum((I - T)^2) / (sqrt(sum(I^2)) ||T||), each
 * factor of the denominator raised to at least 2^-23. */
RYN_API IppStatus fnVCAIPP_SqrDistanceValid_Norm(const float* source, int sourceStep, IppiSize sourceSize,
                                                 const float* pattern, int patternStep, IppiSize patternSize,
                                                 float* destination, int destinationStep);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_FFT_H */
