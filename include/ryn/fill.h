/* Record constructors and fills. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_FILL_H
#define RYN_FILL_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

RYN_API IppiSize fnVCAIPP_IppiSize(int width, int height);
RYN_API IppiPoint fnVCAIPP_IppiPoint(int x, int y);
RYN_API IppiRect fnVCAIPP_IppiRect(int x, int y, int width, int height);

RYN_API IppStatus fnVCAIPP_Set_8u_C1R(uint8_t* destination, IppiSize region, int destinationStep,
                                      uint8_t value);
RYN_API IppStatus fnVCAIPP_Set_16u_C1R(uint16_t* destination, IppiSize region, int destinationStep,
                                       uint16_t value);
RYN_API IppStatus fnVCAIPP_Set_32f_C1R(float* destination, IppiSize region, int destinationStep,
                                       float value);
RYN_API IppStatus fnVCAIPP_Set_32s_C1R(int32_t value, int32_t* destination, int destinationStep,
                                       IppiSize region);
/* Masked fills write only the pixels whose mask byte is not zero. */
RYN_API IppStatus fnVCAIPP_Set_8u_C1MR(uint8_t* destination, int destinationStep, const uint8_t* mask,
                                       int maskStep, IppiSize region, uint8_t value);
RYN_API IppStatus fnVCAIPP_Set_32f_C1MR(float* destination, IppiSize region, int destinationStep,
                                        float value, const uint8_t* mask, int maskStep);
/* Clears destinationStep x height bytes, row padding included. */
RYN_API IppStatus fnVCAIPP_SetZero_32fc_C1R(Ipp32fc* destination, int destinationStep, IppiSize region);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_FILL_H */
