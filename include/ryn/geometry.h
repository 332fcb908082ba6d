/* Resizing, rotation, perspective warp, remap, mirror and transpose. Part of RynRAZUdidazoror.h,
 * which users include. Valid C99 and C++.
 *
 * Interpolation values: 1 nearest neighbour, 2 linear, 4 cubic Lagrange, 5 cubic B-spline,
 * 6 Catmull-Rom, 7 cubic with B = 0.5 and C = 0.3, 8 super-sampling (reduction only), 16 Lanczos
 * (three lobes). Resize options, at most one: 0x80000000 blends partially covered border pixels
 * with the destination, 0x40000000 fades them toward zero, 0x20000000 widens the kernel when
 * reducing (antialiasing; modes 1 and 8 ignore it and report 46).
 *
 * Rotation, perspective warp and remap read only the source region and write only the destination
 * pixels whose source position lies inside it. With bit 0x80000000 (edge smoothing) they also
 * write the pixels whose position lies less than one pixel outside the hull of the region's pixel
 * centres: the sample at the nearest position inside, blended with the destination pixel by the
 * coverage (1 - dx)(1 - dy), dx and dy the distances outside the hull; the blend is the resize's
 * edge blend (old + (edge - old) x coverage, rounded). */
#ifndef RYN_GEOMETRY_H
#define RYN_GEOMETRY_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Does nothing and returns -2 (ippStsErr), whatever its arguments. */
RYN_API IppStatus fnVCAIPP_Resize_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                         IppiRect sourceRegion, uint8_t* destination, int destinationStep,
                                         IppiSize destinationSize, double xFactor, double yFactor,
                                         int interpolation);
/* Scales width x height by 1 / factor on both axes: nearest neighbour when enlarging (factor < 1),
 * super-sampling otherwise. Returns 1 without writing when no working buffer can be had. */
RYN_API IppStatus fnVCAIPP_ResizeSqrPixel_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                 int destinationStep, int width, int height, float factor);
/* Working-buffer bytes of ResizeImage_8u_C1R_ExtBuf. */
RYN_API IppStatus fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(IppiSize sourceSize, IppiSize destinationSize,
                                                         int interpolation, int* bufferSize);
/* Whole-image resize; the destination size sets the factors, the rectangle written is the one the
 * factors give (never beyond the destination size). */
RYN_API IppStatus fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(const uint8_t* source, int sourceStep, IppiSize sourceSize,
                                                     uint8_t* destination, int destinationStep,
                                                     IppiSize destinationSize, int interpolation, uint8_t* buffer);
RYN_API IppStatus fnVCAIPP_ResizeImage_8u_C1R(const uint8_t* source, int sourceStep, IppiSize sourceSize,
                                              uint8_t* destination, int destinationStep, IppiSize destinationSize,
                                              int interpolation);

/* Rotation by `angle` degrees (counter-clockwise on screen) then the shifts; interpolation 1, 2, 4
 * or 6, optionally with 0x80000000. */
RYN_API IppStatus fnVCAIPP_Rotate_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                         IppiRect sourceRegion, uint8_t* destination, int destinationStep,
                                         IppiRect destinationRegion, double angle, double xShift, double yShift,
                                         int interpolation);
/* Rotation about (xCentre, yCentre). */
RYN_API IppStatus fnVCAIPP_RotateCenter_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                               IppiRect sourceRegion, uint8_t* destination, int destinationStep,
                                               IppiRect destinationRegion, double angle, double xCentre,
                                               double yCentre, int interpolation);
/* The 3 x 3 matrix (row-major) mapping the corner pixels of (0, 0, size) onto the quadrangle (4 x 2
 * doubles: top-left, top-right, bottom-right, bottom-left). */
RYN_API IppStatus fnVCAIPP_GetPerspectiveTransform_8u_C1R(const double* quadrangle, IppiSize size,
                                                          double* coefficients);
/* Fills the destination with 15, then warps with nearest neighbour; direction 1: the coefficients
 * map source to destination, otherwise destination to source. One step for both images. */
RYN_API IppStatus fnVCAIPP_WarpPerspective_8u_C1R(const uint8_t* source, uint8_t* destination, IppiSize size,
                                                  int step, uint8_t direction, const double* coefficients);
/* Destination pixel (x, y) samples the source at (xMap(x, y), yMap(x, y)); positions outside the
 * source region leave it unchanged. Interpolation 1, 2, 4, 6 or 16, optionally with 0x80000000. */
RYN_API IppStatus fnVCAIPP_Remap_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                        IppiRect sourceRegion, const float* xMap, int xMapStep, const float* yMap,
                                        int yMapStep, uint8_t* destination, int destinationStep,
                                        IppiSize destinationSize, int interpolation);
RYN_API IppStatus fnVCAIPP_Remap_8u_C3R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                        IppiRect sourceRegion, const float* xMap, int xMapStep, const float* yMap,
                                        int yMapStep, uint8_t* destination, int destinationStep,
                                        IppiSize destinationSize, int interpolation);

/* Flip 0: about the horizontal axis (rows), 1: the vertical axis (columns), 2: both. The source
 * and destination of the out-of-place forms must not overlap. */
RYN_API IppStatus fnVCAIPP_Mirror_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize size, int flip);
RYN_API IppStatus fnVCAIPP_Mirror_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize size, int flip);
RYN_API IppStatus fnVCAIPP_Mirror_8u_C1IR(uint8_t* image, int step, IppiSize size, int flip);
RYN_API IppStatus fnVCAIPP_Mirror_32f_C1IR(float* image, int step, IppiSize size, int flip);
/* The destination is size.height columns by size.width rows. */
RYN_API IppStatus fnVCAIPP_Transpose_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize size);
RYN_API IppStatus fnVCAIPP_Transpose_32f_C1R(const float* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize size);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_GEOMETRY_H */
