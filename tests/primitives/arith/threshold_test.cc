// Thresholds: clamping to a threshold, replacing by a value, the band and binarisation.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "primitives/arith/misaligned_row.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// One row of pixels through an in-place 8u threshold call.
template <class Call>
std::vector<uint8_t> InPlace(std::vector<uint8_t> pixels, IppStatus expected, Call call) {
  EXPECT_EQ(call(pixels.data(), IppiSize{static_cast<int>(pixels.size()), 1}, static_cast<int>(pixels.size())),
            expected);
  return pixels;
}

TEST(Threshold, Examples) {
  ForEachBuild([](Build) {
    const std::vector<uint8_t> pixels{3, 10, 200, 9, 11, 0, 255};
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Threshold_8u_C1IR(p, r, s, 10, 0); }),
              (std::vector<uint8_t>{10, 10, 200, 10, 11, 10, 255}));
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Threshold_8u_C1IR(p, r, s, 10, 1); }),
              (std::vector<uint8_t>{3, 10, 10, 9, 10, 0, 10}));
    EXPECT_EQ(InPlace(pixels, ippStsNotSupportedModeErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Threshold_8u_C1IR(p, r, s, 10, 2); }),
              pixels);
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Binarize_8u_C1IR(p, r, s, 10); }),
              (std::vector<uint8_t>{0, 10, 255, 0, 255, 0, 255}));
    EXPECT_EQ(InPlace({99, 100, 101}, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Binarize_8u_C1IR(p, r, s, 100); }),
              (std::vector<uint8_t>{0, 100, 255}));
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_ThresholdLTGT_8u_C1IR(p, r, s, 9, 11); }),
              (std::vector<uint8_t>{9, 10, 11, 9, 11, 9, 11}));
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_ThresholdLTGT_8u_C1IR(p, r, s, 60, 60); }),
              std::vector<uint8_t>(pixels.size(), 60));
    EXPECT_EQ(InPlace(pixels, ippStsThresholdErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_ThresholdLTGT_8u_C1IR(p, r, s, 50, 40); }),
              pixels);
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Threshold_Val_8u_C1IR(p, s, r, 10, 77, 0); }),
              (std::vector<uint8_t>{77, 10, 200, 77, 11, 77, 255}));
    EXPECT_EQ(InPlace(pixels, ippStsNoErr,
                      [](uint8_t* p, IppiSize r, int s) { return fnVCAIPP_Threshold_Val_8u_C1IR(p, s, r, 10, 77, 4); }),
              (std::vector<uint8_t>{3, 10, 77, 9, 77, 0, 77}));
    // The two-image form always clips from above.
    const uint8_t source[3] = {200, 100, 5};
    uint8_t destination[3] = {};
    EXPECT_EQ(fnVCAIPP_Threshold_8u_C1R(source, 3, destination, 3, IppiSize{3, 1}, 100), ippStsNoErr);
    EXPECT_EQ(std::vector<uint8_t>(destination, destination + 3), (std::vector<uint8_t>{100, 100, 5}));
  });
}

TEST(Threshold, FloatsCompareStrictlySoNaNsAndSignedZerosStay) {
  const float negativeZero = -0.0f;
  ForEachBuild([&](Build) {
    // Repeated so that the vector bodies see every value.
    std::vector<float> below, above;
    for (int i = 0; i < 8; ++i) {
      for (float v : {-5.0f, 0.0f, negativeZero, 7.5f, kNaN, 3.0f}) below.push_back(v);
    }
    above = below;
    const int width = static_cast<int>(below.size());
    ASSERT_EQ(fnVCAIPP_Threshold_32f_C1IR(below.data(), 0.0f, IppiSize{width, 1}, width * 4, 0), ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_Threshold_32f_C1IR(above.data(), 3.0f, IppiSize{width, 1}, width * 4, 1), ippStsNoErr);
    for (int i = 0; i < width; i += 6) {
      EXPECT_EQ(below[i], 0.0f);
      EXPECT_EQ(std::bit_cast<uint32_t>(below[i + 2]), std::bit_cast<uint32_t>(negativeZero));  // not below +0
      EXPECT_TRUE(std::isnan(below[i + 4]));
      EXPECT_EQ(above[i + 3], 3.0f);
      EXPECT_EQ(above[i + 5], 3.0f);
      EXPECT_TRUE(std::isnan(above[i + 4]));
    }
    std::vector<float> unchanged{1.0f, -1.0f, 1e30f};
    const auto before = unchanged;
    ASSERT_EQ(fnVCAIPP_Threshold_32f_C1IR(unchanged.data(), kNaN, IppiSize{3, 1}, 12, 1), ippStsNoErr);
    EXPECT_EQ(unchanged, before);
  });
}

