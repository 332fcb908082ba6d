// Images and results of the export jobs (support/export_jobs.h). Free of the test framework, so
// that the soak program runs the same jobs.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "RynRAZUdidazoror.h"

namespace ryn::test {

// What a job produced: its statuses and every byte it wrote, compared bit for bit, and how many
// of its statuses were errors (a job that fails its own calls tests nothing).
struct JobResult {
  std::vector<uint8_t> bytes;
  int errors = 0;

  bool operator==(const JobResult&) const = default;
};

// A pseudo-random 32-bit value of a position and a seed: the same pixels on every run and thread.
inline uint32_t JobNoise(uint32_t index, uint32_t seed) {
  uint32_t x = index * 0x9E3779B9u + seed * 0x85EBCA6Bu + 0x165667B1u;
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

// A width x height image of T (width counts elements, so interleaved channels count each) whose
// rows are padded by three elements and whose first pixel lies 8 bytes past a 64-byte boundary.
template <class T>
class Plane {
 public:
  static constexpr int kPaddingElements = 3;

  Plane(int width, int height) : width_(width), height_(height), step_((width + kPaddingElements) * sizeof(T)) {
    storage_.assign(static_cast<size_t>(step_) * static_cast<size_t>(height) + 128, 0xCD);
    const uintptr_t base = reinterpret_cast<uintptr_t>(storage_.data());
    offset_ = static_cast<size_t>(((base + 63) & ~uintptr_t{63}) - base) + 8;
  }

  // Pixels drawn from [low, high] (integers) or [low, high) (floats) by `seed`.
  Plane(int width, int height, uint32_t seed, double low, double high) : Plane(width, height) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const double unit = JobNoise(static_cast<uint32_t>(y * width + x), seed) / 4294967296.0;
        const double value = low + unit * (high - low + (std::is_floating_point_v<T> ? 0.0 : 1.0));
        Set(x, y, static_cast<T>(value));
      }
  }

  T* data() { return At(0, 0); }
  const T* data() const { return At(0, 0); }
  T* At(int x, int y) { return reinterpret_cast<T*>(Row(y)) + x; }
  const T* At(int x, int y) const { return reinterpret_cast<const T*>(Row(y)) + x; }
  int step() const { return step_; }
  IppiSize size() const { return IppiSize{width_, height_}; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Set(int x, int y, T value) { std::memcpy(Row(y) + static_cast<size_t>(x) * sizeof(T), &value, sizeof(T)); }

  // Appends the region's bytes row by row.
  void AppendTo(std::vector<uint8_t>& bytes) const {
    for (int y = 0; y < height_; ++y) bytes.insert(bytes.end(), Row(y), Row(y) + static_cast<size_t>(width_) * sizeof(T));
  }

 private:
  uint8_t* Row(int y) { return storage_.data() + offset_ + static_cast<size_t>(y) * static_cast<size_t>(step_); }
  const uint8_t* Row(int y) const {
    return storage_.data() + offset_ + static_cast<size_t>(y) * static_cast<size_t>(step_);
  }

  int width_;
  int height_;
  int step_;
  size_t offset_ = 0;
  std::vector<uint8_t> storage_;
};

// Appending to a result: statuses (counted as errors when negative), plain values, planes.
inline void RecordStatus(JobResult& result, IppStatus status) {
  if (status < 0) ++result.errors;
  const auto* p = reinterpret_cast<const uint8_t*>(&status);
  result.bytes.insert(result.bytes.end(), p, p + sizeof status);
}

template <class T>
  requires std::is_trivially_copyable_v<T>
void Record(JobResult& result, const T& value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);
  result.bytes.insert(result.bytes.end(), p, p + sizeof value);
}

template <class T>
void Record(JobResult& result, const Plane<T>& plane) {
  plane.AppendTo(result.bytes);
}

template <class T>
void Record(JobResult& result, const std::vector<T>& values) {
  const auto* p = reinterpret_cast<const uint8_t*>(values.data());
  result.bytes.insert(result.bytes.end(), p, p + values.size() * sizeof(T));
}

}  // namespace ryn::test
