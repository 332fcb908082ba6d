// Sums, means and deviations of 8-bit images, plain and masked.
#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/core.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/stats/stats.h"
#include "stats_test_support.h"
#include "support/test_image.h"
#include "support/builds.h"
#include "support/variants.h"

namespace ryn::test {
namespace {

struct Results8u {
  IppStatus sumStatus, meanStatus, maskedStatus, deviationStatus, maskedDeviationStatus;
  uint64_t sum, mean, maskedMean, deviationMean, deviation, maskedDeviationMean, maskedDeviation;
  bool operator==(const Results8u&) const = default;
};

// Every 8-bit sum export on one image and mask.
Results8u RunAll(TestImage<uint8_t>& image, TestImage<uint8_t>& mask) {
  const UnchangedSource<uint8_t> source(image), maskSource(mask);
  double sum, mean, masked, m1, d1, m2, d2;
  Results8u r{};
  r.sumStatus = fnVCAIPP_Sum_8u_C1R(image.data(), image.step(), image.size(), &sum);
  r.meanStatus = fnVCAIPP_Mean_8u_C1R(image.data(), image.step(), image.size(), &mean);
  r.maskedStatus = fnVCAIPP_Mean_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), image.size(), &masked);
  r.deviationStatus = fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), image.size(), &m1, &d1);
  r.maskedDeviationStatus =
      fnVCAIPP_Mean_StdDev_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), image.size(), &m2, &d2);
  EXPECT_TRUE(source.Check());
  EXPECT_TRUE(maskSource.Check());
  r.sum = Bits(sum), r.mean = Bits(mean), r.maskedMean = Bits(masked);
  r.deviationMean = Bits(m1), r.deviation = Bits(d1), r.maskedDeviationMean = Bits(m2), r.maskedDeviation = Bits(d2);
  return r;
}

TEST(Sums8u, VariantsMatchGenericOnOddShapes) {
  ForEachOddShape([&](const Shape& shape) {
    const int width = shape.width, height = shape.height, padding = shape.padding;
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> image(width, height, padding, 3);
      image.FillRandom(width * 7 + height, 0, 255);
      TestImage<uint8_t> mask(width, height, padding + 2, 1);
      mask.FillRandom(width + padding, 0, 2);  // about a third unselected
      return RunAll(image, mask);
    });
  });
}

// Rows starting at every byte of a 64-byte line, so that every build meets every head and tail
// before and after its aligned vectors.
TEST(Sums8u, RowsAtEveryAlignment) {
  for (int misalign = 0; misalign < 64; ++misalign) {
    SCOPED_TRACE(::testing::Message() << "first pixel " << misalign << " bytes past a 64-byte boundary");
    ExpectBuildsMatchGeneric([&](Build) {
      TestImage<uint8_t> image(333, 3, misalign % 7, misalign);
      image.FillRandom(misalign, 0, 255);
      TestImage<uint8_t> mask(333, 3, 0, 63 - misalign);
      mask.FillRandom(misalign + 1, 0, 1);
      uint64_t sum = 0;
      for (uint8_t v : image.Region()) sum += v;
      const Results8u r = RunAll(image, mask);
      EXPECT_EQ(std::bit_cast<double>(r.sum), static_cast<double>(sum));
      return r;
    });
  }
}

// Rows whose squares would overflow 32-bit lanes unless they are widened in time.
TEST(Sums8u, LongBrightRowsStayExact) {
  ExpectBuildsMatchGeneric([](Build) {
    TestImage<uint8_t> image(100003, 2, 0, 1);
    image.Fill(255);
    TestImage<uint8_t> mask(100003, 2, 0, 1);
    mask.Fill(1);
    const Results8u r = RunAll(image, mask);
    EXPECT_EQ(std::bit_cast<double>(r.sum), 255.0 * 200006);
    EXPECT_EQ(std::bit_cast<double>(r.deviation), 0.0);
    EXPECT_EQ(std::bit_cast<double>(r.maskedDeviation), 0.0);
    return r;
  });
}

