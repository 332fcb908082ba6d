// Bitwise logic and the per-pixel minimum and maximum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <tuple>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// Counts the pixels of `result` that differ from rule(a, b).
int Mismatches(const TestImage<uint8_t>& result, const TestImage<uint8_t>& a, const TestImage<uint8_t>& b,
               const std::function<uint8_t(uint8_t, uint8_t)>& rule) {
  int wrong = 0;
  for (int y = 0; y < result.height(); ++y)
    for (int x = 0; x < result.width(); ++x) wrong += result.at(x, y) != rule(a.at(x, y), b.at(x, y));
  return wrong;
}

// Each operation against its rule, two-source and in place, on every shape under every build.
TEST(Logic, FollowsTheBitwiseRulesOnEveryShape) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int w = shape.width, h = shape.height;
      TestImage<uint8_t> a(w, h, shape.padding, 3), b(w, h, shape.padding + 1, 1);
      a.FillRandom(1, 0, 255);
      b.FillRandom(2, 0, 255);
      const UnchangedSource<uint8_t> unchangedA(a), unchangedB(b);
      // Each in-place image starts as a copy of b.
      auto copyOfB = [&](int misalign) {
        TestImage<uint8_t> image(w, h, shape.padding + 2, misalign);
        image.FillRandom(2, 0, 255);
        return image;
      };
      TestImage<uint8_t> andR(w, h, shape.padding, 5), orR(w, h, shape.padding, 6), notR(w, h, shape.padding, 7);
      for (auto* image : {&andR, &orR, &notR}) image->FillBytes(SentinelFor(build));
      TestImage<uint8_t> andI = copyOfB(1), orI = copyOfB(2), xorI = copyOfB(3), notI = copyOfB(4),
                         minI = copyOfB(5), maxI = copyOfB(6);
      const IppiSize size = a.size();
      const auto statuses = std::tuple(
          fnVCAIPP_And_8u_C1R(a.data(), b.data(), andR.data(), size, a.step(), b.step(), andR.step()),
          fnVCAIPP_Or_8u_C1R(a.data(), b.data(), orR.data(), size, a.step(), b.step(), orR.step()),
          fnVCAIPP_Not_8u_C1R(a.data(), notR.data(), size, a.step(), notR.step()),
          fnVCAIPP_And_8u_C1IR(a.data(), andI.data(), size, a.step(), andI.step()),
          fnVCAIPP_Or_8u_C1IR(a.data(), orI.data(), size, a.step(), orI.step()),
          fnVCAIPP_Xor_8u_C1IR(a.data(), xorI.data(), size, a.step(), xorI.step()),
          fnVCAIPP_Not_8u_C1IR(notI.data(), size, notI.step()));
      EXPECT_EQ(statuses, std::tuple(0, 0, 0, 0, 0, 0, 0));
      // Min and max share one step between their images.
      TestImage<uint8_t> sameStepA(w, h, shape.padding + 2, 9);
      sameStepA.FillRandom(1, 0, 255);
      EXPECT_EQ(fnVCAIPP_MinEvery_8u_C1IR(sameStepA.data(), minI.data(), minI.step(), size), ippStsNoErr);
      EXPECT_EQ(fnVCAIPP_MaxEvery_8u_C1IR(sameStepA.data(), maxI.data(), maxI.step(), size), ippStsNoErr);

      EXPECT_EQ(Mismatches(andR, a, b, [](uint8_t x, uint8_t y) { return x & y; }), 0);
      EXPECT_EQ(Mismatches(orR, a, b, [](uint8_t x, uint8_t y) { return x | y; }), 0);
      EXPECT_EQ(Mismatches(notR, a, b, [](uint8_t x, uint8_t) { return 255 - x; }), 0);
      EXPECT_EQ(Mismatches(andI, a, b, [](uint8_t x, uint8_t y) { return x & y; }), 0);
      EXPECT_EQ(Mismatches(orI, a, b, [](uint8_t x, uint8_t y) { return x | y; }), 0);
      EXPECT_EQ(Mismatches(xorI, a, b, [](uint8_t x, uint8_t y) { return x ^ y; }), 0);
      EXPECT_EQ(Mismatches(notI, a, b, [](uint8_t, uint8_t y) { return 255 - y; }), 0);
      EXPECT_EQ(Mismatches(minI, a, b, [](uint8_t x, uint8_t y) { return std::min(x, y); }), 0);
      EXPECT_EQ(Mismatches(maxI, a, b, [](uint8_t x, uint8_t y) { return std::max(x, y); }), 0);
      EXPECT_TRUE(unchangedA.Check());
      EXPECT_TRUE(unchangedB.Check());
      for (const auto* image : {&andR, &orR, &notR, &andI, &orI, &xorI, &notI, &minI, &maxI}) {
        EXPECT_TRUE(image->GuardsIntact());
      }
      return std::tuple(Capture(andR), Capture(orR), Capture(notR), Capture(andI), Capture(orI), Capture(xorI),
                        Capture(notI), Capture(minI), Capture(maxI));
    });
  });
}

TEST(Logic, ChecksPointersThenStepsThenTheRegion) {
  uint8_t a = 0x0F, b = 0x3C, out = 7;
  EXPECT_EQ(fnVCAIPP_And_8u_C1R(&a, nullptr, &out, IppiSize{0, 0}, 0, 0, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_And_8u_C1R(&a, &b, &out, IppiSize{0, 0}, 1, 1, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Or_8u_C1R(&a, &b, &out, IppiSize{1, 0}, 1, 1, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Or_8u_C1R(&a, &b, nullptr, IppiSize{1, 1}, 1, 1, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_And_8u_C1IR(&a, &out, IppiSize{0, 1}, 0, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Or_8u_C1IR(nullptr, &out, IppiSize{1, 1}, 1, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Xor_8u_C1IR(&a, &out, IppiSize{1, 1}, 1, -1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Xor_8u_C1IR(&a, &out, IppiSize{-1, 1}, 1, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Not_8u_C1R(&a, &out, IppiSize{0, 0}, 1, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Not_8u_C1IR(nullptr, IppiSize{1, 1}, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Not_8u_C1IR(&out, IppiSize{1, 0}, 1), ippStsSizeErr);
  // Minimum and maximum check the region before the step.
  EXPECT_EQ(fnVCAIPP_MinEvery_8u_C1IR(&a, nullptr, 1, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MinEvery_8u_C1IR(&a, &out, 0, IppiSize{0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_MaxEvery_8u_C1IR(&a, &out, 0, IppiSize{1, 1}), ippStsStepErr);
  EXPECT_EQ(out, 7);
  EXPECT_EQ(fnVCAIPP_And_8u_C1R(&a, &b, &out, IppiSize{1, 1}, 1, 1, 1), ippStsNoErr);
  EXPECT_EQ(out, 0x0C);
}

}  // namespace
}  // namespace ryn::test
