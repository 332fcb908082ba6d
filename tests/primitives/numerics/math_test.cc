// Element-wise functions: the documented values, accuracy against double precision, the special
// operands and their warnings, the image sine's steps, the Jaehne pattern, checks, and every build
// against the generic code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr double kPi = 3.141592653589793;

// Operands over many magnitudes and both signs, with a share of special values.
std::vector<float> MixedOperands(uint32_t seed, size_t n, bool withSpecials) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> mantissa(1.0f, 2.0f);
  std::uniform_int_distribution<int> exponent(-40, 40), coin(0, 1), pick(0, 99);
  const float specials[] = {0.0f, -0.0f, kInf, -kInf, kNan, 1e-40f, -1e-42f, 3e38f, -1e-30f, 1e30f};
  std::vector<float> values(n);
  for (float& v : values) {
    v = std::ldexp(mantissa(rng), exponent(rng)) * (coin(rng) ? 1.0f : -1.0f);
    if (withSpecials && pick(rng) < 8) v = specials[pick(rng) % 10];
  }
  return values;
}

TEST(Atan2, DocumentedValues) {
  const float y[] = {1.0f, 1.0f, -1.0f}, x[] = {1.0f, -1.0f, -1.0f};
  float angles[3];
  ForEachBuild([&](Build) {
    ASSERT_EQ(fnVCAIPP_Atan2_32f_C1R(y, x, angles, 3), ippStsNoErr);
    // The polynomial at t = 1.
    const float polynomial = 0.99977523f - 0.32550535f + 0.15457194f - 0.043525815f;
    EXPECT_NEAR(angles[0], polynomial, 1e-6);
    EXPECT_NEAR(angles[0], kPi / 4, 1.7e-4);
    EXPECT_NEAR(angles[1], 3.14159265f - polynomial, 1e-6);
    EXPECT_NEAR(angles[2], -(3.14159265f - polynomial), 1e-6);
  });
}

TEST(Atan2, WithinThePolynomialErrorEverywhere) {
  const std::vector<float> y = MixedOperands(1, 20000, false), x = MixedOperands(2, 20000, false);
  std::vector<float> angles(y.size());
  ASSERT_EQ(fnVCAIPP_Atan2_32f_C1R(y.data(), x.data(), angles.data(), static_cast<int>(y.size())), ippStsNoErr);
  for (size_t i = 0; i < y.size(); ++i) {
    ASSERT_NEAR(angles[i], std::atan2(double{y[i]}, double{x[i]}), 1.8e-4) << "atan2(" << y[i] << ", " << x[i] << ")";
  }
}

TEST(Atan2, SpecialOperandsTakeTheExactPath) {
  const float y[] = {0.0f, 0.0f, -0.0f, 1.0f, -1.0f, kInf, 1e-40f, 1e-30f, 3.0f, kNan, 1.0f};
  const float x[] = {1.0f, -1.0f, -1.0f, 0.0f, 0.0f, kInf, 1.0f, 1e30f, -1e30f, 1.0f, kNan};
  const int n = 11;
  float angles[n];
  ForEachBuild([&](Build) {
    EXPECT_EQ(fnVCAIPP_Atan2_32f_C1R(y, x, angles, n), ippStsNanArg);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(angles[i], static_cast<float>(std::atan2(double{y[i]}, double{x[i]}))) << i;
    EXPECT_TRUE(std::isnan(angles[9]));
    EXPECT_TRUE(std::isnan(angles[10]));
  });
}

TEST(Hypot, DocumentedValuesAndOverflowingSquares) {
  const float a[] = {3.0f, 3e19f, 3e30f, 3e-25f, -5.0f, 0.0f};
  const float b[] = {4.0f, 4e19f, -4e30f, 4e-25f, 12.0f, 0.0f};
  float results[6];
  ForEachBuild([&](Build) {
    ASSERT_EQ(fnVCAIPP_Hypot_32f_C1R(a, b, results, 6), ippStsNoErr);
    EXPECT_EQ(results[0], 5.0f);
    EXPECT_EQ(results[1], 5e19f);  // a^2 + b^2 overflows single precision
    EXPECT_EQ(results[2], 5e30f);
    EXPECT_FLOAT_EQ(results[3], 5e-25f);  // a^2 + b^2 underflows
    EXPECT_EQ(results[4], 13.0f);
    EXPECT_EQ(results[5], 0.0f);
  });
}

