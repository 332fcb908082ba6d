// Mean and deviation of float images: single-precision sums and the second pass around the mean.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <opencv2/core.hpp>
#include <random>
#include <tuple>

#include "RynRAZUdidazoror.h"
#include "stats_test_support.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

std::tuple<IppStatus, double, double> MeanStdDev(TestImage<float>& image) {
  const UnchangedSource<float> source(image);
  double mean = -1, deviation = -1;
  const IppStatus status = fnVCAIPP_Mean_StdDev_32f_C1R(image.data(), image.step(), image.size(), &mean, &deviation);
  EXPECT_TRUE(source.Check());
  return {status, mean, deviation};
}

// The same, on a copy of the pixels whose rows start one byte past a 64-byte boundary; results by
// their bits.
std::tuple<IppStatus, uint64_t, uint64_t> MeanStdDevAtOddAddress(const TestImage<float>& image) {
  const TestImage<uint8_t> bytes = AtOddAddress(image, 1);
  const UnchangedSource<uint8_t> source(bytes);
  double mean = -1, deviation = -1;
  const IppStatus status = fnVCAIPP_Mean_StdDev_32f_C1R(FloatsOf(bytes), bytes.step(), image.size(), &mean, &deviation);
  EXPECT_TRUE(source.Check());
  return {status, Bits(mean), Bits(deviation)};
}

// Population deviation of the pixels, in double, around their exact mean.
double ExactDeviation(const TestImage<float>& image) {
  double sum = 0, squares = 0;
  const auto pixels = image.Region();
  for (float x : pixels) sum += x;
  const double mean = sum / pixels.size();
  for (float x : pixels) squares += (x - mean) * (x - mean);
  return std::sqrt(squares / pixels.size());
}

// Around 1e6 the single-precision squares cannot resolve a deviation of 0.3: only the second pass
// around the mean finds it. (OpenCV's double-precision sum of squares cannot resolve it either.)
TEST(MeanStdDev32f, LargeMeanWithSmallNoiseTakesTheSecondPass) {
  for (IppiSize size : {IppiSize{200, 100}, IppiSize{33, 153}}) {
    TestImage<float> image(size.width, size.height, 8, 4);
    image.FillRandom(size.width, 1e6f - 0.5f, 1e6f + 0.5f);
    const auto [status, mean, deviation] = MeanStdDev(image);
    EXPECT_EQ(status, ippStsNoErr);
    EXPECT_NEAR(mean, 1e6, 0.05);
    const double exact = ExactDeviation(image);
    EXPECT_GT(exact, 0.25);
    EXPECT_NEAR(deviation, exact, 1e-3 * exact);
  }
}

// Below 5001 pixels the sums run in single precision over the whole region: 3500 pixels near 1e6
// give a mean off by tens, and the second pass measures the spread around that mean.
TEST(MeanStdDev32f, SmallRegionsKeepTheSinglePrecisionMean) {
  TestImage<float> image(70, 50, 8, 4);
  image.FillRandom(70, 1e6f - 0.5f, 1e6f + 0.5f);
  float run = 0.0f;
  for (float x : image.Region()) run += x;
  const auto [status, mean, deviation] = MeanStdDev(image);
  EXPECT_EQ(mean, double{run} / 3500);
  EXPECT_NEAR(deviation, std::hypot(ExactDeviation(image), 1e6 - mean), 0.05);
}

// Spread out values: the first pass stands (0.05 x mean^2 < variance).
TEST(MeanStdDev32f, FirstPassStandsForSpreadValues) {
  TestImage<float> image(64, 100, 4, 4);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 64; ++x) image.at(x, y) = (x + y) % 2 == 0 ? 0.0f : 2.0f;
  EXPECT_EQ(MeanStdDev(image), std::tuple(ippStsNoErr, 1.0, 1.0));

  TestImage<float> random(311, 97, 0, 4);
  random.FillRandom(3, -50.0f, 80.0f);
  cv::Scalar cvMean, cvDeviation;
  cv::meanStdDev(AsMat(random), cvMean, cvDeviation);
  const auto [status, mean, deviation] = MeanStdDev(random);
  EXPECT_NEAR(mean, cvMean[0], 1e-4);
  EXPECT_NEAR(deviation, cvDeviation[0], 1e-4);
}

