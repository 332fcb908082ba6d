// The transforms, the polar conversions and template matching under each build. The transforms
// take the power-of-two image nearest the frame (1024 x 1024) and a contour of 1000 points.
#include <memory>

#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

constexpr int kTransformOrder = 10;

std::function<void()> ForwardTransform(FrameSize) {
  const int side = 1 << kTransformOrder;
  std::shared_ptr<RynFft2D> fft(
      [] {
        RynFft2D* created = nullptr;
        fnVCAIPP_FFTInitAlloc_C_32fc(&created, kTransformOrder, kTransformOrder, 8, 0);
        return created;
      }(),
      fnVCAIPP_FFTFree_C_32fc);
  int size = 0;
  fnVCAIPP_FFTGetBufSize_C_32fc(fft.get(), &size);
  const OffsetBuffer source = RandomPixels<float>({2 * side, side}, 1, -1.0f, 1.0f);
  const OffsetBuffer destination = BufferAt(size_t(side) * side * 8, 0), buffer = BufferAt(size_t(size), 0);
  return [fft, source, destination, buffer, side] {
    fnVCAIPP_FFTFwd_CToC_32fc_C1R(reinterpret_cast<const Ipp32fc*>(source.data), side * 8,
                                  reinterpret_cast<Ipp32fc*>(destination.data), side * 8, fft.get(), buffer.data);
  };
}

std::function<void()> ContourSmoothing(FrameSize) {
  constexpr int kPoints = 1000;
  std::shared_ptr<RynContourSmoother> context(
      [] {
        RynContourSmoother* created = nullptr;
        fnVCAIPP_DFTSmoothContourInitAlloc_32f(&created, kPoints);
        return created;
      }(),
      [](RynContourSmoother* c) { fnVCAIPP_DFTSmoothContourFree_32f(&c); });
  const OffsetBuffer contour = RandomPixels<float>({2 * kPoints, 1}, 2, 0.0f, 1.0f);
  const OffsetBuffer spectrum = BufferAt(kPoints * 8, 0);
  return [context, contour, spectrum] {
    fnVCAIPP_DFTSmoothContour_32f(context.get(), reinterpret_cast<Ipp32fc*>(contour.data),
                                  reinterpret_cast<Ipp32fc*>(spectrum.data), kPoints, 8);
  };
}

// A conversion from a complex frame to a float frame: `call(source, destination, region)`.
template <class Call>
void ComplexToFloat(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    const OffsetBuffer source = RandomPixels<float>({2 * s.width, s.height}, 3, -1.0f, 1.0f);
    const OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [source, destination, s, call] {
      call(reinterpret_cast<const Ipp32fc*>(source.data), reinterpret_cast<float*>(destination.data), s);
    };
  });
}

void RegisterTransforms() {
  EachBuild("FFTFwd_CToC_32fc_C1R", ForwardTransform);
  EachBuild("DFTSmoothContour_32f", ContourSmoothing);
  ComplexToFloat("Magnitude_32fc32f_C1R", [](const Ipp32fc* source, float* destination, FrameSize s) {
    fnVCAIPP_Magnitude_32fc32f_C1R(source, s.width * 8, destination, s.width * 4, Roi(s));
  });
  ComplexToFloat("Phase_32fc32f_C1R", [](const Ipp32fc* source, float* destination, FrameSize s) {
    fnVCAIPP_Phase_32fc32f_C1R(source, s.width * 8, destination, s.width * 4, Roi(s));
  });
  EachBuild("PolarToCart_32f32fc_P2C1R", [](FrameSize s) -> std::function<void()> {
    const OffsetBuffer magnitude = RandomPixels<float>(s, 4, 0.0f, 2.0f);
    const OffsetBuffer phase = RandomPixels<float>(s, 5, -3.14f, 3.14f);
    const OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * 8, 0);
    return [magnitude, phase, destination, s] {
      fnVCAIPP_PolarToCart_32f32fc_P2C1R(reinterpret_cast<const float*>(magnitude.data),
                                         reinterpret_cast<const float*>(phase.data), s.width * 4,
                                         reinterpret_cast<Ipp32fc*>(destination.data), s.width * 8, Roi(s));
    };
  });
  EachBuild("Convert_RealToComplex_32f", [](FrameSize s) -> std::function<void()> {
    const OffsetBuffer re = RandomPixels<float>(s, 6, -1.0f, 1.0f), im = RandomPixels<float>(s, 7, -1.0f, 1.0f);
    const OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * 8, 0);
    return [re, im, destination, s] {
      fnVCAIPP_Convert_RealToComplex_32f(reinterpret_cast<const float*>(re.data), s.width * 4,
                                         reinterpret_cast<const float*>(im.data), s.width * 4,
                                         reinterpret_cast<Ipp32fc*>(destination.data), s.width * 8, Roi(s));
    };
  });
  EachBuild("SqrDistanceValid_Norm", [](FrameSize s) -> std::function<void()> {
    constexpr int kPattern = 32;
    const OffsetBuffer source = RandomPixels<float>(s, 8, 0.0f, 255.0f);
    const OffsetBuffer pattern = RandomPixels<float>({kPattern, kPattern}, 9, 0.0f, 255.0f);
    const FrameSize out{s.width - kPattern + 1, s.height - kPattern + 1};
    const OffsetBuffer destination = BufferAt(size_t(out.width) * out.height * 4, 0);
    return [source, pattern, destination, s, out] {
      fnVCAIPP_SqrDistanceValid_Norm(reinterpret_cast<const float*>(source.data), s.width * 4, Roi(s),
                                     reinterpret_cast<const float*>(pattern.data), kPattern * 4,
                                     {kPattern, kPattern}, reinterpret_cast<float*>(destination.data),
                                     out.width * 4);
    };
  });
}

const Registration kRegistration(RegisterTransforms);

}  // namespace
}  // namespace ryn::bench
