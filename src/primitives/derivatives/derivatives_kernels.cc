// Processor builds of the derivative primitives, compiled once per Highway target, and the
// dispatched operations that bind them. Float passes multiply and add in the generic order, one
// term after the other (no fused multiply-add), so every build gives the generic bits; 16-bit
// passes are exact; Canny's direction tests compare the same single-precision products.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/derivatives/derivatives_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstring>
#include <type_traits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/derivatives/border_rules.h"
#include "primitives/derivatives/buffer_sizes.h"
#include "primitives/derivatives/derivative_checks.h"
#include "primitives/derivatives/derivative_rules.h"
#include "primitives/derivatives/derivatives.h"
#include "primitives/filters/scratch_block.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::derivatives {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAlignedOverlapping;
using ryn::HWY_NAMESPACE::StoreVector;

using DF = hn::ScalableTag<float>;
using VF = hn::Vec<DF>;
using DS = hn::ScalableTag<int16_t>;
using VS = hn::Vec<DS>;
using DI = hn::ScalableTag<int32_t>;
using VI = hn::Vec<DI>;

HWY_INLINE void WidenRow(const float* source, float* out, size_t n) { std::memcpy(out, source, n * sizeof(float)); }

HWY_INLINE void WidenRow(const uint8_t* source, int16_t* out, size_t n) {
  const DS d;
  const hn::Rebind<uint8_t, DS> bytes;
  const size_t lanes = hn::Lanes(d);
  size_t x = 0;
  for (; x + lanes <= n; x += lanes) hn::StoreU(hn::PromoteTo(d, hn::LoadU(bytes, source + x)), d, out + x);
  for (; x < n; ++x) out[x] = source[x];
}

// Sum of weights[t] * terms[t][i..], first term first, as WeightedSum.
template <class D, class T>
HWY_INLINE hn::Vec<D> VectorSum(D d, const T* const* terms, const hn::Vec<D>* weights, int count, size_t i) {
  hn::Vec<D> sum = hn::Mul(weights[0], hn::LoadU(d, terms[0] + i));
  for (int t = 1; t < count; ++t) sum = hn::Add(sum, hn::Mul(weights[t], hn::LoadU(d, terms[t] + i)));
  return sum;
}

template <class D, class T>
HWY_INLINE void Broadcast(D d, const T* weights, int count, hn::Vec<D>* out) {
  for (int t = 0; t < count; ++t) out[t] = hn::Set(d, weights[t]);
}

HWY_INLINE void ColumnPass(const float* const* rows, const float* weights, int count, float* out, size_t n) {
  const DF d;
  VF w[5];
  Broadcast(d, weights, count, w);
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, VectorSum(d, rows, w, count, i), d, out + i); },
      [&](size_t i) HWY_ATTR { StoreUnaligned(out + i, WeightedSum(rows, weights, count, i)); });
}

HWY_INLINE void ColumnPass(const int16_t* const* rows, const int16_t* weights, int count, int16_t* out, size_t n) {
  const DS d;
  VS w[5];
  Broadcast(d, weights, count, w);
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, VectorSum(d, rows, w, count, i), d, out + i); },
      [&](size_t i) HWY_ATTR { out[i] = static_cast<int16_t>(WeightedSum(rows, weights, count, i)); });
}

template <class T>
HWY_INLINE void TermsAt(const T* columns, const Taps<T>& taps, const T* (&terms)[5]) {
  for (int t = 0; t < taps.count; ++t) terms[t] = columns + taps.offsets[t];
}

HWY_INLINE void RowPass(const float* columns, const Taps<float>& taps, float* out, size_t n) {
  const DF d;
  const float* terms[5] = {};
  TermsAt(columns, taps, terms);
  VF w[5];
  Broadcast(d, taps.weights, taps.count, w);
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, VectorSum(d, terms, w, taps.count, i), d, out + i); },
      [&](size_t i) HWY_ATTR { StoreUnaligned(out + i, WeightedSum(terms, taps.weights, taps.count, i)); });
}

// The sums stay within +-24480, so the generic saturation never acts and 16-bit lanes give the
// same values.
HWY_INLINE void RowPass(const int16_t* columns, const Taps<int16_t>& taps, int16_t* out, size_t n) {
  const DS d;
  const int16_t* terms[5] = {};
  TermsAt(columns, taps, terms);
  VS w[5];
  Broadcast(d, taps.weights, taps.count, w);
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, VectorSum(d, terms, w, taps.count, i), d, out + i); },
      [&](size_t i) HWY_ATTR {
        StoreUnaligned(out + i, SaturateTo16s(WeightedSum(terms, taps.weights, taps.count, i)));
      });
}

