// Processor builds of the interleaved mean filter, compiled once per Highway target, and the
// dispatched operation that binds them. Its AVX2 build is also the effects' vector path.
//
// Along a row, the column sums become running sums per channel (prefix sums), and each output is
// the difference of two prefix sums 2 x window bytes apart, divided by a multiplication with an
// exact reciprocal. The prefix sums are 16-bit and wrap, which keeps their differences exact
// while these fit: whole window sums up to 15 x 15, the two parts of a window split at its centre
// pair (added in 32 bits) beyond.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/effects/mean_filter/mean_filter_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "effects/mean_filter/mean_filter.h"
#include "effects/mean_filter/mean_filter_checks.h"
#include "effects/mean_filter/mean_filter_workspace.h"
#include "effects/mean_filter/window_mean.h"
#include "effects/overlapping_stores-inl.h"
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::effects {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::StoreVector;

HWY_INLINE void AccumulateRow(const SlidingSums& sums, const uint8_t* HWY_RESTRICT row) {
  const hn::ScalableTag<uint16_t> d16;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  uint16_t* HWY_RESTRICT columnSums = sums.columnSums;
  int x = 0;
  for (; x + lanes <= sums.rowBytes; x += lanes) {
    hn::StoreU(hn::Add(hn::LoadU(d16, columnSums + x), hn::PromoteTo(d16, hn::LoadU(d8, row + x))), d16,
               columnSums + x);
  }
  for (; x < sums.rowBytes; ++x) columnSums[x] = static_cast<uint16_t>(columnSums[x] + row[x]);
}

// Slides the column sums of bytes x to the row's end one by one and continues their running sums
// from those of the bytes before (the two in front of the row are the zeros of the lead).
HWY_INLINE void SlideAndScanTail(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                                 const uint8_t* HWY_RESTRICT leaving, int x) {
  uint16_t* HWY_RESTRICT prefix = reinterpret_cast<uint16_t*>(sums.prefix);
  for (; x < sums.rowBytes; ++x) {
    sums.columnSums[x] = static_cast<uint16_t>(sums.columnSums[x] + entering[x] - leaving[x]);
    prefix[x] = static_cast<uint16_t>(prefix[x - 2] + sums.columnSums[x]);
  }
}

// Running sums along the row cross lanes. The targets' lane shifts and broadcasts work within
// blocks of 128 bits: each block of pairs is summed on its own, then the totals of the block
// below it are added (wider vectors: each half as a vector of its own, the upper one continuing
// from the lower one's totals), and the totals of all the vectors before it (`carry`, in every
// pair) when it is stored. The carry does not wait for the sums of its vector, only for their
// total. (Lane tables are avoided: their index checks call into Highway's library in debug
// builds.)

template <class D>
constexpr size_t BlocksOf(D d) {
  return hn::MaxLanes(d) * sizeof(hn::TFromD<D>) / 16;
}

// In each block of `v`, its last pair in every pair (a pair is two adjacent 16-bit lanes).
template <class D>
HWY_INLINE hn::Vec<D> LastPairOfEachBlock(D d, hn::Vec<D> v) {
  return hn::BitCast(d, hn::Broadcast<3>(hn::BitCast(hn::Repartition<uint32_t, D>(), v)));
}

// The last pair of `v` in every pair.
template <class D>
HWY_INLINE hn::Vec<D> LastPairEverywhere(D d, hn::Vec<D> v) {
  if constexpr (BlocksOf(D()) > 2) {
    const hn::Half<D> dHalf;
    const auto upper = LastPairEverywhere(dHalf, hn::UpperHalf(dHalf, v));
    return hn::Combine(d, upper, upper);
  } else if constexpr (BlocksOf(D()) == 2) {
    const auto last = LastPairOfEachBlock(d, v);
    return hn::ConcatUpperUpper(d, last, last);
  } else {
    return LastPairOfEachBlock(d, v);
  }
}

// Inclusive sums of each channel over the pairs of `v`.
template <class D>
HWY_INLINE hn::Vec<D> PairSums(D d, hn::Vec<D> v) {
  if constexpr (BlocksOf(D()) > 2) {
    const hn::Half<D> dHalf;
    const auto low = PairSums(dHalf, hn::LowerHalf(dHalf, v));
    const auto high = hn::Add(PairSums(dHalf, hn::UpperHalf(dHalf, v)), LastPairEverywhere(dHalf, low));
    return hn::Combine(d, high, low);
  } else {
    v = hn::Add(v, hn::ShiftLeftLanes<2>(d, v));
    v = hn::Add(v, hn::ShiftLeftLanes<4>(d, v));
    // Two blocks: the lower block's totals move into the upper one.
    if constexpr (BlocksOf(D()) == 2) {
      v = hn::Add(v, hn::ConcatLowerLower(d, LastPairOfEachBlock(d, v), hn::Zero(d)));
    }
    return v;
  }
}

// Adds the entering row to the column sums of the vector of bytes from x and subtracts the
// leaving one; returns the new column sums.
template <class D16>
HWY_INLINE hn::Vec<D16> SlideColumns(D16 d16, uint16_t* HWY_RESTRICT columnSums,
                                     const uint8_t* HWY_RESTRICT entering, const uint8_t* HWY_RESTRICT leaving,
                                     int x) {
  const hn::Rebind<uint8_t, D16> d8;
  const auto in = hn::PromoteTo(d16, hn::LoadU(d8, entering + x));
  const auto out = hn::PromoteTo(d16, hn::LoadU(d8, leaving + x));
  const auto columns = hn::Sub(hn::Add(hn::LoadU(d16, columnSums + x), in), out);
  hn::StoreU(columns, d16, columnSums + x);
  return columns;
}

HWY_INLINE void SlideAndScan(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                             const uint8_t* HWY_RESTRICT leaving) {
  const hn::ScalableTag<uint16_t> d16;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  uint16_t* HWY_RESTRICT columnSums = sums.columnSums;
  uint16_t* HWY_RESTRICT prefix = reinterpret_cast<uint16_t*>(sums.prefix);
  auto carry = hn::Zero(d16);
  int x = 0;
  for (; x + lanes <= sums.rowBytes; x += lanes) {
    const auto running = PairSums(d16, SlideColumns(d16, columnSums, entering, leaving, x));
    hn::StoreU(hn::Add(running, carry), d16, prefix + x);
    carry = hn::Add(carry, LastPairEverywhere(d16, running));
  }
  SlideAndScanTail(sums, entering, leaving, x);
}

// Bytes in 16-bit lanes (at most 255), narrowed to a vector of bytes in their order.
template <class D8, class V16>
HWY_INLINE hn::Vec<D8> NarrowToBytes(D8 d8, V16 low, V16 high) {
  if constexpr (BlocksOf(D8()) <= 2) {
    return hn::ConcatEven(d8, hn::BitCast(d8, high), hn::BitCast(d8, low));
  } else {
    const hn::Half<D8> dHalf8;
    const hn::Repartition<int16_t, D8> di16;
    return hn::Combine(d8, hn::DemoteTo(dHalf8, hn::BitCast(di16, high)),
                       hn::DemoteTo(dHalf8, hn::BitCast(di16, low)));
  }
}

// The output row's valid bytes, x from `reach` (2 x window / 2) to rowBytes - reach: the window
// sum of byte x is prefix[x + reach] - prefix[x - reach - 2]. The means come from the prefix
// sums, never from the destination, so the row's ends may take overlapping vectors.
HWY_INLINE void WriteMeans16(const SlidingSums& sums, uint8_t* HWY_RESTRICT output) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Repartition<uint16_t, decltype(d8)> d16;
  const size_t half = hn::Lanes(d16);
  const int window = sums.window;
  const int reach = 2 * (window / 2);
  const uint16_t* prefix = reinterpret_cast<const uint16_t*>(sums.prefix);
  const uint16_t* ahead = prefix + 2 * reach;
  const uint16_t* behind = prefix - 2;
  const Divider16 divider = Divider16For(window);
  const auto multiplier = hn::Set(d16, divider.multiplier);
  const auto meansAt = [&](size_t i) HWY_ATTR {
    const auto windowSums = hn::Sub(hn::LoadU(d16, ahead + i), hn::LoadU(d16, behind + i));
    return hn::ShiftRightSame(hn::MulHigh(windowSums, multiplier), divider.shift);
  };
  uint8_t* out = output + reach;
  ForEachVectorOverlapping(
      d8, out, static_cast<size_t>(sums.rowBytes - 2 * reach),
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, NarrowToBytes(d8, meansAt(i), meansAt(i + half)), d8, out + i);
      },
      [&](size_t i) HWY_ATTR { out[i] = WindowMean(static_cast<uint16_t>(ahead[i] - behind[i]), window); });
}

