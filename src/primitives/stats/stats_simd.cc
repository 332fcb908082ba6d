// Processor builds of the statistics reductions, compiled once per Highway target. Each kernel
// hands back exactly the generic kernel's totals: integer sums are exact in any order, and float
// extremes are taken on order keys, which do not depend on the order pixels are visited in.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/stats/stats_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cstring>

#include "primitives/stats/float_order.h"
#include "primitives/stats/generic_kernels.h"
#include "primitives/stats/stats_builds.h"
#include "primitives/stats/stats_primitives.h"
#include "primitives/stats/stats_totals.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::stats {
namespace HWY_NAMESPACE {
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

HWY_INLINE VU8 AbsoluteDifference(VU8 a, VU8 b) {
  return hn::Or(hn::SaturatedSub(a, b), hn::SaturatedSub(b, a));
}

// Rows narrower than a full vector (the small blocks of pixelation) and the ends of rows: adds
// one piece of kBytes if it fits and the full vector is wider.
template <size_t kBytes>
HWY_INLINE void AddPieceSum(const uint8_t* HWY_RESTRICT row, size_t n, size_t& i, uint64_t& sum) {
  if constexpr (kBytes < hn::MaxLanes(D8())) {
    const hn::CappedTag<uint8_t, kBytes> d;
    if (i + kBytes <= n) {
      sum += SumOfAllLanes(hn::SumsOf8(hn::LoadU(d, row + i)));
      i += kBytes;
    }
  }
}

HWY_INLINE uint64_t RowSum(const uint8_t* HWY_RESTRICT row, size_t n) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  VU64 sum0 = hn::Zero(D64());
  VU64 sum1 = hn::Zero(D64());
  size_t i = 0;
  for (; i + 2 * lanes <= n; i += 2 * lanes) {
    sum0 = hn::Add(sum0, hn::SumsOf8(hn::LoadU(d, row + i)));
    sum1 = hn::Add(sum1, hn::SumsOf8(hn::LoadU(d, row + i + lanes)));
  }
  if (i + lanes <= n) {
    sum0 = hn::Add(sum0, hn::SumsOf8(hn::LoadU(d, row + i)));
    i += lanes;
  }
  uint64_t sum = i == 0 ? 0 : SumOfAllLanes(hn::Add(sum0, sum1));
  AddPieceSum<32>(row, n, i, sum);
  AddPieceSum<16>(row, n, i, sum);
  AddPieceSum<8>(row, n, i, sum);
  for (; i < n; ++i) sum += row[i];
  return sum;
}

HWY_INLINE MaskedSum RowMaskedSum(const uint8_t* HWY_RESTRICT row, const uint8_t* HWY_RESTRICT mask, size_t n) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  const VU8 zero = hn::Zero(d);
  VU64 sum = hn::Zero(D64());
  MaskedSum totals;
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto selected = hn::LoadU(d, mask + i) != zero;
    sum = hn::Add(sum, hn::SumsOf8(hn::IfThenElseZero(selected, hn::LoadU(d, row + i))));
    totals.count += hn::CountTrue(d, selected);
  }
  totals.sum = SumOfAllLanes(sum);
  totals += GenericKernels::MaskedSum8u(row + i, mask + i, n - i);
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

HWY_INLINE SquareSums RowSquareSums(const uint8_t* HWY_RESTRICT row, size_t n) {
  const D8 d;
  SquareSums totals;
  size_t i = 0;
  AddSquareSums(n, i, totals, [&](size_t at) HWY_ATTR { return hn::LoadU(d, row + at); });
  totals.count = i;
  totals += GenericKernels::SquareSums8u(row + i, n - i);
  return totals;
}

