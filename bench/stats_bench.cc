// Statistics of a frame against their OpenCV counterparts, single threaded.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFrame = {1920, 1080};

IppiSize Roi(FrameSize s) { return IppiSize{s.width, s.height}; }

template <int Bytes>
int64_t Traffic(FrameSize s) {
  return int64_t{s.width} * s.height * Bytes;
}

// Random pixels, the same for both sides of a pair.
cv::Mat Frame(FrameSize s, int type, uint64_t seed) {
  cv::Mat image(s.height, s.width, type);
  cv::RNG rng(seed);
  if (type == CV_32FC1) {
    rng.fill(image, cv::RNG::UNIFORM, 0.0, 255.0);
  } else {
    rng.fill(image, cv::RNG::UNIFORM, 0, 256);
  }
  return image;
}

// A smooth gradient with a little noise: neighbouring pixels are often equal, as in camera frames.
cv::Mat SmoothFrame(FrameSize s, uint64_t seed) {
  cv::Mat image(s.height, s.width, CV_8UC1);
  cv::RNG rng(seed);
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) image.at<uint8_t>(y, x) = cv::saturate_cast<uint8_t>(x / 16 + y / 8 + rng.uniform(0, 4));
  }
  return image;
}

cv::Mat HalfMask(FrameSize s) {
  cv::Mat mask(s.height, s.width, CV_8UC1, cv::Scalar(0));
  mask(cv::Rect(s.width / 4, s.height / 4, s.width / 2, s.height / 2)).setTo(1);
  return mask;
}

// OpenCV peers run on the calling thread only, as the library does.
template <class Body>
std::function<void()> OpenCvBody(Body body) {
  cv::setNumThreads(1);
  return body;
}

// A frame in memory of its own, kept alive with the header that reads it.
struct OffsetFrame {
  OffsetBuffer buffer;
  cv::Mat image;
};

// A statistic of an 8-bit and of a float frame whose first pixel lies `offset` bytes past a
// 64-byte boundary: loads that straddle cache lines must not slow the reduction down.
void RegisterOffsets(int offset) {
  const FrameSize s = kFrame;
  const auto frameAt = [offset](FrameSize s, int type, uint64_t seed) {
    const cv::Mat pixels = Frame(s, type, seed);
    const size_t rowBytes = pixels.cols * pixels.elemSize();
    OffsetBuffer buffer = BufferAt(rowBytes * s.height, offset);
    // An OpenCV header over the buffer, so that both sides of the pair read the same bytes.
    cv::Mat image(s.height, s.width, type, buffer.data, rowBytes);
    pixels.copyTo(image);
    return OffsetFrame{buffer, image};
  };

  Ours(AtOffset("Sum_8u_C1R", offset), s, [frameAt](FrameSize s) -> std::function<void()> {
    const OffsetFrame frame = frameAt(s, CV_8UC1, 1);
    return [frame, s] {
      double sum;
      fnVCAIPP_Sum_8u_C1R(frame.image.data, int(frame.image.step), Roi(s), &sum);
      benchmark::DoNotOptimize(sum);
    };
  }, Traffic<1>);
  Peer("OpenCV sum", AtOffset("Sum_8u_C1R", offset), s, [frameAt](FrameSize s) -> std::function<void()> {
    const OffsetFrame frame = frameAt(s, CV_8UC1, 1);
    return OpenCvBody([frame] { benchmark::DoNotOptimize(cv::sum(frame.image)); });
  }, Traffic<1>);

  Ours(AtOffset("Mean_StdDev_32f_C1R", offset), s, [frameAt](FrameSize s) -> std::function<void()> {
    const OffsetFrame frame = frameAt(s, CV_32FC1, 6);
    return [frame, s] {
      double mean, deviation;
      fnVCAIPP_Mean_StdDev_32f_C1R(reinterpret_cast<const float*>(frame.image.data), int(frame.image.step), Roi(s),
                                   &mean, &deviation);
      benchmark::DoNotOptimize(deviation);
    };
  }, Traffic<4>);
  Peer("OpenCV meanStdDev", AtOffset("Mean_StdDev_32f_C1R", offset), s,
       [frameAt](FrameSize s) -> std::function<void()> {
         const OffsetFrame frame = frameAt(s, CV_32FC1, 6);
         return OpenCvBody([frame] {
           cv::Scalar mean, deviation;
           cv::meanStdDev(frame.image, mean, deviation);
           benchmark::DoNotOptimize(deviation);
         });
       }, Traffic<4>);
}

