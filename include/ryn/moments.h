/* Integral images and moments. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_MOMENTS_H
#define RYN_MOMENTS_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Summed-area tables of an 8-bit region into 32-bit images. Every sum wraps modulo 2^32 without
 * a warning. The destination step must be a multiple of 4. */

/* (width + 1) x (height + 1) values: row 0 and column 0 hold the initial value; every other
 * value is the initial value plus the sum of the source pixels above and to the left of it. The
 * destination step must be at least 4 x width + 4. */
RYN_API IppStatus fnVCAIPP_Integral_8u32s_C1R(const uint8_t* source, int sourceStep, int32_t* destination,
                                              int destinationStep, IppiSize region, int32_t initialValue);
/* (width + 2) x (height + 2) values of the 45-degree rotated table: rows 0 and 1 hold the initial
 * value; row r = y + 2 is T[r][x] = S[y][x-1] + S[y][x] + T[r-1][x-1] + T[r-1][x+1] - T[r-2][x]
 * (S[y][width] counts as 0) for x = 1..width, T[r][0] = T[r-1][1] and
 * T[r][width+1] = T[r-1][width]. The destination step must be at least 4 x width + 8. */
RYN_API IppStatus fnVCAIPP_TiltedIntegral_8u32s_C1R(const uint8_t* source, int sourceStep,
                                                    int32_t* destination, int destinationStep,
                                                    IppiSize region, int32_t initialValue);

/* Moment state: spatial moments of up to three channels, read back as Hu invariants. Obtain one
 * with fnVCAIPP_MomentInitAlloc and release it with fnVCAIPP_MomentFree_64f. */
typedef struct RynMomentState RynMomentState;

/* *state receives a new state with no moments yet (the hint is kept, not used), or null with
 * ippStsMemAllocErr. */
RYN_API IppStatus fnVCAIPP_MomentInitAlloc(RynMomentState** state, int hint);
/* Releases a state; ippStsContextMatchErr when it is not a moment state. */
RYN_API IppStatus fnVCAIPP_MomentFree_64f(RynMomentState* state);
/* Replaces the state's moments by the spatial moments m(p,q) = sum x^p y^q I(x,y), p + q <= 3, of
 * the region (x and y from its top-left pixel). */
RYN_API IppStatus fnVCAIPP_Moments64f_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                             RynMomentState* state);
/* The seven Hu invariants of channel `channel` (0 after a one-channel computation);
 * ippStsChannelErr before any computation, ippStsMoment00ZeroErr when m00 is zero. */
RYN_API IppStatus fnVCAIPP_GetHuMoments_64f(const RynMomentState* state, int channel, double hu[7]);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_MOMENTS_H */
