// Plain and masked copies.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "frame/cache_size.h"
#include "support/builds.h"
#include "support/fake_cpu.h"
#include "primitives/arith/misaligned_row.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

template <class T>
::testing::AssertionResult SameRegion(const TestImage<T>& a, const TestImage<T>& b) {
  if (a.RegionBytes() == b.RegionBytes()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the regions differ";
}

// Every pixel of the source lands in the destination and nothing else is written, on every
// shape, under every build, for each pixel size.
TEST(Copy, CopiesEveryPixelAndNothingElse) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      TestImage<uint8_t> source8(shape.width, shape.height, shape.padding, 3);
      TestImage<uint8_t> destination8(shape.width, shape.height, shape.padding + 2, 1);
      TestImage<int16_t> source16(shape.width, shape.height, 2 * shape.padding, 2);
      TestImage<int16_t> destination16(shape.width, shape.height, 2 * shape.padding, 6);
      TestImage<float> source32(shape.width, shape.height, 4 * shape.padding, 4);
      TestImage<float> destination32(shape.width, shape.height, 4 * shape.padding + 4, 12);
      source8.FillRandom(1, 0, 255);
      source16.FillRandom(2, -32768, 32767);
      source32.FillRandom(3, -1e6f, 1e6f);
      destination8.FillBytes(SentinelFor(build));
      destination16.FillBytes(SentinelFor(build));
      destination32.FillBytes(SentinelFor(build));
      const UnchangedSource<uint8_t> unchanged8(source8);
      const auto statuses = std::tuple(
          fnVCAIPP_Copy_8u_C1R(source8.data(), source8.step(), destination8.data(), destination8.step(),
                               source8.size()),
          fnVCAIPP_Copy_16s_C1R(source16.data(), source16.step(), destination16.data(), destination16.step(),
                                source16.size()),
          fnVCAIPP_Copy_32f_C1R(source32.data(), source32.step(), destination32.data(), destination32.step(),
                                source32.size()));
      EXPECT_EQ(statuses, std::tuple(ippStsNoErr, ippStsNoErr, ippStsNoErr));
      EXPECT_TRUE(SameRegion(source8, destination8));
      EXPECT_TRUE(SameRegion(source16, destination16));
      EXPECT_TRUE(SameRegion(source32, destination32));
      EXPECT_TRUE(unchanged8.Check());
      EXPECT_TRUE(destination8.GuardsIntact());
      EXPECT_TRUE(destination16.GuardsIntact());
      EXPECT_TRUE(destination32.GuardsIntact());
      return std::tuple(Capture(destination8), Capture(destination16), Capture(destination32));
    });
  });
}

TEST(Copy, ContiguousImagesAreCopiedAsOneBlockAndPaddingIsKept) {
  ForEachBuild([](Build) {
    TestImage<int32_t> source(37, 29, 0);
    source.FillRandom(4, INT32_MIN, INT32_MAX);
    TestImage<int32_t> packed(37, 29, 0, 8);
    ASSERT_EQ(fnVCAIPP_Copy_32s_C1R(source.data(), source.step(), packed.data(), packed.step(), source.size()),
              ippStsNoErr);
    EXPECT_TRUE(SameRegion(source, packed));
    EXPECT_TRUE(packed.GuardsIntact());
    // A wider destination step: the bytes between the rows are not touched.
    TestImage<int32_t> padded(37, 29, 12, 8);
    ASSERT_EQ(fnVCAIPP_Copy_32s_C1R(source.data(), source.step(), padded.data(), padded.step(), source.size()),
              ippStsNoErr);
    EXPECT_TRUE(SameRegion(source, padded));
    EXPECT_TRUE(padded.GuardsIntact());
  });
}

TEST(Copy, StepsAreNotChecked) {
  // Source step 0: every destination row is the source's first row.
  const std::vector<uint8_t> row{1, 2, 3, 4, 5};
  std::vector<uint8_t> image(3 * 6, 0);
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1R(row.data(), 0, image.data(), 6, IppiSize{5, 3}), ippStsNoErr);
  EXPECT_EQ(image, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 0}));
  // Destination step 0: every source row is written to the same row; the last one stays.
  std::vector<uint16_t> source{1, 2, 3, 4, 5, 6};
  std::vector<uint16_t> single(3, 0);
  EXPECT_EQ(fnVCAIPP_Copy_16s_C1R(reinterpret_cast<int16_t*>(source.data()), 4,
                                  reinterpret_cast<int16_t*>(single.data()), 0, IppiSize{2, 3}),
            ippStsNoErr);
  EXPECT_EQ(single, (std::vector<uint16_t>{5, 6, 0}));
  // A negative step walks upwards.
  std::vector<float> up{0, 0, 0, 0};
  const std::vector<float> down{1, 2, 3, 4};
  EXPECT_EQ(fnVCAIPP_Copy_32f_C1R(down.data(), 8, up.data() + 2, -8, IppiSize{2, 2}), ippStsNoErr);
  EXPECT_EQ(up, (std::vector<float>{3, 4, 1, 2}));
}

