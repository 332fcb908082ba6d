// Counts in a range and even histograms.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "stats_test_support.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

constexpr int kGuard = 0x5EED;

// The histogram's levels and bins, each array followed by one guard entry.
struct Histogram {
  IppStatus status;
  std::vector<int> levels;
  std::vector<int> bins;
  bool operator==(const Histogram&) const = default;
};

Histogram HistogramOf(TestImage<uint8_t>& image, int levelCount, int lower, int upper) {
  const UnchangedSource<uint8_t> source(image);
  Histogram h{0, std::vector<int>(levelCount + 1, kGuard), std::vector<int>(std::max(levelCount, 1), kGuard)};
  h.status = fnVCAIPP_HistogramEven_8u_C1R(image.data(), image.step(), image.size(), h.bins.data(), h.levels.data(),
                                           levelCount, lower, upper);
  EXPECT_TRUE(source.Check());
  EXPECT_EQ(h.levels.back(), kGuard);
  EXPECT_EQ(h.bins.back(), kGuard);
  return h;
}

std::vector<int> LevelsOf(int levelCount, int lower, int upper) {
  TestImage<uint8_t> image(1, 1);
  image.at(0, 0) = 0;
  Histogram h = HistogramOf(image, levelCount, lower, upper);
  EXPECT_EQ(h.status, ippStsNoErr);
  h.levels.pop_back();
  return h.levels;
}

TEST(CountInRange, VariantsMatchGenericOnOddShapes) {
  ForEachOddShape([&](const Shape& shape) {
    const int width = shape.width, height = shape.height, padding = shape.padding;
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> bytes(width, height, padding, 1);
      bytes.FillRandom(width + 3, 0, 255);
      TestImage<float> floats(width, height, 4 * padding, 4);
      floats.FillRandom(width + 5, -2.0f, 2.0f);
      if (width > 2) floats.at(width / 2, 0) = std::numeric_limits<float>::quiet_NaN();
      const UnchangedSource<uint8_t> byteSource(bytes);
      const UnchangedSource<float> floatSource(floats);
      int a = -1, b = -1, c = -1;
      const IppStatus s1 = fnVCAIPP_CountInRange_8u_C1R(bytes.data(), bytes.step(), bytes.size(), &a, 40, 199);
      const IppStatus s2 = fnVCAIPP_CountInRange_8u_C1R(bytes.data(), bytes.step(), bytes.size(), &b, 0, 255);
      const IppStatus s3 =
          fnVCAIPP_CountInRange_32f_C1R(floats.data(), floats.step(), floats.size(), &c, -0.5f, 1.25f);
      EXPECT_EQ(b, width * height);
      EXPECT_TRUE(byteSource.Check());
      EXPECT_TRUE(floatSource.Check());
      return std::tuple(s1, s2, s3, a, b, c, HistogramOf(bytes, 257, 0, 256), HistogramOf(bytes, 7, -20, 300));
    });
  });
}

TEST(CountInRange, BoundsAreInclusive) {
  TestImage<uint8_t> bytes(50, 3);
  bytes.FillRandom(1, 5, 9);
  int expected = 0;
  for (uint8_t v : bytes.Region()) expected += v == 7;
  TestImage<float> floats(50, 3);
  floats.Fill(2.0f);
  floats.at(0, 0) = 1.0f, floats.at(1, 1) = 3.0f, floats.at(2, 2) = std::nanf("");
  floats.at(3, 2) = -0.0f;
  ForEachBuild([&](Build) {
    int count = -1;
    EXPECT_EQ(fnVCAIPP_CountInRange_8u_C1R(bytes.data(), bytes.step(), bytes.size(), &count, 7, 7), ippStsNoErr);
    EXPECT_EQ(count, expected);
    EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(floats.data(), floats.step(), floats.size(), &count, 1.0f, 3.0f),
              ippStsNoErr);
    EXPECT_EQ(count, 148);  // neither the NaN pixel nor -0
    EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(floats.data(), floats.step(), floats.size(), &count, 0.0f, 0.0f),
              ippStsNoErr);
    EXPECT_EQ(count, 1);  // -0 equals +0
  });
}

