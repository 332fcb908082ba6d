// Processor builds of the interleaved mean filter, compiled once per Highway target, and the
// dispatched operation that binds them. Its AVX2 build is also the effects' vector path.
//
// Along a row, the column sums become running sums per channel (prefix sums), and each output is
// the difference of two prefix sums 2 x window bytes apart, divided by a multiplication with an
// exact reciprocal. The prefix sums are 16-bit where every window sum fits: they wrap, which
// keeps their differences exact.
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
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::effects {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

HWY_INLINE void AccumulateRow(const SlidingSums& sums, const uint8_t* HWY_RESTRICT row) {
  const hn::ScalableTag<uint16_t> d16;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  uint16_t* HWY_RESTRICT columnSums = sums.columnSums;
  for (int x = 0; x < sums.paddedBytes; x += lanes) {
    hn::StoreU(hn::Add(hn::LoadU(d16, columnSums + x), hn::PromoteTo(d16, hn::LoadU(d8, row + x))), d16,
               columnSums + x);
  }
}

// The running sums cross lanes, which the targets' shifts and broadcasts do within 128-bit blocks
// only: they run on 128-bit vectors of four pairs, each continuing from the totals of the last
// pair before it (`carry`, in every pair).
using Pairs16 = hn::FixedTag<uint16_t, 8>;

// Adds the entering row to the column sums of four pairs from byte x and subtracts the leaving
// one; returns the new column sums.
HWY_INLINE hn::Vec<Pairs16> SlideColumns(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                                         const uint8_t* HWY_RESTRICT leaving, int x) {
  const Pairs16 d16;
  const hn::Rebind<uint8_t, Pairs16> d8;
  const auto in = hn::PromoteTo(d16, hn::LoadU(d8, entering + x));
  const auto out = hn::PromoteTo(d16, hn::LoadU(d8, leaving + x));
  const auto columns = hn::Sub(hn::Add(hn::LoadU(d16, sums.columnSums + x), in), out);
  hn::StoreU(columns, d16, sums.columnSums + x);
  return columns;
}

HWY_INLINE void SlideAndScan16(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                               const uint8_t* HWY_RESTRICT leaving) {
  const Pairs16 d16;
  const hn::Repartition<uint32_t, Pairs16> d32;
  uint16_t* HWY_RESTRICT prefix = reinterpret_cast<uint16_t*>(sums.prefix);
  auto carry = hn::Zero(d16);
  for (int x = 0; x < sums.paddedBytes; x += 8) {
    const auto columns = SlideColumns(sums, entering, leaving, x);
    auto running = hn::Add(columns, hn::ShiftLeftLanes<2>(d16, columns));
    running = hn::Add(hn::Add(running, hn::ShiftLeftLanes<4>(d16, running)), carry);
    hn::StoreU(running, d16, prefix + x);
    carry = hn::BitCast(d16, hn::Broadcast<3>(hn::BitCast(d32, running)));
  }
}

HWY_INLINE void SlideAndScan32(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                               const uint8_t* HWY_RESTRICT leaving) {
  const hn::Half<Pairs16> dHalf;
  const hn::FixedTag<uint32_t, 4> d32;
  const hn::Repartition<uint64_t, decltype(d32)> d64;
  uint32_t* HWY_RESTRICT prefix = reinterpret_cast<uint32_t*>(sums.prefix);
  auto carry = hn::Zero(d32);
  for (int x = 0; x < sums.paddedBytes; x += 8) {
    const auto columns = SlideColumns(sums, entering, leaving, x);
    const hn::Vec<decltype(d32)> halves[2] = {hn::PromoteTo(d32, hn::LowerHalf(dHalf, columns)),
                                              hn::PromoteTo(d32, hn::UpperHalf(dHalf, columns))};
    for (int h = 0; h < 2; ++h) {
      const auto running = hn::Add(hn::Add(halves[h], hn::ShiftLeftLanes<2>(d32, halves[h])), carry);
      hn::StoreU(running, d32, prefix + x + 4 * h);
      carry = hn::BitCast(d32, hn::Broadcast<1>(hn::BitCast(d64, running)));
    }
  }
}

// The output row's valid bytes, x from `reach` (2 x window / 2) to rowBytes - reach: the window
// sum of byte x is prefix[x + reach] - prefix[x - reach - 2].
HWY_INLINE void WriteMeans16(const SlidingSums& sums, uint8_t* HWY_RESTRICT output) {
  const hn::ScalableTag<uint16_t> d16;
  const hn::Rebind<int16_t, decltype(d16)> di16;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  const int window = sums.window;
  const int reach = 2 * (window / 2);
  const uint16_t* prefix = reinterpret_cast<const uint16_t*>(sums.prefix);
  const uint16_t* ahead = prefix + 2 * reach;
  const uint16_t* behind = prefix - 2;
  const Divider16 divider = Divider16For(window);
  const auto multiplier = hn::Set(d16, divider.multiplier);
  uint8_t* out = output + reach;
  ForEachVectorAligned(
      d8, out, static_cast<size_t>(sums.rowBytes - 2 * reach),
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto windowSums = hn::Sub(hn::LoadU(d16, ahead + i), hn::LoadU(d16, behind + i));
        const auto means = hn::ShiftRightSame(hn::MulHigh(windowSums, multiplier), divider.shift);
        StoreVector(aligned, hn::DemoteTo(d8, hn::BitCast(di16, means)), d8, out + i);
      },
      [&](size_t i) HWY_ATTR { out[i] = WindowMean(static_cast<uint16_t>(ahead[i] - behind[i]), window); });
}

