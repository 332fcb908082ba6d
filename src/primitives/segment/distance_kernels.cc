// Processor builds of the distance transform's passes, compiled once per Highway target, and the
// dispatched operation that binds them. Integer minima and IEEE square roots give the generic
// build's results exactly. The row pass first searches every pixel's nearest zero among the
// nearby columns in vectors; only rows where that search may miss a nearer zero run the envelope
// of the generic code. Both give the exact minimum squared distance, so the results agree.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/segment/distance_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cmath>
#include <cstring>

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

// The search caps column distances here so that squares plus offsets stay below 2^31. A capped
// distance never decides a result: the search only settles squared distances up to
// (SearchLimit() + 1)^2, far below the cap's square (and below 2^24, so they convert to float
// exactly).
constexpr uint32_t kLargestDistance = 46340;

// Offsets searched on each side before a row is left to the envelope: about as many vector steps
// as the envelope would spend on a vector's pixels.
HWY_INLINE uint32_t SearchLimit() { return static_cast<uint32_t>(4 * hn::Lanes(DU32())); }

// The exact distances of one row by trying the column distances at offsets 0, 1, 2, ... of each
// pixel until no farther column can be nearer (or the row ends). False, with the row partly
// written, when some pixel would need offsets beyond the search limit. `distances` may be read up
// to width - 1 elements before and after the row (EnvelopeWorkspace).
HWY_INLINE bool SearchRowDistances(const uint32_t* distances, float* row, size_t width) {
  const DU32 du;
  const hn::RebindToSigned<DU32> d;  // every value below is below 2^31
  const hn::Rebind<float, DU32> df;
  const size_t lanes = hn::Lanes(d);
  if (width < lanes) return false;
  const int32_t limit = static_cast<int32_t>(std::min<size_t>(SearchLimit(), width - 1));
  const auto largest = hn::Set(du, kLargestDistance);
  const auto farthest = hn::Set(d, static_cast<int32_t>(kLargestDistance));
  const auto lastColumn = hn::Set(d, static_cast<int32_t>(width - 1));
  const auto lane = hn::Iota(d, 0);
  // Column distances clamped to kLargestDistance, as signed lanes.
  auto load = [&](const uint32_t* from) HWY_ATTR { return hn::BitCast(d, hn::Min(hn::LoadU(du, from), largest)); };
  for (size_t x0 = 0;; x0 += lanes) {
    // The last vector overlaps the one before: its inputs come from the copy, so pixels written
    // twice get the same value.
    if (x0 + lanes > width) x0 = width - lanes;
    const bool interior = x0 >= static_cast<size_t>(limit) && x0 + lanes - 1 + limit <= width - 1;
    auto nearest = load(distances + x0);
    auto best = hn::Mul(nearest, nearest);
    int32_t offset = 1;
    for (; offset <= limit; ++offset) {
      const auto offsetSquared = hn::Set(d, offset * offset);
      if (hn::AllFalse(d, hn::Gt(best, offsetSquared))) break;
      auto left = load(distances + x0 - offset);
      auto right = load(distances + x0 + offset);
      if (!interior) {
        const auto columns = hn::Add(lane, hn::Set(d, static_cast<int32_t>(x0)));
        const auto signedOffset = hn::Set(d, offset);
        left = hn::IfThenElse(hn::Lt(columns, signedOffset), farthest, left);
        right = hn::IfThenElse(hn::Gt(hn::Add(columns, signedOffset), lastColumn), farthest, right);
      }
      nearest = hn::Min(left, right);
      best = hn::Min(best, hn::Add(hn::Mul(nearest, nearest), offsetSquared));
    }
    const bool wholeRowSearched = limit == static_cast<int32_t>(width - 1);
    if (offset > limit && !wholeRowSearched && !hn::AllFalse(d, hn::Gt(best, hn::Set(d, (limit + 1) * (limit + 1))))) {
      return false;
    }
    hn::StoreU(hn::Sqrt(hn::ConvertTo(df, best)), df, row + x0);
    if (x0 + lanes == width) return true;
  }
}

HWY_INLINE void RowDistances(uint32_t* row, const EnvelopeWorkspace& envelope, size_t width) {
  std::memcpy(envelope.distances(), row, width * sizeof(uint32_t));
  if (SearchRowDistances(envelope.distances(), reinterpret_cast<float*>(row), width)) return;
  envelope.SquaredRowDistances(row);
  SquareRootRow(reinterpret_cast<float*>(row), width);
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
