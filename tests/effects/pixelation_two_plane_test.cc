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

// A luma plane and its interleaved chroma plane of height / 2 rows, each with its own padding.
struct Frame {
  Frame(int width, int height, uint32_t seed)
      : luma(width, height, 5, 1), chroma(width, height / 2, 9, 3), size{width, height} {
    luma.FillRandom(seed, 0, 255);
    chroma.FillRandom(seed + 1, 0, 255);
  }
  IppStatus Pixelize(TwoPlaneExport pixelize, int mode) {
    return pixelize(luma.data(), luma.step(), chroma.data(), chroma.step(), size, mode);
  }
  TestImage<uint8_t> luma;
  TestImage<uint8_t> chroma;
  IppiSize size;
};

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
      Frame frame(std::max(4 * n + 2, 130), 2 * n + 3, static_cast<uint32_t>(n));
      const auto expectedLuma = ComposedPixelation(frame.luma, IppiSize{n, n});
      const auto expectedChroma = ExpectedInterleavedPixelation(frame.chroma, n);
      ASSERT_EQ(frame.Pixelize(e.twoPlane, mode), ippStsNoErr);
      EXPECT_EQ(frame.luma.RegionBytes(), expectedLuma);
      EXPECT_EQ(frame.chroma.RegionBytes(), expectedChroma);
      EXPECT_TRUE(frame.luma.GuardsIntact());
      EXPECT_TRUE(frame.chroma.GuardsIntact());
    }
  }
}

TEST(PixelizedTwoPlane, EveryVariantGivesTheSameFrame) {
  for (const auto& e : kFixedSizeExports) {
    if (e.blockSize > 64) continue;
    ExpectBuildsMatchGeneric([&](Build) {
      Frame frame(333, 4 * e.blockSize + 1, 77);
      const IppStatus status = frame.Pixelize(e.twoPlane, 1);
      EXPECT_TRUE(frame.luma.GuardsIntact());
      EXPECT_TRUE(frame.chroma.GuardsIntact());
      return std::tuple(status, frame.luma.RegionBytes(), frame.chroma.RegionBytes());
    });
  }
}

TEST(PixelizedTwoPlane, ChromaFailuresComeAfterTheLumaWasPixelated) {
  const auto pixelize = fnVCAIPP_Pixelized_8x8_8u_P2P3IR;
  Frame reference(64, 20, 5);
  const auto expectedLuma = ComposedPixelation(reference.luma, IppiSize{8, 8});

  Frame nullChroma(64, 20, 5);
  EXPECT_EQ(pixelize(nullChroma.luma.data(), nullChroma.luma.step(), nullptr, 64, nullChroma.size, 0),
            ippStsNullPtrErr);
  EXPECT_EQ(nullChroma.luma.RegionBytes(), expectedLuma);

  Frame shortChromaStep(64, 20, 5);
  const auto chromaBefore = shortChromaStep.chroma.Region();
  EXPECT_EQ(pixelize(shortChromaStep.luma.data(), shortChromaStep.luma.step(), shortChromaStep.chroma.data(),
                     63, shortChromaStep.size, 0),
            ippStsStepErr);
  EXPECT_EQ(shortChromaStep.luma.RegionBytes(), expectedLuma);
  EXPECT_EQ(shortChromaStep.chroma.Region(), chromaBefore);

  Frame unknownMode(64, 20, 5);
  EXPECT_EQ(unknownMode.Pixelize(pixelize, 3), ippStsNoOperation);
  EXPECT_EQ(unknownMode.luma.RegionBytes(), expectedLuma);
  EXPECT_EQ(unknownMode.chroma.Region(), chromaBefore);
}

TEST(PixelizedTwoPlane, LumaFailuresWriteNothing) {
  const auto pixelize = fnVCAIPP_Pixelized_16x16_8u_P2P3IR;
  const auto expectUntouched = [](const Frame& frame, const std::vector<uint8_t>& luma,
                                  const std::vector<uint8_t>& chroma) {
    EXPECT_EQ(frame.luma.Region(), luma);
    EXPECT_EQ(frame.chroma.Region(), chroma);
  };
  Frame frame(64, 40, 8);
  const auto luma = frame.luma.Region();
  const auto chroma = frame.chroma.Region();
  uint8_t* y = frame.luma.data();
  uint8_t* c = frame.chroma.data();
  const int ys = frame.luma.step();
  const int cs = frame.chroma.step();
  EXPECT_EQ(pixelize(nullptr, ys, c, cs, frame.size, 0), ippStsNullPtrErr);
  EXPECT_EQ(pixelize(y, ys, c, cs, IppiSize{0, 40}, 0), ippStsSizeErr);
  EXPECT_EQ(pixelize(y, 63, c, cs, frame.size, 0), ippStsStepErr);
  // The luma block must be smaller than the frame in both directions.
  EXPECT_EQ(pixelize(y, ys, c, cs, IppiSize{16, 40}, 0), ippStsMaskSizeErr);
  EXPECT_EQ(pixelize(y, ys, c, cs, IppiSize{64, 16}, 0), ippStsMaskSizeErr);
  // Luma checks come before the mode.
  EXPECT_EQ(pixelize(nullptr, ys, c, cs, frame.size, 3), ippStsNullPtrErr);
  expectUntouched(frame, luma, chroma);
  EXPECT_TRUE(frame.luma.GuardsIntact());
  EXPECT_TRUE(frame.chroma.GuardsIntact());
}

}  // namespace
}  // namespace ryn::test
