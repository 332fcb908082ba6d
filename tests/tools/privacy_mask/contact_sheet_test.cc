// The contact sheet's choice of frames and its layout; the progress line's text.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <opencv2/core.hpp>

#include "privacy_mask/contact_sheet.h"
#include "privacy_mask/progress_bar.h"

namespace ryn::privacy_mask {
namespace {

void OfferFrames(ContactSheet& sheet, int64_t count, cv::Size size = {64, 48}) {
  const cv::Mat frame(size, CV_8UC3, cv::Scalar::all(90));
  for (int64_t index = 0; index < count; ++index) sheet.Offer(index, frame, frame);
}

TEST(ContactSheet, ShowsFramesSpreadOverTheWholeRun) {
  for (int64_t count : {5, 9, 100, 795}) {
    SCOPED_TRACE(count);
    ContactSheet sheet(4);
    OfferFrames(sheet, count);
    const std::vector<int64_t> frames = sheet.ChosenFrames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames.front(), 0);
    EXPECT_GE(frames.back(), count * 3 / 5);  // the last quarter or so of the run
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_GT(frames[i], frames[i - 1]);
  }
}

TEST(ContactSheet, ShortRunsShowEveryFrame) {
  ContactSheet sheet(4);
  OfferFrames(sheet, 3);
  EXPECT_EQ(sheet.ChosenFrames(), (std::vector<int64_t>{0, 1, 2}));
  EXPECT_TRUE(ContactSheet(4).Compose({}).empty());
}

TEST(ContactSheet, RowsOfOriginalAndMaskedTiles) {
  ContactSheet sheet(4);
  OfferFrames(sheet, 40, {768, 576});
  const cv::Mat image = sheet.Compose({Zone{0, 0, 100, 100}});
  // Tiles of 480 x 360 pixels, two a row, under a 28-pixel label, 8 pixels apart.
  EXPECT_EQ(image.cols, 8 * 3 + 480 * 2);
  EXPECT_EQ(image.rows, 8 + 4 * (28 + 360 + 8));
  EXPECT_EQ(image.type(), CV_8UC3);
  // The masked tile is the frame as given: the zone is outlined on the original only.
  EXPECT_EQ(image.at<cv::Vec3b>(8 + 28 + 200, 8 * 2 + 480 + 200), cv::Vec3b(90, 90, 90));
}

TEST(ProgressLine, BarPercentageAndRate) {
  EXPECT_EQ(ProgressLine(5, 10, 2.0), "[###############...............] 5/10 frames   50.0%  2.0 fps");
  EXPECT_EQ(ProgressLine(10, 10, 31.25), "[##############################] 10/10 frames  100.0%  31.2 fps");
  EXPECT_EQ(ProgressLine(7, std::nullopt, 3.5), "7 frames  3.5 fps");
}

}  // namespace
}  // namespace ryn::privacy_mask
