// Processor builds of the kernel filter and box filter rows, compiled once per Highway target.
//
// Kernel filter: two kernel rows are handled together: the pixels of rows 2p and 2p + 1 are
// interleaved as 16-bit pairs and multiplied by the pair of 16-bit taps with one widening
// multiply-add, which gives exact 32-bit sums. The interleave and the final narrowing both work
// per 128-bit block, so together they leave the pixels in order.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/linear_filter_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <type_traits>

#include "primitives/filters/box_rows.h"
#include "primitives/filters/kernel_rows.h"
#include "primitives/filters/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D16 = hn::ScalableTag<int16_t>;
using D32 = hn::Repartition<int32_t, D16>;
using V32 = hn::Vec<D32>;

struct KeepSum {
  HWY_INLINE V32 operator()(V32 sum) const { return sum; }
};

struct HalfEvenShiftSum {
  int shift;
  HWY_INLINE V32 operator()(V32 sum) const {
    const D32 d;
    const V32 quotient = hn::ShiftRightSame(sum, shift);
    const V32 remainder = hn::And(sum, hn::Set(d, (1 << shift) - 1));
    const V32 bias = hn::Add(hn::Set(d, (1 << (shift - 1)) - 1), hn::And(quotient, hn::Set(d, 1)));
    return hn::Add(quotient, hn::ShiftRightSame(hn::Add(remainder, bias), shift));
  }
};

// Clamped to [0, 255], then rounded in the current (nearest) mode by adding 1.5 * 2^23, which
// leaves the integer in the low bits of the float: the generic conversion's result.
struct ScaleSum {
  float reciprocal;
  HWY_INLINE V32 operator()(V32 sum) const {
    const hn::Rebind<float, D32> df;
    const auto scaled = hn::Mul(hn::ConvertTo(df, sum), hn::Set(df, reciprocal));
    const auto clamped = hn::Min(hn::Max(scaled, hn::Zero(df)), hn::Set(df, 255.0f));
    const auto shifted = hn::BitCast(D32(), hn::Add(clamped, hn::Set(df, 12582912.0f)));
    return hn::Sub(shifted, hn::Set(D32(), 0x4B400000));
  }
};

template <class Divide>
HWY_INLINE void PairedKernelRow(const KernelRows& k, uint8_t* HWY_RESTRICT out, int width, Divide divide) {
  const D16 d16;
  const D32 d32;
  const hn::RebindToUnsigned<D32> du32;
  const hn::Rebind<uint8_t, D16> d8;
  const int pairs = (k.kernelHeight + 1) / 2;
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), hn::Lanes(d16),
      [&](size_t x) HWY_ATTR {
        V32 low = hn::Zero(d32);
        V32 high = hn::Zero(d32);
        V32 unused = hn::Zero(d32);
        for (int p = 0; p < pairs; ++p) {
          const uint8_t* first = k.rows[2 * p] + x;
          const uint8_t* second = k.rows[2 * p + 1] + x;
          const uint32_t* taps = k.pairedTaps + static_cast<ptrdiff_t>(p) * k.kernelWidth;
          for (int i = 0; i < k.kernelWidth; ++i) {
            const auto a = hn::PromoteTo(d16, hn::LoadU(d8, first - i));
            const auto b = hn::PromoteTo(d16, hn::LoadU(d8, second - i));
            const auto tapPair = hn::BitCast(d16, hn::Set(du32, taps[i]));
            low = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveLower(d16, a, b), tapPair, low, unused);
            high = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveUpper(d16, a, b), tapPair, high, unused);
          }
        }
        const auto packed = hn::ReorderDemote2To(d16, divide(low), divide(high));
        hn::StoreU(hn::DemoteTo(d8, packed), d8, out + x);
      },
      [&](size_t x) { out[x] = KernelPixel(k, static_cast<int>(x)); });
}

void KernelRow(const KernelRows& k, uint8_t* out, int width) {
  if (k.pairedTaps == nullptr) {
    for (int x = 0; x < width; ++x) out[x] = KernelPixel(k, x);
    return;
  }
  switch (k.division.kind) {
    case KernelDivision::Kind::kNone:
      return PairedKernelRow(k, out, width, KeepSum{});
    case KernelDivision::Kind::kHalfEvenShift:
      return PairedKernelRow(k, out, width, HalfEvenShiftSum{k.division.shift});
    case KernelDivision::Kind::kScale:
      return PairedKernelRow(k, out, width, ScaleSum{k.division.reciprocal});
  }
}

