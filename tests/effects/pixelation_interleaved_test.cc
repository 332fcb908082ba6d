// Interleaved pixelation: processing modes, the vector path's size rules, and the portable path
// (every variant) and the vector path against the expected block means, on whole blocks and on
// regions whose edges cut blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "effects/processing_mode.h"
#include "pixelation_test_support.h"
#include "support/fake_cpu.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

constexpr int kAutomatic = 0;
constexpr int kPortable = 1;
constexpr int kVector = 2;

IppStatus PixelizeInterleaved(InterleavedExport pixelize, const TestImage<uint8_t>& source,
                              TestImage<uint8_t>& destination, int mode) {
  return pixelize(source.data(), source.step(), destination.data(), destination.step(), source.size(), mode);
}

void FillPairs(TestImage<uint8_t>& image, uint8_t first, uint8_t second) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.at(x, y) = x % 2 ? second : first;
}

#define SKIP_WITHOUT_VECTOR_PATH()                                                    \
  if (!effects::VectorPathAvailable()) GTEST_SKIP() << "this processor has no AVX2 path"

TEST(PixelizedInterleaved, ConstantPairsStayAndEachChannelIsAveragedOnItsOwn) {
  for (const int mode : {kAutomatic, kPortable, kVector}) {
    if (mode == kVector && !effects::VectorPathAvailable()) continue;
    SCOPED_TRACE(mode);
    TestImage<uint8_t> image(32, 4);
    FillPairs(image, 10, 200);
    ASSERT_EQ(PixelizeInterleaved(fnVCA_Pixelized_4x4_Interleaved_8u_C1R, image, image, mode), ippStsNoErr);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 32; ++x) ASSERT_EQ(image.at(x, y), x % 2 ? 200 : 10);

    // Pairs alternating (0, 0) and (3, 3): mean 1.5 in each channel, truncated to 1.
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 32; ++x) image.at(x, y) = (x / 2) % 2 ? 3 : 0;
    ASSERT_EQ(PixelizeInterleaved(fnVCA_Pixelized_4x4_Interleaved_8u_C1R, image, image, mode), ippStsNoErr);
    for (const uint8_t byte : image.Region()) ASSERT_EQ(byte, 1);
    EXPECT_TRUE(image.GuardsIntact());
  }
}

TEST(PixelizedInterleaved, UnknownModeDoesNothing) {
  for (const int mode : {3, -1, 1000}) {
    for (const auto& e : kFixedSizeExports) {
      TestImage<uint8_t> image(64, 8);
      image.FillRandom(1, 0, 255);
      const auto before = image.Region();
      EXPECT_EQ(PixelizeInterleaved(e.interleaved, image, image, mode), ippStsNoOperation);
      EXPECT_EQ(image.Region(), before);
      // The mode is resolved before any argument is looked at.
      EXPECT_EQ(e.interleaved(nullptr, 0, nullptr, 0, IppiSize{0, 0}, mode), ippStsNoOperation);
    }
  }
}

TEST(PixelizedInterleaved, VectorModeWithoutAvx2IsRefused) {
  const uint32_t avxAndSsse3 = (1u << 28) | (1u << 9);
  FakeCpu noAvx2("GenuineIntel", avxAndSsse3);
  noAvx2.Set(7, 0, CpuidRegisters{0, ~(1u << 5), 0, 0});
  ScopedFakeCpu scoped(noAvx2);
  TestImage<uint8_t> image(16, 4);  // below the vector path's 32 bytes
  image.FillRandom(2, 0, 255);
  const auto before = image.Region();
  const auto expected = ExpectedInterleavedPixelation(image, 4);
  EXPECT_EQ(PixelizeInterleaved(fnVCA_Pixelized_4x4_Interleaved_8u_C1R, image, image, kVector),
            ippStsCpuNotSupportedErr);
  EXPECT_EQ(fnVCA_Pixelized_4x4_Interleaved_8u_C1R(nullptr, 0, nullptr, 0, IppiSize{0, 0}, kVector),
            ippStsCpuNotSupportedErr);
  EXPECT_EQ(image.Region(), before);
  // Automatic mode takes the portable path, which has no minimum width.
  EXPECT_EQ(PixelizeInterleaved(fnVCA_Pixelized_4x4_Interleaved_8u_C1R, image, image, kAutomatic), ippStsNoErr);
  EXPECT_EQ(image.Region(), expected);
}

TEST(PixelizedInterleaved, Avx2NeedsAvxOrSsse3InLeafOne) {
  FakeCpu avx2Only("GenuineIntel", /*ecx1=*/0);
  avx2Only.Set(7, 0, CpuidRegisters{0, 1u << 5, 0, 0});
  ScopedFakeCpu scoped(avx2Only);
  TestImage<uint8_t> image(32, 4);
  EXPECT_EQ(PixelizeInterleaved(fnVCA_Pixelized_4x4_Interleaved_8u_C1R, image, image, kVector),
            ippStsCpuNotSupportedErr);
}

