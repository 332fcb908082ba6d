// Checks and row loops of the single-precision arithmetic, compiled into every build: included
// inside the build's namespace after arith_runs-inl.h and the row kernels of that build, which it
// calls by name: AddRow32f, SubRow32f, MulRow32f, AddConstRow32f, SubConstRow32f, MulConstRow32f,
// DivRow32f, SqrRow32f, AbsRow32f, AbsDiffRow32f, AbsDiffConstRow32f. Includes nothing itself.
#if defined(RYN_ARITH_FLOAT_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_FLOAT_PRIMITIVES_INL_H_
#undef RYN_ARITH_FLOAT_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_FLOAT_PRIMITIVES_INL_H_
#endif

namespace {

// destination = Row(first, second); steps are not checked.
template <auto Row>
IppStatus CombineImages(const float* first, int firstStep, const float* second, int secondStep, float* destination,
                        int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(first, second, destination));
  RYN_CHECK(PositiveSize(region));
  ForEachRunOfThree<Row>(View(first, firstStep, region), View(second, secondStep, region),
                         View(destination, destinationStep, region));
  return ippStsNoErr;
}

// image = Row(image, value); the step is not checked.
template <auto Row>
IppStatus CombineWithValue(float* image, int step, IppiSize region, float value) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  ForEachRunOfTwo<Row>(View<const float>(image, step, region), View(image, step, region), value);
  return ippStsNoErr;
}

// image = Row(image); the step must be at least 1.
template <auto Row>
IppStatus MapImage(float* image, int step, IppiSize region) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  ForEachRunOfTwo<Row>(View<const float>(image, step, region), View(image, step, region));
  return ippStsNoErr;
}

}  // namespace

IppStatus Add32f(const float* first, int firstStep, const float* second, int secondStep, float* destination,
                 int destinationStep, IppiSize region) {
  return CombineImages<AddRow32f>(first, firstStep, second, secondStep, destination, destinationStep, region);
}

IppStatus Sub32f(const float* first, int firstStep, const float* second, int secondStep, float* destination,
                 int destinationStep, IppiSize region) {
  return CombineImages<SubRow32f>(first, firstStep, second, secondStep, destination, destinationStep, region);
}

IppStatus Mul32f(const float* first, int firstStep, const float* second, int secondStep, float* destination,
                 int destinationStep, IppiSize region) {
  return CombineImages<MulRow32f>(first, firstStep, second, secondStep, destination, destinationStep, region);
}

IppStatus AddC32f(float* image, int step, IppiSize region, float value) {
  return CombineWithValue<AddConstRow32f>(image, step, region, value);
}

IppStatus SubC32f(float* image, int step, IppiSize region, float value) {
  return CombineWithValue<SubConstRow32f>(image, step, region, value);
}

IppStatus MulC32f(float* image, int step, IppiSize region, float value) {
  return CombineWithValue<MulConstRow32f>(image, step, region, value);
}

IppStatus DivC32f(float* image, int step, IppiSize region, float value) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(NonZeroDivisor(value));
  const float reciprocal = 1.0f / value;
  ForEachRunOfTwo<MulConstRow32f>(View<const float>(image, step, region), View(image, step, region), reciprocal);
  return ippStsNoErr;
}

// A zero divisor is a warning, not an error: every row is computed.
IppStatus Div32f(const float* divisor, int divisorStep, float* image, int imageStep, IppiSize region) {
  RYN_CHECK(NotNull(divisor, image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(divisorStep));
  RYN_CHECK(PositiveStep(imageStep));
  const auto divisors = View(divisor, divisorStep, region);
  const auto quotients = View(image, imageStep, region);
  const RowRuns runs = RowRunsOf(region, divisors.IsContiguous(), quotients.IsContiguous());
  bool zeroSeen = false;
  for (int r = 0; r < runs.count; ++r) {
    zeroSeen |= DivRow32f(quotients.Row(r), divisors.Row(r), quotients.Row(r), runs.length);
  }
  return zeroSeen ? ippStsDivByZero : ippStsNoErr;
}

IppStatus Sqr32f(float* image, int step, IppiSize region) { return MapImage<SqrRow32f>(image, step, region); }

IppStatus Abs32f(float* image, int step, IppiSize region) { return MapImage<AbsRow32f>(image, step, region); }

IppStatus AbsDiff32f(const float* first, int firstStep, const float* second, int secondStep, float* destination,
                     int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(first, second, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(FloatRowsFit(firstStep, region.width));
  RYN_CHECK(FloatRowsFit(secondStep, region.width));
  RYN_CHECK(FloatRowsFit(destinationStep, region.width));
  RYN_CHECK(WholeFloats(firstStep));
  RYN_CHECK(WholeFloats(secondStep));
  RYN_CHECK(WholeFloats(destinationStep));
  ForEachRunOfThree<AbsDiffRow32f>(View(first, firstStep, region), View(second, secondStep, region),
                                   View(destination, destinationStep, region));
  return ippStsNoErr;
}

IppStatus AbsDiffC32f(const float* source, int sourceStep, float* destination, int destinationStep, IppiSize region,
                      float value) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(FloatRowsFit(sourceStep, region.width));
  RYN_CHECK(FloatRowsFit(destinationStep, region.width));
  RYN_CHECK(WholeFloats(sourceStep));
  RYN_CHECK(WholeFloats(destinationStep));
  ForEachRunOfTwo<AbsDiffConstRow32f>(View(source, sourceStep, region), View(destination, destinationStep, region),
                                      value);
  return ippStsNoErr;
}

#endif
