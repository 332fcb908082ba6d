// The command line of ryn-privacy-mask.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mask_exports.h"
#include "motion_boxes.h"
#include "zones.h"

namespace ryn::privacy_mask {

struct Options {
  std::string input;                  // a video file or an image pattern such as frames/%04d.png
  bool inputIsDefaultClip = false;    // no input given: the cached surveillance clip
  std::vector<Zone> zones;            // as given; the default clip without motion has default zones
  bool detectMotion = false;          // mask what moves; on unless zones are given
  MotionSettings motion;
  std::string boxesPath;              // where to list every masked rectangle; empty for nowhere
  Effect effect = Effect::kPixelate;
  int blockSize = DefaultSize(Effect::kPixelate);
  int processingMode = 0;             // 0 automatic, 1 portable path, 2 vector path
  std::optional<int64_t> frameLimit;
  std::string outputDirectory = "masked";
  bool showProgress = true;           // only ever shown on a terminal
  bool showHelp = false;
};

// Parses the arguments after the program name. Throws UsageError naming the bad argument.
Options ParseOptions(const std::vector<std::string>& arguments);

std::string UsageText();

// Where scripts/demo leaves the default clip: $XDG_CACHE_HOME/ryn/vtest.avi, else
// $HOME/.cache/ryn/vtest.avi.
std::string DefaultClipPath();

// The zones masked on the default clip (768 x 576) with --no-motion: the building's windows, the parked vehicles
// and the footpath on the right.
std::vector<Zone> DefaultClipZones();

// "auto", "portable" or "vector".
std::string ModeName(int processingMode);

}  // namespace ryn::privacy_mask
