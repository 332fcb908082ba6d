// From blobs to the rectangles that get masked: small blobs dropped, boxes grown by a margin and
// to the smallest size the masking export takes, kept inside the frame on the 4:2:0 grid, and
// overlapping boxes merged.
#pragma once

#include <cstdint>
#include <vector>

#include "blob_finder.h"
#include "zones.h"

namespace ryn::privacy_mask {

struct BoxRules {
  int64_t minimumArea = 1;  // blobs of fewer pixels are noise
  int64_t margin = 0;       // pixels added on every side
  int64_t minimumWidth = 2;
  int64_t minimumHeight = 2;
};

// The boxes to mask for these blobs, in no particular order; none overlap.
std::vector<Zone> ShapeBoxes(const std::vector<Blob>& blobs, FrameSize frame, const BoxRules& rules);

// Grows `box` to at least width x height, around its centre, shifted back inside the frame, and
// widened to even bounds; a frame smaller than that bounds it.
Zone FitBox(Zone box, FrameSize frame, int64_t width, int64_t height);

// Replaces overlapping boxes by the box around both until no two overlap.
std::vector<Zone> MergeOverlapping(std::vector<Zone> boxes);

bool Overlap(const Zone& a, const Zone& b);

}  // namespace ryn::privacy_mask
