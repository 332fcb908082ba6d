// Single-channel block pixelation: blocks clipped at the edges, truncated means, argument checks,
// and every variant against the composition of the region mean and the fill.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "pixelation_test_support.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

IppStatus Pixelize(const TestImage<uint8_t>& source, TestImage<uint8_t>& destination, IppiSize block) {
  return fnVCAIPP_Pixelized_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                   source.size(), block);
}

TEST(PixelizedC1R, ClippedBlocksTakeTheirOwnTruncatedMeans) {
  // 10 x 10 in 4 x 4 blocks: 4x4, 4x4, 2x4 in the first block rows and 4x2, 4x2, 2x2 in the last.
  ForEachBuild([](Build) {
    TestImage<uint8_t> source(10, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) source.at(x, y) = static_cast<uint8_t>(7 * x + 2 * y);
    TestImage<uint8_t> destination(10, 10, 5, 2);
    ASSERT_EQ(Pixelize(source, destination, IppiSize{4, 4}), ippStsNoErr);
    // Block (bx, by) covers columns [4bx, min(4bx + 4, 10)) and rows likewise; its mean of
    // 7x + 2y is 7 mean(x) + 2 mean(y), always some n + 0.5, which truncates to n.
    const double coordinateMeans[3] = {1.5, 5.5, 8.5};
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) {
        const double mean = 7 * coordinateMeans[x / 4] + 2 * coordinateMeans[y / 4];
        EXPECT_EQ(destination.at(x, y), static_cast<int>(mean)) << x << ", " << y;
      }
    }
    EXPECT_TRUE(destination.GuardsIntact());
    EXPECT_TRUE(source.GuardsIntact());
  });
}

TEST(PixelizedC1R, TruncatesRatherThanRounds) {
  ForEachBuild([](Build) {
    // 1, 2, 2, 2 has mean 1.75.
    TestImage<uint8_t> a(3, 3);
    a.Fill(0);
    a.at(0, 0) = 1;
    a.at(1, 0) = 2;
    a.at(0, 1) = 2;
    a.at(1, 1) = 2;
    ASSERT_EQ(Pixelize(a, a, IppiSize{2, 2}), ippStsNoErr);
    EXPECT_EQ(a.at(0, 0), 1);
    EXPECT_EQ(a.at(1, 1), 1);

    // 255 and 254 in equal numbers: 254.5 becomes 254.
    TestImage<uint8_t> b(17, 9);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 17; ++x) b.at(x, y) = (x + y) % 2 ? 255 : 254;
    ASSERT_EQ(Pixelize(b, b, IppiSize{16, 8}), ippStsNoErr);
    EXPECT_EQ(b.at(0, 0), 254);
    EXPECT_EQ(b.at(15, 7), 254);
    EXPECT_TRUE(b.GuardsIntact());
  });
}

// Block widths for every kernel shape: multiples of 8, of 4 only, odd, and wider than the
// kernels' chunks.
const std::vector<IppiSize> kBlocks = {{1, 1}, {2, 3},  {3, 2},  {4, 4},   {5, 7},    {8, 8},  {12, 5},
                                       {16, 16}, {24, 3}, {31, 33}, {32, 32}, {64, 1}, {100, 9}, {1024, 4},
                                       {2052, 2}, {2304, 3}};

TEST(PixelizedC1R, EveryVariantGivesTheComposedMeansAndFills) {
  for (const IppiSize block : kBlocks) {
    for (const int width : {block.width + 1, 3 * block.width, 2 * block.width + 5, 2400}) {
      if (width <= block.width) continue;
      const int height = 2 * block.height + 3;
      SCOPED_TRACE(::testing::Message() << "block " << block.width << "x" << block.height << ", region "
                                        << width << "x" << height);
      TestImage<uint8_t> source(width, height, 3, 1);
      source.FillRandom(static_cast<uint32_t>(width * 31 + block.width), 0, 255);
      const std::vector<uint8_t> expected = ComposedPixelation(source, block);
      ExpectBuildsMatchGeneric([&](Build variant) {
        TestImage<uint8_t> destination(width, height, 7, 5);
        destination.FillBytes(SentinelFor(variant));
        const IppStatus status = Pixelize(source, destination, block);
        EXPECT_EQ(destination.RegionBytes(), expected);
        EXPECT_TRUE(destination.GuardsIntact());
        EXPECT_TRUE(source.GuardsIntact());
        return std::tuple(status, destination.RegionBytes());
      });
    }
  }
}

