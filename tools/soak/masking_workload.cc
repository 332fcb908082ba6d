#include "masking_workload.h"

#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "privacy_mask/box_masker.h"
#include "privacy_mask/tool_error.h"
#include "privacy_mask/two_plane_frame.h"

namespace ryn::soak {
namespace {

using privacy_mask::Effect;

// FNV-1a over the rows of both planes.
uint64_t Digest(const privacy_mask::TwoPlaneFrame& frame) {
  uint64_t hash = 0xCBF29CE484222325ull;
  const auto add = [&](const uint8_t* row, int bytes) {
    for (int i = 0; i < bytes; ++i) hash = (hash ^ row[i]) * 0x100000001B3ull;
  };
  for (int y = 0; y < frame.height(); ++y) add(frame.luma() + static_cast<ptrdiff_t>(y) * frame.lumaStep(), frame.width());
  for (int y = 0; y < frame.height() / 2; ++y)
    add(frame.chroma() + static_cast<ptrdiff_t>(y) * frame.chromaStep(), frame.width());
  return hash;
}

}  // namespace

MaskingWorkload::MaskingWorkload(const std::string& clipPath, int frameCount) {
  cv::VideoCapture capture(clipPath);
  cv::Mat frame;
  while (capture.isOpened() && static_cast<int>(frames_.size()) < frameCount && capture.read(frame)) {
    if (frame.cols % 2 != 0 || frame.rows % 2 != 0) break;
    frames_.push_back(frame.clone());
  }
  if (frames_.empty()) {
    Generate(frameCount);
    description_ = "generated";
  } else {
    description_ = clipPath;
  }
  description_ = std::to_string(frames_[0].cols) + "x" + std::to_string(frames_[0].rows) + ", " +
                 std::to_string(frames_.size()) + " frames, " + description_;
  AddSetups();
}

void MaskingWorkload::Generate(int frameCount) {
  cv::RNG rng(20261207);
  for (int i = 0; i < frameCount; ++i) {
    cv::Mat frame(240, 320, CV_8UC3);
    rng.fill(frame, cv::RNG::UNIFORM, 0, 256);
    for (int walker = 0; walker < 4; ++walker)
      cv::circle(frame, cv::Point(40 + 60 * walker + 3 * i, 60 + 30 * walker), 25,
                 cv::Scalar(40 * walker, 200 - 30 * walker, 90), cv::FILLED);
    frames_.push_back(frame);
  }
}

void MaskingWorkload::AddSetups() {
  const privacy_mask::FrameSize size{frames_[0].cols, frames_[0].rows};
  // One zone in the middle, one across the bottom-right corner (clipped), one the whole frame.
  const std::vector<privacy_mask::Zone> requested = {
      {size.width / 4, size.height / 4, size.width / 3, size.height / 3},
      {size.width * 2 / 3, size.height * 3 / 5, size.width, size.height},
      {0, 0, size.width, size.height}};
  for (Effect effect : {Effect::kPixelate, Effect::kBlur}) {
    for (int blockSize : {privacy_mask::DefaultSize(effect), effect == Effect::kPixelate ? 8 : 15}) {
      const auto placed = privacy_mask::PlaceZones(requested, size, blockSize);
      for (int mode : {0, 1}) setups_.push_back(Setup{privacy_mask::FindMaskExport(effect, blockSize), mode, placed.zones});
    }
  }
}

int MaskingWorkload::taskCount() const { return static_cast<int>(frames_.size() * setups_.size()); }

uint64_t MaskingWorkload::Run(int task) const {
  const cv::Mat& bgr = frames_[static_cast<size_t>(task) % frames_.size()];
  const Setup& setup = setups_[static_cast<size_t>(task) / frames_.size()];
  privacy_mask::TwoPlaneFrame frame(bgr.cols, bgr.rows);
  frame.FromBgr(bgr);
  std::vector<privacy_mask::MaskedBox> boxes;
  for (const auto& zone : setup.zones) boxes.push_back({zone, privacy_mask::BoxSource::kZone});
  privacy_mask::BoxMasker masker(*setup.maskExport, setup.processingMode);
  masker.Mask(frame, boxes);
  return Digest(frame);
}

}  // namespace ryn::soak
