// The mean filters and the interleaved fill of the privacy effects.
#include "RynRAZUdidazoror.h"
#include "effects/interleaved_fill.h"
#include "effects/mean_filter/mean_filter.h"

namespace {

// The 17x17 interleaved filter averages over 15 x 15 pairs, the same window as the 15x15 one.
constexpr int kWindowOf17x17Interleaved = 15;

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 3,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 5,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 7,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 9,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 11,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 13,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 15,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, kWindowOf17x17Interleaved,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode) {
  return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, 19,
                                               processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_3x3_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 3,
                                            fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_5x5_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 5,
                                            fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_7x7_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 7,
                                            fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 9,
                                            fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_11x11_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 11,
                                            fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_13x13_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 13,
                                            fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_15x15_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 15,
                                            fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_17x17_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 17,
                                            fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCAIPP_MeanFilter_19x19_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane,
    int chromaStep, IppiSize frameSize, int processingMode) {
  return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, 19,
                                            fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, processingMode);
}

RYN_API IppStatus fnVCA_Set_Interleave_8u_C1R(uint8_t* destination, IppiSize region, int destinationStep,
                                              uint8_t firstValue, uint8_t secondValue, int processingMode) {
  return ryn::effects::SetInterleaved8u(destination, region, destinationStep, firstValue, secondValue,
                                        processingMode);
}

}  // extern "C"
