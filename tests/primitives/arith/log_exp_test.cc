// e^x and ln x on float vectors: faithful results over the whole float range, special values,
// the warning of the first special element, every build against the generic code.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

uint32_t Bits(float x) { return std::bit_cast<uint32_t>(x); }
float FromBits(uint32_t bits) { return std::bit_cast<float>(bits); }

// Faithful: the result is one of the two floats around the exact value (taken in double, whose
// error is far below a float's unit), or the exact float itself.
bool Faithful(float result, double exact) {
  const float nearest = static_cast<float>(exact);
  if (result == nearest) return true;
  const float other = static_cast<double>(nearest) < exact ? std::nextafter(nearest, kInfinity)
                                                           : std::nextafter(nearest, -kInfinity);
  return result == other;
}

// Every 16381st bit pattern of the positive floats up to +infinity, subnormals included.
std::vector<float> PositiveSweep() {
  std::vector<float> values;
  for (uint32_t bits = 1; bits < 0x7F800000u; bits += 16381) values.push_back(FromBits(bits));
  values.push_back(FromBits(0x7F7FFFFFu));
  values.push_back(1.0f);
  return values;
}

TEST(Ln32f, IsFaithfulOverThePositiveFloats) {
  const std::vector<float> inputs = PositiveSweep();
  std::vector<double> exact;
  for (float x : inputs) exact.push_back(std::log(static_cast<double>(x)));
  ForEachBuild([&](Build) {
    std::vector<float> values = inputs;
    ASSERT_EQ(fnVCAIPP_Ln_32f_C1IR(values.data(), static_cast<int>(values.size())), ippStsNoErr);
    int unfaithful = 0;
    for (size_t i = 0; i < values.size(); ++i) {
      if (!Faithful(values[i], exact[i]) && ++unfaithful < 5) {
        ADD_FAILURE() << "ln " << inputs[i] << " gave " << values[i];
      }
    }
    EXPECT_EQ(unfaithful, 0);
    EXPECT_EQ(values.back(), 0.0f);  // ln 1
  });
}

TEST(Exp32f, IsFaithfulFromUnderflowToOverflow) {
  std::vector<float> values;
  for (float x = -110.0f; x < 90.0f; x += 0.0037f) values.push_back(x);
  for (float x : {0.0f, -0.0f, 1e-30f, -1e-30f, 88.72283f, 88.72284f, -103.97208f, -87.33655f}) values.push_back(x);
  const std::vector<float> inputs = values;
  ForEachBuild([&](Build) {
    std::vector<float> results = inputs;
    ASSERT_EQ(fnVCAIPP_Exp_32f_C1IR(results.data(), static_cast<int>(results.size())), ippStsNoErr);
    int unfaithful = 0;
    for (size_t i = 0; i < results.size(); ++i) {
      if (!Faithful(results[i], std::exp(static_cast<double>(inputs[i]))) && ++unfaithful < 5) {
        ADD_FAILURE() << "exp " << inputs[i] << " gave " << results[i];
      }
    }
    EXPECT_EQ(unfaithful, 0);
  });
}

