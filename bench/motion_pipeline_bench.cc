// The privacy-masking tool's motion stages (background update, motion mask, morphology,
// labelling, boxes) per 768 x 576 frame, against the same stages in OpenCV, single thread.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <memory>
#include <vector>

#include "bench_pairs.h"
#include "privacy_mask/motion_boxes.h"
#include "privacy_mask/two_plane_frame.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFrame{768, 576};
constexpr int kClipFrames = 8;

// A textured scene with a few people-sized dark shapes that move from frame to frame.
std::vector<cv::Mat> Clip(FrameSize s) {
  cv::Mat background(s.height, s.width, CV_8UC3);
  cv::randu(background, 90, 170);
  cv::GaussianBlur(background, background, cv::Size(0, 0), 2.0);
  std::vector<cv::Mat> clip;
  for (int frame = 0; frame < kClipFrames; ++frame) {
    cv::Mat image = background.clone();
    for (int person = 0; person < 6; ++person)
      cv::rectangle(image, cv::Rect(40 + person * 110 + frame * 5, 100 + person * 60, 30, 80), cv::Scalar(30, 25, 40),
                    cv::FILLED);
    clip.push_back(image);
  }
  return clip;
}

std::function<void()> OurStages(FrameSize s) {
  auto frames = std::make_shared<std::vector<std::unique_ptr<privacy_mask::TwoPlaneFrame>>>();
  for (const cv::Mat& image : Clip(s)) {
    frames->push_back(std::make_unique<privacy_mask::TwoPlaneFrame>(s.width, s.height));
    frames->back()->FromBgr(image);
  }
  auto motion = std::make_shared<privacy_mask::MotionBoxes>(privacy_mask::FrameSize{s.width, s.height},
                                                            privacy_mask::MotionSettings{},
                                                            privacy_mask::FrameSize{32, 18});
  motion->WarmUp(*frames->front(), 0);
  auto times = std::make_shared<privacy_mask::StageTimes>();
  auto next = std::make_shared<size_t>(0);
  return [=] {
    benchmark::DoNotOptimize(motion->Next(*(*frames)[*next], *times));
    *next = (*next + 1) % frames->size();
  };
}

// The same stages with OpenCV: masked running average, difference, threshold, opening and
// closing, connected components with their boxes.
std::function<void()> OpenCvStages(FrameSize s) {
  auto lumas = std::make_shared<std::vector<cv::Mat>>();
  for (const cv::Mat& image : Clip(s)) {
    lumas->emplace_back();
    cv::cvtColor(image, lumas->back(), cv::COLOR_BGR2GRAY);
  }
  struct State {
    cv::Mat background, background8, difference, mask, still, labels, stats, centroids;
    size_t next = 0;
  };
  auto state = std::make_shared<State>();
  lumas->front().convertTo(state->background, CV_32F);
  const cv::Mat square = cv::getStructuringElement(cv::MORPH_RECT, {3, 3});
  return [=] {
    State& st = *state;
    const cv::Mat& luma = (*lumas)[st.next];
    st.background.convertTo(st.background8, CV_8U);
    cv::absdiff(luma, st.background8, st.difference);
    cv::threshold(st.difference, st.mask, 20, 255, cv::THRESH_BINARY);
    cv::morphologyEx(st.mask, st.mask, cv::MORPH_OPEN, square);
    cv::morphologyEx(st.mask, st.mask, cv::MORPH_CLOSE, square);
    cv::compare(st.mask, 0, st.still, cv::CMP_EQ);
    cv::accumulateWeighted(luma, st.background, 0.02, st.still);
    benchmark::DoNotOptimize(cv::connectedComponentsWithStats(st.mask, st.labels, st.stats, st.centroids, 8, CV_32S));
    st.next = (st.next + 1) % lumas->size();
  };
}

void RegisterMotionStages() {
  cv::setNumThreads(1);
  Ours("MotionStages", kFrame, OurStages);
  Peer("OpenCV", "MotionStages", kFrame, OpenCvStages);
}

const Registration kRegistration(RegisterMotionStages);

}  // namespace
}  // namespace ryn::bench
