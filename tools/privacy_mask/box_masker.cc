#include "box_masker.h"

#include <algorithm>
#include <string>

#include "RynRAZUdidazoror.h"
#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

constexpr int kPortable = 1;

// The statuses of a box narrower than the vector path takes, or not larger than the block.
bool TooSmall(IppStatus status) { return status == ippStsSizeErr || status == ippStsMaskSizeErr; }

int VectorChromaBytes(const MaskExport& maskExport) {
  if (maskExport.effect == Effect::kBlur) return maskExport.size >= 11 ? 64 : 32;
  if (maskExport.size >= 256) return 128;
  return maskExport.size >= 32 ? 64 : 32;
}

}  // namespace

FrameSize SmallestBox(const MaskExport& maskExport, int processingMode) {
  const int side = (maskExport.size + 2) & ~1;
  const int width = processingMode == kPortable ? side : std::max(side, VectorChromaBytes(maskExport));
  return FrameSize{width, side};
}

BoxMasker::BoxMasker(const MaskExport& maskExport, int processingMode)
    : export_(maskExport), processingMode_(processingMode) {}

std::string BoxMasker::Hint(IppStatus status) const {
  // The vector path has a minimum chroma row width per block size; the portable path has none.
  if (status == ippStsSizeErr && processingMode_ != kPortable)
    return " (the vector path needs a wider zone: try --mode portable)";
  if (status == ippStsCpuNotSupportedErr) return " (this processor has no vector path: try --mode auto)";
  return {};
}

IppStatus BoxMasker::Call(const MaskExport& maskExport, TwoPlaneFrame& frame, const Zone& box, int processingMode) {
  using Clock = std::chrono::steady_clock;
  // A chroma pair covers luma pixels (x, y) to (x + 1, y + 1): with x and y even, the box's
  // chroma starts at row y / 2, byte x.
  uint8_t* luma = frame.luma() + box.y * frame.lumaStep() + box.x;
  uint8_t* chroma = frame.chroma() + (box.y / 2) * frame.chromaStep() + box.x;
  const IppiSize size{static_cast<int>(box.width), static_cast<int>(box.height)};
  const Clock::time_point start = Clock::now();
  const IppStatus status =
      maskExport.function(luma, frame.lumaStep(), chroma, frame.chromaStep(), size, processingMode);
  libraryTime_ += Clock::now() - start;
  return status;
}

IppStatus BoxMasker::MaskMotionBox(TwoPlaneFrame& frame, const Zone& box) {
  IppStatus status = Call(export_, frame, box, processingMode_);
  if (!TooSmall(status)) return status;
  ++fallbacks_;
  for (const MaskExport* smaller = &export_; smaller != nullptr; smaller = SmallerMaskExport(*smaller)) {
    status = Call(*smaller, frame, box, kPortable);
    if (!TooSmall(status)) return status;
  }
  return status;
}

void BoxMasker::Mask(TwoPlaneFrame& frame, const std::vector<MaskedBox>& boxes) {
  int zoneNumber = 0;
  for (const MaskedBox& masked : boxes) {
    const bool isZone = masked.source == BoxSource::kZone;
    if (isZone) ++zoneNumber;
    const IppStatus status =
        isZone ? Call(export_, frame, masked.box, processingMode_) : MaskMotionBox(frame, masked.box);
    if (status == ippStsNoErr) continue;
    const std::string what = isZone ? "zone " + std::to_string(zoneNumber) : "motion box";
    throw ToolError(std::string(export_.name) + " returned " + std::to_string(status) + " on " + what + " (" +
                    ToString(masked.box) + "): " + fnVCAIPP_GetStatusString(status) + Hint(status));
  }
}

}  // namespace ryn::privacy_mask
