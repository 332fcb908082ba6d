// Complex FFTs, polar conversions, contour smoothing and template matching.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "primitives/fft/fft.h"

namespace {

using ryn::fft::Direction;

ryn::fft::Fft2D* Object(RynFft2D* fft) { return reinterpret_cast<ryn::fft::Fft2D*>(fft); }
const ryn::fft::Fft2D* Object(const RynFft2D* fft) { return reinterpret_cast<const ryn::fft::Fft2D*>(fft); }
ryn::fft::SmoothingContext* Context(RynContourSmoother* context) {
  return reinterpret_cast<ryn::fft::SmoothingContext*>(context);
}

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_FFTInitAlloc_C_32fc(RynFft2D** fft, int orderX, int orderY, int flag, int hint) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::fft::CreateFft2D(reinterpret_cast<ryn::fft::Fft2D**>(fft), orderX, orderY, flag, hint);
}
RYN_API IppStatus fnVCAIPP_FFTGetBufSize_C_32fc(const RynFft2D* fft, int* size) {
  return ryn::fft::Fft2DBufferSize(Object(fft), size);
}
RYN_API IppStatus fnVCAIPP_FFTFwd_CToC_32fc_C1R(const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                                                int destinationStep, const RynFft2D* fft, uint8_t* buffer) {
  return ryn::fft::Transform2D(Object(fft), source, sourceStep, destination, destinationStep, buffer,
                               Direction::kForward);
}
RYN_API IppStatus fnVCAIPP_FFTInv_CToC_32fc_C1R(const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                                                int destinationStep, const RynFft2D* fft, uint8_t* buffer) {
  return ryn::fft::Transform2D(Object(fft), source, sourceStep, destination, destinationStep, buffer,
                               Direction::kInverse);
}
RYN_API IppStatus fnVCAIPP_FFTFwd_CToC_32fc_C1IR(Ipp32fc* image, int step, const RynFft2D* fft, uint8_t* buffer) {
  return ryn::fft::Transform2D(Object(fft), image, step, image, step, buffer, Direction::kForward);
}
RYN_API IppStatus fnVCAIPP_FFTInv_CToC_32fc_C1IR(Ipp32fc* image, int step, const RynFft2D* fft, uint8_t* buffer) {
  return ryn::fft::Transform2D(Object(fft), image, step, image, step, buffer, Direction::kInverse);
}
RYN_API IppStatus fnVCAIPP_FFTFree_C_32fc(RynFft2D* fft) { return ryn::fft::FreeFft2D(Object(fft)); }

RYN_API IppStatus fnVCAIPP_Magnitude_32fc32f_C1R(const Ipp32fc* source, int sourceStep, float* destination,
                                                 int destinationStep, IppiSize size) {
  return ryn::fft::Magnitude(source, sourceStep, destination, destinationStep, size);
}
RYN_API IppStatus fnVCAIPP_Phase_32fc32f_C1R(const Ipp32fc* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize size) {
  return ryn::fft::Phase(source, sourceStep, destination, destinationStep, size);
}
RYN_API IppStatus fnVCAIPP_PolarToCart_32f32fc_P2C1R(const float* magnitude, const float* phase, int planeStep,
                                                     Ipp32fc* destination, int destinationStep, IppiSize size) {
  return ryn::fft::PolarToCart(magnitude, phase, planeStep, destination, destinationStep, size);
}
RYN_API IppStatus fnVCAIPP_CartToPolar_32f(const float* re, const float* im, float* magnitude, float* phase,
                                           int length) {
  return ryn::fft::CartToPolar(re, im, magnitude, phase, length);
}
RYN_API IppStatus fnVCAIPP_Convert_RealToComplex_32f(const float* re, int reStep, const float* im, int imStep,
                                                     Ipp32fc* destination, int destinationStep, IppiSize size) {
  return ryn::fft::RealToComplex(re, reStep, im, imStep, destination, destinationStep, size);
}
RYN_API IppStatus fnVCAIPP_Copy_32fc_C1R(const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                                         int destinationStep, IppiSize size) {
  return ryn::fft::CopyComplex(source, sourceStep, destination, destinationStep, size);
}

RYN_API IppStatus fnVCAIPP_DFTSmoothContourInitAlloc_32f(RynContourSmoother** context, int n) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::fft::CreateSmoothingContext(reinterpret_cast<ryn::fft::SmoothingContext**>(context), n);
}
RYN_API IppStatus fnVCAIPP_DFTSmoothContourFree_32f(RynContourSmoother** context) {
  return ryn::fft::FreeSmoothingContext(reinterpret_cast<ryn::fft::SmoothingContext**>(context));
}
RYN_API IppStatus fnVCAIPP_DFTSmoothContour_32f(RynContourSmoother* context, Ipp32fc* contour, Ipp32fc* spectrum,
                                                int n, int k) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::fft::SmoothContour(Context(context), contour, spectrum, n, k);
}
RYN_API IppStatus fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f(const RynContourSmoother* context, int* size) {
  return ryn::fft::PolarSmoothingBufferSize(reinterpret_cast<const ryn::fft::SmoothingContext*>(context), size);
}
RYN_API IppStatus fnVCAIPP_DFTSmoothContourPolar_32f(RynContourSmoother* context, uint8_t* buffer,
                                                     const Ipp32fc* source, Ipp32fc* destination, int n, int k) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::fft::SmoothContourPolar(Context(context), buffer, source, destination, n, k);
}

RYN_API IppStatus fnVCAIPP_SqrDistanceValid_Norm(const float* source, int sourceStep, IppiSize sourceSize,
                                                 const float* pattern, int patternStep, IppiSize patternSize,
                                                 float* destination, int destinationStep) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::fft::SqrDistanceValidNorm(source, sourceStep, sourceSize, pattern, patternStep, patternSize,
                                        destination, destinationStep);
}

}  // extern "C"
