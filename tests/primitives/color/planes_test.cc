// Plane reshuffles: two-plane and three-plane 4:2:0, and the interleaving of 16-bit planes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "color_test_support.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// A two-plane 4:2:0 frame: Y and one chroma plane of height / 2 rows of width / 2 pairs.
struct TwoPlanes {
  TwoPlanes(IppiSize size, int paddingBytes)
      : y(size.width, size.height, paddingBytes, 1), chroma(2 * (size.width / 2), size.height / 2, paddingBytes + 1, 2) {}
  TestImage<uint8_t> y;
  TestImage<uint8_t> chroma;
};

IppStatus ToThreePlanes(const TwoPlanes& from, ThreePlanes& to, IppiSize size) {
  return fnVCAIPP_YCbCr420_8u_P2P3R(from.y.data(), from.y.step(), from.chroma.data(), from.chroma.step(), to[0].data(),
                                    to[1].data(), to[2].data(), to[0].step(), to[1].step(), to[2].step(), size);
}

IppStatus ToTwoPlanes(const ThreePlanes& from, TwoPlanes& to, IppiSize size) {
  return fnVCAIPP_YCbCr420_8u_P3P2R(from[0].data(), from[1].data(), from[2].data(), from[0].step(), from[1].step(),
                                    from[2].step(), to.y.data(), to.y.step(), to.chroma.data(), to.chroma.step(), size);
}

TEST(YCbCr420, SplitsPairsIntoCbAndCr) {
  TwoPlanes two(IppiSize{4, 2}, 0);
  two.y.FillRandom(1, 0, 255);
  const uint8_t pairs[4] = {10, 20, 11, 21};
  for (int i = 0; i < 4; ++i) two.chroma.at(i, 0) = pairs[i];
  ThreePlanes three = ThreePlanes::Of420(IppiSize{4, 2}, 3);
  ASSERT_EQ(ToThreePlanes(two, three, IppiSize{4, 2}), ippStsNoErr);
  EXPECT_EQ(three[0].Region(), two.y.Region());
  EXPECT_EQ(three[1].Region(), (std::vector<uint8_t>{10, 11}));
  EXPECT_EQ(three[2].Region(), (std::vector<uint8_t>{20, 21}));
  EXPECT_TRUE(three.GuardsIntact());
}

TEST(YCbCr420, RoundTripIsExact) {
  for (IppiSize size : {IppiSize{2, 2}, IppiSize{34, 6}, IppiSize{1920, 4}, IppiSize{130, 66}}) {
    SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
    TwoPlanes original(size, 5);
    original.y.FillRandom(size.width, 0, 255);
    original.chroma.FillRandom(size.height, 0, 255);
    ThreePlanes three = ThreePlanes::Of420(size, 2);
    TwoPlanes back(size, 1);
    ASSERT_EQ(ToThreePlanes(original, three, size), ippStsNoErr);
    ASSERT_EQ(ToTwoPlanes(three, back, size), ippStsNoErr);
    EXPECT_EQ(back.y.Region(), original.y.Region());
    EXPECT_EQ(back.chroma.Region(), original.chroma.Region());
    EXPECT_TRUE(back.y.GuardsIntact());
    EXPECT_TRUE(back.chroma.GuardsIntact());
  }
}

TEST(YCbCr420, OddSizesAreRoundedDownWithoutAWarning) {
  const IppiSize size{7, 5};
  TwoPlanes two(IppiSize{7, 5}, 2);
  two.y.FillRandom(3, 0, 255);
  two.chroma.FillRandom(4, 0, 255);
  ThreePlanes three(std::array<IppiSize, 3>{size, IppiSize{4, 3}, IppiSize{4, 3}}, 1);
  three.FillBytes(0xEE);
  ASSERT_EQ(ToThreePlanes(two, three, size), ippStsNoErr);
  EXPECT_TRUE(OutsidePartHolds(three[0], 6, 4, 0xEE));
  EXPECT_TRUE(OutsidePartHolds(three[1], 3, 2, 0xEE));
  EXPECT_TRUE(OutsidePartHolds(three[2], 3, 2, 0xEE));
  EXPECT_EQ(three[1].at(2, 1), two.chroma.at(4, 1));
  EXPECT_EQ(three[2].at(2, 1), two.chroma.at(5, 1));

  TwoPlanes back(IppiSize{7, 5}, 0);
  back.y.FillBytes(0xEE);
  back.chroma.FillBytes(0xEE);
  ASSERT_EQ(ToTwoPlanes(three, back, size), ippStsNoErr);
  EXPECT_TRUE(OutsidePartHolds(back.y, 6, 4, 0xEE));
  EXPECT_TRUE(OutsidePartHolds(back.chroma, 6, 2, 0xEE));
  EXPECT_EQ(CapturePart(back.chroma, 6, 2), CapturePart(two.chroma, 6, 2));
}

