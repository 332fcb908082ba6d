// Processor builds of the eye rays and hit points, compiled once per Highway target, and the
// dispatched operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/raycast/raycast_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "frame/checks.h"
#include "frame/vector_loops-inl.h"
#include "primitives/raycast/eye_rays.h"
#include "primitives/raycast/raycast.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::raycast {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

// The x plane leads the alignment; y and z follow it unaligned.
HWY_INLINE void CastEyeRow(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowTerm, float firstColumn,
                           float* HWY_RESTRICT x, float* HWY_RESTRICT y, float* HWY_RESTRICT z, size_t width) {
  const hn::ScalableTag<float> d;
  const hn::RebindToSigned<decltype(d)> di;
  const auto first = hn::Set(d, firstColumn);
  const auto ox = hn::Set(d, origin.x), oy = hn::Set(d, origin.y), oz = hn::Set(d, origin.z);
  const auto sx = hn::Set(d, columnStep.x), sy = hn::Set(d, columnStep.y), sz = hn::Set(d, columnStep.z);
  const auto rx = hn::Set(d, rowTerm.x), ry = hn::Set(d, rowTerm.y), rz = hn::Set(d, rowTerm.z);
  ForEachVectorAligned(
      d, x, width,
      [&](size_t c, auto aligned) HWY_ATTR {
        const auto column = hn::Add(hn::ConvertTo(d, hn::Iota(di, static_cast<int32_t>(c))), first);
        StoreVector(aligned, hn::Add(hn::Add(ox, hn::Mul(sx, column)), rx), d, x + c);
        hn::StoreU(hn::Add(hn::Add(oy, hn::Mul(sy, column)), ry), d, y + c);
        hn::StoreU(hn::Add(hn::Add(oz, hn::Mul(sz, column)), rz), d, z + c);
      },
      [&](size_t c) HWY_ATTR {
        StoreEyeDirection(origin, columnStep, rowTerm, c, firstColumn, x, y, z);
      });
}

HWY_INLINE void HitPointRun(RynPoint3D eye, const float* HWY_RESTRICT dx, const float* HWY_RESTRICT dy,
                            const float* HWY_RESTRICT dz, const float* HWY_RESTRICT distances,
                            const int32_t* HWY_RESTRICT mask, float epsilon, float* x, float* y, float* z,
                            size_t length) {
  const hn::ScalableTag<float> d;
  const hn::RebindToSigned<decltype(d)> di;
  const auto ex = hn::Set(d, eye.x), ey = hn::Set(d, eye.y), ez = hn::Set(d, eye.z);
  const auto e = hn::Set(d, epsilon);
  const auto zero = hn::Zero(d);
  ForEachVectorAligned(
      d, x, length,
      [&](size_t i, auto aligned) HWY_ATTR {
        // Mask >= 0, as greater than -1: 1.0.3 has no signed integer Ge.
        const auto hit = hn::RebindMask(d, hn::Gt(hn::LoadU(di, mask + i), hn::Set(di, -1)));
        const auto distance = hn::LoadU(d, distances + i);
        const auto px = hn::Add(ex, hn::Mul(hn::Mul(hn::LoadU(d, dx + i), e), distance));
        const auto py = hn::Add(ey, hn::Mul(hn::Mul(hn::LoadU(d, dy + i), e), distance));
        const auto pz = hn::Add(ez, hn::Mul(hn::Mul(hn::LoadU(d, dz + i), e), distance));
        StoreVector(aligned, hn::IfThenElse(hit, px, zero), d, x + i);
        hn::StoreU(hn::IfThenElse(hit, py, zero), d, y + i);
        hn::StoreU(hn::IfThenElse(hit, pz, zero), d, z + i);
      },
      [&](size_t i) HWY_ATTR {
        StoreHitPoint(eye, dx, dy, dz, distances, mask, epsilon, i, x, y, z);
      });
}

}  // namespace

#include "primitives/raycast/raycast_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::raycast
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::raycast {
RYN_DISPATCH(CastEye);
RYN_DISPATCH(HitPoint3D);
}  // namespace ryn::raycast
#endif
