// Processor builds of the single-precision arithmetic and the accumulations, compiled once per
// Highway target, and the dispatched operations that bind them. Every float operation is the
// generic code's, in its order: no fused multiply-adds.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/arith/float_arith_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/arith/arith.h"
#include "primitives/arith/arith_checks.h"
#include "primitives/arith/float_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using DF = hn::ScalableTag<float>;
using VF = hn::Vec<DF>;
using DU = hn::RebindToUnsigned<DF>;
using DI = hn::RebindToSigned<DF>;
using DBytes = hn::Rebind<uint8_t, DF>;  // the bytes of one float vector's pixels

// An operand of a row: a row of floats or of bytes (as floats), or one value for every pixel.
struct FloatOperand {
  const float* pixels;
  HWY_INLINE VF Lanes(size_t i) const { return hn::LoadU(DF(), pixels + i); }
  float At(size_t i) const { return LoadUnaligned(pixels + i); }
};
struct BytesOperand {
  const uint8_t* pixels;
  HWY_INLINE VF Lanes(size_t i) const {
    return hn::ConvertTo(DF(), hn::PromoteTo(DI(), hn::LoadU(DBytes(), pixels + i)));
  }
  float At(size_t i) const { return static_cast<float>(pixels[i]); }
};
struct ConstantOperand {
  float value;
  HWY_INLINE VF Lanes(size_t) const { return hn::Set(DF(), value); }
  float At(size_t) const { return value; }
};

// destination[i] = f(a[i], b[i]); a or b may be the destination row.
template <class A, class B, class VectorFn, class ScalarFn>
HWY_INLINE void ZipFloats(A a, B b, float* destination, size_t n, VectorFn vector, ScalarFn scalar) {
  const DF d;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, vector(a.Lanes(i), b.Lanes(i)), d, destination + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(destination + i, scalar(a.At(i), b.At(i))); });
}

HWY_INLINE VF ClearSignLanes(VF x) {
  return hn::BitCast(DF(), hn::And(hn::BitCast(DU(), x), hn::Set(DU(), ~kSignBit)));
}

HWY_INLINE void AddRow32f(const float* a, const float* b, float* destination, size_t n) {
  ZipFloats(
      FloatOperand{a}, FloatOperand{b}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Add(x, y); },
      [](float x, float y) { return x + y; });
}
HWY_INLINE void SubRow32f(const float* a, const float* b, float* destination, size_t n) {
  ZipFloats(
      FloatOperand{a}, FloatOperand{b}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Sub(x, y); },
      [](float x, float y) { return x - y; });
}
HWY_INLINE void MulRow32f(const float* a, const float* b, float* destination, size_t n) {
  ZipFloats(
      FloatOperand{a}, FloatOperand{b}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Mul(x, y); },
      [](float x, float y) { return x * y; });
}
HWY_INLINE void AddConstRow32f(const float* source, float* destination, size_t n, float value) {
  ZipFloats(
      FloatOperand{source}, ConstantOperand{value}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Add(x, y); },
      [](float x, float y) { return x + y; });
}
HWY_INLINE void SubConstRow32f(const float* source, float* destination, size_t n, float value) {
  ZipFloats(
      FloatOperand{source}, ConstantOperand{value}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Sub(x, y); },
      [](float x, float y) { return x - y; });
}
HWY_INLINE void MulConstRow32f(const float* source, float* destination, size_t n, float value) {
  ZipFloats(
      FloatOperand{source}, ConstantOperand{value}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Mul(x, y); },
      [](float x, float y) { return x * y; });
}
HWY_INLINE void SqrRow32f(const float* source, float* destination, size_t n) {
  ZipFloats(
      FloatOperand{source}, FloatOperand{source}, destination, n, [](VF x, VF y) HWY_ATTR { return hn::Mul(x, y); },
      [](float x, float y) { return x * y; });
}
HWY_INLINE void AbsRow32f(const float* source, float* destination, size_t n) {
  ZipFloats(
      FloatOperand{source}, ConstantOperand{0.0f}, destination, n, [](VF x, VF) HWY_ATTR { return ClearSignLanes(x); },
      [](float x, float) { return ClearSign(x); });
}
HWY_INLINE void AbsDiffRow32f(const float* a, const float* b, float* destination, size_t n) {
  ZipFloats(
      FloatOperand{a}, FloatOperand{b}, destination, n,
      [](VF x, VF y) HWY_ATTR { return ClearSignLanes(hn::Sub(x, y)); },
      [](float x, float y) { return ClearSign(x - y); });
}
HWY_INLINE void AbsDiffConstRow32f(const float* source, float* destination, size_t n, float value) {
  ZipFloats(
      FloatOperand{source}, ConstantOperand{value}, destination, n,
      [](VF x, VF y) HWY_ATTR { return ClearSignLanes(hn::Sub(x, y)); },
      [](float x, float y) { return ClearSign(x - y); });
}

