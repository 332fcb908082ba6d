// Complex FFTs, contour smoothing, template matching and the polar conversions against OpenCV and
// FFTW (single precision, plans measured before the timed loop, one thread), single threaded.
#include <fftw3.h>

#include <cstring>
#include <memory>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

int OrderOf(int length) {
  int order = 0;
  while ((1 << order) < length) ++order;
  return order;
}

cv::Mat Random(int rows, int cols, int type, uint64_t seed, double low = -1.0, double high = 1.0) {
  cv::Mat m(rows, cols, type);
  cv::RNG(seed).fill(m, cv::RNG::UNIFORM, low, high);
  return m;
}

template <class Body>
std::function<void()> OpenCvBody(Body body) {
  cv::setNumThreads(1);
  return body;
}

// The FFT object with a work buffer of the queried size, released with the benchmark.
struct OurFft {
  RynFft2D* object = nullptr;
  std::vector<uint8_t> buffer;
  OurFft(int width, int height) {
    fnVCAIPP_FFTInitAlloc_C_32fc(&object, OrderOf(width), OrderOf(height), 8, 0);
    int size = 0;
    fnVCAIPP_FFTGetBufSize_C_32fc(object, &size);
    buffer.resize(static_cast<size_t>(size));
  }
  ~OurFft() { fnVCAIPP_FFTFree_C_32fc(object); }
};

// An FFTW plan on its own arrays (FFTW's alignment), measured once.
struct FftwTransform {
  fftwf_complex* in;
  fftwf_complex* out;
  fftwf_plan plan;
  FftwTransform(int width, int height, int sign) {
    const size_t n = static_cast<size_t>(width) * height;
    in = fftwf_alloc_complex(n);
    out = fftwf_alloc_complex(n);
    plan = height == 1 ? fftwf_plan_dft_1d(width, in, out, sign, FFTW_MEASURE)
                       : fftwf_plan_dft_2d(height, width, in, out, sign, FFTW_MEASURE);
    const cv::Mat data = Random(height, width, CV_32FC2, 1);
    std::memcpy(in, data.data, n * sizeof(fftwf_complex));
  }
  ~FftwTransform() {
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
  }
};

void RegisterForwardFft(FrameSize s) {
  Ours("FFTFwd_CToC_32fc_C1R", s, [](FrameSize s) -> std::function<void()> {
    auto fft = std::make_shared<OurFft>(s.width, s.height);
    const cv::Mat source = Random(s.height, s.width, CV_32FC2, 1);
    auto destination = std::make_shared<cv::Mat>(s.height, s.width, CV_32FC2);
    return [fft, source, destination] {
      fnVCAIPP_FFTFwd_CToC_32fc_C1R(source.ptr<Ipp32fc>(), static_cast<int>(source.step), destination->ptr<Ipp32fc>(),
                                    static_cast<int>(destination->step), fft->object, fft->buffer.data());
    };
  });
  Peer("OpenCV dft", "FFTFwd_CToC_32fc_C1R", s, [](FrameSize s) {
    const cv::Mat source = Random(s.height, s.width, CV_32FC2, 1);
    auto destination = std::make_shared<cv::Mat>(s.height, s.width, CV_32FC2);
    return OpenCvBody([source, destination] { cv::dft(source, *destination); });
  });
  Peer("FFTW", "FFTFwd_CToC_32fc_C1R", s, [](FrameSize s) -> std::function<void()> {
    auto fftw = std::make_shared<FftwTransform>(s.width, s.height, FFTW_FORWARD);
    return [fftw] { fftwf_execute(fftw->plan); };
  });
}

