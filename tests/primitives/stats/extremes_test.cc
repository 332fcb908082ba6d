// Extremes: MinMax of 8-bit images, Max, Min and MaxIndx of float images.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <opencv2/core.hpp>
#include <random>
#include <tuple>

#include "RynRAZUdidazoror.h"
#include "stats_test_support.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kLowest = std::numeric_limits<float>::lowest();

// Status and bits of Max, Min and MaxIndx of one float image.
auto FloatExtremes(TestImage<float>& image) {
  const UnchangedSource<float> source(image);
  float maximum = 0, minimum = 0, indexed = 0;
  int column = -1, row = -1;
  const IppStatus s1 = fnVCAIPP_Max_32f_C1R(image.data(), image.step(), image.size(), &maximum);
  const IppStatus s2 = fnVCAIPP_Min_32f_C1R(image.data(), image.step(), image.size(), &minimum);
  const IppStatus s3 = fnVCAIPP_MaxIndx_32f_C1R(image.data(), image.step(), image.size(), &indexed, &column, &row);
  EXPECT_TRUE(source.Check());
  return std::tuple(s1, s2, s3, Bits(maximum), Bits(minimum), Bits(indexed), column, row);
}

auto MinMax8u(TestImage<uint8_t>& image) {
  const UnchangedSource<uint8_t> source(image);
  uint8_t minimum = 0, maximum = 0;
  const IppStatus status = fnVCAIPP_MinMax_8u_C1R(image.data(), image.step(), image.size(), &minimum, &maximum);
  EXPECT_TRUE(source.Check());
  return std::tuple(status, minimum, maximum);
}

TEST(Extremes, VariantsMatchGenericOnOddShapes) {
  ForEachOddShape([&](const Shape& shape) {
    const int width = shape.width, height = shape.height, padding = shape.padding;
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> bytes(width, height, padding, 3);
      bytes.FillRandom(width + height, 30, 220);
      TestImage<float> floats(width, height, 4 * padding, 4);
      floats.FillRandom(width * height, -5.0f, 5.0f);
      return std::tuple(MinMax8u(bytes), FloatExtremes(floats));
    });
  });
}

// Zeros of both signs in every lane position: +0 is the maximum and -0 the minimum however the
// pixels are visited; NaN pixels are skipped.
TEST(Extremes, SignedZerosAndNaNGiveTheSameBitsOnEveryVariant) {
  for (int width : {7, 33, 129}) {
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<float> image(width, 3);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x) image.at(x, y) = ((x * 7 + y) % 5 == 0) ? kNaN : (((x + y) % 3 == 0) ? 0.0f : -0.0f);
      const auto result = FloatExtremes(image);
      EXPECT_EQ(std::get<3>(result), Bits(0.0f));
      EXPECT_EQ(std::get<4>(result), Bits(-0.0f));
      return result;
    });
  }
}

// Few distinct values: ties in every lane and row, zeros of both signs, NaN (also at (0, 0)).
TEST(MaxIndx, TiesAndNaNMatchOnEveryVariant) {
  const float values[] = {kNaN, -1.0f, 0.0f, -0.0f, 2.0f, 2.0f, -kInf};
  for (int width : {5, 16, 37, 130}) {
    for (int seed = 0; seed < 4; ++seed) {
      ExpectBuildsMatchGeneric([&](Build) {
        TestImage<float> image(width, 6, 4, 4);
        std::mt19937 rng(seed * 100 + width);
        for (int y = 0; y < 6; ++y)
          for (int x = 0; x < width; ++x) image.at(x, y) = values[rng() % (seed == 3 && y < 2 ? 1 : 7)];
        return FloatExtremes(image);
      });
    }
  }
}

TEST(Extremes, FloatExtremesStartFromTheLargestFiniteFloats) {
  ForEachBuild([](Build) {
    TestImage<float> image(40, 2);
    image.Fill(-kInf);
    image.at(13, 1) = kNaN;
    float maximum = 0, minimum = 0;
    EXPECT_EQ(fnVCAIPP_Max_32f_C1R(image.data(), image.step(), image.size(), &maximum), ippStsNoErr);
    EXPECT_EQ(maximum, kLowest);
    image.Fill(kInf);
    EXPECT_EQ(fnVCAIPP_Min_32f_C1R(image.data(), image.step(), image.size(), &minimum), ippStsNoErr);
    EXPECT_EQ(minimum, std::numeric_limits<float>::max());
    image.at(39, 0) = -kInf;
    EXPECT_EQ(fnVCAIPP_Min_32f_C1R(image.data(), image.step(), image.size(), &minimum), ippStsNoErr);
    EXPECT_EQ(minimum, -kInf);
  });
}

TEST(Extremes, AgreeWithOpenCv) {
  TestImage<uint8_t> bytes(641, 233, 7, 1);
  bytes.FillRandom(11, 3, 250);
  TestImage<float> floats(317, 119, 12, 4);
  floats.FillRandom(12, -100.0f, 100.0f);
  double cvMin, cvMax;
  cv::Point cvMaxAt;
  ForEachBuild([&](Build) {
    const auto [status, minimum, maximum] = MinMax8u(bytes);
    EXPECT_EQ(status, ippStsNoErr);
    cv::minMaxLoc(AsMat(bytes), &cvMin, &cvMax);
    EXPECT_EQ(minimum, cvMin);
    EXPECT_EQ(maximum, cvMax);

    float fMax, fMin, indexed;
    int column, row;
    ASSERT_EQ(fnVCAIPP_Max_32f_C1R(floats.data(), floats.step(), floats.size(), &fMax), ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_Min_32f_C1R(floats.data(), floats.step(), floats.size(), &fMin), ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(floats.data(), floats.step(), floats.size(), &indexed, &column, &row),
              ippStsNoErr);
    cv::minMaxLoc(AsMat(floats), &cvMin, &cvMax, nullptr, &cvMaxAt);
    EXPECT_EQ(fMax, static_cast<float>(cvMax));
    EXPECT_EQ(fMin, static_cast<float>(cvMin));
    EXPECT_EQ(indexed, fMax);
    EXPECT_EQ(column, cvMaxAt.x);
    EXPECT_EQ(row, cvMaxAt.y);
  });
}

