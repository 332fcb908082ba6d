// Single-precision arithmetic: operand order, the division's special values and warning, the
// reciprocal of DivC, the absolute value at any step, every build against the generic code,
// argument checks.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/arith/float_pixels.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

uint32_t Bits(float x) { return std::bit_cast<uint32_t>(x); }

TEST(Arith32f, TwoImageFormsTakeTheirOperandsInOrder) {
  float first[2] = {1.0f, 10.0f}, second[2] = {4.0f, 3.0f}, out[2];
  EXPECT_EQ(fnVCAIPP_Sub_32f_C1R(first, 8, second, 8, out, IppiSize{2, 1}, 8), ippStsNoErr);
  EXPECT_EQ(out[0], 3.0f);  // the second image minus the first
  EXPECT_EQ(out[1], -7.0f);
  EXPECT_EQ(fnVCAIPP_Sub_32f_C1IR(first, second, IppiSize{2, 1}, 8), ippStsNoErr);
  EXPECT_EQ(second[0], 3.0f);  // the image minus the source
  EXPECT_EQ(second[1], -7.0f);
  EXPECT_EQ(fnVCAIPP_SubC_32f_C1IR(0.5f, second, IppiSize{2, 1}, 8), ippStsNoErr);
  EXPECT_EQ(second[1], -7.5f);
  EXPECT_EQ(fnVCAIPP_AbsDiffC_32f_C1R(second, 8, out, 8, IppiSize{2, 1}, 1.0f), ippStsNoErr);
  EXPECT_EQ(out[0], 1.5f);
  EXPECT_EQ(out[1], 8.5f);
}

TEST(Div32f, ZeroDivisorsGiveSignedInfinitiesOrNaNAndAWarning) {
  ForEachBuild([&](Build) {
    // Enough pixels for whole vectors of every build, the special ones repeated across them.
    const std::vector<float> dividends = {1.0f, -1.0f, 0.0f, -0.0f, kNaN, kInfinity, -kInfinity, 6.0f};
    const std::vector<float> divisors = {0.0f, -0.0f, 0.0f, -0.0f, -0.0f, -0.0f, 0.0f, -3.0f};
    const std::vector<uint32_t> expected = {0x7F800000u, 0xFF800000u, 0x7FC00000u, 0x7FC00000u,
                                            0x7FC00000u, 0x7F800000u, 0xFF800000u, Bits(-2.0f)};
    std::vector<float> image, divisor;
    for (int copy = 0; copy < 9; ++copy) {
      image.insert(image.end(), dividends.begin(), dividends.end());
      divisor.insert(divisor.end(), divisors.begin(), divisors.end());
    }
    const int n = static_cast<int>(image.size());
    EXPECT_EQ(fnVCAIPP_Div_32f_C1IR(divisor.data(), image.data(), IppiSize{n, 1}, n * 4), ippStsDivByZero);
    for (int i = 0; i < n; ++i) ASSERT_EQ(Bits(image[i]), expected[i % expected.size()]) << "at " << i;
    // No zero divisor, no warning; the remaining rows are still computed after a warning.
    float a[4] = {1.0f, 2.0f, 3.0f, 4.0f}, b[4] = {2.0f, 0.0f, 4.0f, 8.0f};
    EXPECT_EQ(fnVCAIPP_Div_32f_C1IR(b + 2, a, IppiSize{2, 1}, 8), ippStsNoErr);
    EXPECT_EQ(a[0], 0.25f);
    EXPECT_EQ(fnVCAIPP_Div_32f_C1IR(b, a, IppiSize{2, 2}, 8), ippStsDivByZero);
    EXPECT_EQ(a[2], 0.75f);  // the row after the zero divisor
    EXPECT_EQ(a[3], 0.5f);
  });
}

