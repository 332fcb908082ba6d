// 8-bit sums, differences, products and squares with the scale factor: the rule against every
// pair of pixels, the documented examples, every build against the generic code, argument checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// Every kind of scale factor: far below and at the saturating ones, the shifts up, none, rounding
// shifts, the last meaningful ones and just past them, far above.
constexpr int kScales[] = {INT_MIN, -9, -8, -7, -3, -1, 0, 1, 2, 7, 8, 9, 10, 16, 17, INT_MAX};
// The constant forms scale through the same code as the two-image forms: fewer scale factors.
constexpr int kConstantScales[] = {INT_MIN, -8, -1, 0, 1, 3, 9, 17};

// exact x 2^-scale rounded to nearest with ties to even, saturated to 0..255, computed in doubles
// (exact for these magnitudes) rather than by the integer formula.
uint8_t ByRule(int64_t exact, int scale) {
  const int exponent = static_cast<int>(std::clamp<int64_t>(-int64_t{scale}, -200, 200));
  const double scaled = std::nearbyint(std::ldexp(static_cast<double>(exact), exponent));
  return scaled >= 255.0 ? 255 : static_cast<uint8_t>(scaled);
}

// ByRule for every exact result 0..255 x 255.
std::vector<uint8_t> RuleTable(int scale) {
  std::vector<uint8_t> table(255 * 255 + 1);
  for (size_t r = 0; r < table.size(); ++r) table[r] = ByRule(static_cast<int64_t>(r), scale);
  return table;
}

// expected(x, y) over a width x height region, row by row.
std::vector<uint8_t> Expected(int width, int height, const std::function<int(int, int)>& expected) {
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(static_cast<uint8_t>(expected(x, y)));
  return pixels;
}

// The first pixel (x, y) of `image` that differs from `expected` (as made by Expected), or "" if
// none does.
std::string FirstMismatch(const TestImage<uint8_t>& image, const std::vector<uint8_t>& expected) {
  const std::vector<uint8_t> actual = image.Region();
  if (actual == expected) return "";
  const auto [at, wanted] = std::mismatch(actual.begin(), actual.end(), expected.begin());
  const auto index = static_cast<int>(at - actual.begin());
  std::ostringstream text;
  text << "at (" << index % image.width() << ", " << index / image.width() << "): " << int{*at} << " instead of "
       << int{*wanted};
  return text.str();
}

// Pixel x in column x, or y in row y: together every pair of pixel values.
TestImage<uint8_t> Columns() {
  TestImage<uint8_t> image(256, 256, 5, 3);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) image.at(x, y) = static_cast<uint8_t>(x);
  return image;
}
TestImage<uint8_t> Rows() {
  TestImage<uint8_t> image(256, 256, 7, 1);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) image.at(x, y) = static_cast<uint8_t>(y);
  return image;
}

int Difference(int x, int y) { return std::max(0, x - y); }

// The rule's results for pixel x in column x and y in row y: x + y, max(0, x - y), x y.
std::tuple<std::vector<uint8_t>, std::vector<uint8_t>, std::vector<uint8_t>> ExpectedForEveryPair(int scale) {
  const std::vector<uint8_t> rule = RuleTable(scale);
  return {Expected(256, 256, [&](int x, int y) { return rule[x + y]; }),
          Expected(256, 256, [&](int x, int y) { return rule[Difference(x, y)]; }),
          Expected(256, 256, [&](int x, int y) { return rule[x * y]; })};
}

TEST(Scaled8u, TwoImagesFollowTheRuleForEveryPairAndScale) {
  const TestImage<uint8_t> columns = Columns(), rows = Rows();
  const IppiSize size = columns.size();
  for (int scale : kScales) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    const auto [sums, differences, products] = ExpectedForEveryPair(scale);
    ForEachBuild([&](Build) {
      TestImage<uint8_t> sum(256, 256, 3, 2), difference(256, 256, 0, 5), product = rows, differenceInPlace = columns;
      ASSERT_EQ(fnVCAIPP_Add_8u_C1R(columns.data(), rows.data(), sum.data(), size, columns.step(), rows.step(),
                                    sum.step(), scale),
                ippStsNoErr);
      // The second image minus the first.
      ASSERT_EQ(fnVCAIPP_Sub_8u_C1R(rows.data(), columns.data(), difference.data(), size, rows.step(),
                                    columns.step(), difference.step(), scale),
                ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mul_8u_C1IR(columns.data(), product.data(), size, columns.step(), product.step(), scale),
                ippStsNoErr);
      EXPECT_EQ(FirstMismatch(sum, sums), "");
      EXPECT_EQ(FirstMismatch(difference, differences), "");
      EXPECT_EQ(FirstMismatch(product, products), "");
      for (const auto* image : {&sum, &difference, &product}) EXPECT_TRUE(image->GuardsIntact());
      if (scale == 0) {
        ASSERT_EQ(fnVCAIPP_Sub_8u_C1IR(rows.data(), differenceInPlace.data(), size, rows.step(),
                                       differenceInPlace.step()),
                  ippStsNoErr);
        EXPECT_EQ(FirstMismatch(differenceInPlace, differences), "");
      }
    });
  }
}

