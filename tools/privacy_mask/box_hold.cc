#include "box_hold.h"

#include <algorithm>

#include "box_geometry.h"

namespace ryn::privacy_mask {

BoxHold::BoxHold(int64_t holdFrames) : holdFrames_(holdFrames) {}

std::vector<Zone> BoxHold::Update(const std::vector<Zone>& current) {
  std::erase_if(held_, [&](Held& held) {
    const bool movedOn =
        std::any_of(current.begin(), current.end(), [&](const Zone& box) { return Overlap(box, held.box); });
    return movedOn || ++held.age > holdFrames_;
  });
  for (const Zone& box : current) held_.push_back(Held{box, 0});

  std::vector<Zone> boxes;
  for (const Held& held : held_) boxes.push_back(held.box);
  return MergeOverlapping(std::move(boxes));
}

}  // namespace ryn::privacy_mask
