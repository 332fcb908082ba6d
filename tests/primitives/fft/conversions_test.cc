// Magnitude, phase, polar to Cartesian and back, real and imaginary planes to complex, and the
// complex copy.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

#include "fft_test_support.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// |got - exact| in units of the last place of the float nearest the exact value.
double UlpsFrom(float got, double exact) {
  const float nearest = static_cast<float>(exact);
  const double ulp = std::nextafter(std::fabs(nearest), kInf) - std::fabs(nearest);
  return std::fabs(got - exact) / ulp;
}

// Random complex pixels with every tenth one special: zeros of both signs, infinities, NaN.
void FillWithSpecials(TestImage<Ipp32fc>& image, uint32_t seed) {
  FillRandom(image, seed);
  const Ipp32fc specials[] = {{0.0f, 0.0f}, {-0.0f, 0.0f}, {0.0f, -0.0f}, {-0.0f, -0.0f}, {kInf, 1.0f},
                              {-kInf, kInf}, {2.0f, -kInf}, {kNaN, 1.0f},  {1e-40f, 3e-41f}, {1e30f, -1e30f},
                              {0.0f, kNaN}};
  constexpr int kSpecials = static_cast<int>(std::size(specials));
  int i = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x, ++i)
      if (i % 10 == 3) image.at(x, y) = specials[(i / 10) % kSpecials];
}

template <class Operation>
auto ConvertWith(Operation operation, const TestImage<Ipp32fc>& source, Build build) {
  TestImage<float> destination(source.width(), source.height(), 20, 8);
  destination.FillBytes(SentinelFor(build));
  const UnchangedSource<Ipp32fc> unchanged(source);
  const IppStatus status =
      operation(source.data(), source.step(), destination.data(), destination.step(), source.size());
  EXPECT_TRUE(unchanged.Check());
  EXPECT_TRUE(destination.GuardsIntact());
  return std::tuple(status, Capture(destination));
}

TEST(Magnitude, ExamplesAndAccuracy) {
  TestImage<Ipp32fc> source(300, 2);
  FillRandom(source, 1);
  source.at(0, 0) = {3, 4};
  source.at(1, 0) = {-5, 12};
  TestImage<float> destination(300, 2);
  ASSERT_EQ(fnVCAIPP_Magnitude_32fc32f_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                           source.size()),
            ippStsNoErr);
  EXPECT_EQ(destination.at(0, 0), 5.0f);
  EXPECT_EQ(destination.at(1, 0), 13.0f);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 300; ++x)
      EXPECT_LE(UlpsFrom(destination.at(x, y), std::hypot(double{source.at(x, y).re}, source.at(x, y).im)), 1.0);
}

TEST(Phase, SpecialValuesFollowAtan2) {
  const std::pair<float, float> cases[] = {{0.0f, 0.0f},   {-0.0f, 0.0f}, {0.0f, -0.0f},  {-0.0f, -0.0f},
                                           {1.0f, 0.0f},   {1.0f, -0.0f}, {-1.0f, 0.0f},  {0.0f, -1.0f},
                                           {-0.0f, -1.0f}, {kInf, kInf},  {kInf, -kInf},  {-kInf, 1.0f},
                                           {1.0f, -kInf},  {3.0f, 3.0f},  {-2.0f, -2.0f}};
  for (const auto& [y, x] : cases) {
    SCOPED_TRACE(::testing::Message() << "atan2(" << y << ", " << x << ")");
    const Ipp32fc source{x, y};
    float phase = 7;
    ASSERT_EQ(fnVCAIPP_Phase_32fc32f_C1R(&source, 8, &phase, 4, {1, 1}), ippStsNoErr);
    const float expected = std::atan2(y, x);
    EXPECT_EQ(std::signbit(phase), std::signbit(expected));
    EXPECT_LE(UlpsFrom(phase, std::atan2(double{y}, double{x})), 1.0);
  }
  const Ipp32fc nan{kNaN, 1.0f};
  float phase = 0;
  ASSERT_EQ(fnVCAIPP_Phase_32fc32f_C1R(&nan, 8, &phase, 4, {1, 1}), ippStsNoErr);
  EXPECT_TRUE(std::isnan(phase));
}

