// Masks the zones of two-plane frames in place with one of the library's two-plane exports, and
// keeps the time spent inside those calls.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "mask_exports.h"
#include "two_plane_frame.h"
#include "zones.h"

namespace ryn::privacy_mask {

class ZoneMasker {
 public:
  // Zones as placed by PlaceZones: inside the frame, even bounds.
  ZoneMasker(const MaskExport& maskExport, int processingMode, std::vector<Zone> zones);

  // Each zone goes to the export as a frame of its own: both plane addresses moved to the zone's
  // first pixel, the frame's steps, the zone's size. Throws ToolError when the library returns
  // anything but success.
  void Mask(TwoPlaneFrame& frame);

  std::chrono::nanoseconds libraryTime() const { return libraryTime_; }

 private:
  std::string Hint(IppStatus status) const;

  const MaskExport& export_;
  int processingMode_;
  std::vector<Zone> zones_;
  std::chrono::nanoseconds libraryTime_{0};
};

}  // namespace ryn::privacy_mask