// A forward DFT scaled by 1/n, the band cleared, the inverse DFT: what the smoother does.
void RegisterSmoothing(int n) {
  const FrameSize s{n, 1};
  constexpr int kKeep = 8;
  Ours("DFTSmoothContour_32f", s, [](FrameSize s) -> std::function<void()> {
    std::shared_ptr<RynContourSmoother> context(
        [&] {
          RynContourSmoother* created = nullptr;
          fnVCAIPP_DFTSmoothContourInitAlloc_32f(&created, s.width);
          return created;
        }(),
        [](RynContourSmoother* c) { fnVCAIPP_DFTSmoothContourFree_32f(&c); });
    auto contour = std::make_shared<cv::Mat>(Random(1, s.width, CV_32FC2, 2));
    auto spectrum = std::make_shared<cv::Mat>(1, s.width, CV_32FC2);
    return [context, contour, spectrum, n = s.width] {
      fnVCAIPP_DFTSmoothContour_32f(context.get(), contour->ptr<Ipp32fc>(), spectrum->ptr<Ipp32fc>(), n, kKeep);
    };
  });
  Peer("OpenCV dft", "DFTSmoothContour_32f", s, [](FrameSize s) {
    auto contour = std::make_shared<cv::Mat>(Random(1, s.width, CV_32FC2, 2));
    auto spectrum = std::make_shared<cv::Mat>(1, s.width, CV_32FC2);
    return OpenCvBody([contour, spectrum, n = s.width] {
      cv::dft(*contour, *spectrum, cv::DFT_SCALE);
      (*spectrum)(cv::Rect(kKeep, 0, n - 2 * kKeep - 1, 1)).setTo(cv::Scalar::all(0));
      cv::dft(*spectrum, *contour, cv::DFT_INVERSE);
    });
  });
  Peer("FFTW", "DFTSmoothContour_32f", s, [](FrameSize s) -> std::function<void()> {
    auto forward = std::make_shared<FftwTransform>(s.width, 1, FFTW_FORWARD);
    auto inverse = std::shared_ptr<fftwf_plan>(
        new fftwf_plan(fftwf_plan_dft_1d(s.width, forward->out, forward->in, FFTW_BACKWARD, FFTW_MEASURE)),
        [](fftwf_plan* p) {
          fftwf_destroy_plan(*p);
          delete p;
        });
    return [forward, inverse, n = s.width] {
      fftwf_execute(forward->plan);
      const float scale = 1.0f / static_cast<float>(n);
      for (int i = 0; i < n; ++i) forward->out[i][0] *= scale, forward->out[i][1] *= scale;
      std::memset(forward->out + kKeep, 0, sizeof(fftwf_complex) * static_cast<size_t>(n - 2 * kKeep - 1));
      fftwf_execute(*inverse);
    };
  });
}

void RegisterTemplateMatching() {
  const FrameSize s{640, 480};
  constexpr int kPattern = 32;
  Ours("SqrDistanceValid_Norm", s, [](FrameSize s) -> std::function<void()> {
    const cv::Mat source = Random(s.height, s.width, CV_32FC1, 3, 0, 255);
    const cv::Mat pattern = source(cv::Rect(100, 200, kPattern, kPattern)).clone();
    auto result = std::make_shared<cv::Mat>(s.height - kPattern + 1, s.width - kPattern + 1, CV_32FC1);
    return [source, pattern, result, s] {
      fnVCAIPP_SqrDistanceValid_Norm(source.ptr<float>(), static_cast<int>(source.step), {s.width, s.height},
                                     pattern.ptr<float>(), static_cast<int>(pattern.step), {kPattern, kPattern},
                                     result->ptr<float>(), static_cast<int>(result->step));
    };
  });
  Peer("OpenCV matchTemplate", "SqrDistanceValid_Norm", s, [](FrameSize s) {
    const cv::Mat source = Random(s.height, s.width, CV_32FC1, 3, 0, 255);
    const cv::Mat pattern = source(cv::Rect(100, 200, kPattern, kPattern)).clone();
    auto result = std::make_shared<cv::Mat>();
    return OpenCvBody([source, pattern, result] { cv::matchTemplate(source, pattern, *result, cv::TM_SQDIFF_NORMED); });
  });
}

