// Random generators: the integer sequence against the recurrence written out again here, the
// sample maps, the stateful and direct styles, statistics, checks, and every build against the
// generic code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/float_environment.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// The generator stepped exactly as documented, independently of the library's code.
class ReferenceGenerator {
 public:
  explicit ReferenceGenerator(uint32_t seed) : a_(seed) {
    b_ = seed * 69069u + 1013904243u;
    c_ = b_ * 69069u + 1013904243u;
  }
  int32_t Next() {
    uint32_t t = b_ - c_ + k_;
    if (t & 0x80000000u) {
      k_ = 0xFFFFFFFFu;
      t -= 18;
    } else {
      k_ = 0;
    }
    c_ = b_, b_ = a_, a_ = t;
    l_ = l_ * 69069u + 1013904243u;
    return static_cast<int32_t>(t + l_);
  }
  uint32_t newest() const { return a_; }

 private:
  uint32_t l_ = 1131199209u, a_, b_, c_, k_ = 0xFFFFFFFFu;
};

// Gaussian scaled deviates (u2 f, u1 f, ...) by the polar method with the C library's log.
std::vector<double> ReferenceDeviates(uint32_t seed, size_t count) {
  ReferenceGenerator generator(seed);
  std::vector<double> deviates;
  while (deviates.size() < count) {
    const double u1 = generator.Next() * 4.656612873077e-10, u2 = generator.Next() * 4.656612873077e-10;
    const double s = u1 * u1 + u2 * u2;
    if (s >= 1.0 || s == 0.0) continue;
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    deviates.push_back(u2 * f);
    deviates.push_back(u1 * f);
  }
  deviates.resize(count);
  return deviates;
}

// Uniform 64f over [-2^31, 2^31) maps every output u to itself: the raw sequence.
std::vector<double> RawOutputs(uint32_t seed, int count, uint32_t* seedAfter = nullptr) {
  std::vector<double> values(static_cast<size_t>(count));
  uint32_t state = seed;
  EXPECT_EQ(fnVCAIPP_RandUniform_Direct_64f(values.data(), count, -2147483648.0, 2147483648.0, &state), ippStsNoErr);
  if (seedAfter != nullptr) *seedAfter = state;
  return values;
}

TEST(RandomSequence, SeedZeroStartsAsTheRecurrenceGives) {
  // a = 0, b = 1013904243, c = b x 69069 + 1013904243 = 924302730; the first congruential word is
  // 2061989128 and t = b - c - 1 = 89601512 (not negative), so u = t + 2061989128 read as signed.
  const std::vector<double> outputs = RawOutputs(0, 1);
  EXPECT_EQ(outputs[0], static_cast<double>(static_cast<int32_t>(89601512u + 2061989128u)));
  EXPECT_EQ(outputs[0], -2143376656.0);
}

TEST(RandomSequence, FollowsTheRecurrenceAndWritesBackTheNewestWord) {
  for (uint32_t seed : {0u, 1u, 12345u, 0x80000000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(seed);
    ForEachBuild([&](Build) {
      uint32_t seedAfter = 0;
      const std::vector<double> outputs = RawOutputs(seed, 1000, &seedAfter);
      ReferenceGenerator reference(seed);
      for (size_t i = 0; i < outputs.size(); ++i) ASSERT_EQ(outputs[i], reference.Next()) << "output " << i;
      EXPECT_EQ(seedAfter, reference.newest());
    });
  }
}

TEST(RandomUniform, SamplesAreMidpointPlusOutputTimesScale) {
  ReferenceGenerator reference(77);
  uint32_t seed = 77;
  std::vector<float> samples(300);
  ASSERT_EQ(fnVCAIPP_RandUniform_Direct_32f(samples.data(), 300, -1.5f, 4.0f, &seed), ippStsNoErr);
  for (float sample : samples) {
    const double expected = 1.25 + reference.Next() * (5.5 / 4294967296.0);
    ASSERT_EQ(sample, static_cast<float>(expected));
    ASSERT_GE(sample, -1.5f);
    ASSERT_LE(sample, 4.0f);
  }
}

TEST(RandomUniform, EqualBoundsGiveTheBound) {
  RynRandUniformState32f* state = nullptr;
  ASSERT_EQ(fnVCAIPP_RandUniformInitAlloc_32f(&state, 5.0f, 5.0f, 3), ippStsNoErr);
  std::vector<float> samples(1000, 0.0f);
  ASSERT_EQ(fnVCAIPP_RandUniform_32f(samples.data(), 1000, state), ippStsNoErr);
  EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](float v) { return v == 5.0f; }));
  EXPECT_EQ(fnVCAIPP_RandUniformFree_32f(state), ippStsNoErr);
}

