// The resize engine and its exports: checks in order, size rules, sampling examples, OpenCV
// oracles, every build against the generic code, working buffers and sources at the end of memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "geometry_test_support.h"
#include "primitives/geometry/geometry.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

using ryn::geometry::Resize8u;

// The engine on whole images with its own exact-size buffer.
IppStatus Engine(TestImage<uint8_t>& source, IppiRect sourceRegion, TestImage<uint8_t>& destination,
                 IppiRect destinationRegion, double xFactor, double yFactor, double xShift, double yShift,
                 int interpolation) {
  int bytes = 0;
  ryn::geometry::ResizeBufferSize(sourceRegion, destinationRegion, 1, interpolation, &bytes);
  GuardedBytes buffer(static_cast<size_t>(bytes));
  return Resize8u(source.data(), source.size(), source.step(), &sourceRegion, destination.data(), destination.step(),
                  destinationRegion, xFactor, yFactor, xShift, yShift, interpolation, buffer.data());
}

TEST(Resize, EngineChecksInOrderWriteNothing) {
  TestImage<uint8_t> source = RandomImage(8, 8, 1), destination(8, 8);
  destination.FillBytes(0x77);
  const auto before = destination.RegionBytes();
  uint8_t buffer[4096];
  const IppiRect all{0, 0, 8, 8};
  auto run = [&](const uint8_t* s, IppiSize size, IppiRect sr, uint8_t* d, IppiRect dr, double xf, double yf,
                 int interpolation, uint8_t* b) {
    return Resize8u(s, size, source.step(), &sr, d, destination.step(), dr, xf, yf, 0, 0, interpolation, b);
  };
  EXPECT_EQ(run(nullptr, {0, 0}, all, destination.data(), all, 0, 0, 99, buffer), ippStsNullPtrErr);
  EXPECT_EQ(run(source.data(), {8, 8}, all, destination.data(), all, 1, 1, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(run(source.data(), {0, 8}, all, destination.data(), all, 0, 0, 99, buffer), ippStsSizeErr);
  EXPECT_EQ(run(source.data(), {8, 8}, {-1, 0, 8, 8}, destination.data(), all, 0, 0, 99, buffer), ippStsSizeErr);
  EXPECT_EQ(run(source.data(), {8, 8}, all, destination.data(), {0, 0, 8, 0}, 0, 0, 99, buffer), ippStsSizeErr);
  EXPECT_EQ(run(source.data(), {8, 8}, all, destination.data(), all, 0, 1, 99, buffer), ippStsResizeFactorErr);
  EXPECT_EQ(run(source.data(), {8, 8}, all, destination.data(), all, 1, std::nan(""), 99, buffer),
            ippStsResizeFactorErr);
  EXPECT_EQ(run(source.data(), {8, 8}, all, destination.data(), all, 1, 1, 3, buffer), ippStsInterpolationErr);
  EXPECT_EQ(run(source.data(), {8, 8}, all, destination.data(), all, 1, 1, kBlend | kFade | 2, buffer),
            ippStsInterpolationErr);
  EXPECT_EQ(run(source.data(), {8, 8}, {8, 0, 8, 8}, destination.data(), all, 1.5, 1, 8, buffer),
            ippStsResizeFactorErr);
  EXPECT_EQ(run(source.data(), {8, 8}, {8, 0, 8, 8}, destination.data(), all, 1, 1, 2, buffer),
            ippStsWrongIntersectROI);
  // A shift that moves the image off the destination region writes nothing.
  IppiRect region = all;
  EXPECT_EQ(Resize8u(source.data(), {8, 8}, source.step(), &region, destination.data(), destination.step(), all, 1, 1,
                     100, 0, 2, buffer),
            ippStsNoOperation);
  EXPECT_EQ(destination.RegionBytes(), before);
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_EQ(fnVCAIPP_Resize_8u_C1R(source.data(), {8, 8}, 8, all, destination.data(), 8, {8, 8}, 1, 1, 1), ippStsErr);
}

TEST(Resize, SourceRegionIsClippedAndWrittenBack) {
  TestImage<uint8_t> source = RandomImage(10, 6, 2), destination(20, 20);
  IppiRect region{4, 2, 100, 100};
  uint8_t buffer[8192];
  EXPECT_EQ(Resize8u(source.data(), source.size(), source.step(), &region, destination.data(), destination.step(),
                     {0, 0, 20, 20}, 1, 1, 0, 0, 1, buffer),
            ippStsNoErr);
  EXPECT_EQ(region.width, 6);
  EXPECT_EQ(region.height, 4);
  // Region pixel (x, y) lands at destination (x, y): d = s x factor + shift.
  EXPECT_EQ(destination.at(4, 2), source.at(4, 2));
  EXPECT_EQ(destination.at(9, 5), source.at(9, 5));
}

TEST(Resize, BufferSizeRule) {
  int size = -1;
  // Mode 1: (A16(W) + A16(H)) x 4 + 16.
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({100, 100}, {20, 17}, 1, &size), ippStsNoErr);
  EXPECT_EQ(size, (32 + 32) * 4 + 16);
  // Mode 8: A16(SW) x 2 x 4 + 16.
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({100, 50}, {20, 17}, 8, &size), ippStsNoErr);
  EXPECT_EQ(size, 112 * 2 * 4 + 16);
  // Mode 2: base + (A64(W) + A64(H)) x 4 + floor64(2W + 127) x 4.
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({100, 50}, {20, 17}, 2, &size), ippStsNoErr);
  EXPECT_EQ(size, (32 + 32) * 4 + (64 + 64) * 4 + 128 * 4 + 16);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({100, 50}, {20, 17}, kAntialias | 1, &size), ippStsNoAntialiasing);
  EXPECT_EQ(size, (32 + 32) * 4 + 16);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({100, 50}, {20, 17}, 2, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({0, 50}, {20, 17}, 2, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({10, 50}, {20, 17}, 9, &size), ippStsInterpolationErr);
  EXPECT_EQ(ryn::geometry::ResizeBufferSize({0, 0, 4, 4}, {0, 0, 4, 4}, 2, 2, &size), ippStsNumChannelsErr);
  // A size past the 32-bit count is refused, not wrapped.
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({60000, 60000}, {30000, 30000}, kAntialias | 16, &size),
            ippStsSizeErr);
  // Its source height times destination width leaves 64 bits as well.
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize({INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}, kAntialias | 16, &size),
            ippStsSizeErr);
}

