// Alpha compositing with constant alphas: the twelve operations against their formulas for every
// pixel pair, the documented examples, every build against the generic code, argument checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

int D(int t) { return t / 255; }

// The documented table, with a plain integer division.
int Expected(int operation, int p, int q, int a, int b) {
  switch (operation) {
    case 0: return D(a * p) + D((255 - a) * D(b * q));
    case 1: return D(b * D(a * p));
    case 2: return D((255 - b) * D(a * p));
    case 3: return D(b * D(a * p)) + D((255 - a) * D(b * q));
    case 4: return D((255 - b) * D(a * p)) + D((255 - a) * D(b * q));
    case 5: return std::min(255, D(a * p) + D(b * q));
    case 6: return std::min(255, p + D((255 - a) * q));
    case 7: return D(b * p);
    case 8: return D((255 - b) * p);
    case 9: return std::min(255, D(b * p) + D((255 - a) * q));
    case 10: return std::min(255, D((255 - b) * p) + D((255 - a) * q));
    case 11: return std::min(255, p + q);
  }
  return -1;
}

TEST(AlphaCompC, EveryOperationFollowsItsFormulaForEveryPixelPair) {
  TestImage<uint8_t> first(256, 256, 3, 1), second(256, 256, 1, 2);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      first.at(x, y) = static_cast<uint8_t>(x);
      second.at(x, y) = static_cast<uint8_t>(y);
    }
  }
  const std::vector<std::pair<int, int>> alphas = {{255, 0}, {0, 255}, {128, 77}, {1, 254}};
  for (int operation = 0; operation < 12; ++operation) {
    for (const auto& [a, b] : alphas) {
      SCOPED_TRACE(::testing::Message() << "operation " << operation << ", alphas " << a << " and " << b);
      std::vector<uint8_t> expected;
      for (int q = 0; q < 256; ++q)
        for (int p = 0; p < 256; ++p) expected.push_back(static_cast<uint8_t>(Expected(operation, p, q, a, b)));
      ForEachBuild([&](Build) {
        TestImage<uint8_t> result(256, 256, 2, 3);
        ASSERT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(first.data(), first.step(), static_cast<uint8_t>(a), second.data(),
                                             second.step(), static_cast<uint8_t>(b), result.data(), result.step(),
                                             result.size(), operation),
                  ippStsNoErr);
        const std::vector<uint8_t> actual = result.Region();
        const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin()).first - actual.begin();
        EXPECT_TRUE(actual == expected) << "first difference at p " << at % 256 << ", q " << at / 256;
        EXPECT_TRUE(result.GuardsIntact());
      });
    }
  }
}

uint8_t Composite(uint8_t p, uint8_t a, uint8_t q, uint8_t b, int operation) {
  uint8_t result = 0;
  EXPECT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(&p, 1, a, &q, 1, b, &result, 1, IppiSize{1, 1}, operation), ippStsNoErr);
  return result;
}

TEST(AlphaCompC, DocumentedExamplesAndChecks) {
  for (int p : {0, 1, 100, 254, 255}) EXPECT_EQ(Composite(static_cast<uint8_t>(p), 255, 77, 200, 0), p);
  EXPECT_EQ(Composite(200, 10, 100, 20, 11), 255);
  uint8_t p = 1, out = 9;
  for (int operation : {12, -1, 1000}) {
    EXPECT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(&p, 1, 1, &p, 1, 1, &out, 1, IppiSize{1, 1}, operation),
              ippStsAlphaTypeErr);
  }
  EXPECT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(&p, 1, 1, nullptr, 1, 1, &out, 1, IppiSize{0, 1}, 12), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(&p, 1, 1, &p, 1, 1, &out, 1, IppiSize{0, 1}, 12), ippStsSizeErr);
  EXPECT_EQ(out, 9);
}

TEST(AlphaCompC, BuildsMatchTheGenericCodeOnEveryShape) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int w = shape.width, h = shape.height;
      TestImage<uint8_t> first(w, h, shape.padding, 3), second(w, h, shape.padding + 3, 2);
      first.FillRandom(31, 0, 255);
      second.FillRandom(32, 0, 255);
      std::vector<Snapshot> results;
      for (int operation = 0; operation < 12; ++operation) {
        TestImage<uint8_t> result(w, h, shape.padding + 1, 1 + operation);
        result.FillBytes(SentinelFor(build));
        EXPECT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(first.data(), first.step(), 140, second.data(), second.step(), 90,
                                             result.data(), result.step(), result.size(), operation),
                  ippStsNoErr);
        EXPECT_TRUE(result.GuardsIntact());
        results.push_back(Capture(result));
      }
      // In place, over the first source.
      TestImage<uint8_t> inPlace = first;
      EXPECT_EQ(fnVCAIPP_AlphaCompC_8u_C1R(inPlace.data(), inPlace.step(), 30, second.data(), second.step(), 250,
                                           inPlace.data(), inPlace.step(), inPlace.size(), 3),
                ippStsNoErr);
      results.push_back(Capture(inPlace));
      return results;
    });
  });
}

}  // namespace
}  // namespace ryn::test
