/* Copies and type conversions of one-channel images. Part of RynRAZUdidazoror.h, which users
 * include. Valid C99 and C++. */
#ifndef RYN_COPY_H
#define RYN_COPY_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Copies width x height pixels. The steps are not checked: a step of 0 reads (or writes) the same
 * row for every row. Source and destination may be the same image but must not otherwise
 * overlap. */
RYN_API IppStatus fnVCAIPP_Copy_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                       int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Copy_16s_C1R(const int16_t* source, int sourceStep, int16_t* destination,
                                        int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Copy_32s_C1R(const int32_t* source, int sourceStep, int32_t* destination,
                                        int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Copy_32f_C1R(const float* source, int sourceStep, float* destination,
                                        int destinationStep, IppiSize region);

/* Copies only the pixels whose mask byte is not zero; the other destination pixels are never
 * written. The steps are not checked. */
RYN_API IppStatus fnVCAIPP_Copy_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                        int destinationStep, const uint8_t* mask, int maskStep,
                                        IppiSize region);
RYN_API IppStatus fnVCAIPP_Copy_32f_C1MR(const float* source, int sourceStep, float* destination,
                                         int destinationStep, const uint8_t* mask, int maskStep,
                                         IppiSize region);

/* Conversions; both steps must be at least 1 (ippStsStepErr). Widening conversions are exact. */
RYN_API IppStatus fnVCAIPP_Convert_8u32f_C1R(const uint8_t* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Convert_16u32f_C1R(const uint16_t* source, int sourceStep, float* destination,
                                              int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Convert_8u16u_C1R(const uint8_t* source, int sourceStep, uint16_t* destination,
                                             int destinationStep, IppiSize region);
RYN_API IppStatus fnVCAIPP_Convert_8u16s_C1R(const uint8_t* source, int sourceStep, int16_t* destination,
                                             int destinationStep, IppiSize region);
/* Values below 0 give 0, above 255 give 255. */
RYN_API IppStatus fnVCAIPP_Convert_16s8u_C1R(const int16_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region);
/* Rounds to the nearest integer, halves to even (2.5 gives 2), and saturates to 0..255, whatever
 * rounding mode the caller has set. NaN gives 0. */
RYN_API IppStatus fnVCAIPP_Convert_32f8u_C1R(const float* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_COPY_H */