// x * (1 / v), the reciprocal rounded first: 10 x (1/3) is not 10 / 3 in single precision.
TEST(DivC32f, MultipliesByTheRoundedReciprocal) {
  ForEachBuild([&](Build) {
    std::vector<float> image(37, 10.0f);
    EXPECT_EQ(fnVCAIPP_DivC_32f_C1IR(image.data(), IppiSize{37, 1}, 37 * 4, 3.0f), ippStsNoErr);
    const float reciprocal = 1.0f / 3.0f;
    const float product = 10.0f * reciprocal;
    ASSERT_NE(Bits(product), Bits(10.0f / 3.0f));
    for (float x : image) EXPECT_EQ(Bits(x), Bits(product));
  });
  float x = 1.0f;
  EXPECT_EQ(fnVCAIPP_DivC_32f_C1IR(&x, IppiSize{1, 1}, 4, 0.0f), ippStsDivByZeroErr);
  EXPECT_EQ(fnVCAIPP_DivC_32f_C1IR(&x, IppiSize{1, 1}, 4, -0.0f), ippStsDivByZeroErr);
  EXPECT_EQ(fnVCAIPP_DivC_32f_C1IR(&x, IppiSize{1, 1}, 0, 0.0f), ippStsStepErr);
  EXPECT_EQ(x, 1.0f);
}

// A step that is not a multiple of 4 is used as given: every pixel of every row loses its sign
// and nothing between the rows changes.
TEST(Abs32f, ClearsSignsAtAnyStep) {
  ForEachBuild([&](Build) {
    for (int width : {1, 5, 16, 33}) {
      TestImage<float> image(width, 4, 2, 4);
      image.FillRandom(41, -100.0f, 100.0f);
      SetPixel(image, 0, 1, -0.0f);
      SetPixel(image, 0, 2, -kNaN);
      std::vector<uint32_t> expected = RegionBits(image);
      for (uint32_t& bits : expected) bits &= 0x7FFFFFFFu;
      EXPECT_EQ(fnVCAIPP_Abs_32f_C1IR(image.data(), image.size(), image.step()), ippStsNoErr);
      EXPECT_EQ(RegionBits(image), expected);
      EXPECT_TRUE(image.GuardsIntact());
    }
  });
}