TEST(RandomUniform, FullByteRangeReachesBothEnds) {
  RynRandUniformState8u* state = nullptr;
  ASSERT_EQ(fnVCAIPP_RandUniformInitAlloc_8u(&state, 0, 255, 99), ippStsNoErr);
  std::vector<uint8_t> samples(100000);
  ASSERT_EQ(fnVCAIPP_RandUniform_8u(samples.data(), static_cast<int>(samples.size()), state), ippStsNoErr);
  std::vector<int> counts(256, 0);
  for (uint8_t v : samples) ++counts[v];
  // 0 and 255 take half a step each (rounding), every other level a whole one.
  EXPECT_GT(counts[0], 0);
  EXPECT_GT(counts[255], 0);
  EXPECT_LT(counts[255], counts[128]);
  EXPECT_EQ(fnVCAIPP_RandUniformFree_8u(state), ippStsNoErr);
}

// The caller's rounding mode changes neither the double arithmetic nor the rounding to integers.
TEST(RandomUniform, IntegerSamplesRoundToNearestWhateverTheRoundingMode) {
  const std::vector<double> outputs = RawOutputs(5, 64);
  for (int mode : kRoundingModes) {
    std::vector<int16_t> samples(64);
    uint32_t seed = 5;
    {
      const ScopedRoundingMode scoped(mode);
      ASSERT_EQ(fnVCAIPP_RandUniform_Direct_16s(samples.data(), 64, -32768, 32767, &seed), ippStsNoErr);
    }
    for (size_t i = 0; i < samples.size(); ++i) {
      const double value = -0.5 + outputs[i] * (65535.0 / 4294967296.0);
      ASSERT_EQ(samples[i], static_cast<int16_t>(std::nearbyint(value))) << "sample " << i << " mode " << mode;
    }
  }
}

TEST(RandomGauss, SamplesFollowThePolarMethod) {
  const std::vector<double> deviates = ReferenceDeviates(2024, 501);
  uint32_t seed = 2024;
  std::vector<double> samples(501);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_64f(samples.data(), 501, 3.0, 0.5, &seed), ippStsNoErr);
  for (size_t i = 0; i < samples.size(); ++i) {
    ASSERT_NEAR(samples[i], 3.0 + deviates[i] * 0.5, 1e-13) << "sample " << i;
  }
  uint32_t seed32 = 2024;
  std::vector<float> samples32(501);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_32f(samples32.data(), 501, -1.0f, 2.0f, &seed32), ippStsNoErr);
  EXPECT_EQ(seed32, seed);
  for (size_t i = 0; i < samples32.size(); ++i) {
    ASSERT_NEAR(samples32[i], -1.0f + static_cast<float>(deviates[i] * 2.0), 1e-6) << "sample " << i;
  }
}

