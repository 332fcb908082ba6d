// Rotation, the perspective transform and the perspective warp: examples, checks in order, OpenCV
// oracles, every build against the generic code, sources at the end of memory.
#include <gtest/gtest.h>

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

std::vector<double> Transform(std::vector<double> quadrangle, IppiSize size, IppStatus expected = ippStsNoErr) {
  std::vector<double> c(9, -1.0);
  EXPECT_EQ(fnVCAIPP_GetPerspectiveTransform_8u_C1R(quadrangle.data(), size, c.data()), expected);
  return c;
}

TEST(PerspectiveTransform, RectangleGivesIdentity) {
  EXPECT_EQ(Transform({0, 0, 9, 0, 9, 6, 0, 6}, {10, 7}), (std::vector<double>{1, 0, 0, 0, 1, 0, 0, 0, 1}));
}

TEST(PerspectiveTransform, RefusesDegenerateQuadranglesInOrder) {
  Transform({0, 0, 9, 0, 9, 0, 0, 6}, {10, 7}, ippStsQuadErr);  // two points coincide
  Transform({0, 0, 9, 6, 9, 0, 0, 6}, {10, 7}, ippStsQuadErr);  // self-crossing
  Transform({0, 0, 4, 1, 8, 2, 0, 6}, {10, 7}, ippStsQuadErr);  // three points on a line
  Transform({0, 0, 9, 0, 9, 6, 0, 6}, {1, 7}, ippStsRectErr);   // one column
  Transform({0, 0, 9, 0, 9, 0, 0, 6}, {0, 7}, ippStsSizeErr);
  double c[9];
  EXPECT_EQ(fnVCAIPP_GetPerspectiveTransform_8u_C1R(nullptr, {10, 7}, c), ippStsNullPtrErr);
}

TEST(PerspectiveTransform, MatchesOpenCv) {
  const std::vector<double> quad = {3.5, 1.25, 90.0, 10.0, 80.0, 70.5, -4.0, 55.0};
  const std::vector<double> c = Transform(quad, {64, 48});
  const std::vector<cv::Point2f> from = {{0, 0}, {63, 0}, {63, 47}, {0, 47}};
  std::vector<cv::Point2f> to;
  for (int i = 0; i < 4; ++i) to.emplace_back(static_cast<float>(quad[2 * i]), static_cast<float>(quad[2 * i + 1]));
  const cv::Mat expected = cv::getPerspectiveTransform(from, to);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(c[i], expected.at<double>(i / 3, i % 3), 1e-9 * (1 + std::fabs(c[i])));
}

TEST(WarpPerspective, IdentityCopiesBothWays) {
  TestImage<uint8_t> source = RandomImage(31, 17, 1, 0, 0);
  const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  for (uint8_t direction : {0, 1}) {
    TestImage<uint8_t> destination(31, 17, 0, 0);
    ASSERT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), source.size(), source.step(),
                                              direction, identity),
              ippStsNoErr);
    EXPECT_EQ(destination.Region(), source.Region());
    EXPECT_TRUE(destination.GuardsIntact());
  }
}

TEST(WarpPerspective, MappingOutsideLeavesTheFill) {
  TestImage<uint8_t> source = RandomImage(20, 10, 2, 0, 0), destination(20, 10, 0, 0);
  const double away[9] = {1, 0, 45, 0, 1, 0, 0, 0, 1};
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), source.size(), source.step(), 1, away),
            ippStsWrongIntersectQuad);
  for (uint8_t v : destination.Region()) ASSERT_EQ(v, 15);
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(WarpPerspective, ChecksInOrderAfterTheFill) {
  TestImage<uint8_t> source = RandomImage(8, 8, 3, 0, 0), destination(8, 8, 0, 0);
  const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const double singular[9] = {1, 2, 0, 2, 4, 0, 0, 0, 1};
  const double noScale[9] = {1, 0, 0, 0, 1, 0, 0, 0, 0};
  const double horizon[9] = {1, 0, 0, 0, 1, 0, -0.25, 0, 1};  // the line at infinity crosses the image
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(nullptr, destination.data(), {8, 8}, 8, 1, identity), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {8, 8}, 8, 1, nullptr),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {0, 8}, 8, 1, identity), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {8, 8}, 0, 1, identity), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {8, 8}, 8, 1, singular), ippStsCoeffErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {8, 8}, 8, 1, noScale), ippStsCoeffErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {8, 8}, 8, 1, horizon), ippStsCoeffErr);
  EXPECT_EQ(fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), {1, 8}, 8, 1, identity), ippStsRectErr);
  for (uint8_t v : destination.Region()) ASSERT_EQ(v, 15);
  EXPECT_EQ(ryn::geometry::WarpPerspective8u(source.data(), {8, 8}, 8, {0, 0, 8, 8}, destination.data(), 8,
                                             {0, 0, 8, 8}, identity, 6, true),
            ippStsInterpolationErr);
  EXPECT_EQ(ryn::geometry::WarpPerspective8u(source.data(), {8, 8}, 8, {8, 0, 8, 8}, destination.data(), 8,
                                             {0, 0, 8, 8}, identity, 1, true),
            ippStsWrongIntersectROI);
}

