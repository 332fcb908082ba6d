// 8-bit division by a constant, logarithm and absolute difference.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// The division rule as documented: f = 2^-scale / value in single precision, x * f in single
// precision, rounded to nearest (ties to even) and saturated.
uint8_t DividedByRule(int x, int value, int scale) {
  if (scale > 8) return 0;
  if (scale < -15) return x == 0 ? 0 : 255;
  const float f = std::ldexp(1.0f, -scale) / static_cast<float>(value);
  const float rounded = std::nearbyint(static_cast<float>(x) * f);
  return rounded >= 255.0f ? 255 : static_cast<uint8_t>(rounded);
}

// Pixel x in column x for every divisor: one call per divisor, in place and not.
TEST(DivC8u, FollowsTheRuleForEveryPixelValueDivisorAndScale) {
  TestImage<uint8_t> ramp(256, 1, 0, 1);
  for (int x = 0; x < 256; ++x) ramp.at(x, 0) = static_cast<uint8_t>(x);
  for (int scale : {INT_MIN, -16, -15, -8, -1, 0, 1, 3, 8, 9, INT_MAX}) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    ForEachBuild([&](Build) {
      int wrong = 0;
      for (int value = 1; value < 256; ++value) {
        TestImage<uint8_t> quotient(256, 1, 0, 2), inPlace = ramp;
        ASSERT_EQ(fnVCAIPP_DivC_8u_C1RSfs(ramp.data(), quotient.data(), IppiSize{256, 1}, 256,
                                          static_cast<uint8_t>(value), scale),
                  ippStsNoErr);
        ASSERT_EQ(fnVCAIPP_DivC_8u_C1IRSfs(inPlace.data(), IppiSize{256, 1}, 256, static_cast<uint8_t>(value), scale),
                  ippStsNoErr);
        for (int x = 0; x < 256; ++x) {
          const uint8_t expected = DividedByRule(x, value, scale);
          wrong += quotient.at(x, 0) != expected;
          wrong += inPlace.at(x, 0) != expected;
          if (quotient.at(x, 0) != expected && wrong < 4) ADD_FAILURE() << x << " / " << value;
        }
        EXPECT_TRUE(quotient.GuardsIntact());
      }
      EXPECT_EQ(wrong, 0);
    });
  }
}

TEST(DivC8u, DocumentedExamplesAndChecks) {
  uint8_t pixels[2] = {5, 7};
  uint8_t quotients[2] = {0, 0};
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1RSfs(pixels, quotients, IppiSize{2, 1}, 2, 2, 0), ippStsNoErr);
  EXPECT_EQ(quotients[0], 2);  // 2.5 to even
  EXPECT_EQ(quotients[1], 4);  // 3.5 to even
  // Pointers, region, step, divisor; nothing written.
  uint8_t out = 9;
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1RSfs(pixels, nullptr, IppiSize{0, 0}, 0, 0, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1RSfs(pixels, &out, IppiSize{0, 1}, 0, 0, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1RSfs(pixels, &out, IppiSize{1, 1}, 0, 0, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1RSfs(pixels, &out, IppiSize{1, 1}, 1, 0, 0), ippStsDivByZeroErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1IRSfs(nullptr, IppiSize{1, 1}, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1IRSfs(&out, IppiSize{1, -1}, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1IRSfs(&out, IppiSize{1, 1}, -1, 1, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_DivC_8u_C1IRSfs(&out, IppiSize{1, 1}, 1, 0, 0), ippStsDivByZeroErr);
  EXPECT_EQ(out, 9);
}

// ln(x) 2^-scale rounded to nearest: for the scale factors whose results are few, the thresholds
// at which the exact value passes each half (found in long double), so that a result computed
// differently near a half would show.
TEST(Ln8u, RoundsTheLogarithmAtTheExactThresholds) {
  TestImage<uint8_t> ramp(256, 1, 0, 1);
  for (int x = 0; x < 256; ++x) ramp.at(x, 0) = static_cast<uint8_t>(x);
  for (int scale : {-2, -1, 0, 1, 2, 3}) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    TestImage<uint8_t> logarithms(256, 1, 0, 2);
    ASSERT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(ramp.data(), 256, logarithms.data(), 256, IppiSize{256, 1}, scale),
              ippStsLnZeroArg);
    for (int x = 1; x < 256; ++x) {
      // Below the k-th threshold e^((k - 1/2) 2^scale) the result is less than k.
      int expected = 0;
      while (static_cast<long double>(x) >= std::exp((expected + 0.5L) * std::ldexp(1.0L, scale))) ++expected;
      ASSERT_EQ(logarithms.at(x, 0), expected) << "ln " << x;
    }
  }
}

TEST(Ln8u, ComputesEveryRowAndWarnsOfZeros) {
  ForEachBuild([&](Build) {
    // Documented: at scale 1, 148 gives 2 and 149 gives 3; 0 gives 0 with ippStsLnZeroArg.
    TestImage<uint8_t> image(40, 3, 2, 1);
    image.Fill(148);
    image.at(39, 0) = 149;
    image.at(17, 1) = 0;
    image.at(0, 2) = 255;
    EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(image.data(), image.step(), image.data(), image.step(), image.size(), 1),
              ippStsLnZeroArg);
    EXPECT_EQ(image.at(0, 0), 2);
    EXPECT_EQ(image.at(39, 0), 3);
    EXPECT_EQ(image.at(17, 1), 0);
    EXPECT_EQ(image.at(39, 2), 2);  // the rows after the zero are still computed
    EXPECT_EQ(image.at(0, 2), 3);
    EXPECT_TRUE(image.GuardsIntact());
    // Scale factors above 3 give 0, very negative ones 255 from 2 on; no zero, no warning.
    uint8_t values[3] = {1, 2, 255};
    uint8_t out[3];
    EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(values, 3, out, 3, IppiSize{3, 1}, 4), ippStsNoErr);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), std::vector<uint8_t>({0, 0, 0}));
    EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(values, 3, out, 3, IppiSize{3, 1}, INT_MIN), ippStsNoErr);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), std::vector<uint8_t>({0, 255, 255}));
    // ln 255 x 2^3 = 44.3.
    EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(values, 3, out, 3, IppiSize{3, 1}, -3), ippStsNoErr);
    EXPECT_EQ(out[2], 44);
  });
  uint8_t pixel = 1, out = 9;
  EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(nullptr, 1, &out, 1, IppiSize{1, 1}, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(&pixel, 0, &out, 0, IppiSize{0, 1}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Ln_8u_C1IRSfs(&pixel, 1, &out, 0, IppiSize{1, 1}, 0), ippStsStepErr);
  EXPECT_EQ(out, 9);
}

