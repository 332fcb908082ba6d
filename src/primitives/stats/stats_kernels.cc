// Processor builds of the statistics, compiled once per Highway target, and the dispatched
// operations that bind them. Each row kernel hands back exactly the generic kernel's totals:
// integer sums are exact in any order, and float extremes are taken on order keys, which do not
// depend on the order pixels are visited in.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/stats/stats_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/stats/float_order.h"
#include "primitives/stats/histogram_levels.h"
#include "primitives/stats/stats.h"
#include "primitives/stats/stats_results.h"
#include "primitives/stats/stats_totals.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::stats {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;

using D8 = hn::ScalableTag<uint8_t>;
using DU16 = hn::Repartition<uint16_t, D8>;
using DI16 = hn::Repartition<int16_t, D8>;
using DI32 = hn::Repartition<int32_t, D8>;
using D64 = hn::Repartition<uint64_t, D8>;
using VU8 = hn::Vec<D8>;
using VI32 = hn::Vec<DI32>;
using VU64 = hn::Vec<D64>;

// Squares are gathered in 32-bit lanes for this many bytes at a time: each lane then holds at most
// 32768 / 16 x 4 products of 255^2, below 2^31, before it is widened.
constexpr size_t kSquareChunkBytes = 32768;

template <class V>
HWY_INLINE auto SumOfAllLanes(V v) {
  return hn::GetLane(hn::SumOfLanes(hn::DFromV<V>(), v));
}

// Non-negative 32-bit lanes added pairwise into 64-bit lanes.
HWY_INLINE VU64 Widen(VI32 v) {
  const D64 d64;
  const VU64 bits = hn::BitCast(d64, v);
  return hn::Add(hn::And(bits, hn::Set(d64, 0xFFFFFFFFull)), hn::ShiftRight<32>(bits));
}

// Adds the squares of the bytes of v to the 32-bit lanes of `squares`.
HWY_INLINE VI32 AddSquares(VU8 v, VI32 squares) {
  const DU16 du16;
  const DI16 di16;
  const DI32 di32;
  const VU8 zero = hn::Zero(D8());
  const auto low = hn::BitCast(di16, hn::ZipLower(du16, v, zero));
  const auto high = hn::BitCast(di16, hn::ZipUpper(du16, v, zero));
  VI32 unused = hn::Zero(di32);  // the x86 builds accumulate everything in the first sum
  squares = hn::ReorderWidenMulAccumulate(di32, low, low, squares, unused);
  return hn::ReorderWidenMulAccumulate(di32, high, high, squares, unused);
}

HWY_INLINE VU8 AbsoluteDifference(VU8 a, VU8 b) { return hn::Or(hn::SaturatedSub(a, b), hn::SaturatedSub(b, a)); }

// Counts selected 8-bit or 32-bit lanes. CountTrue needs a population count, which the SSSE3
// build lacks (it counted 3.6 times slower than the SSE4 build): there each selected lane adds one
// to its own counter, and the counters are folded into 64-bit lanes before any can wrap. The other
// builds keep CountTrue, 8% faster than the counters on the AVX3 build.
template <class D>
class LaneCount {
  static_assert(sizeof(hn::TFromD<D>) == 1 || sizeof(hn::TFromD<D>) == 4);

 public:
  HWY_INLINE LaneCount() : counters_(hn::Zero(D())), total_(hn::Zero(D64())) {}
  HWY_INLINE void Add(hn::Mask<D> selected) {
#if HWY_TARGET == HWY_SSSE3
    // A selected lane is all ones: minus one.
    counters_ = hn::Sub(counters_, hn::VecFromMask(D(), selected));
    if (++pending_ == kFoldEvery) Fold();
#else
    count_ += hn::CountTrue(D(), selected);
#endif
  }
  HWY_INLINE uint64_t Total() {
    Fold();
    return count_ + SumOfAllLanes(total_);
  }

 private:
  using T = hn::TFromD<D>;
  static constexpr uint32_t kFoldEvery = sizeof(T) == 1 ? 255 : 65535;