// A NaN imaginary part over a zero real part reaches no arithmetic that would carry the NaN: the
// result depends on recognising it, in whole vectors as in the scalar tail.
TEST(Phase, NaNOverZeroIsNaNInEveryBuild) {
  const std::vector<Ipp32fc> points(37, Ipp32fc{0.0f, kNaN});
  std::vector<float> re(points.size(), 0.0f), im(points.size(), kNaN);
  ForEachBuild([&](Build) {
    std::vector<float> phases(points.size()), magnitudes(points.size());
    ASSERT_EQ(fnVCAIPP_Phase_32fc32f_C1R(points.data(), 1, phases.data(), 1, {static_cast<int>(points.size()), 1}),
              ippStsNoErr);
    for (float phase : phases) EXPECT_TRUE(std::isnan(phase));
    ASSERT_EQ(fnVCAIPP_CartToPolar_32f(re.data(), im.data(), magnitudes.data(), phases.data(),
                                       static_cast<int>(points.size())),
              ippStsNoErr);
    for (float phase : phases) EXPECT_TRUE(std::isnan(phase));
  });
}

TEST(Phase, WithinThreeUnitsInTheLastPlace) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::vector<Ipp32fc> points(20000);
  for (Ipp32fc& p : points) p = {std::ldexp(value(rng), exponent(rng)), std::ldexp(value(rng), exponent(rng))};
  std::vector<float> phases(points.size());
  ASSERT_EQ(fnVCAIPP_Phase_32fc32f_C1R(points.data(), 1, phases.data(), 1, {static_cast<int>(points.size()), 1}),
            ippStsNoErr);
  double worst = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    worst = std::max(worst, UlpsFrom(phases[i], std::atan2(double{points[i].im}, double{points[i].re})));
  }
  EXPECT_LE(worst, 3.0);
}

TEST(MagnitudeAndPhase, BuildsMatchGeneric) {
  ForEachOddShape([&](const Shape& shape) {
    TestImage<Ipp32fc> source(shape.width, shape.height, 4 * shape.padding, 4);
    FillWithSpecials(source, static_cast<uint32_t>(shape.width));
    ExpectBuildsMatchGeneric([&](Build build) { return ConvertWith(fnVCAIPP_Magnitude_32fc32f_C1R, source, build); });
    ExpectBuildsMatchGeneric([&](Build build) { return ConvertWith(fnVCAIPP_Phase_32fc32f_C1R, source, build); });
  });
}

TEST(MagnitudeAndPhase, BadArgumentsInOrderWithNothingWritten) {
  for (auto operation : {fnVCAIPP_Magnitude_32fc32f_C1R, fnVCAIPP_Phase_32fc32f_C1R}) {
    const Ipp32fc source{3, 4};
    float value = -1;
    EXPECT_EQ(operation(nullptr, 0, &value, 0, {0, 0}), ippStsNullPtrErr);
    EXPECT_EQ(operation(&source, 0, nullptr, 0, {0, 0}), ippStsNullPtrErr);
    EXPECT_EQ(operation(&source, 0, &value, 0, {0, 1}), ippStsSizeErr);
    EXPECT_EQ(operation(&source, 0, &value, 4, {1, -1}), ippStsSizeErr);
    EXPECT_EQ(operation(&source, 0, &value, 4, {1, 1}), ippStsStepErr);
    EXPECT_EQ(operation(&source, 8, &value, -4, {1, 1}), ippStsStepErr);
    EXPECT_EQ(value, -1.0f);
  }
}

// (m cos p, m sin p) for a row of magnitudes and phases sharing one step.
std::tuple<IppStatus, Snapshot> PolarToCartOf(const TestImage<float>& magnitude, const TestImage<float>& phase,
                                               Build build) {
  TestImage<Ipp32fc> destination(magnitude.width(), magnitude.height(), 12, 4);
  destination.FillBytes(SentinelFor(build));
  const IppStatus status = fnVCAIPP_PolarToCart_32f32fc_P2C1R(magnitude.data(), phase.data(), magnitude.step(),
                                                              destination.data(), destination.step(),
                                                              magnitude.size());
  EXPECT_TRUE(destination.GuardsIntact());
  return std::tuple(status, Capture(destination));
}

TEST(PolarToCart, AccuracyOverPhasesNearAndFar) {
  const int width = 4000;
  TestImage<float> magnitude(width, 1), phase(width, 1);
  magnitude.FillRandom(2, 0.5f, 2.0f);
  phase.FillRandom(3, -10.0f, 10.0f);
  for (int x = 0; x < 100; ++x) phase.at(x, 0) = static_cast<float>(x) * 0.25f * 3.14159265358979f;
  for (int x = 100; x < 200; ++x) phase.at(x, 0) = std::ldexp(phase.at(x, 0), 9);  // up to 5120
  const auto [status, result] = PolarToCartOf(magnitude, phase, Build::kGeneric);
  ASSERT_EQ(status, ippStsNoErr);
  TestImage<Ipp32fc> values(width, 1);
  std::memcpy(values.data(), result.bytes.data(), result.bytes.size());
  for (int x = 0; x < width; ++x) {
    const double m = magnitude.at(x, 0), p = phase.at(x, 0);
    // Absolute error against the magnitude: the sine of a multiple of pi is only near 0.
    EXPECT_NEAR(values.at(x, 0).re, m * std::cos(p), 3e-7 * m) << p;
    EXPECT_NEAR(values.at(x, 0).im, m * std::sin(p), 3e-7 * m) << p;
  }
}

