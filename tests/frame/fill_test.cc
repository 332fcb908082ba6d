// Fills, masked fills, the complex zero fill and the vector copies.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "frame/cache_size.h"
#include "support/fake_cpu.h"
#include "support/test_image.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

template <class T>
void ExpectRegionEquals(const TestImage<T>& image, T value) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      ASSERT_EQ(std::memcmp(&image.at(x, y), &value, sizeof(T)), 0) << "pixel (" << x << ", " << y << ")";
}

TEST(Fill, WritesEveryPixelOfTheRegionAndNothingElse) {
  for (int width : kOddWidths) {
    SCOPED_TRACE(width);
    ForEachBuild([&](Build) {
      TestImage<uint8_t> a(width, 3);
      ASSERT_EQ(fnVCAIPP_Set_8u_C1R(a.data(), a.size(), a.step(), 0xC3), ippStsNoErr);
      ExpectRegionEquals<uint8_t>(a, 0xC3);
      EXPECT_TRUE(a.GuardsIntact());

      TestImage<uint16_t> b(width, 3);
      ASSERT_EQ(fnVCAIPP_Set_16u_C1R(b.data(), b.size(), b.step(), 0xBEEF), ippStsNoErr);
      ExpectRegionEquals<uint16_t>(b, 0xBEEF);
      EXPECT_TRUE(b.GuardsIntact());

      TestImage<int32_t> c(width, 3);
      ASSERT_EQ(fnVCAIPP_Set_32s_C1R(-123456789, c.data(), c.step(), c.size()), ippStsNoErr);
      ExpectRegionEquals<int32_t>(c, -123456789);
      EXPECT_TRUE(c.GuardsIntact());

      TestImage<float> d(width, 3);
      ASSERT_EQ(fnVCAIPP_Set_32f_C1R(d.data(), d.size(), d.step(), -0.0f), ippStsNoErr);
      ExpectRegionEquals<float>(d, -0.0f);
      EXPECT_TRUE(d.GuardsIntact());
    });
  }
}

TEST(Fill, ContiguousRegionIsFilledAsOneRun) {
  ForEachBuild([](Build) {
    TestImage<float> image(37, 29, /*paddingBytes=*/0);
    ASSERT_EQ(fnVCAIPP_Set_32f_C1R(image.data(), image.size(), image.step(), 3.5f), ippStsNoErr);
    ExpectRegionEquals(image, 3.5f);
    EXPECT_TRUE(image.GuardsIntact());
  });
}

TEST(Fill, KeepsTheExactBitsOfAFloatValue) {
  const float quietNanWithPayload = std::bit_cast<float>(0x7FC01234u);
  TestImage<float> image(19, 2);
  ASSERT_EQ(fnVCAIPP_Set_32f_C1R(image.data(), image.size(), image.step(), quietNanWithPayload), ippStsNoErr);
  EXPECT_EQ(std::bit_cast<uint32_t>(image.at(18, 1)), 0x7FC01234u);
}

TEST(Fill, StepIsNotChecked) {
  // Step 0 writes the same row height times.
  std::vector<uint8_t> row(8, 0);
  EXPECT_EQ(fnVCAIPP_Set_8u_C1R(row.data(), IppiSize{5, 4}, 0, 9), ippStsNoErr);
  EXPECT_EQ(row, (std::vector<uint8_t>{9, 9, 9, 9, 9, 0, 0, 0}));

  // A negative step walks upwards from the first row.
  std::vector<uint8_t> image(3 * 4, 0);
  EXPECT_EQ(fnVCAIPP_Set_8u_C1R(image.data() + 8, IppiSize{2, 3}, -4, 1), ippStsNoErr);
  EXPECT_EQ(image, (std::vector<uint8_t>{1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0}));

  // A step below the row length makes rows overlap; each is written where the step puts it.
  std::vector<uint16_t> overlap(6, 0);
  EXPECT_EQ(fnVCAIPP_Set_16u_C1R(overlap.data(), IppiSize{3, 2}, 2, 5), ippStsNoErr);
  EXPECT_EQ(overlap, (std::vector<uint16_t>{5, 5, 5, 5, 0, 0}));
}

