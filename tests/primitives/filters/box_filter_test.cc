// Box means with an explicit anchor: the rounding rule of each mask class, the fixed-point
// reciprocal, window placement, float sums, in-place filtering, variants and argument checks.
#include "primitives/filters/box_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "primitives/filters/box_rules.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

using filters::FilterBox32f;
using filters::FilterBox8u;
using filters::ReciprocalFor;

// Room for every window around a region; the region starts at the anchor.
template <class T>
TestImage<T> SourceFor(IppiSize region, IppiSize mask) {
  return TestImage<T>(region.width + mask.width - 1, region.height + mask.height - 1);
}

// The fixed-point recipe, written out independently of the library's.
filters::FixedPointReciprocal Recipe(int w, int h) {
  if (w + h == 3) return {4096, 13};
  const float r = 1.0f / float(w * h);
  uint64_t v = static_cast<uint32_t>(double(r) * 4294967295.0);
  int n = 0;
  while (v < 0x80000000u && n < 24) v <<= 1, ++n;
  return {static_cast<uint32_t>((v & 0xFFFFFFFFu) >> 20) + 1, n + 12};
}

uint8_t ExpectedMean(uint64_t s, IppiSize mask) {
  if (mask.width == 3 && mask.height == 3) return uint8_t(s * 29128 >> 18);
  if (mask.width == 5 && mask.height == 5) return uint8_t((s * 20971 + (1 << 18)) >> 19);
  if (mask.width == 7 && mask.height == 7) return uint8_t((s * 5350 + (1 << 17)) >> 18);
  const int64_t area = int64_t{mask.width} * mask.height;
  if (area > 8100) return uint8_t(int(float(s) * (1.0f / float(area)) + 9.0e-6f));
  const auto r = Recipe(mask.width, mask.height);
  return uint8_t((s * r.multiplier + (uint64_t{1} << (r.shift - 1))) >> r.shift);
}

// Window sums from OpenCV's unnormalised box filter, an independent placement of the window.
std::vector<uint8_t> ReferenceMeans(TestImage<uint8_t>& source, IppiSize region, IppiSize mask) {
  cv::Mat image(source.height(), source.width(), CV_8UC1, source.data(), source.step());
  cv::Mat sums;
  cv::boxFilter(image, sums, CV_32S, cv::Size(mask.width, mask.height), cv::Point(0, 0), false);
  std::vector<uint8_t> means;
  for (int y = 0; y < region.height; ++y)
    for (int x = 0; x < region.width; ++x) means.push_back(ExpectedMean(uint64_t(sums.at<int32_t>(y, x)), mask));
  return means;
}

TEST(BoxFilter, FixedPointReciprocals) {
  const auto expect = [](IppiSize mask, uint32_t multiplier, int shift) {
    const auto r = ReciprocalFor(mask);
    EXPECT_EQ(r.multiplier, multiplier) << mask.width << "x" << mask.height;
    EXPECT_EQ(r.shift, shift) << mask.width << "x" << mask.height;
  };
  expect({1, 1}, 4096, 12);
  expect({1, 2}, 4096, 13);
  expect({2, 1}, 4096, 13);
  expect({4, 4}, 4096, 16);
  expect({3, 5}, 2185, 15);
  for (IppiSize mask : {IppiSize{90, 90}, IppiSize{81, 100}, IppiSize{11, 13}, IppiSize{2, 2}}) {
    const auto r = Recipe(mask.width, mask.height);
    expect(mask, r.multiplier, r.shift);
  }
}

TEST(BoxFilter, RoundingRuleOfEachMaskClass) {
  struct Case {
    IppiSize mask;
    int sum;
    uint8_t expected;
  };
  const std::vector<Case> cases = {
      {{3, 3}, 17, 1}, {{3, 3}, 18, 2}, {{3, 3}, 2295, 255},  // 3 x 3 truncates
      {{5, 5}, 13, 1}, {{5, 5}, 12, 0},                       // 5 x 5 rounds
      {{7, 7}, 25, 1}, {{7, 7}, 24, 0},                       // 7 x 7 rounds
      {{4, 4}, 8, 1},  {{4, 4}, 7, 0},                        // (S + 8) >> 4
      {{1, 2}, 1, 1},  {{2, 1}, 3, 2},                        // (S + 1) >> 1
      {{91, 90}, 8190 * 100 + 4096, 100},                     // past 8100: truncation
      {{90, 90}, 8100 * 100 + 4051, 101},                     // at 8100: rounding
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mask.width << "x" << c.mask.height << " sum " << c.sum);
    auto source = SourceFor<uint8_t>({1, 1}, c.mask);
    source.Fill(0);
    for (int left = c.sum, i = 0; left > 0; ++i, left -= 255)
      source.at(i % c.mask.width, i / c.mask.width) = uint8_t(std::min(left, 255));
    TestImage<uint8_t> destination(1, 1);
    ASSERT_EQ(FilterBox8u(source.data(), source.step(), destination.data(), destination.step(), {1, 1}, c.mask,
                          {0, 0}),
              ippStsNoErr);
    EXPECT_EQ(destination.at(0, 0), c.expected);
  }
}

