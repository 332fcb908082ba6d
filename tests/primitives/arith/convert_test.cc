// Conversions between 8u, 16u, 16s and 32f.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "primitives/arith/misaligned_row.h"
#include "support/float_environment.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Convert_32f8u on one row of values, in one call; the vector unit's control word (all but its
// exception flags) must be the caller's again afterwards.
std::vector<uint8_t> ConvertRow32f8u(const std::vector<float>& values) {
  std::vector<uint8_t> bytes(values.size(), 0xEE);
  const int width = static_cast<int>(values.size());
  constexpr unsigned kExceptionFlags = 0x3F;
  const unsigned control = _mm_getcsr() & ~kExceptionFlags;
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(values.data(), width * 4, bytes.data(), width, IppiSize{width, 1}),
            ippStsNoErr);
  EXPECT_EQ(_mm_getcsr() & ~kExceptionFlags, control) << "the caller's rounding mode was changed";
  return bytes;
}

TEST(Convert32f8u, RoundsHalvesToEvenAndSaturatesWhateverTheRoundingMode) {
  const std::vector<std::pair<float, uint8_t>> cases = {
      {0.5f, 0},         {1.5f, 2},       {2.5f, 2},          {127.5f, 128},         {254.5f, 254},
      {255.7f, 255},     {-3.7f, 0},      {300.0f, 255},      {0.49999997f, 0},      {0.50000006f, 1},
      {253.5f, 254},     {254.50002f, 255}, {255.49f, 255},   {255.5f, 255},         {-0.5f, 0},
      {-0.0f, 0},        {1e-40f, 0},     {kInfinity, 255},   {-kInfinity, 0},       {kNaN, 0},
      {-kNaN, 0},        {3.4e38f, 255},  {-3.4e38f, 0},      {77.0f, 77},           {99.4999f, 99}};
  std::vector<float> values;
  for (const auto& c : cases) values.push_back(c.first);
  // Repeated so that the vector bodies of every build see each value, not only the scalar tails.
  for (int copy = 0; copy < 6; ++copy) values.insert(values.end(), values.begin(), values.begin() + cases.size());
  for (int mode : kRoundingModes) {
    SCOPED_TRACE(::testing::Message() << "rounding mode " << mode);
    ForEachBuild([&](Build) {
      ScopedRoundingMode scoped(mode);
      const std::vector<uint8_t> bytes = ConvertRow32f8u(values);
      EXPECT_EQ(std::fegetround(), mode) << "the caller's rounding mode was changed";
      for (size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(bytes[i], cases[i % cases.size()].second) << "value " << values[i] << " at " << i;
      }
    });
  }
}

// Every half-integer and its neighbours from below 0 to beyond 255, against the C library's
// rounding to nearest.
TEST(Convert32f8u, AgreesWithRoundingToNearestAroundEveryHalf) {
  std::vector<float> values;
  for (int k = -3; k <= 258; ++k) {
    for (float base : {k + 0.5f, static_cast<float>(k)}) {
      values.push_back(std::nextafter(base, -kInfinity));
      values.push_back(base);
      values.push_back(std::nextafter(base, kInfinity));
    }
  }
  std::vector<uint8_t> expected;
  for (float v : values) {
    expected.push_back(static_cast<uint8_t>(std::fmin(std::fmax(std::nearbyint(v), 0.0f), 255.0f)));
  }
  for (int mode : kRoundingModes) {
    SCOPED_TRACE(::testing::Message() << "rounding mode " << mode);
    ForEachBuild([&](Build) {
      ScopedRoundingMode scoped(mode);
      EXPECT_EQ(ConvertRow32f8u(values), expected);
    });
  }
}

TEST(Convert16s8u, Saturates) {
  std::vector<int16_t> values;
  for (int v = -32768; v <= 32767; v += 1) values.push_back(static_cast<int16_t>(v));
  ForEachBuild([&](Build) {
    std::vector<uint8_t> bytes(values.size(), 0xEE);
    const int width = static_cast<int>(values.size()) / 4;
    ASSERT_EQ(fnVCAIPP_Convert_16s8u_C1R(values.data(), width * 2, bytes.data(), width, IppiSize{width, 4}),
              ippStsNoErr);
    for (size_t i = 0; i < values.size(); ++i) {
      ASSERT_EQ(bytes[i], values[i] < 0 ? 0 : values[i] > 255 ? 255 : values[i]) << values[i];
    }
  });
  const int16_t examples[3] = {-5, 300, 77};
  uint8_t results[3] = {};
  ASSERT_EQ(fnVCAIPP_Convert_16s8u_C1R(examples, 6, results, 3, IppiSize{3, 1}), ippStsNoErr);
  EXPECT_EQ(std::vector<uint8_t>(results, results + 3), (std::vector<uint8_t>{0, 255, 77}));
}

