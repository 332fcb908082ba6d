// Remap of one and three channels: examples, checks in order, OpenCV on whole-pixel maps, every
// build against the generic code, sources at the end of memory.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <opencv2/imgproc.hpp>
#include <random>
#include <tuple>

#include "geometry_test_support.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

// Coordinate maps; the y map's rows lie at odd addresses, so its floats are written as bytes.
struct Maps {
  TestImage<float> xs, ys;
  Maps(int width, int height) : xs(width, height, 4, 4), ys(width, height, 9, 1) {}
  void Set(int x, int y, float mx, float my) {
    xs.at(x, y) = mx;
    std::memcpy(reinterpret_cast<uint8_t*>(ys.data()) + static_cast<size_t>(y) * ys.step() + 4 * x, &my, 4);
  }
};

IppStatus Remap(TestImage<uint8_t>& source, IppiRect region, Maps& maps, TestImage<uint8_t>& destination,
                int interpolation, int channels = 1) {
  const IppiSize size{source.width() / channels, source.height()};
  const IppiSize out{destination.width() / channels, destination.height()};
  auto* remap = channels == 1 ? fnVCAIPP_Remap_8u_C1R : fnVCAIPP_Remap_8u_C3R;
  return remap(source.data(), size, source.step(), region, maps.xs.data(), maps.xs.step(), maps.ys.data(),
               maps.ys.step(), destination.data(), destination.step(), out, interpolation);
}

TEST(Remap, NearestRoundsHalfUpAndSkipsPositionsOutside) {
  TestImage<uint8_t> source = RandomImage(8, 3, 1), destination(8, 3);
  destination.Fill(7);
  Maps maps(8, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 8; ++x) maps.Set(x, y, x + 0.5f, static_cast<float>(y));
  }
  maps.xs.at(2, 1) = -0.1f;
  ASSERT_EQ(Remap(source, {0, 0, 8, 3}, maps, destination, 1), ippStsNoErr);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (x == 2 && y == 1) continue;
      EXPECT_EQ(destination.at(x, y), source.at(x + 1, y)) << x << "," << y;
    }
    EXPECT_EQ(destination.at(7, y), 7);  // 7.5 lies past the last column
  }
  EXPECT_EQ(destination.at(2, 1), 7);
}

TEST(Remap, LinearUsesFourteenBitWeights) {
  TestImage<uint8_t> source(2, 2), destination(1, 1);
  source.at(0, 0) = 0, source.at(1, 0) = 255, source.at(0, 1) = 0, source.at(1, 1) = 255;
  Maps maps(1, 1);
  maps.Set(0, 0, 0.25f, 0.5f);
  ASSERT_EQ(Remap(source, {0, 0, 2, 2}, maps, destination, 2), ippStsNoErr);
  EXPECT_EQ(destination.at(0, 0), 64);
}

TEST(Remap, ChecksInOrderWriteNothing) {
  TestImage<uint8_t> source = RandomImage(8, 8, 2), destination(8, 8);
  destination.FillBytes(5);
  Maps maps(8, 8);
  auto remap = [&](const uint8_t* s, IppiRect region, const float* xs, int sourceStep, int mapStep, IppiSize out,
                   int interpolation) {
    return fnVCAIPP_Remap_8u_C1R(s, {8, 8}, sourceStep, region, xs, mapStep, maps.ys.data(), maps.ys.step(),
                                 destination.data(), destination.step(), out, interpolation);
  };
  EXPECT_EQ(remap(source.data(), {0, 0, 8, 8}, nullptr, 0, 0, {0, 0}, 3), ippStsNullPtrErr);
  EXPECT_EQ(remap(nullptr, {0, 0, 8, 8}, maps.xs.data(), 0, 0, {0, 0}, 3), ippStsNullPtrErr);
  EXPECT_EQ(remap(source.data(), {-1, 0, 8, 8}, maps.xs.data(), 0, 0, {8, 8}, 3), ippStsSizeErr);
  EXPECT_EQ(remap(source.data(), {0, 0, 8, 8}, maps.xs.data(), 0, 0, {8, 0}, 3), ippStsSizeErr);
  EXPECT_EQ(remap(source.data(), {0, 0, 8, 8}, maps.xs.data(), 0, 0, {8, 8}, 5), ippStsInterpolationErr);
  EXPECT_EQ(remap(source.data(), {0, 0, 8, 8}, maps.xs.data(), 0, 0, {8, 8}, kFade | 2), ippStsInterpolationErr);
  EXPECT_EQ(remap(source.data(), {0, 0, 8, 8}, maps.xs.data(), 0, 32, {8, 8}, 2), ippStsStepErr);
  EXPECT_EQ(remap(source.data(), {0, 0, 8, 8}, maps.xs.data(), 8, 0, {8, 8}, 2), ippStsStepErr);
  EXPECT_EQ(remap(source.data(), {0, 8, 8, 8}, maps.xs.data(), 8, 32, {8, 8}, 2), ippStsWrongIntersectROI);
  for (uint8_t v : destination.Region()) ASSERT_EQ(v, 5);
}

