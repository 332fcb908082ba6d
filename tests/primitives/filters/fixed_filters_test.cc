// The fixed 8-bit filters: Gaussian ties, the 1/571 scaling, high-pass saturation, variants,
// OpenCV agreement and argument checks.
#include "primitives/filters/fixed_filters.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "support/test_image.h"
#include "support/builds.h"
#include "support/float_environment.h"

namespace ryn::test {
namespace {

using filters::FilterGauss8u;
using filters::FilterHipass8u;

constexpr int kGauss5[5][5] = {
    {2, 7, 12, 7, 2}, {7, 31, 52, 31, 7}, {12, 52, 127, 52, 12}, {7, 31, 52, 31, 7}, {2, 7, 12, 7, 2}};

// Window sum of the weights w(j, i) around (x, y) of an image whose region starts at `origin`.
template <class Weight>
int WindowSum(const TestImage<uint8_t>& image, int origin, int size, int x, int y, Weight weight) {
  int sum = 0;
  for (int j = 0; j < size; ++j)
    for (int i = 0; i < size; ++i) sum += weight(j, i) * image.at(origin + x + i - size / 2, origin + y + j - size / 2);
  return sum;
}

int Gauss3Weight(int j, int i) { return (j == 1 ? 2 : 1) * (i == 1 ? 2 : 1); }
int Gauss5Weight(int j, int i) { return kGauss5[j][i]; }

uint8_t ExpectedGauss3(int s) {
  const int q = s / 16, r = s % 16;
  return uint8_t(q + (r > 8 || (r == 8 && q % 2 == 1)));
}
uint8_t ExpectedGauss5(int s) {
  return uint8_t(std::nearbyint(float(s) * std::bit_cast<float>(0x3AE58C54u)));
}

std::vector<uint8_t> Reference(const TestImage<uint8_t>& source, int size, IppiSize region, bool gauss) {
  const StandardFloatEnvironment roundToNearest;  // as the library computes, whatever the test's mode
  std::vector<uint8_t> out;
  const int r = size / 2;
  for (int y = 0; y < region.height; ++y) {
    for (int x = 0; x < region.width; ++x) {
      if (gauss) {
        out.push_back(size == 3 ? ExpectedGauss3(WindowSum(source, r, 3, x, y, Gauss3Weight))
                                : ExpectedGauss5(WindowSum(source, r, 5, x, y, Gauss5Weight)));
      } else {
        const int sum = WindowSum(source, r, size, x, y, [](int, int) { return 1; });
        out.push_back(uint8_t(std::clamp(size * size * source.at(r + x, r + y) - sum, 0, 255)));
      }
    }
  }
  return out;
}

// A (2r + 1) x (2r + 1) source that is zero but for its centre.
uint8_t FilterOfCentre(int size, uint8_t centre, bool gauss) {
  TestImage<uint8_t> source(size, size);
  source.Fill(0);
  source.at(size / 2, size / 2) = centre;
  TestImage<uint8_t> destination(1, 1);
  const int code = size == 3 ? 33 : 55;
  const uint8_t* origin = &source.at(size / 2, size / 2);
  const IppStatus status = gauss ? FilterGauss8u(origin, source.step(), destination.data(), 1, {1, 1}, code)
                                 : FilterHipass8u(origin, source.step(), destination.data(), 1, {1, 1}, code);
  EXPECT_EQ(status, ippStsNoErr);
  return destination.at(0, 0);
}

TEST(GaussFilter, ThreeByThreeRoundsTiesToEven) {
  EXPECT_EQ(FilterOfCentre(3, 10, true), 2);  // 40 / 16 = 2.5
  EXPECT_EQ(FilterOfCentre(3, 14, true), 4);  // 56 / 16 = 3.5
  EXPECT_EQ(FilterOfCentre(3, 6, true), 2);   // 24 / 16 = 1.5
  EXPECT_EQ(FilterOfCentre(3, 9, true), 2);   // 36 / 16 = 2.25
  EXPECT_EQ(FilterOfCentre(3, 255, true), 64);
}

TEST(GaussFilter, FiveByFiveScalesByTheSinglePrecisionReciprocal) {
  for (int centre : {1, 2, 3, 9, 100, 255}) EXPECT_EQ(FilterOfCentre(5, uint8_t(centre), true), ExpectedGauss5(127 * centre));
}

// The caller's rounding mode neither changes the result nor is lost.
TEST(GaussFilter, RoundsToNearestWhateverTheCallersRoundingMode) {
  const ScopedRoundingMode downward(FE_DOWNWARD);
  ForEachBuild([](Build) { EXPECT_EQ(FilterOfCentre(5, 255, true), 57); });  // 32385 / 571 = 56.72
  EXPECT_EQ(std::fegetround(), FE_DOWNWARD);
}

TEST(GaussFilter, UniformImageStaysUnchanged) {
  for (int code : {33, 55}) {
    for (int value : {0, 1, 128, 254, 255}) {
      TestImage<uint8_t> source(40, 9);
      source.Fill(uint8_t(value));
      TestImage<uint8_t> destination(36, 5);
      ASSERT_EQ(FilterGauss8u(&source.at(2, 2), source.step(), destination.data(), destination.step(), {36, 5}, code),
                ippStsNoErr);
      for (uint8_t pixel : destination.Region()) ASSERT_EQ(pixel, value);
    }
  }
}

TEST(HipassFilter, SaturatesAndGivesZeroOnFlatImages) {
  EXPECT_EQ(FilterOfCentre(3, 255, false), 255);
  EXPECT_EQ(FilterOfCentre(3, 20, false), 160);
  EXPECT_EQ(FilterOfCentre(5, 10, false), 240);
  TestImage<uint8_t> source(20, 7);
  source.Fill(200);
  source.at(2, 2) = 0;  // a dark pixel: its neighbours stay positive, itself saturates to 0
  TestImage<uint8_t> destination(16, 3);
  ASSERT_EQ(FilterHipass8u(&source.at(2, 2), source.step(), destination.data(), destination.step(), {16, 3}, 55),
            ippStsNoErr);
  EXPECT_EQ(destination.at(0, 0), 0);
  EXPECT_EQ(destination.at(1, 0), 200);
  EXPECT_EQ(destination.at(15, 2), 0);
}

TEST(FixedFilters, MatchReferenceUnderEveryVariant) {
  for (const bool gauss : {true, false}) {
    for (const int size : {3, 5}) {
      for (int width : kOddWidths) {
        SCOPED_TRACE(::testing::Message() << (gauss ? "Gauss " : "high-pass ") << size << " width " << width);
        const IppiSize region{width, 4};
        TestImage<uint8_t> source(width + size - 1, region.height + size - 1);
        source.FillRandom(uint32_t(width * size), 0, 255);
        const auto expected = Reference(source, size, region, gauss);
        ExpectBuildsMatchGeneric([&](Build variant) {
          TestImage<uint8_t> destination(width, region.height, 7, 5);
          destination.FillBytes(SentinelFor(variant));
          const uint8_t* origin = &source.at(size / 2, size / 2);
          const int code = size == 3 ? 33 : 55;
          const IppStatus status =
              gauss ? FilterGauss8u(origin, source.step(), destination.data(), destination.step(), region, code)
                    : FilterHipass8u(origin, source.step(), destination.data(), destination.step(), region, code);
          EXPECT_EQ(destination.Region(), expected);
          EXPECT_TRUE(destination.GuardsIntact());
          return std::tuple(status, destination.RegionBytes());
        });
      }
    }
  }
}

TEST(GaussFilter, AgreesWithOpenCvSums) {
  TestImage<uint8_t> source(83, 41, 0);
  source.FillRandom(5, 0, 255);
  TestImage<uint8_t> destination(81, 39);
  ASSERT_EQ(FilterGauss8u(&source.at(1, 1), source.step(), destination.data(), destination.step(), {81, 39}, 33),
            ippStsNoErr);
  cv::Mat image(source.height(), source.width(), CV_8UC1, source.data(), source.step());
  cv::Mat sums;
  const cv::Mat row = (cv::Mat_<float>(1, 3) << 1, 2, 1);
  cv::sepFilter2D(image, sums, CV_32F, row, row.t());
  for (int y = 0; y < 39; ++y)
    for (int x = 0; x < 81; ++x) ASSERT_EQ(destination.at(x, y), ExpectedGauss3(int(sums.at<float>(y + 1, x + 1))));
}

// In place, every output is computed from the unfiltered image.
TEST(FixedFilters, InPlaceEqualsOutOfPlace) {
  for (int code : {33, 55}) {
    TestImage<uint8_t> image(50, 20);
    image.FillRandom(6, 0, 255);
    TestImage<uint8_t> separate(44, 14);
    ASSERT_EQ(FilterGauss8u(&image.at(3, 3), image.step(), separate.data(), separate.step(), {44, 14}, code),
              ippStsNoErr);
    ASSERT_EQ(FilterGauss8u(&image.at(3, 3), image.step(), &image.at(3, 3), image.step(), {44, 14}, code),
              ippStsNoErr);
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 44; ++x) ASSERT_EQ(image.at(3 + x, 3 + y), separate.at(x, y));
  }
}

TEST(FixedFilters, ChecksArgumentsInOrderAndWritesNothing) {
  uint8_t source[64] = {};
  uint8_t destination[64];
  std::fill(std::begin(destination), std::end(destination), 0xEE);
  for (auto filter : {FilterGauss8u, FilterHipass8u}) {
    EXPECT_EQ(filter(nullptr, 0, destination, 0, {0, 0}, 44), ippStsNullPtrErr);
    EXPECT_EQ(filter(source + 18, 8, nullptr, 8, {1, 1}, 33), ippStsNullPtrErr);
    EXPECT_EQ(filter(source + 18, 0, destination, 0, {0, 1}, 44), ippStsSizeErr);
    EXPECT_EQ(filter(source + 18, 0, destination, 8, {1, 1}, 44), ippStsStepErr);
    EXPECT_EQ(filter(source + 18, 8, destination, 0, {1, 1}, 44), ippStsStepErr);
    EXPECT_EQ(filter(source + 18, 8, destination, 8, {1, 1}, 44), ippStsMaskSizeErr);
    EXPECT_EQ(filter(source + 18, 8, destination, 8, {1, 1}, 3), ippStsMaskSizeErr);
  }
  for (uint8_t byte : destination) EXPECT_EQ(byte, 0xEE);
}

}  // namespace
}  // namespace ryn::test
