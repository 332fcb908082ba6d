// Per-pixel arithmetic: 8-bit sums, differences, products and quotients with scale factors,
// single-precision arithmetic, absolute differences, accumulations, vector Exp and Ln, alpha
// compositing.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::ImageArg;

template <class T>
ImageArg<T> Source(FuzzCase& c, IppiSize region) {
  return c.Image<T>(region, 1, Access::kRead);
}
template <class T>
ImageArg<T> Target(FuzzCase& c, IppiSize region) {
  return c.Image<T>(region, 1, Access::kWrite);
}
// Any scale factor is accepted; the extremes take the shortcut paths.
int Scale(FuzzCase& c) { return c.in().Code(-20, 20); }

// Two sources and a destination: sources, destination, region, three steps, then `tail`.
template <class T, class Export, class... Tail>
void TwoSources(FuzzCase& c, Export call, Tail... tail) {
  const IppiSize region = c.in().Region();
  const auto a = Source<T>(c, region);
  const auto b = Source<T>(c, region);
  const auto d = Target<T>(c, region);
  c.Call([=] { return call(a.p, b.p, d.p, region, a.step, b.step, d.step, tail...); });
}

// A source into an image: source, image, region, source step, image step, then `tail`.
template <class S, class D, class Export, class... Tail>
void SourceIntoImage(FuzzCase& c, Export call, Tail... tail) {
  const IppiSize region = c.in().Region();
  const auto s = Source<S>(c, region);
  const auto image = Target<D>(c, region);
  c.Call([=] { return call(s.p, image.p, region, s.step, image.step, tail...); });
}

// A float source and an image in place sharing one step: source, image, region, step.
template <class Export>
void SourceIntoImageOneStep(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const int step = c.DecodeStep<float>(region, 1);
  const auto s = c.ImageWithStep<float>(region, 1, Access::kRead, step);
  const auto image = c.ImageWithStep<float>(region, 1, Access::kWrite, step);
  c.Call([=] { return call(s.p, image.p, region, step); });
}

// Three images sharing one step: sources, destination, region, step.
template <class T, class Export>
void TwoSourcesOneStep(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const int step = c.DecodeStep<T>(region, 1);
  const auto a = c.ImageWithStep<T>(region, 1, Access::kRead, step);
  const auto b = c.ImageWithStep<T>(region, 1, Access::kRead, step);
  const auto d = c.ImageWithStep<T>(region, 1, Access::kWrite, step);
  c.Call([=] { return call(a.p, b.p, d.p, region, step); });
}

// An 8u constant and a source into a destination: value, source, destination, region, steps, scale.
template <class Export>
void ConstantIntoTarget8u(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = Source<uint8_t>(c, region);
  const auto d = Target<uint8_t>(c, region);
  const uint8_t value = c.in().Byte();
  const int scale = Scale(c);
  c.Call([=] { return call(value, s.p, d.p, region, s.step, d.step, scale); });
}

// An 8u constant into an image in place: value, image, region, step, scale.
template <class Export>
void ConstantInPlace8u(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto image = Target<uint8_t>(c, region);
  const uint8_t value = c.in().Byte();
  const int scale = Scale(c);
  c.Call([=] { return call(value, image.p, region, image.step, scale); });
}

// A float constant into an image in place: value, image, region, step.
template <class Export>
void ConstantInPlace32f(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto image = Target<float>(c, region);
  const float value = c.in().Float();
  c.Call([=] { return call(value, image.p, region, image.step); });
}

// An image in place: image, region, step, then `tail`.
template <class T, class Export, class... Tail>
void ImageInPlace(FuzzCase& c, Export call, Tail... tail) {
  const IppiSize region = c.in().Region();
  const auto image = Target<T>(c, region);
  c.Call([=] { return call(image.p, region, image.step, tail...); });
}

// A vector of `length` floats in place.
template <class Export>
void VectorInPlace(FuzzCase& c, Export call) {
  const int length = c.in().Size();
  float* vector = c.Vector<float>(length, Access::kWrite);
  c.Call([=] { return call(vector, length); });
}

