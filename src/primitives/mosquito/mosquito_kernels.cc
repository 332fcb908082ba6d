// Processor builds of the mosquito filter, compiled once per Highway target, and the dispatched
// operation that binds them. A block row of eight pixels is one vector of 16-bit lanes.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/mosquito/mosquito_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstring>

#include "frame/checks.h"
#include "primitives/mosquito/mosquito.h"
#include "primitives/mosquito/mosquito_checks.h"
#include "primitives/mosquito/mosquito_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::mosquito {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;

using D16 = hn::FixedTag<uint16_t, kBlockSize>;
using D8 = hn::FixedTag<uint8_t, kBlockSize>;
using V16 = hn::Vec<D16>;

// Eight pixels from p + dy rows + dx columns, widened.
HWY_INLINE V16 Load(const uint8_t* p, ptrdiff_t step, int dx, int dy) {
  return hn::PromoteTo(D16(), hn::LoadU(D8(), p + dy * step + dx));
}

HWY_INLINE void Sort(V16& a, V16& b) {
  const V16 low = hn::Min(a, b);
  b = hn::Max(a, b);
  a = low;
}

// The median of nine, by the 19-exchange network (each exchange leaves the smaller value first).
HWY_INLINE V16 Median9(V16 p0, V16 p1, V16 p2, V16 p3, V16 p4, V16 p5, V16 p6, V16 p7, V16 p8) {
  Sort(p1, p2), Sort(p4, p5), Sort(p7, p8);
  Sort(p0, p1), Sort(p3, p4), Sort(p6, p7);
  Sort(p1, p2), Sort(p4, p5), Sort(p7, p8);
  Sort(p0, p3), Sort(p5, p8), Sort(p4, p7);
  Sort(p3, p6), Sort(p1, p4), Sort(p2, p5);
  Sort(p4, p7), Sort(p4, p2), Sort(p6, p4);
  Sort(p4, p2);
  return p4;
}

// The median of seven: a sorting network of sixteen exchanges, middle element.
HWY_INLINE V16 Median7(V16 p0, V16 p1, V16 p2, V16 p3, V16 p4, V16 p5, V16 p6) {
  Sort(p0, p6), Sort(p2, p3), Sort(p4, p5);
  Sort(p0, p2), Sort(p1, p4), Sort(p3, p6);
  Sort(p0, p1), Sort(p2, p5), Sort(p3, p4);
  Sort(p1, p2), Sort(p4, p6);
  Sort(p2, p3), Sort(p4, p5);
  Sort(p1, p2), Sort(p3, p4), Sort(p5, p6);
  return p3;
}

HWY_INLINE V16 SquareMedian(const uint8_t* p, ptrdiff_t step) {
  return Median9(Load(p, step, -1, -1), Load(p, step, 0, -1), Load(p, step, 1, -1), Load(p, step, -1, 0),
                 Load(p, step, 0, 0), Load(p, step, 1, 0), Load(p, step, -1, 1), Load(p, step, 0, 1),
                 Load(p, step, 1, 1));
}

HWY_INLINE V16 SquareSum(const uint8_t* p, ptrdiff_t step) {
  V16 sum = hn::Zero(D16());
  for (int dy = -1; dy <= 1; ++dy) {
    sum = hn::Add(sum, hn::Add(hn::Add(Load(p, step, -1, dy), Load(p, step, 0, dy)), Load(p, step, 1, dy)));
  }
  return sum;
}

HWY_INLINE V16 MeanOfEight(const uint8_t* p, ptrdiff_t step) {
  return hn::ShiftRight<3>(hn::Sub(SquareSum(p, step), Load(p, step, 1, 1)));
}

HWY_INLINE V16 AbsoluteDifference(V16 a, V16 b) { return hn::Or(hn::SaturatedSub(a, b), hn::SaturatedSub(b, a)); }

HWY_INLINE V16 SmoothWithoutEdges(const uint8_t* c, const uint8_t* r, ptrdiff_t step) {
  return Median7(MeanOfEight(c, step), MeanOfEight(c - step - 1, step), MeanOfEight(c - step + 1, step),
                 MeanOfEight(c + step - 1, step), MeanOfEight(c + step + 1, step), MeanOfEight(r, step),
                 MeanOfEight(r - 1, step));
}

