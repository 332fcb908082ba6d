// The exact Euclidean distance transform and its buffer size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/segment/distance_envelope.h"
#include "segment_test_support.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

int BufferSize(IppiSize size) {
  int bytes = 0;
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(size, &bytes), ippStsNoErr);
  return bytes;
}

// The transform into a guarded destination, with a buffer of exactly the queried size.
TestImage<float> Transform(TestImage<uint8_t>& source, int padding = 12, int misalign = 4) {
  TestImage<float> distances(source.width(), source.height(), padding, misalign);
  GuardedBuffer buffer(BufferSize(source.size()));
  const UnchangedSource<uint8_t> unchanged(source);
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransform_8u32f_C1R(source.data(), source.step(), distances.data(),
                                                     distances.step(), source.size(), buffer.data()),
            ippStsNoErr);
  EXPECT_TRUE(distances.GuardsIntact());
  EXPECT_TRUE(buffer.GuardsIntact());
  EXPECT_TRUE(unchanged.Check());
  return distances;
}

// Every pixel's distance to the nearest zero by trying them all, and at most min(H + y, 2H - 1 - y).
void ExpectBruteForceDistances(const TestImage<uint8_t>& source, const TestImage<float>& distances) {
  const int height = source.height();
  std::vector<std::pair<int, int>> zeros;
  for (int v = 0; v < height; ++v)
    for (int u = 0; u < source.width(); ++u)
      if (source.at(u, v) == 0) zeros.emplace_back(u, v);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const int64_t virtualRow = std::min(height + y, 2 * height - 1 - y);
      int64_t best = virtualRow * virtualRow;
      for (const auto& [u, v] : zeros) best = std::min<int64_t>(best, int64_t{u - x} * (u - x) + int64_t{v - y} * (v - y));
      ASSERT_EQ(distances.at(x, y), std::sqrt(static_cast<float>(best))) << x << ", " << y;
    }
  }
}

TEST(DistanceTransform, SingleZeroPixel) {
  TestImage<uint8_t> source(10, 10);
  source.Fill(1);
  source.at(2, 3) = 0;
  const TestImage<float> distances = Transform(source);
  EXPECT_EQ(distances.at(2, 3), 0.0f);
  EXPECT_EQ(distances.at(7, 0), std::sqrt(34.0f));
  EXPECT_NEAR(distances.at(7, 0), 5.8309519f, 1e-6f);
  // Mirrored about the zero pixel wherever the mirror image lies inside.
  for (int y = 0; y <= 6; ++y)
    for (int x = 0; x <= 4; ++x) EXPECT_EQ(distances.at(x, y), distances.at(4 - x, 6 - y));
}

TEST(DistanceTransform, AllZeroSourceGivesZero) {
  TestImage<uint8_t> source(17, 5);
  source.Fill(0);
  for (float value : Transform(source).Region()) EXPECT_EQ(value, 0.0f);
}

// Without a zero pixel, every column sees only the virtual zero rows at -H and 2H - 1.
TEST(DistanceTransform, VirtualZeroRowsBoundEveryDistance) {
  TestImage<uint8_t> single(1, 1);
  single.Fill(7);
  EXPECT_EQ(Transform(single).at(0, 0), 1.0f);
  const int height = 9;
  TestImage<uint8_t> source(6, height);
  source.Fill(200);
  const TestImage<float> distances = Transform(source);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(distances.at(x, y), std::min(height + y, 2 * height - 1 - y)) << y;
}

TEST(DistanceTransform, ExactOnRandomImages) {
  for (int seed = 0; seed < 12; ++seed) {
    TestImage<uint8_t> source(1 + seed * 5, 1 + seed * 3, seed % 3, seed % 5);
    source.FillRandom(static_cast<uint32_t>(seed), 0, 20 + 10 * seed);  // zeros get sparser
    ExpectBruteForceDistances(source, Transform(source));
  }
}

TEST(DistanceTransform, ExactWithFarZeros) {
  TestImage<uint8_t> source(300, 12);
  source.FillRandom(7, 1, 255);
  for (const auto& [x, y] : {std::pair{3, 2}, {150, 11}, {299, 0}, {211, 5}}) source.at(x, y) = 0;
  ExpectBruteForceDistances(source, Transform(source));
}

TEST(DistanceTransform, ExactOnPatterns) {
  for (const Pattern& pattern : AdversarialPatterns()) {
    SCOPED_TRACE(pattern.name);
    TestImage<uint8_t> source(37, 23);
    Draw<uint8_t>(source, pattern, 1);
    ExpectBruteForceDistances(source, Transform(source));
  }
}

