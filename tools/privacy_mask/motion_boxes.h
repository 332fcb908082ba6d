// What moves in a frame, as boxes to mask: background model, motion mask, blobs, box geometry and
// hold, in the order a VCA component runs them.
#pragma once

#include <cstdint>
#include <vector>

#include "background_model.h"
#include "blob_finder.h"
#include "box_geometry.h"
#include "box_hold.h"
#include "motion_mask.h"
#include "stage_times.h"
#include "two_plane_frame.h"

namespace ryn::privacy_mask {

struct MotionSettings {
  double learningRate = 0.02;  // share of a still pixel's luma taken into the background each frame
  int threshold = 20;          // luma difference above which a pixel moves
  int64_t minimumArea = 120;   // pixels; smaller blobs are noise
  int64_t margin = 8;          // pixels around every blob
  int64_t holdFrames = 10;     // frames a box stays masked after its motion stops
  int64_t warmUpFrames = 50;   // frames read ahead to learn the background before masking
};

class MotionBoxes {
 public:
  // `smallestBox`: the masking export's smallest box (SmallestBox).
  MotionBoxes(FrameSize frame, const MotionSettings& settings, FrameSize smallestBox);

  // Warm-up, before the first Next: pass 0 averages the frames (frame k weighs 1 / (k + 1)), so
  // that people walking through count little; pass 1 goes over them again learning only where
  // nothing moves against that average, which wipes out the traces they left.
  void WarmUp(const TwoPlaneFrame& frame, int pass);

  // This frame's boxes to mask (held ones included). Learns the frame where nothing moves, or
  // everywhere when more than half of the frame before moved.
  std::vector<Zone> Next(const TwoPlaneFrame& frame, StageTimes& times);

  const BytePlane& motionMask() const { return mask_.mask(); }

 private:
  void Detect(const TwoPlaneFrame& frame, StageTimes& times);
  void Learn(const TwoPlaneFrame& frame, float rate, bool wholeFrame, StageTimes& times);

  FrameSize frame_;
  MotionSettings settings_;
  BoxRules rules_;
  BackgroundModel background_;
  MotionMask mask_;
  BlobFinder blobs_;
  BoxHold hold_;
  int64_t warmUpSeen_ = 0;
  bool sceneChanged_ = false;  // more than half of the last frame moved
};

}  // namespace ryn::privacy_mask
