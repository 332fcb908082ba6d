// The relative L2 norm of two 8-bit images.
#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/core.hpp>
#include <tuple>

#include "RynRAZUdidazoror.h"
#include "stats_test_support.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

auto NormOf(TestImage<uint8_t>& first, TestImage<uint8_t>& second) {
  const UnchangedSource<uint8_t> a(first), b(second);
  double value = -1;
  const IppStatus status =
      fnVCAIPP_NormRel_L2_8u_C1R(first.data(), first.step(), second.data(), second.step(), first.size(), &value);
  EXPECT_TRUE(a.Check());
  EXPECT_TRUE(b.Check());
  return std::tuple(status, Bits(value));
}

TEST(NormRelL2, VariantsMatchGenericOnOddShapes) {
  ForEachOddShape([&](const Shape& shape) {
    const int width = shape.width, height = shape.height, padding = shape.padding;
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> first(width, height, padding, 1);
      first.FillRandom(width, 0, 255);
      TestImage<uint8_t> second(width, height, padding + 3, 2);
      second.FillRandom(height + 9, 0, 255);
      return NormOf(first, second);
    });
  });
}

// Rows longer than the 32-bit partial sums can hold unwidened: 0 against 255 gives exactly 1.
TEST(NormRelL2, LongRowsStayExact) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> first(100003, 2, 0, 1), second(100003, 2, 0, 1);
    first.Fill(0);
    second.Fill(255);
    EXPECT_EQ(NormOf(first, second), std::tuple(ippStsNoErr, Bits(1.0)));
  });
}

TEST(NormRelL2, AgreesWithOpenCv) {
  TestImage<uint8_t> first(777, 131, 4, 1), second(777, 131, 0, 3);
  first.FillRandom(1, 0, 255);
  second.FillRandom(2, 0, 255);
  const double expected = cv::norm(AsMat(first), AsMat(second), cv::NORM_RELATIVE | cv::NORM_L2);
  ForEachBuild([&](Build) {
    const auto [status, bits] = NormOf(first, second);
    EXPECT_EQ(status, ippStsNoErr);
    EXPECT_NEAR(std::bit_cast<double>(bits), expected, 1e-12);
  });
}

TEST(NormRelL2, ZeroSecondImageWarnsAndGivesTheFirstImagesNorm) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> first(30, 3), second(30, 3);
    first.Fill(3);
    second.Fill(0);
    first.at(29, 2) = 4;
    EXPECT_EQ(NormOf(first, second), std::tuple(ippStsDivByZero, Bits(std::sqrt(89.0 * 9 + 16))));
    first.Fill(0);
    EXPECT_EQ(NormOf(first, second), std::tuple(ippStsDivByZero, Bits(0.0)));
    second.Fill(1);
    EXPECT_EQ(NormOf(second, second), std::tuple(ippStsNoErr, Bits(0.0)));
  });
}

TEST(NormRelL2, BadArgumentsInOrderWithNothingWritten) {
  const uint8_t byte = 1;
  double value = -1;
  EXPECT_EQ(fnVCAIPP_NormRel_L2_8u_C1R(nullptr, 1, &byte, 1, IppiSize{0, 0}, &value), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_NormRel_L2_8u_C1R(&byte, 1, nullptr, 1, IppiSize{1, 1}, &value), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_NormRel_L2_8u_C1R(&byte, 1, &byte, 1, IppiSize{1, 1}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_NormRel_L2_8u_C1R(&byte, 0, &byte, 0, IppiSize{1, 0}, &value), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_NormRel_L2_8u_C1R(&byte, 0, &byte, 1, IppiSize{1, 1}, &value), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_NormRel_L2_8u_C1R(&byte, 1, &byte, -1, IppiSize{1, 1}, &value), ippStsStepErr);
  EXPECT_EQ(value, -1.0);
}

}  // namespace
}  // namespace ryn::test
