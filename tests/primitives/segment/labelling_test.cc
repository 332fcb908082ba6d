// Labelling of marker regions, 8-bit and 16-bit, with the buffer triplet.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "segment_test_support.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

int BufferSize(IppiSize size) {
  int bytes = 0;
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(size, &bytes), ippStsNoErr);
  return bytes;
}

// Labels with a buffer of exactly the queried size and checks that nothing around it was written.
IppStatus LabelExact(TestImage<uint8_t>& image, int minimum, int maximum, int norm, int* count) {
  GuardedBuffer buffer(BufferSize(image.size()));
  const IppStatus status = fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(image.data(), image.step(), image.size(), minimum,
                                                               maximum, norm, count, buffer.data());
  EXPECT_TRUE(buffer.GuardsIntact());
  EXPECT_TRUE(image.GuardsIntact());
  return status;
}

TestImage<uint8_t> FromRows(const std::vector<std::vector<int>>& rows) {
  TestImage<uint8_t> image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.at(x, y) = static_cast<uint8_t>(rows[y][x]);
  return image;
}

std::vector<std::vector<int>> ToRows(const TestImage<uint8_t>& image) {
  std::vector<std::vector<int>> rows(static_cast<size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) rows[y].push_back(image.at(x, y));
  return rows;
}

TEST(LabelMarkers, LabelsFollowRasterOrderAndCycle) {
  auto image = FromRows({{0, 9, 0, 0, 3},
                         {0, 9, 0, 0, 0},
                         {5, 0, 0, 0, 0}});
  int count = -1;
  ASSERT_EQ(LabelExact(image, 1, 2, 1, &count), ippStsNoErr);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(ToRows(image), (std::vector<std::vector<int>>{{0, 1, 0, 0, 2}, {0, 1, 0, 0, 0}, {1, 0, 0, 0, 0}}));
}

TEST(LabelMarkers, CornersJoinOnlyWithEightNeighbours) {
  const std::vector<std::vector<int>> corner = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  auto eight = FromRows(corner), four = FromRows(corner);
  int count8 = 0, count4 = 0;
  ASSERT_EQ(LabelExact(eight, 10, 20, 0, &count8), ippStsNoErr);
  ASSERT_EQ(LabelExact(four, 10, 20, 1, &count4), ippStsNoErr);
  EXPECT_EQ(count8, 1);
  EXPECT_EQ(ToRows(eight), (std::vector<std::vector<int>>{{10, 0, 0}, {0, 10, 0}, {0, 0, 10}}));
  EXPECT_EQ(count4, 3);
  EXPECT_EQ(ToRows(four), (std::vector<std::vector<int>>{{10, 0, 0}, {0, 11, 0}, {0, 0, 12}}));
}

TEST(LabelMarkers, AllZeroImageHasNoRegions) {
  TestImage<uint8_t> image(33, 7);
  image.Fill(0);
  int count = -1;
  ASSERT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR(image.data(), image.step(), image.size(), 1, 254, 0, &count), ippStsNoErr);
  EXPECT_EQ(count, 0);
  for (uint8_t pixel : image.Region()) EXPECT_EQ(pixel, 0);
}

// The regions are OpenCV's (each of its regions carries one label here, and there are as many),
// and labels follow the raster order of the regions' first pixels, cycling through the range.
template <class T>
void ExpectLabelsLikeOpenCv(const cv::Mat& binary, const TestImage<T>& labelled, int minimum, int maximum,
                            int norm, int count) {
  cv::Mat regions;
  const int found = cv::connectedComponents(binary, regions, norm == 0 ? 8 : 4, CV_32S) - 1;
  EXPECT_EQ(count, found);
  std::map<int, int> labelOf;
  int next = minimum;
  for (int y = 0; y < binary.rows; ++y) {
    for (int x = 0; x < binary.cols; ++x) {
      const int region = regions.at<int32_t>(y, x);
      const int label = static_cast<int>(labelled.at(x, y));
      if (region == 0) {
        ASSERT_EQ(label, 0) << x << ", " << y;
      } else if (const auto known = labelOf.find(region); known != labelOf.end()) {
        ASSERT_EQ(label, known->second) << x << ", " << y;
      } else {
        ASSERT_EQ(label, next) << "first pixel of a region at " << x << ", " << y;
        labelOf[region] = label;
        next = next == maximum ? minimum : next + 1;
      }
    }
  }
}

