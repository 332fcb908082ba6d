// Two-plane frames: the luma stage, then the chroma stage, with the order of their failures.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "effects/processing_mode.h"
#include "pixelation_test_support.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

TEST(PixelizedTwoPlane, LumaInSquareBlocksThenChromaInPairBlocks) {
  std::vector<int> modes = {0, 1};
  if (effects::VectorPathAvailable()) modes.push_back(2);
  for (const auto& e : kFixedSizeExports) {
    const int n = e.blockSize;
    if (n > 256) continue;
    for (const int mode : modes) {
      SCOPED_TRACE(::testing::Message() << "N " << n << ", mode " << mode);
      // An odd height: the chroma plane has (height - 1) / 2 rows, and its guard bytes show that
      // no further row is touched.
      TwoPlaneFrame frame(std::max(4 * n + 2, 130), 2 * n + 3, static_cast<uint32_t>(n));
      ExpectedPlanes expected;
      expected.luma = ComposedPixelation(frame.luma, IppiSize{n, n});
      expected.chroma = ExpectedInterleavedPixelation(frame.chroma, n);
      ASSERT_EQ(frame.Run(e.twoPlane, mode), ippStsNoErr);
      EXPECT_TRUE(FrameHolds(frame, expected));
    }
  }
}

TEST(PixelizedTwoPlane, EveryBuildGivesTheSameFrame) {
  for (const auto& e : kFixedSizeExports) {
    if (e.blockSize > 64) continue;
    ExpectBuildsMatchGeneric([&](Build) {
      TwoPlaneFrame frame(333, 4 * e.blockSize + 1, 77);
      const IppStatus status = frame.Run(e.twoPlane, 1);
      EXPECT_TRUE(frame.luma.GuardsIntact());
      EXPECT_TRUE(frame.chroma.GuardsIntact());
      return std::tuple(status, Capture(frame.luma), Capture(frame.chroma));
    });
  }
}

TEST(PixelizedTwoPlane, ChromaFailuresComeAfterTheLumaWasPixelated) {
  const auto pixelize = fnVCAIPP_Pixelized_8x8_8u_P2P3IR;
  const auto expectLumaOnly = [&](IppStatus expected, auto&& call) {
    TwoPlaneFrame frame(64, 20, 5);
    const ExpectedPlanes lumaOnly{ComposedPixelation(frame.luma, IppiSize{8, 8}), frame.chroma.RegionBytes()};
    EXPECT_EQ(call(frame), expected);
    EXPECT_TRUE(FrameHolds(frame, lumaOnly));
  };
  expectLumaOnly(ippStsNullPtrErr, [&](TwoPlaneFrame& f) {
    return pixelize(f.luma.data(), f.luma.step(), nullptr, 64, f.size(), 0);
  });
  expectLumaOnly(ippStsStepErr, [&](TwoPlaneFrame& f) {
    return pixelize(f.luma.data(), f.luma.step(), f.chroma.data(), 63, f.size(), 0);
  });
  expectLumaOnly(ippStsNoOperation, [&](TwoPlaneFrame& f) { return f.Run(pixelize, 3); });
}

TEST(PixelizedTwoPlane, LumaFailuresWriteNothing) {
  const auto pixelize = fnVCAIPP_Pixelized_16x16_8u_P2P3IR;
  TwoPlaneFrame frame(64, 40, 8);
  const ExpectedPlanes before = PlanesOf(frame);
  uint8_t* y = frame.luma.data();
  uint8_t* c = frame.chroma.data();
  const int ys = frame.luma.step();
  const int cs = frame.chroma.step();
  EXPECT_EQ(pixelize(nullptr, ys, c, cs, frame.size(), 0), ippStsNullPtrErr);
  EXPECT_EQ(pixelize(y, ys, c, cs, IppiSize{0, 40}, 0), ippStsSizeErr);
  EXPECT_EQ(pixelize(y, 63, c, cs, frame.size(), 0), ippStsStepErr);
  // The luma block must be smaller than the frame in both directions.
  EXPECT_EQ(pixelize(y, ys, c, cs, IppiSize{16, 40}, 0), ippStsMaskSizeErr);
  EXPECT_EQ(pixelize(y, ys, c, cs, IppiSize{64, 16}, 0), ippStsMaskSizeErr);
  // Luma checks come before the mode.
  EXPECT_EQ(pixelize(nullptr, ys, c, cs, frame.size(), 3), ippStsNullPtrErr);
  EXPECT_TRUE(FrameHolds(frame, before));
}

}  // namespace
}  // namespace ryn::test