TEST(Hypot, FullSinglePrecisionEverywhere) {
  const std::vector<float> a = MixedOperands(3, 20000, false), b = MixedOperands(4, 20000, false);
  std::vector<float> results(a.size());
  ASSERT_EQ(fnVCAIPP_Hypot_32f_C1R(a.data(), b.data(), results.data(), static_cast<int>(a.size())), ippStsNoErr);
  for (size_t i = 0; i < a.size(); ++i) {
    const double exact = std::hypot(double{a[i]}, double{b[i]});
    ASSERT_NEAR(results[i], exact, exact * 2.4e-7) << "hypot(" << a[i] << ", " << b[i] << ")";
  }
}

TEST(Hypot, WarningsOfTheExactPath) {
  ForEachBuild([&](Build) {
    const float a[] = {1.0f, 3e38f, kNan, kInf}, b[] = {1.0f, 3e38f, 1.0f, kNan};
    float results[4];
    EXPECT_EQ(fnVCAIPP_Hypot_32f_C1R(a, b, results, 4), ippStsOverflow);  // the first warning met
    EXPECT_EQ(results[1], kInf);
    EXPECT_TRUE(std::isnan(results[2]));
    EXPECT_EQ(results[3], kInf);  // an infinite side makes the hypotenuse infinite, even with NaN
    EXPECT_EQ(fnVCAIPP_Hypot_32f_C1R(a + 2, b + 2, results, 2), ippStsNanArg);
  });
}