HWY_INLINE void WriteMeans32(const SlidingSums& sums, uint8_t* HWY_RESTRICT output) {
  const hn::ScalableTag<uint32_t> d32;
  const hn::Repartition<uint64_t, decltype(d32)> d64;
  const hn::Rebind<int32_t, decltype(d32)> di32;
  const hn::Rebind<uint8_t, decltype(d32)> d8;
  const int window = sums.window;
  const int reach = 2 * (window / 2);
  const uint32_t* prefix = reinterpret_cast<const uint32_t*>(sums.prefix);
  const uint32_t* ahead = prefix + 2 * reach;
  const uint32_t* behind = prefix - 2;
  const auto multiplier = hn::Set(d32, Multiplier32(SampleCount(window)));
  const auto upperHalves = hn::Set(d64, uint64_t{0xFFFFFFFF00000000u});
  uint8_t* out = output + reach;
  ForEachVectorAligned(
      d8, out, static_cast<size_t>(sums.rowBytes - 2 * reach),
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto windowSums = hn::Sub(hn::LoadU(d32, ahead + i), hn::LoadU(d32, behind + i));
        // (sum * multiplier) >> 32 in 64-bit products: the even lanes' quotients come out in the
        // upper halves of their products, the odd lanes' likewise after a shift down.
        const auto evenProducts = hn::MulEven(windowSums, multiplier);
        const auto oddSums = hn::BitCast(d32, hn::ShiftRight<32>(hn::BitCast(d64, windowSums)));
        const auto oddProducts = hn::MulEven(oddSums, multiplier);
        const auto means = hn::Or(hn::BitCast(d32, hn::ShiftRight<32>(evenProducts)),
                                  hn::BitCast(d32, hn::And(oddProducts, upperHalves)));
        StoreVector(aligned, hn::DemoteTo(d8, hn::BitCast(di32, means)), d8, out + i);
      },
      [&](size_t i) HWY_ATTR { out[i] = WindowMean(ahead[i] - behind[i], window); });
}

HWY_INLINE void FilterRow(const SlidingSums& sums, const uint8_t* HWY_RESTRICT entering,
                          const uint8_t* HWY_RESTRICT leaving, uint8_t* HWY_RESTRICT output) {
  if (SumsFit16Bits(sums.window)) {
    SlideAndScan16(sums, entering, leaving);
    WriteMeans16(sums, output);
  } else {
    SlideAndScan32(sums, entering, leaving);
    WriteMeans32(sums, output);
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