TEST(Fill, ChecksNullBeforeSizeAndWritesNothingOnFailure) {
  uint8_t byte = 0;
  EXPECT_EQ(fnVCAIPP_Set_8u_C1R(nullptr, IppiSize{0, 0}, 1, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Set_8u_C1R(&byte, IppiSize{1, 0}, -100, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Set_8u_C1R(&byte, IppiSize{0, 1}, 1, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Set_16u_C1R(nullptr, IppiSize{1, 1}, 2, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Set_32s_C1R(1, nullptr, 4, IppiSize{1, 1}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Set_32f_C1R(nullptr, IppiSize{1, 1}, 4, 1.0f), ippStsNullPtrErr);
  int32_t word = 0;
  EXPECT_EQ(fnVCAIPP_Set_32s_C1R(1, &word, 4, IppiSize{-1, 1}), ippStsSizeErr);
  EXPECT_EQ(byte, 0);
  EXPECT_EQ(word, 0);
}

TEST(MaskedFill, WritesOnlyWhereTheMaskIsSet) {
  for (int width : kOddWidths) {
    SCOPED_TRACE(width);
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> mask(width, 5, 5, 3);
      mask.FillRandom(width, 0, 3);  // about a quarter zero
      TestImage<uint8_t> a(width, 5);
      a.FillRandom(1, 0, 255);
      TestImage<float> b(width, 5);
      b.FillRandom(2, -1.0f, 1.0f);
      const auto before8 = a.Region();
      const auto before32 = b.Region();
      const IppStatus s8 = fnVCAIPP_Set_8u_C1MR(a.data(), a.step(), mask.data(), mask.step(), a.size(), 200);
      const IppStatus s32 = fnVCAIPP_Set_32f_C1MR(b.data(), b.size(), b.step(), 7.25f, mask.data(), mask.step());
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < width; ++x) {
          const size_t i = static_cast<size_t>(y) * width + x;
          EXPECT_EQ(a.at(x, y), mask.at(x, y) ? 200 : before8[i]);
          EXPECT_EQ(b.at(x, y), mask.at(x, y) ? 7.25f : before32[i]);
        }
      }
      EXPECT_TRUE(a.GuardsIntact());
      EXPECT_TRUE(b.GuardsIntact());
      EXPECT_TRUE(mask.GuardsIntact());
      return std::tuple(s8, s32, a.RegionBytes(), b.RegionBytes());
    });
  }
}

TEST(MaskedFill, MaskAllZeroWritesNothing) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> mask(70, 3);
    mask.Fill(0);
    TestImage<uint8_t> image(70, 3);
    image.FillRandom(4, 0, 255);
    const auto before = image.Region();
    EXPECT_EQ(fnVCAIPP_Set_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), image.size(), 1),
              ippStsNoErr);
    EXPECT_EQ(image.Region(), before);
  });
}

