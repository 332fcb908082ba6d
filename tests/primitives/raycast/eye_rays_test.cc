// Eye rays and hit points: the formulas, the checks, and every processor build against the
// generic code on misaligned, guarded planes.
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

// Three guarded planes of `count` floats, the first `misalign` bytes past a 64-byte boundary.
struct GuardedPlanes {
  TestImage<float> x, y, z;
  GuardedPlanes(int count, int misalign)
      : x(count, 1, 0, misalign), y(count, 1, 0, misalign + 8), z(count, 1, 0, misalign + 4) {}
  void Fill(uint8_t sentinel) {
    x.FillBytes(sentinel);
    y.FillBytes(sentinel);
    z.FillBytes(sentinel);
  }
  std::tuple<Snapshot, Snapshot, Snapshot> Capture() const {
    return {test::Capture(x), test::Capture(y), test::Capture(z)};
  }
  ::testing::AssertionResult GuardsIntact() const {
    if (!x.GuardsIntact()) return x.GuardsIntact();
    if (!y.GuardsIntact()) return y.GuardsIntact();
    return z.GuardsIntact();
  }
};

TEST(CastEye, DirectionsOfAClippedBlock) {
  const RynPoint3D origin{1.0f, 2.0f, 3.0f}, columnStep{0.5f, 0.0f, 0.25f}, rowStep{0.0f, -0.25f, 1.0f};
  std::vector<float> x(6, -1), y(6, -1), z(6, -1);
  float* const planes[3] = {x.data(), y.data(), z.data()};
  // Block (2, 1) of 4 x 3 pixels, clipped to 3 x 2: pixels 8..10 of rows 3..4.
  ASSERT_EQ(fnVCAIPP_CastEye_32f(origin, columnStep, rowStep, 2, 1, IppiSize{4, 3}, planes, IppiSize{3, 2}),
            ippStsNoErr);
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      const size_t i = static_cast<size_t>(r) * 3 + c;
      EXPECT_EQ(x[i], 1.0f + 0.5f * (c + 8));
      EXPECT_EQ(y[i], 2.0f - 0.25f * (r + 3));
      EXPECT_EQ(z[i], 3.0f + 0.25f * (c + 8) + 1.0f * (r + 3));
    }
  }
}

TEST(CastEye, FarBlocksDoNotWrap) {
  float x = 0, y = 0, z = 0;
  float* const planes[3] = {&x, &y, &z};
  ASSERT_EQ(fnVCAIPP_CastEye_32f(RynPoint3D{0, 0, 0}, RynPoint3D{1, 0, 0}, RynPoint3D{0, 1, 0}, 1 << 30,
                                 1 << 30, IppiSize{4, 8}, planes, IppiSize{1, 1}),
            ippStsNoErr);
  EXPECT_EQ(x, 4294967296.0f);
  EXPECT_EQ(y, 8589934592.0f);
}