// Every threshold on every shape under every build, with random thresholds.
TEST(Threshold, BuildsMatchGenericOnOddShapes) {
  ForEachOddShape([](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build build) {
      const int w = shape.width, h = shape.height;
      TestImage<uint8_t> source(w, h, shape.padding, 3);
      source.FillRandom(11, 0, 255);
      TestImage<uint8_t> clipped(w, h, shape.padding + 1, 1);
      clipped.FillBytes(SentinelFor(build));
      auto image = [&](int misalign) {
        TestImage<uint8_t> pixels(w, h, shape.padding, misalign);
        pixels.FillRandom(12, 0, 255);
        return pixels;
      };
      TestImage<uint8_t> raised = image(1), lowered = image(2), replacedBelow = image(3), replacedAbove = image(4),
                         band = image(5), binary = image(6);
      TestImage<float> floatsBelow(w, h, 4 * shape.padding, 12), floatsAbove(w, h, 4 * shape.padding, 4);
      floatsBelow.FillRandom(13, -2.0f, 2.0f);
      floatsAbove.FillRandom(13, -2.0f, 2.0f);
      if (w > 3) floatsBelow.at(3, 0) = floatsAbove.at(3, 0) = kNaN;
      const IppiSize size = source.size();
      const auto statuses = std::tuple(
          fnVCAIPP_Threshold_8u_C1R(source.data(), source.step(), clipped.data(), clipped.step(), size, 130),
          fnVCAIPP_Threshold_8u_C1IR(raised.data(), size, raised.step(), 90, 0),
          fnVCAIPP_Threshold_8u_C1IR(lowered.data(), size, lowered.step(), 90, 1),
          fnVCAIPP_Threshold_Val_8u_C1IR(replacedBelow.data(), replacedBelow.step(), size, 100, 1, 0),
          fnVCAIPP_Threshold_Val_8u_C1IR(replacedAbove.data(), replacedAbove.step(), size, 100, 254, 4),
          fnVCAIPP_ThresholdLTGT_8u_C1IR(band.data(), size, band.step(), 64, 192),
          fnVCAIPP_Binarize_8u_C1IR(binary.data(), size, binary.step(), 128),
          fnVCAIPP_Threshold_32f_C1IR(floatsBelow.data(), 0.25f, size, floatsBelow.step(), 0),
          fnVCAIPP_Threshold_32f_C1IR(floatsAbove.data(), -0.25f, size, floatsAbove.step(), 1));
      EXPECT_EQ(statuses, std::tuple(0, 0, 0, 0, 0, 0, 0, 0, 0));
      for (const auto* pixels : {&clipped, &raised, &lowered, &replacedBelow, &replacedAbove, &band, &binary}) {
        EXPECT_TRUE(pixels->GuardsIntact());
      }
      EXPECT_TRUE(floatsBelow.GuardsIntact());
      EXPECT_TRUE(floatsAbove.GuardsIntact());
      return std::tuple(Capture(clipped), Capture(raised), Capture(lowered), Capture(replacedBelow),
                        Capture(replacedAbove), Capture(band), Capture(binary), Capture(floatsBelow),
                        Capture(floatsAbove));
    });
  });
}

