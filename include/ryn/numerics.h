/* Random generators, small vector and matrix algebra, element-wise transcendental functions. Part of
 * RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_NUMERICS_H
#define RYN_NUMERICS_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------------------------ */
/* Random generators                                                                           */
/* ------------------------------------------------------------------------------------------ */

/* Every generator runs one integer sequence: a subtract-with-borrow generator combined with a
 * congruential generator, started from a 32-bit seed. Equal seeds give equal samples on every
 * processor.
 *
 * Stateful style: InitAlloc creates a state (null on failure, with ippStsMemAllocErr), each call
 * of the generator continues its sequence, Free releases it. A state passed to a generator or a
 * Free of another kind gives ippStsContextMatchErr. Parameters are not range-checked: low may
 * exceed high and a negative deviation is accepted.
 *
 * Direct style: each call starts the sequence afresh from *seed and writes back a new seed, so
 * that chained calls continue with fresh, reproducible vectors.
 *
 * Uniform samples lie in [low, high); 8u and 16s round to nearest, ties to even (so high itself
 * can occur). Gaussian samples come from the polar method; 16s samples are rounded to nearest,
 * ties to even, and saturated. Results do not depend on the caller's floating-point rounding
 * mode. */
typedef struct RynRandUniformState8u RynRandUniformState8u;
typedef struct RynRandUniformState16s RynRandUniformState16s;
typedef struct RynRandUniformState32f RynRandUniformState32f;
typedef struct RynRandGaussState16s RynRandGaussState16s;
typedef struct RynRandGaussState32f RynRandGaussState32f;

RYN_API IppStatus fnVCAIPP_RandUniformInitAlloc_8u(RynRandUniformState8u** state, uint8_t low, uint8_t high,
                                                   uint32_t seed);
RYN_API IppStatus fnVCAIPP_RandUniformInitAlloc_16s(RynRandUniformState16s** state, int16_t low, int16_t high,
                                                    uint32_t seed);
RYN_API IppStatus fnVCAIPP_RandUniformInitAlloc_32f(RynRandUniformState32f** state, float low, float high,
                                                    uint32_t seed);
RYN_API IppStatus fnVCAIPP_RandUniform_8u(uint8_t* destination, int length, RynRandUniformState8u* state);
RYN_API IppStatus fnVCAIPP_RandUniform_16s(int16_t* destination, int length, RynRandUniformState16s* state);
RYN_API IppStatus fnVCAIPP_RandUniform_32f(float* destination, int length, RynRandUniformState32f* state);
RYN_API IppStatus fnVCAIPP_RandUniformFree_8u(RynRandUniformState8u* state);
RYN_API IppStatus fnVCAIPP_RandUniformFree_16s(RynRandUniformState16s* state);
RYN_API IppStatus fnVCAIPP_RandUniformFree_32f(RynRandUniformState32f* state);
RYN_API IppStatus fnVCAIPP_RandUniform_Direct_16s(int16_t* destination, int length, int16_t low, int16_t high,
                                                  uint32_t* seed);
RYN_API IppStatus fnVCAIPP_RandUniform_Direct_32f(float* destination, int length, float low, float high,
                                                  uint32_t* seed);
RYN_API IppStatus fnVCAIPP_RandUniform_Direct_64f(double* destination, int length, double low, double high,
                                                  uint32_t* seed);

/* A stateful Gaussian generator that ends a vector in the middle of a pair keeps the second
 * sample for the next call. */
RYN_API IppStatus fnVCAIPP_RandGaussInitAlloc_16s(RynRandGaussState16s** state, int16_t mean,
                                                  int16_t standardDeviation, uint32_t seed);
RYN_API IppStatus fnVCAIPP_RandGaussInitAlloc_32f(RynRandGaussState32f** state, float mean,
                                                  float standardDeviation, uint32_t seed);