// Whole-pixel maps to anywhere in the source: nearest neighbour is OpenCV's remap.
TEST(Remap, MatchesOpenCvOnWholePixelMaps) {
  TestImage<uint8_t> source = RandomImage(50, 40, 3), destination(45, 33);
  Maps maps(45, 33);
  cv::Mat xs(33, 45, CV_32FC1), ys(33, 45, CV_32FC1);
  std::mt19937 rng(4);
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 45; ++x) {
      xs.at<float>(y, x) = static_cast<float>(rng() % 50);
      ys.at<float>(y, x) = static_cast<float>(rng() % 40);
      maps.Set(x, y, xs.at<float>(y, x), ys.at<float>(y, x));
    }
  }
  for (int mode : {1, 2, 4, 6, 16}) {
    ASSERT_EQ(Remap(source, {0, 0, 50, 40}, maps, destination, mode), ippStsNoErr);
    cv::Mat expected;
    cv::remap(MatOf(source, CV_8UC1), expected, xs, ys, cv::INTER_NEAREST);
    EXPECT_EQ(cv::norm(expected, MatOf(destination, CV_8UC1), cv::NORM_INF), 0) << "mode " << mode;
  }
}

// Maps reaching past every side of the region, with fractions everywhere.
void FillWanderingMaps(Maps& maps, IppiRect region, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> xs(region.x - 2.0f, region.x + region.width + 1.0f);
  std::uniform_real_distribution<float> ys(region.y - 2.0f, region.y + region.height + 1.0f);
  for (int y = 0; y < maps.xs.height(); ++y) {
    for (int x = 0; x < maps.xs.width(); ++x) {
      const float mx = xs(rng);
      maps.Set(x, y, mx, ys(rng));
    }
  }
}

TEST(Remap, BuildsMatchGeneric) {
  const IppiSize sizes[] = {{37, 11}, {3, 9}, {5, 5}, {130, 4}};
  for (IppiSize size : sizes) {
    for (int channels : {1, 3}) {
      for (int interpolation : {1, 2, 4, 6, 16, kBlend | 1, kBlend | 2, kBlend | 16}) {
        SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height << " channels " << channels
                                          << " interpolation " << interpolation);
        const IppiRect region{1, 1, size.width - 1, size.height};
        TestImage<uint8_t> source = RandomImage(size.width * channels, size.height + 1, 13);
        Maps maps(41, 6);
        FillWanderingMaps(maps, region, 14);
        ExpectBuildsMatchGeneric([&](Build) {
          TestImage<uint8_t> destination(41 * channels, 6, 3, 2);
          destination.FillRandom(15, 0, 255);
          const IppStatus status = Remap(source, region, maps, destination, interpolation, channels);
          EXPECT_TRUE(destination.GuardsIntact());
          return std::make_tuple(status, Capture(destination));
        });
      }
    }
  }
}

// Fractions where the 14-bit weight's bias decides (just below 1/16384) and just below one: the
// vector weights must round as the generic double sum does.
TEST(Remap, WeightsAtTheBiasMatchGeneric) {
  TestImage<uint8_t> source = RandomImage(16, 16, 17);
  Maps maps(64, 2);
  float below = 1.0f / 16384.0f, nearOne = 1.0f;
  for (int x = 0; x < 64; ++x) {
    below = std::nextafter(below, 0.0f);
    nearOne = std::nextafter(nearOne, 0.0f);
    maps.Set(x, 0, below, nearOne);
    maps.Set(x, 1, 2.0f + nearOne, below * 3.0f);
  }
  ExpectBuildsMatchGeneric([&](Build) {
    TestImage<uint8_t> destination(64, 2);
    destination.Fill(0);
    const IppStatus status = Remap(source, {0, 0, 16, 16}, maps, destination, 2);
    return std::make_tuple(status, Capture(destination));
  });
}

TEST(Remap, ReadsOnlyTheSource) {
  for (int channels : {1, 3}) {
    for (int interpolation : {1, 2, 4, 6, 16, kBlend | 2}) {
      SCOPED_TRACE(::testing::Message() << "channels " << channels << " interpolation " << interpolation);
      ForEachBuild([&](Build) {
        GuardedImage source(19 * channels, 7, 19 * channels + 5);
        Maps maps(64, 8);
        FillWanderingMaps(maps, {0, 0, 19, 7}, 16);
        maps.Set(5, 5, 18.0f, 6.0f);  // the very last pixel
        TestImage<uint8_t> destination(64 * channels, 8);
        auto* remap = channels == 1 ? fnVCAIPP_Remap_8u_C1R : fnVCAIPP_Remap_8u_C3R;
        EXPECT_EQ(remap(source.data(), {19, 7}, source.step(), {0, 0, 19, 7}, maps.xs.data(), maps.xs.step(),
                        maps.ys.data(), maps.ys.step(), destination.data(), destination.step(), {64, 8}, interpolation),
                  ippStsNoErr);
        EXPECT_TRUE(destination.GuardsIntact());
      });
    }
  }
}

}  // namespace
}  // namespace ryn::test