// Pixel x in column x, value y for row y, through every constant form, in place and not.
TEST(Scaled8u, ConstantsFollowTheRuleForEveryPairAndScale) {
  TestImage<uint8_t> ramp(256, 1, 0, 3);
  for (int x = 0; x < 256; ++x) ramp.at(x, 0) = static_cast<uint8_t>(x);
  const IppiSize row{256, 1};
  for (int scale : kConstantScales) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    const auto [sums, differences, products] = ExpectedForEveryPair(scale);
    ForEachBuild([&](Build build) {
      std::vector<TestImage<uint8_t>> results;
      for (int k = 0; k < 6; ++k) results.emplace_back(256, 256, 1, k);
      for (int k = 0; k < 3; ++k) results[k].FillBytes(SentinelFor(build));
      for (int k = 3; k < 6; ++k) results[k] = Columns();
      for (int y = 0; y < 256; ++y) {
        const auto value = static_cast<uint8_t>(y);
        auto rowOf = [&](int k) { return &results[k].at(0, y); };
        const int step = results[0].step();
        ASSERT_EQ(fnVCAIPP_AddC_8u_C1R(value, ramp.data(), rowOf(0), row, 256, step, scale), ippStsNoErr);
        ASSERT_EQ(fnVCAIPP_SubC_8u_C1R(value, ramp.data(), rowOf(1), row, 256, step, scale), ippStsNoErr);
        ASSERT_EQ(fnVCAIPP_MulC_8u_C1RSfs(ramp.data(), rowOf(2), value, row, 256, step, scale), ippStsNoErr);
        ASSERT_EQ(fnVCAIPP_AddC_8u_C1IR(value, rowOf(3), row, step, scale), ippStsNoErr);
        ASSERT_EQ(fnVCAIPP_SubC_8u_C1IR(value, rowOf(4), row, step, scale), ippStsNoErr);
        ASSERT_EQ(fnVCAIPP_MulC_8u_C1IRSfs(rowOf(5), value, row, step, scale), ippStsNoErr);
      }
      for (int k : {0, 3}) EXPECT_EQ(FirstMismatch(results[k], sums), "");
      for (int k : {1, 4}) EXPECT_EQ(FirstMismatch(results[k], differences), "");
      for (int k : {2, 5}) EXPECT_EQ(FirstMismatch(results[k], products), "");
      for (const auto& image : results) EXPECT_TRUE(image.GuardsIntact());
    });
  }
}

TEST(Scaled8u, SquaresFollowTheRuleForEveryPixelAndScale) {
  for (int scale : kScales) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    ForEachBuild([&](Build) {
      TestImage<uint8_t> squares(256, 2, 3, 1);
      for (int x = 0; x < 256; ++x) squares.at(x, 0) = squares.at(x, 1) = static_cast<uint8_t>(x);
      ASSERT_EQ(fnVCAIPP_Sqr_8u_C1IRSfs(squares.data(), squares.size(), squares.step(), scale), ippStsNoErr);
      EXPECT_EQ(FirstMismatch(squares, Expected(256, 2, [&](int x, int) { return ByRule(x * x, scale); })), "");
      EXPECT_TRUE(squares.GuardsIntact());
    });
  }
}

// One pixel through Add_8u_C1R.
int Sum(uint8_t a, uint8_t b, int scale) {
  uint8_t result = 0;
  EXPECT_EQ(fnVCAIPP_Add_8u_C1R(&a, &b, &result, IppiSize{1, 1}, 1, 1, 1, scale), ippStsNoErr);
  return result;
}

