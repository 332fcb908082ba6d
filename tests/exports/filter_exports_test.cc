// The filter exports: inset regions, border completion, mask-size codes, the Gaussian filter's
// buffer triplet and the border copies.
#include <gtest/gtest.h>

#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/filters.h"
#include "primitives/filters/kernel_filter.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// Every pixel outside the inset [left, left + iw) x [top, top + ih) equals the nearest inset pixel.
template <class T>
void ExpectCompleted(const TestImage<T>& image, int left, int top, int insetWidth, int insetHeight) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int nx = std::clamp(x, left, left + insetWidth - 1), ny = std::clamp(y, top, top + insetHeight - 1);
      ASSERT_EQ(image.at(x, y), image.at(nx, ny)) << x << "," << y;
    }
  }
}

TEST(FilterExports, BoxFiltersTheInsetAndReplicatesTheFrame) {
  // W = 10 with 3 x 3: columns 1 to 7 are filtered, 0 copies 1, 8 and 9 copy 7.
  TestImage<uint8_t> source(10, 8);
  source.FillRandom(1, 0, 255);
  TestImage<uint8_t> destination(10, 8);
  ASSERT_EQ(fnVCAIPP_FilterBox_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), {10, 8},
                                      3, 3),
            ippStsNoErr);
  TestImage<uint8_t> inset(7, 5);
  ASSERT_EQ(filters::FilterBox8u(&source.at(1, 1), source.step(), inset.data(), inset.step(), {7, 5}, {3, 3}, {1, 1}),
            ippStsNoErr);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(destination.at(1 + x, 1 + y), inset.at(x, y));
  ExpectCompleted(destination, 1, 1, 7, 5);
  EXPECT_EQ(destination.at(8, 6), destination.at(7, 5));  // last row pair equals row H - 3
  EXPECT_TRUE(destination.GuardsIntact());

  // Even masks: top mh / 2, left mw / 2, the rest at the bottom and right.
  TestImage<float> floats(12, 9);
  floats.FillRandom(2, 0.0f, 1.0f);
  TestImage<float> out(12, 9);
  ASSERT_EQ(fnVCAIPP_FilterBox_32f_C1R(floats.data(), floats.step(), out.data(), out.step(), {12, 9}, 4, 5),
            ippStsNoErr);
  TestImage<float> floatInset(8, 4);
  ASSERT_EQ(filters::FilterBox32f(&floats.at(2, 2), floats.step(), floatInset.data(), floatInset.step(), {8, 4},
                                  {4, 5}, {2, 2}),
            ippStsNoErr);
  EXPECT_EQ(out.at(2, 2), floatInset.at(0, 0));
  EXPECT_EQ(out.at(9, 5), floatInset.at(7, 3));
  ExpectCompleted(out, 2, 2, 8, 4);
  EXPECT_TRUE(out.GuardsIntact());
}

TEST(FilterExports, MaskSizesSurfaceAsSizeOrMaskErrors) {
  TestImage<uint8_t> image(10, 10);
  image.FillBytes(0x77);
  const auto before = image.Region();
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(nullptr, 10, image.data(), 10, {10, 10}, 3, 3), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(image.data(), image.step(), image.data(), image.step(), {10, 10}, 10, 3),
            ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(image.data(), image.step(), image.data(), image.step(), {10, 10}, 0, 3),
            ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(image.data(), image.step(), image.data(), image.step(), {10, 10}, 3, -2147483647 - 1),
            ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(image.data(), 0, image.data(), image.step(), {10, 10}, 0, 3), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_32f_C1R(nullptr, 40, nullptr, 40, {10, 10}, 3, 3), ippStsNullPtrErr);
  const int32_t kernel[4] = {1, 1, 1, 1};
  EXPECT_EQ(fnVCAIPP_Filter_8u_C1R(image.data(), image.step(), image.data(), image.step(), {10, 10}, kernel, {0, 2}, 4),
            ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Filter_8u_C1R(image.data(), image.step(), image.data(), image.step(), {10, 10}, nullptr, {2, 2}, 4),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Filter_8u_C1R(image.data(), image.step(), image.data(), image.step(), {10, 10}, kernel, {2, 2}, 0),
            ippStsDivisorErr);
  EXPECT_EQ(image.Region(), before);
}