  HWY_INLINE void Fold() {
    if constexpr (sizeof(T) == 1) {
      total_ = hn::Add(total_, hn::SumsOf8(hn::BitCast(D8(), counters_)));
    } else {
      total_ = hn::Add(total_, Widen(hn::BitCast(DI32(), counters_)));
    }
    counters_ = hn::Zero(D());
    pending_ = 0;
  }

  hn::Vec<D> counters_;
  VU64 total_;
  uint32_t pending_ = 0;
  uint64_t count_ = 0;
};

// Pieces of kBytes at the ends of rows, or making up rows narrower than a full vector (the small
// blocks of pixelation), summed in their own accumulator across rows.
template <size_t kBytes>
class PieceSum {
 public:
  // Written out: an implicit constructor would not be compiled for the target.
  HWY_INLINE PieceSum() : sum_(hn::Zero(DSum())) {}
  HWY_INLINE void Add(const uint8_t* HWY_RESTRICT row) { sum_ = hn::Add(sum_, hn::SumsOf8(hn::LoadU(D(), row))); }
  HWY_INLINE uint64_t Total() const { return SumOfAllLanes(sum_); }

 private:
  using D = hn::CappedTag<uint8_t, kBytes>;
  using DSum = hn::Repartition<uint64_t, D>;
  hn::Vec<DSum> sum_;
};

// Fewer than 8 bytes, one at a time (a bounded count keeps the compiler from vectorising it).
HWY_INLINE uint64_t SumOfFewBytes(const uint8_t* HWY_RESTRICT bytes, size_t count) {
  uint64_t sum = 0;
  for (size_t k = 0; k < (count & 7); ++k) sum += bytes[k];
  return sum;
}

// Runs that are exactly one vector of kWidth bytes (blocks of 8, 16, 32 or 64 pixels): one load
// per run and no decisions inside the loop.
template <size_t kWidth>
HWY_INLINE uint64_t FixedWidthSum(const uint8_t* HWY_RESTRICT first, ptrdiff_t step, size_t runs) {
  const hn::CappedTag<uint8_t, kWidth> d;
  static_assert(hn::MaxLanes(d) == kWidth);
  const hn::Repartition<uint64_t, decltype(d)> dSum;
  auto sum0 = hn::Zero(dSum);
  auto sum1 = hn::Zero(dSum);
  size_t y = 0;
  for (; y + 2 <= runs; y += 2) {
    sum0 = hn::Add(sum0, hn::SumsOf8(hn::LoadU(d, first + static_cast<ptrdiff_t>(y) * step)));
    sum1 = hn::Add(sum1, hn::SumsOf8(hn::LoadU(d, first + static_cast<ptrdiff_t>(y + 1) * step)));
  }
  if (y < runs) sum0 = hn::Add(sum0, hn::SumsOf8(hn::LoadU(d, first + static_cast<ptrdiff_t>(y) * step)));
  return SumOfAllLanes(hn::Add(sum0, sum1));
}

