// Test images: padded rows, guard bytes before the first row and after the last, a first pixel
// away from any alignment, and a check that nothing outside the region was written.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "frame/image_view.h"

namespace ryn::test {

// Byte pattern of everything outside the region; position dependent so that shifted writes show.
inline uint8_t GuardByte(size_t position) { return static_cast<uint8_t>(position * 131 + 7); }

template <class T>
class TestImage {
 public:
  static constexpr int kGuardBytes = 64;

  // `paddingBytes` after each row; the first pixel lies `misalignBytes` past a 64-byte boundary.
  TestImage(int width, int height, int paddingBytes = 3 * static_cast<int>(sizeof(T)),
            int misalignBytes = static_cast<int>(sizeof(T)))
      : width_(width), height_(height), step_(width * static_cast<int>(sizeof(T)) + paddingBytes) {
    const size_t regionBytes = static_cast<size_t>(step_) * static_cast<size_t>(height > 0 ? height : 0);
    storage_.resize(regionBytes + 2 * kGuardBytes + 64 + misalignBytes);
    const uintptr_t base = reinterpret_cast<uintptr_t>(storage_.data()) + kGuardBytes;
    offset_ = static_cast<size_t>(((base + 63) & ~uintptr_t{63}) - reinterpret_cast<uintptr_t>(storage_.data())) +
              static_cast<size_t>(misalignBytes);
    for (size_t i = 0; i < storage_.size(); ++i) storage_[i] = GuardByte(i);
  }

  T* data() { return reinterpret_cast<T*>(storage_.data() + offset_); }
  const T* data() const { return reinterpret_cast<const T*>(storage_.data() + offset_); }
  int step() const { return step_; }
  IppiSize size() const { return IppiSize{width_, height_}; }
  int width() const { return width_; }
  int height() const { return height_; }
  ImageView<T> view() { return ImageView<T>{data(), step_, size()}; }

  T& at(int x, int y) { return view().Row(y)[x]; }
  const T& at(int x, int y) const {
    return reinterpret_cast<const T*>(storage_.data() + offset_ + static_cast<size_t>(y) * step_)[x];
  }

  void Fill(T value) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) at(x, y) = value;
  }

  // Every byte of the region set to `sentinel`: a pixel that a call should write and does not
  // keeps it.
  void FillBytes(uint8_t sentinel) {
    for (int y = 0; y < height_; ++y) std::memset(RowStart(y), sentinel, static_cast<size_t>(width_) * sizeof(T));
  }

  // Random pixels in [low, high] (integers) or [low, high) (floats).
  void FillRandom(uint32_t seed, T low, T high) {
    std::mt19937 rng(seed);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        T value;
        if constexpr (std::is_floating_point_v<T>) {
          value = std::uniform_real_distribution<T>(low, high)(rng);
        } else {
          value = static_cast<T>(std::uniform_int_distribution<int64_t>(low, high)(rng));
        }
        std::memcpy(RowStart(y) + static_cast<size_t>(x) * sizeof(T), &value, sizeof(T));
      }
    }
  }

  // The region's pixels, row by row, as bytes (so that float results compare bit for bit).
  std::vector<uint8_t> RegionBytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(width_) * height_ * sizeof(T));
    for (int y = 0; y < height_; ++y) {
      const uint8_t* row = RowStart(y);
      bytes.insert(bytes.end(), row, row + static_cast<size_t>(width_) * sizeof(T));
    }
    return bytes;
  }

  std::vector<T> Region() const {
    std::vector<T> pixels;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) pixels.push_back(at(x, y));
    return pixels;
  }

  // Everything outside the region still holds the guard pattern.
  ::testing::AssertionResult GuardsIntact() const {
    const size_t rowBytes = static_cast<size_t>(width_) * sizeof(T);
    for (size_t i = 0; i < storage_.size(); ++i) {
      if (InRegion(i, rowBytes)) continue;
      if (storage_[i] != GuardByte(i)) {
        return ::testing::AssertionFailure()
               << "byte " << (static_cast<ptrdiff_t>(i) - static_cast<ptrdiff_t>(offset_))
               << " from the first pixel, outside the " << width_ << "x" << height_
               << " region (step " << step_ << "), was written";
      }
    }
    return ::testing::AssertionSuccess();
  }

 private:
  // Row starts as bytes: pixels may lie at addresses that are not multiples of their size.
  uint8_t* RowStart(int y) { return storage_.data() + offset_ + static_cast<size_t>(y) * static_cast<size_t>(step_); }
  const uint8_t* RowStart(int y) const {
    return storage_.data() + offset_ + static_cast<size_t>(y) * static_cast<size_t>(step_);
  }

  bool InRegion(size_t i, size_t rowBytes) const {
    if (i < offset_) return false;
    const size_t relative = i - offset_;
    const size_t row = relative / static_cast<size_t>(step_);
    return row < static_cast<size_t>(height_) && relative % static_cast<size_t>(step_) < rowBytes;
  }

  int width_;
  int height_;
  int step_;
  size_t offset_ = 0;
  std::vector<uint8_t> storage_;
};

// Widths that exercise every vector tail: below, at and just past each vector length.
inline const std::vector<int> kOddWidths = {1, 2, 3, 7, 15, 16, 17, 31, 33, 63, 64, 65, 127, 129, 1920};

// A region shape for the loops over sizes and row paddings.
struct Shape {
  int width;
  int height;
  int padding;  // bytes after each row
};

inline std::ostream& operator<<(std::ostream& out, const Shape& s) {
  return out << s.width << "x" << s.height << " padding " << s.padding;
}

// Every vector tail and the block widths that take loops of their own, with row paddings and
// heights that put rows at every offset against every vector size.
inline const std::vector<Shape>& OddShapes() {
  static const std::vector<Shape> shapes = [] {
    std::vector<int> widths = kOddWidths;
    widths.insert(widths.end(), {4, 8, 24, 32, 40});
    std::vector<Shape> all;
    for (int width : widths)
      for (int padding : {0, 1, 5})
        for (int height : {1, 3}) all.push_back(Shape{width, height, padding});
    return all;
  }();
  return shapes;
}

// Calls body(shape) for every shape of OddShapes(), traced.
template <class Body>
void ForEachOddShape(Body&& body) {
  for (const Shape& shape : OddShapes()) {
    SCOPED_TRACE(::testing::Message() << shape);
    body(shape);
  }
}

// Records a source image and later checks that neither its region nor its guards changed.
template <class T>
class UnchangedSource {
 public:
  explicit UnchangedSource(const TestImage<T>& image) : image_(image), before_(image.RegionBytes()) {}
  ::testing::AssertionResult Check() const {
    if (image_.RegionBytes() != before_) return ::testing::AssertionFailure() << "the source region was written";
    return image_.GuardsIntact();
  }

 private:
  const TestImage<T>& image_;
  std::vector<uint8_t> before_;
};

}  // namespace ryn::test
