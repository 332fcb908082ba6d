// The interleaved mean filters on both paths: window means in the valid area, nothing written
// elsewhere, argument checks, processing modes and the vector path's size rules.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "effects/mean_filter/mean_filter.h"
#include "effects/processing_mode.h"
#include "support/builds.h"
#include "support/fake_cpu.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using InterleavedFilter = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int);

struct FilterExport {
  const char* name;
  InterleavedFilter filter;
  int window;
};

const FilterExport kExports[] = {
    {"3x3", fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, 3},
    {"5x5", fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R, 5},
    {"7x7", fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R, 7},
    {"9x9", fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R, 9},
    {"11x11", fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R, 11},
    {"13x13", fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R, 13},
    {"15x15", fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R, 15},
    {"17x17", fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R, 15},
    {"19x19", fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, 19},
};

constexpr int kPortable = 1;
constexpr int kVector = 2;

// The paths this processor can run.
std::vector<int> PathModes() {
  if (effects::VectorPathAvailable()) return {kPortable, kVector};
  return {kPortable};
}

int VectorMinimumWidth(int window) { return window <= 9 ? 32 : 64; }

// A processor with AVX and SSSE3 reported but no AVX2.
FakeCpu WithoutAvx2() { return FakeCpu("GenuineIntel", (1u << 28) | (1u << 9)); }

// The destination as the filter must leave it, from direct window sums: in the valid area each
// byte is its channel's window sum divided by window² (truncated), everything else stays as it
// was.
std::vector<uint8_t> Expected(const TestImage<uint8_t>& source, const TestImage<uint8_t>& destinationBefore,
                              int window) {
  const int width = source.width();
  const int height = source.height();
  const int half = window / 2;
  const int pairs = width / 2;
  std::vector<uint8_t> expected = destinationBefore.RegionBytes();
  for (int row = half; row < height - half; ++row) {
    for (int pair = half; pair < pairs - half; ++pair) {
      for (int channel = 0; channel < 2; ++channel) {
        uint32_t sum = 0;
        for (int y = row - half; y <= row + half; ++y)
          for (int p = pair - half; p <= pair + half; ++p) sum += source.at(2 * p + channel, y);
        expected[static_cast<size_t>(row) * width + 2 * pair + channel] =
            static_cast<uint8_t>(sum / static_cast<uint32_t>(window * window));
      }
    }
  }
  return expected;
}

// Filters a random source of `width` x `height` into a random destination; both images have odd
// padding and unaligned rows.
void ExpectValidAreaMeansOnly(const FilterExport& e, int mode, int width, int height, uint32_t seed) {
  SCOPED_TRACE(::testing::Message() << e.name << " mode " << mode << " " << width << "x" << height);
  TestImage<uint8_t> source(width, height, 5, 3);
  TestImage<uint8_t> destination(width, height, 7, 1);
  source.FillRandom(seed, 0, 255);
  destination.FillRandom(seed + 1, 0, 255);
  const std::vector<uint8_t> sourceBefore = source.RegionBytes();
  const std::vector<uint8_t> expected = Expected(source, destination, e.window);

  ASSERT_EQ(e.filter(source.data(), source.step(), destination.data(), destination.step(), source.size(), mode),
            ippStsNoErr);
  EXPECT_EQ(destination.RegionBytes(), expected);
  EXPECT_EQ(source.RegionBytes(), sourceBefore);
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_TRUE(source.GuardsIntact());
}

TEST(InterleavedMeanFilter, WritesWindowMeansInTheValidAreaAndNothingElse) {
  uint32_t seed = 1;
  for (const FilterExport& e : kExports) {
    for (int mode : PathModes()) {
      // The narrowest regions each path accepts (for the portable path, below the vector path's
      // minimum) leave partial chunks; odd widths leave a byte that belongs to no pair.
      const int narrowest = mode == kVector ? VectorMinimumWidth(e.window) : 2 * e.window + 1;
      for (int width : {narrowest, narrowest + 1, narrowest + 3, 2 * narrowest + 5, 97, 255, 330}) {
        for (int height : {e.window + 1, e.window + 6, 37}) {
          ExpectValidAreaMeansOnly(e, mode, width, height, seed++);
        }
      }
    }
  }
}