// Rows of every vector tail and destinations at many offsets from a vector boundary.
TEST(PixelizedC1R, EveryBuildGivesTheGenericResultOnOddShapes) {
  for (const IppiSize block : {IppiSize{3, 2}, IppiSize{4, 1}, IppiSize{8, 3}, IppiSize{16, 2}}) {
    SCOPED_TRACE(::testing::Message() << "block " << block.width << "x" << block.height);
    ForEachOddShape([&](const Shape& shape) {
      const IppiSize region{shape.width + block.width, shape.height + block.height};
      TestImage<uint8_t> source(region.width, region.height, shape.padding, 3);
      source.FillRandom(static_cast<uint32_t>(region.width * 7 + block.width), 0, 255);
      ExpectBuildsMatchGeneric([&](Build build) {
        TestImage<uint8_t> destination(region.width, region.height, shape.padding + 1, shape.width * 7 % 64);
        destination.FillBytes(SentinelFor(build));
        const IppStatus status = Pixelize(source, destination, block);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, Capture(destination));
      });
    });
  }
}

TEST(PixelizedC1R, InPlaceGivesTheSameResult) {
  for (const IppiSize block : {IppiSize{4, 4}, IppiSize{7, 3}, IppiSize{16, 16}, IppiSize{12, 2}}) {
    ForEachBuild([&](Build) {
      TestImage<uint8_t> image(301, 47, 0, 3);  // contiguous rows too
      image.FillRandom(9, 0, 255);
      const std::vector<uint8_t> expected = ComposedPixelation(image, block);
      ASSERT_EQ(Pixelize(image, image, block), ippStsNoErr);
      EXPECT_EQ(image.RegionBytes(), expected);
      EXPECT_TRUE(image.GuardsIntact());
    });
  }
}

TEST(PixelizedC1R, ConstantBlocksKeepTheirValue) {
  // Sums of 255s over large blocks: no overflow, no rounding.
  ForEachBuild([](Build) {
    TestImage<uint8_t> image(1500, 700);
    image.Fill(255);
    ASSERT_EQ(Pixelize(image, image, IppiSize{1499, 699}), ippStsNoErr);
    for (const uint8_t pixel : image.Region()) ASSERT_EQ(pixel, 255);
  });
}

TEST(PixelizedC1R, ChecksArgumentsInOrderAndWritesNothing) {
  TestImage<uint8_t> source(8, 8);
  TestImage<uint8_t> destination(8, 8);
  destination.FillBytes(0x33);
  const uint8_t* s = source.data();
  uint8_t* d = destination.data();
  const IppiSize region{8, 8};
  const IppiSize block{4, 4};
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(nullptr, 8, d, 8, region, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, nullptr, 8, IppiSize{0, 0}, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 0, d, 0, IppiSize{0, 8}, IppiSize{0, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 8, IppiSize{8, -1}, block), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 7, d, 8, region, IppiSize{0, 0}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 7, region, IppiSize{0, 0}), ippStsStepErr);
  // The block must be strictly smaller than the region in both directions.
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 8, region, IppiSize{8, 4}), ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 8, region, IppiSize{4, 8}), ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 8, region, IppiSize{0, 4}), ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 8, region, IppiSize{4, -2}), ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_Pixelized_8u_C1R(s, 8, d, 8, region, IppiSize{9, 4}), ippStsMaskSizeErr);
  for (const uint8_t pixel : destination.Region()) EXPECT_EQ(pixel, 0x33);
  EXPECT_TRUE(destination.GuardsIntact());
}

}  // namespace
}  // namespace ryn::test