TEST(FilterExports, GaussAndHipassCodes) {
  TestImage<uint8_t> source(12, 9);
  source.FillRandom(3, 0, 255);
  TestImage<uint8_t> destination(12, 9);
  destination.FillBytes(0x5A);
  const auto untouched = destination.Region();
  EXPECT_EQ(fnVCAIPP_FilterGauss_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                        {12, 9}, 44),
            ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterGauss_8u_C1R(nullptr, 0, nullptr, 0, {0, 0}, 44), ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterHipass_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                         {12, 9}, 35),
            ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterGauss_8u_C1R(nullptr, 12, destination.data(), 12, {12, 9}, 33), ippStsNullPtrErr);
  EXPECT_EQ(destination.Region(), untouched);

  // The high-pass leaves the frame untouched: a 5 x 5 mask filters (W - 5) x (H - 5) at (2, 2).
  ASSERT_EQ(fnVCAIPP_FilterHipass_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                         {12, 9}, 55),
            ippStsNoErr);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inset = x >= 2 && x < 9 && y >= 2 && y < 6;
      if (!inset) {
        ASSERT_EQ(destination.at(x, y), 0x5A) << x << "," << y;
      }
    }
  }
  source.Fill(99);
  ASSERT_EQ(fnVCAIPP_FilterHipass_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                         {12, 9}, 33),
            ippStsNoErr);
  for (int y = 1; y < 7; ++y)
    for (int x = 1; x < 10; ++x) ASSERT_EQ(destination.at(x, y), 0);
  EXPECT_EQ(destination.at(10, 7), 0x5A);

  ASSERT_EQ(fnVCAIPP_FilterGauss_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                        {12, 9}, 55),
            ippStsNoErr);
  for (uint8_t pixel : destination.Region()) ASSERT_EQ(pixel, 99);
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(FilterExports, KernelFilterInsetAndCompletion) {
  // A 2 x 3 kernel: inset (W - 2) x (H - 3) at (1, 1), anchor (1, 1).
  const int32_t kernel[6] = {1, 2, 3, 4, 5, 6};
  TestImage<uint8_t> source(9, 7);
  source.FillRandom(4, 0, 40);
  TestImage<uint8_t> destination(9, 7);
  ASSERT_EQ(fnVCAIPP_Filter_8u_C1R(source.data(), source.step(), destination.data(), destination.step(), {9, 7},
                                   kernel, {2, 3}, 16),
            ippStsNoErr);
  TestImage<uint8_t> inset(7, 4);
  ASSERT_EQ(filters::FilterKernel8u(&source.at(1, 1), source.step(), inset.data(), inset.step(), {7, 4}, kernel,
                                    {2, 3}, {1, 1}, 16),
            ippStsNoErr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(destination.at(1 + x, 1 + y), inset.at(x, y));
  ExpectCompleted(destination, 1, 1, 7, 4);

  // The float kernel filters the caller's region with the caller's anchor.
  const float floatKernel[3] = {0.5f, 0.25f, 0.25f};
  TestImage<float> floats(8, 2);
  floats.FillRandom(5, 0.0f, 1.0f);
  TestImage<float> out(6, 2);
  ASSERT_EQ(fnVCAIPP_Filter_32f_C1R(&floats.at(1, 0), floats.step(), out.data(), out.step(), {6, 2}, floatKernel,
                                    {3, 1}, {1, 0}),
            ippStsNoErr);
  EXPECT_EQ(out.at(0, 1), 0.5f * floats.at(2, 1) + 0.25f * floats.at(1, 1) + 0.25f * floats.at(0, 1));
}

TEST(FilterExports, GaussBorderBufferTriplet) {
  TestImage<float> source(40, 20);
  source.FillRandom(6, 0.0f, 10.0f);
  int size = 0;
  EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize({40, 20}, 4, &size), ippStsBadArgErr);
  ASSERT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize({40, 20}, 5, &size), ippStsNoErr);
  std::vector<uint8_t> buffer(size);
  TestImage<float> withBuffer(40, 20);
  ASSERT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(source.data(), source.step(), withBuffer.data(),
                                                      withBuffer.step(), {40, 20}, 5, 2, buffer.data()),
            ippStsNoErr);
  // Kernel size 4 filters with 5.
  TestImage<float> plain(40, 20);
  ASSERT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R(source.data(), source.step(), plain.data(), plain.step(), {40, 20}, 4,
                                               2),
            ippStsNoErr);
  EXPECT_EQ(plain.RegionBytes(), withBuffer.RegionBytes());
  TestImage<float> viaEven(40, 20);
  ASSERT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(source.data(), source.step(), viaEven.data(), viaEven.step(),
                                                      {40, 20}, 4, 2, buffer.data()),
            ippStsNoErr);
  EXPECT_EQ(viaEven.RegionBytes(), withBuffer.RegionBytes());
  EXPECT_TRUE(plain.GuardsIntact());

  EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(nullptr, 0, nullptr, 0, {0, 0}, 2, 1, nullptr),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R(source.data(), source.step(), plain.data(), plain.step(), {0, 20}, 5, 2),
            ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R(nullptr, source.step(), plain.data(), plain.step(), {40, 20}, 5, 2),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R(source.data(), source.step(), plain.data(), plain.step(), {40, 20}, 1, 2),
            ippStsBadArgErr);
}

