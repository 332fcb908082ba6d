// Per-ray rules of the eye rays and hit points, shared by the generic code and the scalar ends of
// the processor builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::raycast {

// origin + columnStep x (c + firstColumn) + rowTerm, left to right.
inline float EyeDirection(float origin, float columnStep, float rowTerm, size_t c, float firstColumn) {
  const float column = static_cast<float>(static_cast<int64_t>(c)) + firstColumn;
  return origin + columnStep * column + rowTerm;
}

inline float HitCoordinate(float eye, float direction, float epsilon, float distance, int32_t mask) {
  return mask >= 0 ? eye + direction * epsilon * distance : 0.0f;
}

}  // namespace ryn::raycast
