// Logic, thresholds, comparisons, minimum and maximum, linear lookup.
#include "RynRAZUdidazoror.h"
#include "primitives/arith/logic.h"

using ryn::arith::kThresholdAbove;

extern "C" {

RYN_API IppStatus fnVCAIPP_And_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                      IppiSize region, int source1Step, int source2Step, int destinationStep) {
  return ryn::arith::And8u(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Or_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                     IppiSize region, int source1Step, int source2Step, int destinationStep) {
  return ryn::arith::Or8u(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_And_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep) {
  return ryn::arith::And8u(image, imageStep, source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_Or_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                      int imageStep) {
  return ryn::arith::Or8u(image, imageStep, source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_Xor_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep) {
  return ryn::arith::Xor8u(image, imageStep, source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_Not_8u_C1R(const uint8_t* source, uint8_t* destination, IppiSize region,
                                      int sourceStep, int destinationStep) {
  return ryn::arith::Not8u(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Not_8u_C1IR(uint8_t* image, IppiSize region, int step) {
  return ryn::arith::Not8u(image, step, image, step, region);
}

RYN_API IppStatus fnVCAIPP_Threshold_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, uint8_t threshold) {
  return ryn::arith::Threshold8u(source, sourceStep, destination, destinationStep, region, threshold,
                                 kThresholdAbove);
}
// The direction flag is the operation divided by 4: 0 below, 1 above.
RYN_API IppStatus fnVCAIPP_Threshold_8u_C1IR(uint8_t* image, IppiSize region, int step, uint8_t threshold,
                                             uint8_t direction) {
  return ryn::arith::Threshold8u(image, step, image, step, region, threshold, 4 * int{direction});
}
RYN_API IppStatus fnVCAIPP_Threshold_32f_C1IR(float* image, float threshold, IppiSize region, int step,
                                              uint8_t direction) {
  return ryn::arith::Threshold32f(image, step, region, threshold, 4 * int{direction});
}
RYN_API IppStatus fnVCAIPP_Threshold_Val_8u_C1IR(uint8_t* image, int step, IppiSize region, uint8_t threshold,
                                                 uint8_t value, int operation) {
  return ryn::arith::ThresholdValue8u(image, step, region, threshold, value, operation);
}
RYN_API IppStatus fnVCAIPP_ThresholdLTGT_8u_C1IR(uint8_t* image, IppiSize region, int step, uint8_t lower,
                                                 uint8_t upper) {
  return ryn::arith::ThresholdBand8u(image, step, region, lower, lower, upper, upper);
}
RYN_API IppStatus fnVCAIPP_Binarize_8u_C1IR(uint8_t* image, IppiSize region, int step, uint8_t threshold) {
  return ryn::arith::ThresholdBand8u(image, step, region, threshold, 0, threshold, 255);
}

RYN_API IppStatus fnVCAIPP_Compare_8u_C1R(const uint8_t* source1, int source1Step, const uint8_t* source2,
                                          int source2Step, uint8_t* destination, int destinationStep,
                                          IppiSize region, int operation) {
  return ryn::arith::Compare8u(source1, source1Step, source2, source2Step, destination, destinationStep, region,
                               operation);
}
RYN_API IppStatus fnVCAIPP_Compare_32f_C1R(const float* source1, int source1Step, const float* source2,
                                           int source2Step, uint8_t* destination, int destinationStep,
                                           IppiSize region, int operation) {
  return ryn::arith::Compare32f(source1, source1Step, source2, source2Step, destination, destinationStep, region,
                                operation);
}
RYN_API IppStatus fnVCAIPP_CompareC_8u_C1R(const uint8_t* source, int sourceStep, uint8_t value,
                                           uint8_t* destination, int destinationStep, IppiSize region,
                                           int operation) {
  return ryn::arith::CompareConst8u(source, sourceStep, value, destination, destinationStep, region, operation);
}
RYN_API IppStatus fnVCAIPP_CompareC_32f_C1R(const float* source, int sourceStep, float value,
                                            uint8_t* destination, int destinationStep, IppiSize region,
                                            int operation) {
  return ryn::arith::CompareConst32f(source, sourceStep, value, destination, destinationStep, region, operation);
}

RYN_API IppStatus fnVCAIPP_MinEvery_8u_C1IR(const uint8_t* source, uint8_t* image, int step, IppiSize region) {
  return ryn::arith::MinEvery8u(source, step, image, step, region);
}
RYN_API IppStatus fnVCAIPP_MaxEvery_8u_C1IR(const uint8_t* source, uint8_t* image, int step, IppiSize region) {
  return ryn::arith::MaxEvery8u(source, step, image, step, region);
}

RYN_API IppStatus fnVCAIPP_LUT_Linear_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region, const int32_t* values,
                                             const int32_t* levels, int levelCount) {
  return ryn::arith::LookUpLinear8u(source, sourceStep, destination, destinationStep, region, values, levels,
                                    levelCount);
}
RYN_API IppStatus fnVCAIPP_LUT_Linear_8u_C1IR(uint8_t* image, int step, IppiSize region, const int32_t* values,
                                              const int32_t* levels, int levelCount) {
  return ryn::arith::LookUpLinear8u(image, step, image, step, region, values, levels, levelCount);
}

}  // extern "C"
