// The piecewise-linear lookup table.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// The table the lookup applies: every pixel value 0..255 through one call.
std::vector<uint8_t> TableOf(const std::vector<int32_t>& levels, const std::vector<int32_t>& values) {
  std::vector<uint8_t> row(256);
  for (int v = 0; v < 256; ++v) row[v] = static_cast<uint8_t>(v);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1IR(row.data(), 256, IppiSize{256, 1}, values.data(), levels.data(),
                                        static_cast<int>(levels.size())),
            ippStsNoErr);
  return row;
}

std::vector<uint8_t> Identity() {
  std::vector<uint8_t> table(256);
  for (int v = 0; v < 256; ++v) table[v] = static_cast<uint8_t>(v);
  return table;
}

TEST(LookUpLinear, Examples) {
  ForEachBuild([](Build) {
    const auto ramp = TableOf({0, 256}, {0, 255});
    EXPECT_EQ(ramp[128], 128);
    EXPECT_EQ(ramp[255], 254);
    for (int v = 0; v < 256; ++v) ASSERT_EQ(ramp[v], (v * 255 + 128) / 256) << v;  // floor(v x 255/256 + 0.5)
    const auto falling = TableOf({0, 128}, {255, 0});
    EXPECT_EQ(falling[0], 255);
    EXPECT_EQ(falling[64], 128);  // 127.5 rounded up
    EXPECT_EQ(falling[127], 2);  // 255.5 - 127 x 255/128 = 2.49...
    for (int v = 128; v < 256; ++v) ASSERT_EQ(falling[v], v);
  });
}

TEST(LookUpLinear, TableRule) {
  // Below the first level and from the last level up: the identity.
  auto expected = Identity();
  for (int v = 100; v < 200; ++v) expected[v] = 50;
  EXPECT_EQ(TableOf({100, 200}, {50, 50}), expected);
  // Values clamp to 0..255 along the segment; a falling pair of levels is skipped; a later pair
  // overwrites an earlier one; a pair one level wide takes its first value.
  const auto table = TableOf({0, 10, 5, 20, 30, 31, 40}, {-100, 400, 0, 0, 1000, 7, 7});
  EXPECT_EQ(table[0], 0);    // -100 + 0.5 truncated, clamped
  EXPECT_EQ(table[3], 50);   // -100 + 3 x 50 + 0.5 truncated
  EXPECT_EQ(table[4], 100);
  EXPECT_EQ(table[7], 0);    // the pair (5, 20) wins over (0, 10)
  EXPECT_EQ(table[25], 255);  // 0 + 5 x 100: clamped
  EXPECT_EQ(table[30], 255);  // the one-wide pair (30, 31): value 1000 clamped
  EXPECT_EQ(table[31], 7);
  EXPECT_EQ(table[39], 7);
  EXPECT_EQ(table[40], 40);
  EXPECT_EQ(TableOf({0, 10, 5, 20}, {0, 0, 255, 255})[8], 255);
}

// Levels outside 0..256 are clamped, the first level of a pair to 0..255 and the second to
// 0..256, and never index outside the table; the interpolation keeps the real levels.
TEST(LookUpLinear, LevelsOutsideThePixelRangeAreClamped) {
  EXPECT_EQ(TableOf({-100, 400}, {-100, 400}), Identity());
  EXPECT_EQ(TableOf({-1000, 0}, {5, 5}), Identity());  // clamps to no entry
  EXPECT_EQ(TableOf({INT32_MIN, INT32_MAX}, {INT32_MIN, INT32_MAX}), Identity());
  auto expected = Identity();
  expected[255] = 3;  // clamped to the one entry 255: its first value
  EXPECT_EQ(TableOf({300, 400}, {3, 9}), expected);
  EXPECT_EQ(TableOf({256, 257}, {3, 9}), expected);
  expected[255] = 9;
  EXPECT_EQ(TableOf({255, 1000}, {9, 9}), expected);
  expected = Identity();
  expected[0] = 100;  // (-10, 1) clamps to the one entry 0
  EXPECT_EQ(TableOf({-10, 1}, {100, 111}), expected);
  expected[0] = 110;  // (-10, 2) interpolates from the real levels: 100 + 10 x 1 + 0.5 truncated
  expected[1] = 111;
  EXPECT_EQ(TableOf({-10, 2}, {100, 112}), expected);
  expected = Identity();
  for (int v = 250; v < 256; ++v) expected[v] = static_cast<uint8_t>(v - 250);  // slope 1 from 250 on
  EXPECT_EQ(TableOf({250, 300}, {0, 50}), expected);
}

// The vector builds look up through shuffles of table chunks: every pixel value, random tables,
// every shape, in place and not.
TEST(LookUpLinear, BuildsMatchGeneric) {
  std::mt19937 rng(5);
  for (int trial = 0; trial < 4; ++trial) {
    std::vector<int32_t> levels, values;
    for (int k = 0; k < 6 + 9 * trial; ++k) {
      levels.push_back(std::uniform_int_distribution<int32_t>(-20, 280)(rng));
      values.push_back(std::uniform_int_distribution<int32_t>(-50, 300)(rng));
    }
    ExpectBuildsMatchGeneric([&](Build) { return TableOf(levels, values); });
  }
  const std::vector<int32_t> levels{0, 40, 90, 90, 200, 256}, values{255, 3, 200, 17, 64, 0};
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> source(shape.width, shape.height, shape.padding, 3);
      source.FillRandom(9, 0, 255);
      const UnchangedSource<uint8_t> unchanged(source);
      TestImage<uint8_t> destination(shape.width, shape.height, shape.padding + 1, 1);
      destination.FillBytes(SentinelFor(build));
      TestImage<uint8_t> inPlace(shape.width, shape.height, shape.padding + 2, 6);
      inPlace.FillRandom(9, 0, 255);
      const auto statuses = std::tuple(
          fnVCAIPP_LUT_Linear_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                     source.size(), values.data(), levels.data(), 6),
          fnVCAIPP_LUT_Linear_8u_C1IR(inPlace.data(), inPlace.step(), inPlace.size(), values.data(), levels.data(),
                                      6));
      EXPECT_EQ(statuses, std::tuple(0, 0));
      EXPECT_EQ(destination.RegionBytes(), inPlace.RegionBytes());
      EXPECT_TRUE(unchanged.Check());
      EXPECT_TRUE(destination.GuardsIntact());
      EXPECT_TRUE(inPlace.GuardsIntact());
      return Capture(destination);
    });
  });
}

TEST(LookUpLinear, BadArgumentsInOrderWriteNothing) {
  const int32_t levels[2] = {0, 256}, values[2] = {0, 255};
  uint8_t pixel = 7;
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1R(&pixel, 1, &pixel, 1, IppiSize{0, 0}, values, nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1R(&pixel, 1, &pixel, 1, IppiSize{1, 1}, nullptr, levels, 2), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1R(nullptr, 1, &pixel, 1, IppiSize{1, 1}, values, levels, 2), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1R(&pixel, 0, &pixel, 0, IppiSize{0, 1}, values, levels, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1R(&pixel, 1, &pixel, 0, IppiSize{1, 1}, values, levels, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1IR(&pixel, 1, IppiSize{1, 1}, values, levels, 1), ippStsLUTNofLevelsErr);
  EXPECT_EQ(fnVCAIPP_LUT_Linear_8u_C1IR(nullptr, 1, IppiSize{1, 1}, values, levels, 2), ippStsNullPtrErr);
  EXPECT_EQ(pixel, 7);
}

}  // namespace
}  // namespace ryn::test
