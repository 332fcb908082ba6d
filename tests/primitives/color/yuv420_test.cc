// Conversions between 4:2:0 planes and RGB, in whole 2 x 2 blocks.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "color_test_support.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// Each pixel of the converted part is the formula applied to its luma and its block's chroma.
void ExpectRgbFromBlocks(const ThreePlanes& yuv, const TestImage<uint8_t>& rgb, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto expected = ExpectedRgb(yuv[0].at(x, y), yuv[1].at(x / 2, y / 2), yuv[2].at(x / 2, y / 2), kNearest);
      for (int c = 0; c < 3; ++c) ASSERT_EQ(rgb.at(3 * x + c, y), expected[c]) << "(" << x << ", " << y << ")";
    }
}

// The block rule written out: lumas of each pixel, chroma from the block's sums.
void ExpectYuvFromBlocks(const TestImage<uint8_t>& rgb, const ThreePlanes& yuv, int width, int height) {
  auto term = [&](int x, int y) {
    return 19595 * int64_t{rgb.at(3 * x, y)} + 38470 * int64_t{rgb.at(3 * x + 1, y)} + 7471 * int64_t{rgb.at(3 * x + 2, y)};
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(yuv[0].at(x, y), FloorDiv(term(x, y), 65536)) << "(" << x << ", " << y << ")";
  for (int j = 0; j < height / 2; ++j)
    for (int i = 0; i < width / 2; ++i) {
      int64_t sumR = 0, sumB = 0, terms = 0;
      for (int y = 2 * j; y < 2 * j + 2; ++y)
        for (int x = 2 * i; x < 2 * i + 2; ++x) {
          sumR += rgb.at(3 * x, y);
          sumB += rgb.at(3 * x + 2, y);
          terms += term(x, y);
        }
      const int64_t dB = FloorDiv(65536 * sumB - terms + 131071, 65536);
      const int64_t dR = FloorDiv(65536 * sumR - terms + 131071, 65536);
      ASSERT_EQ(yuv[1].at(i, j), FloorDiv(dB * 32244, 262144) + 128) << "block (" << i << ", " << j << ")";
      ASSERT_EQ(yuv[2].at(i, j), Clamp255(FloorDiv(dR * 57475, 262144) + 128)) << "block (" << i << ", " << j << ")";
    }
}

TEST(Yuv420ToRgb, NeutralGreyStaysGrey) {
  const uint8_t grey[4] = {128, 128, 128, 128};
  const uint8_t* source[3] = {grey, grey, grey};
  const int steps[3] = {2, 1, 1};
  std::array<uint8_t, 12> rgb{};
  ASSERT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(source, steps, rgb.data(), 6, IppiSize{2, 2}), ippStsNoErr);
  for (uint8_t value : rgb) EXPECT_EQ(value, 128);
  rgb.fill(0);
  ASSERT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(source, rgb.data(), IppiSize{2, 2}), ippStsNoErr);
  for (uint8_t value : rgb) EXPECT_EQ(value, 128);
}

TEST(Yuv420ToRgb, OddSizeConvertsTheWholeBlocksAndWarns) {
  ThreePlanes yuv = ThreePlanes::Of420(IppiSize{5, 3}, 3);
  yuv.FillRandom(3);
  TestImage<uint8_t> rgb = C3Image(5, 3);
  rgb.FillBytes(0xEE);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(yuv.sources(), yuv.steps(), rgb.data(), rgb.step(), IppiSize{5, 3}),
            ippStsDoubleSize);
  ExpectRgbFromBlocks(yuv, rgb, 4, 2);
  EXPECT_TRUE(OutsidePartHolds(rgb, 3 * 4, 2, 0xEE));
  EXPECT_TRUE(rgb.GuardsIntact());

  // A width or height of 1 holds no block.
  for (IppiSize size : {IppiSize{1, 6}, IppiSize{6, 1}, IppiSize{1, 1}}) {
    TestImage<uint8_t> untouched = C3Image(size.width, size.height);
    untouched.FillBytes(0xEE);
    EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(yuv.sources(), yuv.steps(), untouched.data(), untouched.step(), size),
              ippStsDoubleSize);
    EXPECT_TRUE(OutsidePartHolds(untouched, 0, 0, 0xEE));
  }
}

