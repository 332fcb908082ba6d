#include "frame_source.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include <opencv2/imgproc.hpp>

#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

namespace fs = std::filesystem;

bool IsImagePattern(const std::string& input) { return input.find('%') != std::string::npos; }

std::string SizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

void CheckReadable(const Options& options) {
  const std::string& input = options.input;
  std::error_code error;
  if (IsImagePattern(input)) return;
  if (!fs::exists(input, error)) {
    if (options.inputIsDefaultClip)
      throw ToolError("the default clip " + input + " is missing: run scripts/demo once, or give a video");
    throw ToolError("cannot open '" + input + "': no such file");
  }
  if (fs::is_directory(input, error))
    throw ToolError("cannot open '" + input + "': it is a directory (give a video or a pattern such as dir/%04d.png)");
}

// Video backends deliver BGR; image sequences may hold grey or BGRA images.
void ConvertToBgr(cv::Mat& image) {
  if (image.depth() != CV_8U) throw ToolError("cannot mask frames of more than 8 bits per sample");
  if (image.channels() == 1) cv::cvtColor(image, image, cv::COLOR_GRAY2BGR);
  if (image.channels() == 4) cv::cvtColor(image, image, cv::COLOR_BGRA2BGR);
  if (image.channels() != 3) throw ToolError("cannot mask frames of " + std::to_string(image.channels()) + " channels");
}

}  // namespace

FrameSource::FrameSource(const Options& options) : options_(options) {
  CheckReadable(options);
  // FFmpeg reads every video format Debian's OpenCV knows; naming the backend keeps OpenCV from
  // trying each of its others on a file that is no video.
  if (!capture_.open(options.input, IsImagePattern(options.input) ? cv::CAP_IMAGES : cv::CAP_FFMPEG))
    throw ToolError("cannot open '" + options.input + "': not a video or image sequence that OpenCV can read");
  if (!capture_.read(first_) || first_.empty())
    throw ToolError("cannot read a frame from '" + options.input + "'");
  size_ = FrameSize{first_.cols, first_.rows};
  if (size_.width % 2 != 0 || size_.height % 2 != 0)
    throw ToolError("cannot mask " + SizeText(size_.width, size_.height) +
                    " frames: 4:2:0 frames need an even width and height");

  const double count = capture_.get(cv::CAP_PROP_FRAME_COUNT);
  if (count >= 1 && count < 1e12) {
    const int64_t frames = static_cast<int64_t>(count);
    expectedFrames_ = options.frameLimit ? std::min(frames, *options.frameLimit) : frames;
  }
}

double FrameSource::framesPerSecond() const {
  const double fps = capture_.get(cv::CAP_PROP_FPS);
  return fps > 0 && fps < 1000 ? fps : 25.0;
}

bool FrameSource::Next(cv::Mat& bgr) {
  if (options_.frameLimit && delivered_ >= *options_.frameLimit) return false;
  if (delivered_ == 0) {
    bgr = first_;
  } else if (!capture_.read(bgr) || bgr.empty()) {
    return false;
  }
  if (bgr.cols != size_.width || bgr.rows != size_.height)
    throw ToolError("frame " + std::to_string(delivered_) + " is " + SizeText(bgr.cols, bgr.rows) +
                    ", the first was " + SizeText(size_.width, size_.height));
  ConvertToBgr(bgr);
  ++delivered_;
  return true;
}

}  // namespace ryn::privacy_mask