TEST(Sums8u, AgreeWithOpenCv) {
  for (IppiSize size : {IppiSize{640, 480}, IppiSize{37, 211}}) {
    TestImage<uint8_t> image(size.width, size.height, 9, 1);
    image.FillRandom(size.width, 0, 255);
    TestImage<uint8_t> mask(size.width, size.height, 4, 2);
    mask.FillRandom(size.height, 0, 3);
    const cv::Mat cvImage = AsMat(image), cvMask = AsMat(mask);
    ForEachBuild([&](Build) {
      double sum, mean, masked, m, d, mm, md;
      ASSERT_EQ(fnVCAIPP_Sum_8u_C1R(image.data(), image.step(), size, &sum), ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mean_8u_C1R(image.data(), image.step(), size, &mean), ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mean_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), size, &masked),
                ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), size, &m, &d), ippStsNoErr);
      ASSERT_EQ(fnVCAIPP_Mean_StdDev_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), size, &mm, &md),
                ippStsNoErr);
      EXPECT_EQ(sum, cv::sum(cvImage)[0]);
      EXPECT_NEAR(mean, cv::mean(cvImage)[0], 1e-12);
      EXPECT_NEAR(masked, cv::mean(cvImage, cvMask)[0], 1e-12);
      cv::Scalar cvMean, cvDeviation;
      cv::meanStdDev(cvImage, cvMean, cvDeviation);
      EXPECT_NEAR(m, cvMean[0], 1e-12);
      EXPECT_NEAR(d, cvDeviation[0], 1e-9);
      cv::meanStdDev(cvImage, cvMean, cvDeviation, cvMask);
      EXPECT_NEAR(mm, cvMean[0], 1e-12);
      EXPECT_NEAR(md, cvDeviation[0], 1e-9);
    });
  }
}

TEST(Sums8u, MeanIsNeitherRoundedNorTruncated) {
  TestImage<uint8_t> image(2, 2);
  image.at(0, 0) = 1, image.at(1, 0) = 2, image.at(0, 1) = 2, image.at(1, 1) = 2;
  ForEachBuild([&](Build) {
    double mean = 0;
    EXPECT_EQ(fnVCAIPP_Mean_8u_C1R(image.data(), image.step(), image.size(), &mean), ippStsNoErr);
    EXPECT_EQ(mean, 1.75);
    double deviation = -1;
    EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), image.size(), &mean, &deviation), ippStsNoErr);
    EXPECT_EQ(mean, 1.75);
    EXPECT_EQ(deviation, std::sqrt(13.0 / 4 - 1.75 * 1.75));  // population deviation
  });
}

TEST(Sums8u, SinglePixelAndEqualPixels) {
  ForEachBuild([](Build) {
    for (IppiSize size : {IppiSize{1, 1}, IppiSize{67, 5}}) {
      TestImage<uint8_t> image(size.width, size.height);
      image.Fill(201);
      double mean = 0, deviation = -1;
      EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), size, &mean, &deviation), ippStsNoErr);
      EXPECT_EQ(mean, 201.0);
      EXPECT_EQ(deviation, 0.0);
    }
  });
}

TEST(Sums8u, MaskAllZeroGivesZeroWithSuccess) {
  ForEachBuild([](Build) {
    TestImage<uint8_t> image(45, 4);
    image.FillRandom(3, 1, 255);
    TestImage<uint8_t> mask(45, 4);
    mask.Fill(0);
    double mean = -1, deviation = -1;
    EXPECT_EQ(fnVCAIPP_Mean_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), image.size(), &mean),
              ippStsNoErr);
    EXPECT_EQ(mean, 0.0);
    mean = -1;
    EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1MR(image.data(), image.step(), mask.data(), mask.step(), image.size(), &mean,
                                           &deviation),
              ippStsNoErr);
    EXPECT_EQ(mean, 0.0);
    EXPECT_EQ(deviation, 0.0);
  });
}