TEST(Resize, DestinationRectangleRule) {
  IppiRect r{-1, -1, -1, -1};
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 10, 10}, &r, 0.5, 0.25, 0.2, 0, 2), ippStsNoErr);
  EXPECT_EQ(r.x, 0);       // trunc(0.2 + 0.4999999999)
  EXPECT_EQ(r.width, 5);   // trunc(5.2 + 0.5000000001)
  EXPECT_EQ(r.height, 3);  // trunc(2.5 + 0.5000000001)
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 10, 10}, &r, 0.5, 0.25, 0.2, 0, kBlend | 2), ippStsNoErr);
  EXPECT_EQ(r.x, 0);       // floor(0.2)
  EXPECT_EQ(r.width, 6);   // ceil(5.2)
  EXPECT_EQ(r.height, 3);  // ceil(2.5)
  const IppiRect kept = r;
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 10, 10}, &r, 0.5, 0.5, -20, 0, 2), ippStsNoOperation);
  EXPECT_EQ(r.width, kept.width);
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 10, 10}, nullptr, 1, 1, 0, 0, 2), ippStsNullPtrErr);
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 0, 10}, &r, 1, 1, 0, 0, 2), ippStsSizeErr);
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 10, 10}, &r, -1, 1, 0, 0, 2), ippStsResizeFactorErr);
  EXPECT_EQ(ryn::geometry::ResizeDestinationRect({0, 0, 10, 10}, &r, 1, 1, 0, 0, 0), ippStsInterpolationErr);
}

TEST(Resize, LinearWeightsRoundHalfUpAndRepeatEdges) {
  TestImage<uint8_t> source(2, 1), destination(4, 1);
  source.at(0, 0) = 0, source.at(1, 0) = 255;
  ASSERT_EQ(Engine(source, {0, 0, 2, 1}, destination, {0, 0, 4, 1}, 2, 1, 0, 0, 2), ippStsNoErr);
  EXPECT_EQ(destination.Region(), (std::vector<uint8_t>{0, 64, 191, 255}));
}

