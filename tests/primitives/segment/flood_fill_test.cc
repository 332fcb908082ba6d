// The flood-fill export and the bounded bookkeeping of its pending spans.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <opencv2/imgproc.hpp>
#include <random>

#include "RynRAZUdidazoror.h"
#include "primitives/segment/flood_fill.h"
#include "primitives/segment/pending_spans.h"
#include "segment_test_support.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

RynConnectedComponent Untouched() { return RynConnectedComponent{-1, {-1, -1, -1}, {-1, -1, -1, -1}}; }

bool SameComponent(const RynConnectedComponent& a, const RynConnectedComponent& b) {
  return a.area == b.area && a.value[0] == b.value[0] && a.value[1] == b.value[1] && a.value[2] == b.value[2] &&
         a.rect.x == b.rect.x && a.rect.y == b.rect.y && a.rect.width == b.rect.width && a.rect.height == b.rect.height;
}

IppStatus Fill(TestImage<uint8_t>& image, int x, int y, uint8_t value, RynConnectedComponent* component) {
  return fnVCAIPP_FloodFill_8u_C1IR(image.data(), image.step(), image.size(), x, y, value, component);
}

TEST(FloodFill, UniformImageIsFilledWhole) {
  TestImage<uint8_t> image(37, 11);
  image.Fill(4);
  RynConnectedComponent component = Untouched();
  ASSERT_EQ(Fill(image, 20, 5, 9, &component), ippStsNoErr);
  EXPECT_TRUE(SameComponent(component, RynConnectedComponent{37.0 * 11, {9, 0, 0}, {0, 0, 37, 11}}));
  for (uint8_t pixel : image.Region()) ASSERT_EQ(pixel, 9);
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(FloodFill, SeedAlreadyHoldingTheNewValueChangesNothing) {
  TestImage<uint8_t> image(5, 5);
  image.FillRandom(1, 0, 3);
  image.at(2, 2) = 3;
  const auto before = image.Region();
  RynConnectedComponent component = Untouched();
  EXPECT_EQ(Fill(image, 2, 2, 3, &component), ippStsNoErr);
  EXPECT_TRUE(SameComponent(component, Untouched()));
  EXPECT_EQ(image.Region(), before);
}

TEST(FloodFill, FourNeighboursDoNotCrossCorners) {
  // Two blocks of 1 touching only at a corner.
  TestImage<uint8_t> image(4, 4);
  image.Fill(0);
  image.at(0, 0) = image.at(1, 0) = image.at(0, 1) = image.at(1, 1) = 1;
  image.at(2, 2) = image.at(3, 2) = image.at(2, 3) = 1;
  RynConnectedComponent component = Untouched();
  ASSERT_EQ(Fill(image, 3, 2, 5, &component), ippStsNoErr);
  EXPECT_TRUE(SameComponent(component, RynConnectedComponent{3, {5, 0, 0}, {2, 2, 2, 2}}));
  EXPECT_EQ(image.at(1, 1), 1);
  EXPECT_EQ(image.at(2, 3), 5);
}

// The same region, area and rectangle as OpenCV's 4-connected fill with zero tolerances.
void ExpectLikeOpenCv(TestImage<uint8_t>& image, int x, int y, uint8_t value) {
  cv::Mat expected = AsMat(image).clone();
  cv::Rect rect;
  const int area = cv::floodFill(expected, cv::Point(x, y), cv::Scalar(value), &rect, cv::Scalar(0), cv::Scalar(0), 4);
  RynConnectedComponent component = Untouched();
  ASSERT_EQ(Fill(image, x, y, value, &component), ippStsNoErr);
  EXPECT_EQ(component.area, area);
  EXPECT_EQ(component.value[0], value);
  EXPECT_EQ(component.rect.x, rect.x);
  EXPECT_EQ(component.rect.y, rect.y);
  EXPECT_EQ(component.rect.width, rect.width);
  EXPECT_EQ(component.rect.height, rect.height);
  EXPECT_EQ(cv::norm(AsMat(image), expected, cv::NORM_INF), 0);
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(FloodFill, MatchesOpenCvOnRandomImages) {
  for (int seed = 0; seed < 20; ++seed) {
    TestImage<uint8_t> image(3 + seed * 7, 2 + seed * 3);
    image.FillRandom(static_cast<uint32_t>(seed), 0, 1 + seed % 3);
    std::mt19937 rng(static_cast<uint32_t>(seed));
    ExpectLikeOpenCv(image, static_cast<int>(rng() % image.width()), static_cast<int>(rng() % image.height()), 200);
  }
}

TEST(FloodFill, MatchesOpenCvOnAdversarialImages) {
  for (const Pattern& pattern : AdversarialPatterns()) {
    for (const auto& [width, height] : {std::pair{1, 1}, {1, 57}, {57, 1}, {2, 40}, {63, 64}, {200, 151}}) {
      SCOPED_TRACE(::testing::Message() << pattern.name << " " << width << "x" << height);
      TestImage<uint8_t> image(width, height);
      Draw<uint8_t>(image, pattern, 1);
      ExpectLikeOpenCv(image, 0, 0, 7);
    }
  }
}

TEST(FloodFill, WholeRowOfAFullHdImage) {
  TestImage<uint8_t> image(1920, 3, 0, 0);
  image.FillRandom(9, 0, 1);
  for (int x = 0; x < 1920; ++x) image.at(x, 1) = 1;
  ExpectLikeOpenCv(image, 1000, 1, 3);
}

TEST(FloodFill, BadArgumentsInOrderChangeNothing) {
  TestImage<uint8_t> image(4, 3);
  image.Fill(2);
  RynConnectedComponent component = Untouched();
  // The size query comes first.
  EXPECT_EQ(fnVCAIPP_FloodFill_8u_C1IR(nullptr, 4, IppiSize{0, 3}, 0, 0, 1, nullptr), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FloodFill_8u_C1IR(image.data(), image.step(), IppiSize{4, 0}, 0, 0, 1, &component),
            ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FloodFill_8u_C1IR(nullptr, image.step(), image.size(), 0, 0, 1, &component), ippStsNullPtrErr);
  EXPECT_EQ(Fill(image, 0, 0, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FloodFill_8u_C1IR(image.data(), 3, image.size(), 9, 0, 1, &component), ippStsStepErr);
  EXPECT_EQ(Fill(image, 4, 0, 1, &component), ippStsOutOfRangeErr);
  EXPECT_EQ(Fill(image, -1, 0, 1, &component), ippStsOutOfRangeErr);
  EXPECT_EQ(Fill(image, 0, 3, 1, &component), ippStsOutOfRangeErr);
  EXPECT_EQ(Fill(image, 0, -1, 1, &component), ippStsOutOfRangeErr);
  EXPECT_EQ(fnVCAIPP_FloodFill_8u_C1IR(image.data(), image.step(), IppiSize{30000, 30000}, 0, 0, 1, &component),
            ippStsSizeErr);  // 6 W H + 32 does not fit in an int
  EXPECT_TRUE(SameComponent(component, Untouched()));
  for (uint8_t pixel : image.Region()) EXPECT_EQ(pixel, 2);
}

// With the span stack capped at a few records, spans overflow into the bitmap of pending pixels;
// the fill must come out the same, with four and with eight neighbours.
TEST(FloodFillEngine, SpansBeyondTheStackGoToTheBitmap) {
  std::vector<Pattern> patterns = AdversarialPatterns();
  patterns.push_back(PixelPattern("noise", [](int x, int y, int, int) { return (x * 7919 + y * 104729) % 5 < 3; }));
  for (const Pattern& pattern : patterns) {
    for (const auto& [width, height] : {std::pair{1, 30}, {30, 1}, {2, 17}, {64, 65}, {131, 70}}) {
      for (const auto connectivity : {segment::Connectivity::kFour, segment::Connectivity::kEight}) {
        for (int64_t stackLimit : {0, 1, 5}) {
          SCOPED_TRACE(::testing::Message() << pattern.name << " " << width << "x" << height << " stack "
                                            << stackLimit << (connectivity == segment::Connectivity::kFour ? " four" : " eight"));
          TestImage<uint8_t> image(width, height);
          Draw<uint8_t>(image, pattern, 1);
          cv::Mat expected = AsMat(image).clone();
          cv::Rect rect;
          const int area = cv::floodFill(expected, cv::Point(0, 0), cv::Scalar(9), &rect, cv::Scalar(0), cv::Scalar(0),
                                         connectivity == segment::Connectivity::kFour ? 4 : 8);
          const IppiSize size = image.size();
          std::vector<uint64_t> memory(static_cast<size_t>(segment::PendingSpans::BitmapBytesFor(size) / 8 + 8));
          segment::PendingSpans pending(memory.data(), int64_t(memory.size()) * 8, size, stackLimit);
          const segment::FilledRegion filled =
              segment::FloodFill<uint8_t>(image.view(), connectivity, pending).Fill(IppiPoint{0, 0}, 9);
          EXPECT_EQ(filled.area, area);
          EXPECT_EQ(filled.left, rect.x);
          EXPECT_EQ(filled.top, rect.y);
          EXPECT_EQ(filled.right, rect.x + rect.width - 1);
          EXPECT_EQ(filled.bottom, rect.y + rect.height - 1);
          EXPECT_EQ(cv::norm(AsMat(image), expected, cv::NORM_INF), 0);
        }
      }
    }
  }
}

// The bitmap of pending spans fits in the promised 6 W H + 32 bytes less the 7 that aligning the
// buffer may cost, whatever the image: its size depends on the region alone, and the span stack
// only takes the bytes left over.
TEST(FloodFillBuffer, PendingSpansFitThePromisedSizeForEveryRegion) {
  auto fits = [](int64_t width, int64_t height) {
    const int64_t need = segment::PendingSpans::BitmapBytesFor(IppiSize{int(width), int(height)});
    return need <= 6 * width * height + 32 - 7;
  };
  for (int width = 1; width <= 130; ++width)
    for (int height = 1; height <= 130; ++height) ASSERT_TRUE(fits(width, height)) << width << "x" << height;
  const int big = std::numeric_limits<int>::max();
  for (const auto& [width, height] : {std::pair{1, big}, {big, 1}, {2, big / 2}, {1920, 1080}, {65536, 32768}})
    EXPECT_TRUE(fits(width, height)) << width << "x" << height;
}

}  // namespace
}  // namespace ryn::test
