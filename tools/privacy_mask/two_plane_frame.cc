#include "two_plane_frame.h"

#include <string>

#include <opencv2/core.hpp>
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

namespace {

// OpenCV's frames are BGR, the library's RGB: channels 0 and 2 change places. Only the channel
// order changes, no colour arithmetic; OpenCV's BGR to RGB reorder is four times as fast as
// mixChannels.
void SwapRedAndBlue(const cv::Mat& from, cv::Mat& to) { cv::cvtColor(from, to, cv::COLOR_BGR2RGB); }

void Check(IppStatus status, const char* conversion) {
  if (status != ippStsNoErr)
    throw ToolError(std::string(conversion) + " returned " + std::to_string(status) + ": " +
                    fnVCAIPP_GetStatusString(status));
}

}  // namespace

uint8_t* TwoPlaneFrame::ScratchPlane(int plane) const {
  threePlanes_.create(height_ * 3 / 2, width_, CV_8UC1);
  const size_t lumaBytes = static_cast<size_t>(width_) * static_cast<size_t>(height_);
  return threePlanes_.data + (plane == 0 ? 0 : lumaBytes + (plane - 1) * (lumaBytes / 4));
}

void TwoPlaneFrame::FromBgr(const cv::Mat& bgr) {
  CV_Assert(bgr.type() == CV_8UC3 && bgr.cols == width_ && bgr.rows == height_);
  SwapRedAndBlue(bgr, rgb_);
  // The luma goes straight into the frame; the chroma planes are then interleaved into pairs,
  // the luma plane standing in place.
  uint8_t* planes[3] = {luma(), ScratchPlane(1), ScratchPlane(2)};
  const int steps[3] = {lumaStep_, width_ / 2, width_ / 2};
  const IppiSize size{width_, height_};
  Check(fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb_.data, static_cast<int>(rgb_.step), planes, steps, size),
        "fnVCAIPP_RGBToYUV420_8u_C3P3R");
  Check(fnVCAIPP_YCbCr420_8u_P3P2R(planes[0], planes[1], planes[2], steps[0], steps[1], steps[2], luma(),
                                   lumaStep_, chroma(), chromaStep_, size),
        "fnVCAIPP_YCbCr420_8u_P3P2R");
}

void TwoPlaneFrame::ToBgr(cv::Mat& bgr) const {
  uint8_t* planes[3] = {ScratchPlane(0), ScratchPlane(1), ScratchPlane(2)};
  const int steps[3] = {width_, width_ / 2, width_ / 2};
  const IppiSize size{width_, height_};
  Check(fnVCAIPP_YCbCr420_8u_P2P3R(luma(), lumaStep_, chroma(), chromaStep_, planes[0], planes[1], planes[2],
                                   steps[0], steps[1], steps[2], size),
        "fnVCAIPP_YCbCr420_8u_P2P3R");
  rgb_.create(height_, width_, CV_8UC3);
  const uint8_t* const sources[3] = {planes[0], planes[1], planes[2]};
  Check(fnVCAIPP_YUV420ToRGB_8u_P3C3R(sources, steps, rgb_.data, static_cast<int>(rgb_.step), size),
        "fnVCAIPP_YUV420ToRGB_8u_P3C3R");
  SwapRedAndBlue(rgb_, bgr);
}

void TwoPlaneFrame::CopyFrom(const TwoPlaneFrame& other) {
  CV_Assert(other.width_ == width_ && other.height_ == height_);
  other.LumaMat().copyTo(LumaMat());
  other.ChromaPairs().copyTo(ChromaPairs());
}

}  // namespace ryn::privacy_mask
