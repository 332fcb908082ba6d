// Float filters: the general float kernel and the Gaussian border filter with its buffer.
#include "primitives/filters/filters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

using filters::FilterGaussBorder32f;
using filters::FilterKernel32f;
using filters::GaussBorderBufferSize;
using filters::GaussianTaps;

TEST(FloatKernelFilter, ConvolvesWithElementZeroOnTheBottomRightPixel) {
  // Along a row: destination(x) = 1 * source(x) + 10 * source(x - 1) + 100 * source(x - 2).
  const float kernel[3] = {1, 10, 100};
  TestImage<float> source(6, 1);
  for (int x = 0; x < 6; ++x) source.at(x, 0) = float(x + 1);
  TestImage<float> destination(4, 1);
  ASSERT_EQ(FilterKernel32f(&source.at(2, 0), source.step(), destination.data(), destination.step(), {4, 1}, kernel,
                            {3, 1}, {0, 0}),
            ippStsNoErr);
  EXPECT_EQ(destination.Region(), (std::vector<float>{123, 234, 345, 456}));
  // Down a column with anchor (0, 1): destination(y) = 1 * source(y + 1) + 2 * source(y).
  const float column[2] = {1, 2};
  TestImage<float> tall(1, 4);
  for (int y = 0; y < 4; ++y) tall.at(0, y) = float(y + 1);
  TestImage<float> out(1, 3);
  ASSERT_EQ(FilterKernel32f(tall.data(), tall.step(), out.data(), out.step(), {1, 3}, column, {1, 2}, {0, 1}),
            ippStsNoErr);
  EXPECT_EQ(out.Region(), (std::vector<float>{4, 7, 10}));
  EXPECT_TRUE(out.GuardsIntact());
}

TEST(FloatKernelFilter, VariantsMatchGenericBitForBit) {
  std::mt19937 rng(3);
  std::vector<float> kernel(15);
  for (float& k : kernel) k = std::uniform_real_distribution<float>(-1, 1)(rng);
  for (int width : kOddWidths) {
    TestImage<float> source(width + 4, 6);
    source.FillRandom(uint32_t(width), -10.0f, 10.0f);
    ExpectBuildsMatchGeneric([&](Build variant) {
      TestImage<float> destination(width, 4, 4, 4);
      destination.FillBytes(SentinelFor(variant));
      const IppStatus status = FilterKernel32f(&source.at(2, 1), source.step(), destination.data(), destination.step(),
                                               {width, 4}, kernel.data(), {5, 3}, {2, 1});
      EXPECT_TRUE(destination.GuardsIntact());
      return std::tuple(status, destination.RegionBytes());
    });
  }
}

