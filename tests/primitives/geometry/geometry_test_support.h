// Helpers of the geometry tests: OpenCV views of test images, working buffers that end at an
// inaccessible page, and the interpolation values.
#pragma once

#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/guarded_page.h"
#include "support/test_image.h"

namespace ryn::test {

inline constexpr int kAllResizeModes[] = {1, 2, 4, 5, 6, 7, 8, 16};
inline constexpr int kBlend = static_cast<int>(0x80000000u);
inline constexpr int kFade = 0x40000000;
inline constexpr int kAntialias = 0x20000000;

template <class T>
cv::Mat MatOf(TestImage<T>& image, int type) {
  return cv::Mat(image.height(), image.width(), type, image.data(), static_cast<size_t>(image.step()));
}

// A random 8-bit image with padded, misaligned rows.
inline TestImage<uint8_t> RandomImage(int width, int height, uint32_t seed, int padding = 5, int misalign = 3) {
  TestImage<uint8_t> image(width, height, padding, misalign);
  image.FillRandom(seed, 0, 255);
  return image;
}

// Smooth content (a ramp plus ripples), where interpolation errors stay small.
inline void FillSmooth(TestImage<uint8_t>& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.at(x, y) = static_cast<uint8_t>((x * 3 + y * 5 + (x * y) % 7) & 0xFF);
}

}  // namespace ryn::test
