// Checks and row loops of the accumulations into float images, compiled into every build:
// included inside the build's namespace after arith_runs-inl.h and the row kernels of that build,
// which it calls by name: AddMaskedRow32f, AddBytesRow32f, AddSquareRow32f, AddProductRow32f,
// AddWeightedRow32f, AddWeightedBytesRow32f, AddWeightedMaskedRow32f, AddWeightedMaskedBytesRow32f.
// Includes nothing itself.
//
// Every accumulation checks its pointers, the region, every step against its row (bytes for 8u
// sources and masks, 4 x width for float images), then every float step for whole floats.
#if defined(RYN_ARITH_ACCUMULATE_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_ACCUMULATE_PRIMITIVES_INL_H_
#undef RYN_ARITH_ACCUMULATE_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_ACCUMULATE_PRIMITIVES_INL_H_
#endif

namespace {

// The step check of one source or mask: bytes or floats.
IppStatus RowsFit(const uint8_t*, int step, int width) { return StepAtLeast(step, width); }
IppStatus RowsFit(const float*, int step, int width) { return FloatRowsFit(step, width); }
IppStatus WholePixels(const uint8_t*, int) { return ippStsNoErr; }
IppStatus WholePixels(const float*, int step) { return WholeFloats(step); }

// image = Row(source, image, extra...).
template <auto Row, class S, class... Extra>
IppStatus Accumulate(const S* source, int sourceStep, float* image, int imageStep, IppiSize region,
                     const Extra&... extra) {
  RYN_CHECK(NotNull(source, image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(RowsFit(source, sourceStep, region.width));
  RYN_CHECK(FloatRowsFit(imageStep, region.width));
  RYN_CHECK(WholePixels(source, sourceStep));
  RYN_CHECK(WholeFloats(imageStep));
  ForEachRunOfTwo<Row>(View(source, sourceStep, region), View(image, imageStep, region), extra...);
  return ippStsNoErr;
}

// image = Row(first, second, image, extra...): a second source, or a mask.
template <auto Row, class S, class... Extra>
IppStatus AccumulateTwo(const S* first, int firstStep, const uint8_t* second, int secondStep, float* image,
                        int imageStep, IppiSize region, const Extra&... extra) {
  RYN_CHECK(NotNull(first, image, second));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(RowsFit(first, firstStep, region.width));
  RYN_CHECK(FloatRowsFit(imageStep, region.width));
  RYN_CHECK(RowsFit(second, secondStep, region.width));
  RYN_CHECK(WholePixels(first, firstStep));
  RYN_CHECK(WholeFloats(imageStep));
  ForEachRunOfThree<Row>(View(first, firstStep, region), View(second, secondStep, region),
                         View(image, imageStep, region), extra...);
  return ippStsNoErr;
}

}  // namespace

IppStatus AddMasked32f(const float* source, int sourceStep, float* image, int imageStep, const uint8_t* mask,
                       int maskStep, IppiSize region) {
  return AccumulateTwo<AddMaskedRow32f>(source, sourceStep, mask, maskStep, image, imageStep, region);
}

IppStatus Add8u32f(const uint8_t* source, int sourceStep, float* image, int imageStep, IppiSize region) {
  return Accumulate<AddBytesRow32f>(source, sourceStep, image, imageStep, region);
}

IppStatus AddSquare8u32f(const uint8_t* source, int sourceStep, float* image, int imageStep, IppiSize region) {
  return Accumulate<AddSquareRow32f>(source, sourceStep, image, imageStep, region);
}

IppStatus AddProduct8u32f(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep, float* image,
                          int imageStep, IppiSize region) {
  return AccumulateTwo<AddProductRow32f>(first, firstStep, second, secondStep, image, imageStep, region);
}

IppStatus AddWeighted32f(const float* source, int sourceStep, float* image, int imageStep, IppiSize region,
                         float alpha) {
  return Accumulate<AddWeightedRow32f>(source, sourceStep, image, imageStep, region, alpha);
}

IppStatus AddWeighted8u32f(const uint8_t* source, int sourceStep, float* image, int imageStep, IppiSize region,
                           float alpha) {
  return Accumulate<AddWeightedBytesRow32f>(source, sourceStep, image, imageStep, region, alpha);
}

IppStatus AddWeightedMasked32f(const float* source, int sourceStep, float* image, int imageStep,
                               const uint8_t* mask, int maskStep, IppiSize region, float alpha) {
  return AccumulateTwo<AddWeightedMaskedRow32f>(source, sourceStep, mask, maskStep, image, imageStep, region,
                                                alpha);
}

IppStatus AddWeightedMasked8u32f(const uint8_t* source, int sourceStep, float* image, int imageStep,
                                 const uint8_t* mask, int maskStep, IppiSize region, float alpha) {
  return AccumulateTwo<AddWeightedMaskedBytesRow32f>(source, sourceStep, mask, maskStep, image, imageStep, region,
                                                     alpha);
}

#endif