TEST(AbsDiff8u, IsTheDistanceAndChecksStepsAgainstTheWidth) {
  uint8_t a[3] = {0, 200, 255}, b[3] = {255, 50, 255}, out[3] = {9, 9, 9};
  EXPECT_EQ(fnVCAIPP_AbsDiff_8u_C1R(a, b, out, IppiSize{3, 1}, 3), ippStsNoErr);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 3), std::vector<uint8_t>({255, 150, 0}));
  EXPECT_EQ(fnVCAIPP_AbsDiff_8u_C1R(a, nullptr, out, IppiSize{3, 1}, 3), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_AbsDiff_8u_C1R(a, b, out, IppiSize{3, 0}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_AbsDiff_8u_C1R(a, b, out, IppiSize{3, 1}, 2), ippStsStepErr);
}

// Every build on odd shapes, padded and misaligned rows, in place and not.
TEST(DivLnAbsDiff8u, BuildsMatchTheGenericCodeOnEveryShape) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int w = shape.width, h = shape.height;
      TestImage<uint8_t> a(w, h, shape.padding, 3), b(w, h, shape.padding, 2);
      a.FillRandom(21, 0, 255);
      b.FillRandom(22, 0, 255);
      const UnchangedSource<uint8_t> unchangedA(a), unchangedB(b);
      TestImage<uint8_t> quotient(w, h, shape.padding, 1), logarithm(w, h, shape.padding + 4, 6),
          distance(w, h, shape.padding, 7);
      for (auto* image : {&quotient, &logarithm, &distance}) image->FillBytes(SentinelFor(build));
      TestImage<uint8_t> quotientInPlace = b, logarithmInPlace = b;
      const IppiSize size = a.size();
      const auto statuses = std::tuple(
          fnVCAIPP_DivC_8u_C1RSfs(a.data(), quotient.data(), size, a.step(), 7, -2),
          fnVCAIPP_DivC_8u_C1IRSfs(quotientInPlace.data(), size, b.step(), 3, 1),
          fnVCAIPP_Ln_8u_C1IRSfs(a.data(), a.step(), logarithm.data(), logarithm.step(), size, -4),
          fnVCAIPP_Ln_8u_C1IRSfs(logarithmInPlace.data(), b.step(), logarithmInPlace.data(), b.step(), size, 0),
          fnVCAIPP_AbsDiff_8u_C1R(a.data(), b.data(), distance.data(), size, a.step()));
      EXPECT_TRUE(unchangedA.Check());
      EXPECT_TRUE(unchangedB.Check());
      for (const auto* image : {&quotient, &logarithm, &distance, &quotientInPlace, &logarithmInPlace}) {
        EXPECT_TRUE(image->GuardsIntact());
      }
      return std::tuple(statuses, Capture(quotient), Capture(quotientInPlace), Capture(logarithm),
                        Capture(logarithmInPlace), Capture(distance));
    });
  });
}

}  // namespace
}  // namespace ryn::test