// Halving with linear interpolation rounds each of its three steps half up.
TEST(Resize, LinearHalvingRoundsEachStep) {
  TestImage<uint8_t> source = RandomImage(70, 10, 12), destination(35, 5);
  ForEachBuild([&](Build) {
    destination.Fill(0);
    ASSERT_EQ(Engine(source, {0, 0, 70, 10}, destination, {0, 0, 35, 5}, 0.5, 0.5, 0, 0, 2), ippStsNoErr);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 35; ++x) {
        const int upper = (source.at(2 * x, 2 * y) + source.at(2 * x + 1, 2 * y) + 1) / 2;
        const int lower = (source.at(2 * x, 2 * y + 1) + source.at(2 * x + 1, 2 * y + 1) + 1) / 2;
        ASSERT_EQ(destination.at(x, y), (upper + lower + 1) / 2) << x << "," << y;
      }
    }
  });
  // A shifted halving takes the general path; it must agree with its own neighbours' rule.
  ExpectBuildsMatchGeneric([&](Build) {
    TestImage<uint8_t> out(40, 8);
    out.Fill(3);
    const IppStatus status = Engine(source, {1, 1, 69, 9}, out, {0, 0, 40, 8}, 0.5, 0.5, -0.5, 0.5, 2);
    return std::make_tuple(status, Capture(out));
  });
}

// The cubic families as B, C splines and Lagrange's cubic as its four basis polynomials: formulas
// written apart from the engine's, so a wrong coefficient shows.
double CubicWeight(int mode, double f, int tap) {
  if (mode == 4) {
    const double basis[4] = {-f * (f - 1) * (f - 2) / 6, (f + 1) * (f - 1) * (f - 2) / 2, -(f + 1) * f * (f - 2) / 2,
                             (f + 1) * f * (f - 1) / 6};
    return basis[tap];
  }
  const double b = mode == 5 ? 1.0 : (mode == 6 ? 0.0 : 0.5), c = mode == 5 ? 0.0 : (mode == 6 ? 0.5 : 0.3);
  const double x = std::fabs(tap - 1 - f);
  if (x < 1) return ((12 - 9 * b - 6 * c) * x * x * x + (-18 + 12 * b + 6 * c) * x * x + (6 - 2 * b)) / 6;
  if (x < 2) return ((-b - 6 * c) * x * x * x + (6 * b + 30 * c) * x * x + (-12 * b - 48 * c) * x + (8 * b + 24 * c)) / 6;
  return 0.0;
}

double LanczosWeight(double f, int tap) {
  auto sinc = [](double x) { return x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x); };
  auto kernel = [&](double x) { return x >= 3 ? 0.0 : sinc(x) * sinc(x / 3); };
  double sum = 0;
  for (int t = 0; t < 6; ++t) sum += kernel(std::fabs(t - 2 - f));
  return kernel(std::fabs(tap - 2 - f)) / sum;
}

// Doubling the width puts every source position a quarter pixel off a centre; rows all alike leave
// the horizontal kernel alone to make the value.
TEST(Resize, CubicAndLanczosWeighTheirNeighboursByTheirKernels) {
  TestImage<uint8_t> source = RandomImage(12, 6, 21);
  for (int y = 1; y < 6; ++y)
    for (int x = 0; x < 12; ++x) source.at(x, y) = source.at(x, 0);
  for (int mode : {4, 5, 6, 7, 16}) {
    SCOPED_TRACE(::testing::Message() << "mode " << mode);
    TestImage<uint8_t> destination(24, 6);
    ASSERT_EQ(Engine(source, {0, 0, 12, 6}, destination, {0, 0, 24, 6}, 2, 1, 0, 0, mode), ippStsNoErr);
    const int taps = mode == 16 ? 6 : 4, before = mode == 16 ? 2 : 1;
    for (int dx = 8; dx < 14; ++dx) {
      const double sx = (dx + 0.5) / 2 - 0.5, floorX = std::floor(sx);
      const double f = static_cast<float>(sx - floorX);
      double expected = 0;
      for (int t = 0; t < taps; ++t) {
        const double w = mode == 16 ? LanczosWeight(f, t) : CubicWeight(mode, f, t);
        expected += w * source.at(static_cast<int>(floorX) - before + t, 0);
      }
      expected = std::min(255.0, std::max(0.0, expected));
      for (int y = 0; y < 6; ++y) EXPECT_NEAR(destination.at(dx, y), expected, 0.51) << dx << "," << y;
    }
  }
}

