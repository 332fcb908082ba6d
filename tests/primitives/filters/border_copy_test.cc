// Border copies: constant and replicated frames around an inner rectangle, in place and into a
// second image, and their argument checks.
#include "primitives/filters/border_copy.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

using namespace filters;

struct Frame {
  IppiSize inner;
  int top, left, bottom, right;
  IppiSize Outer() const { return {inner.width + left + right, inner.height + top + bottom}; }
};

// What a replicated (or constant) outer image holds, from the inner pixels.
template <class T, class Inner>
std::vector<T> ExpectedOuter(const Frame& f, Inner inner, const T* constant) {
  std::vector<T> out;
  const IppiSize outer = f.Outer();
  for (int y = 0; y < outer.height; ++y) {
    for (int x = 0; x < outer.width; ++x) {
      const int ix = x - f.left, iy = y - f.top;
      const bool inside = ix >= 0 && ix < f.inner.width && iy >= 0 && iy < f.inner.height;
      out.push_back(inside || constant == nullptr
                        ? inner(std::clamp(ix, 0, f.inner.width - 1), std::clamp(iy, 0, f.inner.height - 1))
                        : *constant);
    }
  }
  return out;
}

const std::vector<Frame> kFrames = {
    {{1, 1}, 0, 0, 0, 0}, {{5, 3}, 1, 1, 1, 1}, {{7, 4}, 2, 0, 3, 5}, {{40, 6}, 0, 33, 0, 40}, {{3, 2}, 4, 2, 0, 1},
};

TEST(BorderCopy, InPlaceReplicateUnderEveryVariant) {
  for (const Frame& f : kFrames) {
    const IppiSize outer = f.Outer();
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> image(outer.width, outer.height);
      image.FillRandom(uint32_t(outer.width), 0, 255);
      TestImage<float> floats(outer.width, outer.height);
      floats.FillRandom(uint32_t(outer.height), -1.0f, 1.0f);
      const auto expected8 = ExpectedOuter<uint8_t>(
          f, [&](int x, int y) { return image.at(f.left + x, f.top + y); }, nullptr);
      const auto expected32 = ExpectedOuter<float>(
          f, [&](int x, int y) { return floats.at(f.left + x, f.top + y); }, nullptr);
      const IppStatus s8 = ReplicateBorderInPlace8u(&image.at(f.left, f.top), image.step(), f.inner, outer, f.top, f.left);
      const IppStatus s32 =
          ReplicateBorderInPlace32f(&floats.at(f.left, f.top), floats.step(), f.inner, outer, f.top, f.left);
      EXPECT_EQ(image.Region(), expected8);
      EXPECT_EQ(floats.Region(), expected32);
      EXPECT_TRUE(image.GuardsIntact());
      EXPECT_TRUE(floats.GuardsIntact());
      return std::tuple(s8, s32, image.RegionBytes(), floats.RegionBytes());
    });
  }
}

TEST(BorderCopy, ConstantAndReplicateIntoASecondImage) {
  for (const Frame& f : kFrames) {
    const IppiSize outer = f.Outer();
    TestImage<uint8_t> source(f.inner.width, f.inner.height);
    source.FillRandom(7, 0, 255);
    const auto inner = [&](int x, int y) { return source.at(x, y); };
    const uint8_t value = 0x3C;
    TestImage<uint8_t> constant(outer.width, outer.height);
    ASSERT_EQ(CopyConstBorder8u(source.data(), source.step(), f.inner, constant.data(), constant.step(), outer, f.top,
                                f.left, value),
              ippStsNoErr);
    EXPECT_EQ(constant.Region(), ExpectedOuter<uint8_t>(f, inner, &value));
    TestImage<uint8_t> replicated(outer.width, outer.height);
    ASSERT_EQ(CopyReplicateBorder8u(source.data(), source.step(), f.inner, replicated.data(), replicated.step(), outer,
                                    f.top, f.left),
              ippStsNoErr);
    EXPECT_EQ(replicated.Region(), ExpectedOuter<uint8_t>(f, inner, nullptr));
    EXPECT_TRUE(constant.GuardsIntact());
    EXPECT_TRUE(replicated.GuardsIntact());
    EXPECT_TRUE(source.GuardsIntact());
  }
}

TEST(BorderCopy, ChecksArgumentsInOrder) {
  uint8_t a[64] = {}, b[64];
  std::fill(std::begin(b), std::end(b), 0xEE);
  const IppiSize inner{2, 2}, outer{4, 4};
  EXPECT_EQ(CopyConstBorder8u(nullptr, 0, {0, 0}, b, 0, outer, -1, 0, 1), ippStsNullPtrErr);
  EXPECT_EQ(CopyReplicateBorder8u(a, 8, inner, nullptr, 8, outer, 1, 1), ippStsNullPtrErr);
  EXPECT_EQ(ReplicateBorderInPlace8u(nullptr, 8, inner, outer, 1, 1), ippStsNullPtrErr);
  EXPECT_EQ(CopyConstBorder8u(a, 0, {0, 0}, b, 8, outer, 1, 1, 1), ippStsStepErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, {0, 0}, b, -1, outer, 1, 1, 1), ippStsStepErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, {0, 2}, b, 8, outer, 1, 1, 1), ippStsSizeErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, inner, b, 8, {4, 0}, 1, 1, 1), ippStsSizeErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, inner, b, 8, outer, -1, 1, 1), ippStsSizeErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, inner, b, 8, outer, 1, -1, 1), ippStsSizeErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, inner, b, 8, outer, 1, 3, 1), ippStsSizeErr);
  EXPECT_EQ(CopyConstBorder8u(a, 8, inner, b, 8, outer, 3, 1, 1), ippStsSizeErr);
  for (uint8_t byte : b) EXPECT_EQ(byte, 0xEE);
  EXPECT_EQ(CopyConstBorder8u(a, 8, inner, b, 8, outer, 2, 2, 1), ippStsNoErr);
}

}  // namespace
}  // namespace ryn::test
