// Moment states: allocation and release, spatial moments and Hu invariants.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/moments/moments.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using moments::kMomentIndex00;

// A state that frees itself.
class State {
 public:
  State() { EXPECT_EQ(fnVCAIPP_MomentInitAlloc(&state_, 4), ippStsNoErr); }
  ~State() { EXPECT_EQ(fnVCAIPP_MomentFree_64f(state_), ippStsNoErr); }
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  RynMomentState* get() { return state_; }
  const double* Block(int channel) const { return state_->moments[channel]; }

 private:
  RynMomentState* state_ = nullptr;
};

std::vector<uint64_t> BlockBits(const State& state) {
  std::vector<uint64_t> bits;
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 16; ++i) bits.push_back(std::bit_cast<uint64_t>(state.Block(c)[i]));
  return bits;
}

TEST(MomentState, StartsWithoutMomentsAndKeepsTheHint) {
  State state;
  EXPECT_EQ(state.get()->identifier, 33);
  EXPECT_EQ(state.get()->hint, 4);
  EXPECT_EQ(state.get()->channelCount, -1);
  double hu[7] = {};
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu), ippStsChannelErr);
}

TEST(MomentState, AllocationAndReleaseErrors) {
  EXPECT_EQ(fnVCAIPP_MomentInitAlloc(nullptr, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MomentFree_64f(nullptr), ippStsNullPtrErr);
  RynMomentState* state = nullptr;
  ASSERT_EQ(fnVCAIPP_MomentInitAlloc(&state, 0), ippStsNoErr);
  state->identifier = 25;
  EXPECT_EQ(fnVCAIPP_MomentFree_64f(state), ippStsContextMatchErr);
  const uint8_t pixel = 1;
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(&pixel, 1, IppiSize{1, 1}, state), ippStsContextMatchErr);
  double hu[7] = {};
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(state, 0, hu), ippStsContextMatchErr);
  state->identifier = 33;
  EXPECT_EQ(fnVCAIPP_MomentFree_64f(state), ippStsNoErr);
}

TEST(Moments, SinglePixelHasOnlyM00AndZeroHuMoments) {
  State state;
  const uint8_t pixel = 1;
  ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(&pixel, 1, IppiSize{1, 1}, state.get()), ippStsNoErr);
  EXPECT_EQ(state.get()->channelCount, 1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(state.Block(0)[i], i == kMomentIndex00 ? 1.0 : 0.0) << i;
  double hu[7];
  ASSERT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu), ippStsNoErr);
  for (double value : hu) EXPECT_EQ(value, 0.0);
}

TEST(Moments, TwoPixelRow) {
  State state;
  const uint8_t pixels[2] = {1, 1};
  ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(pixels, 2, IppiSize{2, 1}, state.get()), ippStsNoErr);
  const double expected[16] = {2, 1, 1, 1};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(state.Block(0)[i], expected[i]) << i;
  double hu[7];
  ASSERT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu), ippStsNoErr);
  EXPECT_EQ(hu[0], 0.125);
  EXPECT_EQ(hu[1], 0.015625);
  double unchanged[7] = {9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 1, unchanged), ippStsChannelErr);
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), -1, unchanged), ippStsChannelErr);
  for (double value : unchanged) EXPECT_EQ(value, 9);
}

TEST(Moments, ZeroImageHasNoHuMoments) {
  State state;
  TestImage<uint8_t> image(5, 4);
  image.Fill(0);
  ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(image.data(), image.step(), image.size(), state.get()), ippStsNoErr);
  double hu[7] = {3, 3, 3, 3, 3, 3, 3};
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu), ippStsMoment00ZeroErr);
  for (double value : hu) EXPECT_EQ(value, 3);
}

TEST(Moments, EachComputationReplacesThePrevious) {
  State state;
  TestImage<uint8_t> image(30, 20);
  image.FillRandom(1, 0, 255);
  ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(image.data(), image.step(), image.size(), state.get()), ippStsNoErr);
  const auto first = BlockBits(state);
  state.get()->moments[2][7] = 5;
  ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(image.data(), image.step(), image.size(), state.get()), ippStsNoErr);
  EXPECT_EQ(BlockBits(state), first);
}

double RelativeDifference(double a, double b) {
  const double scale = std::max(std::fabs(a), std::fabs(b));
  return scale == 0 ? 0 : std::fabs(a - b) / scale;
}

