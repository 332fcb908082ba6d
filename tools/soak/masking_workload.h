// The privacy-masking pipeline as the soak runs it: frames of a clip held in memory, converted to
// two-plane 4:2:0 and masked with the privacy tool's own classes, each masked frame reduced to a
// digest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <opencv2/core.hpp>

#include "privacy_mask/mask_exports.h"
#include "privacy_mask/zones.h"

namespace ryn::soak {

class MaskingWorkload {
 public:
  // Up to `frameCount` frames of the clip; generated frames when the clip cannot be read.
  MaskingWorkload(const std::string& clipPath, int frameCount);

  // "768x576, 24 frames of vtest.avi" and the like.
  const std::string& description() const { return description_; }
  // One task masks one frame with one effect, size and processing mode.
  int taskCount() const;
  // The digest of the masked frame's planes. Throws privacy_mask::ToolError when a call fails.
  uint64_t Run(int task) const;

 private:
  struct Setup {
    const privacy_mask::MaskExport* maskExport;
    int processingMode;
    std::vector<privacy_mask::Zone> zones;
  };

  void Generate(int frameCount);
  void AddSetups();

  std::vector<cv::Mat> frames_;
  std::vector<Setup> setups_;
  std::string description_;
};

}  // namespace ryn::soak
