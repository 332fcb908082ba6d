// Fills and copies against memset/memcpy and OpenCV setTo/copyTo.
#include <cstring>
#include <opencv2/core.hpp>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kSizes[] = {{64, 64}, {1920, 1080}, {3840, 2160}};

template <int Bytes>
int64_t Traffic(FrameSize s) {
  return int64_t{s.width} * s.height * Bytes;
}

IppiSize Roi(FrameSize s) { return IppiSize{s.width, s.height}; }

cv::Mat HalfMask(FrameSize s) {
  cv::Mat mask(s.height, s.width, CV_8UC1, cv::Scalar(0));
  mask(cv::Rect(s.width / 4, s.height / 4, s.width / 2, s.height / 2)).setTo(1);
  return mask;
}

// OpenCV setTo of a whole image of `type`, with or without a mask.
BodyFactory OpenCvSetTo(int type, bool masked) {
  return [type, masked](FrameSize s) -> std::function<void()> {
    cv::Mat image(s.height, s.width, type, cv::Scalar(0));
    cv::Mat mask = masked ? HalfMask(s) : cv::Mat();
    return [image, mask]() mutable { image.setTo(cv::Scalar(7), mask); };
  };
}

BodyFactory Memset(int bytesPerPixel) {
  return [bytesPerPixel](FrameSize s) -> std::function<void()> {
    auto buffer = std::make_shared<std::vector<uint8_t>>(size_t(s.width) * s.height * bytesPerPixel);
    return [buffer] { std::memset(buffer->data(), 7, buffer->size()); };
  };
}

BodyFactory MemsetAt(int bytesPerPixel, int offset) {
  return [bytesPerPixel, offset](FrameSize s) -> std::function<void()> {
    const size_t bytes = size_t(s.width) * s.height * bytesPerPixel;
    OffsetBuffer buffer = BufferAt(bytes, offset);
    return [buffer, bytes] { std::memset(buffer.data, 7, bytes); };
  };
}

// Fills and copies whose destination starts `offset` bytes past a 64-byte boundary, against memset
// and memcpy at the same address: the vector stores must not straddle cache lines wherever the
// first pixel lies.
void RegisterOffsets(FrameSize size, int offset) {
  Ours(AtOffset("Set_8u_C1R", offset), size, [offset](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(Traffic<1>(s), offset);
    return [image, s] { fnVCAIPP_Set_8u_C1R(image.data, Roi(s), s.width, 77); };
  }, Traffic<1>);
  Peer("memset", AtOffset("Set_8u_C1R", offset), size, MemsetAt(1, offset), Traffic<1>);

  Ours(AtOffset("Set_32f_C1R", offset), size, [offset](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(Traffic<4>(s), offset);
    return [image, s] {
      fnVCAIPP_Set_32f_C1R(reinterpret_cast<float*>(image.data), Roi(s), s.width * 4, 0.25f);
    };
  }, Traffic<4>);
  Peer("memset", AtOffset("Set_32f_C1R", offset), size, MemsetAt(4, offset), Traffic<4>);

  Ours(AtOffset("ippsCopy_32f", offset), size, [offset](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = BufferAt(Traffic<4>(s), 0), destination = BufferAt(Traffic<4>(s), offset);
    const int length = s.width * s.height;
    return [source, destination, length] {
      fnVCAIPP_ippsCopy_32f(reinterpret_cast<const float*>(source.data), reinterpret_cast<float*>(destination.data),
                            length);
    };
  }, Traffic<4>);
  Peer("memcpy", AtOffset("ippsCopy_32f", offset), size, [offset](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = BufferAt(Traffic<4>(s), 0), destination = BufferAt(Traffic<4>(s), offset);
    const size_t bytes = size_t(Traffic<4>(s));
    return [source, destination, bytes] { std::memcpy(destination.data, source.data, bytes); };
  }, Traffic<4>);
}

