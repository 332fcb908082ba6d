// Derivative filters and Canny through the exports: OpenCV agreement on exact (integer-valued)
// inputs, border types, the documented edge cases, buffer sizes, argument checks in order, and
// every processor build against the generic one.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/derivatives/border_rules.h"
#include "primitives/derivatives/derivatives.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using derivatives::Bordered;

cv::Mat MatOf(const TestImage<float>& image) {
  return cv::Mat(image.height(), image.width(), CV_32F, const_cast<float*>(image.data()), image.step());
}
cv::Mat MatOf(const TestImage<uint8_t>& image) {
  return cv::Mat(image.height(), image.width(), CV_8U, const_cast<uint8_t*>(image.data()), image.step());
}

// Small integers keep every float sum exact, so any summation order gives the same bits.
TestImage<float> IntegerImage(int w, int h, uint32_t seed) {
  TestImage<float> image(w, h, 8, 4);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.at(x, y) = float(int(rng() % 201) - 100);
  return image;
}

template <class T>
void ExpectEqualsMat(const TestImage<T>& image, const cv::Mat& expected, int x0 = 0, int y0 = 0) {
  for (int y = 0; y < expected.rows; ++y)
    for (int x = 0; x < expected.cols; ++x) ASSERT_EQ(image.at(x0 + x, y0 + y), expected.at<T>(y, x)) << x << "," << y;
}

TEST(SobelFilters, UnborderedReadsOnePixelAroundTheShiftedRegion) {
  const auto source = IntegerImage(23, 9, 1);
  cv::Mat horizontal, vertical;
  cv::Sobel(MatOf(source), horizontal, CV_32F, 0, 1, 3);
  cv::Sobel(MatOf(source), vertical, CV_32F, 1, 0, 3);
  vertical = -vertical;  // left minus right
  TestImage<float> h(23, 9), v(23, 9);
  h.Fill(5.0f);
  v.Fill(5.0f);
  const IppiSize region{21, 7};
  ASSERT_EQ(fnVCAIPP_FilterSobelHoriz_32f_C1R(source.data(), source.step(), h.data(), h.step(), region), ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_FilterSobelVert_32f_C1R(source.data(), source.step(), v.data(), v.step(), region), ippStsNoErr);
  ExpectEqualsMat(h, horizontal(cv::Rect(1, 1, 21, 7)), 1, 1);
  ExpectEqualsMat(v, vertical(cv::Rect(1, 1, 21, 7)), 1, 1);
  EXPECT_EQ(h.at(0, 0), 5.0f);  // outside the shifted region
  EXPECT_EQ(h.at(22, 8), 5.0f);
  EXPECT_TRUE(h.GuardsIntact());
}

TEST(PrewittFilters, InsetThenReplicatedFrame) {
  const auto source = IntegerImage(12, 8, 2);
  const cv::Mat horizontalKernel = (cv::Mat_<float>(3, 3) << -1, -1, -1, 0, 0, 0, 1, 1, 1);
  cv::Mat horizontal, vertical;
  cv::filter2D(MatOf(source), horizontal, CV_32F, horizontalKernel);
  cv::filter2D(MatOf(source), vertical, CV_32F, horizontalKernel.t() * -1);
  for (auto [call, expected] : {std::pair{&fnVCAIPP_FilterPrewittHoriz_32f_C1R, horizontal},
                                std::pair{&fnVCAIPP_FilterPrewittVert_32f_C1R, vertical}}) {
    TestImage<float> destination(12, 8);
    ASSERT_EQ(call(source.data(), source.step(), destination.data(), destination.step(), {12, 8}), ippStsNoErr);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 12; ++x)
        ASSERT_EQ(destination.at(x, y), expected.at<float>(std::clamp(y, 1, 6), std::clamp(x, 1, 10)));
    EXPECT_TRUE(destination.GuardsIntact());
  }
}

