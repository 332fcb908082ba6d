// Rank filters and morphology through the exports: window rules against a direct reference and
// OpenCV, frames, the documented edge cases, composites, argument checks in order, and every
// processor build against the generic one.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <opencv2/imgproc.hpp>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/morphology/morphology.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using Export = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize);
using InPlaceExport = IppStatus (*)(uint8_t*, int, IppiSize);

// The 3 x 3 window values of (x, y), read from a whole image.
std::vector<uint8_t> Window(const TestImage<uint8_t>& image, int x, int y) {
  std::vector<uint8_t> values;
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) values.push_back(image.at(x + i, y + j));
  std::sort(values.begin(), values.end());
  return values;
}

enum class Rule { kMin, kMax, kMedian };

uint8_t RankOf(const std::vector<uint8_t>& sorted, Rule rule) {
  return rule == Rule::kMin ? sorted[0] : rule == Rule::kMax ? sorted[8] : sorted[4];
}

// The export's expected W x H result: the rule on the inset, the frame repeating its nearest pixel.
std::vector<uint8_t> ExpectedInsetWithFrame(const TestImage<uint8_t>& source, Rule rule) {
  const int w = source.width(), h = source.height();
  std::vector<uint8_t> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(RankOf(Window(source, std::clamp(x, 1, w - 2), std::clamp(y, 1, h - 2)), rule));
  return out;
}

TestImage<uint8_t> RandomImage(int w, int h, uint32_t seed, int low = 0, int high = 255) {
  TestImage<uint8_t> image(w, h);
  image.FillRandom(seed, uint8_t(low), uint8_t(high));
  return image;
}

struct RankExport {
  const char* name;
  Export call;
  Rule rule;
};
const RankExport kRankExports[] = {{"Median", fnVCAIPP_FilterMedian_8u_C1R, Rule::kMedian},
                                   {"Max", fnVCAIPP_FilterMax_8u_C1R, Rule::kMax},
                                   {"Dilate", fnVCAIPP_FilterDilate_8u_C1R, Rule::kMax},
                                   {"Erode", fnVCAIPP_FilterErode_8u_C1R, Rule::kMin}};

TEST(RankFilters, InsetRegionThenReplicatedFrame) {
  for (const RankExport& e : kRankExports) {
    SCOPED_TRACE(e.name);
    for (IppiSize size : {IppiSize{3, 3}, IppiSize{4, 3}, IppiSize{37, 11}}) {
      const auto source = RandomImage(size.width, size.height, uint32_t(size.width));
      const UnchangedSource<uint8_t> unchanged(source);
      TestImage<uint8_t> destination(size.width, size.height, 5);
      ASSERT_EQ(e.call(source.data(), source.step(), destination.data(), destination.step(), size), ippStsNoErr);
      EXPECT_EQ(destination.Region(), ExpectedInsetWithFrame(source, e.rule));
      EXPECT_TRUE(destination.GuardsIntact());
      EXPECT_TRUE(unchanged.Check());
    }
  }
}

TEST(RankFilters, AgreeWithOpenCvInsideTheInset) {
  const auto source = RandomImage(61, 23, 7);
  const cv::Mat in(source.height(), source.width(), CV_8U, const_cast<uint8_t*>(source.data()), source.step());
  cv::Mat eroded, dilated, median;
  cv::erode(in, eroded, cv::Mat());
  cv::dilate(in, dilated, cv::Mat());
  cv::medianBlur(in, median, 3);
  const std::pair<Export, cv::Mat*> cases[] = {{fnVCAIPP_FilterErode_8u_C1R, &eroded},
                                               {fnVCAIPP_FilterDilate_8u_C1R, &dilated},
                                               {fnVCAIPP_FilterMedian_8u_C1R, &median}};
  for (const auto& [call, expected] : cases) {
    TestImage<uint8_t> destination(source.width(), source.height());
    ASSERT_EQ(call(source.data(), source.step(), destination.data(), destination.step(), source.size()), ippStsNoErr);
    for (int y = 1; y < source.height() - 1; ++y)
      for (int x = 1; x < source.width() - 1; ++x) ASSERT_EQ(destination.at(x, y), expected->at<uint8_t>(y, x));
  }
}