void RegisterAll() {
  for (FrameSize size : kSizes) {
    Ours("Set_8u_C1R", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat image(s.height, s.width, CV_8UC1);
      return [image, s]() mutable { fnVCAIPP_Set_8u_C1R(image.data, Roi(s), int(image.step), 77); };
    }, Traffic<1>);
    Peer("memset", "Set_8u_C1R", size, Memset(1), Traffic<1>);
    Peer("OpenCV setTo", "Set_8u_C1R", size, OpenCvSetTo(CV_8UC1, false), Traffic<1>);

    Ours("Set_16u_C1R", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat image(s.height, s.width, CV_16UC1);
      return [image, s]() mutable { fnVCAIPP_Set_16u_C1R(image.ptr<uint16_t>(), Roi(s), int(image.step), 1234); };
    }, Traffic<2>);
    Peer("memset", "Set_16u_C1R", size, Memset(2), Traffic<2>);
    Peer("OpenCV setTo", "Set_16u_C1R", size, OpenCvSetTo(CV_16UC1, false), Traffic<2>);

    Ours("Set_32s_C1R", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat image(s.height, s.width, CV_32SC1);
      return [image, s]() mutable { fnVCAIPP_Set_32s_C1R(-5, image.ptr<int32_t>(), int(image.step), Roi(s)); };
    }, Traffic<4>);
    Peer("memset", "Set_32s_C1R", size, Memset(4), Traffic<4>);
    Peer("OpenCV setTo", "Set_32s_C1R", size, OpenCvSetTo(CV_32SC1, false), Traffic<4>);

    Ours("Set_32f_C1R", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat image(s.height, s.width, CV_32FC1);
      return [image, s]() mutable { fnVCAIPP_Set_32f_C1R(image.ptr<float>(), Roi(s), int(image.step), 0.25f); };
    }, Traffic<4>);
    Peer("memset", "Set_32f_C1R", size, Memset(4), Traffic<4>);
    Peer("OpenCV setTo", "Set_32f_C1R", size, OpenCvSetTo(CV_32FC1, false), Traffic<4>);

    Ours("Set_8u_C1MR", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat image(s.height, s.width, CV_8UC1, cv::Scalar(0));
      cv::Mat mask = HalfMask(s);
      return [image, mask, s]() mutable {
        fnVCAIPP_Set_8u_C1MR(image.data, int(image.step), mask.data, int(mask.step), Roi(s), 9);
      };
    }, Traffic<1>);
    Peer("OpenCV setTo", "Set_8u_C1MR", size, OpenCvSetTo(CV_8UC1, true), Traffic<1>);

    Ours("Set_32f_C1MR", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat image(s.height, s.width, CV_32FC1, cv::Scalar(0));
      cv::Mat mask = HalfMask(s);
      return [image, mask, s]() mutable {
        fnVCAIPP_Set_32f_C1MR(image.ptr<float>(), Roi(s), int(image.step), 2.5f, mask.data, int(mask.step));
      };
    }, Traffic<4>);
    Peer("OpenCV setTo", "Set_32f_C1MR", size, OpenCvSetTo(CV_32FC1, true), Traffic<4>);

    Ours("ippsCopy_32f", size, [](FrameSize s) -> std::function<void()> {
      auto source = std::make_shared<std::vector<float>>(size_t(s.width) * s.height, 1.5f);
      auto destination = std::make_shared<std::vector<float>>(source->size());
      return [source, destination] {
        fnVCAIPP_ippsCopy_32f(source->data(), destination->data(), int(source->size()));
      };
    }, Traffic<4>);
    Peer("memcpy", "ippsCopy_32f", size, [](FrameSize s) -> std::function<void()> {
      auto source = std::make_shared<std::vector<float>>(size_t(s.width) * s.height, 1.5f);
      auto destination = std::make_shared<std::vector<float>>(source->size());
      return [source, destination] {
        std::memcpy(destination->data(), source->data(), source->size() * sizeof(float));
      };
    }, Traffic<4>);
    Peer("OpenCV copyTo", "ippsCopy_32f", size, [](FrameSize s) -> std::function<void()> {
      cv::Mat source(s.height, s.width, CV_32FC1, cv::Scalar(1.5));
      cv::Mat destination(s.height, s.width, CV_32FC1);
      return [source, destination]() mutable { source.copyTo(destination); };
    }, Traffic<4>);
  }

  for (FrameSize size : {FrameSize{1920, 1080}, FrameSize{3840, 2160}}) {
    for (int offset : kOffsets) RegisterOffsets(size, offset);
  }

  // What a small fill costs at the least: a bare memset per row of a padded 64 x 64 image.
  Peer("memset rows", "Set_8u_C1R", {64, 64}, [](FrameSize s) -> std::function<void()> {
    cv::Mat image(s.height, s.width + 32, CV_8UC1);
    return [image, s]() mutable {
      for (int y = 0; y < s.height; ++y) std::memset(image.ptr(y), 77, size_t(s.width));
    };
  }, Traffic<1>);
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
