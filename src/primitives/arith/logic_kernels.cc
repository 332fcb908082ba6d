// Processor builds of the logic, thresholds, comparisons and lookup, compiled once per Highway
// target, and the dispatched operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/arith/logic_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <type_traits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/arith/comparison_rules.h"
#include "primitives/arith/linear_table.h"
#include "primitives/arith/logic.h"
#include "primitives/arith/logic_checks.h"
#include "primitives/arith/byte_lookup-inl.h"
#include "primitives/arith/gather_bytes-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using D8 = hn::ScalableTag<uint8_t>;
using V8 = hn::Vec<D8>;

// destination[i] = f(source[i]), given as vector code and as the scalar rule. No restrict: the
// in-place operations pass one row as source and destination.
template <class VectorFn, class ScalarFn>
HWY_INLINE void MapRow(const uint8_t* source, uint8_t* destination, size_t n, VectorFn vector, ScalarFn scalar) {
  const D8 d;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, vector(hn::LoadU(d, source + i)), d, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = scalar(source[i]); });
}

// destination[i] = f(a[i], b[i]); a or b may be the destination row.
template <class VectorFn, class ScalarFn>
HWY_INLINE void ZipRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, VectorFn vector,
                       ScalarFn scalar) {
  const D8 d;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, vector(hn::LoadU(d, a + i), hn::LoadU(d, b + i)), d, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = scalar(a[i], b[i]); });
}

HWY_INLINE void AndRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  ZipRow(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::And(x, y); },
      [](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x & y); });
}
HWY_INLINE void OrRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  ZipRow(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::Or(x, y); },
      [](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x | y); });
}
HWY_INLINE void XorRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  ZipRow(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::Xor(x, y); },
      [](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x ^ y); });
}
HWY_INLINE void NotRow(const uint8_t* source, uint8_t* destination, size_t n) {
  MapRow(
      source, destination, n, [](V8 x) HWY_ATTR { return hn::Not(x); },
      [](uint8_t x) { return static_cast<uint8_t>(~x); });
}
HWY_INLINE void MinRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  ZipRow(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::Min(x, y); },
      [](uint8_t x, uint8_t y) { return x < y ? x : y; });
}
HWY_INLINE void MaxRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  ZipRow(
      a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::Max(x, y); },
      [](uint8_t x, uint8_t y) { return x > y ? x : y; });
}

HWY_INLINE void RaiseToRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t threshold) {
  const auto t = hn::Set(D8(), threshold);
  MapRow(
      source, destination, n, [&](V8 x) HWY_ATTR { return hn::Max(x, t); },
      [&](uint8_t x) { return x < threshold ? threshold : x; });
}
HWY_INLINE void LowerToRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t threshold) {
  const auto t = hn::Set(D8(), threshold);
  MapRow(
      source, destination, n, [&](V8 x) HWY_ATTR { return hn::Min(x, t); },
      [&](uint8_t x) { return x > threshold ? threshold : x; });
}
HWY_INLINE void ReplaceBelowRow8u(uint8_t* row, size_t n, uint8_t threshold, uint8_t value) {
  const auto t = hn::Set(D8(), threshold);
  const auto v = hn::Set(D8(), value);
  MapRow(
      row, row, n, [&](V8 x) HWY_ATTR { return hn::IfThenElse(x < t, v, x); },
      [&](uint8_t x) { return x < threshold ? value : x; });
}
HWY_INLINE void ReplaceAboveRow8u(uint8_t* row, size_t n, uint8_t threshold, uint8_t value) {
  const auto t = hn::Set(D8(), threshold);
  const auto v = hn::Set(D8(), value);
  MapRow(
      row, row, n, [&](V8 x) HWY_ATTR { return hn::IfThenElse(x > t, v, x); },
      [&](uint8_t x) { return x > threshold ? value : x; });
}
HWY_INLINE void BandRow8u(uint8_t* row, size_t n, uint8_t lower, uint8_t lowerValue, uint8_t upper,
                          uint8_t upperValue) {
  const D8 d;
  const auto low = hn::Set(d, lower);
  const auto lowValue = hn::Set(d, lowerValue);
  const auto high = hn::Set(d, upper);
  const auto highValue = hn::Set(d, upperValue);
  MapRow(
      row, row, n,
      [&](V8 x) HWY_ATTR { return hn::IfThenElse(x < low, lowValue, hn::IfThenElse(x > high, highValue, x)); },
      [&](uint8_t x) { return x < lower ? lowerValue : x > upper ? upperValue : x; });
}

