// Processor builds of the plane reshuffles, compiled once per Highway target, and the dispatched
// operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/color/planes_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/vector_loops-inl.h"
#include "primitives/color/color.h"
#include "primitives/color/plane_rows.h"
#include "primitives/color/planes_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::color {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

// The C library's copy is as fast as a vector loop; memmove because the luma planes may be one.
HWY_INLINE void CopyRow(const uint8_t* source, uint8_t* destination, size_t n) {
  std::memmove(destination, source, n);
}

// Each pair is one 16-bit word, Cb in its low byte. (Highway's LoadInterleaved2 would do, but
// its AVX3 build asserts on a lane table in Debug builds, which the library cannot link.)
HWY_INLINE void SplitPairsRow(const uint8_t* HWY_RESTRICT pairs, uint8_t* HWY_RESTRICT cb, uint8_t* HWY_RESTRICT cr,
                              size_t n) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Half<decltype(d8)> dHalf;
  const hn::Repartition<uint16_t, decltype(d8)> d16;
  const hn::Repartition<int16_t, decltype(d8)> di16;
  const auto* words = reinterpret_cast<const uint16_t*>(pairs);
  const size_t wordsPerVector = hn::Lanes(d16);
  ForEachVectorAligned(
      d8, cb, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto lower = hn::LoadU(d16, words + i);
        const auto upper = hn::LoadU(d16, words + i + wordsPerVector);
        const auto low = hn::Set(d16, 0xFF);
        const auto first = hn::Combine(d8, hn::DemoteTo(dHalf, hn::BitCast(di16, hn::And(upper, low))),
                                       hn::DemoteTo(dHalf, hn::BitCast(di16, hn::And(lower, low))));
        const auto second = hn::Combine(d8, hn::DemoteTo(dHalf, hn::BitCast(di16, hn::ShiftRight<8>(upper))),
                                        hn::DemoteTo(dHalf, hn::BitCast(di16, hn::ShiftRight<8>(lower))));
        StoreVector(aligned, first, d8, cb + i);
        hn::StoreU(second, d8, cr + i);
      },
      [&](size_t i) HWY_ATTR {
        cb[i] = pairs[2 * i];
        cr[i] = pairs[2 * i + 1];
      });
}

// Each pair is one 16-bit word, Cb in its low byte (the byte that comes first in memory).
HWY_INLINE void JoinPairsRow(const uint8_t* HWY_RESTRICT cb, const uint8_t* HWY_RESTRICT cr,
                             uint8_t* HWY_RESTRICT pairs, size_t n) {
  const hn::ScalableTag<uint16_t> d16;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  auto* words = reinterpret_cast<uint16_t*>(pairs);
  ForEachVectorAligned(
      d16, pairs, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto low = hn::PromoteTo(d16, hn::LoadU(d8, cb + i));
        const auto high = hn::PromoteTo(d16, hn::LoadU(d8, cr + i));
        StoreVector(aligned, hn::Or(low, hn::ShiftLeft<8>(high)), d16, words + i);
      },
      [&](size_t i) HWY_ATTR {
        pairs[2 * i] = cb[i];
        pairs[2 * i + 1] = cr[i];
      });
}

// Two planes: each pair of samples is one 32-bit word, the first plane's sample in its low half.
HWY_INLINE void InterleaveTwo(const int16_t* const planes[], ptrdiff_t offset, int16_t* row, size_t n) {
  const hn::ScalableTag<uint32_t> d32;
  const hn::Rebind<uint16_t, decltype(d32)> d16;
  const auto* first = reinterpret_cast<const uint16_t*>(planes[0] + offset);
  const auto* second = reinterpret_cast<const uint16_t*>(planes[1] + offset);
  auto* words = reinterpret_cast<uint32_t*>(row);
  ForEachVectorAligned(
      d32, row, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto low = hn::PromoteTo(d32, hn::LoadU(d16, first + i));
        const auto high = hn::PromoteTo(d32, hn::LoadU(d16, second + i));
        StoreVector(aligned, hn::Or(low, hn::ShiftLeft<16>(high)), d32, words + i);
      },
      [&](size_t i) HWY_ATTR { InterleaveSamples(planes, 2, offset, row, i, i + 1); });
}

HWY_INLINE void InterleaveThree(const int16_t* const planes[], ptrdiff_t offset, int16_t* row, size_t n) {
  const hn::ScalableTag<int16_t> d16;
  const size_t lanes = hn::Lanes(d16);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    hn::StoreInterleaved3(hn::LoadU(d16, planes[0] + offset + i), hn::LoadU(d16, planes[1] + offset + i),
                          hn::LoadU(d16, planes[2] + offset + i), d16, row + 3 * i);
  }
  InterleaveSamples(planes, 3, offset, row, i, n);
}

HWY_INLINE void InterleaveFour(const int16_t* const planes[], ptrdiff_t offset, int16_t* row, size_t n) {
  const hn::ScalableTag<int16_t> d16;
  const size_t lanes = hn::Lanes(d16);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    hn::StoreInterleaved4(hn::LoadU(d16, planes[0] + offset + i), hn::LoadU(d16, planes[1] + offset + i),
                          hn::LoadU(d16, planes[2] + offset + i), hn::LoadU(d16, planes[3] + offset + i), d16,
                          row + 4 * i);
  }
  InterleaveSamples(planes, 4, offset, row, i, n);
}

HWY_INLINE void InterleaveRow16(const int16_t* const planes[], int planeCount, ptrdiff_t offset, int16_t* row,
                                size_t n) {
  switch (planeCount) {
    case 2:
      return InterleaveTwo(planes, offset, row, n);
    case 3:
      return InterleaveThree(planes, offset, row, n);
    case 4:
      return InterleaveFour(planes, offset, row, n);
    default:
      return InterleaveSamples(planes, planeCount, offset, row, 0, n);
  }
}

}  // namespace

#include "primitives/color/planes_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::color
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::color {
RYN_DISPATCH(YCbCr420P2P3);
RYN_DISPATCH(YCbCr420P3P2);
RYN_DISPATCH(PlaneToInterleave16s);
}  // namespace ryn::color
#endif
