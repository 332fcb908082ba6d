// The two-plane mean filters: the luma plane through the kernel filter of ones, computed from the
// unfiltered plane; the chroma plane through the interleaved filter of the same name, in place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "effects/processing_mode.h"
#include "support/fake_cpu.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

using TwoPlaneFilter = IppStatus (*)(uint8_t*, int, uint8_t*, int, IppiSize, int);
using InterleavedFilter = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int);

struct FilterExport {
  const char* name;
  TwoPlaneFilter filter;
  InterleavedFilter chromaFilter;  // the interleaved export of the same name
  int window;                      // the luma window
};

const FilterExport kExports[] = {
    {"3x3", fnVCAIPP_MeanFilter_3x3_8u_P2P3IR, fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, 3},
    {"5x5", fnVCAIPP_MeanFilter_5x5_8u_P2P3IR, fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R, 5},
    {"7x7", fnVCAIPP_MeanFilter_7x7_8u_P2P3IR, fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R, 7},
    {"9x9", fnVCAIPP_MeanFilter_9x9_8u_P2P3IR, fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R, 9},
    {"11x11", fnVCAIPP_MeanFilter_11x11_8u_P2P3IR, fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R, 11},
    {"13x13", fnVCAIPP_MeanFilter_13x13_8u_P2P3IR, fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R, 13},
    {"15x15", fnVCAIPP_MeanFilter_15x15_8u_P2P3IR, fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R, 15},
    {"17x17", fnVCAIPP_MeanFilter_17x17_8u_P2P3IR, fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R, 17},
    {"19x19", fnVCAIPP_MeanFilter_19x19_8u_P2P3IR, fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, 19},
};

constexpr int kPortable = 1;
constexpr int kVector = 2;

// A luma plane and a chroma plane of half the rows (rounded down), padded and unaligned
// differently, with random pixels.
struct Frame {
  Frame(int width, int height, uint32_t seed) : luma(width, height, 5, 3), chroma(width, height / 2, 7, 1) {
    luma.FillRandom(seed, 0, 255);
    chroma.FillRandom(seed + 1, 0, 255);
  }

  IppStatus Run(TwoPlaneFilter filter, int mode) {
    return filter(luma.data(), luma.step(), chroma.data(), chroma.step(), luma.size(), mode);
  }

  TestImage<uint8_t> luma;
  TestImage<uint8_t> chroma;
};

// The luma as the filter must leave it, computed from the unfiltered plane: columns and rows
// half to size - half - 2 hold the N x N window sum times 1/N² in single precision, rounded to
// nearest with ties to even; the rest of the plane is unchanged.
std::vector<uint8_t> ExpectedLuma(const TestImage<uint8_t>& luma, int window) {
  const int half = window / 2;
  const float reciprocal = 1.0f / static_cast<float>(window * window);
  std::vector<uint8_t> expected = luma.RegionBytes();
  for (int y = half; y <= luma.height() - half - 2; ++y) {
    for (int x = half; x <= luma.width() - half - 2; ++x) {
      int sum = 0;
      for (int j = -half; j <= half; ++j)
        for (int i = -half; i <= half; ++i) sum += luma.at(x + i, y + j);
      expected[static_cast<size_t>(y) * luma.width() + x] =
          static_cast<uint8_t>(std::nearbyint(static_cast<float>(sum) * reciprocal));
    }
  }
  return expected;
}

// The chroma as the interleaved export of the same name writes it into a separate destination.
std::vector<uint8_t> SeparatelyFilteredChroma(const FilterExport& e, const TestImage<uint8_t>& chroma) {
  TestImage<uint8_t> destination(chroma.width(), chroma.height());
  for (int y = 0; y < chroma.height(); ++y) std::memcpy(&destination.at(0, y), &chroma.at(0, y), chroma.width());
  EXPECT_EQ(e.chromaFilter(chroma.data(), chroma.step(), destination.data(), destination.step(), chroma.size(),
                           kVector),
            ippStsNoErr);
  return destination.RegionBytes();
}

// Odd heights give the chroma plane (height - 1) / 2 rows; its guard bytes catch any write below.
const IppiSize kFrameSizes[] = {{64, 41}, {131, 60}, {333, 47}};

TEST(TwoPlaneMeanFilter, PortablePathFiltersTheLumaThenRefusesTheChromaInPlace) {
  uint32_t seed = 1;
  for (const FilterExport& e : kExports) {
    for (IppiSize size : kFrameSizes) {
      SCOPED_TRACE(::testing::Message() << e.name << " " << size.width << "x" << size.height);
      Frame frame(size.width, size.height, seed += 2);
      const std::vector<uint8_t> expectedLuma = ExpectedLuma(frame.luma, e.window);
      const std::vector<uint8_t> chromaBefore = frame.chroma.RegionBytes();
      EXPECT_EQ(frame.Run(e.filter, kPortable), ippStsBadArgErr);
      EXPECT_EQ(frame.luma.RegionBytes(), expectedLuma);
      EXPECT_EQ(frame.chroma.RegionBytes(), chromaBefore);
      EXPECT_TRUE(frame.luma.GuardsIntact());
      EXPECT_TRUE(frame.chroma.GuardsIntact());
    }
  }
}

