// Pixel-for-pixel conversions between YUV and RGB: C3 to C3, planes to planes, planes to C3.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "color_test_support.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using Rgb = std::array<uint8_t, 3>;

Rgb ThroughC3(Rgb yuv) {
  Rgb rgb{};
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(yuv.data(), 3, rgb.data(), 3, IppiSize{1, 1}), ippStsNoErr);
  return rgb;
}

Rgb ThroughP3(Rgb yuv) {
  Rgb rgb{};
  const uint8_t* source[3] = {&yuv[0], &yuv[1], &yuv[2]};
  uint8_t* destination[3] = {&rgb[0], &rgb[1], &rgb[2]};
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(source, 1, destination, 1, IppiSize{1, 1}), ippStsNoErr);
  return rgb;
}

Rgb ThroughP3C3(Rgb yuv) {
  Rgb rgb{};
  const uint8_t* source[3] = {&yuv[0], &yuv[1], &yuv[2]};
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(source, 1, rgb.data(), 3, IppiSize{1, 1}), ippStsNoErr);
  return rgb;
}

Rgb RgbToYuv(Rgb rgb) {
  Rgb yuv{};
  const uint8_t* source[3] = {&rgb[0], &rgb[1], &rgb[2]};
  uint8_t* destination[3] = {&yuv[0], &yuv[1], &yuv[2]};
  EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(source, 1, destination, 1, IppiSize{1, 1}), ippStsNoErr);
  return yuv;
}

TEST(YuvToRgb, NeutralGreyStaysGreyWithEitherCoefficientSet) {
  const Rgb grey{128, 128, 128};
  EXPECT_EQ(ThroughC3(grey), grey);
  EXPECT_EQ(ThroughP3(grey), grey);
  EXPECT_EQ(ThroughP3C3(grey), grey);
}

TEST(YuvToRgb, ClampsBothWays) {
  // v = +127 adds 1.14 x 127 to R; v = -128 takes 1.14 x 128 away.
  EXPECT_EQ(ThroughC3({255, 128, 255})[0], 255);
  EXPECT_EQ(ThroughP3({255, 128, 255})[0], 255);
  EXPECT_EQ(ThroughC3({0, 128, 0})[0], 0);
  EXPECT_EQ(ThroughP3C3({0, 128, 0})[0], 0);
  EXPECT_EQ(ThroughC3({255, 255, 128}), (Rgb{255, 204, 255}));
  EXPECT_EQ(ThroughC3({0, 0, 128}), (Rgb{0, 50, 0}));
}

TEST(YuvToRgb, TheTwoCoefficientSetsDifferInTheLastLevel) {
  // u = -127, v = -86: G = (6553600 + 25821 x 127 + 38076 x 86) >> 16 = 13107403 >> 16 (200.003)
  // with the nearest set, (6553600 + 25820 x 127 + 38075 x 86) >> 16 = 13107190 >> 16 (199.9998)
  // with the lowered one.
  EXPECT_EQ(ThroughC3({100, 1, 42}), (Rgb{1, 200, 0}));
  EXPECT_EQ(ThroughP3({100, 1, 42}), (Rgb{1, 199, 0}));
  EXPECT_EQ(ThroughP3C3({100, 1, 42}), (Rgb{1, 199, 0}));
}

TEST(RgbToYuv, WhiteGivesLuma254AndRedClampsV) {
  EXPECT_EQ(RgbToYuv({255, 255, 255}), (Rgb{254, 128, 128}));
  EXPECT_EQ(RgbToYuv({255, 0, 0}), (Rgb{76, 90, 255}));
  EXPECT_EQ(RgbToYuv({0, 0, 0}), (Rgb{0, 128, 128}));
  // U stays within 16..239 without a clamp: pure blue is its top, yellow its bottom.
  EXPECT_EQ(RgbToYuv({0, 0, 255})[1], 239);
  EXPECT_EQ(RgbToYuv({255, 255, 0})[1], 16);
  EXPECT_EQ(RgbToYuv({0, 255, 255})[2], 0);
}