// Super-sampling by 0.4 x 0.5: destination pixels cover two and a half source columns, the middle
// column of each pair shared half and half.
TEST(Resize, AreaWeighsPartlyCoveredPixelsByTheirCover) {
  TestImage<uint8_t> source = RandomImage(10, 6, 22), destination(4, 3);
  const double xf = 0.4, yf = 0.5;
  ASSERT_EQ(Engine(source, {0, 0, 10, 6}, destination, {0, 0, 4, 3}, xf, yf, 0, 0, 8), ippStsNoErr);
  auto cover = [](int i, double lo, double hi) { return std::max(0.0, std::min(i + 1.0, hi) - std::max(i + 0.0, lo)); };
  for (int dy = 0; dy < 3; ++dy) {
    for (int dx = 0; dx < 4; ++dx) {
      double sum = 0;
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
          sum += cover(x, dx / xf, (dx + 1) / xf) * cover(y, dy / yf, (dy + 1) / yf) * source.at(x, y);
      EXPECT_NEAR(destination.at(dx, dy), sum * xf * yf, 0.51) << dx << "," << dy;
    }
  }
}

TEST(Resize, ConstantImagesStayConstantInEveryMode) {
  for (int mode : kAllResizeModes) {
    for (int option : {0, kAntialias}) {
      if (option != 0 && (mode == 1 || mode == 8)) continue;
      SCOPED_TRACE(::testing::Message() << "mode " << mode << " option " << option);
      TestImage<uint8_t> source(23, 17), destination(40, 40);
      source.Fill(201);
      destination.Fill(0);
      const double factor = mode == 8 ? 0.6 : 1.7;
      ASSERT_EQ(Engine(source, {0, 0, 23, 17}, destination, {0, 0, 40, 40}, factor, factor * 0.8, 0, 0, mode | option),
                ippStsNoErr);
      const int w = static_cast<int>(23 * factor + 0.5), h = static_cast<int>(17 * factor * 0.8 + 0.5);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(destination.at(x, y), 201) << x << "," << y;
      EXPECT_TRUE(destination.GuardsIntact());
    }
  }
}

TEST(Resize, SquarePixelHalvesByAreaAverage) {
  TestImage<uint8_t> source = RandomImage(640, 480, 3), destination(320, 240);
  ASSERT_EQ(fnVCAIPP_ResizeSqrPixel_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), 640,
                                           480, 2.0f),
            ippStsNoErr);
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      const int sum = source.at(2 * x, 2 * y) + source.at(2 * x + 1, 2 * y) + source.at(2 * x, 2 * y + 1) +
                      source.at(2 * x + 1, 2 * y + 1);
      ASSERT_EQ(destination.at(x, y), (sum + 2) / 4) << x << "," << y;
    }
  }
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(Resize, SquarePixelDoublesByNearestNeighbourAsOpenCv) {
  TestImage<uint8_t> source = RandomImage(640, 480, 4), destination(1280, 960);
  ASSERT_EQ(fnVCAIPP_ResizeSqrPixel_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), 640,
                                           480, 0.5f),
            ippStsNoErr);
  cv::Mat expected;
  cv::resize(MatOf(source, CV_8UC1), expected, cv::Size(1280, 960), 0, 0, cv::INTER_NEAREST);
  EXPECT_EQ(cv::norm(expected, MatOf(destination, CV_8UC1), cv::NORM_INF), 0);
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(Resize, SquarePixelFactorOneAveragesSinglePixels) {
  TestImage<uint8_t> source = RandomImage(33, 7, 5), destination(33, 7);
  EXPECT_EQ(
      fnVCAIPP_ResizeSqrPixel_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), 33, 7, 1.0f),
      ippStsNoErr);
  EXPECT_EQ(destination.Region(), source.Region());
  EXPECT_EQ(
      fnVCAIPP_ResizeSqrPixel_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), 33, 7, 0.0f),
      ippStsResizeFactorErr);
  // A destination of no pixels has no buffer: no operation.
  EXPECT_EQ(
      fnVCAIPP_ResizeSqrPixel_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), 1, 1, 2.0f),
      ippStsNoOperation);
}

TEST(Resize, AreaMatchesOpenCvForWholeFactors) {
  TestImage<uint8_t> source = RandomImage(99, 63, 6), destination(33, 21);
  ASSERT_EQ(fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), source.size(), destination.data(),
                                        destination.step(), destination.size(), 8),
            ippStsNoErr);
  cv::Mat expected;
  cv::resize(MatOf(source, CV_8UC1), expected, cv::Size(33, 21), 0, 0, cv::INTER_AREA);
  // A sum of nine pixels times 1/9 in single precision may round the other way near a half.
  EXPECT_LE(cv::norm(expected, MatOf(destination, CV_8UC1), cv::NORM_INF), 1);
  EXPECT_LE(cv::countNonZero(expected != MatOf(destination, CV_8UC1)), 33 * 21 / 50);
}

