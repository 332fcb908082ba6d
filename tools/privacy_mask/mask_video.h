// The whole run: read frames, convert each to a two-plane 4:2:0 frame, find what moves, mask it
// and the zones with the library, convert back, write the masked video, the boxes file and the
// contact sheet.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mask_exports.h"
#include "masked_box.h"
#include "options.h"
#include "stage_times.h"
#include "two_plane_frame.h"
#include "zones.h"

namespace ryn::privacy_mask {

struct MaskRunSummary {
  std::string input;
  int64_t frames = 0;
  double framesPerSecond = 0;  // of the input
  FrameSize frameSize;
  std::vector<Zone> zones;  // as placed on the frame
  bool detectMotion = false;
  MotionSettings motion;
  int64_t warmUpFrames = 0;   // frames the background was learnt from before masking
  int64_t motionBoxes = 0;    // summed over the frames
  int64_t framesWithMotion = 0;
  const MaskExport* maskExport = nullptr;
  int processingMode = 0;
  std::chrono::nanoseconds totalTime{0};
  std::chrono::nanoseconds warmUpTime{0};
  std::chrono::nanoseconds libraryTime{0};  // inside the masking exports only
  StageTimes stages;
  std::string videoPath;
  std::string videoCodec;
  std::string boxesPath;  // empty without --boxes
  std::string contactSheetPath;
};

struct MaskRunHooks {
  // Something the user should know (zones clipped or widened, no H.264 writer).
  std::function<void(const std::string& note)> note;
  // Frames done so far, of `total` when the input tells its length.
  std::function<void(int64_t done, std::optional<int64_t> total)> progress;
  // Each frame as converted from the input, and as masked with these boxes, before it is
  // converted back and written (the video file itself is lossy).
  std::function<void(int64_t index, const TwoPlaneFrame& original, const TwoPlaneFrame& masked,
                     const std::vector<MaskedBox>& boxes)>
      frameMasked;
};

// Throws ToolError on any problem; nothing is written when the input, the zones or the first
// masking call are refused.
MaskRunSummary MaskVideo(const Options& options, const MaskRunHooks& hooks = {});

// "<stem>" of the output files: the input's file name without extension, or for an image
// pattern such as frames/%04d.png the name of its folder.
std::string OutputStem(const std::string& input);

}  // namespace ryn::privacy_mask