TEST(Yuv420ToRgb, WithoutStepsRowsFollowEachOther) {
  // 6 x 4: Y rows of 6, U and V rows of 3, RGB rows of 18, all back to back.
  std::vector<uint8_t> y(24), u(6), v(6);
  for (size_t i = 0; i < y.size(); ++i) y[i] = static_cast<uint8_t>(i * 10);
  for (size_t i = 0; i < u.size(); ++i) {
    u[i] = static_cast<uint8_t>(40 * i);
    v[i] = static_cast<uint8_t>(250 - 40 * i);
  }
  const uint8_t* source[3] = {y.data(), u.data(), v.data()};
  std::vector<uint8_t> packed(72), stepped(72);
  const int steps[3] = {6, 3, 3};
  ASSERT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(source, packed.data(), IppiSize{6, 4}), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(source, steps, stepped.data(), 18, IppiSize{6, 4}), ippStsNoErr);
  EXPECT_EQ(packed, stepped);

  // An odd width rounds the chroma step down, as the planes of such a frame are laid out.
  std::vector<uint8_t> odd(3 * 5 * 4, 0);
  const int oddSteps[3] = {5, 2, 2};
  std::vector<uint8_t> oddStepped(odd.size(), 0);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(source, odd.data(), IppiSize{5, 4}), ippStsDoubleSize);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(source, oddSteps, oddStepped.data(), 15, IppiSize{5, 4}),
            ippStsDoubleSize);
  EXPECT_EQ(odd, oddStepped);
}

TEST(RgbToYuv420, GreyBlocksGiveNeutralChroma) {
  for (uint8_t level : {0, 1, 128, 254, 255}) {
    TestImage<uint8_t> rgb = C3Image(4, 2);
    rgb.Fill(level);
    ThreePlanes yuv = ThreePlanes::Of420(IppiSize{4, 2}, 1);
    ASSERT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), yuv.pointers(), yuv.steps(), IppiSize{4, 2}),
              ippStsNoErr);
    // These luma weights sum to 65536: grey keeps its level.
    EXPECT_EQ(yuv[0].Region(), std::vector<uint8_t>(8, level));
    EXPECT_EQ(yuv[1].Region(), std::vector<uint8_t>(2, 128));
    EXPECT_EQ(yuv[2].Region(), std::vector<uint8_t>(2, 128));
  }
}

TEST(RgbToYuv420, RedBlockClampsVAndBlueBlockReachesTheTopOfU) {
  TestImage<uint8_t> rgb = C3Image(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      rgb.at(3 * x, y) = x < 2 ? 255 : 0;      // left block red,
      rgb.at(3 * x + 1, y) = 0;
      rgb.at(3 * x + 2, y) = x < 2 ? 0 : 255;  // right block blue
    }
  ThreePlanes yuv = ThreePlanes::Of420(IppiSize{4, 2}, 1);
  ASSERT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), yuv.pointers(), yuv.steps(), IppiSize{4, 2}),
            ippStsNoErr);
  EXPECT_EQ(yuv[0].at(0, 0), 76);
  EXPECT_EQ(yuv[0].at(3, 1), 29);
  EXPECT_EQ(yuv[1].Region(), (std::vector<uint8_t>{90, 239}));
  EXPECT_EQ(yuv[2].Region(), (std::vector<uint8_t>{255, 102}));
}

