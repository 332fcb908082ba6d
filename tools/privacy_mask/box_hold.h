// Keeps a motion box masked for a number of frames after the motion in it stops, so that a
// person who pauses or is missed for a frame stays hidden.
#pragma once

#include <cstdint>
#include <vector>

#include "zones.h"

namespace ryn::privacy_mask {

class BoxHold {
 public:
  explicit BoxHold(int64_t holdFrames);

  // Takes this frame's motion boxes and returns the boxes to mask: these and every earlier box
  // seen in the last `holdFrames` frames that none of them overlaps (an overlapped box has moved
  // on with its object), merged where they overlap.
  std::vector<Zone> Update(const std::vector<Zone>& current);

 private:
  struct Held {
    Zone box;
    int64_t age;  // frames since the box last had motion
  };

  int64_t holdFrames_;
  std::vector<Held> held_;
};

}  // namespace ryn::privacy_mask
