// Helpers of the statistics tests: OpenCV views of test images, exact comparison of results, and a
// check that a reduction left its source alone.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

#include "support/test_image.h"

namespace ryn::test {

template <class T>
cv::Mat AsMat(TestImage<T>& image) {
  const int type = std::is_same_v<T, float> ? CV_32FC1 : CV_8UC1;
  return cv::Mat(image.height(), image.width(), type, image.data(), static_cast<size_t>(image.step()));
}

// Doubles and floats compared by their bits, so that variants must agree exactly (NaN included).
inline uint64_t Bits(double value) { return std::bit_cast<uint64_t>(value); }
inline uint32_t Bits(float value) { return std::bit_cast<uint32_t>(value); }

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

// Widths of every vector tail, and the block widths that take loops of their own; row paddings and
// heights that put rows at every offset against every vector size.
inline const std::vector<int> kWidths = [] {
  std::vector<int> widths = kOddWidths;
  widths.insert(widths.end(), {4, 8, 24, 32, 40});
  return widths;
}();
inline const std::vector<int> kPaddings = {0, 1, 5};
inline const std::vector<int> kHeights = {1, 3};

}  // namespace ryn::test
