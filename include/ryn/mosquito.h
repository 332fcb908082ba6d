/* Mosquito-noise reduction. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_MOSQUITO_H
#define RYN_MOSQUITO_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The filter's state for one frame size: tuning values and the working memory of one call. */
typedef struct RynMosquitoState RynMosquitoState;

/* Creates the state for frames of `roi` and writes it to *state (null on failure). The state is
 * a library block: release it with fnVCAIPP_Free. Statuses: ippStsNullPtrErr, ippStsSizeErr
 * (width or height below 1), ippStsMemAllocErr. */
RYN_API IppStatus fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize roi, RynMosquitoState** state);

/* Reduces the ringing that block-based compression leaves around edges in otherwise flat areas:
 * `cleaned` is written to `destination` with flat pixels near strong gradients smoothed, blocks
 * that changed against `reference` treated with medians. Both sources share `sourceStep`; `roi`
 * must equal the state's size and hold one 12 x 12 window (else ippStsErr). Not in place. One
 * state serves one call at a time. */
RYN_API IppStatus fnVCAIPP_FilterDenoiseMosquito_8u_C1R(const uint8_t* reference, const uint8_t* cleaned,
                                                        int sourceStep, uint8_t* destination,
                                                        int destinationStep, IppiSize roi,
                                                        RynMosquitoState* state);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_MOSQUITO_H */
