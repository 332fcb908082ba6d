// Template matching by FFT correlation: against the formula summed directly in double, against
// OpenCV's normalised squared difference, and every build against the generic one.
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "fft_test_support.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

constexpr double kFloor = 0x1p-23;

// (sum I^2 - 2 sum I T + ||T||^2) / (sqrt(max(sum I^2, e)) max(||T||, e)) at (x, y), in double.
double DirectDistance(const TestImage<float>& source, const TestImage<float>& pattern, int x, int y) {
  double energy = 0, cross = 0, patternSquares = 0;
  for (int v = 0; v < pattern.height(); ++v) {
    for (int u = 0; u < pattern.width(); ++u) {
      const double i = source.at(x + u, y + v), t = pattern.at(u, v);
      energy += i * i;
      cross += i * t;
      patternSquares += t * t;
    }
  }
  const double norm = std::sqrt(patternSquares);
  return (energy - 2 * cross + norm * norm) / (std::sqrt(std::max(energy, kFloor)) * std::max(norm, kFloor));
}

std::tuple<IppStatus, Snapshot> Match(const TestImage<float>& source, const TestImage<float>& pattern, Build build) {
  TestImage<float> destination(source.width() - pattern.width() + 1, source.height() - pattern.height() + 1, 12, 4);
  destination.FillBytes(SentinelFor(build));
  const UnchangedSource<float> unchangedSource(source), unchangedPattern(pattern);
  const IppStatus status =
      fnVCAIPP_SqrDistanceValid_Norm(source.data(), source.step(), source.size(), pattern.data(), pattern.step(),
                                     pattern.size(), destination.data(), destination.step());
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_TRUE(unchangedSource.Check());
  EXPECT_TRUE(unchangedPattern.Check());
  return std::tuple(status, Capture(destination));
}

float ValueAt(const Snapshot& s, int x, int y) {
  float v;
  std::memcpy(&v, s.bytes.data() + 4 * (static_cast<size_t>(y) * s.width + x), 4);
  return v;
}

// Sizes that take one tile, several tiles with clipped edges, the pattern as large as the
// source, one-pixel patterns and one-row images.
TEST(SqrDistanceValidNorm, AgreesWithTheDirectSum) {
  const std::tuple<IppiSize, IppiSize> cases[] = {{{20, 15}, {3, 4}},  {{64, 40}, {8, 8}}, {{100, 70}, {7, 5}},
                                                  {{37, 29}, {37, 29}}, {{50, 3}, {1, 1}},  {{131, 1}, {9, 1}},
                                                  {{1, 90}, {1, 20}},   {{70, 66}, {33, 2}}};
  for (const auto& [sourceSize, patternSize] : cases) {
    SCOPED_TRACE(::testing::Message() << sourceSize.width << "x" << sourceSize.height << " with "
                                      << patternSize.width << "x" << patternSize.height);
    TestImage<float> source(sourceSize.width, sourceSize.height, 8, 4), pattern(patternSize.width, patternSize.height, 4, 8);
    source.FillRandom(static_cast<uint32_t>(sourceSize.width), 0.0f, 1.0f);
    pattern.FillRandom(static_cast<uint32_t>(patternSize.height), 0.0f, 1.0f);
    const auto [status, result] = Match(source, pattern, Build::kGeneric);
    ASSERT_EQ(status, ippStsNoErr);
    for (int y = 0; y < result.height; ++y) {
      for (int x = 0; x < result.width; ++x) {
        const double expected = DirectDistance(source, pattern, x, y);
        ASSERT_NEAR(ValueAt(result, x, y), expected, 2e-5 * std::max(1.0, expected)) << x << "," << y;
      }
    }
  }
}

TEST(SqrDistanceValidNorm, ATemplateCutFromTheSourceMatchesThere) {
  TestImage<float> source(90, 60);
  source.FillRandom(3, 0.0f, 255.0f);
  TestImage<float> pattern(12, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) pattern.at(x, y) = source.at(41 + x, 17 + y);
  const auto [status, result] = Match(source, pattern, Build::kGeneric);
  ASSERT_EQ(status, ippStsNoErr);
  EXPECT_NEAR(ValueAt(result, 41, 17), 0.0f, 1e-5);
  EXPECT_GT(ValueAt(result, 40, 17), 0.01f);
}