// ------------------------------------------------------------------------------------------
// Box filter rows

using DU16 = hn::ScalableTag<uint16_t>;
using DU32 = hn::ScalableTag<uint32_t>;
using DF32 = hn::ScalableTag<float>;

// Column sums are updated in place, so the ragged end is finished one column at a time.
template <class Sum>
HWY_INLINE void ColumnSums(Sum* HWY_RESTRICT sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
  const hn::ScalableTag<Sum> d;
  const hn::Rebind<uint8_t, decltype(d)> d8;
  const size_t lanes = hn::Lanes(d);
  size_t c = 0;
  if (leave != nullptr) {
    for (; c + lanes <= n; c += lanes) {
      const auto entering = hn::PromoteTo(d, hn::LoadU(d8, enter + c));
      const auto leaving = hn::PromoteTo(d, hn::LoadU(d8, leave + c));
      hn::StoreU(hn::Sub(hn::Add(hn::LoadU(d, sums + c), entering), leaving), d, sums + c);
    }
    for (; c < n; ++c) sums[c] = static_cast<Sum>(sums[c] + enter[c] - leave[c]);
  } else {
    for (; c + lanes <= n; c += lanes) {
      hn::StoreU(hn::Add(hn::LoadU(d, sums + c), hn::PromoteTo(d, hn::LoadU(d8, enter + c))), d, sums + c);
    }
    for (; c < n; ++c) sums[c] = static_cast<Sum>(sums[c] + enter[c]);
  }
}

void BoxColumns16(uint16_t* sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
  ColumnSums(sums, enter, leave, n);
}
void BoxColumns32(uint32_t* sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
  ColumnSums(sums, enter, leave, n);
}

// How the window sums of a row are formed. Sums wrap at the lane width; since every window sum
// fits, the wrapped partial sums still give it exactly.
//  - up to kDirectBoxMaskWidth columns: added directly;
//  - up to kSplitBoxMaskWidth columns: one pass sums f = floor(sqrt(mw)) columns, and the window
//    adds mw / f of those and the mw % f columns left over;
//  - wider: differences of prefix sums, so the cost no longer grows with the width.
constexpr int kDirectBoxMaskWidth = 5;
constexpr int kSplitBoxMaskWidth = 127;
constexpr int kMaxWindowTerms = 24;  // 11 + 10 for widths up to 127

template <class Sum>
struct WindowTerms {
  const Sum* terms[kMaxWindowTerms];  // window sum = sum of terms[t][x] ...
  int count;
  const Sum* prefix;  // ... or prefix[x + maskWidth] - prefix[x] when not null
  int maskWidth;
};

// Inclusive prefix sums, prefix[0] = 0 and prefix[c + 1] = prefix[c] + sums[c]. Each 128-bit
// block is scanned on its own; only the carry into the next block depends on the previous one.
template <class Sum>
HWY_INLINE void PrefixSums(const Sum* HWY_RESTRICT sums, size_t n, Sum* HWY_RESTRICT prefix) {
  const hn::Full128<Sum> d;
  constexpr size_t kLanes = 16 / sizeof(Sum);
  prefix[0] = 0;
  auto carry = hn::Zero(d);
  size_t c = 0;
  for (; c + kLanes <= n; c += kLanes) {
    auto v = hn::LoadU(d, sums + c);
    v = hn::Add(v, hn::ShiftLeftLanes<1>(d, v));
    v = hn::Add(v, hn::ShiftLeftLanes<2>(d, v));
    if constexpr (kLanes == 8) v = hn::Add(v, hn::ShiftLeftLanes<4>(d, v));
    hn::StoreU(hn::Add(v, carry), d, prefix + c + 1);
    carry = hn::Add(carry, hn::Broadcast<kLanes - 1>(v));
  }
  for (; c < n; ++c) prefix[c + 1] = static_cast<Sum>(prefix[c] + sums[c]);
}

