#include "motion_boxes.h"

#include <algorithm>

namespace ryn::privacy_mask {
namespace {

// The second warm-up pass learns at least this fast so that a few dozen frames settle it.
constexpr float kWarmUpRate = 0.1f;

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
  DetectAndLearn(frame, std::max(kWarmUpRate, static_cast<float>(settings_.learningRate)), untimed);
}

void MotionBoxes::DetectAndLearn(const TwoPlaneFrame& frame, float rate, StageTimes& times) {
  if (!background_.initialised()) background_.Learn(frame.luma(), frame.lumaStep(), rate);
  times.Time(Stage::kMask, [&] {
    mask_.Detect(frame.luma(), frame.lumaStep(), background_, static_cast<uint8_t>(settings_.threshold));
  });
  times.Time(Stage::kMorphology, [&] { mask_.Clean(); });
  times.Time(Stage::kBackground,
             [&] { background_.LearnWhere(frame.luma(), frame.lumaStep(), mask_.Still().data(), rate); });
}

std::vector<Zone> MotionBoxes::Next(const TwoPlaneFrame& frame, StageTimes& times) {
  DetectAndLearn(frame, static_cast<float>(settings_.learningRate), times);
  const std::vector<Blob> blobs = times.Time(Stage::kLabelling, [&] { return blobs_.Find(mask_.mask()); });
  return times.Time(Stage::kMasking, [&] { return hold_.Update(ShapeBoxes(blobs, frame_, rules_)); });
}

}  // namespace ryn::privacy_mask