TEST(FloatKernelFilter, ChecksArgumentsInOrder) {
  float source[64] = {}, destination[64] = {}, kernel[9] = {};
  EXPECT_EQ(FilterKernel32f(source, 0, destination, 0, {0, 0}, nullptr, {3, 3}, {1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(FilterKernel32f(source, 0, destination, 0, {0, 2}, kernel, {3, 3}, {1, 1}), ippStsSizeErr);
  EXPECT_EQ(FilterKernel32f(source, 0, destination, 0, {2, 2}, kernel, {3, 0}, {1, 1}), ippStsSizeErr);
  // The source row holds width + kw - 1 pixels, the destination row width.
  EXPECT_EQ(FilterKernel32f(source + 9, 15, destination, 8, {2, 2}, kernel, {3, 3}, {1, 1}), ippStsStepErr);
  EXPECT_EQ(FilterKernel32f(source + 9, 16, destination, 7, {2, 2}, kernel, {3, 3}, {1, 1}), ippStsStepErr);
  EXPECT_EQ(FilterKernel32f(source + 9, 16, destination, 8, {2, 2}, kernel, {3, 3}, {1, 1}), ippStsNoErr);
}

TEST(GaussianTaps, NormalisedSymmetricAndLikeOpenCv) {
  for (int k : {3, 5, 7, 11}) {
    for (float sigma : {1.0f, 2.0f, 5.0f}) {
      std::vector<float> taps(k);
      GaussianTaps(k, sigma, taps.data());
      const cv::Mat reference = cv::getGaussianKernel(k, sigma, CV_64F);
      for (int i = 0; i < k; ++i) {
        EXPECT_EQ(taps[i], taps[k - 1 - i]);
        EXPECT_NEAR(taps[i], reference.at<double>(i), 1e-6);
      }
    }
  }
  std::vector<float> impulse(5);
  GaussianTaps(5, 0.0f, impulse.data());
  EXPECT_EQ(impulse, (std::vector<float>{0, 0, 1, 0, 0}));
}

int BufferSize(int width, int k) {
  int bytes = -1;
  EXPECT_EQ(GaussBorderBufferSize({width, 1}, k, &bytes), ippStsNoErr);
  return bytes;
}

// Replicate border, rows then columns, in double.
std::vector<float> ReferenceGauss(const TestImage<float>& source, int k, float sigma, int borderType, float value) {
  std::vector<float> taps(k);
  GaussianTaps(k, sigma, taps.data());
  const int w = source.width(), h = source.height(), r = k / 2;
  const auto pixel = [&](int x, int y) -> double {
    if (borderType == 0 && (x < 0 || x >= w || y < 0 || y >= h)) return value;
    return source.at(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
  };
  std::vector<float> out;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double sum = 0;
      for (int j = 0; j < k; ++j)
        for (int i = 0; i < k; ++i) sum += double(taps[j]) * taps[i] * pixel(x + i - r, y + j - r);
      out.push_back(float(sum));
    }
  }
  return out;
}

void ExpectNear(const std::vector<float>& actual, const std::vector<float>& expected, double tolerance) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) ASSERT_NEAR(actual[i], expected[i], tolerance) << "pixel " << i;
}

TEST(GaussBorderFilter, MatchesReferenceAndVariantsAgree) {
  for (int k : {3, 5, 7, 9}) {
    for (int width : {1, 2, 5, 16, 17, 63, 130}) {
      for (int height : {1, 3, 12}) {
        SCOPED_TRACE(::testing::Message() << "k " << k << " size " << width << "x" << height);
        TestImage<float> source(width, height);
        source.FillRandom(uint32_t(width * height + k), 0.0f, 255.0f);
        const auto expected = ReferenceGauss(source, k, 2.0f, 1, 0.0f);
        std::vector<uint8_t> buffer(size_t(BufferSize(width, k)));
        ExpectBuildsMatchGeneric([&](Build variant) {
          TestImage<float> destination(width, height, 12, 8);
          destination.FillBytes(SentinelFor(variant));
          const IppStatus status = FilterGaussBorder32f(source.data(), source.step(), destination.data(),
                                                        destination.step(), {width, height}, k, 2.0f, 1, 0.0f,
                                                        buffer.data() + 1);
          ExpectNear(destination.Region(), expected, 2e-3);
          EXPECT_TRUE(destination.GuardsIntact());
          return std::tuple(status, destination.RegionBytes());
        });
      }
    }
  }
}

TEST(GaussBorderFilter, AgreesWithOpenCvOnReplicatedBorders) {
  TestImage<float> source(97, 45, 0);
  source.FillRandom(9, -1.0f, 1.0f);
  TestImage<float> destination(97, 45, 0);
  std::vector<uint8_t> buffer(size_t(BufferSize(97, 7)));
  ASSERT_EQ(FilterGaussBorder32f(source.data(), source.step(), destination.data(), destination.step(), {97, 45}, 7,
                                 3.0f, 1, 0.0f, buffer.data()),
            ippStsNoErr);
  cv::Mat image(45, 97, CV_32F, source.data(), source.step());
  cv::Mat blurred;
  cv::GaussianBlur(image, blurred, cv::Size(7, 7), 3.0, 3.0, cv::BORDER_REPLICATE);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 97; ++x) ASSERT_NEAR(destination.at(x, y), blurred.at<float>(y, x), 1e-5) << x << "," << y;
}

