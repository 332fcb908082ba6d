#include "zone_masker.h"

#include <string>

#include "RynRAZUdidazoror.h"
#include "tool_error.h"

namespace ryn::privacy_mask {

ZoneMasker::ZoneMasker(const MaskExport& maskExport, int processingMode, std::vector<Zone> zones)
    : export_(maskExport), processingMode_(processingMode), zones_(std::move(zones)) {}

std::string ZoneMasker::Hint(IppStatus status) const {
  // The vector path has a minimum chroma row width per block size; the portable path has none.
  if (status == ippStsSizeErr && processingMode_ != 1)
    return " (the vector path needs a wider zone: try --mode portable)";
  if (status == ippStsCpuNotSupportedErr) return " (this processor has no vector path: try --mode auto)";
  return {};
}

void ZoneMasker::Mask(TwoPlaneFrame& frame) {
  using Clock = std::chrono::steady_clock;
  for (size_t i = 0; i < zones_.size(); ++i) {
    const Zone& zone = zones_[i];
    // A chroma pair covers luma pixels (x, y) to (x + 1, y + 1): with x and y even, the zone's
    // chroma starts at row y / 2, byte x.
    uint8_t* luma = frame.luma() + zone.y * frame.lumaStep() + zone.x;
    uint8_t* chroma = frame.chroma() + (zone.y / 2) * frame.chromaStep() + zone.x;
    const IppiSize size{static_cast<int>(zone.width), static_cast<int>(zone.height)};

    const Clock::time_point start = Clock::now();
    const IppStatus status =
        export_.function(luma, frame.lumaStep(), chroma, frame.chromaStep(), size, processingMode_);
    libraryTime_ += Clock::now() - start;

    if (status != ippStsNoErr)
      throw ToolError(std::string(export_.name) + " returned " + std::to_string(status) + " on zone " +
                      std::to_string(i + 1) + " (" + ToString(zone) + "): " + fnVCAIPP_GetStatusString(status) +
                      Hint(status));
  }
}

}  // namespace ryn::privacy_mask