// Whole-pixel maps, where nearest neighbour has no ties: OpenCV's warp with the fill as border.
TEST(WarpPerspective, MatchesOpenCvOnExactMaps) {
  TestImage<uint8_t> source = RandomImage(40, 30, 4, 0, 0);
  const std::vector<std::vector<double>> maps = {
      {1, 0, 3, 0, 1, -2, 0, 0, 1}, {-1, 0, 39, 0, 1, 0, 0, 0, 1}, {0, 1, 0, 1, 0, 0, 0, 0, 1}};
  for (const auto& m : maps) {
    TestImage<uint8_t> destination(40, 30, 0, 0);
    ASSERT_GE(
        fnVCAIPP_WarpPerspective_8u_C1R(source.data(), destination.data(), source.size(), source.step(), 1, m.data()),
        ippStsNoErr);
    cv::Mat expected;
    cv::warpPerspective(MatOf(source, CV_8UC1), expected, cv::Mat(3, 3, CV_64F, const_cast<double*>(m.data())),
                        cv::Size(40, 30), cv::INTER_NEAREST, cv::BORDER_CONSTANT, cv::Scalar(15));
    EXPECT_EQ(cv::norm(expected, MatOf(destination, CV_8UC1), cv::NORM_INF), 0);
  }
}

IppStatus Rotate(TestImage<uint8_t>& source, TestImage<uint8_t>& destination, double angle, double xShift,
                 double yShift, int interpolation) {
  return fnVCAIPP_Rotate_8u_C1R(
      source.data(), source.size(), source.step(), {0, 0, source.width(), source.height()}, destination.data(),
      destination.step(), {0, 0, destination.width(), destination.height()}, angle, xShift, yShift, interpolation);
}

TEST(Rotate, QuarterTurnsMovePixelsLikeOpenCv) {
  TestImage<uint8_t> source = RandomImage(13, 7, 5);
  TestImage<uint8_t> a(7, 13), b(7, 13), c(7, 13);
  ASSERT_EQ(Rotate(source, a, 90, 0, 12, 2), ippStsNoErr);
  ASSERT_EQ(Rotate(source, b, 450, 0, 12, 3), ippStsNoErr);  // quarter turns take any interpolation
  cv::Mat expected;
  cv::rotate(MatOf(source, CV_8UC1), expected, cv::ROTATE_90_COUNTERCLOCKWISE);
  EXPECT_EQ(cv::norm(expected, MatOf(a, CV_8UC1), cv::NORM_INF), 0);
  EXPECT_EQ(a.Region(), b.Region());
  ASSERT_EQ(Rotate(source, c, -90, 6, 0, 1), ippStsNoErr);
  cv::rotate(MatOf(source, CV_8UC1), expected, cv::ROTATE_90_CLOCKWISE);
  EXPECT_EQ(cv::norm(expected, MatOf(c, CV_8UC1), cv::NORM_INF), 0);
  TestImage<uint8_t> half(13, 7);
  ASSERT_EQ(Rotate(source, half, 180, 12, 6, 1), ippStsNoErr);
  cv::rotate(MatOf(source, CV_8UC1), expected, cv::ROTATE_180);
  EXPECT_EQ(cv::norm(expected, MatOf(half, CV_8UC1), cv::NORM_INF), 0);
  EXPECT_EQ(Rotate(source, half, 180, 100, 6, 1), ippStsWrongIntersectROI);
}

TEST(Rotate, AboutTheCentreKeepsTheCentre) {
  TestImage<uint8_t> source = RandomImage(15, 15, 6), destination(15, 15);
  for (double angle : {90.0, 30.0, 200.0}) {
    destination.Fill(0);
    ASSERT_EQ(fnVCAIPP_RotateCenter_8u_C1R(source.data(), source.size(), source.step(), {0, 0, 15, 15},
                                           destination.data(), destination.step(), {0, 0, 15, 15}, angle, 7, 7, 2),
              ippStsNoErr);
    EXPECT_EQ(destination.at(7, 7), source.at(7, 7)) << angle;
  }
}