TEST(VectorFunctions, CheckLengthBeforePointersAndWriteNothing) {
  float one = 1.0f, result = 7.0f;
  EXPECT_EQ(fnVCAIPP_Atan2_32f_C1R(nullptr, nullptr, nullptr, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Atan2_32f_C1R(&one, &one, &result, -1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Atan2_32f_C1R(nullptr, &one, &result, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Atan2_32f_C1R(&one, nullptr, &result, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Atan2_32f_C1R(&one, &one, nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Hypot_32f_C1R(nullptr, nullptr, nullptr, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Hypot_32f_C1R(&one, nullptr, &result, 1), ippStsNullPtrErr);
  EXPECT_EQ(result, 7.0f);
}

// A source, destination pair of guarded vectors, misaligned, optionally the same vector.
struct VectorCase {
  int length;
  int misalign;
  bool inPlace;
};

std::vector<VectorCase> VectorCases() {
  std::vector<VectorCase> cases;
  for (int length : kOddWidths)
    for (int misalign : {0, 1, 4, 20})
      for (bool inPlace : {false, true}) cases.push_back(VectorCase{length, misalign, inPlace});
  return cases;
}

template <class Call>
void ExpectVectorFunctionMatchesGeneric(Call call) {
  for (const VectorCase& c : VectorCases()) {
    SCOPED_TRACE(::testing::Message() << "length " << c.length << ", misaligned by " << c.misalign
                                      << (c.inPlace ? ", in place" : ""));
    ExpectBuildsMatchGeneric([&](Build build) {
      const std::vector<float> a = MixedOperands(c.length, static_cast<size_t>(c.length), true);
      const std::vector<float> b = MixedOperands(c.length + 1, static_cast<size_t>(c.length), true);
      TestImage<float> first(c.length, 1, 0, c.misalign), second(c.length, 1, 0, c.misalign + 8);
      TestImage<float> destination(c.length, 1, 0, c.misalign + 4);
      std::memcpy(first.data(), a.data(), a.size() * sizeof(float));
      std::memcpy(second.data(), b.data(), b.size() * sizeof(float));
      destination.FillBytes(SentinelFor(build));
      float* out = c.inPlace ? first.data() : destination.data();
      const IppStatus status = call(first.data(), second.data(), out, c.length);
      EXPECT_TRUE(first.GuardsIntact());
      EXPECT_TRUE(second.GuardsIntact());
      EXPECT_TRUE(destination.GuardsIntact());
      return std::tuple(status, Capture(c.inPlace ? first : destination));
    });
  }
}

TEST(VectorFunctions, EveryBuildMatchesTheGenericCode) {
  ExpectVectorFunctionMatchesGeneric(fnVCAIPP_Atan2_32f_C1R);
  ExpectVectorFunctionMatchesGeneric(fnVCAIPP_Hypot_32f_C1R);
}

// The sine to compare with. C libraries that reduce with the x87 instructions (mingw's) lose the
// argument beyond 2^63; the largest test arguments have their sines worked out with an exact
// reduction instead.
double ReferenceSin(float x) {
  if (std::fabs(x) == 3.4e38f) return std::copysign(0.24408487440838297, -x);
  return std::sin(double{x});
}

TEST(SinA11, ElevenBitsForOrdinaryAndLargeArguments) {
  std::vector<float> x;
  std::mt19937 rng(5);
  for (float limit : {1.0f, 10.0f, 1000.0f, 49152.0f}) {
    std::uniform_real_distribution<float> uniform(-limit, limit);
    for (int i = 0; i < 5000; ++i) x.push_back(uniform(rng));
  }
  for (float v : MixedOperands(6, 5000, false)) x.push_back(v);
  for (float v : {49152.0f, -49152.0f, 49152.004f, 1e6f, 3.4e38f, -3.4e38f, 6.2831855f, 3.1415927f, 1e-40f}) {
    x.push_back(v);
  }
  const IppiSize row{static_cast<int>(x.size()), 1};
  std::vector<float> sines(x.size());
  const int step = static_cast<int>(x.size() * sizeof(float));
  ASSERT_EQ(fnVCAIPP_SinA11_32f_C1R(x.data(), step, sines.data(), step, row), ippStsNoErr);
  // 11 bits promised; the reduction and the polynomial keep within 1.3e-6.
  for (size_t i = 0; i < x.size(); ++i) {
    ASSERT_NEAR(sines[i], ReferenceSin(x[i]), 2e-6) << "sin(" << x[i] << ")";
  }
  // Small arguments keep their relative accuracy.
  EXPECT_EQ(sines.back(), 1e-40f * 0.999999237f);
}

TEST(SinA11, InfinityAndNanGiveNanWithoutWarning) {
  const float x[] = {kInf, -kInf, kNan, 0.5f};
  float sines[4];
  ASSERT_EQ(fnVCAIPP_SinA11_32f_C1R(x, 16, sines, 16, IppiSize{4, 1}), ippStsNoErr);
  EXPECT_TRUE(std::isnan(sines[0]) && std::isnan(sines[1]) && std::isnan(sines[2]));
  EXPECT_NEAR(sines[3], std::sin(0.5), 1e-6);
}

TEST(SinA11, ChecksInOrderAndWritesNothing) {
  float source[8] = {}, destination[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(nullptr, 0, destination, 0, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(source, 16, nullptr, 16, IppiSize{4, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(source, 0, destination, 0, IppiSize{0, 5}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(source, 16, destination, 16, IppiSize{4, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(source, 16, destination, 12, IppiSize{4, 2}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(source, 15, destination, 16, IppiSize{4, 2}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_SinA11_32f_C1R(source, 0, destination, 16, IppiSize{4, 2}), ippStsStepErr);
  for (float v : destination) EXPECT_EQ(v, 9.0f);
}

TEST(SinA11, StepsCountWholeFloatsAndNegativeStepsWalkUpwards) {
  // Step 18 bytes: rows 4 floats apart (the 2 bytes over are dropped).
  std::vector<float> source(12), destination(12, -7.0f);
  for (size_t i = 0; i < source.size(); ++i) source[i] = 0.1f * static_cast<float>(i);
  ASSERT_EQ(fnVCAIPP_SinA11_32f_C1R(source.data(), 18, destination.data(), 18, IppiSize{3, 3}), ippStsNoErr);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      const size_t i = static_cast<size_t>(r * 4 + c);
      if (c < 3) {
        EXPECT_NEAR(destination[i], std::sin(source[i]), 1e-6);
      } else {
        EXPECT_EQ(destination[i], -7.0f) << "row " << r << " padding";
      }
    }
  }
  // A negative step passes the check; row r starts r x (step / 4) floats after the first pixel.
  std::fill(destination.begin(), destination.end(), -7.0f);
  ASSERT_EQ(fnVCAIPP_SinA11_32f_C1R(source.data() + 8, -16, destination.data() + 8, -16, IppiSize{4, 3}),
            ippStsNoErr);
  for (size_t i = 0; i < source.size(); ++i) EXPECT_NEAR(destination[i], std::sin(source[i]), 1e-6) << i;
}

// Sine images on padded steps of whole floats and misaligned first pixels.
TEST(SinA11, EveryBuildMatchesTheGenericCode) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int padding = shape.padding * 4;
      TestImage<float> source(shape.width, shape.height, padding, 4);
      const std::vector<float> values =
          MixedOperands(shape.width, static_cast<size_t>(shape.width) * shape.height, true);
      for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x) source.at(x, y) = values[static_cast<size_t>(y) * shape.width + x];
      TestImage<float> destination(shape.width, shape.height, padding + 8, 12);
      destination.FillBytes(SentinelFor(build));
      const UnchangedSource<float> unchanged(source);
      const IppStatus status = fnVCAIPP_SinA11_32f_C1R(source.data(), source.step(), destination.data(),
                                                       destination.step(), source.size());
      EXPECT_TRUE(unchanged.Check());
      EXPECT_TRUE(destination.GuardsIntact());
      return std::tuple(status, Capture(destination));
    });
  });
}

// The pattern written out from its definition, with the C library's sine.
uint8_t JaehneLevel(int x, int y, int width, int height) {
  const double xc = x - (width - 1) / 2.0, yc = y - (height - 1) / 2.0;
  const double v = std::sin((xc * xc + yc * yc) * (2 * kPi) / (4.0 * height));
  return static_cast<uint8_t>((v + 1.0) * 127.99999);
}

TEST(Jaehne, CentresAndTheDefinition) {
  TestImage<uint8_t> single(1, 1);
  ASSERT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(single.data(), single.step(), single.size()), ippStsNoErr);
  EXPECT_EQ(single.at(0, 0), 127);
  EXPECT_TRUE(single.GuardsIntact());
  for (auto [width, height] : {std::pair{3, 5}, std::pair{101, 7}, std::pair{1, 99}, std::pair{321, 241}}) {
    TestImage<uint8_t> image(width, height);
    ASSERT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(image.data(), image.step(), image.size()), ippStsNoErr);
    EXPECT_EQ(image.at(width / 2, height / 2), 127);
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int expected = JaehneLevel(x, y, width, height);
        ASSERT_LE(std::abs(image.at(x, y) - expected), 1) << "(" << x << ", " << y << ")";
        mismatches += image.at(x, y) != expected;
      }
    }
    // Only values within rounding of a level boundary may truncate differently.
    EXPECT_LE(mismatches, width * height / 10000 + 1);
    EXPECT_TRUE(image.GuardsIntact());
  }
}

TEST(Jaehne, ChecksInOrderAndWritesNothing) {
  uint8_t pixel = 9;
  EXPECT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(nullptr, 0, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(&pixel, 0, IppiSize{0, 0}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(&pixel, -1, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(&pixel, 1, IppiSize{0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_ImageJaehne_8u_C1R(&pixel, 1, IppiSize{1, -1}), ippStsSizeErr);
  EXPECT_EQ(pixel, 9);
}

TEST(Jaehne, EveryBuildMatchesTheGenericCode) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> image(shape.width, shape.height, shape.padding, 3);
      image.FillBytes(SentinelFor(build));
      const IppStatus status = fnVCAIPP_ImageJaehne_8u_C1R(image.data(), image.step(), image.size());
      EXPECT_TRUE(image.GuardsIntact());
      return std::tuple(status, Capture(image));
    });
  });
  // A wide single row reaches phases of many turns.
  ExpectBuildsMatchGeneric([&](Build build) {
    TestImage<uint8_t> image(40000, 1, 0, 1);
    image.FillBytes(SentinelFor(build));
    const IppStatus status = fnVCAIPP_ImageJaehne_8u_C1R(image.data(), image.step(), image.size());
    return std::tuple(status, Capture(image));
  });
}

}  // namespace
}  // namespace ryn::test
