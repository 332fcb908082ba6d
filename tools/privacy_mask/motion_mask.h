// Where a frame's luma differs from the background: the absolute difference against the
// background in bytes, thresholded to 255 / 0, then cleaned by a 3 x 3 opening (drops specks)
// and a closing (fills small holes inside moving shapes).
#pragma once

#include <cstdint>

#include "background_model.h"
#include "library_plane.h"

namespace ryn::privacy_mask {

class MotionMask {
 public:
  MotionMask(int width, int height);

  // The raw mask: 255 where |luma - background| is above the threshold. The luma's step must be
  // the step of this size's library planes.
  void Detect(const uint8_t* luma, int lumaStep, const BackgroundModel& background, uint8_t threshold);
  // Opening then closing of the mask, in place.
  void Clean();
  // 255 where the cleaned mask is 0: the pixels the background may learn from.
  const BytePlane& Still();

  const BytePlane& mask() const { return mask_; }

 private:
  BytePlane background_;
  BytePlane difference_;
  BytePlane mask_;
  BytePlane still_;
};

}  // namespace ryn::privacy_mask