template <class Sum>
HWY_INLINE WindowTerms<Sum> PrepareWindowSums(const Sum* window, int width, int maskWidth, Sum* scratch) {
  const hn::ScalableTag<Sum> d;
  const size_t n = static_cast<size_t>(width) + maskWidth - 1;
  WindowTerms<Sum> w{};
  w.maskWidth = maskWidth;
  if (maskWidth <= kDirectBoxMaskWidth) {
    for (int i = 0; i < maskWidth; ++i) w.terms[i] = window + i;
    w.count = maskWidth;
  } else if (maskWidth <= kSplitBoxMaskWidth) {
    int f = 1;
    while ((f + 1) * (f + 1) <= maskWidth) ++f;
    Sum* level = scratch;
    ForEachVectorOverlappingEnd(
        n - f + 1, hn::Lanes(d),
        [&](size_t c) HWY_ATTR {
          auto sum = hn::LoadU(d, window + c);
          for (int i = 1; i < f; ++i) sum = hn::Add(sum, hn::LoadU(d, window + c + i));
          hn::StoreU(sum, d, level + c);
        },
        [&](size_t c) {
          Sum sum = window[c];
          for (int i = 1; i < f; ++i) sum = static_cast<Sum>(sum + window[c + i]);
          level[c] = sum;
        });
    const int whole = maskWidth / f;
    for (int j = 0; j < whole; ++j) w.terms[w.count++] = level + j * f;
    for (int i = whole * f; i < maskWidth; ++i) w.terms[w.count++] = window + i;
  } else {
    PrefixSums(window, n, scratch);
    w.prefix = scratch;
  }
  return w;
}

template <class D, class Sum = hn::TFromD<D>>
HWY_INLINE hn::Vec<D> WindowSums(D d, const WindowTerms<Sum>& w, size_t x) {
  if (w.prefix != nullptr) return hn::Sub(hn::LoadU(d, w.prefix + x + w.maskWidth), hn::LoadU(d, w.prefix + x));
  auto sum = hn::LoadU(d, w.terms[0] + x);
  for (int t = 1; t < w.count; ++t) sum = hn::Add(sum, hn::LoadU(d, w.terms[t] + x));
  return sum;
}

template <class Sum>
HWY_INLINE uint8_t TailPixel(const Sum* window, const BoxRowJob& job, size_t x) {
  uint32_t sum = 0;
  for (int i = 0; i < job.maskWidth; ++i) sum += window[x + i];
  return FinishedPixel(sum, job.finish);
}

// Finishes of 16-bit window sums (at most 65535) that stay in 16-bit lanes: the product with
// the multiplier (at most 4096) as high and low halves.
struct Mean3x3 {  // (S * 29128) >> 18
  HWY_INLINE hn::Vec<DU16> operator()(hn::Vec<DU16> s) const {
    return hn::ShiftRight<2>(hn::MulHigh(s, hn::Set(DU16(), 29128)));
  }
};
struct Mean5x5 {  // (S * 20971 + 2^18) >> 19
  HWY_INLINE hn::Vec<DU16> operator()(hn::Vec<DU16> s) const {
    const DU16 d;
    return hn::ShiftRight<3>(hn::Add(hn::MulHigh(s, hn::Set(d, 20971)), hn::Set(d, 4)));
  }
};
struct Mean7x7 {  // (S * 5350 + 2^17) >> 18
  HWY_INLINE hn::Vec<DU16> operator()(hn::Vec<DU16> s) const {
    const DU16 d;
    return hn::ShiftRight<2>(hn::Add(hn::MulHigh(s, hn::Set(d, 5350)), hn::Set(d, 2)));
  }
};
// (S * m + 2^(shift - 1)) >> shift for shifts of 17 or more: the rounding bit lies above the low
// half, which can then be dropped.
struct MeanHighShift {
  uint16_t multiplier;
  int shift;
  HWY_INLINE hn::Vec<DU16> operator()(hn::Vec<DU16> s) const {
    const DU16 d;
    const auto high = hn::MulHigh(s, hn::Set(d, multiplier));
    return hn::ShiftRightSame(hn::Add(high, hn::Set(d, static_cast<uint16_t>(1u << (shift - 17)))), shift - 16);
  }
};
// Shifts of 16 or less: the quotient from both halves, plus the rounding bit.
struct MeanLowShift {
  uint16_t multiplier;
  int shift;
  HWY_INLINE hn::Vec<DU16> operator()(hn::Vec<DU16> s) const {
    const DU16 d;
    const auto m = hn::Set(d, multiplier);
    const auto high = hn::MulHigh(s, m);
    const auto low = hn::Mul(s, m);
    const auto quotient = shift == 16 ? high : hn::Or(hn::ShiftLeftSame(high, 16 - shift), hn::ShiftRightSame(low, shift));
    return hn::Add(quotient, hn::And(hn::ShiftRightSame(low, shift - 1), hn::Set(d, 1)));
  }
};