TEST(Copy, ImageOntoItselfIsUnchanged) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> image(131, 4);
    image.FillRandom(5, 0, 255);
    const auto before = image.RegionBytes();
    EXPECT_EQ(fnVCAIPP_Copy_8u_C1R(image.data(), image.step(), image.data(), image.step(), image.size()),
              ippStsNoErr);
    EXPECT_EQ(image.RegionBytes(), before);
  });
}

TEST(Copy, BadArgumentsWriteNothing) {
  uint8_t byte = 7;
  const uint8_t one = 1;
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1R(nullptr, 1, &byte, 1, IppiSize{0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1R(&one, 1, nullptr, 1, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1R(&one, 1, &byte, 1, IppiSize{0, 1}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1R(&one, -5, &byte, -5, IppiSize{1, -1}), ippStsSizeErr);
  int16_t word = 7;
  EXPECT_EQ(fnVCAIPP_Copy_16s_C1R(nullptr, 2, &word, 2, IppiSize{1, 1}), ippStsNullPtrErr);
  int32_t dword = 7;
  EXPECT_EQ(fnVCAIPP_Copy_32s_C1R(&dword, 4, &dword, 4, IppiSize{1, 0}), ippStsSizeErr);
  float value = 7;
  EXPECT_EQ(fnVCAIPP_Copy_32f_C1R(&value, 4, nullptr, 4, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(byte, 7);
  EXPECT_EQ(word, 7);
  EXPECT_EQ(value, 7.0f);
}

TEST(MaskedCopy, WritesOnlyWhereTheMaskIsSet) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> mask(shape.width, shape.height, shape.padding + 1, 5);
      mask.FillRandom(shape.width, 0, 3);  // about a quarter zero
      if (shape.width >= 64) std::memset(&mask.at(0, 0), 9, 64);  // a whole selected vector
      TestImage<uint8_t> source8(shape.width, shape.height, shape.padding, 3);
      TestImage<uint8_t> destination8(shape.width, shape.height, shape.padding, 1);
      TestImage<float> source32(shape.width, shape.height, 4 * shape.padding, 4);
      TestImage<float> destination32(shape.width, shape.height, 4 * shape.padding + 4, 12);
      source8.FillRandom(1, 0, 255);
      destination8.FillRandom(2, 0, 255);
      source32.FillRandom(3, -1.0f, 1.0f);
      destination32.FillRandom(4, 2.0f, 3.0f);
      const auto before8 = destination8.Region();
      const auto before32 = destination32.Region();
      const auto statuses = std::tuple(
          fnVCAIPP_Copy_8u_C1MR(source8.data(), source8.step(), destination8.data(), destination8.step(),
                                mask.data(), mask.step(), mask.size()),
          fnVCAIPP_Copy_32f_C1MR(source32.data(), source32.step(), destination32.data(), destination32.step(),
                                 mask.data(), mask.step(), mask.size()));
      EXPECT_EQ(statuses, std::tuple(ippStsNoErr, ippStsNoErr));
      int wrong = 0;
      for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x) {
          const size_t i = static_cast<size_t>(y) * shape.width + x;
          wrong += destination8.at(x, y) != (mask.at(x, y) ? source8.at(x, y) : before8[i]);
          wrong += destination32.at(x, y) != (mask.at(x, y) ? source32.at(x, y) : before32[i]);
        }
      }
      EXPECT_EQ(wrong, 0) << "pixels written against the mask or not copied";
      EXPECT_TRUE(destination8.GuardsIntact());
      EXPECT_TRUE(destination32.GuardsIntact());
      return std::tuple(Capture(destination8), Capture(destination32));
    });
  });
}

TEST(MaskedCopy, AllZeroMaskWritesNothing) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> mask(150, 3);
    mask.Fill(0);
    TestImage<uint8_t> source(150, 3);
    source.FillRandom(6, 0, 255);
    TestImage<uint8_t> destination(150, 3);
    destination.FillRandom(7, 0, 255);
    const auto before = destination.RegionBytes();
    EXPECT_EQ(fnVCAIPP_Copy_8u_C1MR(source.data(), source.step(), destination.data(), destination.step(),
                                    mask.data(), mask.step(), mask.size()),
              ippStsNoErr);
    EXPECT_EQ(destination.RegionBytes(), before);
  });
}