TEST(Scaled8u, DocumentedExamples) {
  EXPECT_EQ(Sum(200, 100, 0), 255);
  EXPECT_EQ(Sum(200, 100, 1), 150);
  EXPECT_EQ(Sum(1, 2, 1), 2);  // 1.5 to even
  EXPECT_EQ(Sum(2, 3, 1), 2);  // 2.5 to even
  EXPECT_EQ(Sum(3, 4, 1), 4);  // 3.5 to even
  EXPECT_EQ(Sum(100, 30, -1), 255);
  EXPECT_EQ(Sum(255, 255, 10), 0);

  uint8_t first = 10, second = 30, result = 0;
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1R(&first, &second, &result, IppiSize{1, 1}, 1, 1, 1, 0), ippStsNoErr);
  EXPECT_EQ(result, 20);
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1R(&second, &first, &result, IppiSize{1, 1}, 1, 1, 1, 0), ippStsNoErr);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1R(&first, &second, &result, IppiSize{1, 1}, 1, 1, 1, 9), ippStsNoErr);
  EXPECT_EQ(result, 0);
  // The in-place difference has no scale factor: image - source, unscaled.
  uint8_t image = 30;
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1IR(&first, &image, IppiSize{1, 1}, 1, 1), ippStsNoErr);
  EXPECT_EQ(image, 20);
}

// MulC by 0 fills zeros, by 1 at scale 0 copies, and AddC and SubC of 0 at scale 0 copy; also
// the sums and differences beyond their last scale factors: every such shortcut writes the whole
// region and nothing else, in place too.
TEST(Scaled8u, ShortcutsWriteTheWholeRegionOnly) {
  ForEachBuild([&](Build build) {
    TestImage<uint8_t> source(37, 5, 3, 1);
    source.FillRandom(3, 0, 255);
    const IppiSize size = source.size();
    auto result = [&](const std::function<IppStatus(uint8_t*, int)>& call) {
      TestImage<uint8_t> destination(37, 5, 6, 2);
      destination.FillBytes(SentinelFor(build));
      EXPECT_EQ(call(destination.data(), destination.step()), ippStsNoErr);
      EXPECT_TRUE(destination.GuardsIntact());
      return destination.Region();
    };
    const std::vector<uint8_t> zeros(37 * 5, 0);
    EXPECT_EQ(result([&](uint8_t* d, int step) {
                return fnVCAIPP_MulC_8u_C1RSfs(source.data(), d, 0, size, source.step(), step, -3);
              }),
              zeros);
    EXPECT_EQ(result([&](uint8_t* d, int step) {
                return fnVCAIPP_Add_8u_C1R(source.data(), source.data(), d, size, source.step(), source.step(), step,
                                           10);
              }),
              zeros);
    EXPECT_EQ(result([&](uint8_t* d, int step) {
                return fnVCAIPP_SubC_8u_C1R(0, source.data(), d, size, source.step(), step, INT_MAX);
              }),
              zeros);
    EXPECT_EQ(result([&](uint8_t* d, int step) {
                return fnVCAIPP_MulC_8u_C1RSfs(source.data(), d, 1, size, source.step(), step, 0);
              }),
              source.Region());
    EXPECT_EQ(result([&](uint8_t* d, int step) {
                return fnVCAIPP_AddC_8u_C1R(0, source.data(), d, size, source.step(), step, 0);
              }),
              source.Region());
    EXPECT_EQ(result([&](uint8_t* d, int step) {
                return fnVCAIPP_SubC_8u_C1R(0, source.data(), d, size, source.step(), step, 0);
              }),
              source.Region());
    TestImage<uint8_t> inPlace = source;
    EXPECT_EQ(fnVCAIPP_AddC_8u_C1IR(0, inPlace.data(), size, inPlace.step(), 0), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_MulC_8u_C1IRSfs(inPlace.data(), 1, size, inPlace.step(), 0), ippStsNoErr);
    EXPECT_EQ(inPlace.Region(), source.Region());
    EXPECT_EQ(fnVCAIPP_Sqr_8u_C1IRSfs(inPlace.data(), size, inPlace.step(), 17), ippStsNoErr);
    EXPECT_EQ(inPlace.Region(), zeros);
    EXPECT_TRUE(inPlace.GuardsIntact());
  });
}