TEST(Resize, ImageExportsRefuseAreaEnlargingAndWriteNothing) {
  TestImage<uint8_t> source = RandomImage(20, 20, 7), destination(30, 20);
  destination.FillBytes(9);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), source.size(), destination.data(),
                                        destination.step(), destination.size(), 8),
            ippStsResizeFactorErr);
  for (uint8_t v : destination.Region()) ASSERT_EQ(v, 9);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(source.data(), source.step(), source.size(), destination.data(),
                                               destination.step(), destination.size(), 2, nullptr),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), source.size(), destination.data(),
                                        destination.step(), destination.size(), 0x3),
            ippStsInterpolationErr);
}

TEST(Resize, SmallSourcesFallBackToSimplerModes) {
  auto resized = [](int width, int height, int mode) {
    TestImage<uint8_t> source = RandomImage(width, height, 8), destination(2 * width, 2 * height);
    EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), source.size(), destination.data(),
                                          destination.step(), destination.size(), mode),
              ippStsNoErr);
    return destination.Region();
  };
  EXPECT_EQ(resized(5, 5, 16), resized(5, 5, 4));
  EXPECT_NE(resized(6, 6, 16), resized(6, 6, 4));
  EXPECT_EQ(resized(3, 10, 6), resized(3, 10, 2));
}

TEST(Resize, OptionBits) {
  TestImage<uint8_t> source = RandomImage(16, 16, 9), nearest(24, 24), flagged(24, 24);
  EXPECT_EQ(Engine(source, {0, 0, 16, 16}, nearest, {0, 0, 24, 24}, 1.5, 1.5, 0, 0, 1), ippStsNoErr);
  EXPECT_EQ(Engine(source, {0, 0, 16, 16}, flagged, {0, 0, 24, 24}, 1.5, 1.5, 0, 0, kAntialias | 1),
            ippStsNoAntialiasing);
  EXPECT_EQ(nearest.Region(), flagged.Region());
  EXPECT_EQ(Engine(source, {0, 0, 16, 16}, flagged, {0, 0, 24, 24}, 1.5, 1.5, 0, 0, kBlend | 2), ippStsNoErr);
  EXPECT_EQ(Engine(source, {0, 0, 16, 16}, flagged, {0, 0, 24, 24}, 1.5, 1.5, 0, 0, kBlend | kAntialias | 2),
            ippStsInterpolationErr);
}

// A shift of 0.25 leaves the first column and row three quarters covered: with the edge options
// they are blended with (or faded from) the written pixel next to them; the interior is the plain
// resize's.
TEST(Resize, EdgeOptionsBlendPartlyCoveredBorders) {
  TestImage<uint8_t> source(4, 4), destination(6, 6);
  source.Fill(200);
  destination.Fill(100);
  ASSERT_EQ(Engine(source, {0, 0, 4, 4}, destination, {0, 0, 6, 6}, 1, 1, 0.25, 0.25, kBlend | 1), ippStsNoErr);
  EXPECT_EQ(destination.at(2, 2), 200);
  EXPECT_EQ(destination.at(0, 2), 175);  // 100 + 100 x 0.75
  EXPECT_EQ(destination.at(2, 4), 125);  // bottom band covered 0.25
  EXPECT_EQ(destination.at(0, 0), 156);  // corner: 100 + 100 x 0.5625, rounded
  EXPECT_EQ(destination.at(5, 5), 100);  // outside every band
  destination.Fill(100);
  ASSERT_EQ(Engine(source, {0, 0, 4, 4}, destination, {0, 0, 6, 6}, 1, 1, 0.25, 0.25, kFade | 1), ippStsNoErr);
  EXPECT_EQ(destination.at(0, 2), 150);  // 200 x 0.75
  EXPECT_EQ(destination.at(4, 4), 13);   // 200 x 0.0625, rounded
}

struct ResizeCase {
  int sourceWidth, sourceHeight, destinationWidth, destinationHeight;
};