TEST(RandomGauss, SixteenBitSamplesSaturate) {
  RynRandGaussState16s* state = nullptr;
  ASSERT_EQ(fnVCAIPP_RandGaussInitAlloc_16s(&state, 32000, 10000, 8), ippStsNoErr);
  std::vector<int16_t> samples(2000);
  ASSERT_EQ(fnVCAIPP_RandGauss_16s(samples.data(), 2000, state), ippStsNoErr);
  const auto highest = std::count(samples.begin(), samples.end(), int16_t{32767});
  EXPECT_GT(highest, 800);  // about half the samples lie above the mean
  EXPECT_LT(*std::min_element(samples.begin(), samples.end()), 32000);
  EXPECT_EQ(fnVCAIPP_RandGaussFree_16s(state), ippStsNoErr);

  uint32_t seed = 8;
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_16s(samples.data(), 2000, -32000, 10000, &seed), ippStsNoErr);
  EXPECT_GT(std::count(samples.begin(), samples.end(), int16_t{-32768}), 800);
}

// Two calls continue the sequence exactly as one call of their total length.
template <class State, class T, class Alloc, class Generate, class Free>
void ExpectSplitCallsContinue(Alloc alloc, Generate generate, Free free, int first, int second) {
  State* whole = nullptr;
  State* split = nullptr;
  ASSERT_EQ(alloc(&whole), ippStsNoErr);
  ASSERT_EQ(alloc(&split), ippStsNoErr);
  std::vector<T> expected(static_cast<size_t>(first + second)), got(expected.size());
  ASSERT_EQ(generate(expected.data(), first + second, whole), ippStsNoErr);
  ASSERT_EQ(generate(got.data(), first, split), ippStsNoErr);
  ASSERT_EQ(generate(got.data() + first, second, split), ippStsNoErr);
  EXPECT_EQ(got, expected) << first << " then " << second;
  EXPECT_EQ(free(whole), ippStsNoErr);
  EXPECT_EQ(free(split), ippStsNoErr);
}

TEST(RandomStates, SplitRequestsContinueTheSequence) {
  for (auto [first, second] : {std::pair{3, 3}, std::pair{1, 1}, std::pair{5, 300}, std::pair{257, 2}}) {
    ExpectSplitCallsContinue<RynRandUniformState8u, uint8_t>(
        [](auto** s) { return fnVCAIPP_RandUniformInitAlloc_8u(s, 10, 200, 1); }, fnVCAIPP_RandUniform_8u,
        fnVCAIPP_RandUniformFree_8u, first, second);
    ExpectSplitCallsContinue<RynRandUniformState16s, int16_t>(
        [](auto** s) { return fnVCAIPP_RandUniformInitAlloc_16s(s, -300, 700, 2); }, fnVCAIPP_RandUniform_16s,
        fnVCAIPP_RandUniformFree_16s, first, second);
    ExpectSplitCallsContinue<RynRandUniformState32f, float>(
        [](auto** s) { return fnVCAIPP_RandUniformInitAlloc_32f(s, -1.0f, 1.0f, 3); }, fnVCAIPP_RandUniform_32f,
        fnVCAIPP_RandUniformFree_32f, first, second);
    ExpectSplitCallsContinue<RynRandGaussState16s, int16_t>(
        [](auto** s) { return fnVCAIPP_RandGaussInitAlloc_16s(s, 100, 40, 4); }, fnVCAIPP_RandGauss_16s,
        fnVCAIPP_RandGaussFree_16s, first, second);
    ExpectSplitCallsContinue<RynRandGaussState32f, float>(
        [](auto** s) { return fnVCAIPP_RandGaussInitAlloc_32f(s, 0.0f, 1.0f, 5); }, fnVCAIPP_RandGauss_32f,
        fnVCAIPP_RandGaussFree_32f, first, second);
  }
}

