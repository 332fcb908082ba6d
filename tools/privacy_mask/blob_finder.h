// Connected regions of a motion mask, each as its pixel count and bounding box.
#pragma once

#include <cstdint>
#include <vector>

#include "library_plane.h"
#include "zones.h"

namespace ryn::privacy_mask {

struct Blob {
  int64_t area = 0;  // pixels
  Zone box;          // bounding box
  friend bool operator==(const Blob&, const Blob&) = default;
};

class BlobFinder {
 public:
  // Throws ToolError when the labelling buffer cannot be sized or allocated.
  BlobFinder(int width, int height);

  // Labels the eight-connected regions of the mask's non-zero pixels with the library, then
  // measures every label in one pass over the label image. There are 254 labels: past 254
  // regions the labelling starts again at 1, and regions sharing a label come back as one blob
  // around all of them, which masks more, never less.
  std::vector<Blob> Find(const BytePlane& mask);

 private:
  BytePlane labels_;
  std::vector<uint8_t> buffer_;
};

}  // namespace ryn::privacy_mask