TEST(GaussBorderFilter, ConstantBorderTakesTheValue) {
  TestImage<float> source(20, 9);
  source.FillRandom(4, 0.0f, 1.0f);
  std::vector<uint8_t> buffer(size_t(BufferSize(20, 5)));
  TestImage<float> destination(20, 9);
  ASSERT_EQ(FilterGaussBorder32f(source.data(), source.step(), destination.data(), destination.step(), {20, 9}, 5,
                                 1.5f, 0, 7.5f, buffer.data()),
            ippStsNoErr);
  ExpectNear(destination.Region(), ReferenceGauss(source, 5, 1.5f, 0, 7.5f), 1e-5);
}

TEST(GaussBorderFilter, InPlaceAndFlagsGiveTheSameBits) {
  TestImage<float> source(64, 30);
  source.FillRandom(8, 0.0f, 100.0f);
  std::vector<uint8_t> buffer(size_t(BufferSize(64, 9)));
  TestImage<float> separate(64, 30);
  ASSERT_EQ(FilterGaussBorder32f(source.data(), source.step(), separate.data(), separate.step(), {64, 30}, 9, 3.0f,
                                 1, 0.0f, buffer.data()),
            ippStsNoErr);
  TestImage<float> flagged(64, 30);
  ASSERT_EQ(FilterGaussBorder32f(source.data(), source.step(), flagged.data(), flagged.step(), {64, 30}, 9, 3.0f,
                                 1 | 16 | 32, 0.0f, buffer.data()),
            ippStsNoErr);
  EXPECT_EQ(flagged.RegionBytes(), separate.RegionBytes());
  ASSERT_EQ(FilterGaussBorder32f(source.data(), source.step(), source.data(), source.step(), {64, 30}, 9, 3.0f, 1,
                                 0.0f, buffer.data()),
            ippStsNoErr);
  EXPECT_EQ(source.RegionBytes(), separate.RegionBytes());
}