// Runs of any length in vector accumulators that are reduced once, at the end. Runs narrower than
// a full vector are read in pieces of 32, 16 and 8 bytes and single bytes, the same pieces on
// every run, so that a row of a small block costs a few instructions.
HWY_INLINE uint64_t AnyWidthSum(const uint8_t* HWY_RESTRICT first, ptrdiff_t step, size_t width, size_t runs) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  const size_t vectorBytes = width / lanes * lanes;
  size_t rest = width - vectorBytes;
  const bool has32 = lanes > 32 && rest >= 32;
  rest -= has32 ? 32 : 0;
  const bool has16 = lanes > 16 && rest >= 16;
  rest -= has16 ? 16 : 0;
  const bool has8 = rest >= 8;
  const size_t tail = rest - (has8 ? 8 : 0);

  VU64 sum0 = hn::Zero(D64());
  VU64 sum1 = hn::Zero(D64());
  PieceSum<32> pieces32;
  PieceSum<16> pieces16;
  PieceSum<8> pieces8;
  uint64_t total = 0;
  for (size_t y = 0; y < runs; ++y) {
    const uint8_t* HWY_RESTRICT row = first + static_cast<ptrdiff_t>(y) * step;
    size_t i = 0;
    for (; i + 2 * lanes <= vectorBytes; i += 2 * lanes) {
      sum0 = hn::Add(sum0, hn::SumsOf8(hn::LoadU(d, row + i)));
      sum1 = hn::Add(sum1, hn::SumsOf8(hn::LoadU(d, row + i + lanes)));
    }
    if (i < vectorBytes) {
      sum0 = hn::Add(sum0, hn::SumsOf8(hn::LoadU(d, row + i)));
      i += lanes;
    }
    if (has32) pieces32.Add(row + i), i += 32;
    if (has16) pieces16.Add(row + i), i += 16;
    if (has8) pieces8.Add(row + i), i += 8;
    if (tail != 0) total += SumOfFewBytes(row + i, tail);
  }
  // Only the accumulators in use are reduced.
  if (vectorBytes != 0) total += SumOfAllLanes(hn::Add(sum0, sum1));
  if (has32) total += pieces32.Total();
  if (has16) total += pieces16.Total();
  if (has8) total += pieces8.Total();
  return total;
}

// Long runs (a frame, the rows of one) with aligned loads: each run's bytes up to the first vector
// boundary in pieces of fewer than 8, 8, 16 and 32 bytes, each piece aligned to its size, then
// whole vectors, then pieces again. Loads that straddle cache lines measured 1.2 times slower on a
// frame in the cache.
HWY_INLINE uint64_t LongRunsSum(const uint8_t* HWY_RESTRICT first, ptrdiff_t step, size_t width, size_t runs) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  VU64 sum0 = hn::Zero(D64());
  VU64 sum1 = hn::Zero(D64());
  PieceSum<32> pieces32;
  PieceSum<16> pieces16;
  PieceSum<8> pieces8;
  uint64_t total = 0;
  for (size_t y = 0; y < runs; ++y) {
    const uint8_t* HWY_RESTRICT row = first + static_cast<ptrdiff_t>(y) * step;
    const size_t head = (lanes - reinterpret_cast<uintptr_t>(row) % lanes) % lanes;
    size_t i = head & 7;
    total += SumOfFewBytes(row, i);
    if (head & 8) pieces8.Add(row + i), i += 8;
    if (lanes > 16 && (head & 16)) pieces16.Add(row + i), i += 16;
    if (lanes > 32 && (head & 32)) pieces32.Add(row + i), i += 32;
    for (; i + 2 * lanes <= width; i += 2 * lanes) {
      sum0 = hn::Add(sum0, hn::SumsOf8(hn::Load(d, row + i)));
      sum1 = hn::Add(sum1, hn::SumsOf8(hn::Load(d, row + i + lanes)));
    }
    if (i + lanes <= width) {
      sum0 = hn::Add(sum0, hn::SumsOf8(hn::Load(d, row + i)));
      i += lanes;
    }
    if (lanes > 32 && width - i >= 32) pieces32.Add(row + i), i += 32;
    if (lanes > 16 && width - i >= 16) pieces16.Add(row + i), i += 16;
    if (width - i >= 8) pieces8.Add(row + i), i += 8;
    total += SumOfFewBytes(row + i, width - i);
  }
  return total + SumOfAllLanes(hn::Add(sum0, sum1)) + pieces32.Total() + pieces16.Total() + pieces8.Total();
}

