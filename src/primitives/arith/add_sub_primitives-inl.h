// Checks and row loops of the 8-bit sums, differences and absolute differences, compiled into
// every build: included inside the build's namespace after arith_runs-inl.h and the row kernels
// of that build, which it calls by name: AddRow8u, SubRow8u, AddConstRow8u, SubConstRow8u,
// AbsDiffRow8u. Includes nothing itself.
#if defined(RYN_ARITH_ADD_SUB_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_ADD_SUB_PRIMITIVES_INL_H_
#undef RYN_ARITH_ADD_SUB_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_ADD_SUB_PRIMITIVES_INL_H_
#endif

IppStatus Add8u(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep, uint8_t* destination,
                int destinationStep, IppiSize region, int scale) {
  RYN_CHECK(NotNull(first, second, destination));
  RYN_CHECK(PositiveSize(region));
  if (scale > kLastSumScale) return FillZeros(destination, destinationStep, region);
  ForEachRunOfThree<AddRow8u>(View(first, firstStep, region), View(second, secondStep, region),
                              View(destination, destinationStep, region), ClampedScale(scale));
  return ippStsNoErr;
}

IppStatus Sub8u(const uint8_t* minuend, int minuendStep, const uint8_t* subtrahend, int subtrahendStep,
                uint8_t* destination, int destinationStep, IppiSize region, int scale) {
  RYN_CHECK(NotNull(minuend, subtrahend, destination));
  RYN_CHECK(PositiveSize(region));
  if (scale > kLastDifferenceScale) return FillZeros(destination, destinationStep, region);
  ForEachRunOfThree<SubRow8u>(View(minuend, minuendStep, region), View(subtrahend, subtrahendStep, region),
                              View(destination, destinationStep, region), ClampedScale(scale));
  return ippStsNoErr;
}

IppStatus AddC8u(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination, int destinationStep,
                 IppiSize region, int scale) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  if (scale > kLastSumScale) return FillZeros(destination, destinationStep, region);
  if (value == 0 && scale == 0) return CopyUnlessSame(source, sourceStep, destination, destinationStep, region);
  ForEachRunOfTwo<AddConstRow8u>(View(source, sourceStep, region), View(destination, destinationStep, region), value,
                                 ClampedScale(scale));
  return ippStsNoErr;
}

IppStatus SubC8u(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination, int destinationStep,
                 IppiSize region, int scale) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  if (scale > kLastDifferenceScale) return FillZeros(destination, destinationStep, region);
  if (value == 0 && scale == 0) return CopyUnlessSame(source, sourceStep, destination, destinationStep, region);
  ForEachRunOfTwo<SubConstRow8u>(View(source, sourceStep, region), View(destination, destinationStep, region), value,
                                 ClampedScale(scale));
  return ippStsNoErr;
}

IppStatus AbsDiff8u(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep, uint8_t* destination,
                    int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(first, second, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(firstStep, region.width));
  RYN_CHECK(StepAtLeast(secondStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  ForEachRunOfThree<AbsDiffRow8u>(View(first, firstStep, region), View(second, secondStep, region),
                                  View(destination, destinationStep, region));
  return ippStsNoErr;
}

#endif