TEST(BoxFilter, MeansMatchTheRulesUnderEveryVariant) {
  const std::vector<std::pair<IppiSize, IppiPoint>> masks = {
      {{3, 3}, {1, 1}}, {{5, 5}, {2, 2}},   {{7, 7}, {3, 3}},    {{1, 1}, {0, 0}},  {{2, 1}, {1, 0}},
      {{4, 4}, {0, 3}}, {{3, 5}, {2, 4}},   {{9, 9}, {4, 4}},    {{15, 15}, {7, 7}}, {{16, 17}, {8, 8}},
      {{31, 3}, {0, 0}}, {{6, 40}, {5, 39}}, {{90, 90}, {45, 45}}, {{91, 90}, {3, 3}},
      {{128, 1}, {0, 0}}, {{130, 2}, {64, 1}}, {{127, 2}, {0, 1}},
  };
  for (const auto& [mask, anchor] : masks) {
    for (int width : {1, 7, 17, 33, 65, 129, 1920}) {
      SCOPED_TRACE(::testing::Message() << mask.width << "x" << mask.height << " width " << width);
      const IppiSize region{width, 3};
      auto source = SourceFor<uint8_t>(region, mask);
      source.FillRandom(uint32_t(width + mask.width), 0, 255);
      const auto expected = ReferenceMeans(source, region, mask);
      ExpectBuildsMatchGeneric([&](Build variant) {
        TestImage<uint8_t> destination(width, region.height, 5, 3);
        destination.FillBytes(SentinelFor(variant));
        const IppStatus status = FilterBox8u(&source.at(anchor.x, anchor.y), source.step(), destination.data(),
                                             destination.step(), region, mask, anchor);
        EXPECT_EQ(destination.Region(), expected);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, destination.RegionBytes());
      });
    }
  }
}

// Every mask area of the 16-bit path, as a single row, under every variant: the window sums of a
// random row reach many values for each reciprocal.
TEST(BoxFilter, EveryReciprocalOfTheSixteenBitPath) {
  for (int area = 1; area <= 257; ++area) {
    const IppiSize mask{area, 1};
    const IppiSize region{300, 1};
    auto source = SourceFor<uint8_t>(region, mask);
    source.FillRandom(uint32_t(area), 0, 255);
    for (int x = 0; x < 40; ++x) source.at(x, 0) = 255;  // the largest sums too
    const auto expected = ReferenceMeans(source, region, mask);
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> destination(region.width, 1);
      const IppStatus status =
          FilterBox8u(source.data(), source.step(), destination.data(), destination.step(), region, mask, {0, 0});
      EXPECT_EQ(destination.Region(), expected) << "mask " << area << "x1";
      return std::tuple(status, destination.RegionBytes());
    });
  }
}

TEST(BoxFilter, InPlaceEqualsOutOfPlace) {
  for (const IppiSize mask : {IppiSize{3, 3}, IppiSize{5, 4}, IppiSize{15, 15}, IppiSize{20, 20}}) {
    const IppiPoint anchor{mask.width / 2, mask.height / 2};
    const IppiSize region{70, 30};
    auto plane = SourceFor<uint8_t>(region, mask);
    plane.FillRandom(3, 0, 255);
    TestImage<uint8_t> separate(region.width, region.height);
    uint8_t* origin = &plane.at(anchor.x, anchor.y);
    ASSERT_EQ(FilterBox8u(origin, plane.step(), separate.data(), separate.step(), region, mask, anchor), ippStsNoErr);
    ASSERT_EQ(FilterBox8u(origin, plane.step(), origin, plane.step(), region, mask, anchor), ippStsNoErr);
    for (int y = 0; y < region.height; ++y)
      for (int x = 0; x < region.width; ++x) ASSERT_EQ(plane.at(anchor.x + x, anchor.y + y), separate.at(x, y));
  }
}

