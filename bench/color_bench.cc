// Colour conversions against OpenCV's cvtColor, split and merge, libyuv (what video pipelines use
// for these layouts; its coefficients differ, its speed is the bar) and a memcpy of the frame.
// Single thread. The memory-bound ones also write to destinations 1 and 16 bytes past a 64-byte
// boundary (AtOffset).
#include <libyuv/convert.h>
#include <libyuv/convert_argb.h>
#include <libyuv/planar_functions.h>

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

constexpr FrameSize kFrame{1920, 1080};

// `bytes` bytes `offset` past a 64-byte boundary, of a cheap pseudo-random sequence.
OffsetBuffer RandomBytesAt(size_t bytes, size_t offset) {
  OffsetBuffer buffer = BufferAt(bytes, offset);
  uint32_t state = static_cast<uint32_t>(bytes) | 1;
  for (size_t i = 0; i < bytes; ++i) {
    state = state * 1664525u + 1013904223u;
    buffer.data[i] = static_cast<uint8_t>(state >> 24);
  }
  return buffer;
}

// A 4:2:0 frame in three planes (Y, U, V back to back, as OpenCV's I420) or two (Y, then Cb Cr
// pairs), and an RGB frame; each in one buffer. The RGB buffer has room for four bytes per pixel,
// which two planes of 16-bit samples take.
struct Frames {
  Frames(FrameSize s, size_t offset)
      : size(s),
        planar(RandomBytesAt(size_t(s.width) * s.height * 3 / 2, offset)),
        rgb(RandomBytesAt(size_t(s.width) * s.height * 4, offset)) {}
  FrameSize size;
  OffsetBuffer planar;
  OffsetBuffer rgb;

  int width() const { return size.width; }
  int height() const { return size.height; }
  IppiSize roi() const { return IppiSize{size.width, size.height}; }
  uint8_t* y() { return planar.data; }
  uint8_t* u() { return y() + size_t(width()) * height(); }
  uint8_t* v() { return u() + size_t(width() / 2) * (height() / 2); }
  uint8_t* chroma() { return u(); }  // the two-plane layout's Cb Cr plane
  cv::Mat I420() { return cv::Mat(height() * 3 / 2, width(), CV_8UC1, y()); }
  cv::Mat Luma() { return cv::Mat(height(), width(), CV_8UC1, y()); }
  cv::Mat ChromaPairs() { return cv::Mat(height() / 2, width() / 2, CV_8UC2, chroma()); }
  cv::Mat U() { return cv::Mat(height() / 2, width() / 2, CV_8UC1, u()); }
  cv::Mat V() { return cv::Mat(height() / 2, width() / 2, CV_8UC1, v()); }
  cv::Mat Rgb() { return cv::Mat(height(), width(), CV_8UC3, rgb.data); }
};

// Source and destination frames; the destination at `offset`.
struct Pair {
  Pair(FrameSize s, size_t offset) : source(std::make_shared<Frames>(s, 0)), destination(std::make_shared<Frames>(s, offset)) {}
  std::shared_ptr<Frames> source;
  std::shared_ptr<Frames> destination;
};

int64_t Frame420Bytes(FrameSize s) { return int64_t{s.width} * s.height * 3 / 2; }
int64_t RgbAndFrame420Bytes(FrameSize s) { return int64_t{s.width} * s.height * 9 / 2; }
int64_t Yuv444AndRgbBytes(FrameSize s) { return int64_t{s.width} * s.height * 6; }

// `body(source, destination)` on frames whose destination lies at `offset`.
template <class Body>
BodyFactory On(size_t offset, Body body) {
  return [offset, body](FrameSize s) -> std::function<void()> {
    cv::setNumThreads(1);
    Pair pair(s, offset);
    return [pair, body] { body(*pair.source, *pair.destination); };
  };
}