TEST(RandomDirect, SameSeedSameVectorAndChainedSeedsContinue) {
  uint32_t seedA = 42, seedB = 42;
  std::vector<float> a(100), b(100);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_32f(a.data(), 100, 0.0f, 1.0f, &seedA), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_32f(b.data(), 100, 0.0f, 1.0f, &seedB), ippStsNoErr);
  EXPECT_EQ(a, b);
  EXPECT_EQ(seedA, seedB);
  EXPECT_NE(seedA, 42u);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_32f(b.data(), 100, 0.0f, 1.0f, &seedB), ippStsNoErr);
  EXPECT_NE(a, b);

  // A direct call is the stateful generator restarted from the seed (without a pending sample).
  uint32_t seed = 42;
  std::vector<int16_t> direct(99), stateful(99);
  ASSERT_EQ(fnVCAIPP_RandUniform_Direct_16s(direct.data(), 99, -5, 5, &seed), ippStsNoErr);
  RynRandUniformState16s* state = nullptr;
  ASSERT_EQ(fnVCAIPP_RandUniformInitAlloc_16s(&state, -5, 5, 42), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_RandUniform_16s(stateful.data(), 99, state), ippStsNoErr);
  EXPECT_EQ(direct, stateful);
  EXPECT_EQ(fnVCAIPP_RandUniformFree_16s(state), ippStsNoErr);
}

TEST(RandomDirect, AnUnpairedLastSampleUsesTheSecondValueAndDropsTheFirst) {
  uint32_t seed5 = 9, seed6 = 9;
  std::vector<double> five(5), six(6);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_64f(five.data(), 5, 0.0, 1.0, &seed5), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_RandGauss_Direct_64f(six.data(), 6, 0.0, 1.0, &seed6), ippStsNoErr);
  EXPECT_TRUE(std::equal(five.begin(), five.end(), six.begin()));
  EXPECT_EQ(seed5, seed6);
}

double Mean(const std::vector<float>& v) {
  double sum = 0;
  for (float x : v) sum += x;
  return sum / static_cast<double>(v.size());
}

double Deviation(const std::vector<float>& v) {
  const double mean = Mean(v);
  double sum = 0;
  for (float x : v) sum += (x - mean) * (x - mean);
  return std::sqrt(sum / static_cast<double>(v.size()));
}

TEST(RandomStatistics, MillionSamplesHaveTheRequestedMeanAndDeviation) {
  std::vector<float> samples(1000000);
  uint32_t seed = 1;
  ASSERT_EQ(fnVCAIPP_RandUniform_Direct_32f(samples.data(), 1000000, -1.0f, 3.0f, &seed), ippStsNoErr);
  EXPECT_NEAR(Mean(samples), 1.0, 0.005);
  EXPECT_NEAR(Deviation(samples), 4.0 / std::sqrt(12.0), 0.005);

  RynRandGaussState32f* state = nullptr;
  ASSERT_EQ(fnVCAIPP_RandGaussInitAlloc_32f(&state, 10.0f, 2.0f, 1), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_RandGauss_32f(samples.data(), 1000000, state), ippStsNoErr);
  EXPECT_NEAR(Mean(samples), 10.0, 0.01);
  EXPECT_NEAR(Deviation(samples), 2.0, 0.01);
  const auto beyondThree = std::count_if(samples.begin(), samples.end(), [](float v) { return std::fabs(v - 10.0f) > 6.0f; });
  EXPECT_NEAR(static_cast<double>(beyondThree) / 1e6, 0.0027, 0.0005);
  EXPECT_EQ(fnVCAIPP_RandGaussFree_32f(state), ippStsNoErr);
}

