// Upright and tilted integral images.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using Rows = std::vector<std::vector<int32_t>>;

Rows TableRows(const TestImage<int32_t>& table) {
  Rows rows(static_cast<size_t>(table.height()));
  for (int y = 0; y < table.height(); ++y)
    for (int x = 0; x < table.width(); ++x) rows[static_cast<size_t>(y)].push_back(table.at(x, y));
  return rows;
}

TestImage<uint8_t> SourceOf(const Rows& pixels) {
  TestImage<uint8_t> source(static_cast<int>(pixels[0].size()), static_cast<int>(pixels.size()));
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) source.at(x, y) = static_cast<uint8_t>(pixels[y][x]);
  return source;
}

// The table of `source`, in a guarded destination with `extra` more columns than the export needs.
Rows Integral(TestImage<uint8_t>& source, int32_t initialValue, bool tilted, int extra = 0) {
  const int border = tilted ? 2 : 1;
  TestImage<int32_t> table(source.width() + border, source.height() + border, 4 * extra + 4, 4);
  const auto call = tilted ? fnVCAIPP_TiltedIntegral_8u32s_C1R : fnVCAIPP_Integral_8u32s_C1R;
  const UnchangedSource<uint8_t> unchanged(source);
  EXPECT_EQ(call(source.data(), source.step(), table.data(), table.step(), source.size(), initialValue),
            ippStsNoErr);
  EXPECT_TRUE(table.GuardsIntact());
  EXPECT_TRUE(unchanged.Check());
  return TableRows(table);
}

TEST(Integral, SmallExamples) {
  auto single = SourceOf({{5}});
  EXPECT_EQ(Integral(single, 0, false), (Rows{{0, 0}, {0, 5}}));
  EXPECT_EQ(Integral(single, 10, false), (Rows{{10, 10}, {10, 15}}));
  auto square = SourceOf({{1, 2}, {3, 4}});
  EXPECT_EQ(Integral(square, 0, false), (Rows{{0, 0, 0}, {0, 1, 3}, {0, 4, 10}}));
}

TEST(Integral, MatchesOpenCvPlusTheInitialValue) {
  for (const auto& [width, height] : {std::pair{1, 1}, {37, 5}, {64, 3}, {1920, 2}}) {
    TestImage<uint8_t> source(width, height, 7, 5);
    source.FillRandom(static_cast<uint32_t>(width * height), 0, 255);
    cv::Mat expected;
    cv::integral(cv::Mat(height, width, CV_8UC1, source.data(), static_cast<size_t>(source.step())), expected,
                 CV_32S);
    const Rows got = Integral(source, -7, false);
    for (int y = 0; y <= height; ++y)
      for (int x = 0; x <= width; ++x) ASSERT_EQ(got[y][x], expected.at<int32_t>(y, x) - 7) << x << ", " << y;
  }
}

TEST(Integral, SumsWrapModulo2To32) {
  auto source = SourceOf({{200, 100}, {50, 255}});
  const int32_t start = std::numeric_limits<int32_t>::max() - 250;
  const Rows got = Integral(source, start, false);
  EXPECT_EQ(got[1][2], static_cast<int32_t>(static_cast<uint32_t>(start) + 300u));
  EXPECT_LT(got[2][2], 0);
  EXPECT_EQ(static_cast<uint32_t>(got[2][2]) - static_cast<uint32_t>(start), 605u);
}

TEST(TiltedIntegral, SinglePixel) {
  auto single = SourceOf({{5}});
  EXPECT_EQ(Integral(single, 0, true), (Rows{{0, 0, 0}, {0, 0, 0}, {0, 5, 0}}));
  EXPECT_EQ(Integral(single, 3, true), (Rows{{3, 3, 3}, {3, 3, 3}, {3, 8, 3}}));
}