TEST(InterleavedMeanFilter, ChannelsAreAveragedApartAndTruncated) {
  for (int mode : PathModes()) {
    SCOPED_TRACE(mode);
    // First channel: zeros with one 8 (8 / 9 gives 0); second channel: nines (81 / 9 gives 9).
    TestImage<uint8_t> source(32, 5);
    for (int y = 0; y < 5; ++y) {
      for (int pair = 0; pair < 16; ++pair) {
        source.at(2 * pair, y) = 0;
        source.at(2 * pair + 1, y) = 9;
      }
    }
    source.at(2 * 8, 2) = 8;
    TestImage<uint8_t> destination(32, 5);
    destination.FillBytes(0xEE);
    ASSERT_EQ(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(source.data(), source.step(), destination.data(),
                                                         destination.step(), source.size(), mode),
              ippStsNoErr);
    for (int y = 1; y < 4; ++y) {
      for (int pair = 1; pair < 15; ++pair) {
        EXPECT_EQ(destination.at(2 * pair, y), 0) << pair;
        EXPECT_EQ(destination.at(2 * pair + 1, y), 9) << pair;
      }
    }
    // The first and last rows and pairs keep their previous content.
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(destination.at(x, 0), 0xEE);
      EXPECT_EQ(destination.at(x, 4), 0xEE);
    }
    for (int y = 1; y < 4; ++y)
      for (int x : {0, 1, 30, 31}) EXPECT_EQ(destination.at(x, y), 0xEE);
  }
}

// Windows holding one 254 among 255s sum to 255 * window² - 1: the largest sums there are, one
// below an exact multiple.
TEST(InterleavedMeanFilter, LargestSumsJustBelowAMultipleGiveTheLowerMean) {
  for (const FilterExport& e : kExports) {
    for (int mode : PathModes()) {
      SCOPED_TRACE(::testing::Message() << e.name << " mode " << mode);
      const int width = 2 * VectorMinimumWidth(e.window) + 6;
      const int height = 2 * e.window + 1;
      TestImage<uint8_t> source(width, height);
      source.Fill(255);
      source.at(width / 2, height / 2) = 254;
      TestImage<uint8_t> destination(width, height);
      destination.FillBytes(0);
      const std::vector<uint8_t> expected = Expected(source, destination, e.window);
      ASSERT_EQ(e.filter(source.data(), source.step(), destination.data(), destination.step(), source.size(),
                         mode),
                ippStsNoErr);
      EXPECT_EQ(destination.RegionBytes(), expected);
      EXPECT_EQ(destination.at(width / 2, height / 2), 254);
      EXPECT_EQ(destination.at(width / 2 + 2 * e.window, height / 2), 255);
    }
  }
}

TEST(InterleavedMeanFilter, Export17x17GivesExactlyThe15x15Output) {
  for (int mode : PathModes()) {
    TestImage<uint8_t> source(301, 40, 3, 2);
    source.FillRandom(7, 0, 255);
    TestImage<uint8_t> by15(301, 40);
    TestImage<uint8_t> by17(301, 40);
    by15.FillBytes(0x11);
    by17.FillBytes(0x11);
    ASSERT_EQ(fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R(source.data(), source.step(), by15.data(), by15.step(),
                                                           source.size(), mode),
              ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R(source.data(), source.step(), by17.data(), by17.step(),
                                                           source.size(), mode),
              ippStsNoErr);
    EXPECT_EQ(by17.RegionBytes(), by15.RegionBytes()) << "mode " << mode;
  }
}

TEST(InterleavedMeanFilter, PortablePathRefusesToWorkInPlace) {
  TestImage<uint8_t> plane(64, 8);
  plane.FillRandom(3, 0, 255);
  const std::vector<uint8_t> before = plane.RegionBytes();
  EXPECT_EQ(fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R(plane.data(), plane.step(), plane.data(), plane.step(),
                                                       plane.size(), kPortable),
            ippStsBadArgErr);
  EXPECT_EQ(plane.RegionBytes(), before);
}