TEST(CountInRange, AgreesWithOpenCvInRange) {
  TestImage<uint8_t> image(1283, 97, 11, 1);
  image.FillRandom(4, 0, 255);
  cv::Mat inside;
  cv::inRange(AsMat(image), cv::Scalar(17), cv::Scalar(130), inside);
  ForEachBuild([&](Build) {
    int count = -1;
    ASSERT_EQ(fnVCAIPP_CountInRange_8u_C1R(image.data(), image.step(), image.size(), &count, 17, 130), ippStsNoErr);
    EXPECT_EQ(count, cv::countNonZero(inside));
  });
}

// The float count checks no more than a positive step: rows may start off 4-byte boundaries.
TEST(CountInRange, FloatRowsAtAnyByteOffset) {
  TestImage<float> image(133, 5);
  image.FillRandom(6, -2.0f, 2.0f);
  int expected = 0;
  for (float v : image.Region()) expected += (-0.5f <= v && v <= 1.25f) ? 1 : 0;
  for (int padding : {0, 1, 3}) {
    const TestImage<uint8_t> bytes = AtOddAddress(image, 1, padding);
    ForEachBuild([&](Build) {
      int count = -1;
      EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(FloatsOf(bytes), bytes.step(), image.size(), &count, -0.5f, 1.25f),
                ippStsNoErr);
      EXPECT_EQ(count, expected);
    });
  }
}

