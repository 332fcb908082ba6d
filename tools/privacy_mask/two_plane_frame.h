// A two-plane 4:2:0 frame as VCA components receive it: a luma plane of width x height bytes and
// an interleaved chroma plane (U, V pairs) of height / 2 rows of width bytes, each plane in a
// 32-byte aligned block of the library with its own row step.
#pragma once

#include <cstdint>
#include <memory>

#include <opencv2/core.hpp>

namespace ryn::privacy_mask {

class TwoPlaneFrame {
 public:
  // Width and height must be even. Throws ToolError when the library cannot allocate the planes.
  TwoPlaneFrame(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t* luma() { return luma_.get(); }
  const uint8_t* luma() const { return luma_.get(); }
  int lumaStep() const { return lumaStep_; }
  uint8_t* chroma() { return chroma_.get(); }
  const uint8_t* chroma() const { return chroma_.get(); }
  int chromaStep() const { return chromaStep_; }

  uint8_t LumaAt(int x, int y) const { return luma_.get()[static_cast<ptrdiff_t>(y) * lumaStep_ + x]; }
  // Byte `byte` of chroma row `row`: U at even bytes, V at odd bytes.
  uint8_t ChromaAt(int byte, int row) const {
    return chroma_.get()[static_cast<ptrdiff_t>(row) * chromaStep_ + byte];
  }

  // Converts an 8-bit BGR image of the frame's size with the library's RGB to 4:2:0 conversion
  // (full-range YUV: U = 0.492 (B - Y), V = 0.877 (R - Y)), and back with its 4:2:0 to RGB
  // conversion. Throws ToolError when a conversion fails.
  void FromBgr(const cv::Mat& bgr);
  void ToBgr(cv::Mat& bgr) const;
  void CopyFrom(const TwoPlaneFrame& other);

 private:
  struct LibraryFree {
    void operator()(uint8_t* block) const;
  };

  cv::Mat LumaMat() const;
  cv::Mat ChromaPairs() const;  // height / 2 x width / 2 pixels of two channels
  uint8_t* ScratchPlane(int plane) const;  // Y, U, V of the three-plane scratch

  int width_;
  int height_;
  int lumaStep_ = 0;
  int chromaStep_ = 0;
  std::unique_ptr<uint8_t, LibraryFree> luma_;
  std::unique_ptr<uint8_t, LibraryFree> chroma_;
  // Conversion scratch, reused from frame to frame: the frame in RGB (the library's channel
  // order) and in three planes (Y, U, V back to back).
  mutable cv::Mat rgb_;
  mutable cv::Mat threePlanes_;
};

}  // namespace ryn::privacy_mask
