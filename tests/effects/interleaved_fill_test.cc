// The interleaved fill: pair order, pair-counted widths, both paths, modes and checks.
#include <gtest/gtest.h>

#include <cstddef>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "effects/interleaved_fill/interleaved_fill.h"
#include "effects/processing_mode.h"
#include "support/builds.h"
#include "support/fake_cpu.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

constexpr int kPortable = 1;
constexpr int kVector = 2;

std::vector<int> PathModes() {
  if (effects::AvxReported()) return {kPortable, kVector};
  return {kPortable};
}

// An image of `pairs` pairs per row (2 bytes each).
TestImage<uint8_t> PairImage(int pairs, int height, int paddingBytes, int misalignBytes) {
  TestImage<uint8_t> image(2 * pairs, height, paddingBytes, misalignBytes);
  image.FillBytes(0x5A);
  return image;
}

IppStatus Fill(TestImage<uint8_t>& image, uint8_t first, uint8_t second, int mode) {
  return fnVCA_Set_Interleave_8u_C1R(image.data(), IppiSize{image.width() / 2, image.height()}, image.step(), first,
                                     second, mode);
}

::testing::AssertionResult HoldsPairs(const TestImage<uint8_t>& image, uint8_t first, uint8_t second) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const uint8_t expected = x % 2 == 0 ? first : second;
      if (image.at(x, y) != expected) {
        return ::testing::AssertionFailure() << "byte " << x << " of row " << y << " is " << int(image.at(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(InterleavedFill, WritesTheFirstValueAtEvenOffsetsForWidthPairs) {
  for (int mode : PathModes()) {
    TestImage<uint8_t> image = PairImage(4, 2, 3, 1);
    ASSERT_EQ(Fill(image, 0x10, 0x80, mode), ippStsNoErr);
    const std::vector<uint8_t> expected = {0x10, 0x80, 0x10, 0x80, 0x10, 0x80, 0x10, 0x80,
                                           0x10, 0x80, 0x10, 0x80, 0x10, 0x80, 0x10, 0x80};
    EXPECT_EQ(image.RegionBytes(), expected);
    EXPECT_TRUE(image.GuardsIntact());
  }
}

TEST(InterleavedFill, BothPathsFillOddWidthsPaddedAndUnalignedRows) {
  for (int mode : PathModes()) {
    for (int pairs : kOddWidths) {
      for (int padding : {0, 1, 6}) {
        for (int misalign : {0, 1, 3}) {
          SCOPED_TRACE(::testing::Message() << "mode " << mode << " pairs " << pairs << " padding " << padding
                                            << " misalign " << misalign);
          TestImage<uint8_t> image = PairImage(pairs, 3, padding, misalign);
          ASSERT_EQ(Fill(image, 7, 250, mode), ippStsNoErr);
          EXPECT_TRUE(HoldsPairs(image, 7, 250));
          EXPECT_TRUE(image.GuardsIntact());
        }
      }
    }
  }
}

TEST(InterleavedFill, EveryBuildGivesTheGenericResult) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> image(2 * shape.width, shape.height, shape.padding, 1 + shape.padding % 4);
      image.FillBytes(SentinelFor(build));
      const IppStatus status =
          effects::FillPairs8u(image.data(), IppiSize{shape.width, shape.height}, image.step(), 0x31, 0xC4);
      EXPECT_TRUE(image.GuardsIntact());
      return std::tuple(status, Capture(image));
    });
  });
}