TEST(SobelFilters, BorderedFloatFiltersAgreeWithOpenCvWithReplicatedBorders) {
  const auto source = IntegerImage(19, 13, 3);
  const cv::Mat in = MatOf(source);
  struct Case {
    IppStatus (*call)(const float*, int, float*, int, IppiSize, int);
    int code, dx, dy;
    float sign;
  };
  for (const Case& c : {Case{fnVCAIPP_FilterSobelHorizBorder_32f_C1R, 33, 0, 1, 1},
                        Case{fnVCAIPP_FilterSobelHorizBorder_32f_C1R, 55, 0, 1, 1},
                        Case{fnVCAIPP_FilterSobelVertBorder_32f_C1R, 33, 1, 0, -1},
                        Case{fnVCAIPP_FilterSobelVertBorder_32f_C1R, 55, 1, 0, -1}}) {
    cv::Mat expected;
    cv::Sobel(in, expected, CV_32F, c.dx, c.dy, c.code / 11, c.sign, 0, cv::BORDER_REPLICATE);
    TestImage<float> destination(19, 13);
    ASSERT_EQ(c.call(source.data(), source.step(), destination.data(), destination.step(), {19, 13}, c.code),
              ippStsNoErr);
    ExpectEqualsMat(destination, expected);
    EXPECT_TRUE(destination.GuardsIntact());
  }
  cv::Mat cross, laplacian;
  const cv::Mat crossKernel = (cv::Mat_<float>(3, 3) << -1, 0, 1, 0, 0, 0, 1, 0, -1);
  cv::filter2D(in, cross, CV_32F, crossKernel, {-1, -1}, 0, cv::BORDER_REPLICATE);
  cv::Laplacian(in, laplacian, CV_32F, 5, 1, 0, cv::BORDER_REPLICATE);
  TestImage<float> destination(19, 13);
  ASSERT_EQ(fnVCAIPP_FilterSobelCrossBorder_32f_C1IR(source.data(), source.step(), destination.data(),
                                                     destination.step(), {19, 13}),
            ippStsNoErr);
  ExpectEqualsMat(destination, cross);
  ASSERT_EQ(fnVCAIPP_FilterLaplacianBorder_32f_C1R(source.data(), source.step(), destination.data(),
                                                   destination.step(), {19, 13}),
            ippStsNoErr);
  ExpectEqualsMat(destination, laplacian);
}

TEST(SobelFilters, EightBitFiltersAgreeWithOpenCvForEachBorderType) {
  TestImage<uint8_t> source(17, 11);
  source.FillRandom(4, 0, 255);
  int bytes = 0;
  ASSERT_EQ(fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R({17, 11}, 55, &bytes), ippStsNoErr);
  std::vector<uint8_t> buffer(static_cast<size_t>(bytes));
  for (auto [type, cvType] : {std::pair{0, cv::BORDER_CONSTANT}, {1, cv::BORDER_REPLICATE}, {3, cv::BORDER_REFLECT},
                              {4, cv::BORDER_REFLECT_101}, {1 | 256 | 16 * 0, cv::BORDER_REPLICATE}}) {
    if (type == 256 + 1) continue;
    for (int code : {33, 55}) {
      SCOPED_TRACE(::testing::Message() << "type " << type << " code " << code);
      cv::Mat horizontal, negVertical;
      cv::Sobel(MatOf(source), horizontal, CV_16S, 0, 1, code / 11, 1, 0, cvType);
      cv::Sobel(MatOf(source), negVertical, CV_16S, 1, 0, code / 11, 1, 0, cvType);
      TestImage<int16_t> h(17, 11), v(17, 11);
      ASSERT_EQ(fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(source.data(), source.step(), h.data(), h.step(), {17, 11},
                                                          code, type, 0, buffer.data()),
                ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R(source.data(), source.step(), v.data(), v.step(),
                                                            {17, 11}, code, type, 0, buffer.data()),
                ippStsNoErr);
      ExpectEqualsMat(h, horizontal);
      ExpectEqualsMat(v, negVertical);
      EXPECT_TRUE(h.GuardsIntact());
    }
  }
}