// Float rows in place: a pixel beyond the threshold (strictly, so never a NaN) becomes it.
template <class VectorFn, class ScalarFn>
HWY_INLINE void MapRow32f(float* row, size_t n, VectorFn vector, ScalarFn scalar) {
  const hn::ScalableTag<float> d;
  ForEachVectorAligned(
      d, row, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, vector(hn::LoadU(d, row + i)), d, row + i); },
      [&](size_t i) HWY_ATTR { StoreUnaligned(row + i, scalar(LoadUnaligned(row + i))); });
}
HWY_INLINE void RaiseToRow32f(float* row, size_t n, float threshold) {
  const auto t = hn::Set(hn::ScalableTag<float>(), threshold);
  MapRow32f(
      row, n, [&](auto x) HWY_ATTR { return hn::IfThenElse(x < t, t, x); },
      [&](float x) { return x < threshold ? threshold : x; });
}
HWY_INLINE void LowerToRow32f(float* row, size_t n, float threshold) {
  const auto t = hn::Set(hn::ScalableTag<float>(), threshold);
  MapRow32f(
      row, n, [&](auto x) HWY_ATTR { return hn::IfThenElse(t < x, t, x); },
      [&](float x) { return x > threshold ? threshold : x; });
}

// Holds() on whole vectors. Highway 1.0.3 has no integer <=: a <= b is !(b < a) there, while
// floats keep their ordered <= so that NaN never satisfies it.
template <class V>
HWY_INLINE auto AtMost(V a, V b) {
  if constexpr (std::is_floating_point_v<hn::TFromV<V>>) {
    return a <= b;
  } else {
    return hn::Not(b < a);
  }
}
template <Relation kRelation, class V>
HWY_INLINE auto HoldsLanes(V first, V second) {
  if constexpr (kRelation == Relation::kLess) return first < second;
  if constexpr (kRelation == Relation::kLessOrEqual) return AtMost(first, second);
  if constexpr (kRelation == Relation::kEqual) return first == second;
  if constexpr (kRelation == Relation::kGreaterOrEqual) return AtMost(second, first);
  if constexpr (kRelation == Relation::kGreater) return second < first;
}

// Calls body(std::integral_constant<Relation, relation>{}), so that each relation gets its own loop.
template <class Body>
HWY_INLINE void WithRelation(Relation relation, Body&& body) {
  switch (relation) {
    case Relation::kLess:
      return body(std::integral_constant<Relation, Relation::kLess>());
    case Relation::kLessOrEqual:
      return body(std::integral_constant<Relation, Relation::kLessOrEqual>());
    case Relation::kEqual:
      return body(std::integral_constant<Relation, Relation::kEqual>());
    case Relation::kGreaterOrEqual:
      return body(std::integral_constant<Relation, Relation::kGreaterOrEqual>());
    case Relation::kGreater:
      return body(std::integral_constant<Relation, Relation::kGreater>());
  }
}

HWY_INLINE void CompareRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, Relation relation) {
  WithRelation(relation, [&](auto r) HWY_ATTR {
    constexpr Relation kRelation = decltype(r)::value;
    ZipRow(
        a, b, destination, n, [](V8 x, V8 y) HWY_ATTR { return hn::VecFromMask(D8(), HoldsLanes<kRelation>(x, y)); },
        [](uint8_t x, uint8_t y) { return MaskByte(Holds(kRelation, x, y)); });
  });
}
HWY_INLINE void CompareConstRow8u(const uint8_t* source, uint8_t value, uint8_t* destination, size_t n,
                                  Relation relation) {
  const auto constant = hn::Set(D8(), value);
  WithRelation(relation, [&](auto r) HWY_ATTR {
    constexpr Relation kRelation = decltype(r)::value;
    MapRow(
        source, destination, n,
        [&](V8 x) HWY_ATTR { return hn::VecFromMask(D8(), HoldsLanes<kRelation>(x, constant)); },
        [&](uint8_t x) { return MaskByte(Holds(kRelation, x, value)); });
  });
}

