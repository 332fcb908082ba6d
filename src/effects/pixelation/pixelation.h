// Block pixelation of 8-bit planes, interleaved two-channel planes and two-plane 4:2:0 frames:
// every block becomes its truncated mean.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::effects {

// One channel, any block size strictly smaller than the region; blocks are clipped at the right
// and bottom edges.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, IppiSize blockSize)>
    Pixelate8u;

// Interleaved pairs (region width in bytes) in blocks of `blockPairs` pairs by `blockPairs` rows,
// each channel averaged on its own; blocks that the region's edges cut are averaged over the
// samples they hold. `minimumWidth`: the narrowest region accepted (the vector path's rule, or 1).
// The portable path is this operation, the vector path its AVX2 build.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, int blockPairs, int minimumWidth)>
    PixelatePairs8u;

// The interleaved pixelation on the path that `processingMode` selects; `blockPairs` is one of
// the exports' sizes, 4 to 1024.
IppStatus PixelateInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                int destinationStep, IppiSize region, int blockPairs, int processingMode);

// A two-plane frame in place: the luma plane in `blockSize` x `blockSize` blocks, then the chroma
// plane (frameSize.height / 2 rows of frameSize.width bytes) in blocks of `blockSize` pairs.
IppStatus PixelateTwoPlane8u(uint8_t* luma, int lumaStep, uint8_t* chroma, int chromaStep,
                             IppiSize frameSize, int blockSize, int processingMode);

// The vector path's narrowest region in bytes for blocks of `blockPairs` pairs.
int VectorPathMinimumWidth(int blockPairs);

}  // namespace ryn::effects