HWY_INLINE SquareSums RowMaskedSquareSums(const uint8_t* HWY_RESTRICT row, const uint8_t* HWY_RESTRICT mask,
                                          size_t n) {
  const D8 d;
  const VU8 zero = hn::Zero(d);
  SquareSums totals;
  size_t i = 0;
  AddSquareSums(n, i, totals, [&](size_t at) HWY_ATTR {
    const auto selected = hn::LoadU(d, mask + at) != zero;
    totals.count += hn::CountTrue(d, selected);
    return hn::IfThenElseZero(selected, hn::LoadU(d, row + at));
  });
  totals += GenericKernels::MaskedSquareSums8u(row + i, mask + i, n - i);
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

HWY_INLINE void RowMinMax(const uint8_t* HWY_RESTRICT row, size_t n, uint8_t& minimum, uint8_t& maximum) {
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
  GenericKernels::MinMax8u(row + i, n - i, minimum, maximum);
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
  return kMaximum ? GenericKernels::Max32f(row + i, n - i, running)
                  : GenericKernels::Min32f(row + i, n - i, running);
}

HWY_INLINE uint64_t RowCountInRange8u(const uint8_t* HWY_RESTRICT row, size_t n, uint8_t lower, uint8_t upper) {
  const D8 d;
  const size_t lanes = hn::Lanes(d);
  const VU8 low = hn::Set(d, lower);
  const VU8 high = hn::Set(d, upper);
  uint64_t count = 0;
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const VU8 v = hn::LoadU(d, row + i);
    count += hn::CountTrue(d, hn::Min(hn::Max(v, low), high) == v);
  }
  return count + GenericKernels::CountInRange8u(row + i, n - i, lower, upper);
}

HWY_INLINE uint64_t RowCountInRange32f(const float* HWY_RESTRICT row, size_t n, float lower, float upper) {
  const hn::ScalableTag<float> d;
  const size_t lanes = hn::Lanes(d);
  const auto low = hn::Set(d, lower);
  const auto high = hn::Set(d, upper);
  uint64_t count = 0;
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto v = hn::LoadU(d, row + i);
    count += hn::CountTrue(d, hn::And(v >= low, v <= high));
  }
  return count + GenericKernels::CountInRange32f(row + i, n - i, lower, upper);
}

HWY_INLINE NormSums RowNormSums(const uint8_t* HWY_RESTRICT first, const uint8_t* HWY_RESTRICT second, size_t n) {
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
  totals += GenericKernels::NormSums8u(first + i, second + i, n - i);
  return totals;
}

// Four tables filled in turn, so that runs of equal bytes do not wait on one counter.
class ValueCounter {
 public:
  void Add(const uint8_t* row, size_t n) {
    while (n > 0) {
      const size_t piece = std::min(n, kFlushPixels - pending_);
      Count(row, piece);
      row += piece;
      n -= piece;
      pending_ += piece;
      if (pending_ == kFlushPixels) Flush();
    }
  }

  ValueCounts Finish() {
    Flush();
    return totals_;
  }

 private:
  // No table counter can pass 32 bits before the tables are folded into the totals.
  static constexpr size_t kFlushPixels = size_t{1} << 31;

  void Count(const uint8_t* HWY_RESTRICT row, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
      uint64_t word;
      std::memcpy(&word, row + i, sizeof word);
      ++tables_[0][word & 0xFF];
      ++tables_[1][(word >> 8) & 0xFF];
      ++tables_[2][(word >> 16) & 0xFF];
      ++tables_[3][(word >> 24) & 0xFF];
      ++tables_[0][(word >> 32) & 0xFF];
      ++tables_[1][(word >> 40) & 0xFF];
      ++tables_[2][(word >> 48) & 0xFF];
      ++tables_[3][word >> 56];
    }
    for (; i < n; ++i) ++tables_[0][row[i]];
  }

  void Flush() {
    for (int v = 0; v < 256; ++v) {
      totals_.perValue[v] += uint64_t{tables_[0][v]} + tables_[1][v] + tables_[2][v] + tables_[3][v];
    }
    std::memset(tables_, 0, sizeof tables_);
    pending_ = 0;
  }

  uint32_t tables_[4][256] = {};
  ValueCounts totals_;
  size_t pending_ = 0;
};