// Zero windows and a zero template take the floors of the denominator.
TEST(SqrDistanceValidNorm, ZeroWindowsAndZeroTemplate) {
  TestImage<float> source(40, 30), pattern(5, 5), zeros(5, 5);
  source.FillRandom(4, 0.0f, 1.0f);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) source.at(x, y) = 0;
  pattern.FillRandom(5, 0.5f, 1.0f);
  zeros.Fill(0);
  for (const TestImage<float>* t : {&pattern, &zeros}) {
    const auto [status, result] = Match(source, *t, Build::kGeneric);
    ASSERT_EQ(status, ippStsNoErr);
    for (const auto& [x, y] : {std::pair{0, 0}, {7, 7}, {10, 3}, {20, 20}}) {
      const double expected = DirectDistance(source, *t, x, y);
      EXPECT_NEAR(ValueAt(result, x, y), expected, 2e-5 * std::max(1.0, std::fabs(expected))) << x << "," << y;
    }
  }
}

TEST(SqrDistanceValidNorm, AgreesWithOpenCv) {
  TestImage<float> source(160, 120, 0, 0), pattern(16, 16, 0, 0);
  source.FillRandom(6, 0.0f, 255.0f);
  pattern.FillRandom(7, 0.0f, 255.0f);
  const auto [status, result] = Match(source, pattern, Build::kGeneric);
  ASSERT_EQ(status, ippStsNoErr);
  const cv::Mat sourceMat(120, 160, CV_32FC1, source.data(), static_cast<size_t>(source.step()));
  const cv::Mat patternMat(16, 16, CV_32FC1, pattern.data(), static_cast<size_t>(pattern.step()));
  cv::Mat expected;
  cv::matchTemplate(sourceMat, patternMat, expected, cv::TM_SQDIFF_NORMED);
  ASSERT_EQ(expected.cols, result.width);
  for (int y = 0; y < result.height; ++y)
    for (int x = 0; x < result.width; ++x) ASSERT_NEAR(ValueAt(result, x, y), expected.at<float>(y, x), 1e-4) << x << "," << y;
}

TEST(SqrDistanceValidNorm, BuildsMatchGeneric) {
  for (const auto& [sourceSize, patternSize] : {std::pair{IppiSize{45, 33}, IppiSize{6, 5}}, {{200, 90}, {17, 11}}}) {
    TestImage<float> source(sourceSize.width, sourceSize.height, 20, 4);
    TestImage<float> pattern(patternSize.width, patternSize.height, 12, 4);
    source.FillRandom(8, -1.0f, 1.0f);
    pattern.FillRandom(9, -1.0f, 1.0f);
    ExpectBuildsMatchGeneric([&](Build build) { return Match(source, pattern, build); });
  }
}

TEST(SqrDistanceValidNorm, BadArgumentsInOrderWithNothingWritten) {
  const float pixels[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  float out[16];
  std::fill(std::begin(out), std::end(out), -1.0f);
  auto match = [&](const float* s, int ss, IppiSize sz, const float* t, int ts, IppiSize tz, float* d, int ds) {
    return fnVCAIPP_SqrDistanceValid_Norm(s, ss, sz, t, ts, tz, d, ds);
  };
  EXPECT_EQ(match(nullptr, 16, {4, 4}, pixels, 8, {2, 2}, out, 12), ippStsNullPtrErr);
  EXPECT_EQ(match(pixels, 16, {4, 4}, nullptr, 8, {2, 2}, out, 12), ippStsNullPtrErr);
  EXPECT_EQ(match(pixels, 16, {4, 4}, pixels, 8, {2, 2}, nullptr, 12), ippStsNullPtrErr);
  EXPECT_EQ(match(pixels, 0, {0, 4}, pixels, 0, {2, 2}, out, 0), ippStsSizeErr);
  EXPECT_EQ(match(pixels, 0, {4, 4}, pixels, 0, {2, 0}, out, 0), ippStsSizeErr);
  EXPECT_EQ(match(pixels, 0, {4, 4}, pixels, 0, {5, 2}, out, 0), ippStsSizeErr);
  EXPECT_EQ(match(pixels, 0, {4, 4}, pixels, 0, {2, 5}, out, 0), ippStsSizeErr);
  EXPECT_EQ(match(pixels, 0, {4, 4}, pixels, 8, {2, 2}, out, 12), ippStsStepErr);
  EXPECT_EQ(match(pixels, 16, {4, 4}, pixels, 0, {2, 2}, out, 12), ippStsStepErr);
  EXPECT_EQ(match(pixels, 16, {4, 4}, pixels, 8, {2, 2}, out, -1), ippStsStepErr);
  for (float v : out) EXPECT_EQ(v, -1.0f);
}

}  // namespace
}  // namespace ryn::test