// In place, every output is still computed from the unfiltered plane: the result equals the one
// written into a separate destination.
TEST(InterleavedMeanFilter, VectorPathInPlaceGivesTheSeparateDestinationResult) {
  if (!effects::VectorPathAvailable()) GTEST_SKIP() << "no AVX2";
  for (const FilterExport& e : kExports) {
    SCOPED_TRACE(e.name);
    TestImage<uint8_t> plane(203, 3 * e.window, 9, 5);
    plane.FillRandom(static_cast<uint32_t>(e.window), 0, 255);
    TestImage<uint8_t> separate(203, 3 * e.window, 9, 5);
    separate.FillBytes(0);
    for (int y = 0; y < plane.height(); ++y) std::memcpy(&separate.at(0, y), &plane.at(0, y), 203);
    ASSERT_EQ(e.filter(plane.data(), plane.step(), separate.data(), separate.step(), plane.size(), kVector),
              ippStsNoErr);
    ASSERT_EQ(e.filter(plane.data(), plane.step(), plane.data(), plane.step(), plane.size(), kVector), ippStsNoErr);
    EXPECT_EQ(plane.RegionBytes(), separate.RegionBytes());
    EXPECT_TRUE(plane.GuardsIntact());
  }
}

// Every build of the dispatched filter against the generic one, on the portable path: into a
// separate destination, and in place as the two-plane filters run it. Regions of every vector tail
// and row padding, with enough rows for several windows; 15 x 15 has the largest sums of 16-bit
// lanes, 19 x 19 sums in 32-bit lanes.
TEST(InterleavedMeanFilter, EveryBuildGivesTheGenericResult) {
  for (const int window : {3, 15, 19}) {
    SCOPED_TRACE(::testing::Message() << "window " << window);
    ForEachOddShape([&](const Shape& shape) {
      const IppiSize region{shape.width, shape.height + window + 2};
      TestImage<uint8_t> source(region.width, region.height, shape.padding, 3);
      source.FillRandom(static_cast<uint32_t>(shape.width + window), 0, 255);
      // The border of the destination is never written: the same prefill for every build.
      ExpectBuildsMatchGeneric([&](Build) {
        TestImage<uint8_t> destination(region.width, region.height, shape.padding + 2, 1 + shape.width % 7);
        destination.FillRandom(77, 0, 255);
        const IppStatus separate =
            effects::FilterPairs8u(source.data(), source.step(), destination.data(), destination.step(), region,
                                   window, effects::kPortableRules);
        TestImage<uint8_t> plane(region.width, region.height, shape.padding, 5);
        for (int y = 0; y < region.height; ++y) std::memcpy(&plane.at(0, y), &source.at(0, y), region.width);
        const IppStatus inPlace = effects::FilterPairs8u(plane.data(), plane.step(), plane.data(), plane.step(),
                                                         region, window, effects::kPortableInPlaceRules);
        EXPECT_TRUE(destination.GuardsIntact());
        EXPECT_TRUE(plane.GuardsIntact());
        EXPECT_TRUE(source.GuardsIntact());
        return std::tuple(separate, Capture(destination), inPlace, Capture(plane));
      });
    });
  }
}

TEST(InterleavedMeanFilter, ChecksComeInOrderAndWriteNothing) {
  for (int mode : PathModes()) {
    SCOPED_TRACE(mode);
    TestImage<uint8_t> source(64, 12);
    source.FillRandom(5, 0, 255);
    TestImage<uint8_t> destination(64, 12);
    destination.FillBytes(0x3C);
    const std::vector<uint8_t> before = destination.RegionBytes();
    const auto run = [&](const uint8_t* s, int sStep, uint8_t* d, int dStep, IppiSize region) {
      return fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(s, sStep, d, dStep, region, mode);
    };
    const int step = destination.step();
    EXPECT_EQ(run(nullptr, step, destination.data(), step, IppiSize{0, 0}), ippStsNullPtrErr);
    EXPECT_EQ(run(source.data(), step, nullptr, step, IppiSize{64, 12}), ippStsNullPtrErr);
    EXPECT_EQ(run(source.data(), 1, destination.data(), 1, IppiSize{0, 12}), ippStsSizeErr);
    EXPECT_EQ(run(source.data(), 1, destination.data(), 1, IppiSize{64, -1}), ippStsSizeErr);
    EXPECT_EQ(run(source.data(), 63, destination.data(), step, IppiSize{64, 12}), ippStsStepErr);
    EXPECT_EQ(run(source.data(), step, destination.data(), 63, IppiSize{64, 12}), ippStsStepErr);
    EXPECT_EQ(destination.RegionBytes(), before);
  }
}

