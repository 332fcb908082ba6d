// Helpers of the segmentation tests: images that stress the flood fill's bookkeeping, a working
// buffer of exactly the queried size between guard bytes, and OpenCV views of test images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "support/test_image.h"

namespace ryn::test {

template <class T>
cv::Mat AsMat(TestImage<T>& image) {
  return cv::Mat(image.height(), image.width(), sizeof(T) == 1 ? CV_8UC1 : CV_16UC1, image.data(),
                 static_cast<size_t>(image.step()));
}

// `size` bytes starting one byte past an 8-byte boundary, so that aligning the start costs the
// most it can, with guard bytes on both sides.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(int size) : size_(static_cast<size_t>(size)), storage_(size_ + 2 * kGuard + 8) {
    for (size_t i = 0; i < storage_.size(); ++i) storage_[i] = GuardByte(i);
    const uintptr_t base = reinterpret_cast<uintptr_t>(storage_.data()) + kGuard;
    offset_ = ((base + 7) & ~uintptr_t{7}) + 1 - reinterpret_cast<uintptr_t>(storage_.data());
  }
  uint8_t* data() { return storage_.data() + offset_; }
  ::testing::AssertionResult GuardsIntact() const {
    for (size_t i = 0; i < storage_.size(); ++i) {
      if (i >= offset_ && i < offset_ + size_) continue;
      if (storage_[i] != GuardByte(i)) {
        return ::testing::AssertionFailure()
               << "buffer byte " << static_cast<ptrdiff_t>(i) - static_cast<ptrdiff_t>(offset_) << " of "
               << size_ << " was written";
      }
    }
    return ::testing::AssertionSuccess();
  }

 private:
  static constexpr size_t kGuard = 64;
  size_t size_;
  std::vector<uint8_t> storage_;
  size_t offset_ = 0;
};

// A binary pattern: 1 foreground, 0 background, row by row.
struct Pattern {
  std::string name;
  std::function<std::vector<uint8_t>(int width, int height)> draw;
};

inline Pattern PixelPattern(std::string name, std::function<bool(int x, int y, int width, int height)> foreground) {
  return Pattern{std::move(name), [foreground](int width, int height) {
                   std::vector<uint8_t> mask(static_cast<size_t>(width) * height);
                   for (int y = 0; y < height; ++y)
                     for (int x = 0; x < width; ++x) mask[size_t(y) * width + x] = foreground(x, y, width, height);
                   return mask;
                 }};
}

// A corridor one pixel wide winding inwards, rings two pixels apart.
inline std::vector<uint8_t> Spiral(int width, int height) {
  std::vector<uint8_t> mask(static_cast<size_t>(width) * height);
  auto mark = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < width && y < height) mask[size_t(y) * width + x] = 1;
  };
  for (int l = 0, t = 0, r = width - 1, b = height - 1; l <= r && t <= b; l += 2, t += 2, r -= 2, b -= 2) {
    if (l > 0) mark(l - 1, t);  // joins the ring to the one outside
    for (int x = l; x <= r; ++x) mark(x, t);
    for (int y = t; y <= b; ++y) mark(r, y);
    if (b > t) for (int x = r; x >= l; --x) mark(x, b);
    if (l < r) for (int y = b; y >= t + 2; --y) mark(l, y);
  }
  return mask;
}

// Images that make a span fill keep much work pending: checkerboards (one region with eight
// neighbours, single pixels with four), combs and rows alternating between full and every other
// pixel (many spans found under one span), serpentines and spirals (one long path).
inline std::vector<Pattern> AdversarialPatterns() {
  return {
      PixelPattern("checkerboard", [](int x, int y, int, int) { return (x + y) % 2 == 0; }),
      PixelPattern("comb", [](int x, int y, int, int) { return y == 0 || x % 2 == 0; }),
      PixelPattern("full and sparse rows", [](int x, int y, int, int) { return y % 2 == 0 || x % 2 == 0; }),
      PixelPattern("serpentine",
                   [](int x, int y, int, int height) {
                     return x % 2 == 0 || (x % 4 == 1 ? y == height - 1 : y == 0);
                   }),
      Pattern{"spiral", Spiral},
      PixelPattern("diagonal stripes", [](int x, int y, int, int) { return (x + 2 * y) % 3 != 0; }),
  };
}

template <class T>
void Draw(TestImage<T>& image, const Pattern& pattern, T foreground) {
  const std::vector<uint8_t> mask = pattern.draw(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.at(x, y) = mask[size_t(y) * image.width() + x] ? foreground : T{0};
}

}  // namespace ryn::test