void RegisterAll() {
  for (int offset : kOffsets) RegisterOffsets(offset);

  const FrameSize s = kFrame;

  Ours("Sum_8u_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 1);
    return [image, s] {
      double sum;
      fnVCAIPP_Sum_8u_C1R(image.data, int(image.step), Roi(s), &sum);
      benchmark::DoNotOptimize(sum);
    };
  }, Traffic<1>);
  Peer("OpenCV sum", "Sum_8u_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 1);
    return OpenCvBody([image] { benchmark::DoNotOptimize(cv::sum(image)); });
  }, Traffic<1>);

  Ours("Mean_8u_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 2);
    return [image, s] {
      double mean;
      fnVCAIPP_Mean_8u_C1R(image.data, int(image.step), Roi(s), &mean);
      benchmark::DoNotOptimize(mean);
    };
  }, Traffic<1>);
  Peer("OpenCV mean", "Mean_8u_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 2);
    return OpenCvBody([image] { benchmark::DoNotOptimize(cv::mean(image)); });
  }, Traffic<1>);

  Ours("Mean_8u_C1MR", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 3), mask = HalfMask(s);
    return [image, mask, s] {
      double mean;
      fnVCAIPP_Mean_8u_C1MR(image.data, int(image.step), mask.data, int(mask.step), Roi(s), &mean);
      benchmark::DoNotOptimize(mean);
    };
  }, Traffic<2>);
  Peer("OpenCV mean", "Mean_8u_C1MR", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 3), mask = HalfMask(s);
    return OpenCvBody([image, mask] { benchmark::DoNotOptimize(cv::mean(image, mask)); });
  }, Traffic<2>);

  Ours("Mean_StdDev_8u_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 4);
    return [image, s] {
      double mean, deviation;
      fnVCAIPP_Mean_StdDev_8u_C1R(image.data, int(image.step), Roi(s), &mean, &deviation);
      benchmark::DoNotOptimize(deviation);
    };
  }, Traffic<1>);
  Peer("OpenCV meanStdDev", "Mean_StdDev_8u_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 4);
    return OpenCvBody([image] {
      cv::Scalar mean, deviation;
      cv::meanStdDev(image, mean, deviation);
      benchmark::DoNotOptimize(deviation);
    });
  }, Traffic<1>);

  Ours("Mean_StdDev_8u_C1MR", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 5), mask = HalfMask(s);
    return [image, mask, s] {
      double mean, deviation;
      fnVCAIPP_Mean_StdDev_8u_C1MR(image.data, int(image.step), mask.data, int(mask.step), Roi(s), &mean,
                                   &deviation);
      benchmark::DoNotOptimize(deviation);
    };
  }, Traffic<2>);
  Peer("OpenCV meanStdDev", "Mean_StdDev_8u_C1MR", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 5), mask = HalfMask(s);
    return OpenCvBody([image, mask] {
      cv::Scalar mean, deviation;
      cv::meanStdDev(image, mean, deviation, mask);
      benchmark::DoNotOptimize(deviation);
    });
  }, Traffic<2>);

  Ours("Mean_StdDev_32f_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_32FC1, 6);
    return [image, s] {
      double mean, deviation;
      fnVCAIPP_Mean_StdDev_32f_C1R(image.ptr<float>(), int(image.step), Roi(s), &mean, &deviation);
      benchmark::DoNotOptimize(deviation);
    };
  }, Traffic<4>);
  Peer("OpenCV meanStdDev", "Mean_StdDev_32f_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_32FC1, 6);
    return OpenCvBody([image] {
      cv::Scalar mean, deviation;
      cv::meanStdDev(image, mean, deviation);
      benchmark::DoNotOptimize(deviation);
    });
  }, Traffic<4>);

  Ours("MinMax_8u_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 7);
    return [image, s] {
      uint8_t minimum, maximum;
      fnVCAIPP_MinMax_8u_C1R(image.data, int(image.step), Roi(s), &minimum, &maximum);
      benchmark::DoNotOptimize(maximum);
    };
  }, Traffic<1>);
  Peer("OpenCV minMaxLoc", "MinMax_8u_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 7);
    return OpenCvBody([image] {
      double minimum, maximum;
      cv::minMaxLoc(image, &minimum, &maximum);
      benchmark::DoNotOptimize(maximum);
    });
  }, Traffic<1>);

  Ours("Max_32f_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_32FC1, 8);
    return [image, s] {
      float maximum;
      fnVCAIPP_Max_32f_C1R(image.ptr<float>(), int(image.step), Roi(s), &maximum);
      benchmark::DoNotOptimize(maximum);
    };
  }, Traffic<4>);
  Peer("OpenCV minMaxLoc", "Max_32f_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_32FC1, 8);
    return OpenCvBody([image] {
      double maximum;
      cv::minMaxLoc(image, nullptr, &maximum);
      benchmark::DoNotOptimize(maximum);
    });
  }, Traffic<4>);

  Ours("MaxIndx_32f_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_32FC1, 9);
    return [image, s] {
      float maximum;
      int column, row;
      fnVCAIPP_MaxIndx_32f_C1R(image.ptr<float>(), int(image.step), Roi(s), &maximum, &column, &row);
      benchmark::DoNotOptimize(row);
    };
  }, Traffic<4>);
  Peer("OpenCV minMaxLoc", "MaxIndx_32f_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_32FC1, 9);
    return OpenCvBody([image] {
      double maximum;
      cv::Point at;
      cv::minMaxLoc(image, nullptr, &maximum, nullptr, &at);
      benchmark::DoNotOptimize(at);
    });
  }, Traffic<4>);

  Ours("CountInRange_8u_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 10);
    return [image, s] {
      int count;
      fnVCAIPP_CountInRange_8u_C1R(image.data, int(image.step), Roi(s), &count, 40, 180);
      benchmark::DoNotOptimize(count);
    };
  }, Traffic<1>);
  Peer("OpenCV inRange+countNonZero", "CountInRange_8u_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 10);
    cv::Mat inside(image.size(), CV_8UC1);
    return OpenCvBody([image, inside]() mutable {
      cv::inRange(image, cv::Scalar(40), cv::Scalar(180), inside);
      benchmark::DoNotOptimize(cv::countNonZero(inside));
    });
  }, Traffic<1>);

  Ours("CountInRange_32f_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_32FC1, 11);
    return [image, s] {
      int count;
      fnVCAIPP_CountInRange_32f_C1R(image.ptr<float>(), int(image.step), Roi(s), &count, 40.0f, 180.0f);
      benchmark::DoNotOptimize(count);
    };
  }, Traffic<4>);
  Peer("OpenCV inRange+countNonZero", "CountInRange_32f_C1R", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_32FC1, 11);
    cv::Mat inside(image.size(), CV_8UC1);
    return OpenCvBody([image, inside]() mutable {
      cv::inRange(image, cv::Scalar(40), cv::Scalar(180), inside);
      benchmark::DoNotOptimize(cv::countNonZero(inside));
    });
  }, Traffic<4>);

  for (bool smooth : {false, true}) {
    const std::string operation = smooth ? "HistogramEven_8u_C1R smooth" : "HistogramEven_8u_C1R";
    const auto frame = [smooth](FrameSize s) { return smooth ? SmoothFrame(s, 12) : Frame(s, CV_8UC1, 12); };
    Ours(operation, s, [frame](FrameSize s) -> std::function<void()> {
      cv::Mat image = frame(s);
      auto bins = std::make_shared<std::vector<int>>(256);
      auto levels = std::make_shared<std::vector<int>>(257);
      return [image, s, bins, levels] {
        fnVCAIPP_HistogramEven_8u_C1R(image.data, int(image.step), Roi(s), bins->data(), levels->data(), 257, 0,
                                      256);
        benchmark::DoNotOptimize(bins->data());
      };
    }, Traffic<1>);
    Peer("OpenCV calcHist", operation, s, [frame](FrameSize s) {
      cv::Mat image = frame(s);
      cv::Mat histogram;
      return OpenCvBody([image, histogram]() mutable {
        const int channels[] = {0};
        const int sizes[] = {256};
        const float range[] = {0.0f, 256.0f};
        const float* ranges[] = {range};
        cv::calcHist(&image, 1, channels, cv::Mat(), histogram, 1, sizes, ranges);
        benchmark::DoNotOptimize(histogram.data);
      });
    }, Traffic<1>);
  }

  Ours("NormRel_L2_8u_C1R", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat first = Frame(s, CV_8UC1, 13), second = Frame(s, CV_8UC1, 14);
    return [first, second, s] {
      double value;
      fnVCAIPP_NormRel_L2_8u_C1R(first.data, int(first.step), second.data, int(second.step), Roi(s), &value);
      benchmark::DoNotOptimize(value);
    };
  }, Traffic<2>);
  Peer("OpenCV norm", "NormRel_L2_8u_C1R", s, [](FrameSize s) {
    cv::Mat first = Frame(s, CV_8UC1, 13), second = Frame(s, CV_8UC1, 14);
    return OpenCvBody([first, second] {
      benchmark::DoNotOptimize(cv::norm(first, second, cv::NORM_RELATIVE | cv::NORM_L2));
    });
  }, Traffic<2>);

  // The block mean of pixelation: one call per 16 x 16 block of the frame.
  Ours("Mean_8u_C1R 16x16 blocks", s, [](FrameSize s) -> std::function<void()> {
    cv::Mat image = Frame(s, CV_8UC1, 15);
    return [image, s] {
      double total = 0;
      for (int y = 0; y + 16 <= s.height; y += 16) {
        for (int x = 0; x + 16 <= s.width; x += 16) {
          double mean;
          fnVCAIPP_Mean_8u_C1R(image.ptr(y, x), int(image.step), IppiSize{16, 16}, &mean);
          total += mean;
        }
      }
      benchmark::DoNotOptimize(total);
    };
  }, Traffic<1>);
  Peer("OpenCV mean", "Mean_8u_C1R 16x16 blocks", s, [](FrameSize s) {
    cv::Mat image = Frame(s, CV_8UC1, 15);
    return OpenCvBody([image, s] {
      double total = 0;
      for (int y = 0; y + 16 <= s.height; y += 16) {
        for (int x = 0; x + 16 <= s.width; x += 16) total += cv::mean(image(cv::Rect(x, y, 16, 16)))[0];
      }
      benchmark::DoNotOptimize(total);
    });
  }, Traffic<1>);
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