// Finishes on 32-bit lanes.
struct MeanReciprocal32 {  // sums up to 255 * 8100: split so that no product leaves 32 bits
  uint32_t multiplier, rounding;
  int shift;
  HWY_INLINE V32 operator()(V32 s) const {
    const D32 d;
    const auto m = hn::Set(d, static_cast<int32_t>(multiplier));
    const auto high = hn::Mul(hn::ShiftRight<4>(s), m);
    const auto low = hn::ShiftRight<4>(hn::Add(hn::Mul(hn::And(s, hn::Set(d, 15)), m),
                                                hn::Set(d, static_cast<int32_t>(rounding))));
    return hn::ShiftRightSame(hn::Add(high, low), shift - 4);
  }
};
template <class Divide>
struct KernelOfEqualTaps {
  int32_t tap;
  Divide divide;
  HWY_INLINE V32 operator()(V32 s) const { return divide(tap == 1 ? s : hn::Mul(s, hn::Set(D32(), tap))); }
};

template <class Finish>
constexpr bool kFinishes16 = std::is_same_v<Finish, Mean3x3> || std::is_same_v<Finish, Mean5x5> ||
                             std::is_same_v<Finish, Mean7x7> || std::is_same_v<Finish, MeanHighShift> ||
                             std::is_same_v<Finish, MeanLowShift>;

template <class Finish>
HWY_INLINE void BoxRow16With(const uint16_t* window, const BoxRowJob& job, uint8_t* HWY_RESTRICT out, int width,
                             Finish finish) {
  const DU16 d;
  const hn::Rebind<uint8_t, DU16> d8;
  const D32 d32;
  const size_t lanes = hn::Lanes(d);
  const auto w = PrepareWindowSums(window, width, job.maskWidth, static_cast<uint16_t*>(job.prefix));
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), lanes,
      [&](size_t x) HWY_ATTR {
        const auto sums = WindowSums(d, w, x);
        if constexpr (kFinishes16<Finish>) {
          hn::StoreU(hn::DemoteTo(d8, hn::BitCast(D16(), finish(sums))), d8, out + x);
        } else {
          // Widening by interleaving with zero and the per-block pack keep the pixels in order.
          const auto zero = hn::Zero(d);
          const auto low = finish(hn::BitCast(d32, hn::InterleaveLower(d, sums, zero)));
          const auto high = finish(hn::BitCast(d32, hn::InterleaveUpper(d, sums, zero)));
          hn::StoreU(hn::DemoteTo(d8, hn::ReorderDemote2To(D16(), low, high)), d8, out + x);
        }
      },
      [&](size_t x) { out[x] = TailPixel(window, job, x); });
}

template <class Finish>
HWY_INLINE void BoxRow32With(const uint32_t* window, const BoxRowJob& job, uint8_t* HWY_RESTRICT out, int width,
                             Finish finish) {
  const DU32 d;
  const D32 d32;
  const hn::Rebind<uint8_t, D32> d8Quarter;
  const auto w = PrepareWindowSums(window, width, job.maskWidth, static_cast<uint32_t*>(job.prefix));
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), hn::Lanes(d),
      [&](size_t x) HWY_ATTR {
        hn::StoreU(hn::DemoteTo(d8Quarter, finish(hn::BitCast(d32, WindowSums(d, w, x)))), d8Quarter, out + x);
      },
      [&](size_t x) { out[x] = TailPixel(window, job, x); });
}

// Calls row(finish) with the finish functor of f; `generalMean` is the finish of a mean with a
// general mask.
template <class Row, class GeneralMean>
HWY_INLINE void WithFinish(const BoxFinish& f, Row row, GeneralMean generalMean) {
  switch (f.kind) {
    case BoxFinish::Kind::kMean3x3:
      return row(Mean3x3{});
    case BoxFinish::Kind::kMean5x5:
      return row(Mean5x5{});
    case BoxFinish::Kind::kMean7x7:
      return row(Mean7x7{});
    case BoxFinish::Kind::kMeanReciprocal:
      return generalMean();
    case BoxFinish::Kind::kKernel:
      switch (f.division.kind) {
        case KernelDivision::Kind::kNone:
          return row(KernelOfEqualTaps<KeepSum>{f.tap, KeepSum{}});
        case KernelDivision::Kind::kHalfEvenShift:
          return row(KernelOfEqualTaps<HalfEvenShiftSum>{f.tap, HalfEvenShiftSum{f.division.shift}});
        case KernelDivision::Kind::kScale:
          return row(KernelOfEqualTaps<ScaleSum>{f.tap, ScaleSum{f.division.reciprocal}});
      }
  }
}

