#include "motion_boxes.h"

#include <algorithm>

namespace ryn::privacy_mask {
namespace {

// The second warm-up pass learns at least this fast so that a few dozen frames settle it.
constexpr float kWarmUpRate = 0.1f;
// Percentage of the frame in motion taken as a change of the whole scene.
constexpr int64_t kSceneChangeShare = 50;

}  // namespace

MotionBoxes::MotionBoxes(FrameSize frame, const MotionSettings& settings, FrameSize smallestBox)
    : frame_(frame),
      settings_(settings),
      rules_{settings.minimumArea, settings.margin, smallestBox.width, smallestBox.height},
      background_(frame.width, frame.height),
      mask_(frame.width, frame.height),
      blobs_(frame.width, frame.height),
      hold_(settings.holdFrames) {}

void MotionBoxes::WarmUp(const TwoPlaneFrame& frame, int pass) {
  if (pass == 0) {
    background_.Learn(frame.luma(), frame.lumaStep(), 1.0f / static_cast<float>(++warmUpSeen_));
    return;
  }
  StageTimes untimed;
  Detect(frame, untimed);
  Learn(frame, std::max(kWarmUpRate, static_cast<float>(settings_.learningRate)), false, untimed);
}

void MotionBoxes::Detect(const TwoPlaneFrame& frame, StageTimes& times) {
  if (!background_.initialised()) background_.Learn(frame.luma(), frame.lumaStep(), 0);
  times.Time(Stage::kMask, [&] {
    mask_.Detect(frame.luma(), frame.lumaStep(), background_, static_cast<uint8_t>(settings_.threshold));
  });
  times.Time(Stage::kMorphology, [&] { mask_.Clean(); });
}

void MotionBoxes::Learn(const TwoPlaneFrame& frame, float rate, bool wholeFrame, StageTimes& times) {
  times.Time(Stage::kBackground, [&] {
    if (wholeFrame)
      background_.Learn(frame.luma(), frame.lumaStep(), rate);
    else
      background_.LearnWhere(frame.luma(), frame.lumaStep(), mask_.Still().data(), rate);
  });
}

std::vector<Zone> MotionBoxes::Next(const TwoPlaneFrame& frame, StageTimes& times) {
  Detect(frame, times);
  // Learning before labelling finds the frame and its mask still in cache; whether the whole
  // scene changed is known from the frame before.
  Learn(frame, static_cast<float>(settings_.learningRate), sceneChanged_, times);
  const std::vector<Blob> blobs = times.Time(Stage::kLabelling, [&] { return blobs_.Find(mask_.mask()); });
  int64_t moving = 0;
  for (const Blob& blob : blobs) moving += blob.area;
  // Most of the frame moving is a change of light or of the camera, not people: the whole
  // background follows it, else it would never be learnt again.
  sceneChanged_ = moving > int64_t{frame_.width} * frame_.height * kSceneChangeShare / 100;
  return times.Time(Stage::kMasking, [&] { return hold_.Update(ShapeBoxes(blobs, frame_, rules_)); });
}

}  // namespace ryn::privacy_mask