// Every export on a uniform image, frame included.
TEST(Morphology, UniformImageUnchangedByEveryExport) {
  const uint8_t row[3] = {1, 0, 1};
  const std::vector<std::function<IppStatus(const TestImage<uint8_t>&, TestImage<uint8_t>&)>> calls = {
      [](auto& s, auto& d) { return fnVCAIPP_FilterMedian_8u_C1R(s.data(), s.step(), d.data(), d.step(), s.size()); },
      [](auto& s, auto& d) { return fnVCAIPP_FilterMax_8u_C1R(s.data(), s.step(), d.data(), d.step(), s.size()); },
      [](auto& s, auto& d) { return fnVCAIPP_FilterDilate_8u_C1R(s.data(), s.step(), d.data(), d.step(), s.size()); },
      [](auto& s, auto& d) { return fnVCAIPP_FilterErode_8u_C1R(s.data(), s.step(), d.data(), d.step(), s.size()); },
      [](auto& s, auto& d) { return fnVCAIPP_Opening3x3_8u_C1R(s.data(), s.step(), d.data(), d.step(), s.size()); },
      [](auto& s, auto& d) { return fnVCAIPP_Closing3x3_8u_C1R(s.data(), s.step(), d.data(), d.step(), s.size()); },
      [&](auto& s, auto& d) {
        return fnVCAIPP_FilterDilateHoriz_8u_C1MR(s.data(), s.step(), d.data(), d.step(), row, s.size());
      },
      [&](auto& s, auto& d) {
        return fnVCAIPP_FilterErodeHoriz_8u_C1MR(s.data(), s.step(), d.data(), d.step(), row, s.size());
      },
      [&](auto& s, auto& d) {
        return fnVCAIPP_FilterDilateVert_8u_C1MR(s.data(), s.step(), d.data(), d.step(), row, s.size());
      },
      [](auto&, auto& d) { return fnVCAIPP_Opening3x3_8u_C1IR(d.data(), d.step(), d.size()); },
      [](auto&, auto& d) { return fnVCAIPP_Closing3x3_8u_C1IR(d.data(), d.step(), d.size()); }};
  for (size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE(i);
    TestImage<uint8_t> source(9, 7), destination(9, 7);
    source.Fill(77);
    destination.Fill(77);
    ASSERT_EQ(calls[i](source, destination), ippStsNoErr);
    EXPECT_EQ(destination.Region(), std::vector<uint8_t>(63, 77));
    EXPECT_TRUE(destination.GuardsIntact());
  }
}

// A 12 x 12 image of `background` with `spot` at (5, 5), through a two-image export.
std::vector<uint8_t> SpotThrough(Export call, uint8_t background, uint8_t spot) {
  TestImage<uint8_t> source(12, 12), destination(12, 12);
  source.Fill(background);
  source.at(5, 5) = spot;
  EXPECT_EQ(call(source.data(), source.step(), destination.data(), destination.step(), source.size()), ippStsNoErr);
  return destination.Region();
}

std::vector<uint8_t> BlockAt5(uint8_t background, uint8_t block) {
  std::vector<uint8_t> out(144, background);
  for (int y = 4; y <= 6; ++y)
    for (int x = 4; x <= 6; ++x) out[y * 12 + x] = block;
  return out;
}

TEST(Morphology, SinglePixelsUnderDilationErosionOpeningAndClosing) {
  std::vector<uint8_t> single(144, 0);
  single[5 * 12 + 5] = 200;
  EXPECT_EQ(SpotThrough(fnVCAIPP_FilterDilate_8u_C1R, 0, 200), BlockAt5(0, 200));
  EXPECT_EQ(SpotThrough(fnVCAIPP_Opening3x3_8u_C1R, 0, 200), std::vector<uint8_t>(144, 0));
  EXPECT_EQ(SpotThrough(fnVCAIPP_Closing3x3_8u_C1R, 0, 200), single);
  EXPECT_EQ(SpotThrough(fnVCAIPP_FilterErode_8u_C1R, 200, 0), BlockAt5(200, 0));
  EXPECT_EQ(SpotThrough(fnVCAIPP_Closing3x3_8u_C1R, 200, 0), std::vector<uint8_t>(144, 200));
  // In place, the same.
  TestImage<uint8_t> image(12, 12);
  image.Fill(0);
  image.at(5, 5) = 200;
  ASSERT_EQ(fnVCAIPP_Closing3x3_8u_C1IR(image.data(), image.step(), image.size()), ippStsNoErr);
  EXPECT_EQ(image.Region(), single);
  ASSERT_EQ(fnVCAIPP_Opening3x3_8u_C1IR(image.data(), image.step(), image.size()), ippStsNoErr);
  EXPECT_EQ(image.Region(), std::vector<uint8_t>(144, 0));
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(Morphology, InPlaceCompositesReadTheCallersFrame) {
  // Opening in place: erosion of the inset reading the caller's frame, dilation reading the
  // eroded inset and the caller's frame, then the frame replicated.
  const auto original = RandomImage(14, 9, 3);
  TestImage<uint8_t> image = original;
  ASSERT_EQ(fnVCAIPP_Opening3x3_8u_C1IR(image.data(), image.step(), image.size()), ippStsNoErr);
  TestImage<uint8_t> eroded = original;
  for (int y = 1; y < 8; ++y)
    for (int x = 1; x < 13; ++x) eroded.at(x, y) = RankOf(Window(original, x, y), Rule::kMin);
  std::vector<uint8_t> expected;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 14; ++x) expected.push_back(RankOf(Window(eroded, std::clamp(x, 1, 12), std::clamp(y, 1, 7)), Rule::kMax));
  EXPECT_EQ(image.Region(), expected);
  EXPECT_TRUE(image.GuardsIntact());
}

