// Processor builds of the distance transform's column passes and square roots, compiled once per
// Highway target, and the dispatched operation that binds them. Integer minima and IEEE square
// roots give the generic build's results exactly.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/segment/distance_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cmath>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/segment/distance_envelope.h"
#include "primitives/segment/segment.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::segment {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using DU32 = hn::ScalableTag<uint32_t>;
using DU8 = hn::Rebind<uint8_t, DU32>;

HWY_INLINE void DownDistanceRow(const uint8_t* HWY_RESTRICT source, const uint32_t* below, uint32_t* out,
                                size_t width) {
  const DU32 d;
  const DU8 d8;
  const auto one = hn::Set(d, 1u);
  ForEachVectorAligned(
      d, out, width,
      [&](size_t x, auto aligned) HWY_ATTR {
        const auto isZero = hn::Eq(hn::PromoteTo(d, hn::LoadU(d8, source + x)), hn::Zero(d));
        StoreVector(aligned, hn::IfThenZeroElse(isZero, hn::Add(hn::LoadU(d, below + x), one)), d, out + x);
      },
      [&](size_t x) HWY_ATTR {
        StoreUnaligned(out + x, source[x] == 0 ? 0u : LoadUnaligned(below + x) + 1);
      });
}

HWY_INLINE void NearestZeroRow(const uint32_t* above, uint32_t* row, size_t width) {
  const DU32 d;
  const auto one = hn::Set(d, 1u);
  ForEachVectorAligned(
      d, row, width,
      [&](size_t x, auto aligned) HWY_ATTR {
        StoreVector(aligned, hn::Min(hn::Add(hn::LoadU(d, above + x), one), hn::LoadU(d, row + x)), d, row + x);
      },
      [&](size_t x) HWY_ATTR {
        const uint32_t fromAbove = LoadUnaligned(above + x) + 1;
        const uint32_t fromBelow = LoadUnaligned(row + x);
        StoreUnaligned(row + x, fromAbove < fromBelow ? fromAbove : fromBelow);
      });
}

HWY_INLINE void SquareRootRow(float* row, size_t width) {
  const hn::ScalableTag<float> d;
  ForEachVectorAligned(
      d, row, width,
      [&](size_t x, auto aligned) HWY_ATTR { StoreVector(aligned, hn::Sqrt(hn::LoadU(d, row + x)), d, row + x); },
      [&](size_t x) HWY_ATTR { StoreUnaligned(row + x, std::sqrt(LoadUnaligned(row + x))); });
}

}  // namespace

#include "primitives/segment/distance_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::segment
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::segment {
RYN_DISPATCH(DistanceTransform8u32f);
}  // namespace ryn::segment
#endif