HWY_INLINE V16 SmoothChangedEdges(const uint8_t* c, ptrdiff_t step) {
  return Median9(SquareMedian(c - step - 1, step), SquareMedian(c - step, step), SquareMedian(c - step + 1, step),
                 SquareMedian(c - 1, step), SquareMedian(c, step), SquareMedian(c + 1, step),
                 SquareMedian(c + step - 1, step), SquareMedian(c + step, step), SquareMedian(c + step + 1, step));
}

HWY_INLINE V16 SmoothSteadyEdges(const uint8_t* c, const uint8_t* r, ptrdiff_t step) {
  return Median9(SquareMedian(c, step), SquareMedian(c - step - 1, step), SquareMedian(c - step + 1, step),
                 SquareMedian(c + step - 1, step), SquareMedian(c + step + 1, step),
                 SquareMedian(r - step - 1, step), SquareMedian(r - step + 1, step), SquareMedian(r - 1, step),
                 SquareMedian(r, step));
}

// One block row of an examined block: the rules of FilterPixel for eight pixels at once.
HWY_INLINE void FilterRow(const uint8_t* c, const uint8_t* r, ptrdiff_t step, uint8_t* destination,
                          const uint8_t* map, ptrdiff_t mapStride, const BlockRecord& block) {
  const D16 d;
  const D8 d8;
  const hn::Rebind<int16_t, D16> di;
  const auto edge = hn::Set(d8, kEdgePixel);
  const auto marked8 = hn::Or(hn::Or(hn::Eq(hn::LoadU(d8, map), edge), hn::Eq(hn::LoadU(d8, map + 1), edge)),
                              hn::Eq(hn::LoadU(d8, map + mapStride), edge));
  const auto marked = hn::RebindMask(d, hn::PromoteTo(d, hn::VecFromMask(d8, marked8)) != hn::Zero(d));
  const V16 centre = Load(c, step, 0, 0);
  const V16 mean = hn::ShiftRight<4>(hn::Add(hn::Mul(centre, hn::Set(d, 7)), SquareSum(c, step)));
  V16 out = hn::IfThenElse(marked, centre, mean);
  if (block.flat) {
    V16 change = AbsoluteDifference(centre, Load(r, step, 0, 0));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, 0, -1), Load(r, step, 0, -1)));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, 0, 1), Load(r, step, 0, 1)));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, -1, 0), Load(r, step, -1, 0)));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, 1, 0), Load(r, step, 1, 0)));
    const auto strong = change > hn::Set(d, kStrongChangeThreshold);
    const auto weak = hn::AndNot(strong, change > hn::Set(d, kWeakChangeThreshold));
    out = hn::IfThenElse(strong, centre, out);
    const auto smoothed = hn::AndNot(marked, weak);
    if (!hn::AllFalse(d, smoothed)) {
      const V16 value = !block.edge     ? SmoothWithoutEdges(c, r, step)
                        : block.changed ? SmoothChangedEdges(c, step)
                                        : SmoothSteadyEdges(c, r, step);
      out = hn::IfThenElse(smoothed, value, out);
    }
  }
  hn::StoreU(hn::DemoteTo(d8, hn::BitCast(di, out)), d8, destination);
}

HWY_INLINE void FilterBlock(const uint8_t* cleaned, const uint8_t* reference, ptrdiff_t step, uint8_t* destination,
                            ptrdiff_t destinationStep, const uint8_t* map, ptrdiff_t mapStride,
                            const BlockRecord& block) {
  for (int y = 0; y < kBlockSize; ++y) {
    FilterRow(cleaned + y * step, reference + y * step, step, destination + y * destinationStep, map + y * mapStride,
              mapStride, block);
  }
}

void AnalyseBlockRow(const uint8_t* reference, const uint8_t* cleaned, ptrdiff_t step, int columns, uint8_t* map,
                     ptrdiff_t mapStride, BlockRecord* records, MosquitoState& state) {
  for (int bx = 0; bx < columns; ++bx) {
    const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
    CopyWindow(cleaned + x, step, state.cleanedWindow);
    CopyWindow(reference + x, step, state.referenceWindow);
    records[bx] = AnalyseWindows(state.cleanedWindow, state.referenceWindow, map + x, mapStride);
  }
}

}  // namespace

#include "primitives/mosquito/mosquito_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::mosquito
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::mosquito {
RYN_DISPATCH(FilterDenoiseMosquito);
}  // namespace ryn::mosquito
#endif