// OpenCV knows no virtual rows: compare where the distance is below H.
TEST(DistanceTransform, MatchesOpenCvBelowTheHeight) {
  for (const auto& [width, height, zeros] : {std::tuple{64, 48, 20}, {300, 200, 40}, {1920, 4, 300}}) {
    TestImage<uint8_t> source(width, height, 0, 0);
    source.Fill(255);
    std::mt19937 rng(static_cast<uint32_t>(width));
    for (int i = 0; i < zeros; ++i) source.at(static_cast<int>(rng() % width), static_cast<int>(rng() % height)) = 0;
    cv::Mat expected;
    cv::distanceTransform(AsMat(source), expected, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    const TestImage<float> distances = Transform(source);
    int compared = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (expected.at<float>(y, x) >= height) continue;
        ASSERT_EQ(distances.at(x, y), expected.at<float>(y, x)) << x << ", " << y;
        ++compared;
      }
    EXPECT_GT(compared, width * height / 2);
  }
}

// Squares of positions beyond 4096 are not exact in single precision; zero pixels of wide rows
// still get 0 and their neighbours 1.
TEST(DistanceTransform, WideRowsStayExact) {
  TestImage<uint8_t> source(9000, 2, 0, 0);
  source.Fill(1);
  for (int x = 4097; x < 9000; x += 2) source.at(x, 0) = source.at(x, 1) = 0;
  const TestImage<float> distances = Transform(source);
  for (int x = 4097; x < 8999; ++x) ASSERT_EQ(distances.at(x, 0), (x - 4097) % 2 == 0 ? 0.0f : 1.0f) << x;
  EXPECT_EQ(distances.at(0, 0), 2.0f);  // the virtual rows are nearer than the first zero
}

TEST(DistanceTransform, BuildsMatchGenericOnOddShapes) {
  // zeroOdds: one source pixel in zeroOdds + 1 is zero; sparse zeros leave some rows, and some
  // vectors, to the envelope.
  auto run = [](int width, int height, int padding, int misalign, int zeroOdds) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> source(width, height, padding, 1);
      source.FillRandom(static_cast<uint32_t>(width + 7 * height), 0, zeroOdds);
      TestImage<float> distances(width, height, 4 * padding, misalign);
      distances.FillBytes(SentinelFor(build));
      GuardedBuffer buffer(BufferSize(source.size()));
      EXPECT_EQ(fnVCAIPP_TrueDistanceTransform_8u32f_C1R(source.data(), source.step(), distances.data(),
                                                         distances.step(), source.size(), buffer.data()),
                ippStsNoErr);
      EXPECT_TRUE(distances.GuardsIntact());
      EXPECT_TRUE(buffer.GuardsIntact());
      return Capture(distances);
    });
  };
  ForEachOddShape([&](const Shape& s) {
    run(s.width, s.height, s.padding, 4, 12);
    run(s.width, s.height, s.padding, 4, 255);
  });
  for (int zeroOdds : {3, 40, 400, 4000, 40000}) run(1920, 9, 1, 16, zeroOdds);
  run(33, 20, 0, 2, 20);  // a destination off any 4-byte boundary
}

TEST(DistanceTransform, BufferSizeQuery) {
  int size = -1;
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize{10, 3}, &size), ippStsNoErr);
  EXPECT_EQ(size, 12 * 24 + 56);
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize{2, 13}, &size), ippStsNoErr);
  EXPECT_EQ(size, 16 * 24 + 56);
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize{2, 13}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize{0, 13}, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize{100000000, 1}, &size), ippStsSizeErr);
  EXPECT_EQ(size, 16 * 24 + 56);
}

// The row pass's arrays and the reads the vector search makes around its copy of a row fit the
// queried buffer for every width.
TEST(DistanceTransform, WorkspaceFitsTheQueriedBuffer) {
  for (int width = 1; width <= 5000; ++width) {
    ASSERT_LE(segment::EnvelopeWorkspace::BytesFor(width), BufferSize(IppiSize{width, 1})) << width;
  }
}

TEST(DistanceTransform, BadArgumentsInOrderWriteNothing) {
  uint8_t source[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  float destination[8] = {};
  uint8_t buffer[256];
  const IppiSize size{4, 2};
  auto call = [&](const uint8_t* s, int sStep, float* d, int dStep, IppiSize r, uint8_t* b) {
    return fnVCAIPP_TrueDistanceTransform_8u32f_C1R(s, sStep, d, dStep, r, b);
  };
  EXPECT_EQ(call(nullptr, 4, destination, 16, IppiSize{0, 0}, buffer), ippStsNullPtrErr);
  EXPECT_EQ(call(source, 4, nullptr, 16, size, buffer), ippStsNullPtrErr);
  EXPECT_EQ(call(source, 4, destination, 16, size, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(call(source, 0, destination, 1, IppiSize{0, 2}, buffer), ippStsSizeErr);
  EXPECT_EQ(call(source, 0, destination, 1, IppiSize{4, 0}, buffer), ippStsSizeErr);
  EXPECT_EQ(call(source, 3, destination, 16, size, buffer), ippStsStepErr);
  EXPECT_EQ(call(source, 4, destination, 15, size, buffer), ippStsStepErr);
  EXPECT_EQ(call(source, 4, destination, 18, size, buffer), ippStsNotEvenStepErr);
  for (float value : destination) EXPECT_EQ(value, 0.0f);
}

}  // namespace
}  // namespace ryn::test