// Every mode and option under every build, with odd sizes that reduce and enlarge.
TEST(Resize, BuildsMatchGeneric) {
  const ResizeCase cases[] = {{37, 29, 13, 11}, {13, 11, 41, 23}, {64, 9, 31, 17}, {7, 33, 20, 20}, {100, 4, 33, 9}};
  for (int mode : kAllResizeModes) {
    for (int option : {0, kBlend, kFade, kAntialias}) {
      for (const ResizeCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "mode " << mode << " option " << option << " " << c.sourceWidth << "x" << c.sourceHeight
                     << " to " << c.destinationWidth << "x" << c.destinationHeight);
        const bool reduces = c.destinationWidth <= c.sourceWidth && c.destinationHeight <= c.sourceHeight;
        if (mode == 8 && !reduces) continue;
        const TestImage<uint8_t> source = RandomImage(c.sourceWidth, c.sourceHeight, mode + c.sourceWidth);
        ExpectBuildsMatchGeneric([&](Build) {
          TestImage<uint8_t> copy = source;
          // Pixels outside the written rectangle stay, and the edge options blend with them: the
          // same prefill for every build.
          TestImage<uint8_t> destination(c.destinationWidth + 3, c.destinationHeight + 3, 1, 5);
          destination.FillRandom(77, 0, 255);
          const double xf = static_cast<double>(c.destinationWidth) / c.sourceWidth;
          const double yf = static_cast<double>(c.destinationHeight) / c.sourceHeight;
          const IppStatus status =
              Engine(copy, {0, 0, c.sourceWidth, c.sourceHeight}, destination,
                     {1, 1, c.destinationWidth + 2, c.destinationHeight + 2}, xf, yf, 1.3, 0.6, mode | option);
          EXPECT_TRUE(destination.GuardsIntact());
          return std::make_tuple(status, Capture(destination));
        });
      }
    }
  }
}

// One full-width row case per mode, so that the vector loops run long rows as well.
TEST(Resize, BuildsMatchGenericOnWideRows) {
  for (int mode : kAllResizeModes) {
    SCOPED_TRACE(::testing::Message() << "mode " << mode);
    const TestImage<uint8_t> source = RandomImage(1920, 6, static_cast<uint32_t>(mode));
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> copy = source;
      TestImage<uint8_t> destination(1279, 4);
      destination.FillBytes(SentinelFor(build));
      const IppStatus status =
          Engine(copy, {0, 0, 1920, 6}, destination, {0, 0, 1279, 4}, 1279.0 / 1920, 4.0 / 6, 0, 0, mode);
      return std::make_tuple(status, Capture(destination));
    });
  }
}

// Sources ending at an inaccessible page and buffers of exactly the promised size, also ending at
// one: any read past the source or use past the buffer faults.
TEST(Resize, ReadsOnlyTheSourceAndUsesOnlyThePromisedBuffer) {
  const IppiSize sizes[][2] = {{{37, 21}, {15, 9}}, {{15, 9}, {37, 21}}, {{1919, 3}, {640, 2}}, {{6, 6}, {6, 6}}};
  for (const auto& pair : sizes) {
    for (int mode : kAllResizeModes) {
      for (int option : {0, kBlend, kFade, kAntialias}) {
        const IppiSize s = pair[0], d = pair[1];
        if (mode == 8 && (d.width > s.width || d.height > s.height)) continue;
        SCOPED_TRACE(::testing::Message() << "mode " << mode << " option " << option << " " << s.width << "x"
                                          << s.height << " to " << d.width << "x" << d.height);
        ForEachBuild([&](Build) {
          GuardedImage source(s.width, s.height, s.width + 7);
          for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) source.at(x, y) = static_cast<uint8_t>(x * 7 + y);
          int bytes = 0;
          const IppStatus sized = fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(s, d, mode | option, &bytes);
          ASSERT_GE(sized, 0);
          GuardedBytes buffer(static_cast<size_t>(bytes));
          TestImage<uint8_t> destination(d.width, d.height);
          const IppStatus status = fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(
              source.data(), source.step(), s, destination.data(), destination.step(), d, mode | option, buffer.data());
          EXPECT_GE(status, 0);
          EXPECT_TRUE(destination.GuardsIntact());
        });
      }
    }
  }
}

// A factor rounded up in single precision must not let the edge options write past the destination.
TEST(Resize, ImageExportsStayInsideTheDestination) {
  TestImage<uint8_t> source = RandomImage(3, 3, 11), destination(7, 7);
  for (int option : {kBlend, kFade}) {
    EXPECT_EQ(fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), source.size(), destination.data(),
                                          destination.step(), destination.size(), option | 2),
              ippStsNoErr);
    EXPECT_TRUE(destination.GuardsIntact());
  }
}

}  // namespace
}  // namespace ryn::test