void RegisterYuv420ToRgb(size_t offset, const std::string& name) {
  Ours(name, kFrame, On(offset, [](Frames& from, Frames& to) {
    const uint8_t* planes[3] = {from.y(), from.u(), from.v()};
    const int steps[3] = {from.width(), from.width() / 2, from.width() / 2};
    fnVCAIPP_YUV420ToRGB_8u_P3C3R(planes, steps, to.rgb.data, 3 * to.width(), to.roi());
  }), RgbAndFrame420Bytes);
  Peer("OpenCV cvtColor", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    cv::Mat rgb = to.Rgb();
    cv::cvtColor(from.I420(), rgb, cv::COLOR_YUV2RGB_I420);
  }), RgbAndFrame420Bytes);
  Peer("libyuv I420ToRGB24", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    libyuv::I420ToRGB24(from.y(), from.width(), from.u(), from.width() / 2, from.v(), from.width() / 2,
                        to.rgb.data, 3 * to.width(), to.width(), to.height());
  }), RgbAndFrame420Bytes);
}

void RegisterRgbToYuv420(size_t offset, const std::string& name) {
  Ours(name, kFrame, On(offset, [](Frames& from, Frames& to) {
    uint8_t* planes[3] = {to.y(), to.u(), to.v()};
    const int steps[3] = {to.width(), to.width() / 2, to.width() / 2};
    fnVCAIPP_RGBToYUV420_8u_C3P3R(from.rgb.data, 3 * from.width(), planes, steps, from.roi());
  }), RgbAndFrame420Bytes);
  Peer("OpenCV cvtColor", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    cv::Mat i420 = to.I420();
    cv::cvtColor(from.Rgb(), i420, cv::COLOR_RGB2YUV_I420);
  }), RgbAndFrame420Bytes);
  Peer("libyuv RGB24ToI420", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    libyuv::RGB24ToI420(from.rgb.data, 3 * from.width(), to.y(), to.width(), to.u(), to.width() / 2, to.v(),
                        to.width() / 2, from.width(), from.height());
  }), RgbAndFrame420Bytes);
}

void RegisterYuvToRgb() {
  // The C3 source is the frame's RGB buffer read as YUV pixels.
  Ours("YUVToRGB_8u_C3R", kFrame, On(0, [](Frames& from, Frames& to) {
    fnVCAIPP_YUVToRGB_8u_C3R(from.rgb.data, 3 * from.width(), to.rgb.data, 3 * to.width(), to.roi());
  }), Yuv444AndRgbBytes);
  Peer("OpenCV cvtColor", "YUVToRGB_8u_C3R", kFrame, On(0, [](Frames& from, Frames& to) {
    cv::Mat rgb = to.Rgb();
    cv::cvtColor(from.Rgb(), rgb, cv::COLOR_YUV2RGB);
  }), Yuv444AndRgbBytes);
}

// What the reshuffles cannot beat: one copy of the frame.
BodyFactory MemcpyOfTheFrame(size_t offset) {
  return On(offset, [](Frames& from, Frames& to) {
    std::memcpy(to.y(), from.y(), static_cast<size_t>(Frame420Bytes(from.size)));
  });
}

void RegisterTwoToThreePlanes(size_t offset, const std::string& name) {
  Ours(name, kFrame, On(offset, [](Frames& from, Frames& to) {
    fnVCAIPP_YCbCr420_8u_P2P3R(from.y(), from.width(), from.chroma(), from.width(), to.y(), to.u(), to.v(),
                               to.width(), to.width() / 2, to.width() / 2, from.roi());
  }), Frame420Bytes);
  Peer("memcpy", name, kFrame, MemcpyOfTheFrame(offset), Frame420Bytes);
  Peer("OpenCV copyTo+split", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    cv::Mat luma = to.Luma();
    from.Luma().copyTo(luma);
    cv::Mat planes[2] = {to.U(), to.V()};
    cv::split(from.ChromaPairs(), planes);
  }), Frame420Bytes);
  Peer("libyuv CopyPlane+SplitUVPlane", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    libyuv::CopyPlane(from.y(), from.width(), to.y(), to.width(), to.width(), to.height());
    libyuv::SplitUVPlane(from.chroma(), from.width(), to.u(), to.width() / 2, to.v(), to.width() / 2,
                         to.width() / 2, to.height() / 2);
  }), Frame420Bytes);
}