TEST(Rotate, ZeroDegreesCopiesThroughTheAffineEngine) {
  TestImage<uint8_t> source = RandomImage(9, 6, 7);
  for (int mode : {1, 2, 4, 6}) {
    TestImage<uint8_t> destination(9, 6);
    ASSERT_EQ(Rotate(source, destination, 360, 0, 0, mode), ippStsNoErr);
    EXPECT_EQ(destination.Region(), source.Region()) << mode;
  }
}

// A ramp rotated by 30 degrees: each destination pixel whose centre maps back inside the source's
// pixel centres takes the ramp's value there (linear and cubic interpolation keep a ramp, nearest
// takes the closest pixel); every pixel that maps outside keeps its value.
TEST(Rotate, SamplesTheRampAtTheInverselyMappedPosition) {
  TestImage<uint8_t> source(40, 30);
  auto ramp = [](double x, double y) { return 3 * x + 2 * y + 10; };
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) source.at(x, y) = static_cast<uint8_t>(ramp(x, y));
  const double angle = 30, xShift = 10, yShift = 25, r = angle / 180 * std::numbers::pi;
  for (int mode : {1, 2, 4, 6}) {
    SCOPED_TRACE(::testing::Message() << "mode " << mode);
    TestImage<uint8_t> destination(60, 60);
    destination.Fill(7);
    ASSERT_EQ(Rotate(source, destination, angle, xShift, yShift, mode), ippStsNoErr);
    // Cubic taps reach one pixel further each way; keep them off the replicated edges.
    const double margin = mode >= 4 ? 1.0 : 0.0;
    int written = 0;
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 60; ++x) {
        // (x, y) = (sx cos + sy sin + xShift, -sx sin + sy cos + yShift), undone.
        const double sx = std::cos(r) * (x - xShift) - std::sin(r) * (y - yShift);
        const double sy = std::sin(r) * (x - xShift) + std::cos(r) * (y - yShift);
        const bool outside = sx < -1e-6 || sy < -1e-6 || sx > 39 + 1e-6 || sy > 29 + 1e-6;
        if (outside) {
          ASSERT_EQ(destination.at(x, y), 7) << x << "," << y;
          continue;
        }
        if (sx < margin + 1e-6 || sy < margin + 1e-6 || sx > 39 - margin - 1e-6 || sy > 29 - margin - 1e-6) continue;
        ++written;
        if (mode == 1) {
          if (std::fabs(sx - std::floor(sx) - 0.5) < 1e-3 || std::fabs(sy - std::floor(sy) - 0.5) < 1e-3) continue;
          EXPECT_EQ(destination.at(x, y), ramp(std::round(sx), std::round(sy))) << x << "," << y;
        } else {
          EXPECT_NEAR(destination.at(x, y), ramp(sx, sy), 1.0) << x << "," << y;
        }
      }
    }
    EXPECT_GT(written, 600);
    EXPECT_TRUE(destination.GuardsIntact());
  }
}

TEST(Rotate, ChecksInOrderWriteNothing) {
  TestImage<uint8_t> source = RandomImage(8, 8, 8), destination(8, 8);
  destination.FillBytes(1);
  auto rotate = [&](const uint8_t* s, IppiSize size, IppiRect region, double angle, int interpolation) {
    return fnVCAIPP_Rotate_8u_C1R(s, size, 8, region, destination.data(), destination.step(), {0, 0, 8, 8}, angle, 0, 0,
                                  interpolation);
  };
  EXPECT_EQ(rotate(nullptr, {8, 8}, {0, 0, 8, 8}, 30, 3), ippStsNullPtrErr);
  EXPECT_EQ(rotate(source.data(), {8, 0}, {0, 0, 8, 8}, 30, 3), ippStsSizeErr);
  EXPECT_EQ(rotate(source.data(), {8, 8}, {0, 0, 8, 8}, 30, 3), ippStsInterpolationErr);
  EXPECT_EQ(rotate(source.data(), {8, 8}, {0, 0, 8, 8}, 30, kFade | 2), ippStsInterpolationErr);
  EXPECT_EQ(rotate(source.data(), {8, 8}, {0, 0, 8, 8}, std::nan(""), 2), ippStsCoeffErr);
  EXPECT_EQ(rotate(source.data(), {8, 8}, {0, 8, 8, 8}, 30, 2), ippStsWrongIntersectROI);
  EXPECT_EQ(rotate(source.data(), {8, 8}, {7, 0, 8, 8}, 30, 2), ippStsRectErr);
  // Quarter turns check no interpolation.
  EXPECT_EQ(rotate(source.data(), {8, 8}, {0, 8, 8, 8}, 90, 3), ippStsWrongIntersectROI);
  for (uint8_t v : destination.Region()) ASSERT_EQ(v, 1);
}

