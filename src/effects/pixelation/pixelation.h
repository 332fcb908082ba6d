// Block pixelation of 8-bit planes, interleaved two-channel planes and two-plane 4:2:0 frames:
// every block becomes its truncated mean.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// One channel, any block size strictly smaller than the region; blocks are clipped at the
// right and bottom edges. Dispatched.
IppStatus Pixelate8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                     IppiSize region, IppiSize blockSize);

// Interleaved pairs (region width in bytes) in blocks of `blockPairs` pairs by `blockPairs` rows,
// each channel averaged on its own; `blockPairs` is one of the exports' sizes, 4 to 1024.
// processingMode: 0 automatic, 1 portable path, 2 vector path. Blocks that the region's edges cut
// are clipped and averaged over the samples they hold.
IppStatus PixelateInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                int destinationStep, IppiSize region, int blockPairs, int processingMode);

// The portable path of PixelateInterleaved8u, dispatched; `minimumWidth` is the smallest region
// width accepted (the vector path's rule, or 1).
IppStatus PixelateInterleavedPortable8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                        int destinationStep, IppiSize region, int blockPairs,
                                        int minimumWidth);

// A two-plane frame in place: the luma plane in `blockSize` x `blockSize` blocks, then the chroma
// plane (frameSize.height / 2 rows of frameSize.width bytes) in blocks of `blockSize` pairs.
IppStatus PixelateTwoPlane8u(uint8_t* luma, int lumaStep, uint8_t* chroma, int chromaStep,
                             IppiSize frameSize, int blockSize, int processingMode);

// The vector path's smallest region width in bytes for blocks of `blockPairs` pairs.
int VectorPathMinimumWidth(int blockPairs);

}  // namespace ryn::effects