void RegisterThreeToTwoPlanes(size_t offset, const std::string& name) {
  Ours(name, kFrame, On(offset, [](Frames& from, Frames& to) {
    fnVCAIPP_YCbCr420_8u_P3P2R(from.y(), from.u(), from.v(), from.width(), from.width() / 2, from.width() / 2,
                               to.y(), to.width(), to.chroma(), to.width(), from.roi());
  }), Frame420Bytes);
  Peer("memcpy", name, kFrame, MemcpyOfTheFrame(offset), Frame420Bytes);
  Peer("OpenCV copyTo+merge", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    cv::Mat luma = to.Luma();
    from.Luma().copyTo(luma);
    const cv::Mat planes[2] = {from.U(), from.V()};
    cv::Mat pairs = to.ChromaPairs();
    cv::merge(planes, 2, pairs);
  }), Frame420Bytes);
  Peer("libyuv CopyPlane+MergeUVPlane", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    libyuv::CopyPlane(from.y(), from.width(), to.y(), to.width(), to.width(), to.height());
    libyuv::MergeUVPlane(from.u(), from.width() / 2, from.v(), from.width() / 2, to.chroma(), to.width(),
                         to.width() / 2, to.height() / 2);
  }), Frame420Bytes);
}

// Two planes of 16-bit samples, each 1920 x 1080, into one of 3840 x 1080; in the RGB buffers.
void RegisterPlaneToInterleave(size_t offset, const std::string& name) {
  const auto bytes = [](FrameSize s) { return int64_t{s.width} * s.height * 8; };
  Ours(name, kFrame, On(offset, [](Frames& from, Frames& to) {
    const auto* first = reinterpret_cast<const int16_t*>(from.rgb.data);
    const int16_t* planes[2] = {first, first + size_t(from.width()) * from.height()};
    fnVCAIPP_PlaneToInterleave_16s(planes, 2, from.roi(), from.width(), reinterpret_cast<int16_t*>(to.rgb.data),
                                   2 * to.width());
  }), bytes);
  Peer("memcpy", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    std::memcpy(to.rgb.data, from.rgb.data, size_t(from.width()) * from.height() * 4);
  }), bytes);
  Peer("OpenCV merge", name, kFrame, On(offset, [](Frames& from, Frames& to) {
    auto* first = reinterpret_cast<int16_t*>(from.rgb.data);
    const cv::Mat planes[2] = {cv::Mat(from.height(), from.width(), CV_16SC1, first),
                               cv::Mat(from.height(), from.width(), CV_16SC1, first + size_t(from.width()) * from.height())};
    cv::Mat pairs(to.height(), to.width(), CV_16SC2, to.rgb.data);
    cv::merge(planes, 2, pairs);
  }), bytes);
}

void RegisterAll() {
  RegisterYuv420ToRgb(0, "YUV420ToRGB_8u_P3C3R");
  RegisterYuvToRgb();
  RegisterRgbToYuv420(0, "RGBToYUV420_8u_C3P3R");
  RegisterTwoToThreePlanes(0, "YCbCr420_8u_P2P3R");
  RegisterThreeToTwoPlanes(0, "YCbCr420_8u_P3P2R");
  RegisterPlaneToInterleave(0, "PlaneToInterleave_16s");
  for (int offset : kOffsets) {
    if (offset == 0) continue;
    RegisterYuv420ToRgb(offset, AtOffset("YUV420ToRGB_8u_P3C3R", offset));
    RegisterRgbToYuv420(offset, AtOffset("RGBToYUV420_8u_C3P3R", offset));
    RegisterTwoToThreePlanes(offset, AtOffset("YCbCr420_8u_P2P3R", offset));
    RegisterThreeToTwoPlanes(offset, AtOffset("YCbCr420_8u_P3P2R", offset));
    RegisterPlaneToInterleave(offset, AtOffset("PlaneToInterleave_16s", offset));
  }
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