// Half a pixel of shift: the first column maps half a pixel outside the region. Plain rotation
// leaves it; edge smoothing blends it half way toward the edge pixel.
TEST(Rotate, EdgeSmoothingBlendsTheBandOutsideTheRegion) {
  TestImage<uint8_t> source(6, 4), plain(8, 4), smooth(8, 4);
  source.Fill(200);
  plain.Fill(100);
  smooth.Fill(100);
  ASSERT_EQ(Rotate(source, plain, 0, 0.5, 0, 2), ippStsNoErr);
  ASSERT_EQ(Rotate(source, smooth, 0, 0.5, 0, kBlend | 2), ippStsNoErr);
  EXPECT_EQ(plain.at(0, 1), 100);
  EXPECT_EQ(smooth.at(0, 1), 150);
  EXPECT_EQ(plain.at(3, 1), 200);
  EXPECT_EQ(smooth.at(3, 1), 200);
  EXPECT_EQ(smooth.at(6, 1), 150);  // 5.5 lies half a pixel beyond the last column
  EXPECT_EQ(smooth.at(7, 1), 100);
}

TEST(Rotate, BuildsMatchGeneric) {
  const IppiSize sizes[] = {{37, 29}, {5, 70}, {4, 4}, {130, 9}};
  for (IppiSize size : sizes) {
    for (int interpolation : {1, 2, 4, 6, kBlend | 1, kBlend | 2, kBlend | 6}) {
      for (double angle : {30.0, -117.5, 90.0}) {
        SCOPED_TRACE(::testing::Message()
                     << size.width << "x" << size.height << " interpolation " << interpolation << " angle " << angle);
        const TestImage<uint8_t> source = RandomImage(size.width, size.height, 9);
        ExpectBuildsMatchGeneric([&](Build) {
          TestImage<uint8_t> copy = source;
          TestImage<uint8_t> destination(size.width + 11, size.height + 7, 3, 1);
          destination.FillRandom(10, 0, 255);
          const IppStatus status = fnVCAIPP_RotateCenter_8u_C1R(
              copy.data(), copy.size(), copy.step(), {1, 1, size.width, size.height}, destination.data(),
              destination.step(), {2, 1, size.width + 5, size.height + 6}, angle, size.width / 2.0 + 0.3,
              size.height / 2.0, interpolation);
          EXPECT_TRUE(destination.GuardsIntact());
          return std::make_tuple(status, Capture(destination));
        });
      }
    }
  }
}

TEST(WarpPerspective, EngineBuildsMatchGeneric) {
  const double matrix[9] = {0.9, 0.15, 2.5, -0.1, 1.05, 1.0, 0.0015, -0.002, 1.0};
  for (int interpolation : {1, 2, 4, kBlend | 1, kBlend | 2}) {
    for (bool forward : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "interpolation " << interpolation << " forward " << forward);
      const TestImage<uint8_t> source = RandomImage(67, 45, 11);
      ExpectBuildsMatchGeneric([&](Build) {
        TestImage<uint8_t> copy = source;
        TestImage<uint8_t> destination(70, 50, 2, 7);
        destination.FillRandom(12, 0, 255);
        const IppStatus status =
            ryn::geometry::WarpPerspective8u(copy.data(), copy.size(), copy.step(), {2, 1, 60, 40}, destination.data(),
                                             destination.step(), {0, 0, 70, 50}, matrix, interpolation, forward);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::make_tuple(status, Capture(destination));
      });
    }
  }
}

TEST(Warps, ReadOnlyTheSource) {
  for (int interpolation : {1, 2, 4, 6, kBlend | 2}) {
    SCOPED_TRACE(::testing::Message() << "interpolation " << interpolation);
    ForEachBuild([&](Build) {
      GuardedImage source(61, 23, 64);
      for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 61; ++x) source.at(x, y) = static_cast<uint8_t>(x + 3 * y);
      TestImage<uint8_t> destination(80, 80);
      EXPECT_EQ(
          fnVCAIPP_RotateCenter_8u_C1R(source.data(), source.size(), source.step(), {0, 0, 61, 23}, destination.data(),
                                       destination.step(), {0, 0, 80, 80}, 33, 30, 11, interpolation),
          ippStsNoErr);
      const double matrix[9] = {1.2, 0.1, 3, 0.05, 0.9, 2, 0.001, 0.002, 1};
      if (interpolation != 6) {
        EXPECT_EQ(ryn::geometry::WarpPerspective8u(source.data(), source.size(), source.step(), {0, 0, 61, 23},
                                                   destination.data(), destination.step(), {0, 0, 80, 80}, matrix,
                                                   interpolation, true),
                  ippStsNoErr);
      }
      EXPECT_TRUE(destination.GuardsIntact());
    });
  }
}

}  // namespace
}  // namespace ryn::test