TEST(YCbCr420, LumaPlaneMayBeSharedInPlace) {
  TwoPlanes two(IppiSize{66, 4}, 3);
  two.y.FillRandom(8, 0, 255);
  two.chroma.FillRandom(9, 0, 255);
  const std::vector<uint8_t> luma = two.y.Region();
  ThreePlanes three = ThreePlanes::Of420(IppiSize{66, 4}, 0);
  uint8_t* cb = three[1].data();
  uint8_t* cr = three[2].data();
  ASSERT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(two.y.data(), two.y.step(), two.chroma.data(), two.chroma.step(),
                                       two.y.data(), cb, cr, two.y.step(), three[1].step(), three[2].step(),
                                       IppiSize{66, 4}),
            ippStsNoErr);
  EXPECT_EQ(two.y.Region(), luma);
  ASSERT_EQ(fnVCAIPP_YCbCr420_8u_P3P2R(two.y.data(), cb, cr, two.y.step(), three[1].step(), three[2].step(),
                                       two.y.data(), two.y.step(), two.chroma.data(), two.chroma.step(),
                                       IppiSize{66, 4}),
            ippStsNoErr);
  EXPECT_EQ(two.y.Region(), luma);
}

TEST(YCbCr420, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    const IppiSize size{shape.width + 1, shape.height + 1};  // at least 2 x 2
    const IppiSize half{size.width / 2, size.height / 2};
    TwoPlanes two(size, shape.padding);
    two.y.FillRandom(size.width, 0, 255);
    two.chroma.FillRandom(size.height + 3, 0, 255);
    ThreePlanes three = ThreePlanes::Of420(size, shape.padding + 1);
    three.FillRandom(size.width * 5);
    ExpectBuildsMatchGeneric([&](Build build) {
      ThreePlanes split(std::array<IppiSize, 3>{size, half, half}, shape.padding);
      TwoPlanes joined(size, shape.padding + 3);
      split.FillBytes(SentinelFor(build));
      joined.y.FillBytes(SentinelFor(build));
      joined.chroma.FillBytes(SentinelFor(build));
      const auto statuses = std::tuple(ToThreePlanes(two, split, size), ToTwoPlanes(three, joined, size));
      const int evenWidth = size.width & ~1, evenHeight = size.height & ~1;
      EXPECT_TRUE(split.GuardsIntact());
      EXPECT_TRUE(joined.y.GuardsIntact());
      EXPECT_TRUE(joined.chroma.GuardsIntact());
      EXPECT_TRUE(OutsidePartHolds(split[0], evenWidth, evenHeight, SentinelFor(build)));
      EXPECT_TRUE(OutsidePartHolds(joined.y, evenWidth, evenHeight, SentinelFor(build)));
      return std::tuple(statuses, CapturePart(split[0], evenWidth, evenHeight), Capture(split[1]), Capture(split[2]),
                        CapturePart(joined.y, evenWidth, evenHeight), Capture(joined.chroma));
    });
  });
}