TEST(Sums8u, DeviationResultsMayBeNull) {
  TestImage<uint8_t> image(9, 9);
  image.FillRandom(5, 0, 255);
  double mean = 0, deviation = 0, both[2];
  ASSERT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), image.size(), &both[0], &both[1]), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), image.size(), &mean, nullptr), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), image.size(), nullptr, &deviation), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(image.data(), image.step(), image.size(), nullptr, nullptr), ippStsNoErr);
  EXPECT_EQ(mean, both[0]);
  EXPECT_EQ(deviation, both[1]);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1MR(image.data(), image.step(), image.data(), image.step(), image.size(), nullptr,
                                         nullptr),
            ippStsNoErr);
}

// The plain sum and mean take any step: 0 reads the first row height times, a negative step
// walks upwards.
TEST(Sums8u, SumAndMeanDoNotCheckTheStep) {
  const std::vector<uint8_t> pixels = {10, 20, 30, 40, 50, 60};
  ForEachBuild([&](Build) {
    double sum = 0, mean = 0;
    EXPECT_EQ(fnVCAIPP_Sum_8u_C1R(pixels.data(), 0, IppiSize{3, 4}, &sum), ippStsNoErr);
    EXPECT_EQ(sum, 240.0);
    EXPECT_EQ(fnVCAIPP_Mean_8u_C1R(pixels.data() + 3, -3, IppiSize{3, 2}, &mean), ippStsNoErr);
    EXPECT_EQ(mean, 35.0);
  });
}

TEST(Sums8u, BadArgumentsInOrderWithNothingWritten) {
  const uint8_t pixel = 7;
  double out = -1, other = -1;
  const IppiSize one{1, 1}, empty{0, 1};
  // Sum: pointers, then region.
  EXPECT_EQ(fnVCAIPP_Sum_8u_C1R(nullptr, 1, empty, &out), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sum_8u_C1R(&pixel, 1, one, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Sum_8u_C1R(&pixel, 1, IppiSize{1, -1}, &out), ippStsSizeErr);
  // Mean: the result pointer first.
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1R(nullptr, 1, empty, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1R(&pixel, 1, empty, &out), ippStsSizeErr);
  EXPECT_EQ(ryn::stats::Mean8u(nullptr, 1, one, &out), ippStsNullPtrErr);
  // Masked mean: pointers, region, then both steps against the width.
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1MR(&pixel, 0, nullptr, 0, empty, &out), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1MR(&pixel, 1, &pixel, 1, one, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1MR(&pixel, 0, &pixel, 0, empty, &out), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1MR(&pixel, 1, &pixel, 0, one, &out), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Mean_8u_C1MR(&pixel, 0, &pixel, 1, one, &out), ippStsStepErr);
  // Deviations: source (and mask), region, steps; null results are allowed.
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(nullptr, 0, empty, &out, &other), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(&pixel, 0, empty, &out, &other), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1R(&pixel, 2, IppiSize{3, 1}, &out, &other), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1MR(&pixel, 0, nullptr, 0, empty, &out, &other), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1MR(&pixel, 0, &pixel, 0, empty, &out, &other), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mean_StdDev_8u_C1MR(&pixel, 1, &pixel, 0, one, &out, &other), ippStsStepErr);
  EXPECT_EQ(out, -1.0);
  EXPECT_EQ(other, -1.0);
}

// 65536 x 32769 pixels (more than 2^31) read through step 0 from one row: the pixel count must not
// wrap. The first variant build is enough; the count is formed once for all of them.
TEST(Sums8u, RegionOfMoreThan2To31PixelsHasItsTrueMean) {
  std::vector<uint8_t> row(65536);
  for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(i % 3 == 0 ? 200 : 2);
  const IppiSize huge{65536, 32769};
  double mean = 0;
  ScopedVariant fastest(5);
  ASSERT_EQ(fnVCAIPP_Mean_8u_C1R(row.data(), 0, huge, &mean), ippStsNoErr);
  const double expected = (21846.0 * 200 + 43690.0 * 2) / 65536;
  EXPECT_DOUBLE_EQ(mean, expected);
}

}  // namespace
}  // namespace ryn::test