// The second operand of a float comparison: an image or a constant, as vectors and as pixels.
struct ImageOperand {
  const float* pixels;
  template <class D>
  HWY_INLINE hn::Vec<D> Lanes(D d, size_t at) const {
    return hn::LoadU(d, pixels + at);
  }
  float At(size_t at) const { return LoadUnaligned(pixels + at); }
};
struct ConstantOperand {
  float value;
  template <class D>
  HWY_INLINE hn::Vec<D> Lanes(D d, size_t) const {
    return hn::Set(d, value);
  }
  float At(size_t) const { return value; }
};

// Four float vectors give one vector of mask bytes: 255 where the relation holds.
template <Relation kRelation, class Second>
HWY_INLINE void CompareFloatsAs(const float* first, Second second, uint8_t* destination, size_t n) {
  const D8 d8;
  const hn::Repartition<float, D8> df;
  const hn::RebindToUnsigned<decltype(df)> du;
  const size_t quarter = hn::Lanes(df);
  const auto all = hn::Set(du, 255);
  const auto maskLanes = [&](size_t at) HWY_ATTR {
    const auto holds = HoldsLanes<kRelation>(hn::LoadU(df, first + at), second.Lanes(df, at));
    return hn::IfThenElseZero(hn::RebindMask(du, holds), all);
  };
  ForEachVectorAligned(
      d8, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto bytes = GatherLowBytes(d8, maskLanes(i), maskLanes(i + quarter), maskLanes(i + 2 * quarter),
                                         maskLanes(i + 3 * quarter));
        StoreVector(aligned, bytes, d8, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = MaskByte(Holds(kRelation, LoadUnaligned(first + i), second.At(i))); });
}

HWY_INLINE void CompareRow32f(const float* a, const float* b, uint8_t* destination, size_t n, Relation relation) {
  WithRelation(relation, [&](auto r) HWY_ATTR {
    CompareFloatsAs<decltype(r)::value>(a, ImageOperand{b}, destination, n);
  });
}
HWY_INLINE void CompareConstRow32f(const float* source, float value, uint8_t* destination, size_t n,
                                   Relation relation) {
  WithRelation(relation, [&](auto r) HWY_ATTR {
    CompareFloatsAs<decltype(r)::value>(source, ConstantOperand{value}, destination, n);
  });
}

HWY_INLINE void LookUpRow(const uint8_t* source, uint8_t* destination, size_t n, const ShuffleTable& table) {
  const D8 d;
  const LoadedTable<D8> loaded = LoadTable(d, table);
  MapRow(
      source, destination, n, [&](V8 index) HWY_ATTR { return LookUpBytes(d, loaded, index); },
      [&](uint8_t x) { return table.plain[x]; });
}

}  // namespace

#include "primitives/arith/compare_primitives-inl.h"
#include "primitives/arith/logic_primitives-inl.h"
#include "primitives/arith/lookup_primitives-inl.h"
#include "primitives/arith/threshold_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::arith {
RYN_DISPATCH(And8u);
RYN_DISPATCH(Or8u);
RYN_DISPATCH(Xor8u);
RYN_DISPATCH(Not8u);
RYN_DISPATCH(Threshold8u);
RYN_DISPATCH(Threshold32f);
RYN_DISPATCH(ThresholdValue8u);
RYN_DISPATCH(ThresholdBand8u);
RYN_DISPATCH(Compare8u);
RYN_DISPATCH(Compare32f);
RYN_DISPATCH(CompareConst8u);
RYN_DISPATCH(CompareConst32f);
RYN_DISPATCH(MinEvery8u);
RYN_DISPATCH(MaxEvery8u);
RYN_DISPATCH(LookUpLinear8u);
}  // namespace ryn::arith
#endif
