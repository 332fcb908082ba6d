// Comparisons of two images and of an image with a constant into 0/255 masks.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "primitives/arith/misaligned_row.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The operation codes, written out independently of the library's rule.
template <class T>
bool Expected(int operation, T first, T second) {
  switch (operation) {
    case 0: return first < second;
    case 1: return first <= second;
    case 2: return first == second;
    case 3: return first >= second;
    default: return first > second;
  }
}

TEST(Compare, EveryPairOfBytesUnderEveryOperation) {
  // Row y holds every value against the constant y: all 65536 pairs in one 256 x 256 image.
  TestImage<uint8_t> first(256, 256, 0, 1), second(256, 256, 3, 2);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      first.at(x, y) = static_cast<uint8_t>(x);
      second.at(x, y) = static_cast<uint8_t>(y);
    }
  }
  ForEachBuild([&](Build) {
    for (int operation = 0; operation <= 4; ++operation) {
      SCOPED_TRACE(::testing::Message() << "operation " << operation);
      TestImage<uint8_t> images(256, 256, 1, 3), constants(256, 1, 0, 5);
      ASSERT_EQ(fnVCAIPP_Compare_8u_C1R(first.data(), first.step(), second.data(), second.step(), images.data(),
                                        images.step(), images.size(), operation),
                ippStsNoErr);
      int wrong = 0;
      for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) wrong += images.at(x, y) != (Expected(operation, x, y) ? 255 : 0);
      }
      EXPECT_EQ(wrong, 0);
      EXPECT_TRUE(images.GuardsIntact());
      for (int value : {0, 128, 255}) {
        ASSERT_EQ(fnVCAIPP_CompareC_8u_C1R(first.data(), first.step(), static_cast<uint8_t>(value),
                                           constants.data(), constants.step(), constants.size(), operation),
                  ippStsNoErr);
        for (int x = 0; x < 256; ++x) ASSERT_EQ(constants.at(x, 0), Expected(operation, x, value) ? 255 : 0) << x;
      }
    }
  });
}

TEST(Compare, FloatsAreOrderedSoNaNSatisfiesNothing) {
  const std::vector<float> specials{kNaN, -kInfinity, -1.5f, -0.0f, 0.0f, 1e-45f, 2.5f, kInfinity};
  // Every pair of specials, repeated so that vector bodies and scalar tails both see them.
  std::vector<float> first, second;
  for (int repeat = 0; repeat < 3; ++repeat) {
    for (float a : specials) {
      for (float b : specials) {
        first.push_back(a);
        second.push_back(b);
      }
    }
  }
  const int width = static_cast<int>(first.size());
  ForEachBuild([&](Build) {
    for (int operation = 0; operation <= 4; ++operation) {
      SCOPED_TRACE(::testing::Message() << "operation " << operation);
      std::vector<uint8_t> mask(first.size(), 7);
      ASSERT_EQ(fnVCAIPP_Compare_32f_C1R(first.data(), width * 4, second.data(), width * 4, mask.data(), width,
                                         IppiSize{width, 1}, operation),
                ippStsNoErr);
      for (int i = 0; i < width; ++i) {
        ASSERT_EQ(mask[i], Expected(operation, first[i], second[i]) ? 255 : 0) << first[i] << " vs " << second[i];
      }
      for (float value : {kNaN, 0.0f, -0.0f, 2.5f}) {
        ASSERT_EQ(fnVCAIPP_CompareC_32f_C1R(first.data(), width * 4, value, mask.data(), width, IppiSize{width, 1},
                                            operation),
                  ippStsNoErr);
        for (int i = 0; i < width; ++i) ASSERT_EQ(mask[i], Expected(operation, first[i], value) ? 255 : 0) << i;
      }
    }
  });
}

TEST(Compare, UnknownOperationWritesNothingAndSucceeds) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> source(70, 2);
    source.FillRandom(1, 0, 255);
    TestImage<float> floats(70, 2);
    floats.FillRandom(2, -1.0f, 1.0f);
    TestImage<uint8_t> mask(70, 2);
    mask.FillRandom(3, 0, 255);
    const auto before = mask.RegionBytes();
    for (int operation : {7, 5, -1}) {
      EXPECT_EQ(fnVCAIPP_Compare_8u_C1R(source.data(), source.step(), source.data(), source.step(), mask.data(),
                                        mask.step(), mask.size(), operation),
                ippStsNoErr);
      EXPECT_EQ(fnVCAIPP_CompareC_8u_C1R(source.data(), source.step(), 3, mask.data(), mask.step(), mask.size(),
                                         operation),
                ippStsNoErr);
      EXPECT_EQ(fnVCAIPP_Compare_32f_C1R(floats.data(), floats.step(), floats.data(), floats.step(), mask.data(),
                                         mask.step(), mask.size(), operation),
                ippStsNoErr);
      EXPECT_EQ(fnVCAIPP_CompareC_32f_C1R(floats.data(), floats.step(), 0.5f, mask.data(), mask.step(),
                                          mask.size(), operation),
                ippStsNoErr);
    }
    EXPECT_EQ(mask.RegionBytes(), before);
  });
}

