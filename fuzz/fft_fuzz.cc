// Complex FFTs, polar conversions, contour smoothing and template matching.
#include <algorithm>
#include <cstdint>

#include "fuzz/fuzz_c_shapes.h"
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::Scratch;
using ryn::fuzz::SpecialFloats;
using ryn::fuzz::WholeFloatSteps;

// Complex images are float pairs to the harness, so that NaN results compare as NaN whatever
// their payload.
Ipp32fc* Complex(float* p) { return reinterpret_cast<Ipp32fc*>(p); }

// ---- Two-dimensional FFT ----------------------------------------------------------------------

struct FftParameters {
  int orderX;
  int orderY;
  int flag;
  int hint;
};

// Orders and flag of an object: mostly valid and small enough to transform; sometimes one long
// row or column, whose plans of orders above 16 work differently.
FftParameters DecodeFft(FuzzCase& c) {
  FftParameters p;
  if (c.in().Flag(8)) {
    const int longOrder = 11 + c.in().Byte() % 8, shortOrder = c.in().Byte() % 2;
    const bool row = c.in().Flag(2);
    p.orderX = row ? longOrder : shortOrder;
    p.orderY = row ? shortOrder : longOrder;
  } else {
    p.orderX = c.in().Code(0, 10);
    p.orderY = c.in().Code(0, 10);
  }
  p.flag = c.in().Pick({1, 2, 4, 8, 1, 2, 4, 8, 3, 0, 16, -1});
  p.hint = c.in().Raw<int32_t>();
  return p;
}

bool ValidOrder(int order) { return order >= 0 && order <= 30; }

// The image an object transforms; nothing when it has no valid size.
IppiSize FftImage(const FftParameters& p) {
  if (!ValidOrder(p.orderX) || !ValidOrder(p.orderY)) return IppiSize{0, 0};
  return IppiSize{1 << p.orderX, 1 << p.orderY};
}

RynFft2D* CreateFft(const FftParameters& p) {
  RynFft2D* fft = nullptr;
  if (fnVCAIPP_FFTInitAlloc_C_32fc(&fft, p.orderX, p.orderY, p.flag, p.hint) != ippStsNoErr) return nullptr;
  return fft;
}

void FreeFft(RynFft2D** fft) {
  if (*fft != nullptr) fnVCAIPP_FFTFree_C_32fc(*fft);
  *fft = nullptr;
}

// An object made afresh for each run (null when its parameters are refused), released after it.
RynFft2D** FreshFft(FuzzCase& c, const FftParameters& p) {
  RynFft2D** fft = c.Keep<RynFft2D*>(nullptr);
  c.Setup([=] { *fft = CreateFft(p); });
  c.Teardown([=] { FreeFft(fft); });
  return fft;
}

// No buffer (the transform allocates one), or exactly the size the object reports.
uint8_t* FftWorkBuffer(FuzzCase& c, const FftParameters& p) {
  if (c.in().Flag(4)) return nullptr;
  RynFft2D* fft = CreateFft(p);
  int size = 0;
  if (fft != nullptr) fnVCAIPP_FFTGetBufSize_C_32fc(fft, &size);
  FreeFft(&fft);
  return Scratch(c, size);
}

template <class Transform>
void OutOfPlaceTransform(FuzzCase& c, Transform transform) {
  const FftParameters p = DecodeFft(c);
  const IppiSize image = FftImage(p);
  const auto s = c.Image<float>(image, 2, Access::kRead);
  const auto d = c.Image<float>(image, 2, Access::kWrite);
  if (WholeFloatSteps({s.step, d.step})) SpecialFloats(c, s.p);
  uint8_t* buffer = FftWorkBuffer(c, p);
  RynFft2D** fft = FreshFft(c, p);
  c.Call([=] { return transform(Complex(s.p), s.step, Complex(d.p), d.step, *fft, buffer); });
}