// The exact sum of the runs of an image. It takes the runs at once rather than one at a time: the
// block widths of pixelation then take loops of their own, with the block's decisions made once,
// so that a small block costs little more than its loads (a run at a time measured 2.4 times
// slower on 16 x 16 blocks).
HWY_INLINE uint64_t SumOfRuns8u(const ImageView<const uint8_t>& image, const RowRuns& runs) {
  constexpr size_t kLanes = hn::MaxLanes(D8());
  const uint8_t* HWY_RESTRICT first = image.data;
  const ptrdiff_t step = image.step;
  const size_t width = runs.length;
  const size_t count = static_cast<size_t>(runs.count);
  if (width < 8) {
    uint64_t sum = 0;
    for (size_t y = 0; y < count; ++y) sum += SumOfFewBytes(first + static_cast<ptrdiff_t>(y) * step, width);
    return sum;
  }
  switch (width) {
    case 8: return FixedWidthSum<8>(first, step, count);
    case 16: return FixedWidthSum<16>(first, step, count);
    case 32: if constexpr (kLanes >= 32) return FixedWidthSum<32>(first, step, count); break;
    case 64: if constexpr (kLanes >= 64) return FixedWidthSum<64>(first, step, count); break;
    default: break;
  }
  if (width >= 4 * kLanes) return LongRunsSum(first, step, width, count);
  return AnyWidthSum(first, step, width, count);
}

HWY_INLINE MaskedSum MaskedSumRow8u(const uint8_t* HWY_RESTRICT row, const uint8_t* HWY_RESTRICT mask, size_t n) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  const VU8 zero = hn::Zero(d);
  VU64 sum = hn::Zero(D64());
  LaneCount<D8> count;
  MaskedSum totals;
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto selected = hn::LoadU(d, mask + i) != zero;
    sum = hn::Add(sum, hn::SumsOf8(hn::IfThenElseZero(selected, hn::LoadU(d, row + i))));
    count.Add(selected);
  }
  totals.sum = SumOfAllLanes(sum);
  totals.count = count.Total();
  for (; i < n; ++i) totals.Add(row[i], mask[i]);
  return totals;
}

// Sum and squares of the selected bytes; `select(i)` gives the pixels at i, unselected ones zero.
template <class Select>
HWY_INLINE void AddSquareSums(size_t n, size_t& i, SquareSums& totals, Select&& select) {
  const size_t lanes = hn::Lanes(D8());
  VU64 sum = hn::Zero(D64());
  VU64 squares = hn::Zero(D64());
  while (i + lanes <= n) {
    const size_t chunkEnd = i + std::min(n - i, kSquareChunkBytes);
    VI32 chunkSquares = hn::Zero(DI32());
    for (; i + lanes <= chunkEnd; i += lanes) {
      const VU8 v = select(i);
      sum = hn::Add(sum, hn::SumsOf8(v));
      chunkSquares = AddSquares(v, chunkSquares);
    }
    squares = hn::Add(squares, Widen(chunkSquares));
  }
  totals.sum += SumOfAllLanes(sum);
  totals.squares += SumOfAllLanes(squares);
}

HWY_INLINE SquareSums SquareSumsRow8u(const uint8_t* HWY_RESTRICT row, size_t n) {
  const D8 d;
  SquareSums totals;
  size_t i = 0;
  AddSquareSums(n, i, totals, [&](size_t at) HWY_ATTR { return hn::LoadU(d, row + at); });
  totals.count = i;
  for (; i < n; ++i) totals.Add(row[i]);
  return totals;
}

HWY_INLINE SquareSums MaskedSquareSumsRow8u(const uint8_t* HWY_RESTRICT row, const uint8_t* HWY_RESTRICT mask,
                                            size_t n) {
  const D8 d;
  const VU8 zero = hn::Zero(d);
  LaneCount<D8> count;
  SquareSums totals;
  size_t i = 0;
  AddSquareSums(n, i, totals, [&](size_t at) HWY_ATTR {
    const auto selected = hn::LoadU(d, mask + at) != zero;
    count.Add(selected);
    return hn::IfThenElseZero(selected, hn::LoadU(d, row + at));
  });
  totals.count += count.Total();
  for (; i < n; ++i) totals.Add(row[i], mask[i]);
  return totals;
}

// Byte lanes are reduced to 128 bits first: wider byte reductions are missing in this Highway.
template <bool kMaximum, class D>
HWY_INLINE uint8_t ExtremeOfBytes(D d, hn::Vec<D> v) {
  if constexpr (hn::MaxLanes(D()) > 16) {
    const hn::Half<D> half;
    const auto low = hn::LowerHalf(half, v);
    const auto high = hn::UpperHalf(half, v);
    return ExtremeOfBytes<kMaximum>(half, kMaximum ? hn::Max(low, high) : hn::Min(low, high));
  } else {
    return hn::GetLane(kMaximum ? hn::MaxOfLanes(d, v) : hn::MinOfLanes(d, v));
  }
}