// Kernel sizes whose buffer size would wrap: the query refuses them, and so do both filter forms,
// with the query's status and without touching anything.
TEST(FilterExports, GaussBorderRefusesBuffersItCannotSize) {
  float pixel = 5.0f, out = -1.0f;
  std::vector<uint8_t> buffer(4096, 0x3C);
  for (int k : {1073741825, 2147483632, 2147483633, 2147483634, 2147483635, 2147483647}) {
    SCOPED_TRACE(k);
    int size = -7;
    EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize({1, 1}, k | 1, &size), ippStsSizeErr);
    EXPECT_EQ(size, -7);
    EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R(&pixel, 4, &out, 4, {1, 1}, k, 2), ippStsSizeErr);
    EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(&pixel, 4, &out, 4, {1, 1}, k, 2, buffer.data()),
              ippStsSizeErr);
  }
  EXPECT_EQ(out, -1.0f);
  for (uint8_t byte : buffer) ASSERT_EQ(byte, 0x3C);
}

TEST(FilterExports, BorderCopies) {
  TestImage<uint8_t> source(9, 7);
  source.FillRandom(7, 0, 255);
  // b = 0 copies the whole image.
  TestImage<uint8_t> copy(9, 7, source.step() - 9, 1);
  ASSERT_EQ(fnVCAIPP_CopyConstBorder_8u_C1R(source.data(), copy.data(), 9, 7, source.step(), 0, 1), ippStsNoErr);
  EXPECT_EQ(copy.Region(), source.Region());
  ASSERT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1R(source.data(), copy.data(), 9, 7, source.step(), 0), ippStsNoErr);
  EXPECT_EQ(copy.Region(), source.Region());

  // b = 2: the frame is constant or replicated; the source's own frame is never read.
  TestImage<uint8_t> framed(9, 7, source.step() - 9, 1);
  ASSERT_EQ(fnVCAIPP_CopyConstBorder_8u_C1R(source.data(), framed.data(), 9, 7, source.step(), 2, 0xAB), ippStsNoErr);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool inner = x >= 2 && x < 7 && y >= 2 && y < 5;
      ASSERT_EQ(framed.at(x, y), inner ? source.at(x, y) : 0xAB);
    }
  ASSERT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1R(source.data(), framed.data(), 9, 7, source.step(), 2), ippStsNoErr);
  ExpectCompleted(framed, 2, 2, 5, 3);
  EXPECT_EQ(framed.at(0, 0), source.at(2, 2));
  ASSERT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1IR(source.data(), 9, 7, source.step(), 2), ippStsNoErr);
  EXPECT_EQ(source.Region(), framed.Region());
  EXPECT_TRUE(framed.GuardsIntact());

  // 2b must stay below the width and height, b non-negative.
  const auto before = framed.Region();
  EXPECT_EQ(fnVCAIPP_CopyConstBorder_8u_C1R(source.data(), framed.data(), 9, 7, source.step(), 5, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CopyConstBorder_8u_C1R(source.data(), framed.data(), 9, 7, source.step(), 4, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1R(source.data(), framed.data(), 9, 7, source.step(), 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1IR(framed.data(), 9, 7, source.step(), -1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1IR(framed.data(), 9, 7, 0, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1IR(nullptr, 9, 7, 16, 9), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CopyConstBorder_8u_C1R(source.data(), framed.data(), 9, 7, source.step(), 1 << 30, 0),
            ippStsSizeErr);
  EXPECT_EQ(framed.Region(), before);
}

}  // namespace
}  // namespace ryn::test