// Float sums are formed in one fixed order, so every build gives the same bits; they stay
// within rounding of the exact mean.
TEST(BoxFilter, FloatMeansUnderEveryVariant) {
  const std::vector<IppiSize> masks = {{3, 3}, {5, 5}, {7, 7}, {2, 9}, {17, 3}, {20, 12}};
  for (const IppiSize mask : masks) {
    for (int width : {1, 3, 8, 9, 17, 33, 100}) {
      SCOPED_TRACE(::testing::Message() << mask.width << "x" << mask.height << " width " << width);
      const IppiSize region{width, 12};
      auto source = SourceFor<float>(region, mask);
      source.FillRandom(uint32_t(width), -100.0f, 100.0f);
      ExpectBuildsMatchGeneric([&](Build variant) {
        TestImage<float> destination(width, region.height, 8, 4);
        destination.FillBytes(SentinelFor(variant));
        const IppStatus status =
            FilterBox32f(source.data(), source.step(), destination.data(), destination.step(), region, mask, {0, 0});
        for (int y = 0; y < region.height; ++y) {
          for (int x = 0; x < width; ++x) {
            double sum = 0;
            for (int j = 0; j < mask.height; ++j)
              for (int i = 0; i < mask.width; ++i) sum += source.at(x + i, y + j);
            EXPECT_NEAR(destination.at(x, y), sum / (mask.width * mask.height), 2e-4) << x << "," << y;
          }
        }
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, destination.RegionBytes());
      });
    }
  }
}

TEST(BoxFilter, FloatSevenBySevenUsesTheSinglePrecisionReciprocal) {
  auto source = SourceFor<float>({1, 1}, {7, 7});
  source.Fill(0.0f);
  source.at(3, 3) = 49.0f;
  TestImage<float> destination(1, 1);
  ASSERT_EQ(FilterBox32f(&source.at(3, 3), source.step(), destination.data(), destination.step(), {1, 1}, {7, 7}, {3, 3}),
            ippStsNoErr);
  EXPECT_EQ(destination.at(0, 0), 49.0f * 0.020408163f);
}

TEST(BoxFilter, ChecksArgumentsInOrderAndWritesNothing) {
  uint8_t source[16] = {};
  uint8_t destination[16];
  std::fill(std::begin(destination), std::end(destination), 0xEE);
  float fsource[4] = {}, fdestination[4] = {};
  EXPECT_EQ(FilterBox8u(nullptr, 0, destination, 0, {0, 0}, {0, 0}, {9, 9}), ippStsNullPtrErr);
  EXPECT_EQ(FilterBox8u(source, 4, nullptr, 4, {1, 1}, {1, 1}, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(FilterBox8u(source, 0, destination, 4, {0, 0}, {0, 0}, {9, 9}), ippStsStepErr);
  EXPECT_EQ(FilterBox8u(source, 4, destination, -4, {0, 0}, {0, 0}, {9, 9}), ippStsStepErr);
  EXPECT_EQ(FilterBox8u(source, 4, destination, 4, {0, 1}, {0, 0}, {9, 9}), ippStsSizeErr);
  EXPECT_EQ(FilterBox8u(source, 4, destination, 4, {1, 1}, {0, 1}, {9, 9}), ippStsMaskSizeErr);
  EXPECT_EQ(FilterBox8u(source, 4, destination, 4, {1, 1}, {1, -1}, {9, 9}), ippStsMaskSizeErr);
  EXPECT_EQ(FilterBox8u(source, 4, destination, 4, {1, 1}, {2, 2}, {2, 0}), ippStsAnchorErr);
  EXPECT_EQ(FilterBox8u(source, 4, destination, 4, {1, 1}, {2, 2}, {0, -1}), ippStsAnchorErr);
  EXPECT_EQ(FilterBox32f(fsource, 0, fdestination, 4, {1, 1}, {1, 1}, {0, 0}), ippStsStepErr);
  EXPECT_EQ(FilterBox32f(fsource, 4, fdestination, 4, {1, 1}, {1, 1}, {1, 0}), ippStsAnchorErr);
  for (uint8_t byte : destination) EXPECT_EQ(byte, 0xEE);
}

}  // namespace
}  // namespace ryn::test
