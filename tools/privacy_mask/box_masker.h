// Masks rectangles of two-plane frames in place with one of the library's two-plane exports, and
// keeps the time spent inside those calls.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "mask_exports.h"
#include "masked_box.h"
#include "two_plane_frame.h"

namespace ryn::privacy_mask {

// The smallest box the export masks in this processing mode: wider and taller than the block (or
// window), on even bounds, and for the vector path chroma rows (as many bytes as the box is wide)
// of at least 32 bytes, 64 for blocks of 32 to 128 and windows from 11, 128 for blocks from 256.
FrameSize SmallestBox(const MaskExport& maskExport, int processingMode);

class BoxMasker {
 public:
  BoxMasker(const MaskExport& maskExport, int processingMode);

  // Boxes as placed by PlaceZones or ShapeBoxes: inside the frame, even bounds. Each goes to the
  // export as a frame of its own: both plane addresses moved to the box's first pixel, the
  // frame's steps, the box's size. A motion box too small for the export (in a frame smaller than
  // SmallestBox) is masked by the portable path instead, with smaller blocks if need be, so that
  // it is masked rather than the run failing; any other refusal throws ToolError.
  void Mask(TwoPlaneFrame& frame, const std::vector<MaskedBox>& boxes);

  std::chrono::nanoseconds libraryTime() const { return libraryTime_; }
  // Motion boxes masked by a fallback so far.
  int64_t fallbacks() const { return fallbacks_; }

 private:
  IppStatus Call(const MaskExport& maskExport, TwoPlaneFrame& frame, const Zone& box, int processingMode);
  IppStatus MaskMotionBox(TwoPlaneFrame& frame, const Zone& box);
  std::string Hint(IppStatus status) const;

  const MaskExport& export_;
  int processingMode_;
  std::chrono::nanoseconds libraryTime_{0};
  int64_t fallbacks_ = 0;
};

}  // namespace ryn::privacy_mask