RYN_API IppStatus fnVCAIPP_RandGauss_16s(int16_t* destination, int length, RynRandGaussState16s* state);
RYN_API IppStatus fnVCAIPP_RandGauss_32f(float* destination, int length, RynRandGaussState32f* state);
RYN_API IppStatus fnVCAIPP_RandGaussFree_16s(RynRandGaussState16s* state);
RYN_API IppStatus fnVCAIPP_RandGaussFree_32f(RynRandGaussState32f* state);
RYN_API IppStatus fnVCAIPP_RandGauss_Direct_16s(int16_t* destination, int length, int16_t mean,
                                                int16_t standardDeviation, uint32_t* seed);
RYN_API IppStatus fnVCAIPP_RandGauss_Direct_32f(float* destination, int length, float mean,
                                                float standardDeviation, uint32_t* seed);
RYN_API IppStatus fnVCAIPP_RandGauss_Direct_64f(double* destination, int length, double mean,
                                                double standardDeviation, uint32_t* seed);

/* ------------------------------------------------------------------------------------------ */
/* Small vector and matrix algebra (single floats)                                             */
/* ------------------------------------------------------------------------------------------ */

/* 4 x 4 matrices of the builders: 16 consecutive floats, element (r, c) at r x 4 + c, for row
 * vectors multiplied on the left (v' = v M). The angle is in radians; the rotations turn
 * counter-clockwise seen from the positive axis. A null matrix gives ippStsNullPtrErr. */
RYN_API IppStatus fnVCAIPP_RotationX_m4_32f(float angle, float* matrix);
RYN_API IppStatus fnVCAIPP_RotationY_m4_32f(float angle, float* matrix);
RYN_API IppStatus fnVCAIPP_RotationZ_m4_32f(float angle, float* matrix);
RYN_API IppStatus fnVCAIPP_Translation_m4_32f(float tx, float ty, float tz, float* matrix);
/* destination = source / |source| for 3 floats; a zero vector gives non-finite values. The two
 * may be the same array. */
RYN_API IppStatus fnVCAIPP_Normalize_v3_32f(const float* source, float* destination);

/* Strides are in bytes and must be positive multiples of 4 (else ippStsStrideMatrixErr):
 * elementStride between consecutive elements of a vector or of a matrix row, rowStride between
 * rows, matrixStride between the matrices of an array. Element (i, j) lies at
 * base + i x rowStride + j x elementStride. Checks, in order: null pointers (ippStsNullPtrErr),
 * sizes below 1 (ippStsSizeErr), mismatched sizes of a product (ippStsSizeMatchMatrixErr),
 * strides. Destinations of the products must not overlap their sources. */
RYN_API IppStatus fnVCAIPP_Mul_mv_32f(const float* matrix, int rowStride, int elementStride, int width,
                                      int height, const float* vector, int vectorStride, int length,
                                      float* destination, int destinationStride);
RYN_API IppStatus fnVCAIPP_Mul_mm_32f(const float* a, int aRowStride, int aElementStride, int aWidth,
                                      int aHeight, const float* b, int bRowStride, int bElementStride,
                                      int bWidth, int bHeight, float* destination, int destinationRowStride,
                                      int destinationElementStride);
RYN_API IppStatus fnVCAIPP_Mul_vc_32f(const float* vector, int vectorStride, float constant, float* destination,
                                      int destinationStride, int length);
RYN_API IppStatus fnVCAIPP_Sub_vv_32f(const float* a, int aStride, const float* b, int bStride,
                                      float* destination, int destinationStride, int length);
RYN_API IppStatus fnVCAIPP_DotProduct_vv_32f(const float* a, int aStride, const float* b, int bStride,
                                             float* destination, int length);
/* 3-vectors; the destination may be one of the sources. */
RYN_API IppStatus fnVCAIPP_CrossProduct_vv_32f(const float* a, int aStride, const float* b, int bStride,
                                               float* destination, int destinationStride);
