// Helpers of the statistics tests: OpenCV views of test images, exact comparison of results, and a
// check that a reduction left its source alone.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <opencv2/core.hpp>
#include <vector>

#include "support/test_image.h"

namespace ryn::test {

template <class T>
cv::Mat AsMat(TestImage<T>& image) {
  const int type = std::is_same_v<T, float> ? CV_32FC1 : CV_8UC1;
  return cv::Mat(image.height(), image.width(), type, image.data(), static_cast<size_t>(image.step()));
}

// The pixels of a float image in a byte image whose rows start `misalignBytes` past a 64-byte
// boundary, `paddingBytes` apart (the float image's padding by default): float rows at addresses
// no float lvalue may take, to be read through `FloatsOf`.
inline TestImage<uint8_t> AtOddAddress(const TestImage<float>& image, int misalignBytes, int paddingBytes = -1) {
  if (paddingBytes < 0) paddingBytes = image.step() - image.width() * 4;
  TestImage<uint8_t> bytes(image.width() * 4, image.height(), paddingBytes, misalignBytes);
  for (int y = 0; y < image.height(); ++y) std::memcpy(&bytes.at(0, y), &image.at(0, y), image.width() * 4u);
  return bytes;
}

inline const float* FloatsOf(const TestImage<uint8_t>& bytes) { return reinterpret_cast<const float*>(bytes.data()); }

// Doubles and floats compared by their bits, so that variants must agree exactly (NaN included).
inline uint64_t Bits(double value) { return std::bit_cast<uint64_t>(value); }
inline uint32_t Bits(float value) { return std::bit_cast<uint32_t>(value); }

}  // namespace ryn::test