HWY_INLINE void RowPassPlus32f(const float* columns, const Taps<float>& taps, const float* first, float* out,
                               size_t n) {
  const DF d;
  const float* terms[5] = {};
  TermsAt(columns, taps, terms);
  VF w[5];
  Broadcast(d, taps.weights, taps.count, w);
  ForEachVectorAlignedOverlapping(
      d, out, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, hn::Add(hn::LoadU(d, first + i), VectorSum(d, terms, w, taps.count, i)), d, out + i);
      },
      [&](size_t i) HWY_ATTR {
        StoreUnaligned(out + i, first[i] + WeightedSum(terms, taps.weights, taps.count, i));
      });
}

HWY_INLINE VI Widened(const int16_t* p) {
  const DI d;
  const hn::Rebind<int16_t, DI> halves;
  return hn::PromoteTo(d, hn::LoadU(halves, p));
}

HWY_INLINE void CannyMagnitudeRow(const int16_t* gx, const int16_t* gy, int32_t lowBound, int32_t* out, size_t n) {
  const DI d;
  const size_t lanes = hn::Lanes(d);
  const VI low = hn::Set(d, lowBound);
  size_t x = 0;
  for (; x + lanes <= n; x += lanes) {
    const VI m = hn::Add(hn::Abs(Widened(gx + x)), hn::Abs(Widened(gy + x)));
    hn::StoreU(hn::IfThenElseZero(hn::Gt(m, low), m), d, out + x);
  }
  for (; x < n; ++x) out[x] = CannyMagnitude(LoadUnaligned(gx + x), LoadUnaligned(gy + x), lowBound);
}

HWY_INLINE void CannySuppressRow(const int32_t* above, const int32_t* row, const int32_t* below, const int16_t* gx,
                                 const int16_t* gy, float high, uint8_t* out, size_t n) {
  const DI d;
  const hn::Rebind<float, DI> df;
  const hn::Rebind<uint8_t, DI> bytes;
  const size_t lanes = hn::Lanes(d);
  const VI zero = hn::Zero(d);
  const VI one = hn::Set(d, 1);
  size_t x = 0;
  for (; x + lanes <= n; x += lanes) {
    const VI vx = Widened(gx + x);
    const VI vy = Widened(gy + x);
    const auto a = hn::ConvertTo(df, hn::Abs(vy));
    const auto b = hn::ConvertTo(df, hn::Abs(vx));
    const auto steep = hn::RebindMask(d, hn::Gt(a, hn::Mul(hn::Set(df, kSteepSlope), b)));
    const auto flat = hn::AndNot(steep, hn::RebindMask(d, hn::Gt(hn::Mul(hn::Set(df, kFlatSlope), b), a)));
    const auto diagonal = hn::Not(hn::Or(steep, flat));
    const auto sameSign = hn::Not(hn::Gt(zero, hn::Xor(vx, vy)));
    const VI m = hn::LoadU(d, row + x);
    const VI diagonalFirst = hn::IfThenElse(sameSign, hn::LoadU(d, above + x - 1), hn::LoadU(d, above + x + 1));
    const VI diagonalSecond = hn::IfThenElse(sameSign, hn::LoadU(d, below + x + 1), hn::LoadU(d, below + x - 1));
    const VI first = hn::IfThenElse(
        steep, hn::LoadU(d, above + x), hn::IfThenElse(flat, hn::LoadU(d, row + x - 1), diagonalFirst));
    const VI second = hn::IfThenElse(
        steep, hn::LoadU(d, below + x), hn::IfThenElse(flat, hn::LoadU(d, row + x + 1), diagonalSecond));
    const auto secondPassed =
        hn::Or(hn::And(diagonal, hn::Gt(m, second)), hn::AndNot(diagonal, hn::Not(hn::Gt(second, m))));
    const auto candidate = hn::And(hn::Gt(m, zero), hn::And(hn::Gt(m, first), secondPassed));
    const auto strong =
        hn::And(candidate, hn::RebindMask(d, hn::Gt(hn::ConvertTo(df, m), hn::Set(df, high))));
    const VI value = hn::Add(hn::IfThenElseZero(candidate, one), hn::IfThenElseZero(strong, one));
    hn::StoreU(hn::DemoteTo(bytes, value), bytes, out + x);
  }
  for (; x < n; ++x) {
    out[x] = CannyClass(above + x, row + x, below + x, LoadUnaligned(gx + x), LoadUnaligned(gy + x), high);
  }
}

}  // namespace

#include "primitives/derivatives/derivatives_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::derivatives
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::derivatives {
RYN_DISPATCH(FilterUnbordered32f);
RYN_DISPATCH(FilterBordered32f);
RYN_DISPATCH(FilterBordered8u16s);
RYN_DISPATCH(Canny16s8u);
}  // namespace ryn::derivatives
#endif
