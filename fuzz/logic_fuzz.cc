// Bitwise logic, thresholds, comparisons, per-pixel minimum and maximum, lookup tables.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

// Two sources and a destination, one step each, steps after the region.
template <class Export>
void TwoSourcesRegionSteps(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto a = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto b = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return call(a.p, b.p, d.p, region, a.step, b.step, d.step); });
}

// A source into an image in place, region then steps.
template <class Export>
void SourceIntoImage(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return call(s.p, d.p, region, s.step, d.step); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_And_8u_C1R) { TwoSourcesRegionSteps(c, fnVCAIPP_And_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Or_8u_C1R) { TwoSourcesRegionSteps(c, fnVCAIPP_Or_8u_C1R); }
RYN_FUZZ(fnVCAIPP_And_8u_C1IR) { SourceIntoImage(c, fnVCAIPP_And_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_Or_8u_C1IR) { SourceIntoImage(c, fnVCAIPP_Or_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_Xor_8u_C1IR) { SourceIntoImage(c, fnVCAIPP_Xor_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_Not_8u_C1R) { SourceIntoImage(c, fnVCAIPP_Not_8u_C1R); }

RYN_FUZZ(fnVCAIPP_Not_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return fnVCAIPP_Not_8u_C1IR(image.p, region, image.step); });
}

RYN_FUZZ(fnVCAIPP_Threshold_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t threshold = c.in().Byte();
  c.Call([=] { return fnVCAIPP_Threshold_8u_C1R(s.p, s.step, d.p, d.step, region, threshold); });
}

RYN_FUZZ(fnVCAIPP_Threshold_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t threshold = c.in().Byte();
  const auto direction = static_cast<uint8_t>(c.in().Code(0, 1));
  c.Call([=] { return fnVCAIPP_Threshold_8u_C1IR(image.p, region, image.step, threshold, direction); });
}

RYN_FUZZ(fnVCAIPP_Threshold_32f_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<float>(region, 1, Access::kWrite);
  const float threshold = c.in().Float();
  const auto direction = static_cast<uint8_t>(c.in().Code(0, 1));
  c.Call([=] { return fnVCAIPP_Threshold_32f_C1IR(image.p, threshold, region, image.step, direction); });
}

RYN_FUZZ(fnVCAIPP_Threshold_Val_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t threshold = c.in().Byte();
  const uint8_t value = c.in().Byte();
  const int operation = c.in().Pick({0, 4, 1, 2, 3, 5, -1});
  c.Call([=] { return fnVCAIPP_Threshold_Val_8u_C1IR(image.p, image.step, region, threshold, value, operation); });
}

RYN_FUZZ(fnVCAIPP_ThresholdLTGT_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t lower = c.in().Byte();
  const uint8_t upper = c.in().Byte();
  c.Call([=] { return fnVCAIPP_ThresholdLTGT_8u_C1IR(image.p, region, image.step, lower, upper); });
}

RYN_FUZZ(fnVCAIPP_Binarize_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t threshold = c.in().Byte();
  c.Call([=] { return fnVCAIPP_Binarize_8u_C1IR(image.p, region, image.step, threshold); });
}

namespace {

template <class T, class Export>
void CompareImages(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto a = c.Image<T>(region, 1, Access::kRead);
  const auto b = c.Image<T>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const int operation = c.in().Code(0, 4);
  c.Call([=] { return call(a.p, a.step, b.p, b.step, d.p, d.step, region, operation); });
}

template <class T, class Export>
void CompareConstant(FuzzCase& c, Export call, T value) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<T>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const int operation = c.in().Code(0, 4);
  c.Call([=] { return call(s.p, s.step, value, d.p, d.step, region, operation); });
}

template <class Export>
void EveryPixel(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const int step = c.DecodeStep<uint8_t>(region, 1);
  const auto s = c.ImageWithStep<uint8_t>(region, 1, Access::kRead, step);
  const auto image = c.ImageWithStep<uint8_t>(region, 1, Access::kWrite, step);
  c.Call([=] { return call(s.p, image.p, step, region); });
}

// Levels and values of a lookup table: `count` of each, mostly within 0..256.
const int32_t* LookupPoints(FuzzCase& c, int count) {
  int32_t* points = c.Vector<int32_t>(count, Access::kRead);
  return points;
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Compare_8u_C1R) { CompareImages<uint8_t>(c, fnVCAIPP_Compare_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Compare_32f_C1R) { CompareImages<float>(c, fnVCAIPP_Compare_32f_C1R); }
RYN_FUZZ(fnVCAIPP_CompareC_8u_C1R) { CompareConstant<uint8_t>(c, fnVCAIPP_CompareC_8u_C1R, c.in().Byte()); }
RYN_FUZZ(fnVCAIPP_CompareC_32f_C1R) { CompareConstant<float>(c, fnVCAIPP_CompareC_32f_C1R, c.in().Float()); }
RYN_FUZZ(fnVCAIPP_MinEvery_8u_C1IR) { EveryPixel(c, fnVCAIPP_MinEvery_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_MaxEvery_8u_C1IR) { EveryPixel(c, fnVCAIPP_MaxEvery_8u_C1IR); }

RYN_FUZZ(fnVCAIPP_LUT_Linear_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const int count = c.in().Pick({2, 3, 5, 17, 257, 1, 0, -3});
  const int32_t* values = LookupPoints(c, count);
  const int32_t* levels = LookupPoints(c, count);
  c.Call([=] { return fnVCAIPP_LUT_Linear_8u_C1R(s.p, s.step, d.p, d.step, region, values, levels, count); });
}

RYN_FUZZ(fnVCAIPP_LUT_Linear_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const int count = c.in().Pick({2, 3, 5, 17, 257, 1, 0, -3});
  const int32_t* values = LookupPoints(c, count);
  const int32_t* levels = LookupPoints(c, count);
  c.Call([=] { return fnVCAIPP_LUT_Linear_8u_C1IR(image.p, image.step, region, values, levels, count); });
}