// Column U, row V of the images of the test below follow the formula of their coefficient set.
void ExpectFormulaForEveryChromaPair(const TestImage<uint8_t>& yuv, const TestImage<uint8_t>& c3, const ThreePlanes& p3,
                                     const TestImage<uint8_t>& p3c3) {
  for (int v = 0; v < 256; ++v)
    for (int u = 0; u < 256; ++u) {
      const int y = yuv.at(3 * u, v);
      const Rgb nearest = ExpectedRgb(y, u, v, kNearest);
      const Rgb lowered = ExpectedRgb(y, u, v, kLowered);
      for (int c = 0; c < 3; ++c) {
        ASSERT_EQ(c3.at(3 * u + c, v), nearest[c]) << "Y " << y << " U " << u << " V " << v << " channel " << c;
        ASSERT_EQ(p3[c].at(u, v), lowered[c]) << "Y " << y << " U " << u << " V " << v << " channel " << c;
        ASSERT_EQ(p3c3.at(3 * u + c, v), lowered[c]) << "Y " << y << " U " << u << " V " << v << " channel " << c;
      }
    }
}

// Every (U, V) pair (column U, row V), with lumas that sweep the range and reach both clamps: the
// generic build follows the formula, every other build gives the generic build's bytes, so the
// vector arithmetic is exact for every chroma value, not only for those a random image holds.
TEST(YuvToRgb, EveryChromaPairFollowsTheFormulaInEveryBuild) {
  const IppiSize size{256, 256};
  TestImage<uint8_t> yuv(3 * 256, 256, 7, 3);
  ThreePlanes planes(size, 9);
  for (int v = 0; v < 256; ++v)
    for (int u = 0; u < 256; ++u) {
      const uint8_t samples[3] = {static_cast<uint8_t>(u * 7 + v * 13), static_cast<uint8_t>(u),
                                  static_cast<uint8_t>(v)};
      for (int c = 0; c < 3; ++c) yuv.at(3 * u + c, v) = planes[c].at(u, v) = samples[c];
    }
  ExpectBuildsMatchGeneric([&](Build build) {
    TestImage<uint8_t> c3(3 * 256, 256, 0, 5);
    ThreePlanes p3(size, 3);
    TestImage<uint8_t> p3c3(3 * 256, 256, 2, 0);
    EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(yuv.data(), yuv.step(), c3.data(), c3.step(), size), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(planes.sources(), planes.step(), p3.pointers(), p3.step(), size), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(planes.sources(), planes.step(), p3c3.data(), p3c3.step(), size),
              ippStsNoErr);
    if (build == Build::kGeneric) ExpectFormulaForEveryChromaPair(yuv, c3, p3, p3c3);
    EXPECT_TRUE(c3.GuardsIntact());
    EXPECT_TRUE(p3.GuardsIntact());
    EXPECT_TRUE(p3c3.GuardsIntact());
    return std::tuple(Capture(c3), p3.Capture(), Capture(p3c3));
  });
}

// Every (R, G) pair with B sweeping, and every (G, B) pair with R sweeping; the generic build
// follows the formula and every other build gives its bytes.
TEST(RgbToYuv, EveryPairOfChannelsFollowsTheFormulaInEveryBuild) {
  for (int sweep : {2, 0}) {
    ThreePlanes rgb(IppiSize{256, 256}, 4);
    const int first = sweep == 2 ? 0 : 1;
    for (int row = 0; row < 256; ++row)
      for (int x = 0; x < 256; ++x) {
        rgb[first].at(x, row) = static_cast<uint8_t>(x);
        rgb[first + 1].at(x, row) = static_cast<uint8_t>(row);
        rgb[sweep].at(x, row) = static_cast<uint8_t>(x * 11 + row * 3);
      }
    ExpectBuildsMatchGeneric([&](Build build) {
      ThreePlanes yuv(IppiSize{256, 256}, 1);
      EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(rgb.sources(), rgb.step(), yuv.pointers(), yuv.step(), IppiSize{256, 256}),
                ippStsNoErr);
      if (build == Build::kGeneric) {
        for (int row = 0; row < 256; ++row)
          for (int x = 0; x < 256; ++x) {
            const int r = rgb[0].at(x, row), g = rgb[1].at(x, row), b = rgb[2].at(x, row);
            const Rgb expected = ExpectedYuv(r, g, b);
            for (int c = 0; c < 3; ++c)
              EXPECT_EQ(yuv[c].at(x, row), expected[c]) << "R " << r << " G " << g << " B " << b << " channel " << c;
          }
      }
      EXPECT_TRUE(yuv.GuardsIntact());
      return yuv.Capture();
    });
  }
}