TEST(MaxIndx, TiesGoToTheFirstOccurrenceInRowMajorOrder) {
  TestImage<float> image(8, 5);
  image.Fill(1.0f);
  image.at(5, 0) = 9.0f;
  image.at(2, 3) = 9.0f;
  float maximum = 0;
  int column = -1, row = -1;
  ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(image.data(), image.step(), image.size(), &maximum, &column, &row), ippStsNoErr);
  EXPECT_EQ(std::tuple(maximum, column, row), std::tuple(9.0f, 5, 0));
  image.at(2, 0) = 9.0f;
  ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(image.data(), image.step(), image.size(), &maximum, &column, &row), ippStsNoErr);
  EXPECT_EQ(std::tuple(maximum, column, row), std::tuple(9.0f, 2, 0));
  // Equal zeros tie too: the first one wins whatever its sign.
  image.Fill(-1.0f);
  image.at(3, 1) = -0.0f;
  image.at(1, 2) = 0.0f;
  ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(image.data(), image.step(), image.size(), &maximum, &column, &row), ippStsNoErr);
  EXPECT_EQ(std::tuple(Bits(maximum), column, row), std::tuple(Bits(-0.0f), 3, 1));
}

TEST(MaxIndx, StartsAtTheFirstPixelAndSkipsNaN) {
  TestImage<float> one(1, 1);
  one.at(0, 0) = -kInf;
  float maximum = 0;
  int column = -1, row = -1;
  ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(one.data(), one.step(), one.size(), &maximum, &column, &row), ippStsNoErr);
  EXPECT_EQ(std::tuple(maximum, column, row), std::tuple(-kInf, 0, 0));

  TestImage<float> image(4, 3);
  image.Fill(kNaN);
  image.at(2, 1) = -5.0f;
  image.at(3, 2) = -7.0f;
  ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(image.data(), image.step(), image.size(), &maximum, &column, &row), ippStsNoErr);
  EXPECT_EQ(std::tuple(maximum, column, row), std::tuple(-5.0f, 2, 1));
  image.Fill(kNaN);
  ASSERT_EQ(fnVCAIPP_MaxIndx_32f_C1R(image.data(), image.step(), image.size(), &maximum, &column, &row), ippStsNoErr);
  EXPECT_TRUE(std::isnan(maximum));
  EXPECT_EQ(std::tuple(column, row), std::tuple(0, 0));
}

// Float extremes take any step, including one that leaves rows off 4-byte boundaries.
TEST(Extremes, FloatRowsAtAnyByteOffset) {
  TestImage<float> aligned(21, 4);
  aligned.FillRandom(8, -1.0f, 1.0f);
  std::vector<uint8_t> shifted(21 * 4 * 4 + 3 * 3 + 1);
  for (int y = 0; y < 4; ++y) std::memcpy(&shifted[1 + y * (84 + 3)], &aligned.at(0, y), 84);
  const auto* source = reinterpret_cast<const float*>(shifted.data() + 1);
  const auto expected = FloatExtremes(aligned);
  ForEachBuild([&](Build) {
    float maximum, minimum, indexed;
    int column, row;
    EXPECT_EQ(fnVCAIPP_Max_32f_C1R(source, 87, aligned.size(), &maximum), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_Min_32f_C1R(source, 87, aligned.size(), &minimum), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_MaxIndx_32f_C1R(source, 87, aligned.size(), &indexed, &column, &row), ippStsNoErr);
    EXPECT_EQ(std::tuple(Bits(maximum), Bits(minimum), Bits(indexed), column, row),
              std::tuple(std::get<3>(expected), std::get<4>(expected), std::get<5>(expected), std::get<6>(expected),
                         std::get<7>(expected)));
  });
}

TEST(Extremes, BadArgumentsInOrderWithNothingWritten) {
  const uint8_t byte = 1;
  const float pixel = 1;
  uint8_t low = 9, high = 9;
  float out = 5;
  int column = 5, row = 5;
  const IppiSize one{1, 1}, empty{1, 0};
  EXPECT_EQ(fnVCAIPP_MinMax_8u_C1R(nullptr, 1, empty, &low, &high), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MinMax_8u_C1R(&byte, 1, one, &low, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MinMax_8u_C1R(&byte, 1, one, nullptr, &high), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MinMax_8u_C1R(&byte, -5, empty, &low, &high), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Max_32f_C1R(nullptr, 4, empty, &out), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Max_32f_C1R(&pixel, 4, one, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Max_32f_C1R(&pixel, 0, empty, &out), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Min_32f_C1R(&pixel, 4, one, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Min_32f_C1R(&pixel, 4, IppiSize{-1, 1}, &out), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_MaxIndx_32f_C1R(nullptr, 4, empty, &out, &column, &row), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MaxIndx_32f_C1R(&pixel, 4, one, &out, nullptr, &row), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MaxIndx_32f_C1R(&pixel, 4, one, &out, &column, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MaxIndx_32f_C1R(&pixel, 4, one, nullptr, &column, &row), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MaxIndx_32f_C1R(&pixel, 4, empty, &out, &column, &row), ippStsSizeErr);
  EXPECT_EQ(std::tuple(low, high, out, column, row), std::tuple(9, 9, 5.0f, 5, 5));
}

}  // namespace
}  // namespace ryn::test
