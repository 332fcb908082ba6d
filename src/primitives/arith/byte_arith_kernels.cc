// Processor builds of the 8-bit arithmetic, compiled once per Highway target, and the dispatched
// operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/arith/byte_arith_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/vector_loops-inl.h"
#include "primitives/arith/alpha_rules.h"
#include "primitives/arith/arith.h"
#include "primitives/arith/arith_checks.h"
#include "primitives/arith/byte_lookup-inl.h"
#include "primitives/arith/byte_tables.h"
#include "primitives/arith/copy.h"
#include "primitives/arith/scale_rules.h"
#include "primitives/fill/fill.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using D8 = hn::ScalableTag<uint8_t>;
using V8 = hn::Vec<D8>;
// Exact results are worked out in 16-bit lanes, half a byte vector at a time.
using D16 = hn::Repartition<uint16_t, D8>;
using V16 = hn::Vec<D16>;
using DHalf8 = hn::Rebind<uint8_t, D16>;

// An operand of a row: a row of bytes, or one byte for every pixel.
struct RowOperand {
  const uint8_t* bytes;
  HWY_INLINE V8 Bytes(size_t i) const { return hn::LoadU(D8(), bytes + i); }
  HWY_INLINE V16 Wide(size_t i) const { return hn::PromoteTo(D16(), hn::LoadU(DHalf8(), bytes + i)); }
  uint8_t At(size_t i) const { return bytes[i]; }
};
struct ConstantOperand {
  uint8_t value;
  HWY_INLINE V8 Bytes(size_t) const { return hn::Set(D8(), value); }
  HWY_INLINE V16 Wide(size_t) const { return hn::Set(D16(), value); }
  uint8_t At(size_t) const { return value; }
};

// Two vectors of 16-bit results, each 0..32767, as one vector of bytes saturated to 0..255.
HWY_INLINE V8 PackSaturated(V16 low, V16 high) {
  const D8 d8;
  const hn::Half<D8> half;
  const hn::Repartition<int16_t, D8> di16;
  return hn::Combine(d8, hn::DemoteTo(half, hn::BitCast(di16, high)), hn::DemoteTo(half, hn::BitCast(di16, low)));
}

// destination[i] = f(a[i], b[i]) on whole byte vectors; a or b may be the destination row.
template <class A, class B, class VectorFn, class ScalarFn>
HWY_INLINE void ZipBytes(A a, B b, uint8_t* destination, size_t n, VectorFn vector, ScalarFn scalar) {
  const D8 d;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, vector(a.Bytes(i), b.Bytes(i)), d, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = scalar(a.At(i), b.At(i)); });
}

// The exact results of scale_rules.h in 16-bit lanes.
struct Sum {
  static HWY_INLINE V16 Lanes(V16 a, V16 b) { return hn::Add(a, b); }
  static uint32_t Of(uint8_t a, uint8_t b) { return ExactSum(a, b); }
};
struct Difference {
  static HWY_INLINE V16 Lanes(V16 minuend, V16 subtrahend) { return hn::SaturatedSub(minuend, subtrahend); }
  static uint32_t Of(uint8_t minuend, uint8_t subtrahend) { return ExactDifference(minuend, subtrahend); }
};
struct Product {
  static HWY_INLINE V16 Lanes(V16 a, V16 b) { return hn::Mul(a, b); }
  static uint32_t Of(uint8_t a, uint8_t b) { return ExactProduct(a, b); }
};

// exact x 2^-scale for scale factors 1..16, rounded to nearest with ties to even: the quotient
// goes up by one when the remainder plus the quotient's lowest bit exceeds half the divisor. No
// lane overflows, unlike the sum of ScaleToByte, which would for products from scale 10 on.
struct RoundingShift {
  int scale;
  V16 remainderMask;
  V16 half;
  V16 one;
  explicit RoundingShift(int s)
      : scale(s),
        remainderMask(hn::Set(D16(), static_cast<uint16_t>((1u << s) - 1))),
        half(hn::Set(D16(), static_cast<uint16_t>(1u << (s - 1)))),
        one(hn::Set(D16(), 1)) {}
  HWY_INLINE V16 operator()(V16 exact) const {
    const V16 quotient = hn::ShiftRightSame(exact, scale);
    const V16 remainder = hn::And(exact, remainderMask);
    const auto up = hn::Add(remainder, hn::And(quotient, one)) > half;
    return hn::Sub(quotient, hn::VecFromMask(D16(), up));  // a set mask lane is -1
  }
};

