// Integral images and moments against OpenCV integral and moments + HuMoments.
#include <memory>
#include <opencv2/imgproc.hpp>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFullHd{1920, 1080};

IppiSize Roi(FrameSize s) { return IppiSize{s.width, s.height}; }

// OpenCV peers run on the calling thread only, as the library does.
void UseOneOpenCvThread() { cv::setNumThreads(1); }

cv::Mat Noise(FrameSize s) {
  cv::Mat image(s.height, s.width, CV_8UC1);
  cv::randu(image, 0, 256);
  return image;
}

// Source bytes read plus table bytes written.
int64_t IntegralTraffic(FrameSize s) { return int64_t{s.width} * s.height + int64_t{s.width + 1} * (s.height + 1) * 4; }

// A 32-bit table of (width + extra) x (height + extra) values whose first value lies `offset`
// bytes past a 64-byte boundary.
struct Table {
  Table(FrameSize s, int extra, size_t offset)
      : step((s.width + extra) * 4), storage(size_t(step) * (s.height + extra) + 64 + offset) {
    const uintptr_t base = reinterpret_cast<uintptr_t>(storage.data());
    data = reinterpret_cast<int32_t*>(((base + 63) & ~uintptr_t{63}) + offset);
  }
  int step;
  std::vector<uint8_t> storage;
  int32_t* data;
};

BodyFactory OursIntegral(size_t offset) {
  return [offset](FrameSize s) -> std::function<void()> {
    cv::Mat source = Noise(s);
    auto table = std::make_shared<Table>(s, 1, offset);
    return [source, table, s] {
      fnVCAIPP_Integral_8u32s_C1R(source.data, int(source.step), table->data, table->step, Roi(s), 0);
    };
  };
}

BodyFactory OpenCvIntegral() {
  return [](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    cv::Mat source = Noise(s);
    auto sum = std::make_shared<cv::Mat>(s.height + 1, s.width + 1, CV_32SC1);
    return [source, sum] { cv::integral(source, *sum, CV_32S); };
  };
}

void RegisterAll() {
  Ours("Integral_8u32s_C1R", kFullHd, OursIntegral(0), IntegralTraffic);
  Peer("OpenCV integral", "Integral_8u32s_C1R", kFullHd, OpenCvIntegral(), IntegralTraffic);
  Ours("Integral_8u32s_C1R dst+16", kFullHd, OursIntegral(16), IntegralTraffic);
  Peer("OpenCV integral", "Integral_8u32s_C1R dst+16", kFullHd, OpenCvIntegral(), IntegralTraffic);

  Ours("TiltedIntegral_8u32s_C1R", kFullHd, [](FrameSize s) -> std::function<void()> {
    cv::Mat source = Noise(s);
    auto table = std::make_shared<Table>(s, 2, 0);
    return [source, table, s] {
      fnVCAIPP_TiltedIntegral_8u32s_C1R(source.data, int(source.step), table->data, table->step, Roi(s), 0);
    };
  }, IntegralTraffic);
  // OpenCV's tilted table comes only with the upright sums and the squared sums.
  Peer("OpenCV integral+squares+tilted", "TiltedIntegral_8u32s_C1R", kFullHd, [](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    cv::Mat source = Noise(s);
    auto tables = std::make_shared<std::vector<cv::Mat>>(3);
    return [source, tables] { cv::integral(source, (*tables)[0], (*tables)[1], (*tables)[2], CV_32S, CV_64F); };
  }, IntegralTraffic);

  Ours("Moments64f+GetHuMoments", kFullHd, [](FrameSize s) -> std::function<void()> {
    cv::Mat source = Noise(s);
    RynMomentState* raw = nullptr;
    fnVCAIPP_MomentInitAlloc(&raw, 0);
    std::shared_ptr<RynMomentState> state(raw, fnVCAIPP_MomentFree_64f);
    return [source, state, s] {
      double hu[7];
      fnVCAIPP_Moments64f_8u_C1R(source.data, int(source.step), Roi(s), state.get());
      fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu);
      benchmark::DoNotOptimize(hu);
    };
  });
  Peer("OpenCV moments+HuMoments", "Moments64f+GetHuMoments", kFullHd, [](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    cv::Mat source = Noise(s);
    return [source] {
      double hu[7];
      cv::HuMoments(cv::moments(source, false), hu);
      benchmark::DoNotOptimize(hu);
    };
  });
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
