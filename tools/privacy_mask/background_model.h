// The scene without what moves: a running average of the luma in single precision.
#pragma once

#include <cstdint>

#include "library_plane.h"

namespace ryn::privacy_mask {

class BackgroundModel {
 public:
  BackgroundModel(int width, int height);

  bool initialised() const { return initialised_; }

  // Every pixel moves `rate` of the way towards the luma; the first frame seen is taken as it is.
  void Learn(const uint8_t* luma, int lumaStep, float rate);
  // Only the pixels where `learnMask` is not zero move; the mask shares the luma's step.
  void LearnWhere(const uint8_t* luma, int lumaStep, const uint8_t* learnMask, float rate);

  // The average rounded to bytes, for comparison with a frame's luma.
  void ToBytes(BytePlane& destination) const;

  const FloatPlane& average() const { return average_; }

 private:
  bool TakeFirst(const uint8_t* luma, int lumaStep);

  FloatPlane average_;
  bool initialised_ = false;
};

}  // namespace ryn::privacy_mask
