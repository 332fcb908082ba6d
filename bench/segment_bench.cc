// Labelling, flood fill and the distance transform against OpenCV connectedComponents, floodFill
// and distanceTransform (precise), on a 1920 x 1080 binary image of a few thousand blobs.
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

// 4000 filled discs of radius 2 to 13 (255) on 0; a few thousand regions once overlaps merge.
cv::Mat Blobs(FrameSize s) {
  cv::Mat image(s.height, s.width, CV_8UC1, cv::Scalar(0));
  std::mt19937 rng(1);
  for (int i = 0; i < 4000; ++i) {
    cv::circle(image, cv::Point(int(rng() % s.width), int(rng() % s.height)), 2 + int(rng() % 12), cv::Scalar(255),
               cv::FILLED);
  }
  return image;
}

// Labelling leaves every region non-zero, so relabelling its own output repeats the same work.
BodyFactory OursLabels(int norm, bool ownBuffer) {
  return [norm, ownBuffer](FrameSize s) -> std::function<void()> {
    auto image = std::make_shared<cv::Mat>(Blobs(s));
    int size = 0;
    fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(Roi(s), &size);
    auto buffer = std::make_shared<std::vector<uint8_t>>(size_t(size));
    return [image, buffer, norm, ownBuffer, s] {
      int count = 0;
      if (ownBuffer) {
        fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(image->data, int(image->step), Roi(s), 1, 254, norm, &count,
                                             buffer->data());
      } else {
        fnVCAIPP_LabelMarkers_8u_C1IR(image->data, int(image->step), Roi(s), 1, 254, norm, &count);
      }
      benchmark::DoNotOptimize(count);
    };
  };
}

BodyFactory OpenCvLabels(int connectivity) {
  return [connectivity](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    cv::Mat image = Blobs(s);
    auto labels = std::make_shared<cv::Mat>(s.height, s.width, CV_32SC1);
    return [image, labels, connectivity] {
      benchmark::DoNotOptimize(cv::connectedComponents(image, *labels, connectivity, CV_32S));
    };
  };
}

// The background of the blob image: one large region with thousands of holes. Successive fills
// alternate between two values, so each repeats the same work.
BodyFactory OursFloodFill() {
  return [](FrameSize s) -> std::function<void()> {
    auto image = std::make_shared<cv::Mat>(Blobs(s));
    auto value = std::make_shared<uint8_t>(1);
    return [image, value, s] {
      RynConnectedComponent component;
      *value ^= 3;
      fnVCAIPP_FloodFill_8u_C1IR(image->data, int(image->step), Roi(s), 0, 0, *value, &component);
      benchmark::DoNotOptimize(component);
    };
  };
}

BodyFactory OpenCvFloodFill() {
  return [](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    auto image = std::make_shared<cv::Mat>(Blobs(s));
    auto value = std::make_shared<uint8_t>(1);
    return [image, value] {
      *value ^= 3;
      cv::Rect rect;
      benchmark::DoNotOptimize(cv::floodFill(*image, cv::Point(0, 0), cv::Scalar(*value), &rect, cv::Scalar(0),
                                             cv::Scalar(0), 4));
    };
  };
}

// `inverted`: distances to the blobs instead of distances inside them.
cv::Mat DistanceSource(FrameSize s, bool inverted) {
  cv::Mat blobs = Blobs(s);
  return inverted ? cv::Mat(255 - blobs) : blobs;
}

BodyFactory OursDistance(bool inverted, size_t offset) {
  return [inverted, offset](FrameSize s) -> std::function<void()> {
    cv::Mat source = DistanceSource(s, inverted);
    const int step = s.width * 4;
    auto storage = std::make_shared<std::vector<uint8_t>>(size_t(step) * s.height + 64 + offset);
    const uintptr_t base = reinterpret_cast<uintptr_t>(storage->data());
    auto* destination = reinterpret_cast<float*>(((base + 63) & ~uintptr_t{63}) + offset);
    int size = 0;
    fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(Roi(s), &size);
    auto buffer = std::make_shared<std::vector<uint8_t>>(size_t(size));
    return [source, storage, destination, step, buffer, s] {
      fnVCAIPP_TrueDistanceTransform_8u32f_C1R(source.data, int(source.step), destination, step, Roi(s),
                                               buffer->data());
    };
  };
}

BodyFactory OpenCvDistance(bool inverted) {
  return [inverted](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    cv::Mat source = DistanceSource(s, inverted);
    auto distances = std::make_shared<cv::Mat>(s.height, s.width, CV_32FC1);
    return [source, distances] { cv::distanceTransform(source, *distances, cv::DIST_L2, cv::DIST_MASK_PRECISE); };
  };
}

void RegisterAll() {
  Ours("LabelMarkers_8u_C1IR norm 0", kFullHd, OursLabels(0, false));
  Peer("OpenCV connectedComponents 8", "LabelMarkers_8u_C1IR norm 0", kFullHd, OpenCvLabels(8));
  Ours("LabelMarkers_8u_C1IR norm 1", kFullHd, OursLabels(1, false));
  Peer("OpenCV connectedComponents 4", "LabelMarkers_8u_C1IR norm 1", kFullHd, OpenCvLabels(4));
  Ours("LabelMarkers_8u_C1IR_ExtBuf norm 0", kFullHd, OursLabels(0, true));
  Peer("OpenCV connectedComponents 8", "LabelMarkers_8u_C1IR_ExtBuf norm 0", kFullHd, OpenCvLabels(8));

  Ours("FloodFill_8u_C1IR", kFullHd, OursFloodFill());
  Peer("OpenCV floodFill", "FloodFill_8u_C1IR", kFullHd, OpenCvFloodFill());

  Ours("TrueDistanceTransform_8u32f_C1R", kFullHd, OursDistance(false, 0));
  Peer("OpenCV distanceTransform precise", "TrueDistanceTransform_8u32f_C1R", kFullHd, OpenCvDistance(false));
  Ours("TrueDistanceTransform_8u32f_C1R dst+16", kFullHd, OursDistance(false, 16));
  Peer("OpenCV distanceTransform precise", "TrueDistanceTransform_8u32f_C1R dst+16", kFullHd, OpenCvDistance(false));
  Ours("TrueDistanceTransform_8u32f_C1R to blobs", kFullHd, OursDistance(true, 0));
  Peer("OpenCV distanceTransform precise", "TrueDistanceTransform_8u32f_C1R to blobs", kFullHd,
       OpenCvDistance(true));
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
