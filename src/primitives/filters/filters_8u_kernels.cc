// Processor builds of the 8-bit filters (box mean, fixed Gaussians and high-pass, integer
// kernel), compiled once per Highway target, and the dispatched operations that bind them.
// Output rows are stored through ForEachVectorAlignedOverlapping (outputs never depend on the
// destination: in place, the filters read saved rows); every integer sum equals the generic one
// exactly.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/filters_8u_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/vector_loops-inl.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/box_rules.h"
#include "primitives/filters/filters_checks.h"
#include "primitives/filters/fixed_filters.h"
#include "primitives/filters/fixed_rules.h"
#include "primitives/filters/kernel_filter.h"
#include "primitives/filters/kernel_rules.h"
#include "primitives/filters/round_to_nearest.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAlignedOverlapping;
using ryn::HWY_NAMESPACE::StoreVector;

using DU16 = hn::ScalableTag<uint16_t>;
using DI16 = hn::RebindToSigned<DU16>;
using DU32 = hn::Repartition<uint32_t, DU16>;
using DI32 = hn::Repartition<int32_t, DU16>;
using D8 = hn::Rebind<uint8_t, DU16>;         // one byte per 16-bit lane
using D8Quarter = hn::Rebind<uint8_t, DI32>;  // one byte per 32-bit lane
using VI32 = hn::Vec<DI32>;

// ------------------------------------------------------------------------------------------
// Integer kernel: two kernel rows are handled together. The pixels of rows 2p and 2p + 1 are
// interleaved as 16-bit pairs and multiplied by the pair of 16-bit taps with one widening
// multiply-add, which gives exact 32-bit sums. The interleave and the final narrowing both work
// per 128-bit block, so together they leave the pixels in order.

struct KeepSum {
  HWY_INLINE VI32 operator()(VI32 sum) const { return sum; }
};

struct HalfEvenShiftSum {
  int shift;
  HWY_INLINE VI32 operator()(VI32 sum) const {
    const DI32 d;
    const VI32 quotient = hn::ShiftRightSame(sum, shift);
    const VI32 remainder = hn::And(sum, hn::Set(d, (1 << shift) - 1));
    const VI32 bias = hn::Add(hn::Set(d, (1 << (shift - 1)) - 1), hn::And(quotient, hn::Set(d, 1)));
    return hn::Add(quotient, hn::ShiftRightSame(hn::Add(remainder, bias), shift));
  }
};

// Clamped to [0, 255], then rounded in the current (nearest) mode by adding 1.5 * 2^23, which
// leaves the integer in the low bits of the float: the generic conversion's result.
struct ScaleSum {
  float reciprocal;
  HWY_INLINE VI32 operator()(VI32 sum) const {
    const hn::Rebind<float, DI32> df;
    const auto scaled = hn::Mul(hn::ConvertTo(df, sum), hn::Set(df, reciprocal));
    const auto clamped = hn::Min(hn::Max(scaled, hn::Zero(df)), hn::Set(df, 255.0f));
    const auto shifted = hn::BitCast(DI32(), hn::Add(clamped, hn::Set(df, 12582912.0f)));
    return hn::Sub(shifted, hn::Set(DI32(), 0x4B400000));
  }
};

template <class Divide>
HWY_INLINE void PairedKernelRow(const KernelRows& k, uint8_t* HWY_RESTRICT out, int width, Divide divide) {
  const DI16 d16;
  const DI32 d32;
  const DU32 du32;
  const D8 d8;
  const int pairs = (k.kernelHeight + 1) / 2;
  ForEachVectorAlignedOverlapping(
      d8, out, static_cast<size_t>(width),
      [&](size_t x, auto aligned) HWY_ATTR {
        VI32 low = hn::Zero(d32);
        VI32 high = hn::Zero(d32);
        VI32 unused = hn::Zero(d32);
        for (int p = 0; p < pairs; ++p) {
          const uint8_t* first = k.rows[2 * p] + x;
          const uint8_t* second = k.rows[2 * p + 1] + x;
          const uint32_t* taps = k.pairedTaps + static_cast<ptrdiff_t>(p) * k.kernelWidth;
          for (int i = 0; i < k.kernelWidth; ++i) {
            const auto a = hn::BitCast(d16, hn::PromoteTo(DU16(), hn::LoadU(d8, first - i)));
            const auto b = hn::BitCast(d16, hn::PromoteTo(DU16(), hn::LoadU(d8, second - i)));
            const auto tapPair = hn::BitCast(d16, hn::Set(du32, taps[i]));
            low = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveLower(d16, a, b), tapPair, low, unused);
            high = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveUpper(d16, a, b), tapPair, high, unused);
          }
        }
        const auto packed = hn::ReorderDemote2To(d16, divide(low), divide(high));
        StoreVector(aligned, hn::DemoteTo(d8, packed), d8, out + x);
      },
      [&](size_t x) HWY_ATTR { out[x] = KernelPixel(k, static_cast<int>(x)); });
}