TEST(Threshold, BadArgumentsInOrderWriteNothing) {
  uint8_t pixel = 7;
  float value = 7.0f;
  // Pointers, region, steps, then the operation.
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1IR(nullptr, IppiSize{0, 0}, 0, 1, 2), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1IR(&pixel, IppiSize{0, 1}, 0, 1, 2), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1IR(&pixel, IppiSize{1, 1}, 0, 1, 2), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1IR(&pixel, IppiSize{1, 1}, 1, 100, 255), ippStsNotSupportedModeErr);
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1R(&pixel, 1, nullptr, 1, IppiSize{1, 1}, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1R(&pixel, 0, &pixel, 1, IppiSize{1, -1}, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Threshold_8u_C1R(&pixel, 1, &pixel, 0, IppiSize{1, 1}, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Threshold_32f_C1IR(nullptr, 1.0f, IppiSize{1, 1}, 4, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Threshold_32f_C1IR(&value, 100.0f, IppiSize{1, 0}, 4, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Threshold_32f_C1IR(&value, 100.0f, IppiSize{1, 1}, -4, 7), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Threshold_32f_C1IR(&value, 100.0f, IppiSize{1, 1}, 4, 2), ippStsNotSupportedModeErr);
  // Threshold_Val looks at the operation before anything else.
  EXPECT_EQ(fnVCAIPP_Threshold_Val_8u_C1IR(nullptr, 0, IppiSize{0, 0}, 1, 1, 1), ippStsNotSupportedModeErr);
  EXPECT_EQ(fnVCAIPP_Threshold_Val_8u_C1IR(nullptr, 0, IppiSize{0, 0}, 1, 1, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Threshold_Val_8u_C1IR(&pixel, 0, IppiSize{0, 0}, 100, 1, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Threshold_Val_8u_C1IR(&pixel, 0, IppiSize{1, 1}, 100, 1, 0), ippStsStepErr);
  // The band checks its order last.
  EXPECT_EQ(fnVCAIPP_ThresholdLTGT_8u_C1IR(nullptr, IppiSize{1, 1}, 1, 50, 40), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_ThresholdLTGT_8u_C1IR(&pixel, IppiSize{1, 0}, 0, 50, 40), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_ThresholdLTGT_8u_C1IR(&pixel, IppiSize{1, 1}, 0, 50, 40), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Binarize_8u_C1IR(nullptr, IppiSize{1, 1}, 1, 5), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Binarize_8u_C1IR(&pixel, IppiSize{1, 1}, 0, 100), ippStsStepErr);
  EXPECT_EQ(pixel, 7);
  EXPECT_EQ(value, 7.0f);
}

// Float rows at odd addresses, as steps that are not multiples of the pixel size give.
TEST(Threshold, FloatsAtOddAddresses) {
  for (int width : kOddWidths) {
    SCOPED_TRACE(width);
    ExpectBuildsMatchGeneric([&](Build) {
      MisalignedRow<float> below(width, 0x3C), above(width, 0x3C);
      for (int x = 0; x < width; ++x) {
        below.Set(x, x % 13 == 0 ? kNaN : static_cast<float>(x % 17) - 8.0f);
        above.Set(x, static_cast<float>(x % 17) - 8.0f);
      }
      const IppiSize row{width, 1};
      const auto statuses = std::tuple(fnVCAIPP_Threshold_32f_C1IR(below.data(), 0.5f, row, width * 4, 0),
                                       fnVCAIPP_Threshold_32f_C1IR(above.data(), 0.5f, row, width * 4, 1));
      EXPECT_TRUE(below.GuardsIntact(0x3C));
      EXPECT_TRUE(above.GuardsIntact(0x3C));
      return std::tuple(statuses, below.PixelBytes(), above.PixelBytes());
    });
  }
}

}  // namespace
}  // namespace ryn::test