HWY_INLINE void MinMaxRow8u(const uint8_t* HWY_RESTRICT row, size_t n, uint8_t& minimum, uint8_t& maximum) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  size_t i = 0;
  if (n >= lanes) {
    VU8 low0 = hn::Set(d, minimum), low1 = low0;
    VU8 high0 = hn::Set(d, maximum), high1 = high0;
    for (; i + 2 * lanes <= n; i += 2 * lanes) {
      const VU8 a = hn::LoadU(d, row + i);
      const VU8 b = hn::LoadU(d, row + i + lanes);
      low0 = hn::Min(low0, a);
      high0 = hn::Max(high0, a);
      low1 = hn::Min(low1, b);
      high1 = hn::Max(high1, b);
    }
    if (i + lanes <= n) {
      const VU8 a = hn::LoadU(d, row + i);
      low0 = hn::Min(low0, a);
      high0 = hn::Max(high0, a);
      i += lanes;
    }
    minimum = ExtremeOfBytes<false>(d, hn::Min(low0, low1));
    maximum = ExtremeOfBytes<true>(d, hn::Max(high0, high1));
  }
  for (; i < n; ++i) {
    minimum = std::min(minimum, row[i]);
    maximum = std::max(maximum, row[i]);
  }
}

// The extreme of `running` and the row's non-NaN pixels, on order keys (-0 below +0).
template <bool kMaximum>
HWY_INLINE float RowExtreme32f(const float* HWY_RESTRICT row, size_t n, float running) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  const size_t lanes = hn::Lanes(df);
  const auto start = hn::Set(di, OrderKey(running));
  const auto magnitude = hn::Set(di, 0x7FFFFFFF);
  // NaN pixels take the running key, which never moves the extreme.
  const auto keys = [&](size_t at) HWY_ATTR {
    const auto v = hn::LoadU(df, row + at);
    const auto bits = hn::BitCast(di, v);
    const auto key = hn::Xor(bits, hn::And(hn::ShiftRight<31>(bits), magnitude));
    return hn::IfThenElse(hn::RebindMask(di, v == v), key, start);
  };
  const auto extreme = [](auto a, auto b) HWY_ATTR { return kMaximum ? hn::Max(a, b) : hn::Min(a, b); };
  auto best0 = start, best1 = start;
  size_t i = 0;
  for (; i + 2 * lanes <= n; i += 2 * lanes) {
    best0 = extreme(best0, keys(i));
    best1 = extreme(best1, keys(i + lanes));
  }
  if (i + lanes <= n) {
    best0 = extreme(best0, keys(i));
    i += lanes;
  }
  const auto best = extreme(best0, best1);
  running = FromOrderKey(hn::GetLane(kMaximum ? hn::MaxOfLanes(di, best) : hn::MinOfLanes(di, best)));
  for (; i < n; ++i) {
    const float x = LoadUnaligned(row + i);
    if (kMaximum ? IsGreater(x, running) : IsLess(x, running)) running = x;
  }
  return running;
}

HWY_INLINE float MaxRow32f(const float* HWY_RESTRICT row, size_t n, float maximum) {
  return RowExtreme32f<true>(row, n, maximum);
}

HWY_INLINE float MinRow32f(const float* HWY_RESTRICT row, size_t n, float minimum) {
  return RowExtreme32f<false>(row, n, minimum);
}