TEST(RgbToYuv420, OddSizeIsNeitherReadNorWritten) {
  TestImage<uint8_t> rgb = C3Image(7, 5);
  rgb.FillRandom(9, 0, 255);
  ThreePlanes yuv = ThreePlanes::Of420(IppiSize{7, 5}, 2);
  yuv.FillBytes(0xEE);
  ASSERT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), yuv.pointers(), yuv.steps(), IppiSize{7, 5}),
            ippStsDoubleSize);
  ExpectYuvFromBlocks(rgb, yuv, 6, 4);
  EXPECT_TRUE(OutsidePartHolds(yuv[0], 6, 4, 0xEE));
  EXPECT_TRUE(yuv.GuardsIntact());

  // The odd column and row are not read: a source that ends with the last whole block (step for
  // 7 pixels, 4 rows of which the last holds 6 pixels) gives the same result, and the sanitizer
  // build would catch a read past it.
  const int step = 3 * 7;
  std::vector<uint8_t> exact(3 * step + 3 * 6);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 18; ++x) exact[static_cast<size_t>(y * step + x)] = rgb.at(x, y);
  ThreePlanes again = ThreePlanes::Of420(IppiSize{7, 5}, 2);
  again.FillBytes(0xEE);
  ASSERT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(exact.data(), step, again.pointers(), again.steps(), IppiSize{7, 5}),
            ippStsDoubleSize);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(again[c].Region(), yuv[c].Region()) << "plane " << c;

  // A height of 1 holds no block and writes nothing.
  ThreePlanes none = ThreePlanes::Of420(IppiSize{8, 2}, 0);
  none.FillBytes(0xEE);
  EXPECT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), none.pointers(), none.steps(), IppiSize{8, 1}),
            ippStsDoubleSize);
  EXPECT_TRUE(OutsidePartHolds(none[0], 0, 0, 0xEE));
  EXPECT_TRUE(OutsidePartHolds(none[1], 0, 0, 0xEE));
}

// Heights 3 and 5 (from the shapes' 1 and 3): one and two block rows with an odd row left over.
TEST(Yuv420, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    const IppiSize size{shape.width, shape.height + 2};
    const int evenWidth = size.width & ~1, evenHeight = size.height & ~1;
    ThreePlanes yuv = ThreePlanes::Of420(size, shape.padding);
    yuv.FillRandom(size.width * 3 + shape.padding);
    TestImage<uint8_t> rgbSource = C3Image(size.width, size.height, shape.padding, 2);
    rgbSource.FillRandom(size.width + 17, 0, 255);
    const UnchangedSource<uint8_t> unchanged(rgbSource);
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> rgb = C3Image(size.width, size.height, shape.padding + 1, 1);
      ThreePlanes planes = ThreePlanes::Of420(size, shape.padding + 2);
      rgb.FillBytes(SentinelFor(build));
      planes.FillBytes(SentinelFor(build));
      const auto statuses = std::tuple(
          fnVCAIPP_YUV420ToRGB_8u_P3C3R(yuv.sources(), yuv.steps(), rgb.data(), rgb.step(), size),
          fnVCAIPP_RGBToYUV420_8u_C3P3R(rgbSource.data(), rgbSource.step(), planes.pointers(), planes.steps(), size));
      EXPECT_TRUE(OutsidePartHolds(rgb, 3 * evenWidth, evenHeight, SentinelFor(build)));
      EXPECT_TRUE(OutsidePartHolds(planes[0], evenWidth, evenHeight, SentinelFor(build)));
      EXPECT_TRUE(rgb.GuardsIntact());
      EXPECT_TRUE(planes.GuardsIntact());
      EXPECT_TRUE(unchanged.Check());
      EXPECT_TRUE(yuv.GuardsIntact());
      return std::tuple(statuses, CapturePart(rgb, 3 * evenWidth, evenHeight),
                        CapturePart(planes[0], evenWidth, evenHeight), Capture(planes[1]), Capture(planes[2]));
    });
  });
}