TEST(MaskedFill, BadArguments) {
  uint8_t pixel = 0;
  const uint8_t mask = 1;
  float value = 0;
  EXPECT_EQ(fnVCAIPP_Set_8u_C1MR(&pixel, 1, nullptr, 1, IppiSize{1, 1}, 5), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Set_8u_C1MR(nullptr, 1, &mask, 1, IppiSize{0, 1}, 5), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Set_8u_C1MR(&pixel, 1, &mask, 1, IppiSize{1, 0}, 5), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Set_32f_C1MR(&value, IppiSize{1, 1}, 4, 1.0f, nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Set_32f_C1MR(&value, IppiSize{0, 1}, 4, 1.0f, &mask, 1), ippStsSizeErr);
  EXPECT_EQ(pixel, 0);
  EXPECT_EQ(value, 0.0f);
}

TEST(SetZero32fc, ClearsWholeRowsIncludingPadding) {
  // The step is in bytes but compared with the width in pixels: width 10 accepts step 10.
  std::vector<uint8_t> buffer(10 * 3 + 4, 0xFF);
  EXPECT_EQ(fnVCAIPP_SetZero_32fc_C1R(reinterpret_cast<Ipp32fc*>(buffer.data()), 10, IppiSize{10, 3}),
            ippStsNoErr);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(buffer[i], 0) << i;
  for (int i = 30; i < 34; ++i) EXPECT_EQ(buffer[i], 0xFF) << i;

  EXPECT_EQ(fnVCAIPP_SetZero_32fc_C1R(reinterpret_cast<Ipp32fc*>(buffer.data()), 9, IppiSize{10, 3}),
            ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_SetZero_32fc_C1R(nullptr, 9, IppiSize{0, 3}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_SetZero_32fc_C1R(reinterpret_cast<Ipp32fc*>(buffer.data()), 0, IppiSize{10, 0}),
            ippStsSizeErr);

  TestImage<Ipp32fc> image(7, 4, 24, 8);
  image.FillBytes(0x77);
  ASSERT_EQ(fnVCAIPP_SetZero_32fc_C1R(image.data(), image.step(), image.size()), ippStsNoErr);
  for (const Ipp32fc& c : image.Region()) {
    EXPECT_EQ(std::bit_cast<uint32_t>(c.re), 0u);
    EXPECT_EQ(std::bit_cast<uint32_t>(c.im), 0u);
  }
}

TEST(VectorCopy, CopiesEveryElementUnderEveryVariant) {
  for (int length : kOddWidths) {
    ExpectBuildsMatchGeneric([&](Build variant) {
      std::vector<float> source(length + 2);
      for (int i = 0; i < length + 2; ++i) source[i] = static_cast<float>(i) * 0.5f - 3.0f;
      std::vector<float> destination(length + 2, std::bit_cast<float>(0x7F800001u + SentinelFor(variant)));
      const std::vector<float> before = destination;
      const IppStatus status = fnVCAIPP_ippsCopy_32f(source.data() + 1, destination.data() + 1, length);
      EXPECT_EQ(std::memcmp(destination.data() + 1, source.data() + 1, length * sizeof(float)), 0);
      EXPECT_EQ(std::bit_cast<uint32_t>(destination[0]), std::bit_cast<uint32_t>(before[0]));
      EXPECT_EQ(std::bit_cast<uint32_t>(destination[length + 1]), std::bit_cast<uint32_t>(before[length + 1]));
      return status;
    });
  }
  std::vector<int32_t> a{1, -2, 3}, b(3, 0);
  EXPECT_EQ(fnVCAIPP_ippsCopy_32s(a.data(), b.data(), 3), ippStsNoErr);
  EXPECT_EQ(a, b);
}

TEST(VectorCopy, BadArguments) {
  float x = 1, y = 2;
  EXPECT_EQ(fnVCAIPP_ippsCopy_32f(nullptr, &y, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_ippsCopy_32f(&x, nullptr, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_ippsCopy_32f(&x, &y, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_ippsCopy_32s(reinterpret_cast<int32_t*>(&x), reinterpret_cast<int32_t*>(&y), -1),
            ippStsSizeErr);
  EXPECT_EQ(y, 2.0f);
}

TEST(Fill, VariantsMatchGenericOnOddShapes) {
  for (int width : kOddWidths) {
    for (int padding : {0, 1, 5}) {
      ExpectBuildsMatchGeneric([&](Build variant) {
        TestImage<uint8_t> a(width, 4, padding, 3);
        a.FillBytes(SentinelFor(variant));
        TestImage<uint16_t> b(width, 4, padding * 2, 2);
        b.FillBytes(SentinelFor(variant));
        const auto s1 = fnVCAIPP_Set_8u_C1R(a.data(), a.size(), a.step(), 17);
        const auto s2 = fnVCAIPP_Set_16u_C1R(b.data(), b.size(), b.step(), 4242);
        EXPECT_TRUE(a.GuardsIntact());
        EXPECT_TRUE(b.GuardsIntact());
        return std::tuple(s1, s2, a.RegionBytes(), b.RegionBytes());
      });
    }
  }
}

// A fake Intel processor whose largest cache is small makes large fills take the non-temporal
// path; the result must not change.
TEST(Fill, NonTemporalPathGivesTheSameResult) {
  FakeCpu intel("GenuineIntel", 0, 0, 4);
  intel.Set(4, 0, CpuidRegisters{1 | (1 << 5), (7u << 22) | 63u, 63, 0});  // 8 ways x 64 B x 64 sets
  ScopedFakeCpu scoped(intel);
  int32_t bytes = 0;
  ASSERT_EQ(QueryLargestCacheSize(&bytes), ippStsNoErr);
  ASSERT_EQ(bytes, 32768);
  ForEachBuild([](Build) {
    TestImage<uint8_t> a(1031, 600, 3, 1);  // 618,600 bytes: above the threshold
    ASSERT_EQ(fnVCAIPP_Set_8u_C1R(a.data(), a.size(), a.step(), 0x3C), ippStsNoErr);
    ExpectRegionEquals<uint8_t>(a, 0x3C);
    EXPECT_TRUE(a.GuardsIntact());
    TestImage<float> b(513, 300, 0, 4);
    ASSERT_EQ(fnVCAIPP_Set_32f_C1R(b.data(), b.size(), b.step(), 1.25f), ippStsNoErr);
    ExpectRegionEquals(b, 1.25f);
    EXPECT_TRUE(b.GuardsIntact());
  });
}

}  // namespace
}  // namespace ryn::test
