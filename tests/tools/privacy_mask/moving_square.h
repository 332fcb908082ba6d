// Generated scenes for the motion tests: a dark square over a static textured background, as BGR
// images, MJPG clips or two-plane frames.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "privacy_mask/two_plane_frame.h"
#include "privacy_mask/zones.h"

namespace ryn::privacy_mask::test {

// Smooth texture (blurred noise, luma about 100 to 200) that JPEG keeps nearly as it is.
inline cv::Mat TexturedBackground(cv::Size size) {
  cv::Mat noise(size, CV_8UC3);
  cv::RNG random(7);
  random.fill(noise, cv::RNG::UNIFORM, 100, 200);
  cv::Mat smooth;
  cv::GaussianBlur(noise, smooth, cv::Size(0, 0), 2.0);
  cv::normalize(smooth, smooth, 100, 200, cv::NORM_MINMAX);
  return smooth;
}

inline cv::Mat SceneWith(const cv::Mat& background, std::optional<Zone> square) {
  cv::Mat frame = background.clone();
  if (square)
    cv::rectangle(frame,
                  cv::Rect(static_cast<int>(square->x), static_cast<int>(square->y), static_cast<int>(square->width),
                           static_cast<int>(square->height)),
                  cv::Scalar(40, 20, 30), cv::FILLED);
  return frame;
}

inline void WriteClip(const std::string& path, const cv::Mat& background,
                      const std::vector<std::optional<Zone>>& squares) {
  cv::VideoWriter writer(path, cv::CAP_OPENCV_MJPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), 10.0,
                         background.size());
  ASSERT_TRUE(writer.isOpened()) << path;
  for (const std::optional<Zone>& square : squares) writer.write(SceneWith(background, square));
}

inline bool Contains(const Zone& outer, const Zone& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

inline Zone Grown(const Zone& box, int64_t by) {
  return Zone{box.x - by, box.y - by, box.width + 2 * by, box.height + 2 * by};
}

}  // namespace ryn::privacy_mask::test