TEST(SobelFilters, WrapConstantValueAndMemorySides) {
  // A 4 x 3 image inside a larger one: wrap reads the opposite side, the constant border its
  // value, the memory flags the caller's pixels around the region.
  TestImage<uint8_t> whole(6, 5);
  whole.FillRandom(5, 0, 255);
  const uint8_t* region = &whole.at(1, 1);
  std::vector<uint8_t> buffer(4096);
  auto filterAt = [&](int type, uint8_t value) {
    TestImage<int16_t> out(4, 3);
    EXPECT_EQ(fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(region, whole.step(), out.data(), out.step(), {4, 3}, 33,
                                                        type, value, buffer.data()),
              ippStsNoErr);
    return out;
  };
  auto expected = [&](auto pixel) {  // pixel(x, y) for x in -1..4, y in -1..3
    std::vector<int16_t> out;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        int sum = 0;
        for (int i = -1; i <= 1; ++i) sum += (i == 0 ? 2 : 1) * (pixel(x + i, y + 1) - pixel(x + i, y - 1));
        out.push_back(int16_t(sum));
      }
    return out;
  };
  auto inside = [&](int x, int y) { return int(whole.at(1 + x, 1 + y)); };
  EXPECT_EQ(filterAt(2, 0).Region(), expected([&](int x, int y) { return inside((x + 4) % 4, (y + 3) % 3); }));
  EXPECT_EQ(filterAt(0, 9).Region(), expected([&](int x, int y) {
    return x < 0 || x > 3 || y < 0 || y > 2 ? 9 : inside(x, y);
  }));
  const auto everything = expected(inside);
  EXPECT_EQ(filterAt(6, 0).Region(), everything);
  EXPECT_EQ(filterAt(1 | 16 | 32 | 64 | 128 | 512, 0).Region(), everything);
  EXPECT_EQ(filterAt(0 | 64 | 128, 7).Region(), expected([&](int x, int y) {
    return x < 0 || x > 3 ? 7 : inside(x, y);
  }));
}

TEST(SobelFilters, BorderTypeValidity) {
  for (int type : {0, 1, 2, 3, 4, 6, 16, 32, 64, 128, 240, 1 | 16, 4 | 128, 6 | 32, 1 | 16 | 1024}) {
    EXPECT_EQ(derivatives::ValidBorderType(type), ippStsNoErr) << type;
  }
  for (int type : {5, 7, 8, 15, 256, 1 | 256, -1, 512 | 3}) {
    EXPECT_EQ(derivatives::ValidBorderType(type), ippStsBadArgErr) << type;
  }
}

TEST(SobelFilters, StepEdgesAndConstantImages) {
  // Dark above, bright below: positive horizontal, zero vertical.
  TestImage<uint8_t> source(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) source.at(x, y) = y < 4 ? 10 : 200;
  std::vector<uint8_t> buffer(4096);
  TestImage<int16_t> h(8, 8), v(8, 8);
  ASSERT_EQ(fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(source.data(), source.step(), h.data(), h.step(), {8, 8}, 33, 1,
                                                      0, buffer.data()),
            ippStsNoErr);
  ASSERT_EQ(fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R(source.data(), source.step(), v.data(), v.step(), {8, 8}, 33,
                                                        1, 0, buffer.data()),
            ippStsNoErr);
  EXPECT_EQ(h.at(3, 3), 4 * 190);
  EXPECT_EQ(h.at(0, 4), 4 * 190);
  EXPECT_EQ(h.at(3, 1), 0);
  EXPECT_EQ(v.Region(), std::vector<int16_t>(64, 0));
  // Bright on the left: positive vertical Sobel, the negative vertical with the opposite sign.
  auto floats = IntegerImage(8, 8, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) floats.at(x, y) = x < 4 ? 200.0f : 10.0f;
  TestImage<float> vertical(8, 8);
  ASSERT_EQ(fnVCAIPP_FilterSobelVertBorder_32f_C1R(floats.data(), floats.step(), vertical.data(), vertical.step(),
                                                   {8, 8}, 33),
            ippStsNoErr);
  EXPECT_EQ(vertical.at(3, 2), 760.0f);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) source.at(x, y) = x < 4 ? 200 : 10;
  ASSERT_EQ(fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R(source.data(), source.step(), v.data(), v.step(), {8, 8}, 33,
                                                        1, 0, buffer.data()),
            ippStsNoErr);
  EXPECT_EQ(v.at(3, 2), -760);
  // Constant: 0 everywhere, border included.
  floats.Fill(37.0f);
  for (int code : {33, 55}) {
    ASSERT_EQ(fnVCAIPP_FilterSobelHorizBorder_32f_C1R(floats.data(), floats.step(), vertical.data(), vertical.step(),
                                                      {8, 8}, code),
              ippStsNoErr);
    EXPECT_EQ(vertical.Region(), std::vector<float>(64, 0.0f));
  }
  ASSERT_EQ(fnVCAIPP_FilterLaplacianBorder_32f_C1R(floats.data(), floats.step(), vertical.data(), vertical.step(),
                                                   {8, 8}),
            ippStsNoErr);
  EXPECT_EQ(vertical.Region(), std::vector<float>(64, 0.0f));
}