// The row's maximum is found first; only a row that beats the running maximum is searched for the
// first pixel equal to it. While the running maximum is NaN the rule is applied pixel by pixel.
HWY_INLINE void MaxIndexRow32f(const float* HWY_RESTRICT row, int width, int y, IndexedMaximum& best) {
  const hn::ScalableTag<float> d;
  const size_t lanes = hn::Lanes(d);
  const size_t n = static_cast<size_t>(width);
  if (std::isnan(best.value) || n < lanes) {
    for (int x = 0; x < width; ++x) {
      const float value = LoadUnaligned(row + x);
      if (TakesTheLead(value, best.value)) best = {value, x, y};
    }
    return;
  }
  // Ordered comparisons: NaN pixels never enter the row maximum.
  auto top0 = hn::Set(d, -std::numeric_limits<float>::infinity());
  auto top1 = top0;
  size_t i = 0;
  for (; i + 2 * lanes <= n; i += 2 * lanes) {
    const auto a = hn::LoadU(d, row + i);
    const auto b = hn::LoadU(d, row + i + lanes);
    top0 = hn::IfThenElse(a > top0, a, top0);
    top1 = hn::IfThenElse(b > top1, b, top1);
  }
  if (i + lanes <= n) {
    const auto a = hn::LoadU(d, row + i);
    top0 = hn::IfThenElse(a > top0, a, top0);
    i += lanes;
  }
  float top = hn::GetLane(hn::MaxOfLanes(d, hn::Max(top0, top1)));
  for (; i < n; ++i) {
    const float value = LoadUnaligned(row + i);
    if (value > top) top = value;
  }
  if (!(top > best.value)) return;
  for (int x = 0;; ++x) {
    const float value = LoadUnaligned(row + x);
    if (value == top) {
      best = {value, x, y};
      return;
    }
  }
}

HWY_INLINE uint64_t CountInRangeRow8u(const uint8_t* HWY_RESTRICT row, size_t n, uint8_t lower, uint8_t upper) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  const VU8 low = hn::Set(d, lower);
  const VU8 high = hn::Set(d, upper);
  LaneCount<D8> inRange;
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const VU8 v = hn::LoadU(d, row + i);
    inRange.Add(hn::Min(hn::Max(v, low), high) == v);
  }
  uint64_t count = inRange.Total();
  for (; i < n; ++i) count += (lower <= row[i] && row[i] <= upper) ? 1 : 0;
  return count;
}

// Ordered comparisons: a NaN pixel is never counted.
HWY_INLINE uint64_t CountInRangeRow32f(const float* HWY_RESTRICT row, size_t n, float lower, float upper) {
  const hn::ScalableTag<float> d;
  const size_t lanes = hn::Lanes(d);
  const auto low = hn::Set(d, lower);
  const auto high = hn::Set(d, upper);
  const DI32 di;
  LaneCount<DI32> inRange;
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto v = hn::LoadU(d, row + i);
    inRange.Add(hn::RebindMask(di, hn::And(v >= low, v <= high)));
  }
  uint64_t count = inRange.Total();
  for (; i < n; ++i) {
    const float x = LoadUnaligned(row + i);
    count += (lower <= x && x <= upper) ? 1 : 0;
  }
  return count;
}

HWY_INLINE NormSums NormSumsRow8u(const uint8_t* HWY_RESTRICT first, const uint8_t* HWY_RESTRICT second, size_t n) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  VU64 differences = hn::Zero(D64());
  VU64 seconds = hn::Zero(D64());
  size_t i = 0;
  while (i + lanes <= n) {
    const size_t chunkEnd = i + std::min(n - i, kSquareChunkBytes);
    VI32 chunkDifferences = hn::Zero(DI32());
    VI32 chunkSeconds = hn::Zero(DI32());
    for (; i + lanes <= chunkEnd; i += lanes) {
      const VU8 a = hn::LoadU(d, first + i);
      const VU8 b = hn::LoadU(d, second + i);
      chunkDifferences = AddSquares(AbsoluteDifference(a, b), chunkDifferences);
      chunkSeconds = AddSquares(b, chunkSeconds);
    }
    differences = hn::Add(differences, Widen(chunkDifferences));
    seconds = hn::Add(seconds, Widen(chunkSeconds));
  }
  NormSums totals;
  totals.squaredDifferences = SumOfAllLanes(differences);
  totals.squaredSecond = SumOfAllLanes(seconds);
  for (; i < n; ++i) totals.Add(first[i], second[i]);
  return totals;
}

