/* Bitwise logic, thresholds, comparisons, per-pixel minimum and maximum and the linear lookup
 * table on one-channel images. Part of RynRAZUdidazoror.h, which users include. Valid C99 and
 * C++. In-place forms (names ending in IR) read and write one image. */
#ifndef RYN_LOGIC_H
#define RYN_LOGIC_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Bitwise logic. Every step must be at least 1; steps are checked before the region. */
RYN_API IppStatus fnVCAIPP_And_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                      IppiSize region, int source1Step, int source2Step, int destinationStep);
RYN_API IppStatus fnVCAIPP_Or_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                     IppiSize region, int source1Step, int source2Step, int destinationStep);
/* image = image AND (OR, XOR) source. */
RYN_API IppStatus fnVCAIPP_And_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep);
RYN_API IppStatus fnVCAIPP_Or_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                      int imageStep);
RYN_API IppStatus fnVCAIPP_Xor_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep);
RYN_API IppStatus fnVCAIPP_Not_8u_C1R(const uint8_t* source, uint8_t* destination, IppiSize region,
                                      int sourceStep, int destinationStep);
RYN_API IppStatus fnVCAIPP_Not_8u_C1IR(uint8_t* image, IppiSize region, int step);

/* Thresholds. All comparisons with the threshold are strict. Unsupported directions or
 * operations give ippStsNotSupportedModeErr. */
/* destination = min(source, threshold). */
RYN_API IppStatus fnVCAIPP_Threshold_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, uint8_t threshold);
/* direction 0: pixels below the threshold are raised to it; 1: pixels above it are lowered to it. */
RYN_API IppStatus fnVCAIPP_Threshold_8u_C1IR(uint8_t* image, IppiSize region, int step, uint8_t threshold,
                                             uint8_t direction);
/* As above; NaN pixels and a NaN threshold leave pixels unchanged. */
RYN_API IppStatus fnVCAIPP_Threshold_32f_C1IR(float* image, float threshold, IppiSize region, int step,
                                              uint8_t direction);
/* operation 0 (less than) or 4 (greater than): pixels for which `pixel OP threshold` holds become
 * value. The operation is checked before the pointer. */
RYN_API IppStatus fnVCAIPP_Threshold_Val_8u_C1IR(uint8_t* image, int step, IppiSize region, uint8_t threshold,
                                                 uint8_t value, int operation);
/* Pixels below lower become lower, above upper become upper; upper < lower gives
 * ippStsThresholdErr. */
RYN_API IppStatus fnVCAIPP_ThresholdLTGT_8u_C1IR(uint8_t* image, IppiSize region, int step, uint8_t lower,
                                                 uint8_t upper);
/* Pixels below the threshold become 0, above it 255; a pixel equal to it is left unchanged. */
RYN_API IppStatus fnVCAIPP_Binarize_8u_C1IR(uint8_t* image, IppiSize region, int step, uint8_t threshold);

/* Comparisons into masks: 255 where `first OP second` holds, else 0, with operation 0 less than,
 * 1 less or equal, 2 equal, 3 greater or equal, 4 greater than. On floats no relation holds with a
 * NaN operand. Any other operation writes nothing and returns ippStsNoErr. */
RYN_API IppStatus fnVCAIPP_Compare_8u_C1R(const uint8_t* source1, int source1Step, const uint8_t* source2,
                                          int source2Step, uint8_t* destination, int destinationStep,
                                          IppiSize region, int operation);
RYN_API IppStatus fnVCAIPP_Compare_32f_C1R(const float* source1, int source1Step, const float* source2,
                                           int source2Step, uint8_t* destination, int destinationStep,
                                           IppiSize region, int operation);
RYN_API IppStatus fnVCAIPP_CompareC_8u_C1R(const uint8_t* source, int sourceStep, uint8_t value,
                                           uint8_t* destination, int destinationStep, IppiSize region,
                                           int operation);
RYN_API IppStatus fnVCAIPP_CompareC_32f_C1R(const float* source, int sourceStep, float value,
                                            uint8_t* destination, int destinationStep, IppiSize region,
                                            int operation);

/* image = min (max) of source and image; one step for both images. */
RYN_API IppStatus fnVCAIPP_MinEvery_8u_C1IR(const uint8_t* source, uint8_t* image, int step, IppiSize region);
RYN_API IppStatus fnVCAIPP_MaxEvery_8u_C1IR(const uint8_t* source, uint8_t* image, int step, IppiSize region);

/* Piecewise-linear lookup through the points (levels[k], values[k]), levelCount >= 2
 * (ippStsLUTNofLevelsErr). Pixel values below the first level and from the last level up map to
 * themselves; each rising pair of levels maps the pixel values from its first level up to (not
 * including) its second to the interpolated value rounded half up and clamped to 0..255; later
 * pairs win. Levels outside 0..256 are accepted and clamped: a pair's first level to 0..255,
 * its second to 0..256; a pair one entry wide after clamping maps that entry to its first value
 * (so a rising pair wholly at or above 256 sets entry 255). */
RYN_API IppStatus fnVCAIPP_LUT_Linear_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region, const int32_t* values,
                                             const int32_t* levels, int levelCount);
RYN_API IppStatus fnVCAIPP_LUT_Linear_8u_C1IR(uint8_t* image, int step, IppiSize region, const int32_t* values,
                                              const int32_t* levels, int levelCount);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_LOGIC_H */
