// Checks and row loops of the integral images and moments, compiled into every build: included
// inside the build's namespace (ryn::moments::generic, or ryn::moments::HWY_NAMESPACE) after the
// row kernels of that build, which it calls by name: IntegralRow, TiltedIntegralRow, RowMoments.
// Includes nothing itself.
#if defined(RYN_MOMENTS_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_MOMENTS_PRIMITIVES_INL_H_
#undef RYN_MOMENTS_PRIMITIVES_INL_H_
#else
#define RYN_MOMENTS_PRIMITIVES_INL_H_
#endif

IppStatus Integral8u(const uint8_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                     IppiSize region, uint32_t initialValue) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, 4 * int64_t{region.width} + 4));
  RYN_CHECK(StepHoldsWholePixels(destinationStep, 4));
  const auto image = View(source, sourceStep, region);
  // The table is one row and one column larger than the region; only its rows are addressed.
  const auto table = View(destination, destinationStep, region);
  const size_t width = static_cast<size_t>(region.width);
  for (size_t x = 0; x <= width; ++x) StoreUnaligned(table.Row(0) + x, initialValue);
  for (int y = 0; y < region.height; ++y) {
    uint32_t* out = table.Row(y + 1);
    StoreUnaligned(out, initialValue);
    IntegralRow(image.Row(y), table.Row(y) + 1, out + 1, width);
  }
  return ippStsNoErr;
}

IppStatus TiltedIntegral8u(const uint8_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                           IppiSize region, uint32_t initialValue) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, 4 * int64_t{region.width} + 8));
  RYN_CHECK(StepHoldsWholePixels(destinationStep, 4));
  const auto image = View(source, sourceStep, region);
  const auto table = View(destination, destinationStep, region);
  const size_t width = static_cast<size_t>(region.width);
  for (int r = 0; r < 2; ++r) {
    for (size_t x = 0; x <= width + 1; ++x) StoreUnaligned(table.Row(r) + x, initialValue);
  }
  for (int y = 0; y < region.height; ++y) {
    const uint32_t* above = table.Row(y + 1);
    uint32_t* out = table.Row(y + 2);
    StoreUnaligned(out, LoadUnaligned(above + 1));
    TiltedIntegralRow(image.Row(y), above, table.Row(y), out, width);
    StoreUnaligned(out + width + 1, LoadUnaligned(above + width));
  }
  return ippStsNoErr;
}

IppStatus Moments8u(const uint8_t* source, int sourceStep, IppiSize region, RynMomentState* state) {
  RYN_CHECK(NotNull(source, state));
  RYN_CHECK(IsMomentState(state));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(WidthWithinStep(region.width, sourceStep));
  for (auto& block : state->moments) {
    for (double& moment : block) moment = 0.0;
  }
  state->channelCount = 1;
  const auto image = View(source, sourceStep, region);
  for (int y = 0; y < region.height; ++y) {
    AccumulateRowMoments(state->moments[0], y, RowMoments(image.Row(y), static_cast<size_t>(region.width)));
  }
  return ippStsNoErr;
}

#endif
