// The input's frames as 8-bit BGR images of one even size: a video read through FFmpeg, or an
// image sequence named by a pattern such as frames/%04d.png.
#pragma once

#include <cstdint>
#include <optional>

#include <opencv2/core.hpp>
#include <opencv2/videoio.hpp>

#include "options.h"
#include "zones.h"

namespace ryn::privacy_mask {

class FrameSource {
 public:
  // Opens the input and reads its first frame. Throws ToolError when the input cannot be read or
  // its frames cannot be held in 4:2:0 (odd width or height).
  explicit FrameSource(const Options& options);

  FrameSize size() const { return size_; }
  // The number of frames that Next will deliver, when the input tells its length.
  std::optional<int64_t> expectedFrames() const { return expectedFrames_; }
  double framesPerSecond() const;

  // The next frame, the first one included; false after the last one or at the frame limit.
  bool Next(cv::Mat& bgr);

 private:
  const Options& options_;
  cv::VideoCapture capture_;
  cv::Mat first_;
  FrameSize size_;
  std::optional<int64_t> expectedFrames_;
  int64_t delivered_ = 0;
};

}  // namespace ryn::privacy_mask