// Quotient of float_rules.h; returns whether a divisor was zero.
HWY_INLINE bool DivRow32f(const float* dividend, const float* divisor, float* destination, size_t n) {
  const DF d;
  const VF zero = hn::Zero(d);
  const VF plusInfinity = hn::BitCast(d, hn::Set(DU(), 0x7F800000u));
  const VF minusInfinity = hn::BitCast(d, hn::Set(DU(), 0xFF800000u));
  const VF nan = hn::BitCast(d, hn::Set(DU(), kQuotientNaNBits));
  VF zeroDivisors = zero;  // all bits set in the lanes that met a zero divisor
  bool zeroSeen = false;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const VF x = hn::LoadU(d, dividend + i);
        const VF y = hn::LoadU(d, divisor + i);
        const auto byZero = y == zero;
        const VF byZeroResult = hn::IfThenElse(x > zero, plusInfinity, hn::IfThenElse(x < zero, minusInfinity, nan));
        StoreVector(aligned, hn::IfThenElse(byZero, byZeroResult, hn::Div(x, y)), d, destination + i);
        zeroDivisors = hn::Or(zeroDivisors, hn::VecFromMask(d, byZero));
      },
      [&](size_t i) HWY_ATTR {
        const float y = LoadUnaligned(divisor + i);
        zeroSeen |= y == 0.0f;
        StoreUnaligned(destination + i, Quotient(LoadUnaligned(dividend + i), y));
      });
  return zeroSeen || !hn::AllFalse(DU(), hn::BitCast(DU(), zeroDivisors) != hn::Zero(DU()));
}

// image[i] = f(source[i], image[i]); the source may be floats or bytes.
template <class S, class VectorFn, class ScalarFn>
HWY_INLINE void UpdateAll(S source, float* image, size_t n, VectorFn vector, ScalarFn scalar) {
  const DF d;
  ForEachVectorAligned(
      d, image, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, vector(source.Lanes(i), hn::LoadU(d, image + i)), d, image + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(image + i, scalar(source.At(i), LoadUnaligned(image + i))); });
}

// As UpdateAll where the mask byte is not zero. Vectors with no selected pixel are skipped and
// mixed ones store only their selected lanes, so pixels outside the mask are never written.
template <class S, class VectorFn, class ScalarFn>
HWY_INLINE void UpdateSelected(S source, const uint8_t* mask, float* image, size_t n, VectorFn vector,
                               ScalarFn scalar) {
  const DF d;
  const DU du;
  ForEachVectorAligned(
      d, image, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto selected = hn::RebindMask(d, hn::PromoteTo(du, hn::LoadU(DBytes(), mask + i)) != hn::Zero(du));
        if (hn::AllFalse(d, selected)) return;
        const VF updated = vector(source.Lanes(i), hn::LoadU(d, image + i));
        if (hn::AllTrue(d, selected)) {
          StoreVector(aligned, updated, d, image + i);
        } else {
          hn::BlendedStore(updated, selected, d, image + i);
        }
      },
      [&](size_t i) HWY_ATTR {
        if (mask[i] != 0) StoreUnaligned(image + i, scalar(source.At(i), LoadUnaligned(image + i)));
      });
}

HWY_INLINE VF Sum(VF source, VF image) { return hn::Add(image, source); }
HWY_INLINE float SumOf(float source, float image) { return image + source; }

// RunningAverage of float_rules.h on vectors.
struct RunningAverageRule {
  float alpha;
  HWY_INLINE VF operator()(VF source, VF image) const {
    const VF difference = hn::Sub(source, image);
    const VF step = hn::Mul(hn::Set(DF(), alpha), difference);
    return hn::Add(image, step);
  }
  float operator()(float source, float image) const { return RunningAverage(image, source, alpha); }
};

