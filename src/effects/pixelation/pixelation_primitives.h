// The pixelations, written once for every variant: argument checks in order, then the bands of
// blocks top to bottom. `Kernels` pixelates one band (generic code or a processor build):
//   PixelateBand(band, blockWidth)      one channel, blocks of blockWidth bytes
//   PixelatePairBand(band, blockPairs)  interleaved pairs, blocks of 2 x blockPairs bytes
// Kernels read a band's source rows before they write its destination rows, so that in-place
// calls see the original pixels.
#pragma once

#include <cstdint>

#include "effects/pixelation/block_row.h"
#include "effects/pixelation/pixelation_checks.h"
#include "frame/checks.h"

namespace ryn::effects {

template <class Kernels>
struct PixelationPrimitives {
  static IppStatus Pixelate8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                              int destinationStep, IppiSize region, IppiSize blockSize) {
    RYN_CHECK(NotNull(source, destination));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(StepAtLeast(sourceStep, region.width));
    RYN_CHECK(StepAtLeast(destinationStep, region.width));
    RYN_CHECK(BlockSmallerThanRegion(blockSize, region));
    ForEachBlockRow(source, sourceStep, destination, destinationStep, region, blockSize.height,
                    [&](const BlockRow& band) { Kernels::PixelateBand(band, blockSize.width); });
    return ippStsNoErr;
  }

  static IppStatus PixelateInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, int blockPairs,
                                         int minimumWidth) {
    RYN_CHECK(NotNull(source, destination));
    RYN_CHECK(PositiveSize(region));
    RYN_CHECK(WidthAtLeast(region, minimumWidth));
    RYN_CHECK(StepAtLeast(sourceStep, region.width));
    RYN_CHECK(StepAtLeast(destinationStep, region.width));
    ForEachBlockRow(source, sourceStep, destination, destinationStep, region, blockPairs,
                    [&](const BlockRow& band) { Kernels::PixelatePairBand(band, blockPairs); });
    return ippStsNoErr;
  }
};

}  // namespace ryn::effects