TEST(PolarToCart, BuildsMatchGenericWithWideAndSpecialPhases) {
  ForEachOddShape([&](const Shape& shape) {
    TestImage<float> magnitude(shape.width, shape.height, 4 * shape.padding, 4);
    TestImage<float> phase(shape.width, shape.height, 4 * shape.padding, 4);
    magnitude.FillRandom(shape.width, 0.0f, 3.0f);
    phase.FillRandom(shape.height, -8.0f, 8.0f);
    const float wide[] = {8192.0f, 8192.5f, -1e6f, 3e30f, kInf, -kInf, kNaN, -0.0f};
    for (int y = 0; y < shape.height; ++y)
      for (int x = 5; x < shape.width; x += 7) phase.at(x, y) = wide[(x + y) % 8];
    ExpectBuildsMatchGeneric([&](Build build) { return PolarToCartOf(magnitude, phase, build); });
  });
}

TEST(PolarToCart, BadArgumentsInOrderWithNothingWritten) {
  const float m = 1, p = 0;
  Ipp32fc value{-1, -1};
  EXPECT_EQ(fnVCAIPP_PolarToCart_32f32fc_P2C1R(&m, nullptr, 0, &value, 0, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_PolarToCart_32f32fc_P2C1R(&m, &p, 0, nullptr, 0, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_PolarToCart_32f32fc_P2C1R(&m, &p, 0, &value, 0, {0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_PolarToCart_32f32fc_P2C1R(&m, &p, 0, &value, 8, {1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_PolarToCart_32f32fc_P2C1R(&m, &p, 4, &value, 0, {1, 1}), ippStsStepErr);
  EXPECT_TRUE(SameBits(value, Ipp32fc{-1, -1}));
}

TEST(CartToPolar, EqualsMagnitudeAndPhaseOfTheImage) {
  for (int length : {1, 7, 8, 9, 100, 1001}) {
    SCOPED_TRACE(length);
    TestImage<Ipp32fc> points(length, 1);
    FillWithSpecials(points, static_cast<uint32_t>(length));
    std::vector<float> re, im;
    for (const Ipp32fc& z : points.Region()) re.push_back(z.re), im.push_back(z.im);
    ExpectBuildsMatchGeneric([&](Build) {
      std::vector<float> magnitude(re.size()), phase(re.size()), expectedMagnitude(re.size()),
          expectedPhase(re.size());
      EXPECT_EQ(fnVCAIPP_CartToPolar_32f(re.data(), im.data(), magnitude.data(), phase.data(), length), ippStsNoErr);
      fnVCAIPP_Magnitude_32fc32f_C1R(points.data(), 1, expectedMagnitude.data(), 1, {length, 1});
      fnVCAIPP_Phase_32fc32f_C1R(points.data(), 1, expectedPhase.data(), 1, {length, 1});
      EXPECT_EQ(std::memcmp(magnitude.data(), expectedMagnitude.data(), 4 * re.size()), 0);
      EXPECT_EQ(std::memcmp(phase.data(), expectedPhase.data(), 4 * re.size()), 0);
      return std::tuple(SnapshotOf(magnitude), SnapshotOf(phase));
    });
  }
}

// The magnitude pass's status wins; nothing is written when only the phase pointer is bad.
TEST(CartToPolar, BadArgumentsWithNothingWritten) {
  const float re = 3, im = 4;
  float magnitude = -1, phase = -1;
  EXPECT_EQ(fnVCAIPP_CartToPolar_32f(nullptr, &im, &magnitude, &phase, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CartToPolar_32f(&re, &im, nullptr, &phase, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CartToPolar_32f(&re, &im, &magnitude, nullptr, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CartToPolar_32f(&re, &im, &magnitude, &phase, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CartToPolar_32f(&re, &im, &magnitude, nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(magnitude, -1.0f);
  EXPECT_EQ(fnVCAIPP_CartToPolar_32f(&re, &im, &magnitude, &phase, 1), ippStsNoErr);
  EXPECT_EQ(magnitude, 5.0f);
  EXPECT_FLOAT_EQ(phase, std::atan2(4.0f, 3.0f));
}

std::tuple<IppStatus, Snapshot> RealToComplexOf(const TestImage<float>& re, const TestImage<float>& im, Build build) {
  TestImage<Ipp32fc> destination(re.width(), re.height(), 8, 4);
  destination.FillBytes(SentinelFor(build));
  const IppStatus status = fnVCAIPP_Convert_RealToComplex_32f(re.data(), re.step(), im.data(), im.step(),
                                                              destination.data(), destination.step(), re.size());
  EXPECT_TRUE(destination.GuardsIntact());
  return std::tuple(status, Capture(destination));
}

TEST(RealToComplex, PairsThePlanes) {
  ForEachOddShape([&](const Shape& shape) {
    TestImage<float> re(shape.width, shape.height, 4 * shape.padding, 4), im(shape.width, shape.height, 0, 8);
    re.FillRandom(1, -5.0f, 5.0f);
    im.FillRandom(2, -5.0f, 5.0f);
    const auto [status, result] = RealToComplexOf(re, im, Build::kGeneric);
    ASSERT_EQ(status, ippStsNoErr);
    for (int y = 0; y < shape.height; ++y) {
      for (int x = 0; x < shape.width; ++x) {
        Ipp32fc z;
        std::memcpy(&z, result.bytes.data() + 8 * (static_cast<size_t>(y) * shape.width + x), 8);
        ASSERT_TRUE(SameBits(z, Ipp32fc{re.at(x, y), im.at(x, y)})) << x << "," << y;
      }
    }
    ExpectBuildsMatchGeneric([&](Build build) { return RealToComplexOf(re, im, build); });
  });
}

// Steps are counted in whole elements: 4 x 3 + 3 bytes holds three floats, rows 12 bytes apart.
TEST(RealToComplex, StepsRoundDownToWholeElements) {
  const float re[] = {1, 2, 3, 4, 5, 6}, im[] = {7, 8, 9, 10, 11, 12};
  Ipp32fc destination[6] = {};
  ASSERT_EQ(fnVCAIPP_Convert_RealToComplex_32f(re, 15, im, 12, destination, 24 + 7, {3, 2}), ippStsNoErr);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(SameBits(destination[i], Ipp32fc{re[i], im[i]})) << i;
}

TEST(RealToComplex, BadArgumentsInOrderWithNothingWritten) {
  const float plane[4] = {};
  Ipp32fc value{-1, -1};
  EXPECT_EQ(fnVCAIPP_Convert_RealToComplex_32f(nullptr, 0, plane, 0, &value, 0, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Convert_RealToComplex_32f(plane, 0, plane, 0, nullptr, 0, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Convert_RealToComplex_32f(plane, 0, plane, 0, &value, 0, {2, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Convert_RealToComplex_32f(plane, 7, plane, 8, &value, 16, {2, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Convert_RealToComplex_32f(plane, 8, plane, 7, &value, 16, {2, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Convert_RealToComplex_32f(plane, 8, plane, 8, &value, 15, {2, 1}), ippStsStepErr);
  EXPECT_TRUE(SameBits(value, Ipp32fc{-1, -1}));
}

TEST(CopyComplex, CopiesTheRegionOnly) {
  TestImage<Ipp32fc> source(33, 5, 16, 4), destination(33, 5, 8, 0);
  FillRandom(source, 4);
  const UnchangedSource<Ipp32fc> unchanged(source);
  ASSERT_EQ(fnVCAIPP_Copy_32fc_C1R(source.data(), source.step(), destination.data(), destination.step(), {33, 5}),
            ippStsNoErr);
  EXPECT_EQ(destination.RegionBytes(), source.RegionBytes());
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_TRUE(unchanged.Check());
}

// Rows advance by the step rounded down to whole elements.
TEST(CopyComplex, StepsRoundDownToWholeElements) {
  Ipp32fc source[4] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}}, destination[4] = {};
  ASSERT_EQ(fnVCAIPP_Copy_32fc_C1R(source, 16 + 7, destination, 16 + 1, {2, 2}), ippStsNoErr);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(SameBits(destination[i], source[i])) << i;
}

// A step must hold a row of 8-byte elements: smaller steps would write past an image of that step.
TEST(CopyComplex, BadArgumentsInOrderWithNothingWritten) {
  const Ipp32fc source[2] = {};
  Ipp32fc destination[2] = {{-1, -1}, {-1, -1}};
  EXPECT_EQ(fnVCAIPP_Copy_32fc_C1R(nullptr, 0, destination, 0, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_32fc_C1R(source, 0, nullptr, 0, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_32fc_C1R(source, 15, destination, 16, {2, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Copy_32fc_C1R(source, 16, destination, 2, {2, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Copy_32fc_C1R(source, 16, destination, 16, {0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Copy_32fc_C1R(source, 16, destination, 16, {2, 0}), ippStsSizeErr);
  EXPECT_TRUE(SameBits(destination[0], Ipp32fc{-1, -1}));
  EXPECT_TRUE(SameBits(destination[1], Ipp32fc{-1, -1}));
}

}  // namespace
}  // namespace ryn::test
