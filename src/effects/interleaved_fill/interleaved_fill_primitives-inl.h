// The interleaved fill, compiled into every build: included inside the build's namespace
// (ryn::effects::generic, or ryn::effects::HWY_NAMESPACE) after the row kernel of that build,
// FillPairsRow(row, pairs, first, second), which it calls by name. Includes nothing itself.
#if defined(RYN_INTERLEAVED_FILL_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_INTERLEAVED_FILL_PRIMITIVES_INL_H_
#undef RYN_INTERLEAVED_FILL_PRIMITIVES_INL_H_
#else
#define RYN_INTERLEAVED_FILL_PRIMITIVES_INL_H_
#endif

IppStatus FillPairs8u(uint8_t* destination, IppiSize region, int step, uint8_t firstValue, uint8_t secondValue) {
  RYN_CHECK(NotNull(destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));
  const size_t pairs = static_cast<size_t>(region.width);
  if (static_cast<int64_t>(step) == 2 * static_cast<int64_t>(region.width)) {
    FillPairsRow(destination, pairs * static_cast<size_t>(region.height), firstValue, secondValue);
    return ippStsNoErr;
  }
  for (int y = 0; y < region.height; ++y) {
    FillPairsRow(destination + static_cast<ptrdiff_t>(y) * step, pairs, firstValue, secondValue);
  }
  return ippStsNoErr;
}

#endif