TEST(LabelMarkers, SameRegionsAsOpenCvOnRandomImages) {
  for (int norm : {0, 1}) {
    for (int seed = 0; seed < 12; ++seed) {
      TestImage<uint8_t> image(5 + 11 * seed, 3 + 5 * seed, seed % 4, seed % 3);
      image.FillRandom(static_cast<uint32_t>(seed), 0, 2);  // about a third background
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.at(x, y) = image.at(x, y) == 2 ? 0 : image.at(x, y) * 77;
      cv::Mat binary = AsMat(image) != 0;
      int count = -1;
      ASSERT_EQ(LabelExact(image, 3, 40, norm, &count), ippStsNoErr);
      ExpectLabelsLikeOpenCv(binary, image, 3, 40, norm, count);
    }
  }
}

// Patterns chosen to keep as much fill work pending as possible, in a buffer of exactly the
// queried size: the labels are right and no byte outside the buffer is written.
TEST(LabelMarkers, AdversarialImagesInAnExactBuffer) {
  for (const Pattern& pattern : AdversarialPatterns()) {
    for (const auto& [width, height] : {std::pair{1, 1}, {1, 40}, {40, 1}, {2, 33}, {3, 3}, {64, 63}, {255, 97}}) {
      for (int norm : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << pattern.name << " " << width << "x" << height << " norm " << norm);
        TestImage<uint8_t> image(width, height, 1, 1);
        Draw<uint8_t>(image, pattern, 200);
        cv::Mat binary = AsMat(image) != 0;
        int count = -1;
        ASSERT_EQ(LabelExact(image, 1, 254, norm, &count), ippStsNoErr);
        ExpectLabelsLikeOpenCv(binary, image, 1, 254, norm, count);
      }
    }
  }
}

TEST(LabelMarkers, SixteenBitLabelsGoBeyond255) {
  const int width = 41, height = 30;
  TestImage<uint16_t> image(width, height, 2, 2);
  Draw<uint16_t>(image, AdversarialPatterns()[0], 1);  // checkerboard: every pixel its own region
  int count = -1;
  ASSERT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), image.step(), image.size(), 1, 65534, 1, &count),
            ippStsNoErr);
  EXPECT_EQ(count, (width * height + 1) / 2);
  int expected = 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(image.at(x, y), (x + y) % 2 == 0 ? expected++ : 0) << x << ", " << y;
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(LabelMarkers, SixteenBitRegionsLikeOpenCv) {
  TestImage<uint16_t> image(300, 200, 0, 2);
  image.FillRandom(8, 0, 1);
  cv::Mat binary = AsMat(image) != 0;
  int count = -1;
  ASSERT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), image.step(), image.size(), 1, 65534, 0, &count),
            ippStsNoErr);
  ExpectLabelsLikeOpenCv(binary, image, 1, 65534, 0, count);
  EXPECT_GT(count, 255);
}

// 16-bit rows may start at any byte: an image one byte off gets the labels of an aligned twin.
TEST(LabelMarkers, SixteenBitImageAtAnOddAddress) {
  for (int norm : {0, 1}) {
    TestImage<uint16_t> odd(77, 31, 6, 1), aligned(77, 31, 0, 2);
    odd.FillRandom(11, 0, 2);
    aligned.FillRandom(11, 0, 2);
    int oddCount = -1, alignedCount = -2;
    ASSERT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(odd.data(), odd.step(), odd.size(), 5, 60000, norm, &oddCount),
              ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(aligned.data(), aligned.step(), aligned.size(), 5, 60000, norm,
                                             &alignedCount),
              ippStsNoErr);
    EXPECT_EQ(oddCount, alignedCount);
    EXPECT_EQ(odd.RegionBytes(), aligned.RegionBytes());
    EXPECT_TRUE(odd.GuardsIntact());
  }
}

