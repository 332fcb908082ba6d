// Checks and row loops of the 8-bit products and squares, compiled into every build: included
// inside the build's namespace after arith_runs-inl.h and the row kernels of that build, which it
// calls by name: MulRow8u, MulConstRow8u. Includes nothing itself.
#if defined(RYN_ARITH_MUL_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_MUL_PRIMITIVES_INL_H_
#undef RYN_ARITH_MUL_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_MUL_PRIMITIVES_INL_H_
#endif

IppStatus Mul8u(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep, uint8_t* destination,
                int destinationStep, IppiSize region, int scale) {
  RYN_CHECK(NotNull(first, second, destination));
  RYN_CHECK(PositiveSize(region));
  if (scale > kLastProductScale) return FillZeros(destination, destinationStep, region);
  ForEachRunOfThree<MulRow8u>(View(first, firstStep, region), View(second, secondStep, region),
                              View(destination, destinationStep, region), ClampedScale(scale));
  return ippStsNoErr;
}

IppStatus MulC8u(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination, int destinationStep,
                 IppiSize region, int scale) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  if (value == 0 || scale > kLastProductScale) return FillZeros(destination, destinationStep, region);
  if (value == 1 && scale == 0) return CopyUnlessSame(source, sourceStep, destination, destinationStep, region);
  ForEachRunOfTwo<MulConstRow8u>(View(source, sourceStep, region), View(destination, destinationStep, region), value,
                                 ClampedScale(scale));
  return ippStsNoErr;
}

IppStatus Sqr8u(uint8_t* image, int step, IppiSize region, int scale) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  if (scale > kLastProductScale) return FillZeros(image, step, region);
  const auto source = View<const uint8_t>(image, step, region);
  ForEachRunOfThree<MulRow8u>(source, source, View(image, step, region), ClampedScale(scale));
  return ippStsNoErr;
}

#endif
