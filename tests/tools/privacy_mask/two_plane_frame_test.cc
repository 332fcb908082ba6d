// Two-plane 4:2:0 frames: plane layout, chroma order, conversions.
#include <gtest/gtest.h>

#include <cstdint>

#include <opencv2/core.hpp>

#include "privacy_mask/tool_error.h"
#include "privacy_mask/two_plane_frame.h"

namespace ryn::privacy_mask {
namespace {

TEST(TwoPlaneFrame, OddSizesAreRefused) {
  EXPECT_THROW(TwoPlaneFrame(71, 36), ToolError);
  EXPECT_THROW(TwoPlaneFrame(70, 35), ToolError);
  EXPECT_THROW(TwoPlaneFrame(0, 0), ToolError);
}

TEST(TwoPlaneFrame, ChromaPairsHoldUThenV) {
  // Pure blue: U far above neutral, V below it; pure red the other way round.
  TwoPlaneFrame frame(16, 8);
  frame.FromBgr(cv::Mat(8, 16, CV_8UC3, cv::Scalar(255, 0, 0)));
  for (int row = 0; row < 4; ++row)
    for (int byte = 0; byte < 16; byte += 2) {
      EXPECT_GT(frame.ChromaAt(byte, row), 200);
      EXPECT_LT(frame.ChromaAt(byte + 1, row), 128);
    }
  frame.FromBgr(cv::Mat(8, 16, CV_8UC3, cv::Scalar(0, 0, 255)));
  EXPECT_LT(frame.ChromaAt(0, 0), 128);
  EXPECT_GT(frame.ChromaAt(1, 0), 200);
  EXPECT_EQ(frame.LumaAt(15, 7), frame.LumaAt(0, 0));
}

TEST(TwoPlaneFrame, ChromaOfEachPairComesFromItsOwn2x2Pixels) {
  // The left half blue, the right half red: the pairs of each half follow their half.
  cv::Mat bgr(4, 8, CV_8UC3, cv::Scalar(255, 0, 0));
  bgr.colRange(4, 8).setTo(cv::Scalar(0, 0, 255));
  TwoPlaneFrame frame(8, 4);
  frame.FromBgr(bgr);
  EXPECT_GT(frame.ChromaAt(2, 1), 200);  // pair 1: pixels 2..3, blue
  EXPECT_LT(frame.ChromaAt(4, 1), 128);  // pair 2: pixels 4..5, red
}

// The frames go through the library's conversions: its full-range YUV, floors and clamps.
TEST(TwoPlaneFrame, ConvertsWithTheLibrarysFormulas) {
  TwoPlaneFrame frame(4, 2);
  cv::Mat bgr(2, 4, CV_8UC3, cv::Scalar(100, 100, 100));
  bgr.colRange(2, 4).setTo(cv::Scalar(0, 0, 255));  // the right block red
  frame.FromBgr(bgr);
  EXPECT_EQ(frame.LumaAt(0, 0), 100);
  EXPECT_EQ(frame.ChromaAt(0, 0), 128);
  EXPECT_EQ(frame.ChromaAt(1, 0), 128);
  EXPECT_EQ(frame.LumaAt(3, 1), 76);
  EXPECT_EQ(frame.ChromaAt(2, 0), 90);
  EXPECT_EQ(frame.ChromaAt(3, 0), 255);  // V clamped

  // Y 100, U 1, V 42: R 1, G 200, B 0 (the nearest 16.16 coefficients), in BGR order.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) frame.luma()[y * frame.lumaStep() + x] = 100;
  frame.chroma()[0] = 1;
  frame.chroma()[1] = 42;
  cv::Mat back;
  frame.ToBgr(back);
  EXPECT_EQ(back.at<cv::Vec3b>(1, 1), cv::Vec3b(0, 200, 1));
  EXPECT_EQ(back.at<cv::Vec3b>(0, 3), cv::Vec3b(22, 41, 244));  // Y 100, U 90, V 255
}

TEST(TwoPlaneFrame, ConvertsBackCloseToTheOriginal) {
  cv::Mat bgr(32, 48, CV_8UC3);
  for (int y = 0; y < bgr.rows; ++y)
    for (int x = 0; x < bgr.cols; ++x) bgr.at<cv::Vec3b>(y, x) = cv::Vec3b(x * 5, y * 7, 100 + x + y);
  TwoPlaneFrame frame(48, 32);
  frame.FromBgr(bgr);
  TwoPlaneFrame copy(48, 32);
  copy.CopyFrom(frame);
  cv::Mat back;
  copy.ToBgr(back);
  ASSERT_EQ(back.size(), bgr.size());
  ASSERT_EQ(back.type(), CV_8UC3);
  EXPECT_LE(cv::norm(back, bgr, cv::NORM_INF), 8.0);
}

}  // namespace
}  // namespace ryn::privacy_mask