HWY_INLINE void KernelRow(const KernelRows& k, uint8_t* out, int width) {
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
// Box mean rows

// Column sums are updated in place.
template <class Sum>
HWY_INLINE void AddColumnSums(Sum* HWY_RESTRICT sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
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

// level[c] = window[c] + ... + window[c + f - 1] for c < count, two vectors per walk over the
// f columns. The level is the row kernel's own scratch, so its last vector may overlap.
template <class D, class Sum = hn::TFromD<D>>
HWY_INLINE void SumsOfRuns(D d, const Sum* HWY_RESTRICT window, size_t count, int f, Sum* HWY_RESTRICT level) {
  const size_t lanes = hn::Lanes(d);
  const auto sumsAt = [&](size_t c) HWY_ATTR {
    auto sum = hn::LoadU(d, window + c);
    for (int i = 1; i < f; ++i) sum = hn::Add(sum, hn::LoadU(d, window + c + i));
    return sum;
  };
  size_t c = 0;
  for (; c + 2 * lanes <= count; c += 2 * lanes) {
    auto first = hn::LoadU(d, window + c);
    auto second = hn::LoadU(d, window + c + lanes);
    for (int i = 1; i < f; ++i) {
      first = hn::Add(first, hn::LoadU(d, window + c + i));
      second = hn::Add(second, hn::LoadU(d, window + c + lanes + i));
    }
    hn::StoreU(first, d, level + c);
    hn::StoreU(second, d, level + c + lanes);
  }
  if (c + lanes <= count) {
    hn::StoreU(sumsAt(c), d, level + c);
    c += lanes;
  }
  if (c < count && count >= lanes) {
    hn::StoreU(sumsAt(count - lanes), d, level + count - lanes);
    return;
  }
  for (; c < count; ++c) {
    Sum sum = window[c];
    for (int i = 1; i < f; ++i) sum = static_cast<Sum>(sum + window[c + i]);
    level[c] = sum;
  }
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
    SumsOfRuns(d, window, n - f + 1, f, level);
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

// The window sums of K consecutive vectors from x: the walk over the terms serves them all.
template <size_t K, class D, class Sum = hn::TFromD<D>>
HWY_INLINE void WindowSumsAt(D d, const WindowTerms<Sum>& w, size_t x, hn::Vec<D> (&sums)[K]) {
  const size_t lanes = hn::Lanes(d);
  if (w.prefix != nullptr) {
    for (size_t k = 0; k < K; ++k) {
      const Sum* at = w.prefix + x + k * lanes;
      sums[k] = hn::Sub(hn::LoadU(d, at + w.maskWidth), hn::LoadU(d, at));
    }
    return;
  }
  for (size_t k = 0; k < K; ++k) sums[k] = hn::LoadU(d, w.terms[0] + x + k * lanes);
  for (int t = 1; t < w.count; ++t) {
    const Sum* term = w.terms[t] + x;
    for (size_t k = 0; k < K; ++k) sums[k] = hn::Add(sums[k], hn::LoadU(d, term + k * lanes));
  }
}

// Output rows in whole byte vectors: pixels(x, halves) fills K half vectors (the pixels of K
// vectors of 16-bit lanes from x). Rows of at least a byte vector take two halves per step, so
// that one walk over the window terms serves twice the pixels and the stores are whole vectors.
template <class Pixels, class Tail>
HWY_INLINE void ForEachOutputVector(uint8_t* HWY_RESTRICT out, int width, Pixels pixels, Tail tail) {
  const D8 half;
  const hn::Repartition<uint8_t, DU16> full;
  const auto n = static_cast<size_t>(width);
  if (n < hn::Lanes(full)) {
    ForEachVectorAlignedOverlapping(
        half, out, n,
        [&](size_t x, auto aligned) HWY_ATTR {
          hn::Vec<D8> one[1];
          pixels(x, one);
          StoreVector(aligned, one[0], half, out + x);
        },
        tail);
    return;
  }
  ForEachVectorAlignedOverlapping(
      full, out, n,
      [&](size_t x, auto aligned) HWY_ATTR {
        hn::Vec<D8> two[2];
        pixels(x, two);
        StoreVector(aligned, hn::Combine(full, two[1], two[0]), full, out + x);
      },
      tail);
}

template <class Halves>
constexpr size_t kHalvesOf = std::extent_v<std::remove_reference_t<Halves>>;

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
    const auto quotient =
        shift == 16 ? high : hn::Or(hn::ShiftLeftSame(high, 16 - shift), hn::ShiftRightSame(low, shift));
    return hn::Add(quotient, hn::And(hn::ShiftRightSame(low, shift - 1), hn::Set(d, 1)));
  }
};

// Finishes on 32-bit lanes.
struct MeanReciprocal32 {  // sums up to 255 * 8100: split so that no product leaves 32 bits
  uint32_t multiplier, rounding;
  int shift;
  HWY_INLINE VI32 operator()(VI32 s) const {
    const DI32 d;
    const auto m = hn::Set(d, static_cast<int32_t>(multiplier));
    const auto high = hn::Mul(hn::ShiftRight<4>(s), m);
    const auto low = hn::ShiftRight<4>(
        hn::Add(hn::Mul(hn::And(s, hn::Set(d, 15)), m), hn::Set(d, static_cast<int32_t>(rounding))));
    return hn::ShiftRightSame(hn::Add(high, low), shift - 4);
  }
};
template <class Divide>
struct KernelOfEqualTaps {
  int32_t tap;
  Divide divide;
  HWY_INLINE VI32 operator()(VI32 s) const { return divide(tap == 1 ? s : hn::Mul(s, hn::Set(DI32(), tap))); }
};

template <class Finish>
constexpr bool kFinishes16 = std::is_same_v<Finish, Mean3x3> || std::is_same_v<Finish, Mean5x5> ||
                             std::is_same_v<Finish, Mean7x7> || std::is_same_v<Finish, MeanHighShift> ||
                             std::is_same_v<Finish, MeanLowShift>;

// The pixels of one vector of 16-bit window sums.
template <class Finish>
HWY_INLINE hn::Vec<D8> PixelsOfSums16(hn::Vec<DU16> sums, Finish finish) {
  if constexpr (kFinishes16<Finish>) {
    return hn::DemoteTo(D8(), hn::BitCast(DI16(), finish(sums)));
  } else {
    // Widening by interleaving with zero and the per-block pack keep the pixels in order.
    const DU16 d;
    const DI32 d32;
    const auto zero = hn::Zero(d);
    const auto low = finish(hn::BitCast(d32, hn::InterleaveLower(d, sums, zero)));
    const auto high = finish(hn::BitCast(d32, hn::InterleaveUpper(d, sums, zero)));
    return hn::DemoteTo(D8(), hn::ReorderDemote2To(DI16(), low, high));
  }
}

template <class Finish>
HWY_INLINE void BoxRow16With(const uint16_t* window, const BoxRowJob& job, uint8_t* HWY_RESTRICT out, int width,
                             Finish finish) {
  const DU16 d;
  const auto w = PrepareWindowSums(window, width, job.maskWidth, static_cast<uint16_t*>(job.scratch));
  ForEachOutputVector(
      out, width,
      [&](size_t x, auto& pixels) HWY_ATTR {
        constexpr size_t K = kHalvesOf<decltype(pixels)>;
        hn::Vec<DU16> sums[K];
        WindowSumsAt<K>(d, w, x, sums);
        for (size_t k = 0; k < K; ++k) pixels[k] = PixelsOfSums16(sums[k], finish);
      },
      [&](size_t x) HWY_ATTR { out[x] = TailPixel(window, job, x); });
}

template <class Finish>
HWY_INLINE void BoxRow32With(const uint32_t* window, const BoxRowJob& job, uint8_t* HWY_RESTRICT out, int width,
                             Finish finish) {
  const DU32 d;
  const DI32 d32;
  const D8Quarter d8;
  const auto w = PrepareWindowSums(window, width, job.maskWidth, static_cast<uint32_t*>(job.scratch));
  ForEachVectorAlignedOverlapping(
      d8, out, static_cast<size_t>(width),
      [&](size_t x, auto aligned) HWY_ATTR {
        StoreVector(aligned, hn::DemoteTo(d8, finish(hn::BitCast(d32, WindowSums(d, w, x)))), d8, out + x);
      },
      [&](size_t x) HWY_ATTR { out[x] = TailPixel(window, job, x); });
}

// Window sums as a few terms of level sums over 16-bit column sums. Level q (a power of two)
// holds the sums of q consecutive column sums, built by doubling while they fit 16 bits; a window
// is whole top-level terms plus its remainder. Windows of more than 257 pixels add their terms in
// 16-bit lanes that wrap and count the wraps (carries of the adds, borrows of the subtractions,
// which come last): S = low + 65536 * count, exactly.
constexpr int kMaxLevelTerms = kWideWindowMaxWidth + 8;

struct LevelTerm {
  const uint16_t* level;  // at the term's offset
  bool subtract;
};

struct LevelPlan {
  LevelTerm terms[kMaxLevelTerms];
  int count = 0;
};

// `columns` consecutive columns from `offset` as terms of the levels 2^topLevel, ..., 2, 1.
HWY_INLINE void AddLevelTerms(LevelPlan& plan, const uint16_t* const* levels, int topLevel, int columns, int offset,
                              bool subtract) {
  for (int k = topLevel; k >= 0; --k) {
    for (; columns >= (1 << k); columns -= 1 << k, offset += 1 << k) {
      plan.terms[plan.count++] = LevelTerm{levels[k] + offset, subtract};
    }
  }
}

HWY_INLINE int BinaryTermCount(int columns, int top) {
  return columns / top + std::popcount(static_cast<unsigned>(columns % top));
}

// Whether the remainder of a window over levels up to `top` takes fewer terms in smaller levels
// than as one more top-level term minus the overlap.
HWY_INLINE bool RemainderInSmallerLevels(int rest, int top) {
  return BinaryTermCount(rest, top) <= 1 + BinaryTermCount(top - rest, top);
}

// The number of terms PlanTerms gives, without planning them.
HWY_INLINE int PlannedTermCount(int topLevel, int mw) {
  const int top = 1 << topLevel;
  const int whole = mw / top, rest = mw % top;
  if (rest == 0) return whole;
  if (RemainderInSmallerLevels(rest, top)) return whole + BinaryTermCount(rest, top);
  return whole + 1 + BinaryTermCount(top - rest, top);
}

// The terms of a window over levels up to 2^topLevel: whole top-level terms, then the remainder
// either in smaller levels or as one more top-level term ending at the window's end minus the
// overlap, whichever takes fewer terms.
HWY_INLINE LevelPlan PlanTerms(const uint16_t* const* levels, int topLevel, int mw) {
  const int top = 1 << topLevel;
  LevelPlan plan;
  const int whole = mw / top, rest = mw % top;
  for (int j = 0; j < whole; ++j) AddLevelTerms(plan, levels, topLevel, top, j * top, false);
  if (rest != 0) {
    if (RemainderInSmallerLevels(rest, top)) {
      AddLevelTerms(plan, levels, topLevel, rest, whole * top, false);
    } else {
      AddLevelTerms(plan, levels, topLevel, top, mw - top, false);
      AddLevelTerms(plan, levels, topLevel, top - rest, mw - top, true);
    }
  }
  return plan;
}

// Chooses the top level by cost: each level is one more pass over the row (about 1.5 times the
// cost of a term), each term beyond the first one more vector add per output (two more when the
// wraps are counted). Then builds the levels in the job's scratch and plans the window.
HWY_INLINE LevelPlan PlanLevels(const uint16_t* window, const BoxRowJob& job, int width, bool countWraps) {
  const DU16 d;
  const int mw = job.maskWidth;
  const int64_t columnMax = 255 * int64_t{job.maskHeight};
  int fittingLevels = 0;
  while (fittingLevels < kBoxScratchRows && (2 << fittingLevels) <= mw && (2 << fittingLevels) * columnMax <= 0xFFFF) {
    ++fittingLevels;
  }
  int topLevel = 0;
  int bestCost = std::numeric_limits<int>::max();
  for (int k = 0; k <= fittingLevels; ++k) {
    const int cost = 3 * k + (countWraps ? 6 : 2) * (PlannedTermCount(k, mw) - 1);
    if (cost < bestCost) bestCost = cost, topLevel = k;
  }
  const size_t n = static_cast<size_t>(width) + mw - 1;
  const uint16_t* levels[kBoxScratchRows + 1] = {window};
  for (int k = 1; k <= topLevel; ++k) {
    const uint16_t* below = levels[k - 1];
    uint16_t* level = static_cast<uint16_t*>(job.scratch) + (k - 1) * job.scratchStride;
    const size_t half = size_t{1} << (k - 1);
    ForEachVectorAlignedOverlapping(
        d, level, n - (size_t{1} << k) + 1,
        [&](size_t c, auto aligned) HWY_ATTR {
          StoreVector(aligned, hn::Add(hn::LoadU(d, below + c), hn::LoadU(d, below + c + half)), d, level + c);
        },
        [&](size_t c) HWY_ATTR { level[c] = static_cast<uint16_t>(below[c] + below[c + half]); });
    levels[k] = level;
  }
  return PlanTerms(levels, topLevel, mw);
}

// The window sums of K consecutive vectors from x: their 16-bit low halves and, when
// kCountWraps, their counts of 65536.
template <bool kCountWraps, size_t K>
HWY_INLINE void LevelSums(const LevelPlan& plan, size_t x, hn::Vec<DU16> (&low)[K], hn::Vec<DU16> (&count)[K]) {
  const DU16 d;
  const size_t lanes = hn::Lanes(d);
  for (size_t k = 0; k < K; ++k) {
    low[k] = hn::LoadU(d, plan.terms[0].level + x + k * lanes);
    count[k] = hn::Zero(d);
  }
  for (int t = 1; t < plan.count; ++t) {
    const uint16_t* level = plan.terms[t].level + x;
    const bool subtract = plan.terms[t].subtract;
    for (size_t k = 0; k < K; ++k) {
      const auto term = hn::LoadU(d, level + k * lanes);
      if (subtract) {
        if constexpr (kCountWraps) count[k] = hn::Add(count[k], hn::VecFromMask(d, hn::Lt(low[k], term)));
        low[k] = hn::Sub(low[k], term);
      } else {
        low[k] = hn::Add(low[k], term);
        if constexpr (kCountWraps) count[k] = hn::Sub(count[k], hn::VecFromMask(d, hn::Lt(low[k], term)));
      }
    }
  }
}

// (S * m + r) >> shift in 16-bit lanes, for means whose r is a multiple of 65536 and whose
// S * m + r stays below 2^32: the high half of that sum is MulHigh(low, m) + count * m + r / 65536
// (the low half of low * m carries nothing into it), and the mean is that shifted.
struct WideMean16 {
  uint16_t multiplier;
  uint16_t roundingHigh;
  int shift;
  HWY_INLINE hn::Vec<DU16> operator()(hn::Vec<DU16> low, hn::Vec<DU16> count) const {
    const DU16 d;
    const auto m = hn::Set(d, multiplier);
    const auto high = hn::Add(hn::Add(hn::MulHigh(low, m), hn::Mul(count, m)), hn::Set(d, roundingHigh));
    return hn::ShiftRightSame(high, shift - 16);
  }
};

HWY_INLINE bool FitsWideMean16(const BoxFinish& f, int64_t area) {
  return f.kind == BoxFinish::Kind::kMeanReciprocal && f.shift >= 17 && f.multiplier <= 0xFFFF &&
         255 * area * f.multiplier + f.rounding <= 0xFFFFFFFFu;
}

template <class Finish>
HWY_INLINE hn::Vec<D8> PixelsOfWrappedSums(hn::Vec<DU16> low, hn::Vec<DU16> count, Finish finish) {
  if constexpr (std::is_same_v<Finish, WideMean16>) {
    return hn::DemoteTo(D8(), hn::BitCast(DI16(), finish(low, count)));
  } else if constexpr (kFinishes16<Finish>) {
    return hn::DemoteTo(D8(), hn::BitCast(DI16(), finish(low)));
  } else {
    // Interleaving the low halves with the counts makes the 32-bit sums; the per-block pack puts
    // the pixels back in order.
    const DU16 d;
    const DI32 d32;
    const auto lower = finish(hn::BitCast(d32, hn::InterleaveLower(d, low, count)));
    const auto upper = finish(hn::BitCast(d32, hn::InterleaveUpper(d, low, count)));
    return hn::DemoteTo(D8(), hn::ReorderDemote2To(DI16(), lower, upper));
  }
}

template <bool kCountWraps, class Finish>
HWY_INLINE void PlannedBoxRow(const LevelPlan& plan, const uint16_t* window, const BoxRowJob& job,
                              uint8_t* HWY_RESTRICT out, int width, Finish finish) {
  ForEachOutputVector(
      out, width,
      [&](size_t x, auto& pixels) HWY_ATTR {
        constexpr size_t K = kHalvesOf<decltype(pixels)>;
        hn::Vec<DU16> low[K], count[K];
        LevelSums<kCountWraps>(plan, x, low, count);
        for (size_t k = 0; k < K; ++k) pixels[k] = PixelsOfWrappedSums(low[k], count[k], finish);
      },
      [&](size_t x) HWY_ATTR { out[x] = TailPixel(window, job, x); });
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
    case BoxFinish::Kind::kLargeMean:
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

// Windows whose sums fit 16 bits: the direct, split or prefix sums of PrepareWindowSums; wider
// ones: level terms counting their wraps.
HWY_INLINE void BoxRow(const uint16_t* window, const BoxRowJob& job, uint8_t* out, int width) {
  const BoxFinish& f = job.finish;
  const int64_t area = int64_t{job.maskWidth} * job.maskHeight;
  const auto generalMean16 = [&](auto row) HWY_ATTR {
    const auto multiplier = static_cast<uint16_t>(f.multiplier);
    if (f.shift >= 17) return row(MeanHighShift{multiplier, f.shift});
    row(MeanLowShift{multiplier, f.shift});
  };
  if (255 * area > 0xFFFF) {
    const LevelPlan plan = PlanLevels(window, job, width, true);
    if (FitsWideMean16(f, area)) {
      return PlannedBoxRow<true>(plan, window, job, out, width,
                                 WideMean16{static_cast<uint16_t>(f.multiplier),
                                            static_cast<uint16_t>(f.rounding >> 16), f.shift});
    }
    const auto row = [&](auto finish) HWY_ATTR {
      if constexpr (!kFinishes16<decltype(finish)>) PlannedBoxRow<true>(plan, window, job, out, width, finish);
    };
    return WithFinish(f, row, [&]() HWY_ATTR { row(MeanReciprocal32{f.multiplier, f.rounding, f.shift}); });
  }
  const auto row = [&](auto finish) HWY_ATTR { BoxRow16With(window, job, out, width, finish); };
  WithFinish(f, row, [&]() HWY_ATTR { generalMean16(row); });
}

HWY_INLINE void BoxRow(const uint32_t* window, const BoxRowJob& job, uint8_t* out, int width) {
  const BoxFinish& f = job.finish;
  // Masks with 32-bit sums are general masks of more than 257 pixels.
  const auto row = [&](auto finish) HWY_ATTR {
    if constexpr (!kFinishes16<decltype(finish)>) BoxRow32With(window, job, out, width, finish);
  };
  WithFinish(f, row, [&]() HWY_ATTR { row(MeanReciprocal32{f.multiplier, f.rounding, f.shift}); });
}

// ------------------------------------------------------------------------------------------
// Fixed filters: a vertical pass over the source rows into 16-bit column values, then a
// horizontal pass.

HWY_INLINE hn::Vec<DU16> Load8(const uint8_t* p) { return hn::PromoteTo(DU16(), hn::LoadU(D8(), p)); }

// Column t of the scratch rows is source column t - radius.
HWY_INLINE const uint8_t* At(const uint8_t* row, size_t t, int radius) {
  return row + static_cast<ptrdiff_t>(t) - radius;
}

HWY_INLINE void Gauss3Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  const DU16 d;
  const D8 d8;
  ForEachVectorAlignedOverlapping(
      d, scratch, static_cast<size_t>(width) + 2,
      [&](size_t t, auto aligned) HWY_ATTR {
        const auto sum = hn::Add(hn::Add(Load8(At(rows[0], t, 1)), Load8(At(rows[2], t, 1))),
                                 hn::ShiftLeft<1>(Load8(At(rows[1], t, 1))));
        StoreVector(aligned, sum, d, scratch + t);
      },
      [&](size_t t) HWY_ATTR {
        scratch[t] = static_cast<uint16_t>(*At(rows[0], t, 1) + 2 * *At(rows[1], t, 1) + *At(rows[2], t, 1));
      });
  ForEachVectorAlignedOverlapping(
      d8, out, static_cast<size_t>(width),
      [&](size_t x, auto aligned) HWY_ATTR {
        const auto sum = hn::Add(hn::Add(hn::LoadU(d, scratch + x), hn::LoadU(d, scratch + x + 2)),
                                 hn::ShiftLeft<1>(hn::LoadU(d, scratch + x + 1)));
        const auto odd = hn::And(hn::ShiftRight<4>(sum), hn::Set(d, 1));
        const auto rounded = hn::ShiftRight<4>(hn::Add(hn::Add(sum, hn::Set(d, 7)), odd));
        StoreVector(aligned, hn::DemoteTo(d8, hn::BitCast(DI16(), rounded)), d8, out + x);
      },
      [&](size_t x) HWY_ATTR { out[x] = Gauss3Pixel(rows, static_cast<int>(x)); });
}

// Columns weighted for the outer (2 7 12 7 2), middle (7 31 52 31 7) and centre
// (12 52 127 52 12) kernel columns; each fits 16 bits.
HWY_INLINE void Gauss5Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  const DU16 d;
  const D8 d8;
  const int64_t stride = FixedScratchStride(width);
  uint16_t* outer = scratch;
  uint16_t* middle = scratch + stride;
  uint16_t* centre = scratch + 2 * stride;
  ForEachVectorAlignedOverlapping(
      d, outer, static_cast<size_t>(width) + 4,
      [&](size_t t, auto aligned) HWY_ATTR {
        const auto o = hn::Add(Load8(At(rows[0], t, 2)), Load8(At(rows[4], t, 2)));
        const auto m = hn::Add(Load8(At(rows[1], t, 2)), Load8(At(rows[3], t, 2)));
        const auto c = Load8(At(rows[2], t, 2));
        const auto weighted = [&](int wo, int wm, int wc) HWY_ATTR {
          return hn::Add(hn::Add(hn::Mul(o, hn::Set(d, wo)), hn::Mul(m, hn::Set(d, wm))),
                         hn::Mul(c, hn::Set(d, wc)));
        };
        // The three scratch rows lie whole vectors apart, so they share the alignment of `outer`.
        StoreVector(aligned, weighted(2, 7, 12), d, outer + t);
        StoreVector(aligned, weighted(7, 31, 52), d, middle + t);
        StoreVector(aligned, weighted(12, 52, 127), d, centre + t);
      },
      [&](size_t t) HWY_ATTR {
        const int o = *At(rows[0], t, 2) + *At(rows[4], t, 2);
        const int m = *At(rows[1], t, 2) + *At(rows[3], t, 2);
        const int c = *At(rows[2], t, 2);
        outer[t] = static_cast<uint16_t>(2 * o + 7 * m + 12 * c);
        middle[t] = static_cast<uint16_t>(7 * o + 31 * m + 52 * c);
        centre[t] = static_cast<uint16_t>(12 * o + 52 * m + 127 * c);
      });

  // Widened by interleaving with zero and narrowed by a per-block pack, which together keep the
  // pixels in order. The sum is at most 571 * 255, so the scaled value lies in [0, 255] and needs
  // no clamping; adding 1.5 * 2^23 rounds it in the current (nearest) mode, as the generic
  // conversion does, and leaves the integer in the low bits of the float.
  const DI32 di32;
  const hn::Rebind<float, DI32> df;
  const auto zero = hn::Zero(d);
  const auto finish = [&](auto o, auto m, auto c) HWY_ATTR {
    const auto sum = hn::Add(hn::Add(hn::BitCast(di32, o), hn::BitCast(di32, m)), hn::BitCast(di32, c));
    const auto scaled = hn::Mul(hn::ConvertTo(df, sum), hn::Set(df, kInverse571));
    const auto shifted = hn::BitCast(di32, hn::Add(scaled, hn::Set(df, 12582912.0f)));
    return hn::Sub(shifted, hn::Set(di32, 0x4B400000));
  };
  ForEachVectorAlignedOverlapping(
      d8, out, static_cast<size_t>(width),
      [&](size_t x, auto aligned) HWY_ATTR {
        const auto o = hn::Add(hn::LoadU(d, outer + x), hn::LoadU(d, outer + x + 4));
        const auto m = hn::Add(hn::LoadU(d, middle + x + 1), hn::LoadU(d, middle + x + 3));
        const auto c = hn::LoadU(d, centre + x + 2);
        const auto low = finish(hn::InterleaveLower(d, o, zero), hn::InterleaveLower(d, m, zero),
                                hn::InterleaveLower(d, c, zero));
        const auto high = finish(hn::InterleaveUpper(d, o, zero), hn::InterleaveUpper(d, m, zero),
                                 hn::InterleaveUpper(d, c, zero));
        StoreVector(aligned, hn::DemoteTo(d8, hn::ReorderDemote2To(DI16(), low, high)), d8, out + x);
      },
      [&](size_t x) HWY_ATTR { out[x] = Gauss5Pixel(rows, static_cast<int>(x)); });
}

