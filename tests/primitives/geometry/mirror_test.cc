// Mirror and transpose: checks in order, OpenCV oracles, every build against the generic code.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <tuple>

#include "geometry_test_support.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

TEST(Mirror, ChecksInOrderWriteNothing) {
  TestImage<uint8_t> source = RandomImage(4, 1, 1), destination(4, 1);
  destination.FillBytes(3);
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1R(nullptr, 4, destination.data(), 4, {0, 0}, 7), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), 4, destination.data(), 4, {0, 1}, 7), ippStsSizeErr);
  // The flip is checked before the sizes it needs.
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), 4, destination.data(), 4, {4, 1}, 3), ippStsMirrorFlipErr);
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), 4, destination.data(), 4, {4, 1}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), 4, destination.data(), 4, {4, 1}, 2), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), 4, destination.data(), 4, {1, 1}, 1), ippStsSizeErr);
  for (uint8_t v : destination.Region()) EXPECT_EQ(v, 3);
  // One row mirrored about the vertical axis is reversed.
  ASSERT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), {4, 1}, 1),
            ippStsNoErr);
  EXPECT_EQ(destination.at(0, 0), source.at(3, 0));
  EXPECT_EQ(destination.at(3, 0), source.at(0, 0));
}

TEST(Mirror, InPlaceChecksInOrder) {
  TestImage<float> image(1, 1);
  image.Fill(2.0f);
  EXPECT_EQ(fnVCAIPP_Mirror_32f_C1IR(nullptr, 4, {1, 1}, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mirror_32f_C1IR(image.data(), 4, {1, 0}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mirror_32f_C1IR(image.data(), 4, {1, 1}, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mirror_32f_C1IR(image.data(), 4, {1, 1}, 3), ippStsMirrorFlipErr);
  EXPECT_EQ(fnVCAIPP_Mirror_32f_C1IR(image.data(), 4, {1, 1}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mirror_8u_C1IR(reinterpret_cast<uint8_t*>(image.data()), 4, {1, 2}, 2), ippStsSizeErr);
  EXPECT_EQ(image.at(0, 0), 2.0f);
}

TEST(Mirror, InPlaceKeepsTheMiddleRow) {
  TestImage<uint8_t> image = RandomImage(5, 3, 2);
  const auto before = image;
  ASSERT_EQ(fnVCAIPP_Mirror_8u_C1IR(image.data(), image.step(), image.size(), 0), ippStsNoErr);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(image.at(x, 1), before.at(x, 1));
    EXPECT_EQ(image.at(x, 0), before.at(x, 2));
    EXPECT_EQ(image.at(x, 2), before.at(x, 0));
  }
}

// Flip codes of OpenCV for flips 0, 1, 2.
constexpr int kOpenCvFlip[] = {0, 1, -1};

template <class T>
void ExpectMirrorsLikeOpenCv(int width, int height, int type, int flips = 3) {
  for (int flip = 0; flip < flips; ++flip) {
    SCOPED_TRACE(::testing::Message() << "flip " << flip << " " << width << "x" << height);
    TestImage<T> source(width, height, 12, 4), destination(width, height, 4, 8), inPlace(width, height, 8, 4);
    source.FillRandom(static_cast<uint32_t>(flip), T(0), T(255));
    inPlace = source;
    cv::Mat expected;
    cv::flip(MatOf(source, type), expected, kOpenCvFlip[flip]);
    if constexpr (sizeof(T) == 1) {
      ASSERT_EQ(fnVCAIPP_Mirror_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                       source.size(), flip),
                ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mirror_8u_C1IR(inPlace.data(), inPlace.step(), inPlace.size(), flip), ippStsNoErr);
    } else {
      ASSERT_EQ(fnVCAIPP_Mirror_32f_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                        source.size(), flip),
                ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mirror_32f_C1IR(inPlace.data(), inPlace.step(), inPlace.size(), flip), ippStsNoErr);
    }
    EXPECT_EQ(cv::norm(expected, MatOf(destination, type), cv::NORM_INF), 0);
    EXPECT_EQ(cv::norm(expected, MatOf(inPlace, type), cv::NORM_INF), 0);
    EXPECT_TRUE(destination.GuardsIntact());
    EXPECT_TRUE(inPlace.GuardsIntact());
  }
}

TEST(Mirror, MatchesOpenCvFlip) {
  ExpectMirrorsLikeOpenCv<uint8_t>(37, 5, CV_8UC1);
  ExpectMirrorsLikeOpenCv<uint8_t>(2, 2, CV_8UC1);
  ExpectMirrorsLikeOpenCv<float>(19, 4, CV_32FC1);
  // Over a megabyte: rows written around the cache.
  ExpectMirrorsLikeOpenCv<uint8_t>(1030, 1024, CV_8UC1, 1);
}

TEST(Transpose, SmallExamples) {
  TestImage<uint8_t> one(1, 1), oneOut(1, 1);
  one.at(0, 0) = 42;
  ASSERT_EQ(fnVCAIPP_Transpose_8u_C1R(one.data(), one.step(), oneOut.data(), oneOut.step(), {1, 1}), ippStsNoErr);
  EXPECT_EQ(oneOut.at(0, 0), 42);
  TestImage<float> source(3, 2), destination(2, 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.at(x, y) = static_cast<float>(10 * y + x);
  ASSERT_EQ(fnVCAIPP_Transpose_32f_C1R(source.data(), source.step(), destination.data(), destination.step(), {3, 2}),
            ippStsNoErr);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(destination.at(x, y), source.at(y, x));
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_EQ(fnVCAIPP_Transpose_32f_C1R(nullptr, 12, destination.data(), 8, {3, 2}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Transpose_32f_C1R(source.data(), 12, destination.data(), 8, {3, 0}), ippStsSizeErr);
}

TEST(Transpose, MatchesOpenCv) {
  for (IppiSize size : {IppiSize{37, 91}, IppiSize{130, 17}, IppiSize{64, 64}}) {
    TestImage<uint8_t> source = RandomImage(size.width, size.height, 5), destination(size.height, size.width);
    TestImage<float> fs(size.width, size.height, 4, 4), fd(size.height, size.width, 12, 4);
    fs.FillRandom(6, -1.0f, 1.0f);
    ASSERT_EQ(fnVCAIPP_Transpose_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), size),
              ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_Transpose_32f_C1R(fs.data(), fs.step(), fd.data(), fd.step(), size), ippStsNoErr);
    cv::Mat expected, expectedFloat;
    cv::transpose(MatOf(source, CV_8UC1), expected);
    cv::transpose(MatOf(fs, CV_32FC1), expectedFloat);
    EXPECT_EQ(cv::norm(expected, MatOf(destination, CV_8UC1), cv::NORM_INF), 0);
    EXPECT_EQ(cv::norm(expectedFloat, MatOf(fd, CV_32FC1), cv::NORM_INF), 0);
    EXPECT_TRUE(destination.GuardsIntact());
    EXPECT_TRUE(fd.GuardsIntact());
  }
}

TEST(MirrorTranspose, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> source = RandomImage(shape.width, shape.height, 7, shape.padding, 3);
      TestImage<float> fs(shape.width, shape.height, 4 * shape.padding + 4, 8);
      fs.FillRandom(8, -5.0f, 5.0f);
      std::vector<Snapshot> snapshots;
      std::vector<IppStatus> statuses;
      for (int flip = 0; flip < 3; ++flip) {
        TestImage<uint8_t> d(shape.width, shape.height, shape.padding + 1, 5), inPlace = source;
        TestImage<float> fd(shape.width, shape.height, 8, 12), fInPlace = fs;
        // Refused flips of one-pixel rows or columns leave the destination: one prefill for all builds.
        d.FillBytes(0x3C);
        fd.FillBytes(0x3C);
        statuses.push_back(fnVCAIPP_Mirror_8u_C1R(source.data(), source.step(), d.data(), d.step(), d.size(), flip));
        statuses.push_back(fnVCAIPP_Mirror_8u_C1IR(inPlace.data(), inPlace.step(), inPlace.size(), flip));
        statuses.push_back(fnVCAIPP_Mirror_32f_C1R(fs.data(), fs.step(), fd.data(), fd.step(), fd.size(), flip));
        statuses.push_back(fnVCAIPP_Mirror_32f_C1IR(fInPlace.data(), fInPlace.step(), fInPlace.size(), flip));
        snapshots.insert(snapshots.end(), {Capture(d), Capture(inPlace), Capture(fd), Capture(fInPlace)});
        EXPECT_TRUE(d.GuardsIntact() && inPlace.GuardsIntact() && fd.GuardsIntact() && fInPlace.GuardsIntact());
      }
      TestImage<uint8_t> t(shape.height, shape.width, shape.padding, 1);
      TestImage<float> ft(shape.height, shape.width, 4 * shape.padding, 4);
      t.FillBytes(SentinelFor(build));
      ft.FillBytes(SentinelFor(build));
      statuses.push_back(fnVCAIPP_Transpose_8u_C1R(source.data(), source.step(), t.data(), t.step(), source.size()));
      statuses.push_back(fnVCAIPP_Transpose_32f_C1R(fs.data(), fs.step(), ft.data(), ft.step(), fs.size()));
      snapshots.insert(snapshots.end(), {Capture(t), Capture(ft)});
      EXPECT_TRUE(t.GuardsIntact() && ft.GuardsIntact());
      return std::make_tuple(statuses, snapshots);
    });
  });
}

