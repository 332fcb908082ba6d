/* Aligned buffers and vector copies. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_BUFFERS_H
#define RYN_BUFFERS_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Image allocation: the row step in bytes is written to *rowStepBytes. */
RYN_API uint8_t* fnVCAIPP_Malloc_8u_C1(int width, int height, int* rowStepBytes);
RYN_API uint8_t* fnVCAIPP_Malloc_8u_C3(int width, int height, int* rowStepBytes);
RYN_API uint16_t* fnVCAIPP_Malloc_16u_C1(int width, int height, int* rowStepBytes);
RYN_API int16_t* fnVCAIPP_Malloc_16s_C1(int width, int height, int* rowStepBytes);
RYN_API int32_t* fnVCAIPP_Malloc_32s_C1(int width, int height, int* rowStepBytes);
RYN_API float* fnVCAIPP_Malloc_32f_C1(int width, int height, int* rowStepBytes);
RYN_API Ipp32fc* fnVCAIPP_Malloc_32fc_C1(int width, int height, int* rowStepBytes);

/* Vector allocation. */
RYN_API uint8_t* fnVCAIPP_ippsMalloc_8u(int length);
RYN_API int8_t* fnVCAIPP_ippsMalloc_8s_C1(int firstCount, int secondCount);
RYN_API int32_t* fnVCAIPP_ippsMalloc_32s(int length);
RYN_API float* fnVCAIPP_ippsMalloc_32f(int length);

/* Release of any block above; null does nothing. */
RYN_API void fnVCAIPP_Free(void* block);
RYN_API void fnVCAIPP_ippsFree(void* block);

/* Vector copies of length 4-byte elements; source and destination must not overlap. */
RYN_API IppStatus fnVCAIPP_ippsCopy_32f(const float* source, float* destination, int length);
RYN_API IppStatus fnVCAIPP_ippsCopy_32s(const int32_t* source, int32_t* destination, int length);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_BUFFERS_H */