// Away from the left and right columns, row r = y + 2 column x holds the initial value plus the
// pixels of the upward cone: rows y' <= y, columns x - 1 - (y - y') .. x + (y - y').
TEST(TiltedIntegral, InteriorValuesAreConeSums) {
  const int width = 41, height = 13;
  TestImage<uint8_t> source(width, height);
  source.FillRandom(3, 0, 255);
  const Rows got = Integral(source, 1000, true);
  int checked = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 1 + y; x + y <= width - 1; ++x) {
      int64_t cone = 1000;
      for (int row = 0; row <= y; ++row)
        for (int column = x - 1 - (y - row); column <= x + (y - row); ++column) cone += source.at(column, row);
      ASSERT_EQ(got[y + 2][x], cone) << x << ", " << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(TiltedIntegral, EdgeColumnsCopyTheRowAbove) {
  TestImage<uint8_t> source(9, 6);
  source.FillRandom(4, 0, 255);
  const Rows got = Integral(source, -2, true);
  for (int r = 2; r < 8; ++r) {
    EXPECT_EQ(got[r][0], got[r - 1][1]);
    EXPECT_EQ(got[r][10], got[r - 1][9]);
  }
}

TEST(Integrals, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> source(shape.width, shape.height, shape.padding, 3);
      source.FillRandom(static_cast<uint32_t>(shape.width * 31 + shape.height), 0, 255);
      TestImage<int32_t> upright(shape.width + 1, shape.height + 1, 4 * shape.padding, 4 + shape.padding % 3);
      TestImage<int32_t> tilted(shape.width + 2, shape.height + 2, 4 * shape.padding + 8, 12);
      upright.FillBytes(SentinelFor(build));
      tilted.FillBytes(SentinelFor(build));
      const IppStatus s1 = fnVCAIPP_Integral_8u32s_C1R(source.data(), source.step(), upright.data(),
                                                       upright.step(), source.size(), 123456789);
      const IppStatus s2 = fnVCAIPP_TiltedIntegral_8u32s_C1R(source.data(), source.step(), tilted.data(),
                                                             tilted.step(), source.size(), -5);
      EXPECT_EQ(s1, ippStsNoErr);
      EXPECT_EQ(s2, ippStsNoErr);
      EXPECT_TRUE(upright.GuardsIntact());
      EXPECT_TRUE(tilted.GuardsIntact());
      return std::tuple(Capture(upright), Capture(tilted));
    });
  });
}

// A destination that starts two bytes past a word boundary: steps must be multiples of 4, the
// first value may lie anywhere.
TEST(Integrals, DestinationAtAnyAddress) {
  ExpectBuildsMatchGeneric([](Build) {
    TestImage<uint8_t> source(45, 4);
    source.FillRandom(5, 0, 255);
    TestImage<int32_t> upright(46, 5, 8, 2);
    TestImage<int32_t> tilted(47, 6, 4, 6);
    fnVCAIPP_Integral_8u32s_C1R(source.data(), source.step(), upright.data(), upright.step(), source.size(), 9);
    fnVCAIPP_TiltedIntegral_8u32s_C1R(source.data(), source.step(), tilted.data(), tilted.step(), source.size(), 9);
    EXPECT_TRUE(upright.GuardsIntact());
    EXPECT_TRUE(tilted.GuardsIntact());
    return std::tuple(Capture(upright), Capture(tilted));
  });
}

TEST(Integrals, BadArgumentsInOrderWriteNothing) {
  uint8_t source[4] = {1, 2, 3, 4};
  int32_t table[16] = {};
  const IppiSize size{2, 2};
  for (const auto call : {fnVCAIPP_Integral_8u32s_C1R, fnVCAIPP_TiltedIntegral_8u32s_C1R}) {
    const int minimumStep = call == fnVCAIPP_Integral_8u32s_C1R ? 12 : 16;
    EXPECT_EQ(call(nullptr, 2, table, 16, IppiSize{0, 0}, 0), ippStsNullPtrErr);
    EXPECT_EQ(call(source, 2, nullptr, 16, size, 0), ippStsNullPtrErr);
    EXPECT_EQ(call(source, 0, table, 1, IppiSize{0, 2}, 0), ippStsSizeErr);
    EXPECT_EQ(call(source, 0, table, 1, IppiSize{2, -1}, 0), ippStsSizeErr);
    EXPECT_EQ(call(source, 1, table, 16, size, 0), ippStsStepErr);
    EXPECT_EQ(call(source, 2, table, minimumStep - 4, size, 0), ippStsStepErr);
    EXPECT_EQ(call(source, 2, table, minimumStep + 1, size, 0), ippStsNotEvenStepErr);
  }
  for (int32_t value : table) EXPECT_EQ(value, 0);
}

}  // namespace
}  // namespace ryn::test