TEST(Convert, WideningIsExact) {
  std::vector<uint16_t> words(65536);
  for (int v = 0; v < 65536; ++v) words[v] = static_cast<uint16_t>(v);
  std::vector<uint8_t> bytes(256);
  for (int v = 0; v < 256; ++v) bytes[v] = static_cast<uint8_t>(v);
  ForEachBuild([&](Build) {
    std::vector<float> floats(65536, -1.0f);
    ASSERT_EQ(fnVCAIPP_Convert_16u32f_C1R(words.data(), 512, floats.data(), 1024, IppiSize{256, 256}), ippStsNoErr);
    for (int v = 0; v < 65536; ++v) ASSERT_EQ(floats[v], static_cast<float>(v));
    ASSERT_EQ(fnVCAIPP_Convert_8u32f_C1R(bytes.data(), 64, floats.data(), 256, IppiSize{64, 4}), ippStsNoErr);
    std::vector<uint16_t> unsignedWords(256, 0xFFFF);
    std::vector<int16_t> signedWords(256, -1);
    ASSERT_EQ(fnVCAIPP_Convert_8u16u_C1R(bytes.data(), 128, unsignedWords.data(), 256, IppiSize{128, 2}),
              ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_Convert_8u16s_C1R(bytes.data(), 256, signedWords.data(), 512, IppiSize{256, 1}),
              ippStsNoErr);
    for (int v = 0; v < 256; ++v) {
      ASSERT_EQ(floats[v], static_cast<float>(v));
      ASSERT_EQ(unsignedWords[v], v);
      ASSERT_EQ(signedWords[v], v);  // 200 stays 200, never -56
    }
  });
}

// Random pixels with the awkward values mixed in, on every shape, under every build.
TEST(Convert, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> bytes(shape.width, shape.height, shape.padding, 3);
      TestImage<uint16_t> words(shape.width, shape.height, 2 * shape.padding + 2, 2);
      TestImage<int16_t> signedWords(shape.width, shape.height, 2 * shape.padding, 2);
      TestImage<float> floats(shape.width, shape.height, 4 * shape.padding + 4, 8);
      bytes.FillRandom(1, 0, 255);
      words.FillRandom(2, 0, 65535);
      signedWords.FillRandom(3, -400, 700);
      floats.FillRandom(4, -20.0f, 280.0f);
      const float specials[] = {kNaN, 0.5f, 2.5f, 254.5f, -0.0f, kInfinity, 255.5f, 7.0f};
      for (int y = 0; y < shape.height; ++y)
        for (int x = y % 3; x < shape.width; x += 3) floats.at(x, y) = specials[(x + y) % 8];
      const auto sentinel = SentinelFor(build);
      TestImage<float> fromBytes(shape.width, shape.height, 4 * shape.padding + 8, 12);
      TestImage<float> fromWords(shape.width, shape.height, 4 * shape.padding, 4);
      TestImage<uint16_t> widened(shape.width, shape.height, 2 * shape.padding, 6);
      TestImage<uint8_t> saturated(shape.width, shape.height, shape.padding, 2);
      TestImage<uint8_t> rounded(shape.width, shape.height, shape.padding + 1, 5);
      for (auto* image : {&fromBytes, &fromWords}) image->FillBytes(sentinel);
      widened.FillBytes(sentinel);
      saturated.FillBytes(sentinel);
      rounded.FillBytes(sentinel);
      const IppiSize size = bytes.size();
      const auto statuses = std::tuple(
          fnVCAIPP_Convert_8u32f_C1R(bytes.data(), bytes.step(), fromBytes.data(), fromBytes.step(), size),
          fnVCAIPP_Convert_16u32f_C1R(words.data(), words.step(), fromWords.data(), fromWords.step(), size),
          fnVCAIPP_Convert_8u16u_C1R(bytes.data(), bytes.step(), widened.data(), widened.step(), size),
          fnVCAIPP_Convert_16s8u_C1R(signedWords.data(), signedWords.step(), saturated.data(), saturated.step(),
                                     size),
          fnVCAIPP_Convert_32f8u_C1R(floats.data(), floats.step(), rounded.data(), rounded.step(), size));
      EXPECT_EQ(statuses, std::tuple(ippStsNoErr, ippStsNoErr, ippStsNoErr, ippStsNoErr, ippStsNoErr));
      EXPECT_TRUE(fromBytes.GuardsIntact());
      EXPECT_TRUE(fromWords.GuardsIntact());
      EXPECT_TRUE(widened.GuardsIntact());
      EXPECT_TRUE(saturated.GuardsIntact());
      EXPECT_TRUE(rounded.GuardsIntact());
      return std::tuple(Capture(fromBytes), Capture(fromWords), Capture(widened), Capture(saturated),
                        Capture(rounded));
    });
  });
}

