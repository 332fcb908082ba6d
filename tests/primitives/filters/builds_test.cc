// Every processor build of every linear filter gives the generic build's result, on every odd
// shape (each vector tail, row paddings, misaligned rows), and writes nothing outside its region.
#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "primitives/filters/filters.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using namespace filters;

// A source with room for a mask around a shape's region, away from any alignment, random pixels.
// (Float sources keep whole-pixel steps, so that the test itself can fill them; float
// destinations take the shape's odd paddings.)
template <class T>
TestImage<T> SourceAround(const Shape& shape, IppiSize mask, uint32_t seed) {
  TestImage<T> source(shape.width + mask.width - 1, shape.height + mask.height - 1,
                      sizeof(T) == 1 ? shape.padding + 2 : 4 * shape.padding + 4, sizeof(T) == 1 ? 3 : 4);
  if constexpr (std::is_floating_point_v<T>) {
    source.FillRandom(seed, T(-50), T(50));
  } else {
    source.FillRandom(seed, 0, 255);
  }
  return source;
}

template <class T>
TestImage<T> DestinationFor(const Shape& shape, Build build) {
  TestImage<T> destination(shape.width, shape.height, shape.padding, sizeof(T) == 1 ? 1 : 4);
  destination.FillBytes(SentinelFor(build));
  return destination;
}

// Masks of every row kernel: direct, level terms, wide windows counting wraps (with each finish),
// the split and prefix sums of wide masks, 32-bit and 64-bit column sums.
const std::vector<IppiSize> kBoxMasks = {{3, 3},  {5, 5},  {7, 7},   {2, 1},  {15, 15}, {16, 16}, {17, 17},
                                         {31, 31}, {64, 4}, {9, 40}, {5, 200}, {70, 2}, {130, 1}, {3, 300}, {91, 91}};

TEST(FilterBuilds, BoxMeans) {
  for (const IppiSize mask : kBoxMasks) {
    SCOPED_TRACE(::testing::Message() << "mask " << mask.width << "x" << mask.height);
    const IppiPoint anchor{mask.width / 3, mask.height - 1};
    ForEachOddShape([&](const Shape& shape) {
      // The sanitizer build is slow: every shape for two masks, two paddings for the others, and
      // for masks of many pixels the vector tails up to 65 columns.
      const bool wideRowMask = (mask.width == 3 && mask.height == 3) || (mask.width == 31 && mask.height == 31);
      if (shape.width > 200 && !wideRowMask) return;
      if (shape.padding == 1 && !wideRowMask) return;
      if (mask.width * mask.height > 300 && shape.width > 65) return;
      // Float sums take the same few paths for every mask of more than 300 pixels.
      const bool withFloats = mask.width * mask.height <= 300;
      const auto source = SourceAround<uint8_t>(shape, mask, uint32_t(shape.width + mask.width));
      const auto floats = SourceAround<float>(shape, withFloats ? mask : IppiSize{1, 1}, uint32_t(shape.height));
      ExpectBuildsMatchGeneric([&](Build build) {
        auto destination = DestinationFor<uint8_t>(shape, build);
        auto floatDestination = DestinationFor<float>(shape, build);
        const IppiSize region{shape.width, shape.height};
        const IppStatus status = FilterBox8u(&source.at(anchor.x, anchor.y), source.step(), destination.data(),
                                             destination.step(), region, mask, anchor);
        const IppStatus floatStatus =
            withFloats ? FilterBox32f(&floats.at(anchor.x, anchor.y), floats.step(), floatDestination.data(),
                                      floatDestination.step(), region, mask, anchor)
                       : ippStsNoErr;
        EXPECT_TRUE(destination.GuardsIntact());
        EXPECT_TRUE(floatDestination.GuardsIntact());
        return std::tuple(status, Capture(destination), floatStatus,
                          withFloats ? Capture(floatDestination) : Snapshot{});
      });
    });
  }
}

TEST(FilterBuilds, EqualTapKernelsAndGeneralKernels) {
  struct Case {
    IppiSize size;
    std::vector<int32_t> kernel;
    int divisor;
  };
  std::mt19937 rng(5);
  std::vector<int32_t> random(15);
  for (auto& k : random) k = std::uniform_int_distribution<int>(-40, 60)(rng);
  const std::vector<Case> cases = {
      {{19, 19}, std::vector<int32_t>(361, 1), 361},  // the two-plane mean filters' kernel
      {{9, 9}, std::vector<int32_t>(81, 3), 200},
      {{5, 3}, random, 32},
      {{5, 3}, random, 7},
      {{3, 5}, random, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kernel " << c.size.width << "x" << c.size.height << " / " << c.divisor);
    const IppiPoint anchor{c.size.width / 2, c.size.height / 2};
    ForEachOddShape([&](const Shape& shape) {
      const auto source = SourceAround<uint8_t>(shape, c.size, uint32_t(shape.width * 3 + c.divisor));
      ExpectBuildsMatchGeneric([&](Build build) {
        auto destination = DestinationFor<uint8_t>(shape, build);
        const IppStatus status =
            FilterKernel8u(&source.at(c.size.width - 1 - anchor.x, c.size.height - 1 - anchor.y), source.step(),
                           destination.data(), destination.step(), {shape.width, shape.height}, c.kernel.data(),
                           c.size, anchor, c.divisor);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, Capture(destination));
      });
    });
  }
}

