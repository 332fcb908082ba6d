// Writes the masked frames: H.264 in MP4 when the installed FFmpeg writer offers it, else MJPG in
// AVI (a note says so). Opened on the first frame, once it is masked, so that a refused zone
// leaves no file behind.
#pragma once

#include <functional>
#include <string>

#include <opencv2/core.hpp>
#include <opencv2/videoio.hpp>

namespace ryn::privacy_mask {

class MaskedVideoWriter {
 public:
  // `basePath`: the output path without extension, in `directory`.
  MaskedVideoWriter(std::string directory, std::string basePath, double framesPerSecond,
                    std::function<void(const std::string&)> note);

  void Write(const cv::Mat& frame);

  // Empty before the first frame.
  const std::string& path() const { return path_; }
  // "H.264" or "MJPG".
  const std::string& codec() const { return codec_; }

 private:
  void Open(cv::Size size);
  bool TryOpen(const std::string& extension, int backend, int fourcc, cv::Size size);

  std::string directory_;
  std::string basePath_;
  double framesPerSecond_;
  std::function<void(const std::string&)> note_;
  std::string path_;
  std::string codec_;
  cv::VideoWriter writer_;
};

}  // namespace ryn::privacy_mask
