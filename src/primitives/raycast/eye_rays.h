// Per-ray rules of the eye rays and hit points, shared by the generic code and the scalar ends of
// the processor builds. Planes are caller memory that need not be 4-byte aligned: scalar code
// reads and writes them through LoadUnaligned / StoreUnaligned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/unaligned.h"

namespace ryn::raycast {

// origin + columnStep x (c + firstColumn) + rowTerm, left to right.
inline float EyeDirection(float origin, float columnStep, float rowTerm, size_t c, float firstColumn) {
  const float column = static_cast<float>(static_cast<int64_t>(c)) + firstColumn;
  return origin + columnStep * column + rowTerm;
}

inline float HitCoordinate(float eye, float direction, float epsilon, float distance, int32_t mask) {
  return mask >= 0 ? eye + direction * epsilon * distance : 0.0f;
}

// Ray c of a row of directions.
inline void StoreEyeDirection(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowTerm, size_t c,
                              float firstColumn, float* x, float* y, float* z) {
  StoreUnaligned(x + c, EyeDirection(origin.x, columnStep.x, rowTerm.x, c, firstColumn));
  StoreUnaligned(y + c, EyeDirection(origin.y, columnStep.y, rowTerm.y, c, firstColumn));
  StoreUnaligned(z + c, EyeDirection(origin.z, columnStep.z, rowTerm.z, c, firstColumn));
}

// Hit point i.
inline void StoreHitPoint(RynPoint3D eye, const float* dx, const float* dy, const float* dz, const float* distances,
                          const int32_t* mask, float epsilon, size_t i, float* x, float* y, float* z) {
  const float distance = LoadUnaligned(distances + i);
  const int32_t m = LoadUnaligned(mask + i);
  StoreUnaligned(x + i, HitCoordinate(eye.x, LoadUnaligned(dx + i), epsilon, distance, m));
  StoreUnaligned(y + i, HitCoordinate(eye.y, LoadUnaligned(dy + i), epsilon, distance, m));
  StoreUnaligned(z + i, HitCoordinate(eye.z, LoadUnaligned(dz + i), epsilon, distance, m));
}

}  // namespace ryn::raycast