// Counts of the byte values in eight tables filled in turn, so that neighbouring pixels, often
// equal, do not wait on one counter. The increments are bound by load and store throughput (about
// 0.7 cycles a pixel); steps of 16 pixels from two 64-bit loads measured about 8% faster than
// steps of 8.
class ValueCounter {
 public:
  HWY_INLINE ValueCounter() { std::memset(tables_, 0, sizeof tables_); }

  HWY_INLINE void Add(const uint8_t* HWY_RESTRICT row, size_t n) {
    while (n > 0) {
      const size_t piece = std::min(n, kFoldPixels - pending_);
      size_t i = 0;
      for (; i + 16 <= piece; i += 16) {
        uint64_t words[2];
        std::memcpy(words, row + i, sizeof words);
        for (uint64_t word : words) {
          for (int table = 0; table < 8; table += 2, word >>= 16) {
            ++tables_[table][word & 0xFF];
            ++tables_[table + 1][(word >> 8) & 0xFF];
          }
        }
      }
      for (; i < piece; ++i) ++tables_[0][row[i]];
      row += piece;
      n -= piece;
      pending_ += piece;
      if (pending_ == kFoldPixels) Fold();
    }
  }

  HWY_INLINE ValueCounts Counts() {
    Fold();
    return totals_;
  }

 private:
  // No 32-bit table counter can pass its range before the tables are folded into the totals.
  static constexpr size_t kFoldPixels = size_t{1} << 31;

  HWY_INLINE void Fold() {
    for (auto& table : tables_) {
      for (int v = 0; v < 256; ++v) totals_.perValue[v] += table[v];
    }
    std::memset(tables_, 0, sizeof tables_);
    pending_ = 0;
  }

  uint32_t tables_[8][256];
  ValueCounts totals_;
  size_t pending_ = 0;
};

// Single-precision sums in pixel order, as the generic code adds them: one chain of additions
// each, which no vector can shorten.
HWY_INLINE void AddRow32f(const float* HWY_RESTRICT row, size_t n, FloatSums& sums) {
  for (size_t i = 0; i < n; ++i) sums.Add(LoadUnaligned(row + i));
}

// Pairs of rows are independent chains, though: lanes of four pairs side by side, lane j adding
// the pixels of its pair in the generic order (first row, then second), so that each pair's sums
// are the generic ones bit for bit. The rows' pixels are transposed into columns, four by four;
// two groups of four pairs keep two chains of additions in flight.
using DF4 = hn::FixedTag<float, 4>;
using VF4 = hn::Vec<DF4>;
constexpr int kPairGroups = 2;
constexpr int kRowPairsAtOnce = 4 * kPairGroups;

// Adds column v, one pixel of each of four rows, to the lanes' sums.
HWY_INLINE void AddColumn(VF4 v, VF4& sum, VF4& squares) {
  sum = hn::Add(sum, v);
  squares = hn::Add(squares, hn::Mul(v, v));
}

// Adds pixels 0..width-1 of rows[g][j], in order, to lane j of sum[g] and squares[g].
template <int kGroups>
HWY_INLINE void AddRowsSideBySide(const float* const (&rows)[kGroups][4], size_t width, VF4 (&sum)[kGroups],
                                  VF4 (&squares)[kGroups]) {
  const DF4 d;
  size_t x = 0;
  for (; x + 4 <= width; x += 4) {
    for (int g = 0; g < kGroups; ++g) {
      const VF4 a = hn::LoadU(d, rows[g][0] + x);
      const VF4 b = hn::LoadU(d, rows[g][1] + x);
      const VF4 c = hn::LoadU(d, rows[g][2] + x);
      const VF4 e = hn::LoadU(d, rows[g][3] + x);
      const VF4 ac01 = hn::InterleaveLower(d, a, c);  // a0 c0 a1 c1
      const VF4 be01 = hn::InterleaveLower(d, b, e);  // b0 e0 b1 e1
      const VF4 ac23 = hn::InterleaveUpper(d, a, c);  // a2 c2 a3 c3
      const VF4 be23 = hn::InterleaveUpper(d, b, e);  // b2 e2 b3 e3
      AddColumn(hn::InterleaveLower(d, ac01, be01), sum[g], squares[g]);  // a0 b0 c0 e0
      AddColumn(hn::InterleaveUpper(d, ac01, be01), sum[g], squares[g]);  // a1 b1 c1 e1
      AddColumn(hn::InterleaveLower(d, ac23, be23), sum[g], squares[g]);
      AddColumn(hn::InterleaveUpper(d, ac23, be23), sum[g], squares[g]);
    }
  }
  for (; x < width; ++x) {
    for (int g = 0; g < kGroups; ++g) {
      alignas(16) float column[4];
      for (int j = 0; j < 4; ++j) column[j] = LoadUnaligned(rows[g][j] + x);
      AddColumn(hn::Load(d, column), sum[g], squares[g]);
    }
  }
}

