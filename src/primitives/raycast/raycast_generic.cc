// The generic eye rays and hit points: plain C++, the reference for every processor build.
#include "frame/checks.h"
#include "primitives/raycast/eye_rays.h"
#include "primitives/raycast/raycast.h"

namespace ryn::raycast::generic {
namespace {

void CastEyeRow(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowTerm, float firstColumn, float* x,
                float* y, float* z, size_t width) {
  for (size_t c = 0; c < width; ++c) {
    x[c] = EyeDirection(origin.x, columnStep.x, rowTerm.x, c, firstColumn);
    y[c] = EyeDirection(origin.y, columnStep.y, rowTerm.y, c, firstColumn);
    z[c] = EyeDirection(origin.z, columnStep.z, rowTerm.z, c, firstColumn);
  }
}

void HitPointRun(RynPoint3D eye, const float* dx, const float* dy, const float* dz, const float* distances,
                 const int32_t* mask, float epsilon, float* x, float* y, float* z, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    x[i] = HitCoordinate(eye.x, dx[i], epsilon, distances[i], mask[i]);
    y[i] = HitCoordinate(eye.y, dy[i], epsilon, distances[i], mask[i]);
    z[i] = HitCoordinate(eye.z, dz[i], epsilon, distances[i], mask[i]);
  }
}

}  // namespace

#include "primitives/raycast/raycast_primitives-inl.h"

}  // namespace ryn::raycast::generic