TEST(CountInRange, BadArgumentsInOrderWithNothingWritten) {
  const uint8_t byte = 1;
  const float pixel = 1;
  int count = -3;
  EXPECT_EQ(fnVCAIPP_CountInRange_8u_C1R(nullptr, 0, IppiSize{0, 0}, &count, 2, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_8u_C1R(&byte, 1, IppiSize{1, 1}, nullptr, 0, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_8u_C1R(&byte, 0, IppiSize{0, 0}, &count, 2, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_8u_C1R(&byte, 1, IppiSize{0, 1}, &count, 2, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_8u_C1R(&byte, 1, IppiSize{1, 1}, &count, 2, 1), ippStsRangeErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(nullptr, 4, IppiSize{1, 1}, &count, 0, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(&pixel, -4, IppiSize{1, 0}, &count, 0, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(&pixel, 4, IppiSize{1, 0}, &count, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CountInRange_32f_C1R(&pixel, 4, IppiSize{1, 1}, &count, 1.0f, 0.5f), ippStsRangeErr);
  EXPECT_EQ(count, -3);
}

TEST(HistogramEven, LevelsSpreadTheRemainderOverTheFirstSteps) {
  EXPECT_EQ(LevelsOf(4, 0, 10), (std::vector<int>{0, 4, 7, 10}));
  EXPECT_EQ(LevelsOf(2, -3, 3), (std::vector<int>{-3, 3}));
  EXPECT_EQ(LevelsOf(5, 0, 256), (std::vector<int>{0, 64, 128, 192, 256}));
  // lower > upper: negative steps, the first ones one more negative.
  EXPECT_EQ(LevelsOf(4, 10, 0), (std::vector<int>{10, 6, 3, 0}));
  // A negative span smaller than the number of steps: every level is the lower one.
  EXPECT_EQ(LevelsOf(5, 3, 1), (std::vector<int>{3, 3, 3, 3, 3}));
  // A positive span smaller than the number of steps: steps of one, then zero.
  EXPECT_EQ(LevelsOf(5, 1, 3), (std::vector<int>{1, 2, 3, 3, 3}));
  // The span does not wrap at the ends of the 32-bit range.
  const std::vector<int> wide = LevelsOf(3, INT_MIN, INT_MAX);
  EXPECT_EQ(wide, (std::vector<int>{INT_MIN, 0, INT_MAX}));
}

TEST(HistogramEven, BinsAreHalfOpenAndClampedToTheByteRange) {
  TestImage<uint8_t> image(256, 3, 5, 2);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 256; ++x) image.at(x, y) = static_cast<uint8_t>(y == 2 ? 255 : x);
  ForEachBuild([&](Build) {
    Histogram all = HistogramOf(image, 257, 0, 256);
    ASSERT_EQ(all.status, ippStsNoErr);
    for (int k = 0; k < 255; ++k) ASSERT_EQ(all.bins[k], 2) << k;
    EXPECT_EQ(all.bins[255], 2 + 256);

    Histogram to255 = HistogramOf(image, 256, 0, 255);  // pixels of 255 are not counted
    for (int k = 0; k < 255; ++k) ASSERT_EQ(to255.bins[k], 2) << k;

    Histogram outside = HistogramOf(image, 4, -100, 500);  // levels -100, 100, 300, 500
    EXPECT_EQ(outside.bins[0], 2 * 100);
    EXPECT_EQ(outside.bins[1], 2 * 156 + 256);
    EXPECT_EQ(outside.bins[2], 0);

    Histogram reversed = HistogramOf(image, 3, 200, 10);  // decreasing levels give empty bins
    EXPECT_EQ(reversed.levels, (std::vector<int>{200, 105, 10, kGuard}));
    EXPECT_EQ(reversed.bins, (std::vector<int>{0, 0, kGuard}));
  });
}

TEST(HistogramEven, AgreesWithOpenCvCalcHist) {
  TestImage<uint8_t> image(1001, 77, 3, 1);
  image.FillRandom(6, 0, 255);
  cv::Mat source = AsMat(image);
  for (int bins : {256, 16, 5}) {
    cv::Mat cvHist;
    const int channels[] = {0};
    const int sizes[] = {bins};
    const float range[] = {0.0f, 256.0f};
    const float* ranges[] = {range};
    cv::calcHist(&source, 1, channels, cv::Mat(), cvHist, 1, sizes, ranges);
    ForEachBuild([&](Build) {
      // 256 / 5 is not whole: OpenCV's bins and the even levels differ there, so only whole
      // divisions are compared bin by bin.
      Histogram h = HistogramOf(image, bins + 1, 0, 256);
      ASSERT_EQ(h.status, ippStsNoErr);
      if (256 % bins != 0) return;
      for (int k = 0; k < bins; ++k) EXPECT_EQ(h.bins[k], cvHist.at<float>(k)) << k;
    });
  }
}

TEST(HistogramEven, BadArgumentsInOrderWithNothingWritten) {
  TestImage<uint8_t> image(4, 4);
  image.Fill(1);
  std::vector<int> bins(4, kGuard), levels(4, kGuard);
  const uint8_t* p = image.data();
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(nullptr, 0, IppiSize{0, 0}, bins.data(), levels.data(), 1, 0, 1),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(p, 4, IppiSize{4, 4}, nullptr, levels.data(), 4, 0, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(p, 4, IppiSize{4, 4}, bins.data(), nullptr, 4, 0, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(p, 0, IppiSize{4, 0}, bins.data(), levels.data(), 1, 0, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(p, 0, IppiSize{4, 4}, bins.data(), levels.data(), 1, 0, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(p, 4, IppiSize{4, 4}, bins.data(), levels.data(), 1, 0, 256),
            ippStsHistoNofLevelsErr);
  EXPECT_EQ(fnVCAIPP_HistogramEven_8u_C1R(p, 4, IppiSize{4, 4}, bins.data(), levels.data(), -3, 0, 256),
            ippStsHistoNofLevelsErr);
  EXPECT_EQ(bins, std::vector<int>(4, kGuard));
  EXPECT_EQ(levels, std::vector<int>(4, kGuard));
}

}  // namespace
}  // namespace ryn::test
