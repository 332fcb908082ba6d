#include "two_plane_frame.h"

#include <opencv2/imgproc.hpp>

#include "RynRAZUdidazoror.h"
#include "tool_error.h"

namespace ryn::privacy_mask {

void TwoPlaneFrame::LibraryFree::operator()(uint8_t* block) const { fnVCAIPP_Free(block); }

TwoPlaneFrame::TwoPlaneFrame(int width, int height)
    : width_(width),
      height_(height),
      luma_(fnVCAIPP_Malloc_8u_C1(width, height, &lumaStep_)),
      chroma_(fnVCAIPP_Malloc_8u_C1(width, height / 2, &chromaStep_)) {
  if (width < 2 || height < 2 || width % 2 != 0 || height % 2 != 0)
    throw ToolError("cannot hold a " + std::to_string(width) + "x" + std::to_string(height) +
                    " frame in 4:2:0: width and height must be even");
  if (!luma_ || !chroma_)
    throw ToolError("out of memory for a " + std::to_string(width) + "x" + std::to_string(height) + " frame");
}

cv::Mat TwoPlaneFrame::LumaMat() const {
  return cv::Mat(height_, width_, CV_8UC1, const_cast<uint8_t*>(luma()), static_cast<size_t>(lumaStep_));
}

cv::Mat TwoPlaneFrame::ChromaPairs() const {
  return cv::Mat(height_ / 2, width_ / 2, CV_8UC2, const_cast<uint8_t*>(chroma()), static_cast<size_t>(chromaStep_));
}

void TwoPlaneFrame::FromBgr(const cv::Mat& bgr) {
  CV_Assert(bgr.type() == CV_8UC3 && bgr.cols == width_ && bgr.rows == height_);
  // OpenCV converts to three planes (I420: Y, then U, then V, each contiguous); the chroma
  // planes are then interleaved into pairs.
  cv::cvtColor(bgr, i420_, cv::COLOR_BGR2YUV_I420);
  i420_.rowRange(0, height_).copyTo(LumaMat());
  const size_t chromaPixels = static_cast<size_t>(width_ / 2) * static_cast<size_t>(height_ / 2);
  uint8_t* u = i420_.ptr<uint8_t>(height_);
  const cv::Mat planes[] = {cv::Mat(height_ / 2, width_ / 2, CV_8UC1, u),
                            cv::Mat(height_ / 2, width_ / 2, CV_8UC1, u + chromaPixels)};
  cv::Mat pairs = ChromaPairs();
  cv::merge(planes, 2, pairs);
}

void TwoPlaneFrame::ToBgr(cv::Mat& bgr) const {
  cv::cvtColorTwoPlane(LumaMat(), ChromaPairs(), bgr, cv::COLOR_YUV2BGR_NV12);
}

void TwoPlaneFrame::CopyFrom(const TwoPlaneFrame& other) {
  CV_Assert(other.width_ == width_ && other.height_ == height_);
  other.LumaMat().copyTo(LumaMat());
  other.ChromaPairs().copyTo(ChromaPairs());
}

}  // namespace ryn::privacy_mask