TEST(Compare, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int w = shape.width, h = shape.height;
      TestImage<uint8_t> a(w, h, shape.padding, 3), b(w, h, shape.padding + 1, 1);
      TestImage<float> fa(w, h, 4 * shape.padding + 4, 8), fb(w, h, 4 * shape.padding, 4);
      a.FillRandom(1, 120, 136);  // narrow ranges: many equal pixels
      b.FillRandom(2, 120, 136);
      fa.FillRandom(3, -2.0f, 2.0f);
      fb.FillRandom(4, -2.0f, 2.0f);
      for (int y = 0; y < h; ++y)
        for (int x = y % 4; x < w; x += 4) fb.at(x, y) = x % 8 == 0 ? fa.at(x, y) : kNaN;
      std::vector<Snapshot> masks;
      for (int operation = 0; operation <= 4; ++operation) {
        TestImage<uint8_t> images8(w, h, shape.padding, 5), constant8(w, h, shape.padding, 6);
        TestImage<uint8_t> images32(w, h, shape.padding, 7), constant32(w, h, shape.padding, 8);
        for (auto* mask : {&images8, &constant8, &images32, &constant32}) mask->FillBytes(SentinelFor(build));
        const auto statuses = std::tuple(
            fnVCAIPP_Compare_8u_C1R(a.data(), a.step(), b.data(), b.step(), images8.data(), images8.step(),
                                    a.size(), operation),
            fnVCAIPP_CompareC_8u_C1R(a.data(), a.step(), 128, constant8.data(), constant8.step(), a.size(),
                                     operation),
            fnVCAIPP_Compare_32f_C1R(fa.data(), fa.step(), fb.data(), fb.step(), images32.data(), images32.step(),
                                     a.size(), operation),
            fnVCAIPP_CompareC_32f_C1R(fa.data(), fa.step(), 0.5f, constant32.data(), constant32.step(), a.size(),
                                      operation));
        EXPECT_EQ(statuses, std::tuple(0, 0, 0, 0));
        for (auto* mask : {&images8, &constant8, &images32, &constant32}) {
          EXPECT_TRUE(mask->GuardsIntact());
          masks.push_back(Capture(*mask));
        }
      }
      return masks;
    });
  });
}

TEST(Compare, ChecksPointersThenStepsThenTheRegion) {
  const uint8_t a = 1;
  const float f = 1.0f;
  uint8_t mask = 7;
  EXPECT_EQ(fnVCAIPP_Compare_8u_C1R(&a, 1, nullptr, 1, &mask, 1, IppiSize{0, 0}, 9), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Compare_8u_C1R(&a, 1, &a, 0, &mask, 1, IppiSize{0, 0}, 9), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Compare_8u_C1R(&a, 1, &a, 1, &mask, 1, IppiSize{0, 1}, 9), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Compare_32f_C1R(&f, 4, &f, 4, &mask, -1, IppiSize{1, 1}, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Compare_32f_C1R(&f, 4, &f, 4, &mask, 1, IppiSize{1, -3}, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CompareC_8u_C1R(nullptr, 1, 0, &mask, 1, IppiSize{1, 1}, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CompareC_8u_C1R(&a, 0, 0, &mask, 1, IppiSize{0, 1}, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CompareC_32f_C1R(&f, 4, 0.0f, nullptr, 1, IppiSize{1, 1}, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CompareC_32f_C1R(&f, 4, 0.0f, &mask, 1, IppiSize{0, 1}, 0), ippStsSizeErr);
  EXPECT_EQ(mask, 7);
}

// Float rows at odd addresses, as steps that are not multiples of the pixel size give.
TEST(Compare, FloatsAtOddAddresses) {
  for (int width : kOddWidths) {
    SCOPED_TRACE(width);
    ExpectBuildsMatchGeneric([&](Build build) {
      MisalignedRow<float> first(width, 0), second(width, 0);
      for (int x = 0; x < width; ++x) {
        first.Set(x, static_cast<float>(x % 9));
        second.Set(x, x % 11 == 0 ? kNaN : static_cast<float>(x % 7));
      }
      std::vector<uint8_t> images(width, SentinelFor(build)), constant(width, SentinelFor(build));
      const IppiSize row{width, 1};
      const auto statuses = std::tuple(
          fnVCAIPP_Compare_32f_C1R(first.data(), width * 4, second.data(), width * 4, images.data(), width, row, 1),
          fnVCAIPP_CompareC_32f_C1R(first.data(), width * 4, 4.0f, constant.data(), width, row, 3));
      return std::tuple(statuses, images, constant);
    });
  }
}

}  // namespace
}  // namespace ryn::test