// A masked running average: source, image, mask, region, two steps, alpha. `maskSharesStep`
// tells whether the first step is the source's and the mask's (else the source's and the
// image's); the second step belongs to the remaining image.
template <class S, class Export>
void MaskedRunningAverage(FuzzCase& c, Export call, bool maskSharesStep) {
  const IppiSize region = c.in().Region();
  const int shared = c.DecodeStep<S>(region, 1);
  const auto s = c.ImageWithStep<S>(region, 1, Access::kRead, shared);
  const int imageStep = maskSharesStep ? c.DecodeStep<float>(region, 1) : shared;
  const auto image = c.ImageWithStep<float>(region, 1, Access::kWrite, imageStep);
  const int maskStep = maskSharesStep ? shared : c.DecodeStep<uint8_t>(region, 1);
  const auto mask = c.ImageWithStep<uint8_t>(region, 1, Access::kRead, maskStep);
  const float alpha = c.in().Float();
  const int secondStep = maskSharesStep ? imageStep : maskStep;
  c.Call([=] { return call(s.p, image.p, mask.p, region, shared, secondStep, alpha); });
}

}  // namespace

// 8-bit sums, differences, products, quotients, squares and logarithms.
RYN_FUZZ(fnVCAIPP_Add_8u_C1R) { TwoSources<uint8_t>(c, fnVCAIPP_Add_8u_C1R, Scale(c)); }
RYN_FUZZ(fnVCAIPP_Sub_8u_C1R) { TwoSources<uint8_t>(c, fnVCAIPP_Sub_8u_C1R, Scale(c)); }
RYN_FUZZ(fnVCAIPP_Add_8u_C1IR) { SourceIntoImage<uint8_t, uint8_t>(c, fnVCAIPP_Add_8u_C1IR, Scale(c)); }
RYN_FUZZ(fnVCAIPP_Sub_8u_C1IR) { SourceIntoImage<uint8_t, uint8_t>(c, fnVCAIPP_Sub_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_Mul_8u_C1IR) { SourceIntoImage<uint8_t, uint8_t>(c, fnVCAIPP_Mul_8u_C1IR, Scale(c)); }
RYN_FUZZ(fnVCAIPP_AddC_8u_C1R) { ConstantIntoTarget8u(c, fnVCAIPP_AddC_8u_C1R); }
RYN_FUZZ(fnVCAIPP_SubC_8u_C1R) { ConstantIntoTarget8u(c, fnVCAIPP_SubC_8u_C1R); }
RYN_FUZZ(fnVCAIPP_AddC_8u_C1IR) { ConstantInPlace8u(c, fnVCAIPP_AddC_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_SubC_8u_C1IR) { ConstantInPlace8u(c, fnVCAIPP_SubC_8u_C1IR); }

RYN_FUZZ(fnVCAIPP_MulC_8u_C1RSfs) {
  const IppiSize region = c.in().Region();
  const auto s = Source<uint8_t>(c, region);
  const auto d = Target<uint8_t>(c, region);
  const uint8_t value = c.in().Byte();
  const int scale = Scale(c);
  c.Call([=] { return fnVCAIPP_MulC_8u_C1RSfs(s.p, d.p, value, region, s.step, d.step, scale); });
}

RYN_FUZZ(fnVCAIPP_MulC_8u_C1IRSfs) {
  const IppiSize region = c.in().Region();
  const auto image = Target<uint8_t>(c, region);
  const uint8_t value = c.in().Byte();
  const int scale = Scale(c);
  c.Call([=] { return fnVCAIPP_MulC_8u_C1IRSfs(image.p, value, region, image.step, scale); });
}

RYN_FUZZ(fnVCAIPP_DivC_8u_C1RSfs) {
  const IppiSize region = c.in().Region();
  const int step = c.DecodeStep<uint8_t>(region, 1);
  const auto s = c.ImageWithStep<uint8_t>(region, 1, Access::kRead, step);
  const auto d = c.ImageWithStep<uint8_t>(region, 1, Access::kWrite, step);
  const uint8_t value = c.in().Byte();
  const int scale = Scale(c);
  c.Call([=] { return fnVCAIPP_DivC_8u_C1RSfs(s.p, d.p, region, step, value, scale); });
}

RYN_FUZZ(fnVCAIPP_DivC_8u_C1IRSfs) {
  const uint8_t value = c.in().Byte();
  ImageInPlace<uint8_t>(c, fnVCAIPP_DivC_8u_C1IRSfs, value, Scale(c));
}

RYN_FUZZ(fnVCAIPP_Sqr_8u_C1IRSfs) { ImageInPlace<uint8_t>(c, fnVCAIPP_Sqr_8u_C1IRSfs, Scale(c)); }

RYN_FUZZ(fnVCAIPP_Ln_8u_C1IRSfs) {
  const IppiSize region = c.in().Region();
  const auto d = Target<uint8_t>(c, region);
  // The source may be the destination image itself.
  const auto s = c.in().Flag(4) ? d : Source<uint8_t>(c, region);
  const int scale = Scale(c);
  c.Call([=] { return fnVCAIPP_Ln_8u_C1IRSfs(s.p, s.step, d.p, d.step, region, scale); });
}

// Single-precision arithmetic.
RYN_FUZZ(fnVCAIPP_Add_32f_C1R) {
  const IppiSize region = c.in().Region();
  const auto a = Source<float>(c, region);
  const auto b = Source<float>(c, region);
  const auto d = Target<float>(c, region);
  c.Call([=] { return fnVCAIPP_Add_32f_C1R(a.p, a.step, b.p, b.step, d.p, d.step, region); });
}

RYN_FUZZ(fnVCAIPP_Sub_32f_C1R) {
  const IppiSize region = c.in().Region();
  const auto a = Source<float>(c, region);
  const auto b = Source<float>(c, region);
  const auto d = Target<float>(c, region);
  c.Call([=] { return fnVCAIPP_Sub_32f_C1R(a.p, a.step, b.p, b.step, d.p, region, d.step); });
}

RYN_FUZZ(fnVCAIPP_Mul_32f_C1R) { TwoSources<float>(c, fnVCAIPP_Mul_32f_C1R); }

RYN_FUZZ(fnVCAIPP_Add_32f_C1IR) {
  const IppiSize region = c.in().Region();
  const auto s = Source<float>(c, region);
  const auto image = Target<float>(c, region);
  c.Call([=] { return fnVCAIPP_Add_32f_C1IR(s.p, s.step, image.p, image.step, region); });
}

RYN_FUZZ(fnVCAIPP_Mul_32f_C1IR) { SourceIntoImage<float, float>(c, fnVCAIPP_Mul_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_Sub_32f_C1IR) { SourceIntoImageOneStep(c, fnVCAIPP_Sub_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_Div_32f_C1IR) { SourceIntoImageOneStep(c, fnVCAIPP_Div_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_AddC_32f_C1IR) { ConstantInPlace32f(c, fnVCAIPP_AddC_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_SubC_32f_C1IR) { ConstantInPlace32f(c, fnVCAIPP_SubC_32f_C1IR); }

RYN_FUZZ(fnVCAIPP_MulC_32f_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = Target<float>(c, region);
  const float value = c.in().Float();
  c.Call([=] { return fnVCAIPP_MulC_32f_C1IR(image.p, value, region, image.step); });
}

RYN_FUZZ(fnVCAIPP_DivC_32f_C1IR) { ImageInPlace<float>(c, fnVCAIPP_DivC_32f_C1IR, c.in().Float()); }
RYN_FUZZ(fnVCAIPP_Sqr_32f_C1IR) { ImageInPlace<float>(c, fnVCAIPP_Sqr_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_Abs_32f_C1IR) { ImageInPlace<float>(c, fnVCAIPP_Abs_32f_C1IR); }

// Absolute differences.
RYN_FUZZ(fnVCAIPP_AbsDiff_8u_C1R) { TwoSourcesOneStep<uint8_t>(c, fnVCAIPP_AbsDiff_8u_C1R); }
RYN_FUZZ(fnVCAIPP_AbsDiff_32f_C1R) { TwoSourcesOneStep<float>(c, fnVCAIPP_AbsDiff_32f_C1R); }

RYN_FUZZ(fnVCAIPP_AbsDiffC_32f_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = Source<float>(c, region);
  const auto d = Target<float>(c, region);
  const float value = c.in().Float();
  c.Call([=] { return fnVCAIPP_AbsDiffC_32f_C1R(s.p, s.step, d.p, d.step, region, value); });
}

// Accumulations.
RYN_FUZZ(fnVCAIPP_Add_32f_C1IMR) {
  const IppiSize region = c.in().Region();
  const auto s = Source<float>(c, region);
  const auto image = Target<float>(c, region);
  const auto mask = Source<uint8_t>(c, region);
  c.Call([=] { return fnVCAIPP_Add_32f_C1IMR(s.p, s.step, image.p, image.step, region, mask.p, mask.step); });
}

RYN_FUZZ(fnVCAIPP_Add_8u32f_C1IR) {
  const IppiSize region = c.in().Region();
  const auto s = Source<uint8_t>(c, region);
  const auto image = Target<float>(c, region);
  c.Call([=] { return fnVCAIPP_Add_8u32f_C1IR(s.p, s.step, image.p, image.step, region); });
}

RYN_FUZZ(fnVCAIPP_AddSquare_8u32f_C1IR) { SourceIntoImage<uint8_t, float>(c, fnVCAIPP_AddSquare_8u32f_C1IR); }

RYN_FUZZ(fnVCAIPP_AddProduct_8u32f_C1IR) {
  const IppiSize region = c.in().Region();
  const auto a = Source<uint8_t>(c, region);
  const auto b = Source<uint8_t>(c, region);
  const auto image = Target<float>(c, region);
  c.Call([=] { return fnVCAIPP_AddProduct_8u32f_C1IR(a.p, a.step, b.p, b.step, image.p, image.step, region); });
}

RYN_FUZZ(fnVCAIPP_AddWeighted_32f_C1IR) {
  SourceIntoImage<float, float>(c, fnVCAIPP_AddWeighted_32f_C1IR, c.in().Float());
}
RYN_FUZZ(fnVCAIPP_AddWeighted_8u32f_C1IR) {
  SourceIntoImage<uint8_t, float>(c, fnVCAIPP_AddWeighted_8u32f_C1IR, c.in().Float());
}
RYN_FUZZ(fnVCAIPP_AddWeighted_32f_C1IMR) {
  MaskedRunningAverage<float>(c, fnVCAIPP_AddWeighted_32f_C1IMR, false);
}
RYN_FUZZ(fnVCAIPP_AddWeighted_8u32f_C1IMR) {
  MaskedRunningAverage<uint8_t>(c, fnVCAIPP_AddWeighted_8u32f_C1IMR, true);
}

// Vectors.
RYN_FUZZ(fnVCAIPP_Exp_32f_C1IR) { VectorInPlace(c, fnVCAIPP_Exp_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_Ln_32f_C1IR) { VectorInPlace(c, fnVCAIPP_Ln_32f_C1IR); }

// Alpha compositing; operations 0..11 are valid.
RYN_FUZZ(fnVCAIPP_AlphaCompC_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto a = Source<uint8_t>(c, region);
  const auto b = Source<uint8_t>(c, region);
  const auto d = Target<uint8_t>(c, region);
  const uint8_t alpha1 = c.in().Byte();
  const uint8_t alpha2 = c.in().Byte();
  const int operation = c.in().Code(0, 11);
  c.Call([=] {
    return fnVCAIPP_AlphaCompC_8u_C1R(a.p, a.step, alpha1, b.p, b.step, alpha2, d.p, d.step, region, operation);
  });
}