// OpenCV's YUV conversions use the same analogue-television definitions with rounding instead of
// floors: within one level everywhere.
TEST(YuvToRgb, AgreesWithOpenCvWithinOneLevel) {
  TestImage<uint8_t> yuv(3 * 97, 41);
  yuv.FillRandom(11, 0, 255);
  const cv::Mat yuvMat(41, 97, CV_8UC3, yuv.data(), static_cast<size_t>(yuv.step()));
  cv::Mat expected;
  cv::cvtColor(yuvMat, expected, cv::COLOR_YUV2RGB);
  cv::Mat ours(41, 97, CV_8UC3);
  ASSERT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(yuv.data(), yuv.step(), ours.data, static_cast<int>(ours.step),
                                     IppiSize{97, 41}),
            ippStsNoErr);
  EXPECT_LE(cv::norm(ours, expected, cv::NORM_INF), 1.0);

  cv::Mat planes[3];
  cv::split(yuvMat, planes);
  const uint8_t* source[3] = {planes[0].data, planes[1].data, planes[2].data};
  ASSERT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(source, static_cast<int>(planes[0].step), ours.data,
                                       static_cast<int>(ours.step), IppiSize{97, 41}),
            ippStsNoErr);
  EXPECT_LE(cv::norm(ours, expected, cv::NORM_INF), 1.0);
}

TEST(RgbToYuv, AgreesWithOpenCvWithinOneLevel) {
  cv::Mat rgb(53, 71, CV_8UC3);
  cv::randu(rgb, 0, 256);
  cv::Mat expected;
  cv::cvtColor(rgb, expected, cv::COLOR_RGB2YUV);
  cv::Mat rgbPlanes[3];
  cv::split(rgb, rgbPlanes);
  cv::Mat yuvPlanes[3] = {cv::Mat(53, 71, CV_8UC1), cv::Mat(53, 71, CV_8UC1), cv::Mat(53, 71, CV_8UC1)};
  const uint8_t* source[3] = {rgbPlanes[0].data, rgbPlanes[1].data, rgbPlanes[2].data};
  uint8_t* destination[3] = {yuvPlanes[0].data, yuvPlanes[1].data, yuvPlanes[2].data};
  ASSERT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(source, 71, destination, 71, IppiSize{71, 53}), ippStsNoErr);
  cv::Mat ours;
  cv::merge(yuvPlanes, 3, ours);
  EXPECT_LE(cv::norm(ours, expected, cv::NORM_INF), 1.0);
}

