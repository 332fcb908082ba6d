// Processor builds of the morphology primitives, compiled once per Highway target, and the
// dispatched operations that bind them. Minimum, maximum and median are exact on any lanes, so
// every build gives the generic bytes; outputs never depend on the destination (the in-place
// forms read saved rows), so row ends take overlapping vectors.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/morphology/morphology_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/vector_loops-inl.h"
#include "primitives/filters/scratch_block.h"
#include "primitives/morphology/morphology.h"
#include "primitives/morphology/morphology_checks.h"
#include "primitives/morphology/morphology_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::morphology {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAlignedOverlapping;
using ryn::HWY_NAMESPACE::StoreVector;

using D8 = hn::ScalableTag<uint8_t>;
using V8 = hn::Vec<D8>;

struct Window {
  V8 v[9];  // rows top to bottom, columns left to right
};

HWY_INLINE Window LoadWindow(const uint8_t* above, const uint8_t* row, const uint8_t* below, size_t i) {
  const D8 d;
  return Window{{hn::LoadU(d, above + i - 1), hn::LoadU(d, above + i), hn::LoadU(d, above + i + 1),
                 hn::LoadU(d, row + i - 1), hn::LoadU(d, row + i), hn::LoadU(d, row + i + 1),
                 hn::LoadU(d, below + i - 1), hn::LoadU(d, below + i), hn::LoadU(d, below + i + 1)}};
}

HWY_INLINE V8 MinOf(const Window& w) {
  return hn::Min(hn::Min(hn::Min(hn::Min(w.v[0], w.v[1]), hn::Min(w.v[2], w.v[3])),
                         hn::Min(hn::Min(w.v[4], w.v[5]), hn::Min(w.v[6], w.v[7]))),
                 w.v[8]);
}

HWY_INLINE V8 MaxOf(const Window& w) {
  return hn::Max(hn::Max(hn::Max(hn::Max(w.v[0], w.v[1]), hn::Max(w.v[2], w.v[3])),
                         hn::Max(hn::Max(w.v[4], w.v[5]), hn::Max(w.v[6], w.v[7]))),
                 w.v[8]);
}

HWY_INLINE void Sort2(V8& a, V8& b) {
  const V8 low = hn::Min(a, b);
  b = hn::Max(a, b);
  a = low;
}

// A 19-exchange selection network whose fifth output is the median of nine.
HWY_INLINE V8 MedianOf(Window w) {
  V8* p = w.v;
  Sort2(p[1], p[2]);
  Sort2(p[4], p[5]);
  Sort2(p[7], p[8]);
  Sort2(p[0], p[1]);
  Sort2(p[3], p[4]);
  Sort2(p[6], p[7]);
  Sort2(p[1], p[2]);
  Sort2(p[4], p[5]);
  Sort2(p[7], p[8]);
  p[3] = hn::Max(p[0], p[3]);
  p[5] = hn::Min(p[5], p[8]);
  Sort2(p[4], p[7]);
  p[6] = hn::Max(p[3], p[6]);
  p[4] = hn::Max(p[1], p[4]);
  p[2] = hn::Min(p[2], p[5]);
  p[4] = hn::Min(p[4], p[7]);
  Sort2(p[4], p[2]);
  p[4] = hn::Max(p[6], p[4]);
  return hn::Min(p[4], p[2]);
}

HWY_INLINE void ErodeRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
  const D8 d;
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, MinOf(LoadWindow(above, row, below, i)), d, out + i); },
      [&](size_t i) HWY_ATTR { out[i] = Min3x3(above + i, row + i, below + i); });
}

HWY_INLINE void DilateRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
  const D8 d;
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, MaxOf(LoadWindow(above, row, below, i)), d, out + i); },
      [&](size_t i) HWY_ATTR { out[i] = Max3x3(above + i, row + i, below + i); });
}

HWY_INLINE void MedianRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
  const D8 d;
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, MedianOf(LoadWindow(above, row, below, i)), d, out + i);
      },
      [&](size_t i) HWY_ATTR { out[i] = Median3x3(above + i, row + i, below + i); });
}

HWY_INLINE void MinOfTaps(const uint8_t* const* taps, int count, uint8_t* out, size_t n) {
  const D8 d;
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        V8 value = hn::Set(d, 255);
        for (int t = 0; t < count; ++t) value = hn::Min(value, hn::LoadU(d, taps[t] + i));
        StoreVector(aligned, value, d, out + i);
      },
      [&](size_t i) HWY_ATTR {
        uint8_t value = 255;
        for (int t = 0; t < count; ++t) value = std::min(value, taps[t][i]);
        out[i] = value;
      });
}

HWY_INLINE void MaxOfTaps(const uint8_t* const* taps, int count, uint8_t* out, size_t n) {
  const D8 d;
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        V8 value = hn::Zero(d);
        for (int t = 0; t < count; ++t) value = hn::Max(value, hn::LoadU(d, taps[t] + i));
        StoreVector(aligned, value, d, out + i);
      },
      [&](size_t i) HWY_ATTR {
        uint8_t value = 0;
        for (int t = 0; t < count; ++t) value = std::max(value, taps[t][i]);
        out[i] = value;
      });
}

}  // namespace

#include "primitives/morphology/morphology_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::morphology
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::morphology {
RYN_DISPATCH(Erode3x3_8u);
RYN_DISPATCH(Dilate3x3_8u);
RYN_DISPATCH(ErodeInPlace3x3_8u);
RYN_DISPATCH(DilateInPlace3x3_8u);
RYN_DISPATCH(FilterMax3x3_8u);
RYN_DISPATCH(FilterMedian3x3_8u);
RYN_DISPATCH(ErodeMasked8u);
RYN_DISPATCH(DilateMasked8u);
}  // namespace ryn::morphology
#endif