TEST(Moments, MatchOpenCv) {
  for (const auto& [width, height] : {std::pair{1, 1}, {17, 9}, {300, 40}, {1920, 3}}) {
    SCOPED_TRACE(::testing::Message() << width << "x" << height);
    TestImage<uint8_t> image(width, height, 3, 1);
    image.FillRandom(static_cast<uint32_t>(width + height), 1, 255);
    State state;
    ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(image.data(), image.step(), image.size(), state.get()), ippStsNoErr);
    const cv::Moments expected =
        cv::moments(cv::Mat(height, width, CV_8UC1, image.data(), static_cast<size_t>(image.step())));
    const double* m = state.Block(0);
    const double opencv[16] = {expected.m00, expected.m10, expected.m20, expected.m30, expected.m01, expected.m11,
                               expected.m21, 0, expected.m02, expected.m12, 0, 0, expected.m03};
    // OpenCV sums in other orders; ours are exact per row.
    for (int i = 0; i < 16; ++i) EXPECT_LE(RelativeDifference(m[i], opencv[i]), 1e-13) << i;
    double hu[7], huExpected[7];
    cv::HuMoments(expected, huExpected);
    ASSERT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu), ippStsNoErr);
    // Hu invariants cancel large terms: compare against the scale of their first terms.
    for (int i = 0; i < 7; ++i) EXPECT_NEAR(hu[i], huExpected[i], 1e-9 * std::fabs(hu[0]) + 1e-12) << i;
  }
}

// Rows wide enough for several blocks of iterated sums and bright enough that x^3 I exceeds 64
// bits in the row total.
TEST(Moments, BuildsMatchGenericOnOddShapesAndWideRows) {
  auto run = [](int width, int height, int padding, uint8_t low) {
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> image(width, height, padding, 3);
      image.FillRandom(static_cast<uint32_t>(width * 13 + height), low, 255);
      const UnchangedSource<uint8_t> unchanged(image);
      State state;
      const IppStatus status = fnVCAIPP_Moments64f_8u_C1R(image.data(), image.step(), image.size(), state.get());
      EXPECT_EQ(status, ippStsNoErr);
      EXPECT_TRUE(unchanged.Check());
      double hu[7] = {};
      fnVCAIPP_GetHuMoments_64f(state.get(), 0, hu);
      std::vector<uint64_t> bits = BlockBits(state);
      for (double value : hu) bits.push_back(std::bit_cast<uint64_t>(value));
      return bits;
    });
  };
  ForEachOddShape([&](const Shape& s) { run(s.width, s.height, s.padding, 0); });
  for (int width : {2047, 2048, 4100, 70001}) run(width, 2, 1, 250);
}

TEST(Moments, WideRowSumsAreExact) {
  // One bright row of 70001 pixels: sum x^3 = (n (n - 1) / 2)^2, times 255.
  const int width = 70001;
  std::vector<uint8_t> row(width, 255);
  State state;
  ASSERT_EQ(fnVCAIPP_Moments64f_8u_C1R(row.data(), width, IppiSize{width, 1}, state.get()), ippStsNoErr);
  const long double n = width;
  const long double sum3 = (n * (n - 1) / 2) * (n * (n - 1) / 2) * 255;
  EXPECT_EQ(state.Block(0)[3], static_cast<double>(sum3));
  EXPECT_EQ(state.Block(0)[1], 255.0 * (70001.0 * 70000.0 / 2));
}

TEST(Moments, BadArgumentsInOrderChangeNothing) {
  State state;
  const uint8_t pixels[4] = {1, 2, 3, 4};
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(nullptr, 2, IppiSize{2, 2}, state.get()), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(pixels, 2, IppiSize{2, 2}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(pixels, 0, IppiSize{0, 2}, state.get()), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(pixels, 2, IppiSize{0, 2}, state.get()), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(pixels, 2, IppiSize{2, 0}, state.get()), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Moments64f_8u_C1R(pixels, 1, IppiSize{2, 2}, state.get()), ippStsStrideErr);
  EXPECT_EQ(state.get()->channelCount, -1);
  double hu[7];
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(nullptr, 0, hu), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_GetHuMoments_64f(state.get(), 0, nullptr), ippStsNullPtrErr);
}

}  // namespace
}  // namespace ryn::test