// Windows whose sums need 32 bits: the parts ahead of the centre pair and up to it each fit in
// 16 bits; their 32-bit sums are divided as (sum * multiplier) >> 32 in 64-bit products, the even
// lanes' quotients in the upper halves of their products, the odd lanes' likewise after a shift
// down.
HWY_INLINE void WriteMeansOfSplitWindows(const SlidingSums& sums, uint8_t* HWY_RESTRICT output) {
  const hn::ScalableTag<uint16_t> d16;
  const hn::Half<decltype(d16)> dHalf16;
  const hn::Rebind<uint32_t, decltype(dHalf16)> d32;
  const hn::Repartition<uint64_t, decltype(d32)> d64;
  const hn::Rebind<int32_t, decltype(d32)> di32;
  const hn::Rebind<uint8_t, decltype(d32)> dQuarter8;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  const int window = sums.window;
  const int reach = 2 * (window / 2);
  const uint16_t* prefix = reinterpret_cast<const uint16_t*>(sums.prefix);
  const uint16_t* ahead = prefix + 2 * reach;
  const uint16_t* centre = prefix + reach;
  const uint16_t* behind = prefix - 2;
  const auto multiplier = hn::Set(d32, Multiplier32For(window));
  const auto upperHalves = hn::Set(d64, uint64_t{0xFFFFFFFF00000000u});
  const auto means = [&](hn::Vec<decltype(dHalf16)> aheadPart, hn::Vec<decltype(dHalf16)> behindPart) HWY_ATTR {
    const auto windowSums = hn::Add(hn::PromoteTo(d32, aheadPart), hn::PromoteTo(d32, behindPart));
    const auto evenProducts = hn::MulEven(windowSums, multiplier);
    const auto oddSums = hn::BitCast(d32, hn::ShiftRight<32>(hn::BitCast(d64, windowSums)));
    const auto oddProducts = hn::MulEven(oddSums, multiplier);
    const auto quotients = hn::Or(hn::BitCast(d32, hn::ShiftRight<32>(evenProducts)),
                                  hn::BitCast(d32, hn::And(oddProducts, upperHalves)));
    return hn::DemoteTo(dQuarter8, hn::BitCast(di32, quotients));
  };
  uint8_t* out = output + reach;
  ForEachVectorOverlapping(
      d8, out, static_cast<size_t>(sums.rowBytes - 2 * reach),
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto aheadPart = hn::Sub(hn::LoadU(d16, ahead + i), hn::LoadU(d16, centre + i));
        const auto behindPart = hn::Sub(hn::LoadU(d16, centre + i), hn::LoadU(d16, behind + i));
        const auto low = means(hn::LowerHalf(dHalf16, aheadPart), hn::LowerHalf(dHalf16, behindPart));
        const auto high = means(hn::UpperHalf(dHalf16, aheadPart), hn::UpperHalf(dHalf16, behindPart));
        StoreVector(aligned, hn::Combine(d8, high, low), d8, out + i);
      },
      [&](size_t i) HWY_ATTR {
        const uint32_t aheadPart = static_cast<uint16_t>(ahead[i] - centre[i]);
        const uint32_t behindPart = static_cast<uint16_t>(centre[i] - behind[i]);
        out[i] = WindowMean(aheadPart + behindPart, window);
      });
}

HWY_INLINE void FilterRow(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                          const uint8_t* HWY_RESTRICT leaving, uint8_t* HWY_RESTRICT output) {
  SlideAndScan(sums, entering, leaving);
  if (SumsFit16Bits(sums.window)) {
    WriteMeans16(sums, output);
  } else {
    WriteMeansOfSplitWindows(sums, output);
  }
}

}  // namespace

#include "effects/mean_filter/mean_filter_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::effects
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

#if !(HWY_TARGETS & HWY_AVX2)
#error "The effects' vector path is the AVX2 build of the interleaved mean filter."
#endif

namespace ryn::effects {
RYN_DISPATCH(FilterPairs8u);
}  // namespace ryn::effects
#endif