TEST(PixelizedInterleaved, VectorPathRefusesNarrowRegionsThePortablePathTakes) {
  SKIP_WITHOUT_VECTOR_PATH();
  for (const auto& e : kFixedSizeExports) {
    SCOPED_TRACE(e.blockSize);
    TestImage<uint8_t> narrow(e.vectorMinimumWidth - 2, 5);
    narrow.FillRandom(3, 0, 255);
    const auto before = narrow.Region();
    const auto narrowExpected = ExpectedInterleavedPixelation(narrow, e.blockSize);
    EXPECT_EQ(PixelizeInterleaved(e.interleaved, narrow, narrow, kVector), ippStsSizeErr);
    EXPECT_EQ(PixelizeInterleaved(e.interleaved, narrow, narrow, kAutomatic), ippStsSizeErr);
    EXPECT_EQ(narrow.Region(), before);
    EXPECT_EQ(PixelizeInterleaved(e.interleaved, narrow, narrow, kPortable), ippStsNoErr);
    EXPECT_EQ(narrow.Region(), narrowExpected);

    TestImage<uint8_t> smallest(e.vectorMinimumWidth, 5);
    smallest.FillRandom(4, 0, 255);
    const auto expected = ExpectedInterleavedPixelation(smallest, e.blockSize);
    EXPECT_EQ(PixelizeInterleaved(e.interleaved, smallest, smallest, kVector), ippStsNoErr);
    EXPECT_EQ(smallest.Region(), expected);
    EXPECT_TRUE(smallest.GuardsIntact());
  }
}

TEST(PixelizedInterleaved, ChecksArgumentsInOrderAndWritesNothing) {
  TestImage<uint8_t> source(64, 8);
  TestImage<uint8_t> destination(64, 8);
  destination.FillBytes(0x44);
  const uint8_t* s = source.data();
  uint8_t* d = destination.data();
  const auto pixelize = fnVCA_Pixelized_8x8_Interleaved_8u_C1R;
  std::vector<int> modes = {kPortable, kAutomatic};
  if (effects::VectorPathAvailable()) modes.push_back(kVector);
  for (const int mode : modes) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(pixelize(nullptr, 64, d, 64, IppiSize{64, 8}, mode), ippStsNullPtrErr);
    EXPECT_EQ(pixelize(s, 0, nullptr, 0, IppiSize{0, 0}, mode), ippStsNullPtrErr);
    EXPECT_EQ(pixelize(s, 0, d, 0, IppiSize{64, 0}, mode), ippStsSizeErr);
    EXPECT_EQ(pixelize(s, 0, d, 0, IppiSize{-64, 8}, mode), ippStsSizeErr);
    EXPECT_EQ(pixelize(s, 63, d, 64, IppiSize{64, 8}, mode), ippStsStepErr);
    EXPECT_EQ(pixelize(s, 64, d, 63, IppiSize{64, 8}, mode), ippStsStepErr);
  }
  if (effects::VectorPathAvailable()) {
    // The vector path's width rule comes before the steps.
    EXPECT_EQ(pixelize(s, 0, d, 0, IppiSize{30, 8}, kVector), ippStsSizeErr);
  }
  for (const uint8_t byte : destination.Region()) EXPECT_EQ(byte, 0x44);
  EXPECT_TRUE(destination.GuardsIntact());
}

// Runs every path on `source`: the portable path under every variant index (all equal to the
// generic variant) and the vector path, each into a fresh padded destination; all must give
// `expected` and leave everything outside the region alone.
void ExpectEveryPathGives(const FixedSizeExports& e, const TestImage<uint8_t>& source,
                          const std::vector<uint8_t>& expected, int destinationPadding) {
  ExpectBuildsMatchGeneric([&](Build variant) {
    TestImage<uint8_t> destination(source.width(), source.height(), destinationPadding, 2);
    destination.FillBytes(SentinelFor(variant));
    const IppStatus status = PixelizeInterleaved(e.interleaved, source, destination, kPortable);
    EXPECT_EQ(status, ippStsNoErr);
    EXPECT_TRUE(destination.RegionBytes() == expected) << "portable path";
    EXPECT_TRUE(destination.GuardsIntact());
    return std::tuple(status, destination.RegionBytes());
  });
  if (!effects::VectorPathAvailable() || source.width() < e.vectorMinimumWidth) return;
  TestImage<uint8_t> destination(source.width(), source.height(), destinationPadding, 2);
  EXPECT_EQ(PixelizeInterleaved(e.interleaved, source, destination, kVector), ippStsNoErr);
  EXPECT_TRUE(destination.RegionBytes() == expected) << "vector path";
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_TRUE(source.GuardsIntact());
}

