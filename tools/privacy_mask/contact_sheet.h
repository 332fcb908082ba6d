// The contact sheet: a few frames of the run, each as it was read next to its masked version,
// with the zones and the motion boxes outlined on the original in two colours.
#pragma once

#include <cstdint>
#include <vector>

#include <opencv2/core.hpp>

#include "zones.h"

namespace ryn::privacy_mask {

class ContactSheet {
 public:
  explicit ContactSheet(int rows = 4);

  // Offered every frame in order; keeps frames spread over the whole run without knowing its
  // length: every stride-th frame, the stride doubling whenever too many are kept.
  // `motionBoxes`: the frame's masked motion boxes.
  void Offer(int64_t index, const cv::Mat& original, const cv::Mat& masked,
             const std::vector<Zone>& motionBoxes = {});

  // Indices of the frames the sheet would show: `rows` of the kept ones, evenly spaced.
  std::vector<int64_t> ChosenFrames() const;

  // The sheet: one row per chosen frame, original on the left, masked on the right.
  cv::Mat Compose(const std::vector<Zone>& zones) const;

 private:
  struct Kept {
    int64_t index;
    cv::Mat original;
    cv::Mat masked;
    std::vector<Zone> motionBoxes;
  };
  std::vector<size_t> ChosenPositions() const;

  int rows_;
  int64_t stride_ = 1;
  std::vector<Kept> kept_;
};

}  // namespace ryn::privacy_mask