TEST(Morphology, StructuringElementsAlongRowsAndColumns) {
  const auto source = RandomImage(10, 6, 11);
  const uint8_t centre[3] = {0, 1, 0}, left[3] = {1, 0, 0}, none[3] = {0, 0, 0}, ends[3] = {5, 0, 9};
  auto run = [&](auto call, const uint8_t* element, IppStatus expected = ippStsNoErr) {
    TestImage<uint8_t> destination(10, 6);
    destination.Fill(42);
    EXPECT_EQ(call(source.data(), source.step(), destination.data(), destination.step(), element, source.size()),
              expected);
    EXPECT_TRUE(destination.GuardsIntact());
    return destination;
  };
  const auto copy = run(fnVCAIPP_FilterDilateHoriz_8u_C1MR, centre);
  const auto shifted = run(fnVCAIPP_FilterDilateHoriz_8u_C1MR, left);
  const auto minimum = run(fnVCAIPP_FilterErodeHoriz_8u_C1MR, ends);
  const auto vertical = run(fnVCAIPP_FilterDilateVert_8u_C1MR, ends);
  EXPECT_EQ(run(fnVCAIPP_FilterDilateHoriz_8u_C1MR, none, ippStsZeroMaskValuesErr).Region(),
            std::vector<uint8_t>(60, 42));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inset = x >= 1 && x <= 8 && y >= 1 && y <= 4;
      if (!inset) {  // the frame is not written
        EXPECT_EQ(copy.at(x, y), 42);
        continue;
      }
      EXPECT_EQ(copy.at(x, y), source.at(x, y));
      EXPECT_EQ(shifted.at(x, y), source.at(x - 1, y));
      EXPECT_EQ(minimum.at(x, y), std::min(source.at(x - 1, y), source.at(x + 1, y)));
      EXPECT_EQ(vertical.at(x, y), std::max(source.at(x, y - 1), source.at(x, y + 1)));
    }
  }
}

TEST(Morphology, MedianRemovesIsolatedSaltAndPepper) {
  TestImage<uint8_t> source(16, 12), destination(16, 12);
  source.Fill(100);
  for (auto [x, y, v] : {std::tuple{3, 3, 255}, {8, 5, 0}, {12, 9, 255}, {0, 0, 0}, {15, 11, 255}, {5, 0, 0}}) {
    source.at(x, y) = uint8_t(v);
  }
  ASSERT_EQ(fnVCAIPP_FilterMedian_8u_C1R(source.data(), source.step(), destination.data(), destination.step(),
                                         source.size()),
            ippStsNoErr);
  EXPECT_EQ(destination.Region(), std::vector<uint8_t>(16 * 12, 100));
}