template <int kSize>
HWY_INLINE void HipassRow(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  constexpr int kRadius = kSize / 2;
  const DU16 d;
  const DI16 di;
  const D8 d8;
  ForEachVectorAlignedOverlapping(
      d, scratch, static_cast<size_t>(width) + 2 * kRadius,
      [&](size_t t, auto aligned) HWY_ATTR {
        auto sum = Load8(At(rows[0], t, kRadius));
        for (int j = 1; j < kSize; ++j) sum = hn::Add(sum, Load8(At(rows[j], t, kRadius)));
        StoreVector(aligned, sum, d, scratch + t);
      },
      [&](size_t t) HWY_ATTR {
        int sum = 0;
        for (int j = 0; j < kSize; ++j) sum += *At(rows[j], t, kRadius);
        scratch[t] = static_cast<uint16_t>(sum);
      });
  ForEachVectorAlignedOverlapping(
      d8, out, static_cast<size_t>(width),
      [&](size_t x, auto aligned) HWY_ATTR {
        auto sum = hn::LoadU(d, scratch + x);
        for (int i = 1; i < kSize; ++i) sum = hn::Add(sum, hn::LoadU(d, scratch + x + i));
        const auto centre = hn::Mul(Load8(rows[kRadius] + x), hn::Set(d, kSize * kSize));
        StoreVector(aligned, hn::DemoteTo(d8, hn::Sub(hn::BitCast(di, centre), hn::BitCast(di, sum))), d8, out + x);
      },
      [&](size_t x) HWY_ATTR { out[x] = HipassPixel<kSize>(rows, static_cast<int>(x)); });
}

HWY_INLINE void Hipass3Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  HipassRow<3>(rows, scratch, out, width);
}
HWY_INLINE void Hipass5Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  HipassRow<5>(rows, scratch, out, width);
}

}  // namespace

#include "primitives/filters/box_8u_primitives-inl.h"
#include "primitives/filters/fixed_primitives-inl.h"
#include "primitives/filters/kernel_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::filters {
RYN_DISPATCH(FilterBox8u);
RYN_DISPATCH(FilterGauss8u);
RYN_DISPATCH(FilterHipass8u);
RYN_DISPATCH(FilterKernel8u);
}  // namespace ryn::filters
#endif