// A step below the row's 2 bytes per pair makes rows overlap: each row is written whole after the
// one above it, in every build.
TEST(InterleavedFill, OverlappingRowsAreWrittenTopFirstInEveryBuild) {
  constexpr int kGuard = 64;
  for (const int pairs : {5, 40, 129}) {
    for (const int step : {pairs, pairs + 1, 2 * pairs - 1}) {
      SCOPED_TRACE(::testing::Message() << pairs << " pairs, step " << step);
      const int height = 4;
      const size_t touched = static_cast<size_t>((height - 1) * step + 2 * pairs);
      ExpectBuildsMatchGeneric([&](Build) {
        std::vector<uint8_t> buffer(touched + 2 * kGuard + 1, 0x77);
        uint8_t* destination = buffer.data() + kGuard + 1;
        const IppStatus status = effects::FillPairs8u(destination, IppiSize{pairs, height}, step, 1, 2);
        // The last row lies on top of every other: it holds the pattern whole.
        for (int i = 0; i < 2 * pairs; ++i) EXPECT_EQ(destination[(height - 1) * step + i], i % 2 == 0 ? 1 : 2);
        for (size_t i = 0; i < buffer.size(); ++i) {
          const bool outside = i < kGuard + 1 || i >= kGuard + 1 + touched;
          if (outside) {
            EXPECT_EQ(buffer[i], 0x77) << "byte " << i;
          }
        }
        return std::tuple(status, buffer);
      });
    }
  }
}

TEST(InterleavedFill, ProcessingModes) {
  TestImage<uint8_t> image = PairImage(20, 2, 3, 1);
  const std::vector<uint8_t> before = image.RegionBytes();
  EXPECT_EQ(Fill(image, 1, 2, 5), ippStsNoOperation);
  EXPECT_EQ(Fill(image, 1, 2, -1), ippStsNoOperation);
  EXPECT_EQ(fnVCA_Set_Interleave_8u_C1R(nullptr, IppiSize{0, 0}, 0, 1, 2, 3), ippStsNoOperation);
  EXPECT_EQ(image.RegionBytes(), before);
  {
    // The fill asks for AVX only: a processor reporting AVX but not AVX2 runs the vector path.
    const FakeCpu avxOnly("GenuineIntel", 1u << 28);
    ScopedFakeCpu scoped(avxOnly);
    EXPECT_EQ(Fill(image, 3, 4, kVector), ippStsNoErr);
    EXPECT_TRUE(HoldsPairs(image, 3, 4));
  }
  {
    const FakeCpu noAvx("GenuineIntel", 1u << 9);
    ScopedFakeCpu scoped(noAvx);
    EXPECT_EQ(Fill(image, 5, 6, kVector), ippStsCpuNotSupportedErr);
    EXPECT_TRUE(HoldsPairs(image, 3, 4));
    EXPECT_EQ(Fill(image, 5, 6, 0), ippStsNoErr);
    EXPECT_TRUE(HoldsPairs(image, 5, 6));
  }
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(InterleavedFill, ChecksComeInOrderAndWriteNothing) {
  for (int mode : PathModes()) {
    TestImage<uint8_t> image = PairImage(4, 2, 0, 0);
    const std::vector<uint8_t> before = image.RegionBytes();
    EXPECT_EQ(fnVCA_Set_Interleave_8u_C1R(nullptr, IppiSize{0, 0}, 0, 1, 2, mode), ippStsNullPtrErr);
    EXPECT_EQ(fnVCA_Set_Interleave_8u_C1R(image.data(), IppiSize{0, 2}, 0, 1, 2, mode), ippStsSizeErr);
    EXPECT_EQ(fnVCA_Set_Interleave_8u_C1R(image.data(), IppiSize{4, 0}, 8, 1, 2, mode), ippStsSizeErr);
    EXPECT_EQ(fnVCA_Set_Interleave_8u_C1R(image.data(), IppiSize{4, 2}, 3, 1, 2, mode), ippStsStepErr);
    EXPECT_EQ(image.RegionBytes(), before);
    // The step is compared with the pair count, not with the 2 bytes per pair a row takes.
    EXPECT_EQ(fnVCA_Set_Interleave_8u_C1R(image.data(), IppiSize{4, 1}, 4, 1, 2, mode), ippStsNoErr);
    const std::vector<uint8_t> expected = {1, 2, 1, 2, 1, 2, 1, 2, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A};
    EXPECT_EQ(image.RegionBytes(), expected);
    EXPECT_TRUE(image.GuardsIntact());
  }
}

}  // namespace
}  // namespace ryn::test