TEST(FilterBuilds, FixedFilters) {
  for (int code : {33, 55}) {
    const int k = code / 11;
    ForEachOddShape([&](const Shape& shape) {
      const auto source = SourceAround<uint8_t>(shape, {k, k}, uint32_t(shape.width + code));
      ExpectBuildsMatchGeneric([&](Build build) {
        auto gauss = DestinationFor<uint8_t>(shape, build);
        auto hipass = DestinationFor<uint8_t>(shape, build);
        const IppiSize region{shape.width, shape.height};
        const uint8_t* centre = &source.at(k / 2, k / 2);
        const IppStatus gaussStatus = FilterGauss8u(centre, source.step(), gauss.data(), gauss.step(), region, code);
        const IppStatus hipassStatus =
            FilterHipass8u(centre, source.step(), hipass.data(), hipass.step(), region, code);
        EXPECT_TRUE(gauss.GuardsIntact());
        EXPECT_TRUE(hipass.GuardsIntact());
        return std::tuple(gaussStatus, Capture(gauss), hipassStatus, Capture(hipass));
      });
    });
  }
}

TEST(FilterBuilds, FloatKernelAndGaussianBorder) {
  const std::vector<float> kernel = {0.25f, -1.5f, 2.0f, 0.125f, 1.0f, -0.5f};
  ForEachOddShape([&](const Shape& shape) {
    const auto source = SourceAround<float>(shape, {3, 2}, uint32_t(shape.width * 5 + shape.padding));
    int bytes = 0;
    ASSERT_EQ(GaussBorderBufferSize({shape.width, shape.height}, 5, &bytes), ippStsNoErr);
    std::vector<uint8_t> buffer(size_t(bytes) + 3);
    ExpectBuildsMatchGeneric([&](Build build) {
      auto convolved = DestinationFor<float>(shape, build);
      auto gauss = DestinationFor<float>(shape, build);
      const IppiSize region{shape.width, shape.height};
      const IppStatus kernelStatus = FilterKernel32f(&source.at(2, 1), source.step(), convolved.data(),
                                                     convolved.step(), region, kernel.data(), {3, 2}, {0, 0});
      const IppStatus gaussStatus = FilterGaussBorder32f(source.data(), source.step(), gauss.data(), gauss.step(),
                                                         region, 5, 1.5f, 1, 0.0f, buffer.data() + 3);
      EXPECT_TRUE(convolved.GuardsIntact());
      EXPECT_TRUE(gauss.GuardsIntact());
      return std::tuple(kernelStatus, Capture(convolved), gaussStatus, Capture(gauss));
    });
  });
}

TEST(FilterBuilds, BorderCopies) {
  ForEachOddShape([&](const Shape& shape) {
    const IppiSize outer{shape.width + 5, shape.height + 4};
    const IppiSize inner{shape.width, shape.height};
    TestImage<uint8_t> source(inner.width, inner.height, shape.padding, 3);
    source.FillRandom(uint32_t(shape.width + shape.height), 0, 255);
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> constant(outer.width, outer.height, shape.padding, 1);
      TestImage<uint8_t> replicated(outer.width, outer.height, shape.padding + 1, 2);
      TestImage<float> floats(outer.width, outer.height, 4 * shape.padding, 4);
      constant.FillBytes(SentinelFor(build));
      replicated.FillBytes(SentinelFor(build));
      floats.FillRandom(7, -1.0f, 1.0f);
      const IppStatus constantStatus = CopyConstBorder8u(source.data(), source.step(), inner, constant.data(),
                                                         constant.step(), outer, 3, 2, 0x42);
      const IppStatus replicatedStatus = CopyReplicateBorder8u(source.data(), source.step(), inner,
                                                               replicated.data(), replicated.step(), outer, 1, 4);
      const IppStatus floatStatus =
          ReplicateBorderInPlace32f(&floats.at(2, 3), floats.step(), inner, outer, 3, 2);
      EXPECT_TRUE(constant.GuardsIntact());
      EXPECT_TRUE(replicated.GuardsIntact());
      EXPECT_TRUE(floats.GuardsIntact());
      return std::tuple(constantStatus, Capture(constant), replicatedStatus, Capture(replicated), floatStatus,
                        Capture(floats));
    });
  });
}

}  // namespace
}  // namespace ryn::test