TEST(YCbCr420, BadArgumentsInOrderWriteNothing) {
  uint8_t y[4] = {1, 2, 3, 4}, pair[2] = {5, 6};
  uint8_t outY[4] = {}, cb = 0, cr = 0, outPair[2] = {};
  const IppiSize block{2, 2};
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(y, 2, pair, 2, outY, &cb, &cr, 2, 1, 1, IppiSize{1, 8}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(y, 2, pair, 2, outY, &cb, &cr, 2, 1, 1, IppiSize{8, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(y, 2, pair, 2, outY, nullptr, &cr, 2, 1, 1, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(nullptr, 2, pair, 2, outY, &cb, &cr, 2, 1, 1, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(y, 2, nullptr, 2, outY, &cb, &cr, 2, 1, 1, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P2P3R(y, 2, pair, 2, nullptr, &cb, &cr, 2, 1, 1, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P3P2R(y, &cb, &cr, 2, 1, 1, outY, 2, outPair, 2, IppiSize{1, 8}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P3P2R(y, nullptr, &cr, 2, 1, 1, outY, 2, outPair, 2, IppiSize{0, 0}),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P3P2R(y, &cb, nullptr, 2, 1, 1, outY, 2, outPair, 2, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P3P2R(y, &cb, &cr, 2, 1, 1, nullptr, 2, outPair, 2, block), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_YCbCr420_8u_P3P2R(y, &cb, &cr, 2, 1, 1, outY, 2, nullptr, 2, block), ippStsNullPtrErr);
  EXPECT_EQ(outY[0] | outY[1] | outY[2] | outY[3] | cb | cr | outPair[0] | outPair[1], 0);
}

// PlaneToInterleave: rows of planeCount interleaved planes.

TEST(PlaneToInterleave, InterleavesThreePlanes) {
  alignas(16) int16_t a[8] = {1, 2}, b[8] = {3, 4}, c[8] = {5, 6};
  alignas(16) int16_t destination[8] = {};
  const int16_t* planes[3] = {a, b, c};
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(planes, 3, IppiSize{2, 1}, 0, destination, 6), ippStsNoErr);
  EXPECT_EQ(std::vector<int16_t>(destination, destination + 8), (std::vector<int16_t>{1, 3, 5, 2, 4, 6, 0, 0}));
}

TEST(PlaneToInterleave, SourceRowsAdvanceByAPositiveStride) {
  // Two planes of 3 rows of 2 samples, 4 samples apart; destination rows 5 samples apart.
  alignas(16) int16_t first[12] = {1, 2, 0, 0, 3, 4, 0, 0, 5, 6, 0, 0};
  alignas(16) int16_t second[12] = {-1, -2, 0, 0, -3, -4, 0, 0, -5, -6, 0, 0};
  const int16_t* planes[2] = {first, second};
  std::vector<int16_t> destination(15, 99);
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(planes, 2, IppiSize{2, 3}, 4, destination.data(), 5),
            ippStsMisalignedBuf);  // destination rows 5 samples apart cannot all be aligned
  EXPECT_EQ(destination,
            (std::vector<int16_t>{1, -1, 2, -2, 99, 3, -3, 4, -4, 99, 5, -5, 6, -6, 99}));

  // A stride of zero or below repeats the first row of each plane.
  for (int stride : {0, -4}) {
    alignas(16) int16_t repeated[16];
    std::fill(std::begin(repeated), std::end(repeated), int16_t{99});
    EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(planes, 2, IppiSize{2, 2}, stride, repeated, 8), ippStsNoErr);
    EXPECT_EQ(std::vector<int16_t>(repeated, repeated + 12),
              (std::vector<int16_t>{1, -1, 2, -2, 99, 99, 99, 99, 1, -1, 2, -2}));
  }
}

TEST(PlaneToInterleave, MisalignmentWarnsAfterConvertingEveryRow) {
  alignas(16) int16_t plane[40] = {};
  for (int i = 0; i < 40; ++i) plane[i] = static_cast<int16_t>(i);
  alignas(16) int16_t destination[64] = {};
  // Aligned rows: 8-sample strides keep every row on 16 bytes.
  const int16_t* aligned[1] = {plane};
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(aligned, 1, IppiSize{3, 4}, 8, destination, 8), ippStsNoErr);
  EXPECT_EQ(destination[3 * 8 + 2], 26);
  // The first row's plane is misaligned: every row is still written.
  const int16_t* shifted[1] = {plane + 1};
  std::fill(std::begin(destination), std::end(destination), int16_t{-1});
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(shifted, 1, IppiSize{3, 4}, 8, destination, 8), ippStsMisalignedBuf);
  for (int y = 0; y < 4; ++y)
    for (int k = 0; k < 3; ++k) EXPECT_EQ(destination[y * 8 + k], 8 * y + k + 1);
  // Only a later row misaligned (the destination stride of 4 samples is 8 bytes).
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(aligned, 1, IppiSize{3, 2}, 8, destination, 4), ippStsMisalignedBuf);
}

TEST(PlaneToInterleave, BuildsMatchGenericForEachPlaneCount) {
  for (int planeCount = 1; planeCount <= 5; ++planeCount) {
    for (int width : kOddWidths) {
      SCOPED_TRACE(::testing::Message() << planeCount << " planes, width " << width);
      const int rows = 3, sourceStride = width + 3;
      std::vector<std::vector<int16_t>> storage(planeCount, std::vector<int16_t>(rows * sourceStride + 1));
      std::vector<const int16_t*> planes;
      for (int c = 0; c < planeCount; ++c) {
        for (size_t i = 0; i < storage[c].size(); ++i) storage[c][i] = static_cast<int16_t>(i * 7919 + c * 31337);
        planes.push_back(storage[c].data() + (c % 2));  // some planes off their alignment
      }
      ExpectBuildsMatchGeneric([&](Build build) {
        // Odd destination strides, a destination off by one sample, guards around each row.
        TestImage<int16_t> destination(width * planeCount, rows, 2 * 3, 2);
        destination.FillBytes(SentinelFor(build));
        const IppStatus status = fnVCAIPP_PlaneToInterleave_16s(planes.data(), planeCount, IppiSize{width, rows},
                                                                sourceStride, destination.data(),
                                                                destination.step() / 2);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, Capture(destination));
      });
    }
  }
}

TEST(PlaneToInterleave, ChecksTheFirstRowBeforeWriting) {
  alignas(16) int16_t plane[4] = {1, 2, 3, 4};
  alignas(16) int16_t destination[8] = {};
  const int16_t* planes[2] = {plane, plane};
  const int16_t* withNull[2] = {plane, nullptr};
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(nullptr, 2, IppiSize{2, 1}, 0, destination, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(planes, 2, IppiSize{2, 1}, 0, nullptr, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(withNull, 0, IppiSize{0, 1}, 0, destination, 4), ippStsNumChannelsErr);
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(withNull, 2, IppiSize{0, 1}, 0, destination, 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(withNull, 2, IppiSize{2, 1}, 0, destination, 4), ippStsNullPtrErr);
  // No rows: nothing to check or write.
  EXPECT_EQ(fnVCAIPP_PlaneToInterleave_16s(nullptr, 0, IppiSize{0, 0}, 0, nullptr, 0), ippStsNoErr);
  for (int16_t sample : destination) EXPECT_EQ(sample, 0);
}

}  // namespace
}  // namespace ryn::test