TEST(TwoPlaneMeanFilter, VectorPathFiltersBothPlanesInPlace) {
  if (!effects::VectorPathAvailable()) GTEST_SKIP() << "no AVX2";
  uint32_t seed = 100;
  for (const FilterExport& e : kExports) {
    for (IppiSize size : kFrameSizes) {
      for (int mode : {kVector, 0}) {
        SCOPED_TRACE(::testing::Message() << e.name << " " << size.width << "x" << size.height << " mode " << mode);
        Frame frame(size.width, size.height, seed += 2);
        const std::vector<uint8_t> expectedLuma = ExpectedLuma(frame.luma, e.window);
        const std::vector<uint8_t> expectedChroma = SeparatelyFilteredChroma(e, frame.chroma);
        EXPECT_EQ(frame.Run(e.filter, mode), ippStsNoErr);
        EXPECT_EQ(frame.luma.RegionBytes(), expectedLuma);
        EXPECT_EQ(frame.chroma.RegionBytes(), expectedChroma);
        EXPECT_TRUE(frame.luma.GuardsIntact());
        EXPECT_TRUE(frame.chroma.GuardsIntact());
      }
    }
  }
}

TEST(TwoPlaneMeanFilter, LumaChecksComeFirstAndWriteNothing) {
  Frame frame(64, 40, 7);
  const std::vector<uint8_t> lumaBefore = frame.luma.RegionBytes();
  const std::vector<uint8_t> chromaBefore = frame.chroma.RegionBytes();
  uint8_t* luma = frame.luma.data();
  uint8_t* chroma = frame.chroma.data();
  const int step = frame.luma.step();
  EXPECT_EQ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(nullptr, step, nullptr, step, IppiSize{0, 0}, 9), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma, 0, chroma, step, IppiSize{0, 40}, kPortable), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma, 0, chroma, step, IppiSize{64, -2}, kPortable), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma, 63, chroma, step, IppiSize{64, 40}, kPortable), ippStsStepErr);
  // The window must be smaller than the frame in both directions.
  EXPECT_EQ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma, step, chroma, step, IppiSize{9, 40}, kPortable),
            ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(luma, step, chroma, step, IppiSize{64, 9}, kPortable),
            ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_MeanFilter_17x17_8u_P2P3IR(luma, step, chroma, step, IppiSize{64, 17}, kPortable),
            ippStsMaskSizeErr);
  EXPECT_EQ(frame.luma.RegionBytes(), lumaBefore);
  EXPECT_EQ(frame.chroma.RegionBytes(), chromaBefore);
}

// The chroma stage's checks and mode come after the luma plane has been filtered.
TEST(TwoPlaneMeanFilter, ChromaFailuresLeaveTheLumaFiltered) {
  const FilterExport& e = kExports[1];
  const auto expectFailure = [&](IppStatus expected, auto&& call) {
    Frame frame(96, 30, 21);
    const std::vector<uint8_t> expectedLuma = ExpectedLuma(frame.luma, e.window);
    const std::vector<uint8_t> chromaBefore = frame.chroma.RegionBytes();
    EXPECT_EQ(call(frame), expected);
    EXPECT_EQ(frame.luma.RegionBytes(), expectedLuma);
    EXPECT_EQ(frame.chroma.RegionBytes(), chromaBefore);
  };
  const IppiSize size{96, 30};
  expectFailure(ippStsNullPtrErr, [&](Frame& f) {
    return e.filter(f.luma.data(), f.luma.step(), nullptr, f.chroma.step(), size, 0);
  });
  expectFailure(ippStsStepErr, [&](Frame& f) { return e.filter(f.luma.data(), f.luma.step(), f.chroma.data(), 95, size, 0); });
  expectFailure(ippStsNoOperation, [&](Frame& f) { return f.Run(e.filter, 3); });
  const FakeCpu withoutAvx2("GenuineIntel", (1u << 28) | (1u << 9));
  ScopedFakeCpu scoped(withoutAvx2);
  expectFailure(ippStsCpuNotSupportedErr, [&](Frame& f) { return f.Run(e.filter, kVector); });
  expectFailure(ippStsBadArgErr, [&](Frame& f) { return f.Run(e.filter, 0); });
}

TEST(TwoPlaneMeanFilter, EveryVariantGivesTheGenericResult) {
  const int mode = effects::VectorPathAvailable() ? kVector : kPortable;
  for (const FilterExport& e : {kExports[0], kExports[3], kExports[8]}) {
    SCOPED_TRACE(e.name);
    ExpectBuildsMatchGeneric([&](Build) {
      Frame frame(197, 45, 33);
      const IppStatus status = frame.Run(e.filter, mode);
      EXPECT_TRUE(frame.luma.GuardsIntact());
      EXPECT_TRUE(frame.chroma.GuardsIntact());
      return std::tuple(status, frame.luma.RegionBytes(), frame.chroma.RegionBytes());
    });
  }
}

}  // namespace
}  // namespace ryn::test
