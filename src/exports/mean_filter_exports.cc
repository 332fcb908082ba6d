// The mean filters and the interleaved fill of the privacy effects.
#include "RynRAZUdidazoror.h"
#include "effects/interleaved_fill/interleaved_fill.h"
#include "effects/mean_filter/mean_filter.h"

// The interleaved and two-plane exports named n x n. The interleaved one averages over `window`
// pairs (n, except 15 for the 17x17 export); the two-plane one filters its luma with n x n and its
// chroma, in place, with the interleaved export's window.
#define RYN_MEAN_FILTER_EXPORTS(n, window)                                                                 \
  RYN_API IppStatus fnVCAIPP_MeanFilter_##n##x##n##_Interleaved_8u_C1R(                                    \
      const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize region,   \
      int processingMode) {                                                                                \
    return ryn::effects::MeanFilterInterleaved8u(source, sourceStep, destination, destinationStep, region, \
                                                 window, processingMode);                                 \
  }                                                                                                        \
  RYN_API IppStatus fnVCAIPP_MeanFilter_##n##x##n##_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,            \
                                                              uint8_t* chromaPlane, int chromaStep,        \
                                                              IppiSize frameSize, int processingMode) {    \
    return ryn::effects::MeanFilterTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, n,  \
                                              window, processingMode);                                     \
  }

extern "C" {

RYN_MEAN_FILTER_EXPORTS(3, 3)
RYN_MEAN_FILTER_EXPORTS(5, 5)
RYN_MEAN_FILTER_EXPORTS(7, 7)
RYN_MEAN_FILTER_EXPORTS(9, 9)
RYN_MEAN_FILTER_EXPORTS(11, 11)
RYN_MEAN_FILTER_EXPORTS(13, 13)
RYN_MEAN_FILTER_EXPORTS(15, 15)
RYN_MEAN_FILTER_EXPORTS(17, 15)
RYN_MEAN_FILTER_EXPORTS(19, 19)

RYN_API IppStatus fnVCA_Set_Interleave_8u_C1R(uint8_t* destination, IppiSize region, int destinationStep,
                                              uint8_t firstValue, uint8_t secondValue, int processingMode) {
  return ryn::effects::SetInterleaved8u(destination, region, destinationStep, firstValue, secondValue,
                                        processingMode);
}

}  // extern "C"
