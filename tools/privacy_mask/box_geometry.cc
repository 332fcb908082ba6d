#include "box_geometry.h"

#include <algorithm>

namespace ryn::privacy_mask {
namespace {

Zone Union(const Zone& a, const Zone& b) {
  const int64_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return Zone{left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

// One side of FitBox: [start, start + length) clipped to [0, limit), grown to `minimum` around its
// centre and moved back inside, then widened to even bounds (the limit is even).
void FitSpan(int64_t& start, int64_t& length, int64_t minimum, int64_t limit) {
  int64_t begin = std::max<int64_t>(start, 0), end = std::min(start + length, limit);
  if (end - begin < minimum) {
    begin = (begin - (minimum - (end - begin)) / 2) & ~int64_t{1};
    end = begin + minimum;
    if (begin < 0) end -= begin, begin = 0;
    if (end > limit) begin -= end - limit, end = limit;
    begin = std::max<int64_t>(begin, 0);
  }
  begin &= ~int64_t{1};
  end = std::min((end + 1) & ~int64_t{1}, limit);
  start = begin;
  length = end - begin;
}

}  // namespace

bool Overlap(const Zone& a, const Zone& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

Zone FitBox(Zone box, FrameSize frame, int64_t width, int64_t height) {
  FitSpan(box.x, box.width, width, frame.width);
  FitSpan(box.y, box.height, height, frame.height);
  return box;
}

std::vector<Zone> MergeOverlapping(std::vector<Zone> boxes) {
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t i = 0; i < boxes.size() && !merged; ++i)
      for (size_t j = i + 1; j < boxes.size(); ++j)
        if (Overlap(boxes[i], boxes[j])) {
          boxes[i] = Union(boxes[i], boxes[j]);
          boxes.erase(boxes.begin() + static_cast<ptrdiff_t>(j));
          merged = true;
          break;
        }
  }
  return boxes;
}

std::vector<Zone> ShapeBoxes(const std::vector<Blob>& blobs, FrameSize frame, const BoxRules& rules) {
  std::vector<Zone> boxes;
  for (const Blob& blob : blobs) {
    if (blob.area < rules.minimumArea) continue;
    const Zone grown{blob.box.x - rules.margin, blob.box.y - rules.margin, blob.box.width + 2 * rules.margin,
                     blob.box.height + 2 * rules.margin};
    boxes.push_back(FitBox(grown, frame, rules.minimumWidth, rules.minimumHeight));
  }
  return MergeOverlapping(std::move(boxes));
}

}  // namespace ryn::privacy_mask
