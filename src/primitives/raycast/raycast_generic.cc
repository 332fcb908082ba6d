// The generic eye rays and hit points: plain C++, the reference for every processor build.
#include "frame/checks.h"
#include "primitives/raycast/eye_rays.h"
#include "primitives/raycast/raycast.h"

namespace ryn::raycast::generic {
namespace {

void CastEyeRow(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowTerm, float firstColumn, float* x,
                float* y, float* z, size_t width) {
  for (size_t c = 0; c < width; ++c) {
    StoreEyeDirection(origin, columnStep, rowTerm, c, firstColumn, x, y, z);
  }
}

void HitPointRun(RynPoint3D eye, const float* dx, const float* dy, const float* dz, const float* distances,
                 const int32_t* mask, float epsilon, float* x, float* y, float* z, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    StoreHitPoint(eye, dx, dy, dz, distances, mask, epsilon, i, x, y, z);
  }
}

}  // namespace

#include "primitives/raycast/raycast_primitives-inl.h"

}  // namespace ryn::raycast::generic