TEST(Morphology, BadArgumentsInOrderWithNothingWritten) {
  TestImage<uint8_t> source(8, 8), destination(8, 8);
  source.Fill(1);
  destination.Fill(9);
  const uint8_t* s = source.data();
  uint8_t* d = destination.data();
  const int ss = source.step(), ds = destination.step();
  const uint8_t element[3] = {1, 1, 1}, zero[3] = {0, 0, 0};
  // Erosion and dilation: null, step, size, stride.
  EXPECT_EQ(fnVCAIPP_FilterErode_8u_C1R(nullptr, 0, d, ds, {2, 2}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterDilate_8u_C1R(s, 0, d, ds, {2, 2}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterDilate_8u_C1R(s, ss, d, ds, {2, 8}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterErode_8u_C1R(s, 7, d, ds, {8, 8}), ippStsStrideErr);
  EXPECT_EQ(fnVCAIPP_FilterErode_8u_C1R(s, ss, d, 5, {8, 8}), ippStsStrideErr);
  // Median and maximum: null, size, step.
  EXPECT_EQ(fnVCAIPP_FilterMedian_8u_C1R(s, ss, nullptr, ds, {8, 8}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterMedian_8u_C1R(s, 0, d, ds, {8, 2}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterMax_8u_C1R(s, ss, d, 0, {8, 8}), ippStsStepErr);
  // Structuring elements: null, step, size, zero element, stride.
  EXPECT_EQ(fnVCAIPP_FilterDilateHoriz_8u_C1MR(s, ss, d, ds, nullptr, {8, 8}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterErodeHoriz_8u_C1MR(s, 0, d, ds, zero, {2, 8}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterDilateVert_8u_C1MR(s, ss, d, ds, zero, {8, 2}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterDilateVert_8u_C1MR(s, 3, d, ds, zero, {8, 8}), ippStsZeroMaskValuesErr);
  EXPECT_EQ(fnVCAIPP_FilterDilateHoriz_8u_C1MR(s, 7, d, ds, element, {8, 8}), ippStsStrideErr);
  EXPECT_EQ(fnVCAIPP_FilterDilateVert_8u_C1MR(s, 5, d, ds, element, {8, 8}), ippStsStrideErr);
  // Composites: the first pass's checks; in place: null, step, size, stride.
  EXPECT_EQ(fnVCAIPP_Opening3x3_8u_C1R(s, ss, nullptr, ds, {8, 8}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Closing3x3_8u_C1R(s, 7, d, ds, {8, 8}), ippStsStrideErr);
  EXPECT_EQ(fnVCAIPP_Opening3x3_8u_C1IR(nullptr, ds, {8, 8}), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Closing3x3_8u_C1IR(d, 0, {1, 1}), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Closing3x3_8u_C1IR(d, ds, {8, 2}), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Opening3x3_8u_C1IR(d, 7, {8, 8}), ippStsStrideErr);
  EXPECT_EQ(destination.Region(), std::vector<uint8_t>(64, 9));
  EXPECT_TRUE(destination.GuardsIntact());
}

// ------------------------------------------------------------------------------------------
// Processor builds against the generic build.

TestImage<uint8_t> SourceAround(const Shape& shape, uint32_t seed) {
  TestImage<uint8_t> source(shape.width + 2, shape.height + 2, shape.padding + 2, 3);
  source.FillRandom(seed, 0, 255);
  return source;
}

TEST(MorphologyBuilds, RankFiltersMatchGeneric) {
  using Primitive = decltype(&morphology::Erode3x3_8u);
  const Primitive primitives[] = {&morphology::Erode3x3_8u, &morphology::Dilate3x3_8u, &morphology::FilterMax3x3_8u,
                                  &morphology::FilterMedian3x3_8u};
  ForEachOddShape([&](const Shape& shape) {
    const auto source = SourceAround(shape, uint32_t(shape.width * 7 + shape.padding));
    ExpectBuildsMatchGeneric([&](Build build) {
      std::vector<Snapshot> results;
      for (Primitive primitive : primitives) {
        TestImage<uint8_t> destination(shape.width, shape.height, shape.padding, 1);
        destination.FillBytes(SentinelFor(build));
        EXPECT_EQ((*primitive)(&source.at(1, 1), source.step(), destination.data(), destination.step(),
                               {shape.width, shape.height}),
                  ippStsNoErr);
        EXPECT_TRUE(destination.GuardsIntact());
        results.push_back(Capture(destination));
      }
      return results;
    });
  });
}

TEST(MorphologyBuilds, InPlaceAndStructuringElementsMatchGeneric) {
  const std::vector<uint8_t> elements[] = {{1, 0, 1}, {0, 0, 1, 1, 0, 1, 0, 1, 1}, std::vector<uint8_t>(100, 1)};
  const IppiSize masks[] = {{3, 1}, {3, 3}, {10, 10}};
  ForEachOddShape([&](const Shape& shape) {
    if (shape.width > 200 && shape.padding != 0) return;
    const uint32_t seed = uint32_t(shape.width + 31 * shape.height);
    ExpectBuildsMatchGeneric([&](Build) {
      std::vector<Snapshot> results;
      for (auto* inPlace : {&morphology::ErodeInPlace3x3_8u, &morphology::DilateInPlace3x3_8u}) {
        auto image = SourceAround(shape, seed);
        EXPECT_EQ((*inPlace)(&image.at(1, 1), image.step(), {shape.width, shape.height}), ippStsNoErr);
        EXPECT_TRUE(image.GuardsIntact());
        results.push_back(Capture(image));
      }
      for (int e = 0; e < 3; ++e) {
        TestImage<uint8_t> source(shape.width + masks[e].width, shape.height + masks[e].height, shape.padding + 1, 2);
        source.FillRandom(seed, 0, 255);
        TestImage<uint8_t> destination(shape.width, shape.height, shape.padding, 1);
        const IppiPoint anchor{masks[e].width / 2, masks[e].height - 1};
        const auto& masked = e == 1 ? morphology::ErodeMasked8u : morphology::DilateMasked8u;
        EXPECT_EQ(masked(&source.at(anchor.x, anchor.y), source.step(), destination.data(), destination.step(),
                         {shape.width, shape.height}, elements[e].data(), masks[e], anchor),
                  ippStsNoErr);
        EXPECT_TRUE(destination.GuardsIntact());
        results.push_back(Capture(destination));
      }
      return results;
    });
  });
}

}  // namespace
}  // namespace ryn::test