// exact x 2^shift for shifts 0..8, saturated: every exact result beyond 255 >> shift becomes 256,
// which the pack saturates to 255.
struct SaturatingShiftUp {
  int shift;
  V16 limit;
  explicit SaturatingShiftUp(int s) : shift(s), limit(hn::Set(D16(), static_cast<uint16_t>((255 >> s) + 1))) {}
  HWY_INLINE V16 operator()(V16 exact) const { return hn::ShiftLeftSame(hn::Min(exact, limit), shift); }
};

template <class Exact, class A, class B, class Scaling>
HWY_INLINE void ScaledRowBy(A a, B b, uint8_t* destination, size_t n, int scale, const Scaling& scaling) {
  const D8 d8;
  const size_t half = hn::Lanes(D16());
  ForEachVectorAligned(
      d8, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const V16 low = scaling(Exact::Lanes(a.Wide(i), b.Wide(i)));
        const V16 high = scaling(Exact::Lanes(a.Wide(i + half), b.Wide(i + half)));
        StoreVector(aligned, PackSaturated(low, high), d8, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = ScaleToByte(Exact::Of(a.At(i), b.At(i)), scale); });
}

// ScaleToByte(Exact::Of(a, b), scale) for scale factors kSaturatingScale..kLastProductScale.
template <class Exact, class A, class B>
HWY_INLINE void ScaledRow(A a, B b, uint8_t* destination, size_t n, int scale) {
  if (scale > 0) {
    ScaledRowBy<Exact>(a, b, destination, n, scale, RoundingShift(scale));
  } else {
    ScaledRowBy<Exact>(a, b, destination, n, scale, SaturatingShiftUp(-scale));
  }
}

// Unscaled sums and differences saturate in byte lanes.
HWY_INLINE uint8_t UnscaledSum(uint8_t a, uint8_t b) { return ScaleToByte(ExactSum(a, b), 0); }
HWY_INLINE uint8_t UnscaledDifference(uint8_t a, uint8_t b) { return ScaleToByte(ExactDifference(a, b), 0); }

template <class A, class B>
HWY_INLINE void SumRow(A a, B b, uint8_t* destination, size_t n, int scale) {
  if (scale != 0) return ScaledRow<Sum>(a, b, destination, n, scale);
  ZipBytes(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::SaturatedAdd(x, y); }, UnscaledSum);
}
template <class A, class B>
HWY_INLINE void DifferenceRow(A a, B b, uint8_t* destination, size_t n, int scale) {
  if (scale != 0) return ScaledRow<Difference>(a, b, destination, n, scale);
  ZipBytes(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::SaturatedSub(x, y); }, UnscaledDifference);
}

HWY_INLINE void AddRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, int scale) {
  SumRow(RowOperand{a}, RowOperand{b}, destination, n, scale);
}
HWY_INLINE void SubRow8u(const uint8_t* minuend, const uint8_t* subtrahend, uint8_t* destination, size_t n,
                         int scale) {
  DifferenceRow(RowOperand{minuend}, RowOperand{subtrahend}, destination, n, scale);
}
HWY_INLINE void MulRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, int scale) {
  ScaledRow<Product>(RowOperand{a}, RowOperand{b}, destination, n, scale);
}
HWY_INLINE void AddConstRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t value, int scale) {
  SumRow(RowOperand{source}, ConstantOperand{value}, destination, n, scale);
}
HWY_INLINE void SubConstRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t value, int scale) {
  DifferenceRow(RowOperand{source}, ConstantOperand{value}, destination, n, scale);
}
HWY_INLINE void MulConstRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t value, int scale) {
  ScaledRow<Product>(RowOperand{source}, ConstantOperand{value}, destination, n, scale);
}

HWY_INLINE void AbsDiffRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  ZipBytes(
      RowOperand{a}, RowOperand{b}, destination, n,
      [](V8 x, V8 y) HWY_ATTR { return hn::Or(hn::SaturatedSub(x, y), hn::SaturatedSub(y, x)); },
      [](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x > y ? x - y : y - x); });
}

HWY_INLINE void TableRow8u(const uint8_t* source, uint8_t* destination, size_t n, const ShuffleTable& table) {
  const D8 d;
  const auto loaded = LoadTable(d, table);
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, LookUpBytes(d, loaded, hn::LoadU(d, source + i)), d, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = table.plain[source[i]]; });
}

// Returns whether the row held a zero pixel.
HWY_INLINE bool LnRow8u(const uint8_t* source, uint8_t* destination, size_t n, const ShuffleTable& table) {
  const D8 d;
  const auto loaded = LoadTable(d, table);
  auto lowest = hn::Set(d, 255);
  bool zero = false;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const V8 x = hn::LoadU(d, source + i);
        lowest = hn::Min(lowest, x);
        StoreVector(aligned, LookUpBytes(d, loaded, x), d, destination + i);
      },
      [&](size_t i) HWY_ATTR {
        zero |= source[i] == 0;
        destination[i] = table.plain[source[i]];
      });
  return zero || !hn::AllFalse(d, lowest == hn::Zero(d));
}