// Tiles of every height against every stack height (16 rows per 128 bits), with overlapping last
// stacks, under every build.
TEST(Transpose, BuildsMatchGenericOnTallTiles) {
  for (IppiSize size :
       {IppiSize{37, 91}, IppiSize{130, 17}, IppiSize{64, 64}, IppiSize{200, 150}, IppiSize{16, 33}, IppiSize{9, 70}}) {
    SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
    TestImage<uint8_t> source = RandomImage(size.width, size.height, 21, 3, 1);
    TestImage<float> floats(size.width, size.height, 8, 4);
    floats.FillRandom(22, -1.0f, 1.0f);
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> out(size.height, size.width, 5, 3);
      TestImage<float> floatOut(size.height, size.width, 4, 8);
      out.FillBytes(SentinelFor(build));
      floatOut.FillBytes(SentinelFor(build));
      const IppStatus a = fnVCAIPP_Transpose_8u_C1R(source.data(), source.step(), out.data(), out.step(), size);
      const IppStatus b =
          fnVCAIPP_Transpose_32f_C1R(floats.data(), floats.step(), floatOut.data(), floatOut.step(), size);
      EXPECT_TRUE(out.GuardsIntact() && floatOut.GuardsIntact());
      return std::make_tuple(a, b, Capture(out), Capture(floatOut));
    });
  }
}