TEST(CastEye, ChecksAndEmptyBlocks) {
  float x = 5, y = 5, z = 5;
  float* const planes[3] = {&x, &y, &z};
  float* const missing[3] = {&x, &y, nullptr};
  const RynPoint3D p{1, 1, 1};
  EXPECT_EQ(fnVCAIPP_CastEye_32f(p, p, p, 0, 0, IppiSize{1, 1}, nullptr, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CastEye_32f(p, p, p, 0, 0, IppiSize{1, 1}, missing, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CastEye_32f(p, p, p, 0, 0, IppiSize{1, 1}, planes, IppiSize{1, 0}), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_CastEye_32f(p, p, p, 0, 0, IppiSize{1, 1}, planes, IppiSize{0, 3}), ippStsNoErr);
  EXPECT_EQ(x, 5.0f);
}

TEST(CastEye, BuildsMatchGeneric) {
  // Steps that round, so that any change in the order of operations shows.
  const RynPoint3D origin{-0.7f, 0.3f, 1.1f}, columnStep{1.0f / 3, 0.1f, -1e-3f}, rowStep{0.2f, -1.0f / 7, 3e-2f};
  for (int width : kOddWidths) {
    for (int height : {1, 3}) {
      for (int misalign : {0, 4, 2}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height << " misaligned " << misalign);
        ExpectBuildsMatchGeneric([&](Build build) {
          GuardedPlanes planes(width * height, misalign);
          planes.Fill(SentinelFor(build));
          float* const out[3] = {planes.x.data(), planes.y.data(), planes.z.data()};
          const IppStatus status =
              fnVCAIPP_CastEye_32f(origin, columnStep, rowStep, 3, 7, IppiSize{width, height}, out,
                                   IppiSize{width, height});
          EXPECT_TRUE(planes.GuardsIntact());
          return std::tuple_cat(std::make_tuple(status), planes.Capture());
        });
      }
    }
  }
}

TEST(HitPoint, MaskedHitsAndZeroPoints) {
  const RynPoint3D eye{1.0f, 2.0f, 3.0f};
  std::vector<float> dx{1, 0, 2, 1}, dy{0, 1, 2, 1}, dz{0.5f, 0, 2, 1}, distance{2, 3, 4, 5};
  std::vector<int32_t> mask{0, 7, -1, -100};
  std::vector<float> x(5, 9), y(5, 9), z(5, 9);
  float* const directions[3] = {dx.data(), dy.data(), dz.data()};
  float* const hits[3] = {x.data(), y.data(), z.data()};
  ASSERT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, directions, distance.data(), mask.data(), hits, 4, 0.5f),
            ippStsNoErr);
  EXPECT_EQ(x, (std::vector<float>{2, 1, 0, 0, 9}));
  EXPECT_EQ(y, (std::vector<float>{2, 3.5f, 0, 0, 9}));
  EXPECT_EQ(z, (std::vector<float>{3.5f, 3, 0, 0, 9}));
}

TEST(HitPoint, ChecksAndEmptyRuns) {
  float d = 1, h = 9;
  int32_t m = 0;
  float* const planes[3] = {&d, &d, &d};
  float* const hits[3] = {&h, &h, &h};
  float* const missing[3] = {&h, nullptr, &h};
  const RynPoint3D eye{0, 0, 0};
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, planes, nullptr, &m, hits, 1, 1.0f), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, planes, &d, nullptr, hits, 1, 1.0f), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, nullptr, &d, &m, hits, 1, 1.0f), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, planes, &d, &m, nullptr, 1, 1.0f), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, planes, &d, &m, missing, 1, 1.0f), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, planes, &d, &m, hits, 0, 1.0f), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, planes, &d, &m, hits, -1, 1.0f), ippStsNoErr);
  EXPECT_EQ(h, 9.0f);
}

TEST(HitPoint, BuildsMatchGeneric) {
  const RynPoint3D eye{0.3f, -1.7f, 2.9f};
  for (int length : kOddWidths) {
    for (int misalign : {0, 4, 2}) {
      SCOPED_TRACE(::testing::Message() << length << " misaligned " << misalign);
      TestImage<float> dx(length, 1, 0, 4), dy(length, 1, 0, 8), dz(length, 1, 0, 12), distance(length, 1, 0, 0);
      TestImage<int32_t> mask(length, 1, 0, 4);
      dx.FillRandom(1, -1.0f, 1.0f);
      dy.FillRandom(2, -1.0f, 1.0f);
      dz.FillRandom(3, -1.0f, 1.0f);
      distance.FillRandom(4, 0.0f, 100.0f);
      mask.FillRandom(5, -2, 5);
      float* const directions[3] = {dx.data(), dy.data(), dz.data()};
      ExpectBuildsMatchGeneric([&](Build build) {
        GuardedPlanes hits(length, misalign);
        hits.Fill(SentinelFor(build));
        float* const out[3] = {hits.x.data(), hits.y.data(), hits.z.data()};
        const IppStatus status =
            fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, directions, distance.data(), mask.data(), out, length, 0.999f);
        EXPECT_TRUE(hits.GuardsIntact());
        return std::tuple_cat(std::make_tuple(status), hits.Capture());
      });
    }
  }
}

}  // namespace
}  // namespace ryn::test
