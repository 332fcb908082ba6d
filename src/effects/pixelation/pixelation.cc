// The processing modes of the interleaved pixelation and the two-plane composition.
#include "effects/pixelation/pixelation.h"

#include "effects/processing_mode.h"

namespace ryn::effects {

int VectorPathMinimumWidth(int blockPairs) {
  if (blockPairs <= 16) return 32;
  if (blockPairs <= 128) return 64;
  return 128;
}

IppStatus PixelateInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                int destinationStep, IppiSize region, int blockPairs, int processingMode) {
  const ResolvedMode mode = ResolveMode(processingMode, VectorPathAvailable());
  if (mode.status != ippStsNoErr) return mode.status;
  if (mode.path == EffectPath::kVector) {
    return PixelatePairs8u.BuildOf(Build::kAvx2)(source, sourceStep, destination, destinationStep, region,
                                                 blockPairs, VectorPathMinimumWidth(blockPairs));
  }
  return PixelatePairs8u(source, sourceStep, destination, destinationStep, region, blockPairs,
                         /*minimumWidth=*/1);
}

// A failing luma check returns before anything is written; the chroma stage runs only after the
// luma plane was pixelated, so its failures leave the luma pixelated.
IppStatus PixelateTwoPlane8u(uint8_t* luma, int lumaStep, uint8_t* chroma, int chromaStep,
                             IppiSize frameSize, int blockSize, int processingMode) {
  const IppiSize lumaBlock{blockSize, blockSize};
  const IppStatus lumaStatus = Pixelate8u(luma, lumaStep, luma, lumaStep, frameSize, lumaBlock);
  if (lumaStatus != ippStsNoErr) return lumaStatus;
  const IppiSize chromaRegion{frameSize.width, frameSize.height / 2};
  return PixelateInterleaved8u(chroma, chromaStep, chroma, chromaStep, chromaRegion, blockSize, processingMode);
}

}  // namespace ryn::effects
