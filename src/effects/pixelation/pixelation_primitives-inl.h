// The pixelations, compiled into every build: included inside the build's namespace
// (ryn::effects::generic, or ryn::effects::HWY_NAMESPACE) after the row kernels of that build,
// which it calls by name:
//   PixelateBand(band, blockWidth)      one channel, blocks of blockWidth bytes
//   PixelatePairBand(band, blockPairs)  interleaved pairs, blocks of 2 x blockPairs bytes
// Kernels read a band's source rows before they write its destination rows, so that in-place
// calls see the original pixels. Includes nothing itself.
#if defined(RYN_PIXELATION_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_PIXELATION_PRIMITIVES_INL_H_
#undef RYN_PIXELATION_PRIMITIVES_INL_H_
#else
#define RYN_PIXELATION_PRIMITIVES_INL_H_
#endif

IppStatus Pixelate8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                     IppiSize region, IppiSize blockSize) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  RYN_CHECK(BlockSmallerThanRegion(blockSize, region));
  for (int y = 0; y < region.height;) {
    const BlockRow band = BandAt(source, sourceStep, destination, destinationStep, region, y, blockSize.height);
    PixelateBand(band, blockSize.width);
    y += band.rows;
  }
  return ippStsNoErr;
}

IppStatus PixelatePairs8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                          IppiSize region, int blockPairs, int minimumWidth) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(WidthAtLeast(region, minimumWidth));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  for (int y = 0; y < region.height;) {
    const BlockRow band = BandAt(source, sourceStep, destination, destinationStep, region, y, blockPairs);
    PixelatePairBand(band, blockPairs);
    y += band.rows;
  }
  return ippStsNoErr;
}

#endif