HWY_INLINE void AddMaskedRow32f(const float* source, const uint8_t* mask, float* image, size_t n) {
  UpdateSelected(
      FloatOperand{source}, mask, image, n, [](VF s, VF x) HWY_ATTR { return Sum(s, x); }, SumOf);
}
HWY_INLINE void AddBytesRow32f(const uint8_t* source, float* image, size_t n) {
  UpdateAll(
      BytesOperand{source}, image, n, [](VF s, VF x) HWY_ATTR { return Sum(s, x); }, SumOf);
}

// The square or product of bytes, exact in 32-bit lanes, then converted.
struct SquareOperand {
  const uint8_t* pixels;
  HWY_INLINE VF Lanes(size_t i) const {
    const auto wide = hn::PromoteTo(DI(), hn::LoadU(DBytes(), pixels + i));
    return hn::ConvertTo(DF(), hn::Mul(wide, wide));
  }
  float At(size_t i) const { return static_cast<float>(pixels[i] * pixels[i]); }
};
struct ProductOperand {
  const uint8_t* first;
  const uint8_t* second;
  HWY_INLINE VF Lanes(size_t i) const {
    const auto a = hn::PromoteTo(DI(), hn::LoadU(DBytes(), first + i));
    const auto b = hn::PromoteTo(DI(), hn::LoadU(DBytes(), second + i));
    return hn::ConvertTo(DF(), hn::Mul(a, b));
  }
  float At(size_t i) const { return static_cast<float>(first[i] * second[i]); }
};

HWY_INLINE void AddSquareRow32f(const uint8_t* source, float* image, size_t n) {
  UpdateAll(
      SquareOperand{source}, image, n, [](VF s, VF x) HWY_ATTR { return Sum(s, x); }, SumOf);
}
HWY_INLINE void AddProductRow32f(const uint8_t* a, const uint8_t* b, float* image, size_t n) {
  UpdateAll(
      ProductOperand{a, b}, image, n, [](VF s, VF x) HWY_ATTR { return Sum(s, x); }, SumOf);
}
HWY_INLINE void AddWeightedRow32f(const float* source, float* image, size_t n, float alpha) {
  const RunningAverageRule rule{alpha};
  UpdateAll(FloatOperand{source}, image, n, rule, rule);
}
HWY_INLINE void AddWeightedBytesRow32f(const uint8_t* source, float* image, size_t n, float alpha) {
  const RunningAverageRule rule{alpha};
  UpdateAll(BytesOperand{source}, image, n, rule, rule);
}
HWY_INLINE void AddWeightedMaskedRow32f(const float* source, const uint8_t* mask, float* image, size_t n,
                                        float alpha) {
  const RunningAverageRule rule{alpha};
  UpdateSelected(FloatOperand{source}, mask, image, n, rule, rule);
}
HWY_INLINE void AddWeightedMaskedBytesRow32f(const uint8_t* source, const uint8_t* mask, float* image, size_t n,
                                             float alpha) {
  const RunningAverageRule rule{alpha};
  UpdateSelected(BytesOperand{source}, mask, image, n, rule, rule);
}

}  // namespace

#include "primitives/arith/arith_runs-inl.h"
#include "primitives/arith/accumulate_primitives-inl.h"
#include "primitives/arith/float_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::arith {
RYN_DISPATCH(Add32f);
RYN_DISPATCH(Sub32f);
RYN_DISPATCH(Mul32f);
RYN_DISPATCH(AddC32f);
RYN_DISPATCH(SubC32f);
RYN_DISPATCH(MulC32f);
RYN_DISPATCH(DivC32f);
RYN_DISPATCH(Div32f);
RYN_DISPATCH(Sqr32f);
RYN_DISPATCH(Abs32f);
RYN_DISPATCH(AbsDiff32f);
RYN_DISPATCH(AbsDiffC32f);
RYN_DISPATCH(AddMasked32f);
RYN_DISPATCH(Add8u32f);
RYN_DISPATCH(AddSquare8u32f);
RYN_DISPATCH(AddProduct8u32f);
RYN_DISPATCH(AddWeighted32f);
RYN_DISPATCH(AddWeighted8u32f);
RYN_DISPATCH(AddWeightedMasked32f);
RYN_DISPATCH(AddWeightedMasked8u32f);
}  // namespace ryn::arith
#endif