TEST(Yuv420, EveryBuildFollowsTheBlockRules) {
  ThreePlanes yuv = ThreePlanes::Of420(IppiSize{1920, 4}, 0);
  yuv.FillRandom(77);
  TestImage<uint8_t> rgbSource = C3Image(1920, 4, 0);
  rgbSource.FillRandom(78, 0, 255);
  ForEachBuild([&](Build) {
    TestImage<uint8_t> rgb = C3Image(1920, 4, 0);
    ASSERT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(yuv.sources(), yuv.steps(), rgb.data(), rgb.step(), IppiSize{1920, 4}),
              ippStsNoErr);
    ExpectRgbFromBlocks(yuv, rgb, 1920, 4);
    ThreePlanes planes = ThreePlanes::Of420(IppiSize{1920, 4}, 0);
    ASSERT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgbSource.data(), rgbSource.step(), planes.pointers(), planes.steps(),
                                            IppiSize{1920, 4}),
              ippStsNoErr);
    ExpectYuvFromBlocks(rgbSource, planes, 1920, 4);
  });
}

// Extreme blocks: every block of the row is one corner of the RGB cube or a mix of two, so the
// block sums reach both ends of their range.
TEST(RgbToYuv420, ExtremeBlocksFollowTheBlockRulesInEveryBuild) {
  constexpr int kBlocks = 8 * 8 * 16;
  TestImage<uint8_t> rgb = C3Image(2 * kBlocks, 2, 0);
  for (int i = 0; i < kBlocks; ++i) {
    const int a = i % 8, b = (i / 8) % 8, pattern = i / 64;
    for (int p = 0; p < 4; ++p) {
      const int corner = (pattern >> p) & 1 ? a : b;
      for (int c = 0; c < 3; ++c) rgb.at(3 * (2 * i + p % 2) + c, p / 2) = (corner >> c) & 1 ? 255 : 0;
    }
  }
  ForEachBuild([&](Build) {
    ThreePlanes planes = ThreePlanes::Of420(IppiSize{2 * kBlocks, 2}, 0);
    ASSERT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), planes.pointers(), planes.steps(),
                                            IppiSize{2 * kBlocks, 2}),
              ippStsNoErr);
    ExpectYuvFromBlocks(rgb, planes, 2 * kBlocks, 2);
  });
}

TEST(Yuv420, BadArgumentsInOrderWriteNothing) {
  uint8_t y[4] = {}, u = 0, v = 0;
  uint8_t rgb[12] = {};
  const uint8_t* source[3] = {y, &u, &v};
  const uint8_t* sourceWithNull[3] = {y, nullptr, &v};
  const int steps[3] = {2, 1, 1};
  const IppiSize block{2, 2};

  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(nullptr, steps, rgb, 6, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(source, steps, nullptr, 6, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(source, nullptr, rgb, 6, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(sourceWithNull, steps, rgb, 6, IppiSize{2, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3R(sourceWithNull, steps, rgb, 6, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(nullptr, rgb, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(source, nullptr, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(sourceWithNull, rgb, IppiSize{-2, 2}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(sourceWithNull, rgb, block), ippStsNullPtrErr);
  // Rows of 3 x width bytes whose step an int cannot hold.
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(source, rgb, IppiSize{INT_MAX / 3 + 1, 2}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YUV420ToRGB_8u_P3C3(nullptr, rgb, IppiSize{INT_MAX / 3 + 1, 2}), ippStsNullPtrErr);
  for (uint8_t byte : rgb) EXPECT_EQ(byte, 0);

  uint8_t* destination[3] = {y, &u, &v};
  uint8_t* destinationWithNull[3] = {y, &u, nullptr};
  const uint8_t white[12] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  EXPECT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(nullptr, 6, destination, steps, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(white, 6, nullptr, steps, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(white, 6, destination, nullptr, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(white, 6, destinationWithNull, steps, IppiSize{0, 2}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_RGBToYUV420_8u_C3P3R(white, 6, destinationWithNull, steps, block), ippStsNullPtrErr);
  for (uint8_t byte : y) EXPECT_EQ(byte, 0);
  EXPECT_EQ(u | v, 0);
}

}  // namespace
}  // namespace ryn::test