// Steps need not hold whole floats: rows of float images at odd addresses, in raw bytes.
TEST(MirrorTranspose, FloatRowsAtOddAddressesMatchGeneric) {
  constexpr int kWidth = 37, kHeight = 9;
  std::vector<uint8_t> source(static_cast<size_t>(kWidth * 4 + 1) * kHeight + 8);
  for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint8_t>(i * 29 + 3);
  ExpectBuildsMatchGeneric([&](Build) {
    std::vector<std::vector<uint8_t>> results;
    std::vector<IppStatus> statuses;
    const auto* from = reinterpret_cast<const float*>(source.data() + 1);
    const int step = kWidth * 4 + 1;
    for (int flip = 0; flip < 3; ++flip) {
      std::vector<uint8_t> out(static_cast<size_t>(step + 2) * kHeight + 8, 0), inPlace = source;
      statuses.push_back(fnVCAIPP_Mirror_32f_C1R(from, step, reinterpret_cast<float*>(out.data() + 3), step + 2,
                                                 {kWidth, kHeight}, flip));
      statuses.push_back(
          fnVCAIPP_Mirror_32f_C1IR(reinterpret_cast<float*>(inPlace.data() + 1), step, {kWidth, kHeight}, flip));
      results.push_back(out);
      results.push_back(inPlace);
    }
    std::vector<uint8_t> transposed(static_cast<size_t>(kHeight * 4 + 3) * kWidth + 8, 0);
    statuses.push_back(fnVCAIPP_Transpose_32f_C1R(from, step, reinterpret_cast<float*>(transposed.data() + 2),
                                                  kHeight * 4 + 3, {kWidth, kHeight}));
    results.push_back(transposed);
    return std::make_tuple(statuses, results);
  });
}

}  // namespace
}  // namespace ryn::test