TEST(MaskedCopy, BadArgumentsWriteNothing) {
  const uint8_t one = 1;
  uint8_t byte = 7;
  float value = 7;
  const float source = 1;
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1MR(&one, 1, &byte, 1, nullptr, 1, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1MR(nullptr, 1, &byte, 1, &one, 1, IppiSize{0, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_8u_C1MR(&one, 1, &byte, 1, &one, 1, IppiSize{1, 0}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Copy_32f_C1MR(&source, 4, nullptr, 4, &one, 1, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Copy_32f_C1MR(&source, 0, &value, 0, &one, 0, IppiSize{-1, 1}), ippStsSizeErr);
  EXPECT_EQ(byte, 7);
  EXPECT_EQ(value, 7.0f);
}

// A fake Intel processor whose largest cache is small sends large copies and conversions through
// non-temporal stores; the results must not change.
TEST(Copy, StreamingStoresGiveTheSameResult) {
  FakeCpu intel("GenuineIntel", 0, 0, 4);
  intel.Set(4, 0, CpuidRegisters{1 | (1 << 5), (7u << 22) | 63u, 63, 0});  // 8 ways x 64 B x 64 sets
  ScopedFakeCpu scoped(intel);
  int32_t cacheBytes = 0;
  ASSERT_EQ(QueryLargestCacheSize(&cacheBytes), ippStsNoErr);
  ASSERT_EQ(cacheBytes, 32768);
  TestImage<uint8_t> source(1031, 1020, 3, 1);  // 1,051,620 bytes: above the copy threshold
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) source.at(x, y) = static_cast<uint8_t>(x * 7 + y * 3);
  ForEachBuild([&](Build) {
    TestImage<uint8_t> destination(1031, 1020, 5, 7);
    ASSERT_EQ(fnVCAIPP_Copy_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                   source.size()),
              ippStsNoErr);
    EXPECT_TRUE(SameRegion(source, destination));
    EXPECT_TRUE(destination.GuardsIntact());

    TestImage<float> floats(1031, 130, 0, 4);  // 670,150 bytes of traffic: above the conversion threshold
    ASSERT_EQ(fnVCAIPP_Convert_8u32f_C1R(source.data(), source.step(), floats.data(), floats.step(),
                                         floats.size()),
              ippStsNoErr);
    for (int x = 0; x < 1031; x += 7) ASSERT_EQ(floats.at(x, 129), source.at(x, 129));
    EXPECT_TRUE(floats.GuardsIntact());
    TestImage<uint8_t> bytes(1031, 130, 1, 9);
    ASSERT_EQ(fnVCAIPP_Convert_32f8u_C1R(floats.data(), floats.step(), bytes.data(), bytes.step(), bytes.size()),
              ippStsNoErr);
    for (int x = 0; x < 1031; x += 7) ASSERT_EQ(bytes.at(x, 129), source.at(x, 129));
    EXPECT_TRUE(bytes.GuardsIntact());
  });
}

// Rows of 16-bit and float pixels at odd addresses, as steps that are not multiples of the pixel
// size give.
TEST(Copy, PixelsAtOddAddresses) {
  for (int width : kOddWidths) {
    SCOPED_TRACE(width);
    ExpectBuildsMatchGeneric([&](Build build) {
      MisalignedRow<int16_t> words(width, 0);
      MisalignedRow<float> floats(width, 0);
      std::vector<uint8_t> mask(width);
      for (int x = 0; x < width; ++x) {
        words.Set(x, static_cast<int16_t>(x * 977));
        floats.Set(x, static_cast<float>(x) * 0.5f);
        mask[x] = x % 5 == 0 ? 0 : 1;
      }
      const uint8_t fill = SentinelFor(build);
      MisalignedRow<int16_t> copiedWords(width, fill);
      MisalignedRow<float> copiedFloats(width, fill);
      MisalignedRow<float> maskedFloats(width, 0x3C);  // the same in every build: unselected pixels keep it
      const IppiSize row{width, 1};
      const auto statuses = std::tuple(
          fnVCAIPP_Copy_16s_C1R(words.data(), width * 2, copiedWords.data(), width * 2, row),
          fnVCAIPP_Copy_32f_C1R(floats.data(), width * 4, copiedFloats.data(), width * 4, row),
          fnVCAIPP_Copy_32f_C1MR(floats.data(), width * 4, maskedFloats.data(), width * 4, mask.data(), width, row));
      EXPECT_TRUE(copiedWords.GuardsIntact(fill));
      EXPECT_TRUE(copiedFloats.GuardsIntact(fill));
      EXPECT_TRUE(maskedFloats.GuardsIntact(0x3C));
      return std::tuple(statuses, copiedWords.PixelBytes(), copiedFloats.PixelBytes(), maskedFloats.PixelBytes());
    });
  }
}

}  // namespace
}  // namespace ryn::test