struct Kernels {
  // The row loop runs inside the build, so that small regions (pixelation blocks) make no call
  // per row.
  // (A lambda handed to ForEachRow would not be inlined across the target boundary.)
  static uint64_t RegionSum8u(const ImageView<const uint8_t>& image) {
    if (image.IsContiguous()) return RowSum(image.data, image.PixelCount());
    const size_t width = static_cast<size_t>(image.size.width);
    uint64_t sum = 0;
    for (int y = 0; y < image.size.height; ++y) sum += RowSum(image.Row(y), width);
    return sum;
  }
  static MaskedSum MaskedSum8u(const uint8_t* row, const uint8_t* mask, size_t n) {
    return RowMaskedSum(row, mask, n);
  }
  static SquareSums SquareSums8u(const uint8_t* row, size_t n) { return RowSquareSums(row, n); }
  static SquareSums MaskedSquareSums8u(const uint8_t* row, const uint8_t* mask, size_t n) {
    return RowMaskedSquareSums(row, mask, n);
  }
  static void MinMax8u(const uint8_t* row, size_t n, uint8_t& minimum, uint8_t& maximum) {
    RowMinMax(row, n, minimum, maximum);
  }
  static float Max32f(const float* row, size_t n, float maximum) { return RowExtreme32f<true>(row, n, maximum); }
  static float Min32f(const float* row, size_t n, float minimum) { return RowExtreme32f<false>(row, n, minimum); }
  static uint64_t CountInRange8u(const uint8_t* row, size_t n, uint8_t lower, uint8_t upper) {
    return RowCountInRange8u(row, n, lower, upper);
  }
  static uint64_t CountInRange32f(const float* row, size_t n, float lower, float upper) {
    return RowCountInRange32f(row, n, lower, upper);
  }
  using ValueCounter = HWY_NAMESPACE::ValueCounter;
  static NormSums NormSums8u(const uint8_t* first, const uint8_t* second, size_t n) {
    return RowNormSums(first, second, n);
  }
};

using Primitives = StatsPrimitives<Kernels>;

}  // namespace HWY_NAMESPACE
}  // namespace ryn::stats
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels.h"

namespace ryn::stats {
TargetKernels<Sum8uFn> Sum8uBuilds() { return RYN_HWY_KERNELS(Primitives::Sum8u); }
TargetKernels<Mean8uFn> Mean8uBuilds() { return RYN_HWY_KERNELS(Primitives::Mean8u); }
TargetKernels<MeanMasked8uFn> MeanMasked8uBuilds() { return RYN_HWY_KERNELS(Primitives::MeanMasked8u); }
TargetKernels<MeanStdDev8uFn> MeanStdDev8uBuilds() { return RYN_HWY_KERNELS(Primitives::MeanStdDev8u); }
TargetKernels<MeanStdDevMasked8uFn> MeanStdDevMasked8uBuilds() {
  return RYN_HWY_KERNELS(Primitives::MeanStdDevMasked8u);
}
TargetKernels<MinMax8uFn> MinMax8uBuilds() { return RYN_HWY_KERNELS(Primitives::MinMax8u); }
TargetKernels<Extreme32fFn> Max32fBuilds() { return RYN_HWY_KERNELS(Primitives::Max32f); }
TargetKernels<Extreme32fFn> Min32fBuilds() { return RYN_HWY_KERNELS(Primitives::Min32f); }
TargetKernels<CountInRange8uFn> CountInRange8uBuilds() { return RYN_HWY_KERNELS(Primitives::CountInRange8u); }
TargetKernels<CountInRange32fFn> CountInRange32fBuilds() { return RYN_HWY_KERNELS(Primitives::CountInRange32f); }
TargetKernels<HistogramEven8uFn> HistogramEven8uBuilds() { return RYN_HWY_KERNELS(Primitives::HistogramEven8u); }
TargetKernels<NormRelL2_8uFn> NormRelL2_8uBuilds() { return RYN_HWY_KERNELS(Primitives::NormRelL2_8u); }
}  // namespace ryn::stats
#endif