// Every form under every build on odd shapes, padded and misaligned rows, in place and not.
TEST(Scaled8u, BuildsMatchTheGenericCodeOnEveryShape) {
  for (int scale : {-20, 0, 1, 9}) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    ForEachOddShape([&](const Shape& shape) {
      ExpectBuildsMatchGeneric([&](Build build) {
        const int w = shape.width, h = shape.height;
        TestImage<uint8_t> a(w, h, shape.padding, 3), b(w, h, shape.padding + 2, 1);
        a.FillRandom(11, 0, 255);
        b.FillRandom(12, 0, 255);
        const UnchangedSource<uint8_t> unchangedA(a), unchangedB(b);
        std::vector<TestImage<uint8_t>> out;
        for (int k = 0; k < 5; ++k) out.emplace_back(w, h, shape.padding + 1, 5 + k);
        for (auto& image : out) image.FillBytes(SentinelFor(build));
        std::vector<TestImage<uint8_t>> inPlace(6, b);
        const IppiSize size = a.size();
        const auto statuses = std::tuple(
            fnVCAIPP_Add_8u_C1R(a.data(), b.data(), out[0].data(), size, a.step(), b.step(), out[0].step(), scale),
            fnVCAIPP_Sub_8u_C1R(a.data(), b.data(), out[1].data(), size, a.step(), b.step(), out[1].step(), scale),
            fnVCAIPP_AddC_8u_C1R(77, a.data(), out[2].data(), size, a.step(), out[2].step(), scale),
            fnVCAIPP_SubC_8u_C1R(77, a.data(), out[3].data(), size, a.step(), out[3].step(), scale),
            fnVCAIPP_MulC_8u_C1RSfs(a.data(), out[4].data(), 201, size, a.step(), out[4].step(), scale),
            fnVCAIPP_Add_8u_C1IR(a.data(), inPlace[0].data(), size, a.step(), b.step(), scale),
            fnVCAIPP_AddC_8u_C1IR(5, inPlace[1].data(), size, b.step(), scale),
            fnVCAIPP_SubC_8u_C1IR(5, inPlace[2].data(), size, b.step(), scale),
            fnVCAIPP_Mul_8u_C1IR(a.data(), inPlace[3].data(), size, a.step(), b.step(), scale),
            fnVCAIPP_MulC_8u_C1IRSfs(inPlace[4].data(), 3, size, b.step(), scale),
            fnVCAIPP_Sqr_8u_C1IRSfs(inPlace[5].data(), size, b.step(), scale));
        EXPECT_EQ(statuses, std::tuple(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
        EXPECT_TRUE(unchangedA.Check());
        EXPECT_TRUE(unchangedB.Check());
        std::vector<Snapshot> snapshots;
        for (const auto& image : out) {
          EXPECT_TRUE(image.GuardsIntact());
          snapshots.push_back(Capture(image));
        }
        for (const auto& image : inPlace) {
          EXPECT_TRUE(image.GuardsIntact());
          snapshots.push_back(Capture(image));
        }
        return snapshots;
      });
    });
  }
}

// Pointers, then the region; steps are not checked (except by the square); nothing is written.
TEST(Scaled8u, ChecksPointersThenTheRegion) {
  uint8_t a = 1, b = 2, out = 7;
  const IppiSize one{1, 1}, empty{0, 1}, flat{1, 0};
  EXPECT_EQ(fnVCAIPP_Add_8u_C1R(&a, nullptr, &out, empty, 1, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Add_8u_C1R(&a, &b, &out, empty, 1, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Add_8u_C1IR(&a, nullptr, one, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Add_8u_C1IR(&a, &out, flat, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_AddC_8u_C1R(1, nullptr, &out, one, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_AddC_8u_C1R(1, &a, &out, IppiSize{-1, 1}, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_AddC_8u_C1IR(1, nullptr, empty, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1R(nullptr, &b, &out, one, 1, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1R(&a, &b, &out, flat, 1, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1IR(&a, nullptr, one, 1, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sub_8u_C1IR(&a, &out, empty, 1, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_SubC_8u_C1R(1, &a, nullptr, one, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_SubC_8u_C1IR(1, &out, empty, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mul_8u_C1IR(nullptr, &out, one, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mul_8u_C1IR(&a, &out, flat, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_MulC_8u_C1RSfs(&a, nullptr, 0, one, 1, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MulC_8u_C1RSfs(&a, &out, 0, empty, 1, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_MulC_8u_C1IRSfs(nullptr, 2, one, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MulC_8u_C1IRSfs(&out, 2, flat, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Sqr_8u_C1IRSfs(nullptr, one, 1, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sqr_8u_C1IRSfs(&out, empty, 0, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Sqr_8u_C1IRSfs(&out, one, 0, 0), ippStsStepErr);
  EXPECT_EQ(out, 7);
  // A step of 0 makes every row the same row.
  uint8_t twice[2] = {1, 2};
  EXPECT_EQ(fnVCAIPP_AddC_8u_C1IR(10, twice, IppiSize{2, 3}, 0, 0), ippStsNoErr);
  EXPECT_EQ(twice[0], 31);
  EXPECT_EQ(twice[1], 32);
}

}  // namespace
}  // namespace ryn::test