void BoxRow16(const uint16_t* window, const BoxRowJob& job, uint8_t* out, int width) {
  const BoxFinish& f = job.finish;
  const auto row = [&](auto finish) HWY_ATTR { BoxRow16With(window, job, out, width, finish); };
  WithFinish(f, row, [&]() HWY_ATTR {
    const auto multiplier = static_cast<uint16_t>(f.multiplier);
    if (f.shift >= 17) return row(MeanHighShift{multiplier, f.shift});
    row(MeanLowShift{multiplier, f.shift});
  });
}

void BoxRow32(const uint32_t* window, const BoxRowJob& job, uint8_t* out, int width) {
  const BoxFinish& f = job.finish;
  // Masks with 32-bit sums are general masks of more than 257 pixels.
  const auto row = [&](auto finish) HWY_ATTR {
    if constexpr (!kFinishes16<decltype(finish)>) BoxRow32With(window, job, out, width, finish);
  };
  WithFinish(f, row, [&]() HWY_ATTR { row(MeanReciprocal32{f.multiplier, f.rounding, f.shift}); });
}

void BoxColumnsDirect32f(float* sums, const float* const* rows, int count, size_t n) {
  const DF32 d;
  ForEachVectorOverlappingEnd(
      n, hn::Lanes(d),
      [&](size_t c) HWY_ATTR {
        auto sum = hn::LoadU(d, rows[0] + c);
        for (int r = 1; r < count; ++r) sum = hn::Add(sum, hn::LoadU(d, rows[r] + c));
        hn::StoreU(sum, d, sums + c);
      },
      [&](size_t c) {
        float sum = rows[0][c];
        for (int r = 1; r < count; ++r) sum += rows[r][c];
        sums[c] = sum;
      });
}

void BoxColumnsUpdate32f(float* sums, const float* enter, const float* leave, size_t n) {
  const DF32 d;
  const size_t lanes = hn::Lanes(d);
  size_t c = 0;
  for (; c + lanes <= n; c += lanes) {
    const auto sum = hn::Add(hn::LoadU(d, sums + c), hn::LoadU(d, enter + c));
    hn::StoreU(hn::Sub(sum, hn::LoadU(d, leave + c)), d, sums + c);
  }
  for (; c < n; ++c) sums[c] = (sums[c] + enter[c]) - leave[c];
}

void BoxRow32f(const float* window, int maskWidth, float reciprocal, float* out, int width) {
  if (maskWidth > kDirectFloatMaskWidth) return RunningRow32f(window, maskWidth, reciprocal, out, width);
  const DF32 d;
  const auto scale = hn::Set(d, reciprocal);
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), hn::Lanes(d),
      [&](size_t x) HWY_ATTR {
        auto sum = hn::LoadU(d, window + x);
        for (int i = 1; i < maskWidth; ++i) sum = hn::Add(sum, hn::LoadU(d, window + x + i));
        hn::StoreU(hn::Mul(sum, scale), d, out + x);
      },
      [&](size_t x) {
        float sum = window[x];
        for (int i = 1; i < maskWidth; ++i) sum += window[x + i];
        out[x] = sum * reciprocal;
      });
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels_legacy.h"

namespace ryn::filters {
TargetKernels<KernelRowFn> KernelRowBuilds() { return RYN_HWY_KERNELS(KernelRow); }
TargetKernels<BoxColumns16Fn> BoxColumns16Builds() { return RYN_HWY_KERNELS(BoxColumns16); }
TargetKernels<BoxColumns32Fn> BoxColumns32Builds() { return RYN_HWY_KERNELS(BoxColumns32); }
TargetKernels<BoxRow16Fn> BoxRow16Builds() { return RYN_HWY_KERNELS(BoxRow16); }
TargetKernels<BoxRow32Fn> BoxRow32Builds() { return RYN_HWY_KERNELS(BoxRow32); }
TargetKernels<BoxColumnsDirect32fFn> BoxColumnsDirect32fBuilds() { return RYN_HWY_KERNELS(BoxColumnsDirect32f); }
TargetKernels<BoxColumnsUpdate32fFn> BoxColumnsUpdate32fBuilds() { return RYN_HWY_KERNELS(BoxColumnsUpdate32f); }
TargetKernels<BoxRow32fFn> BoxRow32fBuilds() { return RYN_HWY_KERNELS(BoxRow32f); }
}  // namespace ryn::filters
#endif
