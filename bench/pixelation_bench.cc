// Block pixelation of whole frames against OpenCV done the natural way (area-averaging resize down
// by the block size, nearest-neighbour resize back up) and against one memcpy of the frame.
#include <cstring>
#include <memory>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"
#include "offset_plane.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFullHd{1920, 1080};

using TwoPlaneExport = IppStatus (*)(uint8_t*, int, uint8_t*, int, IppiSize, int);

// A two-plane 4:2:0 frame: luma rows, then height / 2 rows of interleaved chroma pairs.
struct TwoPlaneFrame {
  explicit TwoPlaneFrame(FrameSize s)
      : luma(s.height, s.width, CV_8UC1), chroma(s.height / 2, s.width / 2, CV_8UC2) {
    cv::randu(luma, 0, 256);
    cv::randu(chroma, 0, 256);
  }
  cv::Mat luma;
  cv::Mat chroma;
};

int64_t TwoPlaneBytes(FrameSize s) { return int64_t{s.width} * s.height * 3 / 2; }
int64_t PlaneBytes(FrameSize s) { return int64_t{s.width} * s.height; }

// OpenCV's resize splits its work across threads; the comparison is of single threads.
void UseOneOpenCvThread() { cv::setNumThreads(1); }

// The same pixelation with OpenCV: each plane shrunk by area averaging and blown up again.
void OpenCvPixelate(const cv::Mat& source, cv::Mat& destination, cv::Mat& small, int n) {
  cv::resize(source, small, cv::Size(), 1.0 / n, 1.0 / n, cv::INTER_AREA);
  cv::resize(small, destination, source.size(), 0, 0, cv::INTER_NEAREST);
}

void RegisterTwoPlane(int n, TwoPlaneExport pixelize) {
  const std::string operation = "Pixelized_" + std::to_string(n) + "x" + std::to_string(n) + "_8u_P2P3IR";
  Ours(operation, kFullHd, [pixelize](FrameSize s) -> std::function<void()> {
    auto frame = std::make_shared<TwoPlaneFrame>(s);
    return [frame, pixelize, s] {
      pixelize(frame->luma.data, static_cast<int>(frame->luma.step), frame->chroma.data,
               static_cast<int>(frame->chroma.step), IppiSize{s.width, s.height}, 0);
    };
  }, TwoPlaneBytes);
  Peer("OpenCV resize", operation, kFullHd, [n](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    auto frame = std::make_shared<TwoPlaneFrame>(s);
    auto small = std::make_shared<cv::Mat>();
    return [frame, small, n] {
      OpenCvPixelate(frame->luma, frame->luma, *small, n);
      OpenCvPixelate(frame->chroma, frame->chroma, *small, n);
    };
  }, TwoPlaneBytes);
  Peer("memcpy", operation, kFullHd, [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(TwoPlaneBytes(s)), 9);
    auto destination = std::make_shared<std::vector<uint8_t>>(source->size());
    return [source, destination] { std::memcpy(destination->data(), source->data(), source->size()); };
  }, TwoPlaneBytes);
}

// The 16x16 frame with both planes starting `offset` bytes past a 64-byte boundary (rows too).
void RegisterTwoPlaneAtOffsets() {
  for (const int offset : kDestinationOffsets) {
    const std::string operation = "Pixelized_16x16_8u_P2P3IR_offset" + std::to_string(offset);
    Ours(operation, kFullHd, [offset](FrameSize s) -> std::function<void()> {
      auto luma = std::make_shared<OffsetPlane>(s.width, s.height, offset);
      auto chroma = std::make_shared<OffsetPlane>(s.width, s.height / 2, offset);
      return [luma, chroma, s] {
        fnVCAIPP_Pixelized_16x16_8u_P2P3IR(luma->data(), luma->step(), chroma->data(), chroma->step(),
                                           IppiSize{s.width, s.height}, 0);
      };
    }, TwoPlaneBytes);
  }
}

void RegisterAll() {
  RegisterTwoPlaneAtOffsets();
  RegisterTwoPlane(4, fnVCAIPP_Pixelized_4x4_8u_P2P3IR);
  RegisterTwoPlane(8, fnVCAIPP_Pixelized_8x8_8u_P2P3IR);
  RegisterTwoPlane(16, fnVCAIPP_Pixelized_16x16_8u_P2P3IR);
  RegisterTwoPlane(32, fnVCAIPP_Pixelized_32x32_8u_P2P3IR);

  const std::string operation = "Pixelized_8u_C1R_block16x16";
  Ours(operation, kFullHd, [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC1);
    cv::randu(*source, 0, 256);
    auto destination = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC1);
    return [source, destination, s] {
      fnVCAIPP_Pixelized_8u_C1R(source->data, static_cast<int>(source->step), destination->data,
                                static_cast<int>(destination->step), IppiSize{s.width, s.height},
                                IppiSize{16, 16});
    };
  }, PlaneBytes);
  Peer("OpenCV resize", operation, kFullHd, [](FrameSize s) -> std::function<void()> {
    UseOneOpenCvThread();
    auto source = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC1);
    cv::randu(*source, 0, 256);
    auto destination = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC1);
    auto small = std::make_shared<cv::Mat>();
    return [source, destination, small] { OpenCvPixelate(*source, *destination, *small, 16); };
  }, PlaneBytes);
  Peer("memcpy", operation, kFullHd, [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(PlaneBytes(s)), 9);
    auto destination = std::make_shared<std::vector<uint8_t>>(source->size());
    return [source, destination] { std::memcpy(destination->data(), source->data(), source->size()); };
  }, PlaneBytes);
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