TEST(PixelizedInterleaved, PathsAgreeOnWholeBlocksOfEverySize) {
  for (const auto& e : kFixedSizeExports) {
    const int n = e.blockSize;
    const int blocksAcross = std::max(2, 200 / (2 * n));
    const int blocksDown = n <= 64 ? 3 : 1;
    for (const int padding : {0, 5}) {
      SCOPED_TRACE(::testing::Message() << "N " << n << ", padding " << padding);
      TestImage<uint8_t> source(blocksAcross * 2 * n, blocksDown * n, padding, 1 + padding % 3);
      source.FillRandom(static_cast<uint32_t>(n + padding), 0, 255);
      ExpectEveryPathGives(e, source, ExpectedInterleavedPixelation(source, n), 3);
    }
  }
}

TEST(PixelizedInterleaved, RegionEdgesClipBlocks) {
  // Widths that cut the last block (odd ones end with a lone first-channel byte) and heights
  // that cut the last block row: each clipped block is the mean of the samples it holds.
  for (const auto& e : kFixedSizeExports) {
    const int n = e.blockSize;
    if (n > 256) continue;  // the same kernels as 256, at larger cost
    for (const int width : {e.vectorMinimumWidth + 1, 2 * n + 6, 6 * n - 2, 4 * n + 33, 3}) {
      for (const int height : {1, n - 1, n + 3}) {
        if (height < 1) continue;
        SCOPED_TRACE(::testing::Message() << "N " << n << ", region " << width << "x" << height);
        TestImage<uint8_t> source(width, height, 3, 3);
        source.FillRandom(static_cast<uint32_t>(width * height), 0, 255);
        ExpectEveryPathGives(e, source, ExpectedInterleavedPixelation(source, n), 1);
      }
    }
  }
}

// Rows of every vector tail and destinations at many offsets from a vector boundary, on the
// portable path under every build and on the vector path.
TEST(PixelizedInterleaved, EveryBuildGivesTheGenericResultOnOddShapes) {
  for (const auto& e : {kFixedSizeExports[0], kFixedSizeExports[2], kFixedSizeExports[3]}) {
    SCOPED_TRACE(::testing::Message() << "N " << e.blockSize);
    ForEachOddShape([&](const Shape& shape) {
      TestImage<uint8_t> source(shape.width, shape.height + 5, shape.padding, 2);
      source.FillRandom(static_cast<uint32_t>(shape.width * 3 + shape.padding), 0, 255);
      const std::vector<uint8_t> expected = ExpectedInterleavedPixelation(source, e.blockSize);
      const int misalign = shape.width * 5 % 64;
      ExpectBuildsMatchGeneric([&](Build build) {
        TestImage<uint8_t> destination(source.width(), source.height(), shape.padding + 2, misalign);
        destination.FillBytes(SentinelFor(build));
        const IppStatus status = PixelizeInterleaved(e.interleaved, source, destination, kPortable);
        EXPECT_TRUE(destination.RegionBytes() == expected);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::tuple(status, Capture(destination));
      });
      if (!effects::VectorPathAvailable() || source.width() < e.vectorMinimumWidth) return;
      TestImage<uint8_t> destination(source.width(), source.height(), shape.padding + 2, misalign);
      EXPECT_EQ(PixelizeInterleaved(e.interleaved, source, destination, kVector), ippStsNoErr);
      EXPECT_TRUE(destination.RegionBytes() == expected) << "vector path";
      EXPECT_TRUE(destination.GuardsIntact());
    });
  }
}

TEST(PixelizedInterleaved, InPlaceGivesTheSameResult) {
  std::vector<int> modes = {kPortable};
  if (effects::VectorPathAvailable()) modes.push_back(kVector);
  for (const int mode : modes) {
    for (const auto& e : kFixedSizeExports) {
      if (e.blockSize > 64) continue;
      TestImage<uint8_t> image(2 * e.blockSize * 5 + 10, e.blockSize * 2 + 1, 0, 1);
      image.FillRandom(6, 0, 255);
      const auto expected = ExpectedInterleavedPixelation(image, e.blockSize);
      ASSERT_EQ(PixelizeInterleaved(e.interleaved, image, image, mode), ippStsNoErr);
      EXPECT_EQ(image.Region(), expected) << "N " << e.blockSize << ", mode " << mode;
      EXPECT_TRUE(image.GuardsIntact());
    }
  }
}

}  // namespace
}  // namespace ryn::test