TEST(LabelMarkers, BufferSizeQuery) {
  int size = -1;
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{7, 5}, &size), ippStsNoErr);
  EXPECT_EQ(size, 6 * 7 * 5 + 32);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{7, 5}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{0, 5}, &size), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{7, -1}, &size), ippStsSizeErr);
  // A size that does not fit in an int is refused rather than truncated.
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{20000, 20000}, &size), ippStsSizeErr);
  EXPECT_EQ(size, 6 * 7 * 5 + 32);
  // 6 W H beyond 64 bits: once wrapped, this one looked like a size of about 2^31.
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{2147460477, 1431671213}, &size), ippStsSizeErr);
  const int largest = std::numeric_limits<int>::max();
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize{largest, largest}, &size), ippStsSizeErr);
  EXPECT_EQ(size, 6 * 7 * 5 + 32);
}

TEST(LabelMarkers, MissingBufferIsAWarningAndChangesNothing) {
  TestImage<uint8_t> image(6, 4);
  image.FillRandom(2, 0, 9);
  const auto before = image.Region();
  int count = -1;
  EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(image.data(), image.step(), image.size(), 1, 9, 0, &count, nullptr),
            ippStsNoOperation);
  EXPECT_EQ(count, -1);
  EXPECT_EQ(image.Region(), before);
}

TEST(LabelMarkers, BadArgumentsInOrderChangeNothing) {
  TestImage<uint8_t> image(6, 4);
  image.FillRandom(3, 0, 9);
  const auto before = image.Region();
  GuardedBuffer buffer(BufferSize(image.size()));
  int count = -1;
  auto label = [&](uint8_t* data, int step, IppiSize size, int minimum, int maximum, int norm, int* out) {
    const IppStatus plain = fnVCAIPP_LabelMarkers_8u_C1IR(data, step, size, minimum, maximum, norm, out);
    EXPECT_EQ(fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(data, step, size, minimum, maximum, norm, out, buffer.data()),
              plain);
    return plain;
  };
  const int step = image.step();
  EXPECT_EQ(label(nullptr, step, IppiSize{0, 0}, 0, 0, 5, &count), ippStsNullPtrErr);
  EXPECT_EQ(label(image.data(), step, image.size(), 1, 2, 0, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(label(image.data(), 0, IppiSize{0, 4}, 0, 0, 5, &count), ippStsSizeErr);
  EXPECT_EQ(label(image.data(), 0, IppiSize{6, 0}, 0, 0, 5, &count), ippStsSizeErr);
  EXPECT_EQ(label(image.data(), 5, image.size(), 0, 0, 5, &count), ippStsStepErr);
  EXPECT_EQ(label(image.data(), step, image.size(), 0, 5, 5, &count), ippStsBadArgErr);
  EXPECT_EQ(label(image.data(), step, image.size(), 1, 255, 0, &count), ippStsBadArgErr);
  EXPECT_EQ(label(image.data(), step, image.size(), 7, 6, 0, &count), ippStsBadArgErr);
  EXPECT_EQ(label(image.data(), step, image.size(), 1, 254, 2, &count), ippStsBadArgErr);
  EXPECT_EQ(label(image.data(), step, image.size(), 1, 254, -1, &count), ippStsBadArgErr);
  EXPECT_EQ(count, -1);
  EXPECT_EQ(image.Region(), before);
  EXPECT_TRUE(buffer.GuardsIntact());
}

TEST(LabelMarkers, SixteenBitCountHolds30UntilTheLabellingRuns) {
  TestImage<uint16_t> image(5, 3);
  image.FillRandom(4, 0, 3);
  const auto before = image.Region();
  int count = -1;
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), image.step(), image.size(), 1, 9, 0, nullptr),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(nullptr, image.step(), image.size(), 1, 9, 0, &count), ippStsNullPtrErr);
  EXPECT_EQ(count, 30);
  count = -1;
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), 0, IppiSize{5, 0}, 1, 9, 0, &count), ippStsSizeErr);
  EXPECT_EQ(count, 30);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), 9, image.size(), 1, 9, 0, &count), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), image.step() + 1, image.size(), 1, 9, 0, &count),
            ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), image.step(), image.size(), 1, 65535, 0, &count),
            ippStsBadArgErr);
  EXPECT_EQ(fnVCAIPP_LabelMarkers_16u_C1IR(image.data(), image.step(), image.size(), 1, 9, 3, &count),
            ippStsBadArgErr);
  EXPECT_EQ(count, 30);
  EXPECT_EQ(image.Region(), before);
}

}  // namespace
}  // namespace ryn::test