TEST(RandomChecks, GeneratorsCheckPointersThenLengthThenKind) {
  RynRandUniformState32f* uniform = nullptr;
  RynRandGaussState32f* gauss = nullptr;
  ASSERT_EQ(fnVCAIPP_RandUniformInitAlloc_32f(&uniform, 0.0f, 1.0f, 6), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_RandGaussInitAlloc_32f(&gauss, 0.0f, 1.0f, 6), ippStsNoErr);
  float sample = 7.0f;
  int16_t sample16 = 7;
  EXPECT_EQ(fnVCAIPP_RandUniform_32f(nullptr, 0, uniform), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniform_32f(&sample, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniform_32f(&sample, 0, uniform), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_RandGauss_32f(&sample, -1, gauss), ippStsSizeErr);
  // Another kind of state, or another sample type: rejected before anything is written.
  EXPECT_EQ(fnVCAIPP_RandUniform_32f(&sample, 1, reinterpret_cast<RynRandUniformState32f*>(gauss)),
            ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_RandGauss_32f(&sample, 1, reinterpret_cast<RynRandGaussState32f*>(uniform)),
            ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_RandUniform_16s(&sample16, 1, reinterpret_cast<RynRandUniformState16s*>(uniform)),
            ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_RandGauss_16s(&sample16, 1, reinterpret_cast<RynRandGaussState16s*>(gauss)),
            ippStsContextMatchErr);
  EXPECT_EQ(sample, 7.0f);
  EXPECT_EQ(sample16, 7);
  // The failed calls left the states at the start of their sequences.
  RynRandUniformState32f* fresh = nullptr;
  ASSERT_EQ(fnVCAIPP_RandUniformInitAlloc_32f(&fresh, 0.0f, 1.0f, 6), ippStsNoErr);
  float a = 0, b = 0;
  ASSERT_EQ(fnVCAIPP_RandUniform_32f(&a, 1, uniform), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_RandUniform_32f(&b, 1, fresh), ippStsNoErr);
  EXPECT_EQ(a, b);

  EXPECT_EQ(fnVCAIPP_RandUniformFree_32f(nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniformFree_32f(reinterpret_cast<RynRandUniformState32f*>(gauss)), ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_RandUniformFree_8u(reinterpret_cast<RynRandUniformState8u*>(uniform)), ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_RandGaussFree_16s(reinterpret_cast<RynRandGaussState16s*>(gauss)), ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_RandGaussFree_32f(nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniformFree_32f(uniform), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_RandUniformFree_32f(fresh), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_RandGaussFree_32f(gauss), ippStsNoErr);
}

TEST(RandomChecks, AllocationAndDirectFormsCheckTheirPointers) {
  EXPECT_EQ(fnVCAIPP_RandUniformInitAlloc_8u(nullptr, 0, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniformInitAlloc_16s(nullptr, 0, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniformInitAlloc_32f(nullptr, 0, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandGaussInitAlloc_16s(nullptr, 0, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandGaussInitAlloc_32f(nullptr, 0, 1, 0), ippStsNullPtrErr);
  uint32_t seed = 11;
  double sample = 0.5;
  EXPECT_EQ(fnVCAIPP_RandUniform_Direct_64f(nullptr, 0, 0, 1, &seed), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniform_Direct_64f(&sample, 1, 0, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandUniform_Direct_64f(&sample, 0, 0, 1, &seed), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_RandGauss_Direct_64f(&sample, 1, 0, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RandGauss_Direct_64f(&sample, 0, 0, 1, &seed), ippStsSizeErr);
  EXPECT_EQ(sample, 0.5);
  EXPECT_EQ(seed, 11u);
}

// Each build fills a guarded vector of n samples, `misalign` bytes past a 64-byte boundary,
// through generate(build, destination, n) twice (so that stateful generators carry their words
// and pending samples over), with the generic build's statuses and samples.
template <class T, class Generate>
void ExpectGeneratorMatchesGeneric(const char* name, Generate generate) {
  std::vector<int> lengths = kOddWidths;
  lengths.insert(lengths.end(), {255, 256, 257, 511, 1001});
  for (int n : lengths) {
    for (int misalign : {0, 1, static_cast<int>(sizeof(T))}) {
      SCOPED_TRACE(::testing::Message() << name << ", length " << n << ", misaligned by " << misalign);
      ExpectBuildsMatchGeneric([&](Build build) {
        TestImage<T> first(n, 1, 0, misalign), second(n, 1, 0, misalign);
        first.FillBytes(SentinelFor(build));
        second.FillBytes(SentinelFor(build));
        const auto outcome = generate(first.data(), second.data(), n);
        EXPECT_TRUE(first.GuardsIntact());
        EXPECT_TRUE(second.GuardsIntact());
        return std::tuple(outcome, Capture(first), Capture(second));
      });
    }
  }
}

// Two calls of a direct generator chained through the seed: their statuses and the last seed.
template <class T, class Direct>
auto Chained(Direct direct, T low, T high) {
  return [=](T* first, T* second, int n) {
    uint32_t seed = 17;
    const IppStatus a = direct(first, n, low, high, &seed);
    const IppStatus b = direct(second, n, low, high, &seed);
    return std::tuple(a, b, seed);
  };
}

// Two calls of a stateful generator.
template <class State, class T, class Alloc, class Generate, class Free>
auto Continued(Alloc alloc, Generate generate, Free free) {
  return [=](T* first, T* second, int n) {
    State* state = nullptr;
    EXPECT_EQ(alloc(&state), ippStsNoErr);
    const auto statuses = std::tuple(generate(first, n, state), generate(second, n, state));
    EXPECT_EQ(free(state), ippStsNoErr);
    return statuses;
  };
}

TEST(RandomBuilds, DirectGeneratorsMatchTheGenericCode) {
  ExpectGeneratorMatchesGeneric<int16_t>("uniform 16s",
                                         Chained<int16_t>(fnVCAIPP_RandUniform_Direct_16s, -1000, 30000));
  ExpectGeneratorMatchesGeneric<float>("uniform 32f", Chained<float>(fnVCAIPP_RandUniform_Direct_32f, -2.0f, 7.0f));
  ExpectGeneratorMatchesGeneric<double>("uniform 64f", Chained<double>(fnVCAIPP_RandUniform_Direct_64f, 1e-3, -1e3));
  ExpectGeneratorMatchesGeneric<int16_t>("gauss 16s", Chained<int16_t>(fnVCAIPP_RandGauss_Direct_16s, 30000, 2000));
  ExpectGeneratorMatchesGeneric<float>("gauss 32f", Chained<float>(fnVCAIPP_RandGauss_Direct_32f, 1.0f, 3.0f));
  ExpectGeneratorMatchesGeneric<double>("gauss 64f", Chained<double>(fnVCAIPP_RandGauss_Direct_64f, -1.0, 0.25));
}

TEST(RandomBuilds, StatefulGeneratorsMatchTheGenericCode) {
  ExpectGeneratorMatchesGeneric<uint8_t>(
      "uniform 8u", Continued<RynRandUniformState8u, uint8_t>(
                        [](auto** s) { return fnVCAIPP_RandUniformInitAlloc_8u(s, 3, 250, 7); },
                        fnVCAIPP_RandUniform_8u, fnVCAIPP_RandUniformFree_8u));
  ExpectGeneratorMatchesGeneric<int16_t>(
      "uniform 16s", Continued<RynRandUniformState16s, int16_t>(
                         [](auto** s) { return fnVCAIPP_RandUniformInitAlloc_16s(s, 32767, -32768, 7); },
                         fnVCAIPP_RandUniform_16s, fnVCAIPP_RandUniformFree_16s));
  ExpectGeneratorMatchesGeneric<float>(
      "uniform 32f", Continued<RynRandUniformState32f, float>(
                         [](auto** s) { return fnVCAIPP_RandUniformInitAlloc_32f(s, -1e6f, 1e-6f, 7); },
                         fnVCAIPP_RandUniform_32f, fnVCAIPP_RandUniformFree_32f));
  ExpectGeneratorMatchesGeneric<int16_t>(
      "gauss 16s", Continued<RynRandGaussState16s, int16_t>(
                       [](auto** s) { return fnVCAIPP_RandGaussInitAlloc_16s(s, -20, 300, 8); },
                       fnVCAIPP_RandGauss_16s, fnVCAIPP_RandGaussFree_16s));
  ExpectGeneratorMatchesGeneric<float>(
      "gauss 32f", Continued<RynRandGaussState32f, float>(
                       [](auto** s) { return fnVCAIPP_RandGaussInitAlloc_32f(s, 0.0f, 1.0f, 9); },
                       fnVCAIPP_RandGauss_32f, fnVCAIPP_RandGaussFree_32f));
}

}  // namespace
}  // namespace ryn::test