// Conversions of a frame into a destination whose first byte lies `offset` bytes past a 64-byte
// boundary, rows without padding.
void RegisterConversions(int offset) {
  const FrameSize s{1920, 1080};
  const auto complexTraffic = [](FrameSize s) { return int64_t{s.width} * s.height * 12; };
  const auto polarTraffic = [](FrameSize s) { return int64_t{s.width} * s.height * 16; };
  const auto floatPlane = [](FrameSize s, int offset) { return BufferAt(size_t(s.width) * s.height * 4, offset); };
  const auto complexPlane = [](FrameSize s, int offset) { return BufferAt(size_t(s.width) * s.height * 8, offset); };
  Ours(AtOffset("Magnitude_32fc32f_C1R", offset), s, [=](FrameSize s) -> std::function<void()> {
    const cv::Mat source = Random(s.height, s.width, CV_32FC2, 4);
    const OffsetBuffer destination = floatPlane(s, offset);
    return [source, destination, s] {
      fnVCAIPP_Magnitude_32fc32f_C1R(source.ptr<Ipp32fc>(), static_cast<int>(source.step),
                                     reinterpret_cast<float*>(destination.data), s.width * 4, {s.width, s.height});
    };
  }, complexTraffic);
  Peer("OpenCV magnitude", AtOffset("Magnitude_32fc32f_C1R", offset), s, [](FrameSize s) {
    const cv::Mat source = Random(s.height, s.width, CV_32FC2, 4);
    auto planes = std::make_shared<std::vector<cv::Mat>>();
    auto destination = std::make_shared<cv::Mat>();
    return OpenCvBody([source, planes, destination] {
      cv::split(source, *planes);
      cv::magnitude((*planes)[0], (*planes)[1], *destination);
    });
  }, complexTraffic);
  Ours(AtOffset("Phase_32fc32f_C1R", offset), s, [=](FrameSize s) -> std::function<void()> {
    const cv::Mat source = Random(s.height, s.width, CV_32FC2, 5);
    const OffsetBuffer destination = floatPlane(s, offset);
    return [source, destination, s] {
      fnVCAIPP_Phase_32fc32f_C1R(source.ptr<Ipp32fc>(), static_cast<int>(source.step),
                                 reinterpret_cast<float*>(destination.data), s.width * 4, {s.width, s.height});
    };
  }, complexTraffic);
  Peer("OpenCV phase", AtOffset("Phase_32fc32f_C1R", offset), s, [](FrameSize s) {
    const cv::Mat source = Random(s.height, s.width, CV_32FC2, 5);
    auto planes = std::make_shared<std::vector<cv::Mat>>();
    auto destination = std::make_shared<cv::Mat>();
    return OpenCvBody([source, planes, destination] {
      cv::split(source, *planes);
      cv::phase((*planes)[1], (*planes)[0], *destination);
    });
  }, complexTraffic);
  Ours(AtOffset("PolarToCart_32f32fc_P2C1R", offset), s, [=](FrameSize s) -> std::function<void()> {
    const cv::Mat magnitude = Random(s.height, s.width, CV_32FC1, 6, 0, 2);
    const cv::Mat phase = Random(s.height, s.width, CV_32FC1, 7, -3.14, 3.14);
    const OffsetBuffer destination = complexPlane(s, offset);
    return [magnitude, phase, destination, s] {
      fnVCAIPP_PolarToCart_32f32fc_P2C1R(magnitude.ptr<float>(), phase.ptr<float>(), static_cast<int>(phase.step),
                                         reinterpret_cast<Ipp32fc*>(destination.data), s.width * 8,
                                         {s.width, s.height});
    };
  }, polarTraffic);
  Peer("OpenCV polarToCart", AtOffset("PolarToCart_32f32fc_P2C1R", offset), s, [](FrameSize s) {
    const cv::Mat magnitude = Random(s.height, s.width, CV_32FC1, 6, 0, 2);
    const cv::Mat phase = Random(s.height, s.width, CV_32FC1, 7, -3.14, 3.14);
    auto planes = std::make_shared<std::vector<cv::Mat>>(2);
    auto destination = std::make_shared<cv::Mat>();
    return OpenCvBody([magnitude, phase, planes, destination] {
      cv::polarToCart(magnitude, phase, (*planes)[0], (*planes)[1]);
      cv::merge(*planes, *destination);
    });
  }, polarTraffic);
  Ours(AtOffset("Convert_RealToComplex_32f", offset), s, [=](FrameSize s) -> std::function<void()> {
    const cv::Mat re = Random(s.height, s.width, CV_32FC1, 8), im = Random(s.height, s.width, CV_32FC1, 9);
    const OffsetBuffer destination = complexPlane(s, offset);
    return [re, im, destination, s] {
      fnVCAIPP_Convert_RealToComplex_32f(re.ptr<float>(), static_cast<int>(re.step), im.ptr<float>(),
                                         static_cast<int>(im.step), reinterpret_cast<Ipp32fc*>(destination.data),
                                         s.width * 8, {s.width, s.height});
    };
  }, polarTraffic);
  Peer("OpenCV merge", AtOffset("Convert_RealToComplex_32f", offset), s, [](FrameSize s) {
    const std::vector<cv::Mat> planes = {Random(s.height, s.width, CV_32FC1, 8), Random(s.height, s.width, CV_32FC1, 9)};
    auto destination = std::make_shared<cv::Mat>();
    return OpenCvBody([planes, destination] { cv::merge(planes, *destination); });
  }, polarTraffic);
}

void RegisterAll() {
  RegisterForwardFft({256, 256});
  RegisterForwardFft({1024, 1024});
  for (int n : {64, 1024, 4096}) RegisterForwardFft({n, 1});
  for (int n : {1000, 1024}) RegisterSmoothing(n);
  RegisterTemplateMatching();
  for (int offset : kOffsets) RegisterConversions(offset);
}

const Registration registration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