TEST(InterleavedMeanFilter, PortablePathRefusesWindowsNotSmallerThanTheRegion) {
  TestImage<uint8_t> source(64, 12);
  TestImage<uint8_t> destination(64, 12);
  destination.FillBytes(0x3C);
  const std::vector<uint8_t> before = destination.RegionBytes();
  const auto run = [&](InterleavedFilter filter, IppiSize region) {
    return filter(source.data(), source.step(), destination.data(), destination.step(), region, kPortable);
  };
  // The window is compared with the width in bytes and with the height.
  EXPECT_EQ(run(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, IppiSize{3, 12}), ippStsMaskSizeErr);
  EXPECT_EQ(run(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, IppiSize{64, 3}), ippStsMaskSizeErr);
  EXPECT_EQ(run(fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R, IppiSize{15, 12}), ippStsMaskSizeErr);
  EXPECT_EQ(run(fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, IppiSize{64, 12}), ippStsMaskSizeErr);
  // Four bytes hold two pairs: no pair has its whole window in the region.
  EXPECT_EQ(run(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, IppiSize{4, 12}), ippStsNoErr);
  EXPECT_EQ(destination.RegionBytes(), before);
}

TEST(InterleavedMeanFilter, VectorPathSizeRules) {
  if (!effects::VectorPathAvailable()) GTEST_SKIP() << "no AVX2";
  TestImage<uint8_t> source(64, 12);
  source.FillRandom(9, 0, 255);
  TestImage<uint8_t> destination(64, 12);
  destination.FillBytes(0x3C);
  const std::vector<uint8_t> before = destination.RegionBytes();
  const auto run = [&](InterleavedFilter filter, IppiSize region, int mode) {
    return filter(source.data(), source.step(), destination.data(), destination.step(), region, mode);
  };
  for (int mode : {kVector, 0}) {
    EXPECT_EQ(run(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, IppiSize{31, 12}, mode), ippStsSizeErr);
    EXPECT_EQ(run(fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R, IppiSize{31, 12}, mode), ippStsSizeErr);
    EXPECT_EQ(run(fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R, IppiSize{63, 12}, mode), ippStsSizeErr);
    EXPECT_EQ(run(fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R, IppiSize{63, 12}, mode), ippStsSizeErr);
    // The vector path compares the window with neither the width nor the height: there is no
    // valid area, so nothing is written.
    EXPECT_EQ(run(fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, IppiSize{64, 12}, mode), ippStsNoErr);
    EXPECT_EQ(run(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, IppiSize{32, 2}, mode), ippStsNoErr);
  }
  EXPECT_EQ(destination.RegionBytes(), before);
  // The size rule is the vector path's own: the portable path filters the 31-byte region.
  EXPECT_EQ(run(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, IppiSize{31, 12}, kPortable), ippStsNoErr);
  EXPECT_NE(destination.RegionBytes(), before);
}

TEST(InterleavedMeanFilter, ProcessingModes) {
  TestImage<uint8_t> plane(64, 8);
  plane.FillRandom(11, 0, 255);
  const std::vector<uint8_t> before = plane.RegionBytes();
  const auto inPlace = [&](int mode) {
    return fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(plane.data(), plane.step(), plane.data(), plane.step(),
                                                      plane.size(), mode);
  };
  // Unknown modes do nothing, whatever the other arguments.
  EXPECT_EQ(inPlace(3), ippStsNoOperation);
  EXPECT_EQ(inPlace(-1), ippStsNoOperation);
  EXPECT_EQ(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(nullptr, 0, nullptr, 0, IppiSize{0, 0}, 7),
            ippStsNoOperation);
  EXPECT_EQ(plane.RegionBytes(), before);
  {
    // Without AVX2 the vector path is refused and mode 0 takes the portable path, which refuses
    // to work in place.
    const FakeCpu cpu = WithoutAvx2();
    ScopedFakeCpu scoped(cpu);
    EXPECT_EQ(inPlace(kVector), ippStsCpuNotSupportedErr);
    EXPECT_EQ(inPlace(0), ippStsBadArgErr);
    EXPECT_EQ(plane.RegionBytes(), before);
  }
  if (effects::VectorPathAvailable()) {
    EXPECT_EQ(inPlace(0), ippStsNoErr);
    EXPECT_NE(plane.RegionBytes(), before);
  }
}

}  // namespace
}  // namespace ryn::test
