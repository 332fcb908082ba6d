// The text overlay entry points: the font record keeps what it is given; drawing and measuring do
// nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "RynRAZUdidazoror.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

TEST(TextOverlay, InitFontStoresEveryValueUnchanged) {
  RynFont font;
  std::memset(&font, 0xCD, sizeof font);
  EXPECT_EQ(fnVCA_InitFont(&font, -7, 1e300, -0.0, std::numeric_limits<double>::infinity(), 123456789),
            ippStsNoErr);
  EXPECT_EQ(font.face, -7);
  EXPECT_EQ(font.horizontalScale, 1e300);
  EXPECT_TRUE(std::signbit(font.verticalScale));
  EXPECT_EQ(font.shear, std::numeric_limits<double>::infinity());
  EXPECT_EQ(font.thickness, 123456789);

  const double nan = std::nan("7");
  ASSERT_EQ(fnVCA_InitFont(&font, 0, nan, 0.5, 2.0, -1), ippStsNoErr);
  EXPECT_EQ(std::memcmp(&font.horizontalScale, &nan, sizeof nan), 0);
}

TEST(TextOverlay, WritingAndMeasuringTouchNothing) {
  TestImage<uint8_t> image(40, 12);
  image.FillRandom(3, 0, 255);
  const UnchangedSource<uint8_t> unchanged(image);
  RynFont font{};
  EXPECT_EQ(fnVCA_WriteText_8u_C1IR(image.data(), image.step(), image.size(), "ABC", IppiPoint{2, 9}, &font, 255),
            ippStsNoErr);
  EXPECT_TRUE(unchanged.Check());
  EXPECT_EQ(fnVCA_WriteText_8u_C1IR(nullptr, 0, IppiSize{-1, -1}, nullptr, IppiPoint{0, 0}, nullptr, 0),
            ippStsNoErr);

  IppiSize size{-5, -6};
  int baseline = -9;
  EXPECT_EQ(fnVCA_CalculateTextSize("ABC", &font, &size, &baseline), ippStsNoErr);
  EXPECT_EQ(size.width, -5);
  EXPECT_EQ(size.height, -6);
  EXPECT_EQ(baseline, -9);
  EXPECT_EQ(fnVCA_CalculateTextSize(nullptr, nullptr, nullptr, nullptr), ippStsNoErr);
}

}  // namespace
}  // namespace ryn::test