// 1 + 2^-12 summed per pair of rows is exact, summed over 5000 pixels in one single-precision run it
// is not: the region size picks the accumulation.
TEST(MeanStdDev32f, RegionsFromFiveThousandAndOnePixelsAreSummedPerPairOfRows) {
  const float value = 1.0f + 0x1p-12f;
  TestImage<float> pairs(100, 100, 12, 4);  // 10000 pixels
  pairs.Fill(value);
  EXPECT_EQ(MeanStdDev(pairs), std::tuple(ippStsNoErr, double{value}, 0.0));

  TestImage<float> oneRun(50, 100, 12, 4);  // 5000 pixels
  oneRun.Fill(value);
  float run = 0.0f;
  for (int i = 0; i < 5000; ++i) run += value;
  ASSERT_NE(double{run} / 5000, double{value});
  const auto [status, mean, deviation] = MeanStdDev(oneRun);
  EXPECT_EQ(mean, double{run} / 5000);
  // The second pass measures the distance to the mean rounded to single precision.
  const double offset = std::fabs(double{value} - double{static_cast<float>(mean)});
  EXPECT_GT(offset, 0.0);
  EXPECT_NEAR(deviation, offset, 1e-3 * offset);
}

TEST(MeanStdDev32f, SinglePixelAndNullResults) {
  TestImage<float> one(1, 1);
  one.at(0, 0) = -3.25f;
  EXPECT_EQ(MeanStdDev(one), std::tuple(ippStsNoErr, -3.25, 0.0));
  double mean = 0;
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(one.data(), 4, one.size(), &mean, nullptr), ippStsNoErr);
  EXPECT_EQ(mean, -3.25);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(one.data(), 4, one.size(), nullptr, nullptr), ippStsNoErr);
}

// Every pair of rows is summed in single precision in the generic order, whichever build sums it
// and however many pairs it takes at once: regions from 5001 pixels with every pair count and
// remainder, rows at odd addresses, both passes, NaN and signed zeros.
TEST(MeanStdDev32f, BuildsMatchGenericBitForBit) {
  struct Case {
    int width, height;
    float low, high;
  };
  std::vector<Case> cases;
  for (int width : {1, 4, 9, 130}) {
    const int least = (5001 + width - 1) / width;  // the first height summed per pair of rows
    for (int extra : {-1, 0, 1, 8, 9, 17}) cases.push_back({width, least + extra, -100.0f, 1000.0f});
  }
  for (int height : {3, 9, 16, 24}) cases.push_back({1920, height, -100.0f, 1000.0f});
  cases.push_back({300, 40, 1e6f - 0.5f, 1e6f + 0.5f});  // the second pass
  cases.push_back({4, 2000, -0.0f, 0.0f});               // zeros of both signs
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    TestImage<float> image(c.width, c.height, 4 * (c.width % 3));
    if (c.low == c.high) {
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) image.at(x, y) = (x + y) % 3 == 0 ? -0.0f : 0.0f;
    } else {
      image.FillRandom(c.width * 31 + c.height, c.low, c.high);
    }
    ExpectBuildsMatchGeneric([&](Build) { return MeanStdDevAtOddAddress(image); });
  }
  TestImage<float> withNaN(37, 300, 8);
  withNaN.FillRandom(5, 0.0f, 1.0f);
  withNaN.at(11, 201) = std::numeric_limits<float>::quiet_NaN();
  ExpectBuildsMatchGeneric([&](Build) { return MeanStdDevAtOddAddress(withNaN); });
}

TEST(MeanStdDev32f, BadArgumentsInOrderWithNothingWritten) {
  const float pixels[4] = {1, 2, 3, 4};
  double mean = -1, deviation = -1;
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(nullptr, 1, IppiSize{0, 0}, &mean, &deviation), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(pixels, 1, IppiSize{0, 1}, &mean, &deviation), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(pixels, 7, IppiSize{2, 1}, &mean, &deviation), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(pixels, 9, IppiSize{2, 1}, &mean, &deviation), ippStsNotEvenStepErr);
  // The step is compared with 4 x width in 64 bits.
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_32f_C1R(pixels, 8, IppiSize{0x40000001, 1}, &mean, &deviation), ippStsStepErr);
  EXPECT_EQ(std::tuple(mean, deviation), std::tuple(-1.0, -1.0));
}

}  // namespace
}  // namespace ryn::test
