// The privacy mean filters against OpenCV blur: a whole two-plane 4:2:0 frame (luma plane plus
// interleaved chroma plane), and the chroma plane alone, on the vector path and on the portable
// path (rows ending in "_portable"); the frame also with planes at unaligned addresses.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"
#include "offset_plane.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFrame{1920, 1080};
constexpr int kAutomatic = 0;
constexpr int kPortablePath = 1;
constexpr int kVectorPath = 2;

// The name of an operation's row on `mode`'s path.
std::string OnPath(const std::string& operation, int mode) {
  return mode == kPortablePath ? operation + "_portable" : operation;
}

using InterleavedFilter = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int);

cv::Mat RandomPlane(int rows, int columns, int type) {
  cv::Mat plane(rows, columns, type);
  cv::randu(plane, cv::Scalar::all(0), cv::Scalar::all(256));
  return plane;
}

// Luma and chroma bytes of a frame.
int64_t FrameBytes(FrameSize s) { return int64_t{s.width} * s.height * 3 / 2; }
int64_t ChromaBytes(FrameSize s) { return int64_t{s.width} * (s.height / 2); }

void RegisterTwoPlane() {
  for (const int mode : {kVectorPath, kPortablePath}) {
    Ours(OnPath("MeanFilter_9x9_8u_P2P3IR", mode), kFrame, [mode](FrameSize s) -> std::function<void()> {
      cv::Mat luma = RandomPlane(s.height, s.width, CV_8UC1);
      cv::Mat chroma = RandomPlane(s.height / 2, s.width, CV_8UC1);
      return [luma, chroma, s, mode]() mutable {
        fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma.data, int(luma.step), chroma.data, int(chroma.step),
                                          IppiSize{s.width, s.height}, mode);
      };
    }, FrameBytes);
  }
  for (const int offset : kDestinationOffsets) {
    Ours("MeanFilter_9x9_8u_P2P3IR_offset" + std::to_string(offset), kFrame,
         [offset](FrameSize s) -> std::function<void()> {
           auto luma = std::make_shared<OffsetPlane>(s.width, s.height, offset);
           auto chroma = std::make_shared<OffsetPlane>(s.width, s.height / 2, offset);
           return [luma, chroma, s] {
             fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma->data(), luma->step(), chroma->data(), chroma->step(),
                                               IppiSize{s.width, s.height}, kAutomatic);
           };
         },
         FrameBytes);
  }
  Peer("OpenCV blur", "MeanFilter_9x9_8u_P2P3IR", kFrame, [](FrameSize s) -> std::function<void()> {
    cv::setNumThreads(1);
    cv::Mat luma = RandomPlane(s.height, s.width, CV_8UC1);
    cv::Mat chroma = RandomPlane(s.height / 2, s.width / 2, CV_8UC2);
    cv::Mat lumaOut, chromaOut;
    return [luma, chroma, lumaOut, chromaOut]() mutable {
      cv::blur(luma, lumaOut, cv::Size(9, 9));
      cv::blur(chroma, chromaOut, cv::Size(9, 9));
    };
  }, FrameBytes);
}

void RegisterInterleaved(const std::string& name, InterleavedFilter filter, int window) {
  for (const int mode : {kVectorPath, kPortablePath}) {
    Ours(OnPath(name, mode), kFrame, [filter, mode](FrameSize s) -> std::function<void()> {
      cv::Mat chroma = RandomPlane(s.height / 2, s.width, CV_8UC1);
      cv::Mat filtered(s.height / 2, s.width, CV_8UC1);
      return [chroma, filtered, filter, mode]() mutable {
        filter(chroma.data, int(chroma.step), filtered.data, int(filtered.step),
               IppiSize{chroma.cols, chroma.rows}, mode);
      };
    }, ChromaBytes);
  }
  Peer("OpenCV blur", name, kFrame, [window](FrameSize s) -> std::function<void()> {
    cv::setNumThreads(1);
    cv::Mat chroma = RandomPlane(s.height / 2, s.width / 2, CV_8UC2);
    cv::Mat filtered;
    return [chroma, filtered, window]() mutable { cv::blur(chroma, filtered, cv::Size(window, window)); };
  }, ChromaBytes);
}

void RegisterAll() {
  RegisterTwoPlane();
  RegisterInterleaved("MeanFilter_3x3_Interleaved_8u_C1R", fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, 3);
  RegisterInterleaved("MeanFilter_9x9_Interleaved_8u_C1R", fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R, 9);
  RegisterInterleaved("MeanFilter_19x19_Interleaved_8u_C1R", fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, 19);
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