TEST(LaplacianFilter, OfXSquaredIsAPositiveConstantInside) {
  TestImage<float> source(12, 9), destination(12, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) source.at(x, y) = float(x * x);
  int bytes = 0;
  ASSERT_EQ(fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize({12, 9}, &bytes), ippStsNoErr);
  std::vector<uint8_t> buffer(static_cast<size_t>(bytes));
  ASSERT_EQ(fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf(source.data(), source.step(), destination.data(),
                                                          destination.step(), {12, 9}, buffer.data()),
            ippStsNoErr);
  for (int y = 0; y < 9; ++y)
    for (int x = 2; x < 10; ++x) EXPECT_EQ(destination.at(x, y), destination.at(2, 0));
  EXPECT_GT(destination.at(2, 0), 0.0f);
}

TEST(Gradients, RampGivesEightAndLeavesTheDerivatives) {
  TestImage<float> image(10, 6), horizontal(10, 6), vertical(10, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) image.at(x, y) = float(x);
  int bytes = 0;
  ASSERT_EQ(fnVCAIPP_GradientsGetBufferSize_32f({10, 6}, 12345, &bytes), ippStsNoErr);
  EXPECT_EQ(bytes, 84 * 16 + 952);
  std::vector<uint8_t> buffer(static_cast<size_t>(bytes));
  ASSERT_EQ(fnVCAIPP_Gradients_32f_C1IR(image.data(), image.step(), horizontal.data(), horizontal.step(),
                                        vertical.data(), vertical.step(), 33, 1, 0.0f, {10, 6}, buffer.data()),
            ippStsNoErr);
  for (int y = 0; y < 6; ++y)
    for (int x = 1; x < 9; ++x) {
      EXPECT_EQ(image.at(x, y), 8.0f);
      EXPECT_EQ(vertical.at(x, y), -8.0f);
      EXPECT_EQ(horizontal.at(x, y), 0.0f);
    }
  // Mask 55 with the same buffer: 5 x 5 Sobel of the ramp, 4 * 16 * 1 * ... away from the border.
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) image.at(x, y) = float(x);
  ASSERT_EQ(fnVCAIPP_Gradients_32f_C1IR(image.data(), image.step(), horizontal.data(), horizontal.step(),
                                        vertical.data(), vertical.step(), 55, 1, 0.0f, {10, 6}, buffer.data()),
            ippStsNoErr);
  EXPECT_EQ(image.at(5, 3), 16.0f * 8.0f);
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(BufferSizes, FormulasAndLimits) {
  int size = 0;
  EXPECT_EQ(fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R({17, 3}, 33, &size), ippStsNoErr);
  EXPECT_EQ(size, 42 * 32 + 12 * 20 + 756);
  EXPECT_EQ(fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R({17, 3}, 55, &size), ippStsNoErr);
  EXPECT_EQ(size, 50 * 32 + 12 * 20 + 876);
  EXPECT_EQ(fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize({1, 1}, &size), ippStsNoErr);
  EXPECT_EQ(size, 200 * 16 + 1584);
  EXPECT_EQ(fnVCAIPP_CannyGetSize({10, 4}, &size), ippStsNoErr);
  EXPECT_EQ(size, 5 * 12 * 6 + 160 + 160);
  EXPECT_EQ(fnVCAIPP_CannyGetSize({30000, 30000}, &size), ippStsSizeErr);  // beyond 32 bits
  EXPECT_EQ(fnVCAIPP_CannyGetSize({INT_MAX, INT_MAX}, &size), ippStsSizeErr);  // beyond 64 bits
  EXPECT_EQ(fnVCAIPP_CannyGetSize({INT_MAX, 1}, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_CannyGetSize({1, 1}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CannyGetSize({0, 1}, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R({1, 1}, 44, &size), ippStsMaskSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R({1, 0}, 44, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_GradientsGetBufferSize_32f({INT_MAX, 1}, 0, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_GradientsGetBufferSize_32f({0, 1}, 0, nullptr), ippStsNullPtrErr);
}

TEST(DerivativeFilters, BadArgumentsInOrderWithNothingWritten) {
  TestImage<float> source(8, 8), destination(8, 8);
  source.Fill(1.0f);
  destination.Fill(3.0f);
  const float* s = source.data();
  float* d = destination.data();
  const int ss = source.step(), ds = destination.step();
  std::vector<uint8_t> buffer(8192);
  // Unbordered and Prewitt: null, size, step.
  EXPECT_EQ(fnVCAIPP_FilterSobelHoriz_32f_C1R(nullptr, ss, d, ds, {0, 0}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelVert_32f_C1R(s, 0, d, ds, {0, 6}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelVert_32f_C1R(s, ss, d, 0, {6, 6}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterPrewittHoriz_32f_C1R(s, 0, d, ds, {2, 8}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterPrewittVert_32f_C1R(s, 0, d, ds, {8, 8}), ippStsStepErr);
  // Bordered float: null, size, step, whole pixels, mask.
  EXPECT_EQ(fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf(s, 0, d, ds, {0, 8}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelHorizBorder_32f_C1R(s, 0, d, ds, {0, 8}, 44), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelHorizBorder_32f_C1R(s, 31, d, ds, {8, 8}, 44), ippStsMaskSizeErr);  // size query first
  EXPECT_EQ(fnVCAIPP_FilterSobelVertBorder_32f_C1R(s, 31, d, ds, {8, 8}, 33), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterSobelCrossBorder_32f_C1IR(s, 34, d, ds, {8, 8}), ippStsNotEvenStepErr);
  // 8u-to-16s: null, size, steps, odd destination step, border type, mask.
  TestImage<uint8_t> bytes(8, 8);
  TestImage<int16_t> words(8, 8);
  words.Fill(3);
  auto sobel = [&](int sourceStep, int destinationStep, IppiSize r, int code, int type, uint8_t* b) {
    return fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(bytes.data(), sourceStep, words.data(), destinationStep, r, code,
                                                     type, 0, b);
  };
  EXPECT_EQ(sobel(8, 16, {8, 8}, 33, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(sobel(0, 0, {8, 0}, 44, 5, buffer.data()), ippStsSizeErr);
  EXPECT_EQ(sobel(7, 16, {8, 8}, 44, 5, buffer.data()), ippStsStepErr);
  EXPECT_EQ(sobel(8, 15, {7, 8}, 44, 5, buffer.data()), ippStsNotEvenStepErr);
  EXPECT_EQ(sobel(8, 16, {8, 8}, 44, 5, buffer.data()), ippStsBadArgErr);
  EXPECT_EQ(sobel(8, 16, {8, 8}, 44, 1, buffer.data()), ippStsMaskSizeErr);
  // Gradients: size, image, its step, horizontal, its step, vertical, its step, buffer, then
  // the filters' own checks.
  auto gradients = [&](float* image, int step, float* h, float* v, IppiSize r, uint8_t* b, int type) {
    return fnVCAIPP_Gradients_32f_C1IR(image, step, h, ds, v, ds, 33, type, 0.0f, r, b);
  };
  EXPECT_EQ(gradients(nullptr, 0, nullptr, nullptr, {0, 1}, nullptr, 1), ippStsSizeErr);
  EXPECT_EQ(gradients(nullptr, 0, d, d, {8, 8}, buffer.data(), 1), ippStsNullPtrErr);
  EXPECT_EQ(gradients(d, 7, d, d, {8, 8}, buffer.data(), 1), ippStsStepErr);
  EXPECT_EQ(gradients(d, ds, nullptr, d, {8, 8}, buffer.data(), 1), ippStsNullPtrErr);
  EXPECT_EQ(gradients(d, ds, d, d, {8, 8}, nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(gradients(d, ds, d, d, {8, 8}, buffer.data(), 5), ippStsBadArgErr);
  EXPECT_EQ(destination.Region(), std::vector<float>(64, 3.0f));
  EXPECT_EQ(words.Region(), std::vector<int16_t>(64, 3));
}

// ------------------------------------------------------------------------------------------
// Canny.

struct Gradients16s {
  TestImage<int16_t> dx, dy;
  explicit Gradients16s(int w, int h) : dx(w, h, 6, 2), dy(w, h, 2, 2) {
    dx.Fill(0);
    dy.Fill(0);
  }
};

std::vector<uint8_t> CannyOf(const Gradients16s& g, float low, float high, IppStatus expected = ippStsNoErr) {
  int bytes = 0;
  EXPECT_EQ(fnVCAIPP_CannyGetSize(g.dx.size(), &bytes), ippStsNoErr);
  std::vector<uint8_t> buffer(static_cast<size_t>(bytes));
  TestImage<uint8_t> edges(g.dx.width(), g.dx.height());
  edges.Fill(7);
  EXPECT_EQ(fnVCAIPP_Canny_16s8u_C1R(g.dx.data(), g.dx.step(), g.dy.data(), g.dy.step(), edges.data(), edges.step(),
                                     g.dx.size(), low, high, buffer.data()),
            expected);
  EXPECT_TRUE(edges.GuardsIntact());
  return edges.Region();
}

TEST(Canny, AgreesWithOpenCvOnSobelGradients) {
  TestImage<uint8_t> image(64, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 64; ++x) {
      const int dx = x - 30, dy = y - 18;
      image.at(x, y) = uint8_t((dx * dx + 2 * dy * dy < 220 ? 180 : 40) + (x * 7 + y * 13) % 11);
    }
  cv::Mat dx, dy, expected;
  cv::Sobel(MatOf(image), dx, CV_16S, 1, 0, 3, 1, 0, cv::BORDER_REPLICATE);
  cv::Sobel(MatOf(image), dy, CV_16S, 0, 1, 3, 1, 0, cv::BORDER_REPLICATE);
  cv::Canny(dx, dy, expected, 100, 300, false);
  Gradients16s g(64, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 64; ++x) {
      g.dx.at(x, y) = dx.at<int16_t>(y, x);
      g.dy.at(x, y) = dy.at<int16_t>(y, x);
    }
  const auto edges = CannyOf(g, 100, 300);
  int count = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(edges[size_t(y * 64 + x)], expected.at<uint8_t>(y, x)) << x << "," << y;
      count += edges[size_t(y * 64 + x)] != 0;
    }
  EXPECT_GT(count, 20);
}

TEST(Canny, ThresholdsAndHysteresis) {
  // A horizontal ridge of gy along row 3: strong at x = 2, weak elsewhere.
  Gradients16s g(9, 7);
  EXPECT_EQ(CannyOf(g, 1, 2), std::vector<uint8_t>(63, 0));  // all-zero gradients
  for (int x = 2; x <= 6; ++x) g.dy.at(x, 3) = x == 2 ? 100 : 40;
  auto ridge = [](std::initializer_list<int> xs) {
    std::vector<uint8_t> out(63, 0);
    for (int x : xs) out[size_t(3 * 9 + x)] = 255;
    return out;
  };
  EXPECT_EQ(CannyOf(g, 20, 60), ridge({2, 3, 4, 5, 6}));  // weak ridge connected along the row
  EXPECT_EQ(CannyOf(g, 60, 60), ridge({2}));              // low = high: strong edges only
  EXPECT_EQ(CannyOf(g, 40, 60), ridge({2}));              // 40 is not above the low threshold
  EXPECT_EQ(CannyOf(g, 61, 60, ippStsBadArgErr), std::vector<uint8_t>(63, 7));
  EXPECT_EQ(CannyOf(g, -1, 60, ippStsBadArgErr), std::vector<uint8_t>(63, 7));
  // Diagonal contact: a weak pixel at (7, 2), up-right of (6, 3)... through a gap at (6, 3).
  g.dy.at(6, 3) = 0;
  g.dy.at(6, 2) = 40;  // touches (5, 3) diagonally
  EXPECT_EQ(CannyOf(g, 20, 60)[size_t(2 * 9 + 6)], 255);
  g.dy.at(6, 2) = 0;
  g.dy.at(7, 3) = 40;  // separated from (5, 3) by the non-candidate (6, 3)
  EXPECT_EQ(CannyOf(g, 20, 60)[size_t(3 * 9 + 7)], 0);
  // A 1 x 1 region: an edge only above both thresholds.
  Gradients16s one(1, 1);
  one.dx.at(0, 0) = -30;
  EXPECT_EQ(CannyOf(one, 10, 29.5f), std::vector<uint8_t>{255});
  EXPECT_EQ(CannyOf(one, 10, 30), std::vector<uint8_t>{0});
}

TEST(Canny, BadArgumentsInOrder) {
  Gradients16s g(8, 4);
  std::vector<uint8_t> buffer(4096), edges(64, 7);
  auto canny = [&](const int16_t* dx, int dxStep, int dyStep, int edgesStep, IppiSize r, float low, uint8_t* b) {
    return fnVCAIPP_Canny_16s8u_C1R(dx, dxStep, g.dy.data(), dyStep, edges.data(), edgesStep, r, low, 50, b);
  };
  EXPECT_EQ(canny(g.dx.data(), 16, 16, 8, {8, 4}, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(canny(nullptr, 16, 16, 8, {8, 4}, 1, buffer.data()), ippStsNullPtrErr);
  EXPECT_EQ(canny(g.dx.data(), 0, 0, 0, {8, 0}, -1, buffer.data()), ippStsSizeErr);
  EXPECT_EQ(canny(g.dx.data(), 15, 16, 8, {8, 4}, -1, buffer.data()), ippStsStepErr);
  EXPECT_EQ(canny(g.dx.data(), 16, 16, 7, {8, 4}, -1, buffer.data()), ippStsStepErr);
  EXPECT_EQ(canny(g.dx.data(), 17, 16, 8, {8, 4}, -1, buffer.data()), ippStsNotEvenStepErr);
  EXPECT_EQ(canny(g.dx.data(), 16, 16, 8, {8, 4}, 51, buffer.data()), ippStsBadArgErr);
  EXPECT_EQ(edges, std::vector<uint8_t>(64, 7));
}

// ------------------------------------------------------------------------------------------
// Processor builds against the generic build.

template <class T>
TestImage<T> SourceAround(const Shape& shape, int radius, uint32_t seed, T low, T high) {
  TestImage<T> source(shape.width + 2 * radius, shape.height + 2 * radius,
                      sizeof(T) == 1 ? shape.padding + 1 : int(sizeof(T)) * (shape.padding + 1), sizeof(T) == 1 ? 3 : 4);
  source.FillRandom(seed, low, high);
  return source;
}

TEST(DerivativeBuilds, FloatFiltersMatchGeneric) {
  ForEachOddShape([&](const Shape& shape) {
    if (shape.width > 200 && shape.padding != 0) return;
    const auto source = SourceAround<float>(shape, 2, uint32_t(shape.width + 3 * shape.padding), -50.0f, 50.0f);
    const IppiSize region{shape.width, shape.height};
    std::vector<uint8_t> buffer(size_t(200 * (shape.width + 16) + 1584));
    ExpectBuildsMatchGeneric([&](Build build) {
      std::vector<std::tuple<IppStatus, Snapshot>> results;
      auto destination = [&] {
        TestImage<float> out(shape.width, shape.height, 4 * shape.padding, 4);
        out.FillBytes(SentinelFor(build));
        return out;
      };
      for (auto kind : {derivatives::Unbordered::kSobelHoriz, derivatives::Unbordered::kSobelVert,
                        derivatives::Unbordered::kPrewittHoriz, derivatives::Unbordered::kPrewittVert}) {
        // Odd destination paddings put float rows off 4-byte boundaries here.
        TestImage<float> odd(shape.width, shape.height, shape.padding, 1);
        odd.FillBytes(SentinelFor(build));
        const IppStatus status = derivatives::FilterUnbordered32f(&source.at(2, 2), source.step(), odd.data(),
                                                                  odd.step(), region, kind);
        EXPECT_TRUE(odd.GuardsIntact());
        results.emplace_back(status, Capture(odd));
      }
      for (auto [kind, code] : {std::pair{Bordered::kSobelHoriz, 33}, {Bordered::kSobelVert, 55},
                                {Bordered::kSobelCross, 33}, {Bordered::kLaplacian, 55}}) {
        for (int type : {0, 1, 2, 3, 4, 6}) {
          auto out = destination();
          const IppStatus status = derivatives::FilterBordered32f(&source.at(2, 2), source.step(), out.data(),
                                                                  out.step(), region, kind, code, type, 2.5f,
                                                                  buffer.data());
          EXPECT_TRUE(out.GuardsIntact());
          results.emplace_back(status, Capture(out));
        }
      }
      return results;
    });
  });
}

TEST(DerivativeBuilds, EightBitFiltersAndCannyMatchGeneric) {
  ForEachOddShape([&](const Shape& shape) {
    if (shape.width > 200 && shape.padding != 0) return;
    const auto source = SourceAround<uint8_t>(shape, 2, uint32_t(shape.width * 5 + shape.padding), 0, 255);
    const IppiSize region{shape.width, shape.height};
    std::vector<uint8_t> buffer(size_t(5 * (shape.width + 2) * (shape.height + 2) + 16 * shape.width + 160));
    // Gradients with ties between neighbours and both signs, and the extreme values.
    auto dx = SourceAround<int16_t>(shape, 0, uint32_t(shape.width), -6, 6);
    auto dy = SourceAround<int16_t>(shape, 0, uint32_t(shape.height + 1), -6, 6);
    dx.at(0, 0) = -32768;
    dy.at(shape.width - 1, 0) = 32767;
    ExpectBuildsMatchGeneric([&](Build build) {
      std::vector<std::tuple<IppStatus, Snapshot>> results;
      for (auto kind : {Bordered::kSobelHoriz, Bordered::kSobelNegVert}) {
        for (auto [code, type] : {std::pair{33, 1}, {55, 3}, {33, 4}, {55, 0 | 16 | 128}}) {
          TestImage<int16_t> out(shape.width, shape.height, 2 * shape.padding, 2);
          out.FillBytes(SentinelFor(build));
          const IppStatus status = derivatives::FilterBordered8u16s(&source.at(2, 2), source.step(), out.data(),
                                                                    out.step(), region, kind, code, type, 77,
                                                                    buffer.data());
          EXPECT_TRUE(out.GuardsIntact());
          results.emplace_back(status, Capture(out));
        }
      }
      for (auto [low, high] : {std::pair{2.0f, 6.0f}, {0.0f, 0.0f}, {3.5f, 9.0f}}) {
        TestImage<uint8_t> edges(shape.width, shape.height, shape.padding, 1);
        edges.FillBytes(SentinelFor(build));
        const IppStatus status = derivatives::Canny16s8u(dx.data(), dx.step(), dy.data(), dy.step(), edges.data(),
                                                         edges.step(), region, low, high, buffer.data());
        EXPECT_TRUE(edges.GuardsIntact());
        results.emplace_back(status, Capture(edges));
      }
      return results;
    });
  });
}

}  // namespace
}  // namespace ryn::test
