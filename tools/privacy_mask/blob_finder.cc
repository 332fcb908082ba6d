#include "blob_finder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "library_status.h"

namespace ryn::privacy_mask {
namespace {

constexpr int kFirstLabel = 1;
constexpr int kLastLabel = 254;
constexpr int kEightNeighbours = 0;

struct LabelExtent {
  int64_t area = 0;
  int left = 0, top = 0, right = 0, bottom = 0;  // inclusive

  void Add(int x, int y) {
    if (area++ == 0) {
      left = right = x;
      top = bottom = y;
      return;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
};

// Moving pixels are few: eight zero labels are skipped at a time.
void MeasureRow(const uint8_t* row, int width, int y, std::array<LabelExtent, kLastLabel + 1>& extents) {
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    uint64_t eight;
    std::memcpy(&eight, row + x, sizeof eight);
    if (eight == 0) continue;
    for (int i = x; i < x + 8; ++i)
      if (row[i] != 0) extents[row[i]].Add(i, y);
  }
  for (; x < width; ++x)
    if (row[x] != 0) extents[row[x]].Add(x, y);
}

}  // namespace

BlobFinder::BlobFinder(int width, int height) : labels_(width, height) {
  int bytes = 0;
  CheckStatus(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(labels_.size(), &bytes),
              "fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize");
  buffer_.resize(static_cast<size_t>(bytes));
}

std::vector<Blob> BlobFinder::Find(const BytePlane& mask) {
  CheckStatus(fnVCAIPP_Copy_8u_C1R(mask.data(), mask.step(), labels_.data(), labels_.step(), labels_.size()),
              "fnVCAIPP_Copy_8u_C1R");
  int regions = 0;
  CheckStatus(fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(labels_.data(), labels_.step(), labels_.size(), kFirstLabel,
                                                   kLastLabel, kEightNeighbours, &regions, buffer_.data()),
              "fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf");
  std::array<LabelExtent, kLastLabel + 1> extents{};
  if (regions > 0)
    for (int y = 0; y < labels_.height(); ++y) MeasureRow(labels_.row(y), labels_.width(), y, extents);

  std::vector<Blob> blobs;
  for (const LabelExtent& extent : extents)
    if (extent.area > 0)
      blobs.push_back(Blob{extent.area, Zone{extent.left, extent.top, extent.right - extent.left + 1,
                                             extent.bottom - extent.top + 1}});
  return blobs;
}

}  // namespace ryn::privacy_mask
