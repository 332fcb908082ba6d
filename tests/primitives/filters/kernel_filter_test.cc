// The 8-bit kernel filter with an explicit anchor: orientation, division and saturation, sums
// that leave 32 bits, in-place filtering, variants, OpenCV agreement and argument checks.
#include "primitives/filters/kernel_filter.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <random>
#include <tuple>
#include <vector>

#include "support/test_image.h"
#include "support/builds.h"
#include "support/float_environment.h"

namespace ryn::test {
namespace {

using filters::FilterKernel8u;

// A source image with room for every pixel the kernel reaches around a region of `region`.
struct KernelCase {
  IppiSize region;
  IppiSize kernelSize;
  IppiPoint anchor;
  std::vector<int32_t> kernel;
  int divisor;

  IppiSize SourceSize() const {
    return {region.width + kernelSize.width - 1, region.height + kernelSize.height - 1};
  }
  IppiPoint Origin() const { return {kernelSize.width - 1 - anchor.x, kernelSize.height - 1 - anchor.y}; }
};

// Independent reference: 64-bit sums, exact rational rounding for powers of two, the single
// precision product otherwise.
uint8_t ReferencePixel(int64_t sum, int divisor) {
  double value;
  if (divisor == 1) {
    value = static_cast<double>(sum);
  } else if (divisor > 1 && (divisor & (divisor - 1)) == 0) {
    const int64_t quotient = sum >= 0 ? sum / divisor : -((-sum + divisor - 1) / divisor);
    const int64_t twiceRemainder = 2 * (sum - quotient * divisor);
    const bool up = twiceRemainder > divisor || (twiceRemainder == divisor && (quotient & 1) != 0);
    value = static_cast<double>(quotient + (up ? 1 : 0));
  } else {
    value = std::nearbyint(static_cast<float>(sum) * (1.0f / static_cast<float>(divisor)));
  }
  return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
}

std::vector<uint8_t> ReferenceFilter(const TestImage<uint8_t>& source, const KernelCase& c) {
  const StandardFloatEnvironment roundToNearest;  // as the library computes, whatever the test's mode
  std::vector<uint8_t> out;
  const IppiPoint o = c.Origin();
  for (int y = 0; y < c.region.height; ++y) {
    for (int x = 0; x < c.region.width; ++x) {
      int64_t sum = 0;
      for (int j = 0; j < c.kernelSize.height; ++j)
        for (int i = 0; i < c.kernelSize.width; ++i)
          sum += int64_t{c.kernel[j * c.kernelSize.width + i]} *
                 source.at(o.x + x + c.anchor.x - i, o.y + y + c.anchor.y - j);
      out.push_back(ReferencePixel(sum, c.divisor));
    }
  }
  return out;
}

IppStatus FilterCase(const TestImage<uint8_t>& source, TestImage<uint8_t>& destination, const KernelCase& c) {
  const IppiPoint o = c.Origin();
  return FilterKernel8u(&source.at(o.x, o.y), source.step(), destination.data(), destination.step(), c.region,
                        c.kernel.data(), c.kernelSize, c.anchor, c.divisor);
}

std::vector<int32_t> RandomKernel(uint32_t seed, int count, int low, int high) {
  std::mt19937 rng(seed);
  std::vector<int32_t> kernel(count);
  for (auto& k : kernel) k = std::uniform_int_distribution<int>(low, high)(rng);
  return kernel;
}

TEST(KernelFilter, ElementZeroMultipliesTheBottomRightPixelOfTheWindow) {
  // An impulse at (3, 3) reproduces the kernel unflipped around it.
  const KernelCase c{{5, 5}, {3, 2}, {1, 0}, {1, 2, 3, 4, 5, 6}, 1};
  TestImage<uint8_t> source(c.SourceSize().width, c.SourceSize().height);
  source.Fill(0);
  const IppiPoint o = c.Origin();
  source.at(o.x + 2, o.y + 2) = 1;
  TestImage<uint8_t> destination(5, 5);
  ASSERT_EQ(FilterCase(source, destination, c), ippStsNoErr);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      // destination(x, y) = kernel[j * 3 + i] where x + 1 - i = 2 and y - j = 2.
      const int i = x - 1, j = y - 2;
      const int expected = (i >= 0 && i < 3 && j >= 0 && j < 2) ? c.kernel[j * 3 + i] : 0;
      EXPECT_EQ(destination.at(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(KernelFilter, DividesWithTheDocumentedRounding) {
  struct Row {
    int32_t tap;
    int divisor;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> expected;
  };
  const std::vector<Row> rows = {
      {1, 2, {5, 7, 1, 3}, {2, 4, 0, 2}},                  // halves go to the even neighbour
      {1, 3, {8, 7, 255}, {3, 2, 85}},                      // scaled by 1/3, to nearest
      {1, 4, {6, 10, 14, 9, 11}, {2, 2, 4, 2, 3}},          // quarters: ties to even
      {1, 256, {128, 127, 255}, {0, 0, 1}},
      {1, 6, {3, 9, 15}, {0, 2, 2}},                        // float ties to even
      {-1, 1, {5, 0}, {0, 0}},                              // negative results saturate to 0
      {-1, 2, {3, 1}, {0, 0}},
      {-1, -2, {5, 7}, {2, 4}},                             // negative divisors scale
      {2, 1, {200, 127, 128}, {255, 254, 255}},             // and large ones to 255
      {1, 1, {0, 255}, {0, 255}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "tap " << r.tap << " divisor " << r.divisor);
    const int n = static_cast<int>(r.pixels.size());
    TestImage<uint8_t> source(n, 1);
    for (int x = 0; x < n; ++x) source.at(x, 0) = r.pixels[x];
    TestImage<uint8_t> destination(n, 1);
    ASSERT_EQ(FilterKernel8u(source.data(), source.step(), destination.data(), destination.step(), {n, 1},
                             &r.tap, {1, 1}, {0, 0}, r.divisor),
              ippStsNoErr);
    EXPECT_EQ(destination.Region(), r.expected);
  }
}

TEST(KernelFilter, RoundsToNearestWhateverTheCallersRoundingMode) {
  const ScopedRoundingMode upward(FE_UPWARD);
  const int32_t tap = 1;
  TestImage<uint8_t> source(40, 1);
  source.Fill(7);  // 7 / 3 = 2.33
  ForEachBuild([&](Build) {
    TestImage<uint8_t> destination(40, 1);
    ASSERT_EQ(FilterKernel8u(source.data(), source.step(), destination.data(), destination.step(), {40, 1}, &tap,
                             {1, 1}, {0, 0}, 3),
              ippStsNoErr);
    for (uint8_t pixel : destination.Region()) ASSERT_EQ(pixel, 2);
  });
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
}

TEST(KernelFilter, SumsBeyondThirtyTwoBitsStayExact) {
  // 201 * 2^24 does not fit a signed 32-bit sum; divided by 2^24 it is 201.
  const int32_t kernel[2] = {1 << 24, 1 << 24};
  TestImage<uint8_t> source(3, 1);
  source.at(0, 0) = 100;
  source.at(1, 0) = 101;
  source.at(2, 0) = 255;
  TestImage<uint8_t> destination(2, 1);
  ASSERT_EQ(FilterKernel8u(&source.at(1, 0), source.step(), destination.data(), destination.step(), {2, 1},
                           kernel, {2, 1}, {0, 0}, 1 << 24),
            ippStsNoErr);
  EXPECT_EQ(destination.Region(), (std::vector<uint8_t>{201, 255}));
  ASSERT_EQ(FilterKernel8u(&source.at(1, 0), source.step(), destination.data(), destination.step(), {2, 1},
                           kernel, {2, 1}, {0, 0}, 3 << 23),
            ippStsNoErr);
  EXPECT_EQ(destination.Region(), (std::vector<uint8_t>{134, 237}));
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(KernelFilter, MatchesReferenceUnderEveryVariant) {
  const std::vector<KernelCase> shapes = {
      {{0, 5}, {3, 3}, {1, 1}, RandomKernel(1, 9, -20, 40), 16},
      {{0, 4}, {5, 5}, {2, 2}, RandomKernel(2, 25, 0, 9), 1},
      {{0, 3}, {4, 3}, {0, 2}, RandomKernel(3, 12, -300, 300), 7},
      {{0, 3}, {2, 4}, {1, 3}, RandomKernel(4, 8, -32768, 32767), -1000},
      {{0, 3}, {3, 1}, {2, 0}, RandomKernel(5, 3, -100000, 100000), 1024},  // taps beyond 16 bits
      {{0, 6}, {1, 7}, {0, 3}, RandomKernel(6, 7, -3, 5), 3},
      // Equal taps take the box-sum path.
      {{0, 4}, {3, 3}, {1, 1}, std::vector<int32_t>(9, 1), 9},
      {{0, 3}, {9, 9}, {4, 4}, std::vector<int32_t>(81, 1), 81},
      {{0, 3}, {15, 15}, {7, 7}, std::vector<int32_t>(225, 1), 225},
      {{0, 3}, {17, 19}, {3, 15}, std::vector<int32_t>(323, 1), 323},
      {{0, 3}, {5, 4}, {4, 0}, std::vector<int32_t>(20, 2), -7},
      {{0, 3}, {4, 3}, {1, 1}, std::vector<int32_t>(12, -1), 1},
      {{0, 3}, {3, 2}, {2, 1}, std::vector<int32_t>(6, 300), 1024},
  };
  for (KernelCase c : shapes) {
    for (int width : kOddWidths) {
      c.region.width = width;
      SCOPED_TRACE(::testing::Message() << "kernel " << c.kernelSize.width << "x" << c.kernelSize.height
                                        << " width " << width);
      TestImage<uint8_t> source(c.SourceSize().width, c.SourceSize().height);
      source.FillRandom(width, 0, 255);
      const auto expected = ReferenceFilter(source, c);
      ExpectBuildsMatchGeneric([&](Build variant) {
        TestImage<uint8_t> destination(width, c.region.height, 5, 3);
        destination.FillBytes(SentinelFor(variant));
        const IppStatus status = FilterCase(source, destination, c);
        EXPECT_EQ(destination.Region(), expected);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, destination.RegionBytes());
      });
    }
  }
}

TEST(KernelFilter, AgreesWithOpenCvFilter2DOnTheFlippedKernel) {
  // filter2D correlates; flipping the kernel and the anchor turns it into this convolution. Its
  // float sums are exact for these small integers.
  const KernelCase c{{61, 37}, {5, 3}, {1, 2}, RandomKernel(9, 15, -4, 6), 1};
  TestImage<uint8_t> source(c.SourceSize().width, c.SourceSize().height, 0);
  source.FillRandom(10, 0, 255);
  TestImage<uint8_t> destination(c.region.width, c.region.height);
  ASSERT_EQ(FilterCase(source, destination, c), ippStsNoErr);

  cv::Mat sourceMat(source.height(), source.width(), CV_8UC1, source.data(), source.step());
  cv::Mat flipped(c.kernelSize.height, c.kernelSize.width, CV_32F);
  for (int j = 0; j < c.kernelSize.height; ++j)
    for (int i = 0; i < c.kernelSize.width; ++i)
      flipped.at<float>(c.kernelSize.height - 1 - j, c.kernelSize.width - 1 - i) = float(c.kernel[j * 5 + i]);
  cv::Mat sums;
  const cv::Point flippedAnchor(c.kernelSize.width - 1 - c.anchor.x, c.kernelSize.height - 1 - c.anchor.y);
  cv::filter2D(sourceMat, sums, CV_32F, flipped, flippedAnchor, 0, cv::BORDER_REPLICATE);
  const IppiPoint o = c.Origin();
  for (int y = 0; y < c.region.height; ++y)
    for (int x = 0; x < c.region.width; ++x)
      ASSERT_EQ(destination.at(x, y), cv::saturate_cast<uint8_t>(sums.at<float>(o.y + y, o.x + x))) << x << "," << y;
}

// In place, every output is computed from the unfiltered plane.
TEST(KernelFilter, InPlaceEqualsOutOfPlace) {
  const std::vector<KernelCase> shapes = {
      {{40, 30}, {19, 19}, {9, 9}, std::vector<int32_t>(361, 1), 361},
      {{37, 21}, {3, 5}, {1, 2}, RandomKernel(11, 15, -9, 9), 5},
      {{33, 17}, {4, 4}, {0, 0}, RandomKernel(12, 16, 0, 5), 16},
      {{35, 19}, {4, 3}, {3, 2}, RandomKernel(13, 12, -5, 9), 1},
      {{20, 9}, {2, 3}, {1, 1}, RandomKernel(14, 6, -70000, 70000), 4096},
  };
  for (const KernelCase& c : shapes) {
    SCOPED_TRACE(::testing::Message() << "kernel " << c.kernelSize.width << "x" << c.kernelSize.height);
    ForEachBuild([&](Build) {
      TestImage<uint8_t> plane(c.SourceSize().width, c.SourceSize().height);
      plane.FillRandom(7, 0, 255);
      TestImage<uint8_t> separate(c.region.width, c.region.height);
      ASSERT_EQ(FilterCase(plane, separate, c), ippStsNoErr);

      std::vector<uint8_t> expected = plane.Region();
      const IppiPoint o = c.Origin();
      for (int y = 0; y < c.region.height; ++y)
        for (int x = 0; x < c.region.width; ++x)
          expected[(o.y + y) * plane.width() + o.x + x] = separate.at(x, y);

      uint8_t* region = &plane.at(o.x, o.y);
      ASSERT_EQ(FilterKernel8u(region, plane.step(), region, plane.step(), c.region, c.kernel.data(), c.kernelSize,
                               c.anchor, c.divisor),
                ippStsNoErr);
      EXPECT_EQ(plane.Region(), expected);
      EXPECT_TRUE(plane.GuardsIntact());
    });
  }
}

// A destination that overlaps the source one row further down is filtered from a copy.
TEST(KernelFilter, OverlappingDestinationReadsTheUnfilteredSource) {
  const KernelCase c{{30, 12}, {3, 3}, {1, 1}, RandomKernel(15, 9, 1, 3), 8};
  TestImage<uint8_t> plane(c.SourceSize().width, c.SourceSize().height + 1);
  plane.FillRandom(8, 0, 255);
  TestImage<uint8_t> separate(c.region.width, c.region.height);
  ASSERT_EQ(FilterCase(plane, separate, c), ippStsNoErr);
  const IppiPoint o = c.Origin();
  uint8_t* region = &plane.at(o.x, o.y);
  ASSERT_EQ(FilterKernel8u(region, plane.step(), region + plane.step(), plane.step(), c.region, c.kernel.data(),
                           c.kernelSize, c.anchor, c.divisor),
            ippStsNoErr);
  for (int y = 0; y < c.region.height; ++y)
    for (int x = 0; x < c.region.width; ++x) ASSERT_EQ(plane.at(o.x + x, o.y + y + 1), separate.at(x, y));
}

TEST(KernelFilter, ChecksArgumentsInOrderAndWritesNothing) {
  uint8_t source[64] = {};
  uint8_t destination[64];
  std::fill(std::begin(destination), std::end(destination), 0xEE);
  const int32_t kernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  const IppiSize k3{3, 3};
  const IppiPoint a{1, 1};
  EXPECT_EQ(FilterKernel8u(nullptr, 8, destination, 8, {0, 0}, kernel, k3, a, 0), ippStsNullPtrErr);
  EXPECT_EQ(FilterKernel8u(source, 8, nullptr, 8, {2, 2}, kernel, k3, a, 1), ippStsNullPtrErr);
  EXPECT_EQ(FilterKernel8u(source, 8, destination, 8, {2, 2}, nullptr, k3, a, 1), ippStsNullPtrErr);
  EXPECT_EQ(FilterKernel8u(source, 0, destination, 0, {0, 2}, kernel, k3, a, 0), ippStsSizeErr);
  EXPECT_EQ(FilterKernel8u(source, 0, destination, 0, {2, -1}, kernel, k3, a, 0), ippStsSizeErr);
  EXPECT_EQ(FilterKernel8u(source, 0, destination, 0, {2, 2}, kernel, {0, 3}, a, 0), ippStsSizeErr);
  EXPECT_EQ(FilterKernel8u(source, 0, destination, 0, {2, 2}, kernel, {3, 0}, a, 0), ippStsSizeErr);
  EXPECT_EQ(FilterKernel8u(source, 0, destination, 0, {2, 2}, kernel, k3, a, 0), ippStsDivisorErr);
  // The source row must hold the region width plus kw - 1 pixels.
  EXPECT_EQ(FilterKernel8u(source + 9, 3, destination, 8, {2, 2}, kernel, k3, a, 1), ippStsStepErr);
  EXPECT_EQ(FilterKernel8u(source + 9, 4, destination, 1, {2, 2}, kernel, k3, a, 1), ippStsStepErr);
  for (uint8_t byte : destination) EXPECT_EQ(byte, 0xEE);
  EXPECT_EQ(FilterKernel8u(source + 9, 4, destination, 2, {2, 2}, kernel, k3, a, 1), ippStsNoErr);
}

}  // namespace
}  // namespace ryn::test
