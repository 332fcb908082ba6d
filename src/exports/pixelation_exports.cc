// Block pixelation: single-channel, interleaved two-channel and two-plane frames.
#include "RynRAZUdidazoror.h"
#include "effects/pixelation/pixelation.h"
#include "frame/float_environment.h"

// The interleaved and two-plane exports of block size n x n. Their vector path calls a build
// directly, not through its table, so they set the floating-point environment themselves.
#define RYN_PIXELIZED_EXPORTS(n)                                                                         \
  RYN_API IppStatus fnVCA_Pixelized_##n##x##n##_Interleaved_8u_C1R(                                      \
      const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, \
      int processingMode) {                                                                              \
    const ryn::StandardFloatEnvironment environment;                                                     \
    return ryn::effects::PixelateInterleaved8u(source, sourceStep, destination, destinationStep, region, \
                                               n, processingMode);                                      \
  }                                                                                                      \
  RYN_API IppStatus fnVCAIPP_Pixelized_##n##x##n##_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,           \
                                                             uint8_t* chromaPlane, int chromaStep,       \
                                                             IppiSize frameSize, int processingMode) {   \
    const ryn::StandardFloatEnvironment environment;                                                     \
    return ryn::effects::PixelateTwoPlane8u(lumaPlane, lumaStep, chromaPlane, chromaStep, frameSize, n,  \
                                            processingMode);                                             \
  }

extern "C" {

RYN_API IppStatus fnVCAIPP_Pixelized_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, IppiSize blockSize) {
  return ryn::effects::Pixelate8u(source, sourceStep, destination, destinationStep, region, blockSize);
}

RYN_PIXELIZED_EXPORTS(4)
RYN_PIXELIZED_EXPORTS(8)
RYN_PIXELIZED_EXPORTS(16)
RYN_PIXELIZED_EXPORTS(32)
RYN_PIXELIZED_EXPORTS(64)
RYN_PIXELIZED_EXPORTS(128)
RYN_PIXELIZED_EXPORTS(256)
RYN_PIXELIZED_EXPORTS(512)
RYN_PIXELIZED_EXPORTS(1024)

}  // extern "C"