TEST(Exp32f, SpecialValues) {
  float values[] = {kInfinity, -kInfinity, std::numeric_limits<float>::quiet_NaN(), 0.0f, -0.0f, 100.0f, -200.0f};
  ForEachBuild([&](Build) {
    std::vector<float> vector;
    for (int copy = 0; copy < 5; ++copy) vector.insert(vector.end(), std::begin(values), std::end(values));
    EXPECT_EQ(fnVCAIPP_Exp_32f_C1IR(vector.data(), static_cast<int>(vector.size())), ippStsNoErr);
    for (size_t i = 0; i < vector.size(); i += 7) {
      EXPECT_EQ(vector[i], kInfinity);
      EXPECT_EQ(Bits(vector[i + 1]), 0u);
      EXPECT_EQ(Bits(vector[i + 2]), Bits(values[2]));  // NaN passes through
      EXPECT_EQ(vector[i + 3], 1.0f);
      EXPECT_EQ(vector[i + 4], 1.0f);
      EXPECT_EQ(vector[i + 5], kInfinity);
      EXPECT_EQ(Bits(vector[i + 6]), 0u);
    }
  });
  float x = 1.0f;
  EXPECT_EQ(fnVCAIPP_Exp_32f_C1IR(nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Exp_32f_C1IR(&x, 0), ippStsSizeErr);
  EXPECT_EQ(x, 1.0f);
}

// Ln on a vector of `length` ones with the given elements replaced; returns status and results.
std::tuple<IppStatus, std::vector<float>> LnOf(size_t length, const std::vector<std::pair<size_t, float>>& at) {
  std::vector<float> vector(length, 1.0f);
  for (const auto& [index, value] : at) vector[index] = value;
  const IppStatus status = fnVCAIPP_Ln_32f_C1IR(vector.data(), static_cast<int>(length));
  return {status, vector};
}

TEST(Ln32f, SpecialValuesAndTheWarningOfTheFirstSpecialElement) {
  const float nan = FromBits(0x7FC12345u), negativeNaN = FromBits(0xFFC54321u);
  ForEachBuild([&](Build) {
    // Documented: (-0) gives NaN and ippStsLnNegArg; (0, -1) gives -infinity, NaN, ippStsLnZeroArg.
    const auto [negativeZero, negativeZeroResult] = LnOf(1, {{0, -0.0f}});
    EXPECT_EQ(negativeZero, ippStsLnNegArg);
    EXPECT_EQ(Bits(negativeZeroResult[0]), 0xFFC00000u);
    const auto [zeroFirst, zeroFirstResult] = LnOf(2, {{0, 0.0f}, {1, -1.0f}});
    EXPECT_EQ(zeroFirst, ippStsLnZeroArg);
    EXPECT_EQ(Bits(zeroFirstResult[0]), 0xFF800000u);
    EXPECT_EQ(Bits(zeroFirstResult[1]), 0xFFC00000u);
    // The first special element decides, wherever it lies: in a vector, a tail or a later chunk.
    for (size_t first : {3u, 40u, 255u, 256u, 700u}) {
      SCOPED_TRACE(::testing::Message() << "first special at " << first);
      EXPECT_EQ(std::get<0>(LnOf(1000, {{first, -kInfinity}, {first + 1, 0.0f}, {999, 0.0f}})), ippStsLnNegArg);
      EXPECT_EQ(std::get<0>(LnOf(1000, {{first, 0.0f}, {first + 2, -5.0f}})), ippStsLnZeroArg);
    }
    // NaN of either sign passes through and warns of nothing; +infinity stays.
    const auto [quiet, quietResult] = LnOf(70, {{5, nan}, {38, negativeNaN}, {69, kInfinity}});
    EXPECT_EQ(quiet, ippStsNoErr);
    EXPECT_EQ(Bits(quietResult[5]), Bits(nan));
    EXPECT_EQ(Bits(quietResult[38]), Bits(negativeNaN));
    EXPECT_EQ(quietResult[69], kInfinity);
    EXPECT_EQ(quietResult[0], 0.0f);
  });
  float x = 1.0f;
  EXPECT_EQ(fnVCAIPP_Ln_32f_C1IR(nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Ln_32f_C1IR(&x, -1), ippStsSizeErr);
}

// Every length up to past two chunks, the vector at odd addresses, specials mixed in.
TEST(LogExp32f, BuildsMatchTheGenericCode) {
  for (size_t length : {1u, 2u, 3u, 5u, 8u, 17u, 255u, 256u, 257u, 600u}) {
    for (size_t offset : {0u, 1u, 4u, 8u}) {
      SCOPED_TRACE(::testing::Message() << "length " << length << ", offset " << offset << " bytes");
      ExpectBuildsMatchGeneric([&](Build) {
        std::vector<uint8_t> storage((length + 4) * sizeof(float) + 64, 0xEE);
        auto* logarithms = reinterpret_cast<float*>(storage.data() + 16 + offset);
        std::vector<float> exponentials(length);
        std::vector<float> values(length);
        for (size_t i = 0; i < length; ++i) {
          values[i] = i % 29 == 7 ? -0.0f : i % 31 == 3 ? 0.0f : static_cast<float>(i) * 0.37f - 40.0f;
        }
        std::memcpy(logarithms, values.data(), length * sizeof(float));
        exponentials = values;
        const auto statuses = std::tuple(fnVCAIPP_Ln_32f_C1IR(logarithms, static_cast<int>(length)),
                                         fnVCAIPP_Exp_32f_C1IR(exponentials.data(), static_cast<int>(length)));
        for (size_t i = 0; i < storage.size(); ++i) {
          const bool pixel = i >= 16 + offset && i < 16 + offset + length * sizeof(float);
          if (!pixel && storage[i] != 0xEE) ADD_FAILURE() << "byte " << i << " around the vector was written";
        }
        std::vector<uint8_t> all(storage);
        const auto* raw = reinterpret_cast<const uint8_t*>(exponentials.data());
        all.insert(all.end(), raw, raw + length * sizeof(float));
        return std::tuple(statuses, all);
      });
    }
  }
}

}  // namespace
}  // namespace ryn::test