TEST(GaussBorderFilter, BufferSizeFormula) {
  // 32k * floor((W + k + 3) / 4) + 16 * floor((k + 3) / 4) + 32k * floor((W + k + 7) / 8) + 144k + 320
  EXPECT_EQ(BufferSize(1, 3), 32 * 3 * 1 + 16 * 1 + 32 * 3 * 1 + 144 * 3 + 320);
  EXPECT_EQ(BufferSize(1920, 7), 32 * 7 * 482 + 16 * 2 + 32 * 7 * 241 + 144 * 7 + 320);
  int bytes = 5;
  EXPECT_EQ(GaussBorderBufferSize({10, 10}, 4, &bytes), ippStsBadArgErr);
  EXPECT_EQ(GaussBorderBufferSize({10, 10}, 1, &bytes), ippStsBadArgErr);
  EXPECT_EQ(GaussBorderBufferSize({0, 10}, 4, &bytes), ippStsSizeErr);
  EXPECT_EQ(GaussBorderBufferSize({10, 10}, 3, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(bytes, 5);
  // A size that does not fit the 32-bit result is refused rather than wrapped.
  EXPECT_EQ(GaussBorderBufferSize({1 << 30, 1}, 301, &bytes), ippStsSizeErr);
}

// The documented size, computed without any bound on the terms.
__int128 DocumentedBufferSize(__int128 w, __int128 k) {
  return 32 * k * ((w + k + 3) / 4) + 16 * ((k + 3) / 4) + 32 * k * ((w + k + 7) / 8) + 144 * k + 320;
}

// Every answer is the documented size or ippStsSizeErr: none wraps, near 2^31 or anywhere else.
TEST(GaussBorderFilter, BufferSizesNeverWrap) {
  for (int width : {1, 2, 1000, 1 << 20, 2147483647}) {
    for (int k : {3, 4095, (1 << 20) + 1, 1073741825, 2147483633, 2147483635, 2147483647}) {
      SCOPED_TRACE(::testing::Message() << "width " << width << " kernel " << k);
      int bytes = -7;
      const IppStatus status = GaussBorderBufferSize({width, 1}, k, &bytes);
      const __int128 documented = DocumentedBufferSize(width, k);
      if (documented <= 2147483647) {
        EXPECT_EQ(status, ippStsNoErr);
        EXPECT_EQ(bytes, static_cast<int>(documented));
      } else {
        EXPECT_EQ(status, ippStsSizeErr);
        EXPECT_EQ(bytes, -7);
      }
    }
  }
}

// The filter takes no buffer for a kernel whose buffer size the query refuses, and within a
// buffer of the queried size it writes nothing past the end.
TEST(GaussBorderFilter, StaysInsideItsBuffer) {
  float pixel = 1.0f, out = 0.0f;
  std::vector<uint8_t> small(4096, 0x3C);
  for (int k : {1073741825, 2147483633, 2147483635, 2147483647}) {
    EXPECT_EQ(FilterGaussBorder32f(&pixel, 4, &out, 4, {1, 1}, k, 1.0f, 1, 0.0f, small.data()), ippStsSizeErr) << k;
  }
  for (uint8_t byte : small) ASSERT_EQ(byte, 0x3C);
  for (int width : {1, 2, 7, 64}) {
    for (int k : {3, 5, 31, 301}) {
      SCOPED_TRACE(::testing::Message() << "width " << width << " kernel " << k);
      TestImage<float> source(width, 3), destination(width, 3);
      source.FillRandom(uint32_t(k), 0.0f, 1.0f);
      const int bytes = BufferSize(width, k);
      std::vector<uint8_t> buffer(size_t(bytes) + 64, 0x3C);
      ASSERT_EQ(FilterGaussBorder32f(source.data(), source.step(), destination.data(), destination.step(),
                                     {width, 3}, k, 3.0f, 1, 0.0f, buffer.data()),
                ippStsNoErr);
      for (size_t i = size_t(bytes); i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0x3C) << "byte " << i;
      EXPECT_TRUE(destination.GuardsIntact());
    }
  }
}

TEST(GaussBorderFilter, ChecksArgumentsInOrder) {
  float source[16] = {}, destination[16] = {};
  uint8_t buffer[4096];
  EXPECT_EQ(FilterGaussBorder32f(source, 0, destination, 0, {0, 0}, 2, 1, 9, 0, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(FilterGaussBorder32f(source, 0, destination, 0, {0, 1}, 2, 1, 9, 0, buffer), ippStsSizeErr);
  EXPECT_EQ(FilterGaussBorder32f(source, 3, destination, 16, {4, 1}, 2, 1, 9, 0, buffer), ippStsStepErr);
  EXPECT_EQ(FilterGaussBorder32f(source, 16, destination, 16, {4, 1}, 2, 1, 9, 0, buffer), ippStsBadArgErr);
  EXPECT_EQ(FilterGaussBorder32f(source, 16, destination, 16, {4, 1}, 3, 1, 5, 0, buffer), ippStsBadArgErr);
  EXPECT_EQ(FilterGaussBorder32f(source, 16, destination, 16, {4, 1}, 3, 1, 64 | 1, 0, buffer), ippStsBadArgErr);
  for (int unsupported : {2, 3, 4}) {
    EXPECT_EQ(FilterGaussBorder32f(source, 16, destination, 16, {4, 1}, 3, 1, unsupported, 0, buffer),
              ippStsBadArgErr);
  }
  EXPECT_EQ(FilterGaussBorder32f(source, 16, destination, 16, {4, 1}, 3, 1, 0 | 32, 0, buffer), ippStsNoErr);
}

}  // namespace
}  // namespace ryn::test
