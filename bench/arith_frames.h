// Frames for the copy, conversion and logic benchmarks: rows without padding, the first byte a
// chosen number of bytes past a 64-byte boundary, and the registration of one operation against
// memcpy and an OpenCV peer.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {

constexpr FrameSize kFullHd = {1920, 1080};

struct Frame {
  FrameSize size;
  int pixelBytes;
  std::shared_ptr<std::vector<uint8_t>> storage;
  uint8_t* data;

  int step() const { return size.width * pixelBytes; }
  IppiSize region() const { return IppiSize{size.width, size.height}; }
  size_t bytes() const { return size_t(step()) * size_t(size.height); }
  template <class T>
  T* as() const {
    return reinterpret_cast<T*>(data);
  }
  cv::Mat mat(int type) const { return cv::Mat(size.height, size.width, type, data, size_t(step())); }
};

// Random bytes; float frames get values in [low, high) instead.
inline Frame MakeFrame(FrameSize size, int pixelBytes, size_t offset = 0, uint64_t seed = 1, bool floats = false,
                       double low = 0.0, double high = 255.0) {
  Frame frame{size, pixelBytes, nullptr, nullptr};
  frame.storage = std::make_shared<std::vector<uint8_t>>(frame.bytes() + 128);
  const auto base = reinterpret_cast<uintptr_t>(frame.storage->data());
  frame.data = frame.storage->data() + ((64 - base % 64) % 64) + offset;
  cv::RNG rng(seed);
  if (floats) {
    cv::Mat pixels = frame.mat(CV_32FC1);
    rng.fill(pixels, cv::RNG::UNIFORM, low, high);
  } else {
    cv::Mat bytes(1, int(frame.bytes()), CV_8UC1, frame.data);
    rng.fill(bytes, cv::RNG::UNIFORM, 0, 256);
  }
  return frame;
}

inline cv::Mat HalfMask(FrameSize s) {
  cv::Mat mask(s.height, s.width, CV_8UC1, cv::Scalar(0));
  mask(cv::Rect(s.width / 4, s.height / 4, s.width / 2, s.height / 2)).setTo(1);
  return mask;
}

// The body of one benchmark for a destination `offset` bytes past a 64-byte boundary.
using OffsetBody = std::function<std::function<void()>(FrameSize, size_t offset)>;

// Registers ours, a memcpy that moves the same traffic ((read + written) / 2 bytes copied) and the
// OpenCV peer; memory-bound operations also with the destination 16 bytes past a 64-byte
// boundary (named "<operation>@dst+16"). Pixel traffic is read and written bytes per pixel.
inline void RegisterAgainstOpenCv(const std::string& operation, int readPerPixel, int writtenPerPixel,
                                  OffsetBody ours, const std::string& peer, OffsetBody openCv,
                                  bool memoryBound = true) {
  const auto traffic = [=](FrameSize s) { return int64_t{readPerPixel + writtenPerPixel} * s.width * s.height; };
  for (size_t offset : {size_t{0}, size_t{16}}) {
    if (offset != 0 && !memoryBound) continue;
    const std::string name = offset == 0 ? operation : operation + "@dst+16";
    Ours(name, kFullHd, [=](FrameSize s) { return ours(s, offset); }, traffic);
    Peer("memcpy", name, kFullHd, [=](FrameSize s) -> std::function<void()> {
      const size_t bytes = size_t(traffic(s) / 2);
      auto source = MakeFrame(FrameSize{int(bytes), 1}, 1, 0);
      auto destination = MakeFrame(FrameSize{int(bytes), 1}, 1, offset);
      return [source, destination, bytes] { std::memcpy(destination.data, source.data, bytes); };
    }, traffic);
    Peer(peer, name, kFullHd, [=](FrameSize s) {
      cv::setNumThreads(1);  // single thread, as the library
      return openCv(s, offset);
    }, traffic);
  }
}

}  // namespace ryn::bench
