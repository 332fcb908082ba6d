#include "contact_sheet.h"

#include <algorithm>
#include <string>

#include <opencv2/imgproc.hpp>

namespace ryn::privacy_mask {
namespace {

constexpr int kTileWidth = 480;
constexpr int kLabelHeight = 28;
constexpr int kGap = 8;
const cv::Scalar kBackground(32, 32, 32);
const cv::Scalar kLabelColour(235, 235, 235);
const cv::Scalar kZoneColour(0, 220, 255);
const cv::Scalar kMotionColour(255, 64, 255);

void DrawLabel(cv::Mat& sheet, cv::Point origin, const std::string& text) {
  cv::putText(sheet, text, origin + cv::Point(4, kLabelHeight - 9), cv::FONT_HERSHEY_SIMPLEX, 0.6, kLabelColour, 1,
              cv::LINE_AA);
}

cv::Rect Scaled(const Zone& box, double scale) {
  return cv::Rect(cvRound(box.x * scale), cvRound(box.y * scale), cvRound(box.width * scale),
                  cvRound(box.height * scale));
}

}  // namespace

ContactSheet::ContactSheet(int rows) : rows_(std::max(rows, 1)) {}

void ContactSheet::Offer(int64_t index, const cv::Mat& original, const cv::Mat& masked,
                         const std::vector<Zone>& motionBoxes) {
  if (index % stride_ != 0) return;
  kept_.push_back(Kept{index, original.clone(), masked.clone(), motionBoxes});
  if (kept_.size() <= static_cast<size_t>(2 * rows_)) return;
  stride_ *= 2;
  std::erase_if(kept_, [&](const Kept& kept) { return kept.index % stride_ != 0; });
}

std::vector<size_t> ContactSheet::ChosenPositions() const {
  std::vector<size_t> positions;
  const size_t count = std::min(kept_.size(), static_cast<size_t>(rows_));
  for (size_t row = 0; row < count; ++row)
    positions.push_back(count == 1 ? 0 : row * (kept_.size() - 1) / (count - 1));
  return positions;
}

std::vector<int64_t> ContactSheet::ChosenFrames() const {
  std::vector<int64_t> frames;
  for (size_t position : ChosenPositions()) frames.push_back(kept_[position].index);
  return frames;
}

cv::Mat ContactSheet::Compose(const std::vector<Zone>& zones) const {
  const std::vector<size_t> positions = ChosenPositions();
  if (positions.empty()) return cv::Mat();
  const cv::Size frame = kept_.front().original.size();
  const double scale = std::min(1.0, static_cast<double>(kTileWidth) / frame.width);
  const cv::Size tile(cvRound(frame.width * scale), cvRound(frame.height * scale));
  const int rowHeight = kLabelHeight + tile.height + kGap;
  cv::Mat sheet(kGap + rowHeight * static_cast<int>(positions.size()), kGap * 3 + tile.width * 2, CV_8UC3,
                kBackground);

  for (size_t row = 0; row < positions.size(); ++row) {
    const Kept& kept = kept_[positions[row]];
    const int top = kGap + rowHeight * static_cast<int>(row);
    const cv::Point left(kGap, top), right(kGap * 2 + tile.width, top);
    cv::Mat original = sheet(cv::Rect(left + cv::Point(0, kLabelHeight), tile));
    cv::Mat masked = sheet(cv::Rect(right + cv::Point(0, kLabelHeight), tile));
    cv::resize(kept.original, original, tile, 0, 0, cv::INTER_AREA);
    cv::resize(kept.masked, masked, tile, 0, 0, cv::INTER_AREA);
    for (const Zone& box : kept.motionBoxes) cv::rectangle(original, Scaled(box, scale), kMotionColour, 2);
    for (size_t z = 0; z < zones.size(); ++z) {
      const cv::Rect box = Scaled(zones[z], scale);
      cv::rectangle(original, box, kZoneColour, 2);
      cv::putText(original, std::to_string(z + 1), box.tl() + cv::Point(4, 18), cv::FONT_HERSHEY_SIMPLEX, 0.55,
                  kZoneColour, 2, cv::LINE_AA);
    }
    DrawLabel(sheet, left, "frame " + std::to_string(kept.index) + ": original, zones and motion outlined");
    DrawLabel(sheet, right, "frame " + std::to_string(kept.index) + ": masked");
  }
  return sheet;
}

}  // namespace ryn::privacy_mask