TEST(YuvToRgb, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    const IppiSize size{shape.width, shape.height};
    TestImage<uint8_t> c3Source = C3Image(shape.width, shape.height, shape.padding, 2);
    c3Source.FillRandom(shape.width * 31 + shape.height, 0, 255);
    ThreePlanes planes(size, shape.padding);
    planes.FillRandom(shape.width + 7 * shape.padding);
    const UnchangedSource<uint8_t> unchanged(c3Source);
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> c3 = C3Image(shape.width, shape.height, shape.padding + 1, 3);
      ThreePlanes p3(size, shape.padding + 2);
      TestImage<uint8_t> p3c3 = C3Image(shape.width, shape.height, shape.padding, 0);
      ThreePlanes yuv(size, shape.padding);
      c3.FillBytes(SentinelFor(build));
      p3.FillBytes(SentinelFor(build));
      p3c3.FillBytes(SentinelFor(build));
      yuv.FillBytes(SentinelFor(build));
      const auto statuses = std::tuple(
          fnVCAIPP_YUVToRGB_8u_C3R(c3Source.data(), c3Source.step(), c3.data(), c3.step(), size),
          fnVCAIPP_YUVToRGB_8u_P3R(planes.sources(), planes.step(), p3.pointers(), p3.step(), size),
          fnVCAIPP_YUVToRGB_8u_P3C3R(planes.sources(), planes.step(), p3c3.data(), p3c3.step(), size),
          fnVCAIPP_RGBToYUV_8u_P3R(planes.sources(), planes.step(), yuv.pointers(), yuv.step(), size));
      EXPECT_TRUE(c3.GuardsIntact());
      EXPECT_TRUE(p3.GuardsIntact());
      EXPECT_TRUE(p3c3.GuardsIntact());
      EXPECT_TRUE(yuv.GuardsIntact());
      EXPECT_TRUE(unchanged.Check());
      EXPECT_TRUE(planes.GuardsIntact());
      return std::tuple(statuses, Capture(c3), p3.Capture(), Capture(p3c3), yuv.Capture());
    });
  });
}

TEST(YuvToRgb, ConvertsInPlace) {
  TestImage<uint8_t> image = C3Image(45, 3);
  image.FillRandom(5, 0, 255);
  TestImage<uint8_t> separate = C3Image(45, 3);
  ASSERT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(image.data(), image.step(), separate.data(), separate.step(), IppiSize{45, 3}),
            ippStsNoErr);
  ForEachBuild([&](Build) {
    TestImage<uint8_t> inPlace = C3Image(45, 3);
    inPlace.FillRandom(5, 0, 255);
    ASSERT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(inPlace.data(), inPlace.step(), inPlace.data(), inPlace.step(),
                                       IppiSize{45, 3}),
              ippStsNoErr);
    EXPECT_EQ(inPlace.Region(), separate.Region());
  });
}

// Each check in its documented place; nothing is written by a failing call.
TEST(YuvToRgb, BadArgumentsInOrderWriteNothing) {
  uint8_t pixel[3] = {1, 2, 3};
  uint8_t out[3] = {0, 0, 0};
  const uint8_t* source[3] = {pixel, pixel + 1, pixel + 2};
  uint8_t* destination[3] = {out, out + 1, out + 2};
  const uint8_t* sourceWithNull[3] = {pixel, nullptr, pixel + 2};
  uint8_t* destinationWithNull[3] = {out, out + 1, nullptr};
  const IppiSize one{1, 1};

  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(nullptr, 3, out, 3, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(pixel, 3, nullptr, 3, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(pixel, 3, out, 3, IppiSize{0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_C3R(pixel, 3, out, 3, IppiSize{1, -1}), ippStsSizeErr);

  // Planes to planes: the arrays, the size, then the plane pointers.
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(nullptr, 1, destination, 1, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(source, 1, nullptr, 1, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(sourceWithNull, 1, destinationWithNull, 1, IppiSize{1, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(source, 1, destinationWithNull, 1, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3R(sourceWithNull, 1, destination, 1, one), ippStsNullPtrErr);

  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(nullptr, 1, out, 3, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(source, 1, nullptr, 3, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(sourceWithNull, 1, out, 3, IppiSize{-3, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YUVToRGB_8u_P3C3R(sourceWithNull, 1, out, 3, one), ippStsNullPtrErr);

  EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(nullptr, 1, destination, 1, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(source, 1, nullptr, 1, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(sourceWithNull, 1, destinationWithNull, 1, IppiSize{1, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(sourceWithNull, 1, destination, 1, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV_8u_P3R(source, 1, destinationWithNull, 1, one), ippStsNullPtrErr);

  EXPECT_EQ(out[0] | out[1] | out[2], 0);
}

}  // namespace
}  // namespace ryn::test