template <class Transform>
void InPlaceTransform(FuzzCase& c, Transform transform) {
  const FftParameters p = DecodeFft(c);
  const auto image = c.Image<float>(FftImage(p), 2, Access::kWrite);
  if (WholeFloatSteps({image.step})) SpecialFloats(c, image.p);
  uint8_t* buffer = FftWorkBuffer(c, p);
  RynFft2D** fft = FreshFft(c, p);
  c.Call([=] { return transform(Complex(image.p), image.step, *fft, buffer); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_FFTInitAlloc_C_32fc) {
  FftParameters p = DecodeFft(c);
  // Order 28 and above exceed what one block holds; smaller large orders only cost memory.
  if (c.in().Flag(8)) p.orderX = c.in().Pick({28, 29, 30, 31, 16, 20});
  RynFft2D** fft = c.Keep<RynFft2D*>(nullptr);
  RynFft2D** out = c.in().Flag(48) ? nullptr : fft;
  c.Call([=] { return fnVCAIPP_FFTInitAlloc_C_32fc(out, p.orderX, p.orderY, p.flag, p.hint); });
  c.Teardown([=] { FreeFft(fft); });
}

RYN_FUZZ(fnVCAIPP_FFTGetBufSize_C_32fc) {
  const FftParameters p = DecodeFft(c);
  int* size = c.Out<int>();
  RynFft2D** fft = FreshFft(c, p);
  c.Call([=] { return fnVCAIPP_FFTGetBufSize_C_32fc(*fft, size); });
}

RYN_FUZZ(fnVCAIPP_FFTFree_C_32fc) {
  const FftParameters p = DecodeFft(c);
  const bool passNull = c.in().Flag(16);
  RynFft2D** fft = FreshFft(c, p);
  c.Call([=] {
    const IppStatus status = fnVCAIPP_FFTFree_C_32fc(passNull ? nullptr : *fft);
    if (status == ippStsNoErr) *fft = nullptr;
    return status;
  });
}

RYN_FUZZ(fnVCAIPP_FFTFwd_CToC_32fc_C1R) { OutOfPlaceTransform(c, fnVCAIPP_FFTFwd_CToC_32fc_C1R); }
RYN_FUZZ(fnVCAIPP_FFTInv_CToC_32fc_C1R) { OutOfPlaceTransform(c, fnVCAIPP_FFTInv_CToC_32fc_C1R); }
RYN_FUZZ(fnVCAIPP_FFTFwd_CToC_32fc_C1IR) { InPlaceTransform(c, fnVCAIPP_FFTFwd_CToC_32fc_C1IR); }
RYN_FUZZ(fnVCAIPP_FFTInv_CToC_32fc_C1IR) { InPlaceTransform(c, fnVCAIPP_FFTInv_CToC_32fc_C1IR); }

// ---- Conversions ------------------------------------------------------------------------------

namespace {

template <class Export>
void ComplexToReal(FuzzCase& c, Export call) {
  const IppiSize size = c.in().Region();
  const auto s = c.Image<float>(size, 2, Access::kRead);
  const auto d = c.Image<float>(size, 1, Access::kWrite);
  if (WholeFloatSteps({s.step, d.step})) SpecialFloats(c, s.p);
  c.Call([=] { return call(Complex(s.p), s.step, d.p, d.step, size); });
}

// Rows of these exports advance by the step rounded down to whole elements, so their images
// end there.
int WholeElements(int step, int elementBytes) { return step / elementBytes * elementBytes; }

}  // namespace

RYN_FUZZ(fnVCAIPP_Magnitude_32fc32f_C1R) { ComplexToReal(c, fnVCAIPP_Magnitude_32fc32f_C1R); }
RYN_FUZZ(fnVCAIPP_Phase_32fc32f_C1R) { ComplexToReal(c, fnVCAIPP_Phase_32fc32f_C1R); }

RYN_FUZZ(fnVCAIPP_PolarToCart_32f32fc_P2C1R) {
  const IppiSize size = c.in().Region();
  const int planeStep = c.DecodeStep<float>(size, 1);
  const auto magnitude = c.ImageWithStep<float>(size, 1, Access::kRead, planeStep);
  const auto phase = c.ImageWithStep<float>(size, 1, Access::kRead, planeStep);
  const auto d = c.Image<float>(size, 2, Access::kWrite);
  if (WholeFloatSteps({planeStep, d.step})) {
    SpecialFloats(c, magnitude.p);
    SpecialFloats(c, phase.p);
  }
  c.Call([=] { return fnVCAIPP_PolarToCart_32f32fc_P2C1R(magnitude.p, phase.p, planeStep, Complex(d.p), d.step, size); });
}

RYN_FUZZ(fnVCAIPP_CartToPolar_32f) {
  const int length = c.in().Size();
  const float* re = c.Vector<float>(length, Access::kRead);
  const float* im = c.Vector<float>(length, Access::kRead);
  float* magnitude = c.Vector<float>(length, Access::kWrite);
  float* phase = c.Vector<float>(length, Access::kWrite);
  SpecialFloats(c, re);
  SpecialFloats(c, im);
  c.Call([=] { return fnVCAIPP_CartToPolar_32f(re, im, magnitude, phase, length); });
}

RYN_FUZZ(fnVCAIPP_Convert_RealToComplex_32f) {
  const IppiSize size = c.in().Region();
  const int reStep = c.DecodeStep<float>(size, 1);
  const int imStep = c.DecodeStep<float>(size, 1);
  const int dStep = c.DecodeStep<float>(size, 2);
  const auto re = c.ImageWithStep<float>(size, 1, Access::kRead, WholeElements(reStep, 4));
  const auto im = c.ImageWithStep<float>(size, 1, Access::kRead, WholeElements(imStep, 4));
  const auto d = c.ImageWithStep<float>(size, 2, Access::kWrite, WholeElements(dStep, 8));
  SpecialFloats(c, re.p);
  SpecialFloats(c, im.p);
  c.Call([=] { return fnVCAIPP_Convert_RealToComplex_32f(re.p, reStep, im.p, imStep, Complex(d.p), dStep, size); });
}

RYN_FUZZ(fnVCAIPP_Copy_32fc_C1R) {
  const IppiSize size = c.in().Region();
  const int sStep = c.DecodeStep<float>(size, 2);
  const int dStep = c.DecodeStep<float>(size, 2);
  const auto s = c.ImageWithStep<float>(size, 2, Access::kRead, WholeElements(sStep, 8));
  const auto d = c.ImageWithStep<float>(size, 2, Access::kWrite, WholeElements(dStep, 8));
  c.Call([=] { return fnVCAIPP_Copy_32fc_C1R(Complex(s.p), sStep, Complex(d.p), dStep, size); });
}

// ---- Contour smoothing ------------------------------------------------------------------------

namespace {

// A DFT of length n costs about n times its largest prime factor; lengths whose direct sums
// would take seconds a call are not run.
bool AffordableDft(int n) {
  if (n < 1) return true;
  int64_t rest = n, largest = 1;
  for (int64_t f = 2; f * f <= rest; ++f) {
    while (rest % f == 0) rest /= f, largest = f;
  }
  largest = std::max(largest, rest);
  return int64_t{n} * largest <= (int64_t{1} << 21);
}

RynContourSmoother* CreateSmoother(int n) {
  RynContourSmoother* context = nullptr;
  fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context, n);
  return context;
}

void FreeSmoother(RynContourSmoother** context) {
  if (*context != nullptr) fnVCAIPP_DFTSmoothContourFree_32f(context);
  *context = nullptr;
}

// A context of length n made afresh for each run, released after it.
RynContourSmoother** FreshSmoother(FuzzCase& c, int n) {
  RynContourSmoother** context = c.Keep<RynContourSmoother*>(nullptr);
  c.Setup([=] { *context = CreateSmoother(n); });
  c.Teardown([=] { FreeSmoother(context); });
  return context;
}

// The contour length of a call: mostly the context's.
int CallLength(FuzzCase& c, int contextLength) { return c.in().Flag(8) ? c.in().Size() : contextLength; }

// A cut-off: mostly one that leaves frequencies to clear, sometimes one that clears none.
int CutOff(FuzzCase& c, int n) {
  return c.in().Code(0, static_cast<int>(std::max<int64_t>(0, (int64_t{n} - 2) / 2)) + 1);
}

}  // namespace

RYN_FUZZ(fnVCAIPP_DFTSmoothContourInitAlloc_32f) {
  const int n = c.in().Size();
  RynContourSmoother** context = c.Keep<RynContourSmoother*>(nullptr);
  RynContourSmoother** out = c.in().Flag(48) ? nullptr : context;
  c.Call([=] { return fnVCAIPP_DFTSmoothContourInitAlloc_32f(out, n); });
  c.Teardown([=] { FreeSmoother(context); });
}

RYN_FUZZ(fnVCAIPP_DFTSmoothContourFree_32f) {
  const int n = c.in().Size();
  const bool passNull = c.in().Flag(16);
  RynContourSmoother** context = FreshSmoother(c, n);
  c.Call([=] { return fnVCAIPP_DFTSmoothContourFree_32f(passNull ? nullptr : context); });
}

RYN_FUZZ(fnVCAIPP_DFTSmoothContour_32f) {
  const int contextLength = c.in().Size();
  const int n = CallLength(c, contextLength);
  const int k = CutOff(c, n);
  if (!AffordableDft(contextLength)) return c.Skip();
  float* contour = c.Vector<float>(2 * int64_t{n}, Access::kWrite);
  float* spectrum = c.Vector<float>(2 * int64_t{n}, Access::kWrite);
  SpecialFloats(c, contour);
  RynContourSmoother** context = FreshSmoother(c, contextLength);
  // With nothing to clear the call fails after the forward transform, leaving that spectrum in
  // the scratch array and the contour as it was.
  if (contextLength >= 1 && n == contextLength && k >= 0 && int64_t{n} - 2 * int64_t{k} - 1 < 1 &&
      contour != nullptr && spectrum != nullptr) {
    c.WritesOnError();
  }
  c.Call([=] { return fnVCAIPP_DFTSmoothContour_32f(*context, Complex(contour), Complex(spectrum), n, k); });
}

RYN_FUZZ(fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f) {
  const int n = c.in().Size();
  int* size = c.Out<int>();
  RynContourSmoother** context = FreshSmoother(c, n);
  c.Call([=] { return fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f(*context, size); });
}

RYN_FUZZ(fnVCAIPP_DFTSmoothContourPolar_32f) {
  const int contextLength = c.in().Size();
  const int n = CallLength(c, contextLength);
  const int k = CutOff(c, n);
  const bool inPlace = c.in().Flag(4);
  if (!AffordableDft(contextLength)) return c.Skip();
  RynContourSmoother* sizing = CreateSmoother(contextLength);
  int bufferSize = 0;
  if (sizing != nullptr) fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f(sizing, &bufferSize);
  FreeSmoother(&sizing);
  uint8_t* buffer = Scratch(c, bufferSize);
  float* source = c.Vector<float>(2 * int64_t{n}, inPlace ? Access::kWrite : Access::kRead);
  float* destination = inPlace ? source : c.Vector<float>(2 * int64_t{n}, Access::kWrite);
  SpecialFloats(c, source);
  RynContourSmoother** context = FreshSmoother(c, contextLength);
  c.Call([=] {
    return fnVCAIPP_DFTSmoothContourPolar_32f(*context, buffer, Complex(source), Complex(destination), n, k);
  });
}

// ---- Template matching ------------------------------------------------------------------------

RYN_FUZZ(fnVCAIPP_SqrDistanceValid_Norm) {
  const IppiSize sourceSize = c.in().Region();
  IppiSize patternSize = c.in().Region();
  if (!c.in().Flag(4) && sourceSize.width > 0 && sourceSize.height > 0) {
    patternSize = IppiSize{1 + c.in().Byte() % sourceSize.width, 1 + c.in().Byte() % sourceSize.height};
  }
  const bool fits = sourceSize.width > 0 && sourceSize.height > 0 && patternSize.width > 0 &&
                    patternSize.height > 0 && patternSize.width <= sourceSize.width &&
                    patternSize.height <= sourceSize.height;
  const IppiSize outputs = fits ? IppiSize{sourceSize.width - patternSize.width + 1,
                                           sourceSize.height - patternSize.height + 1}
                                : IppiSize{0, 0};
  // Each call transforms the whole source in tiles: sources of millions of pixels take seconds.
  if (fits && int64_t{sourceSize.width} * sourceSize.height > (int64_t{1} << 20)) return c.Skip();
  const auto s = c.Image<float>(sourceSize, 1, Access::kRead);
  const auto pattern = c.Image<float>(patternSize, 1, Access::kRead);
  const auto d = c.Image<float>(outputs, 1, Access::kWrite);
  if (WholeFloatSteps({s.step, pattern.step, d.step})) {
    SpecialFloats(c, s.p);
    SpecialFloats(c, pattern.p);
  }
  c.Call([=] {
    return fnVCAIPP_SqrDistanceValid_Norm(s.p, s.step, sourceSize, pattern.p, pattern.step, patternSize, d.p, d.step);
  });
}