// The sums of 4 x kGroups pairs of rows from firstRow on, all of which hold two rows.
template <int kGroups>
HWY_INLINE void SumPairsSideBySide(const ImageView<const float>& image, int firstRow, FloatSums* sums) {
  const DF4 d;
  VF4 sum[kGroups];
  VF4 squares[kGroups];
  for (int g = 0; g < kGroups; ++g) sum[g] = squares[g] = hn::Zero(d);
  for (int second = 0; second < 2; ++second) {
    const float* rows[kGroups][4];
    for (int g = 0; g < kGroups; ++g) {
      for (int j = 0; j < 4; ++j) rows[g][j] = image.Row(firstRow + 2 * (4 * g + j) + second);
    }
    AddRowsSideBySide<kGroups>(rows, static_cast<size_t>(image.size.width), sum, squares);
  }
  for (int g = 0; g < kGroups; ++g) {
    alignas(16) float s[4];
    alignas(16) float q[4];
    hn::Store(sum[g], d, s);
    hn::Store(squares[g], d, q);
    for (int j = 0; j < 4; ++j) sums[4 * g + j] = FloatSums{s[j], q[j]};
  }
}

HWY_INLINE void SumRowPairs32f(const ImageView<const float>& image, int firstRow, int count, FloatSums* sums) {
  // Pairs with two rows: all but a last one that holds the region's last row alone.
  const int complete = firstRow + 2 * count <= image.size.height ? count : count - 1;
  int k = 0;
  if (complete == kRowPairsAtOnce) {
    SumPairsSideBySide<kPairGroups>(image, firstRow, sums);
    k = kRowPairsAtOnce;
  } else if (complete >= 4) {
    SumPairsSideBySide<1>(image, firstRow, sums);
    k = 4;
  }
  const size_t width = static_cast<size_t>(image.size.width);
  for (; k < count; ++k) {
    const int y = firstRow + 2 * k;
    sums[k] = FloatSums{};
    AddRow32f(image.Row(y), width, sums[k]);
    if (y + 1 < image.size.height) AddRow32f(image.Row(y + 1), width, sums[k]);
  }
}

HWY_INLINE float SquaredDeviationsRow32f(const float* HWY_RESTRICT row, size_t n, float mean, float total) {
  for (size_t i = 0; i < n; ++i) {
    const float difference = LoadUnaligned(row + i) - mean;
    total += difference * difference;
  }
  return total;
}

}  // namespace

#include "primitives/stats/stats_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::stats
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::stats {
RYN_DISPATCH(Sum8u);
RYN_DISPATCH(Mean8u);
RYN_DISPATCH(MeanMasked8u);
RYN_DISPATCH(MeanStdDev8u);
RYN_DISPATCH(MeanStdDevMasked8u);
RYN_DISPATCH(MeanStdDev32f);
RYN_DISPATCH(MinMax8u);
RYN_DISPATCH(Max32f);
RYN_DISPATCH(Min32f);
RYN_DISPATCH(MaxIndex32f);
RYN_DISPATCH(CountInRange8u);
RYN_DISPATCH(CountInRange32f);
RYN_DISPATCH(HistogramEven8u);
RYN_DISPATCH(NormRelL2_8u);
}  // namespace ryn::stats
#endif