TEST(Convert, BadArgumentsInOrderWriteNothing) {
  const float source = 1.0f;
  uint8_t byte = 7;
  // Null pointers first, then the region, then the source and destination steps.
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(nullptr, 0, &byte, 0, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(&source, 0, nullptr, 1, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(&source, 0, &byte, 0, IppiSize{1, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(&source, 0, &byte, 1, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(&source, 4, &byte, 0, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Convert_32f8u_C1R(&source, 4, &byte, -1, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(byte, 7);
  float value = 7.0f;
  uint16_t word = 7;
  int16_t signedWord = 7;
  EXPECT_EQ(fnVCAIPP_Convert_8u32f_C1R(&byte, 0, &value, 4, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Convert_16u32f_C1R(&word, 2, &value, 0, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Convert_8u16u_C1R(&byte, 1, &word, 2, IppiSize{-1, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Convert_8u16s_C1R(nullptr, 1, &signedWord, 2, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Convert_16s8u_C1R(&signedWord, -2, &byte, 1, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(value, 7.0f);
  EXPECT_EQ(word, 7);
  EXPECT_EQ(signedWord, 7);
  EXPECT_EQ(byte, 7);
}

// Rows of 16-bit and float pixels at odd addresses, as steps that are not multiples of the pixel
// size give.
TEST(Convert, PixelsAtOddAddresses) {
  for (int width : kOddWidths) {
    SCOPED_TRACE(width);
    ExpectBuildsMatchGeneric([&](Build build) {
      MisalignedRow<float> floats(width, 0);
      MisalignedRow<int16_t> words(width, 0);
      std::vector<uint8_t> bytes(width);
      for (int x = 0; x < width; ++x) {
        floats.Set(x, x % 7 == 0 ? kNaN : static_cast<float>(x % 301) * 0.75f - 10.0f);
        words.Set(x, static_cast<int16_t>(x * 37 % 700 - 200));
        bytes[x] = static_cast<uint8_t>(x * 13);
      }
      const uint8_t fill = SentinelFor(build);
      MisalignedRow<float> widened(width, fill);
      MisalignedRow<uint16_t> zeroExtended(width, fill);
      std::vector<uint8_t> rounded(width, fill), saturated(width, fill);
      const IppiSize row{width, 1};
      const auto statuses = std::tuple(
          fnVCAIPP_Convert_32f8u_C1R(floats.data(), width * 4, rounded.data(), width, row),
          fnVCAIPP_Convert_16s8u_C1R(words.data(), width * 2, saturated.data(), width, row),
          fnVCAIPP_Convert_8u32f_C1R(bytes.data(), width, widened.data(), width * 4, row),
          fnVCAIPP_Convert_8u16u_C1R(bytes.data(), width, zeroExtended.data(), width * 2, row));
      EXPECT_TRUE(widened.GuardsIntact(fill));
      EXPECT_TRUE(zeroExtended.GuardsIntact(fill));
      return std::tuple(statuses, rounded, saturated, widened.PixelBytes(), zeroExtended.PixelBytes());
    });
  }
}

}  // namespace
}  // namespace ryn::test