RYN_API IppStatus fnVCAIPP_L2Norm_v_32f(const float* vector, int vectorStride, float* destination, int length);

/* LU decomposition with partial pivoting (the first row of largest magnitude): index receives the
 * row order, destination the unit lower factor below its diagonal and the upper factor on and
 * above it, rows in pivot order. A pivot below twice the smallest normal float gives
 * ippStsSingularErr, with the destination partly written. The destination may be the source. */
RYN_API IppStatus fnVCAIPP_LUDecomp_m_32f(const float* matrix, int rowStride, int elementStride, int* index,
                                          float* destination, int destinationRowStride,
                                          int destinationElementStride, int size);
/* Solves A x = b from the decomposition of A. The destination must not overlap b; the index
 * array must be the decomposition's. */
RYN_API IppStatus fnVCAIPP_LUBackSubst_mv_32f(const float* lu, int rowStride, int elementStride,
                                              const int* index, const float* b, int bStride,
                                              float* destination, int destinationStride, int size);
/* Determinants. The work buffer holds size x size + size floats. A pivot of magnitude at most
 * 2 size^3 times the smallest normal float makes the determinant 0. For the array form, a count
 * below 1 gives ippStsCountMatrixErr right after the null pointers; results are consecutive
 * floats. */
RYN_API IppStatus fnVCAIPP_Det_m_32f(const float* matrix, int rowStride, int elementStride, int size,
                                     float* buffer, float* destination);
RYN_API IppStatus fnVCAIPP_Det_ma_32f(const float* matrices, int matrixStride, int rowStride, int elementStride,
                                      int size, float* buffer, float* destinations, int count);
/* Inverse by elimination with partial pivoting in the work buffer (size x size + size floats).
 * A pivot of magnitude at most 2 size^3 times the smallest normal float gives ippStsSingularErr
 * and leaves the destination untouched. The destination may be the source. */
RYN_API IppStatus fnVCAIPP_Invert_m_32f(const float* matrix, int rowStride, int elementStride, float* buffer,
                                        float* destination, int destinationRowStride,
                                        int destinationElementStride, int size);

/* ------------------------------------------------------------------------------------------ */
/* Element-wise transcendental functions                                                       */
/* ------------------------------------------------------------------------------------------ */

/* Fast single-float functions on vectors of `length` elements (in spite of the C1R suffix).
 * Checks: length below 1 (ippStsSizeErr), then null pointers. Ordinary operands take a
 * polynomial; zeros, denormals, infinities, NaN and operands near the ends of the range take an
 * exact path. A NaN operand gives a NaN result and the warning ippStsNanArg; a hypotenuse of
 * finite operands beyond the float range gives +inf and ippStsOverflow. The first warning is
 * returned after the whole vector is computed. The destination may be a source.
 *
 * atan2(y, x): the angle of the point (x, y) in -pi..pi, within 1.7e-4 radians. */
RYN_API IppStatus fnVCAIPP_Atan2_32f_C1R(const float* y, const float* x, float* destination, int length);
/* sqrt(a^2 + b^2), to single precision. */
RYN_API IppStatus fnVCAIPP_Hypot_32f_C1R(const float* a, const float* b, float* destination, int length);
/* sin of each pixel to 11 bits. Checks: null pointers, region, then steps: a step whose value
 * divided by 4 is below the width gives ippStsStepErr, except negative steps, which pass and walk
 * the rows upwards (row r starts r x (step / 4) floats after the first pixel). */
RYN_API IppStatus fnVCAIPP_SinA11_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize region);
/* The Jaehne test pattern: a radial chirp centred in the region whose phase grows with the
 * squared distance from the centre, scaled by the height only; the centre pixel is 127. Checks:
 * null pointer, step below 1 (ippStsStepErr), region. */
RYN_API IppStatus fnVCAIPP_ImageJaehne_8u_C1R(uint8_t* destination, int destinationStep, IppiSize region);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_NUMERICS_H */