TEST(Arith32f, ChecksInOrderAndWritesNothing) {
  float a = 1.0f, out = 9.0f;
  EXPECT_EQ(fnVCAIPP_Add_32f_C1R(&a, 4, nullptr, 4, &out, 4, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Add_32f_C1R(&a, 0, &a, 0, &out, 0, IppiSize{0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Add_32f_C1IR(nullptr, 4, &out, 4, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_AddC_32f_C1IR(1.0f, &out, IppiSize{1, 0}, 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Sub_32f_C1R(&a, 4, &a, 4, nullptr, IppiSize{1, 1}, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sub_32f_C1IR(&a, &out, IppiSize{-1, 1}, 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_SubC_32f_C1IR(1.0f, nullptr, IppiSize{1, 1}, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mul_32f_C1R(&a, &a, &out, IppiSize{1, 0}, 4, 4, 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mul_32f_C1IR(&a, nullptr, IppiSize{1, 1}, 4, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MulC_32f_C1IR(&out, 2.0f, IppiSize{0, 0}, 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Div_32f_C1IR(&a, &out, IppiSize{0, 1}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Div_32f_C1IR(&a, &out, IppiSize{1, 1}, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Sqr_32f_C1IR(nullptr, IppiSize{1, 1}, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sqr_32f_C1IR(&out, IppiSize{1, 1}, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Abs_32f_C1IR(&out, IppiSize{1, 0}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Abs_32f_C1IR(&out, IppiSize{1, 1}, -4), ippStsStepErr);
  // Absolute differences: steps below the row, then steps that are not whole floats.
  EXPECT_EQ(fnVCAIPP_AbsDiff_32f_C1R(&a, &a, &out, IppiSize{1, 1}, 3), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_AbsDiff_32f_C1R(&a, &a, &out, IppiSize{1, 1}, 6), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_AbsDiffC_32f_C1R(&a, 6, &out, 2, IppiSize{1, 1}, 0.0f), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_AbsDiffC_32f_C1R(&a, 6, &out, 4, IppiSize{1, 1}, 0.0f), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_AbsDiffC_32f_C1R(&a, 4, nullptr, 4, IppiSize{1, 1}, 0.0f), ippStsNullPtrErr);
  EXPECT_EQ(out, 9.0f);
}

// Random pixels with signed zeros, infinities and NaN among them (never a NaN in both operands of
// one commutative operation, whose NaN the processor may take from either).
void FillWithSpecials(TestImage<float>& image, uint32_t seed, bool withNaN) {
  image.FillRandom(seed, -1000.0f, 1000.0f);
  const float specials[] = {0.0f, -0.0f, kInfinity, -kInfinity, 1e-42f, 3.0e38f, kNaN};
  const int count = withNaN ? 7 : 6;
  int k = static_cast<int>(seed);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = static_cast<int>(seed) % 7; x < image.width(); x += 7) SetPixel(image, x, y, specials[k++ % count]);
  }
}

TEST(Arith32f, BuildsMatchTheGenericCodeOnEveryShape) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int w = shape.width, h = shape.height;
      const int padding = shape.padding * 4 + (shape.padding == 1 ? 2 : 0);  // one step not a multiple of 4
      TestImage<float> a(w, h, padding, 4), b(w, h, padding, 8);
      FillWithSpecials(a, 1, true);
      FillWithSpecials(b, 2, false);
      const UnchangedSource<float> unchangedA(a), unchangedB(b);
      std::vector<TestImage<float>> out;
      for (int k = 0; k < 3; ++k) out.emplace_back(w, h, padding, 4 * k);
      for (auto& image : out) image.FillBytes(SentinelFor(build));
      std::vector<TestImage<float>> inPlace(10, b);
      const IppiSize size = a.size();
      const int step = a.step();
      std::vector<IppStatus> statuses = {
          fnVCAIPP_Add_32f_C1R(a.data(), step, b.data(), step, out[0].data(), step, size),
          fnVCAIPP_Sub_32f_C1R(a.data(), step, b.data(), step, out[1].data(), size, step),
          fnVCAIPP_Mul_32f_C1R(a.data(), b.data(), out[2].data(), size, step, step, step),
          fnVCAIPP_Add_32f_C1IR(a.data(), step, inPlace[0].data(), step, size),
          fnVCAIPP_AddC_32f_C1IR(-2.5f, inPlace[1].data(), size, step),
          fnVCAIPP_Sub_32f_C1IR(a.data(), inPlace[2].data(), size, step),
          fnVCAIPP_SubC_32f_C1IR(1e-3f, inPlace[3].data(), size, step),
          fnVCAIPP_Mul_32f_C1IR(a.data(), inPlace[4].data(), size, step, step),
          fnVCAIPP_MulC_32f_C1IR(inPlace[5].data(), 0.7f, size, step),
          fnVCAIPP_DivC_32f_C1IR(inPlace[6].data(), size, step, 7.0f),
          fnVCAIPP_Div_32f_C1IR(a.data(), inPlace[7].data(), size, step),
          fnVCAIPP_Sqr_32f_C1IR(inPlace[8].data(), size, step),
          fnVCAIPP_Abs_32f_C1IR(inPlace[9].data(), size, step)};
      std::vector<Snapshot> snapshots;
      if (step % 4 == 0) {
        TestImage<float> distance(w, h, padding, 12), distanceC(w, h, padding, 16);
        distance.FillBytes(SentinelFor(build));
        distanceC.FillBytes(SentinelFor(build));
        statuses.push_back(fnVCAIPP_AbsDiff_32f_C1R(a.data(), b.data(), distance.data(), size, step));
        statuses.push_back(fnVCAIPP_AbsDiffC_32f_C1R(a.data(), step, distanceC.data(), step, size, 3.25f));
        EXPECT_TRUE(distance.GuardsIntact());
        EXPECT_TRUE(distanceC.GuardsIntact());
        snapshots.push_back(Capture(distance));
        snapshots.push_back(Capture(distanceC));
      }
      EXPECT_TRUE(unchangedA.Check());
      EXPECT_TRUE(unchangedB.Check());
      for (const auto* images : {&out, &inPlace}) {
        for (const auto& image : *images) {
          EXPECT_TRUE(image.GuardsIntact());
          snapshots.push_back(Capture(image));
        }
      }
      return std::tuple(statuses, snapshots);
    });
  });
}

}  // namespace
}  // namespace ryn::test