// Div255 of alpha_rules.h in 16-bit lanes; no lane overflows for t <= 65025.
HWY_INLINE V16 Div255Lanes(V16 t) {
  const V16 one = hn::Set(D16(), 1);
  return hn::ShiftRight<8>(hn::Add(hn::Add(hn::ShiftRight<8>(t), t), one));
}

struct AlphaLanes {
  V16 a;
  V16 b;
  V16 notA;  // 255 - a
  V16 notB;
};

// Composite of alpha_rules.h in 16-bit lanes; sums above 255 saturate in the pack.
template <Composition kComposition, bool kPremultiplied>
HWY_INLINE V16 CompositeLanes(V16 p, V16 q, const AlphaLanes& alpha) {
  if constexpr (kPremultiplied) {
    V16 first;
    if constexpr (kComposition == Composition::kOver || kComposition == Composition::kPlus) {
      first = p;
    } else if constexpr (kComposition == Composition::kIn || kComposition == Composition::kAtop) {
      first = Div255Lanes(hn::Mul(alpha.b, p));
    } else {
      first = Div255Lanes(hn::Mul(alpha.notB, p));
    }
    if constexpr (kComposition == Composition::kIn || kComposition == Composition::kOut) return first;
    const V16 second = kComposition == Composition::kPlus ? q : Div255Lanes(hn::Mul(alpha.notA, q));
    return hn::Add(first, second);
  } else {
    const V16 first = Div255Lanes(hn::Mul(alpha.a, p));
    if constexpr (kComposition == Composition::kIn) return Div255Lanes(hn::Mul(alpha.b, first));
    if constexpr (kComposition == Composition::kOut) return Div255Lanes(hn::Mul(alpha.notB, first));
    const V16 second = Div255Lanes(hn::Mul(alpha.b, q));
    if constexpr (kComposition == Composition::kPlus) return hn::Add(first, second);
    const V16 under = Div255Lanes(hn::Mul(alpha.notA, second));
    if constexpr (kComposition == Composition::kOver) return hn::Add(first, under);
    if constexpr (kComposition == Composition::kAtop) return hn::Add(Div255Lanes(hn::Mul(alpha.b, first)), under);
    return hn::Add(Div255Lanes(hn::Mul(alpha.notB, first)), under);  // xor
  }
}

template <Composition kComposition, bool kPremultiplied>
HWY_INLINE void CompositeRow8u(const uint8_t* p, const uint8_t* q, uint8_t* destination, size_t n, uint8_t a,
                               uint8_t b) {
  const D8 d8;
  const D16 d16;
  const size_t half = hn::Lanes(d16);
  const AlphaLanes alpha{hn::Set(d16, a), hn::Set(d16, b), hn::Set(d16, static_cast<uint16_t>(255 - a)),
                         hn::Set(d16, static_cast<uint16_t>(255 - b))};
  const RowOperand first{p};
  const RowOperand second{q};
  ForEachVectorAligned(
      d8, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const V16 low = CompositeLanes<kComposition, kPremultiplied>(first.Wide(i), second.Wide(i), alpha);
        const V16 high =
            CompositeLanes<kComposition, kPremultiplied>(first.Wide(i + half), second.Wide(i + half), alpha);
        StoreVector(aligned, PackSaturated(low, high), d8, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = Composite<kComposition, kPremultiplied>(p[i], q[i], a, b); });
}

}  // namespace

#include "primitives/arith/arith_runs-inl.h"
#include "primitives/arith/byte_shortcuts-inl.h"
#include "primitives/arith/add_sub_primitives-inl.h"
#include "primitives/arith/alpha_primitives-inl.h"
#include "primitives/arith/div_ln_primitives-inl.h"
#include "primitives/arith/mul_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::arith {
RYN_DISPATCH(Add8u);
RYN_DISPATCH(Sub8u);
RYN_DISPATCH(Mul8u);
RYN_DISPATCH(AddC8u);
RYN_DISPATCH(SubC8u);
RYN_DISPATCH(MulC8u);
RYN_DISPATCH(Sqr8u);
RYN_DISPATCH(DivC8u);
RYN_DISPATCH(Ln8u);
RYN_DISPATCH(AbsDiff8u);
RYN_DISPATCH(AlphaComp8u);
}  // namespace ryn::arith
#endif
