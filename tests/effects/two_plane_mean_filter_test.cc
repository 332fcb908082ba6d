// The two-plane mean filters: the luma plane through the kernel filter of ones, computed from the
// unfiltered plane; the chroma plane through the interleaved filter of the same name, in place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "effects/processing_mode.h"
#include "support/builds.h"
#include "support/fake_cpu.h"
#include "support/test_image.h"
#include "two_plane_frame.h"

namespace ryn::test {
namespace {

using InterleavedFilter = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int);

struct FilterExport {
  const char* name;
  TwoPlaneExport filter;
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

// The chroma as the interleaved export of the same name writes it into a separate destination
// (on the portable path, which every processor has; both paths give the same bytes).
std::vector<uint8_t> SeparatelyFilteredChroma(const FilterExport& e, const TestImage<uint8_t>& chroma) {
  TestImage<uint8_t> destination(chroma.width(), chroma.height());
  for (int y = 0; y < chroma.height(); ++y) std::memcpy(&destination.at(0, y), &chroma.at(0, y), chroma.width());
  EXPECT_EQ(e.chromaFilter(chroma.data(), chroma.step(), destination.data(), destination.step(), chroma.size(),
                           kPortable),
            ippStsNoErr);
  return destination.RegionBytes();
}

// Both planes blurred, each output from the unfiltered planes.
ExpectedPlanes BlurredPlanes(const FilterExport& e, const TwoPlaneFrame& frame) {
  return ExpectedPlanes{ExpectedLuma(frame.luma, e.window), SeparatelyFilteredChroma(e, frame.chroma)};
}

// The modes this processor runs: automatic, portable, and vector where it has the vector path.
std::vector<int> Modes() {
  if (effects::VectorPathAvailable()) return {0, kPortable, kVector};
  return {0, kPortable};
}

// Odd heights give the chroma plane (height - 1) / 2 rows; its guard bytes catch any write below.
const IppiSize kFrameSizes[] = {{64, 41}, {131, 60}, {333, 47}};

// Every mode blurs both planes and succeeds: the chroma stage filters in place on the portable
// path too, with the result the interleaved export writes into another buffer.
TEST(TwoPlaneMeanFilter, BlursBothPlanesInEveryMode) {
  uint32_t seed = 1;
  for (const FilterExport& e : kExports) {
    for (IppiSize size : kFrameSizes) {
      for (int mode : Modes()) {
        SCOPED_TRACE(::testing::Message() << e.name << " " << size.width << "x" << size.height << " mode " << mode);
        TwoPlaneFrame frame(size.width, size.height, seed += 2);
        const ExpectedPlanes expected = BlurredPlanes(e, frame);
        EXPECT_EQ(frame.Run(e.filter, mode), ippStsNoErr);
        EXPECT_TRUE(FrameHolds(frame, expected));
      }
    }
  }
}

// A processor without AVX2 takes the portable path in automatic mode, and blurs both planes.
TEST(TwoPlaneMeanFilter, AutomaticModeWithoutAvx2BlursBothPlanes) {
  const FakeCpu withoutAvx2("GenuineIntel", (1u << 28) | (1u << 9));
  ScopedFakeCpu scoped(withoutAvx2);
  for (const FilterExport& e : {kExports[0], kExports[7]}) {
    SCOPED_TRACE(e.name);
    TwoPlaneFrame frame(131, 60, 5);
    const ExpectedPlanes expected = BlurredPlanes(e, frame);
    EXPECT_EQ(frame.Run(e.filter, 0), ippStsNoErr);
    EXPECT_TRUE(FrameHolds(frame, expected));
  }
}

TEST(TwoPlaneMeanFilter, LumaChecksComeFirstAndWriteNothing) {
  TwoPlaneFrame frame(64, 40, 7);
  const ExpectedPlanes before = PlanesOf(frame);
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
  EXPECT_TRUE(FrameHolds(frame, before));
}

// The chroma stage's checks and mode come after the luma plane has been filtered.
TEST(TwoPlaneMeanFilter, ChromaFailuresLeaveTheLumaFiltered) {
  const FilterExport& e = kExports[1];
  const auto expectFailure = [&](IppStatus expected, auto&& call, IppiSize size = IppiSize{96, 30}) {
    TwoPlaneFrame frame(size.width, size.height, 21);
    const ExpectedPlanes lumaOnly{ExpectedLuma(frame.luma, e.window), frame.chroma.RegionBytes()};
    EXPECT_EQ(call(frame), expected);
    EXPECT_TRUE(FrameHolds(frame, lumaOnly));
  };
  const IppiSize size{96, 30};
  for (int mode : Modes()) {
    SCOPED_TRACE(mode);
    expectFailure(ippStsNullPtrErr, [&](TwoPlaneFrame& f) {
      return e.filter(f.luma.data(), f.luma.step(), nullptr, f.chroma.step(), size, mode);
    });
    expectFailure(ippStsStepErr, [&](TwoPlaneFrame& f) {
      return e.filter(f.luma.data(), f.luma.step(), f.chroma.data(), 95, size, mode);
    });
  }
  // The portable path compares the window with the chroma region: 5 rows are too few for 5 x 5.
  expectFailure(ippStsMaskSizeErr, [&](TwoPlaneFrame& f) { return f.Run(e.filter, kPortable); }, IppiSize{96, 11});
  expectFailure(ippStsNoOperation, [&](TwoPlaneFrame& f) { return f.Run(e.filter, 3); });
  const FakeCpu withoutAvx2("GenuineIntel", (1u << 28) | (1u << 9));
  ScopedFakeCpu scoped(withoutAvx2);
  expectFailure(ippStsCpuNotSupportedErr, [&](TwoPlaneFrame& f) { return f.Run(e.filter, kVector); });
}

// The portable path runs the dispatched builds in both stages.
TEST(TwoPlaneMeanFilter, EveryBuildGivesTheGenericResult) {
  for (const FilterExport& e : {kExports[0], kExports[3], kExports[8]}) {
    SCOPED_TRACE(e.name);
    ExpectBuildsMatchGeneric([&](Build) {
      TwoPlaneFrame frame(197, 45, 33);
      const IppStatus status = frame.Run(e.filter, kPortable);
      EXPECT_TRUE(frame.luma.GuardsIntact());
      EXPECT_TRUE(frame.chroma.GuardsIntact());
      return std::tuple(status, Capture(frame.luma), Capture(frame.chroma));
    });
  }
}

}  // namespace
}  // namespace ryn::test
