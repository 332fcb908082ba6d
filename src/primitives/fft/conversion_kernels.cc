// Processor builds of the polar and complex conversions, compiled once per Highway target, and
// the dispatched operations that bind them. Every lane follows polar_rules.h operation for
// operation; tails run the rules themselves.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/fft/conversion_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/fft_checks.h"
#include "primitives/fft/polar_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::fft {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using FloatTag = hn::ScalableTag<float>;
using FloatVector = hn::Vec<FloatTag>;
constexpr size_t kFloats = hn::MaxLanes(FloatTag());

HWY_INLINE FloatVector MagnitudeV(FloatVector re, FloatVector im) {
  return hn::Sqrt(hn::Add(hn::Mul(re, re), hn::Mul(im, im)));
}

HWY_INLINE FloatVector PhaseV(FloatVector y, FloatVector x) {
  const FloatTag d;
  const hn::RebindToSigned<FloatTag> di;
  const FloatVector one = hn::Set(d, 1.0f), zero = hn::Zero(d);
  const FloatVector ax = hn::Abs(x), ay = hn::Abs(y);
  const auto yLarger = hn::Lt(ax, ay);
  const FloatVector high = hn::IfThenElse(yLarger, ay, ax);
  const FloatVector low = hn::IfThenElse(yLarger, ax, ay);
  FloatVector t = hn::IfThenElse(hn::Eq(low, high), one, hn::Div(low, high));
  t = hn::IfThenElse(hn::Eq(high, zero), zero, t);
  const auto reduced = hn::Gt(t, hn::Set(d, kTanEighthPi));
  const FloatVector u = hn::IfThenElse(reduced, hn::Div(hn::Sub(t, one), hn::Add(t, one)), t);
  const FloatVector z = hn::Mul(u, u);
  FloatVector polynomial = hn::Add(hn::Mul(hn::Set(d, kAtan0), z), hn::Set(d, kAtan1));
  polynomial = hn::Add(hn::Mul(polynomial, z), hn::Set(d, kAtan2));
  polynomial = hn::Add(hn::Mul(polynomial, z), hn::Set(d, kAtan3));
  const FloatVector base = hn::IfThenElseZero(reduced, hn::Set(d, kQuarterPi));
  FloatVector r = hn::Add(base, hn::Add(hn::Mul(hn::Mul(polynomial, z), u), u));
  r = hn::IfThenElse(yLarger, hn::Sub(hn::Set(d, kHalfPi), r), r);
  r = hn::IfThenElse(hn::RebindMask(d, hn::Lt(hn::BitCast(di, x), hn::Zero(di))), hn::Sub(hn::Set(d, kPi), r), r);
  r = hn::IfThenElse(hn::RebindMask(d, hn::Lt(hn::BitCast(di, y), hn::Zero(di))), hn::Neg(r), r);
  // IsNaN, not Ne(x, x): the AVX2 and AVX3 comparisons for "not equal" are ordered, false for NaN.
  return hn::IfThenElse(hn::Or(hn::IsNaN(x), hn::IsNaN(y)), hn::Add(x, y), r);
}

HWY_INLINE void SineCosineV(FloatVector x, FloatVector* sine, FloatVector* cosine) {
  const FloatTag d;
  const hn::RebindToSigned<FloatTag> di;
  const FloatVector q = hn::Round(hn::Mul(x, hn::Set(d, kTwoOverPi)));
  const FloatVector r = hn::Sub(hn::Sub(hn::Sub(x, hn::Mul(q, hn::Set(d, kHalfPiPart1))), hn::Mul(q, hn::Set(d, kHalfPiPart2))),
                                hn::Mul(q, hn::Set(d, kHalfPiPart3)));
  const FloatVector z = hn::Mul(r, r);
  FloatVector s = hn::Add(hn::Mul(hn::Set(d, kSin0), z), hn::Set(d, kSin1));
  s = hn::Add(hn::Mul(s, z), hn::Set(d, kSin2));
  s = hn::Add(hn::Mul(hn::Mul(s, z), r), r);
  FloatVector c = hn::Add(hn::Mul(hn::Set(d, kCos0), z), hn::Set(d, kCos1));
  c = hn::Add(hn::Mul(c, z), hn::Set(d, kCos2));
  c = hn::Add(hn::Sub(hn::Mul(hn::Mul(c, z), z), hn::Mul(hn::Set(d, 0.5f), z)), hn::Set(d, 1.0f));
  const auto quadrant = hn::And(hn::ConvertTo(di, q), hn::Set(di, 3));
  const auto zeroInt = hn::Zero(di);
  const auto swap = hn::RebindMask(d, hn::Ne(hn::And(quadrant, hn::Set(di, 1)), zeroInt));
  const FloatVector swappedSine = hn::IfThenElse(swap, c, s);
  const FloatVector swappedCosine = hn::IfThenElse(swap, s, c);
  const auto negateSine = hn::RebindMask(d, hn::Ne(hn::And(quadrant, hn::Set(di, 2)), zeroInt));
  const auto negateCosine =
      hn::RebindMask(d, hn::Ne(hn::And(hn::Add(quadrant, hn::Set(di, 1)), hn::Set(di, 2)), zeroInt));
  *sine = hn::IfThenElse(negateSine, hn::Neg(swappedSine), swappedSine);
  *cosine = hn::IfThenElse(negateCosine, hn::Neg(swappedCosine), swappedCosine);
  // Lanes beyond the reduction take the wide rule, as the generic build does.
  if (!hn::AllTrue(d, hn::Le(hn::Abs(x), hn::Set(d, kLargestReducedAngle)))) {
    HWY_ALIGN float angles[kFloats], sines[kFloats], cosines[kFloats];
    hn::Store(x, d, angles);
    hn::Store(*sine, d, sines);
    hn::Store(*cosine, d, cosines);
    for (size_t l = 0; l < kFloats; ++l) {
      if (!OutsideReduction(angles[l])) continue;
      const SineCosine wide = SineCosineWide(angles[l]);
      sines[l] = wide.sine;
      cosines[l] = wide.cosine;
    }
    *sine = hn::Load(d, sines);
    *cosine = hn::Load(d, cosines);
  }
}

// The real and imaginary parts of the kFloats complex values at `pairs`.
HWY_INLINE void LoadComplex(const float* pairs, FloatVector* re, FloatVector* im) {
  hn::LoadInterleaved2(FloatTag(), pairs, *re, *im);
}

// Stores (re[l], im[l]) pairs at `pairs`.
HWY_INLINE void StoreComplex(FloatVector re, FloatVector im, float* pairs) {
  hn::StoreInterleaved2(re, im, FloatTag(), pairs);
}

const float* Floats(const Ipp32fc* p) { return reinterpret_cast<const float*>(p); }
float* Floats(Ipp32fc* p) { return reinterpret_cast<float*>(p); }

HWY_INLINE void MagnitudeRow(const Ipp32fc* source, float* destination, size_t n) {
  const FloatTag d;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        FloatVector re, im;
        LoadComplex(Floats(source + i), &re, &im);
        StoreVector(aligned, MagnitudeV(re, im), d, destination + i);
      },
      [&](size_t i) HWY_ATTR {
        const Ipp32fc z = LoadUnaligned(source + i);
        StoreUnaligned(destination + i, MagnitudeOf(z.re, z.im));
      });
}

HWY_INLINE void PhaseRow(const Ipp32fc* source, float* destination, size_t n) {
  const FloatTag d;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        FloatVector re, im;
        LoadComplex(Floats(source + i), &re, &im);
        StoreVector(aligned, PhaseV(im, re), d, destination + i);
      },
      [&](size_t i) HWY_ATTR {
        const Ipp32fc z = LoadUnaligned(source + i);
        StoreUnaligned(destination + i, PhaseOf(z.im, z.re));
      });
}

HWY_INLINE void PolarToCartRow(const float* magnitude, const float* phase, Ipp32fc* destination, size_t n) {
  const FloatTag d;
  size_t i = 0;
  for (; i + kFloats <= n; i += kFloats) {
    const FloatVector m = hn::LoadU(d, magnitude + i);
    FloatVector sine, cosine;
    SineCosineV(hn::LoadU(d, phase + i), &sine, &cosine);
    StoreComplex(hn::Mul(m, cosine), hn::Mul(m, sine), Floats(destination + i));
  }
  for (; i < n; ++i) {
    const float m = LoadUnaligned(magnitude + i);
    const SineCosine angle = SineCosineOf(LoadUnaligned(phase + i));
    StoreUnaligned(destination + i, Ipp32fc{m * angle.cosine, m * angle.sine});
  }
}

HWY_INLINE void MagnitudeOfPairs(const float* re, const float* im, float* magnitude, size_t n) {
  const FloatTag d;
  ForEachVectorAligned(
      d, magnitude, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, MagnitudeV(hn::LoadU(d, re + i), hn::LoadU(d, im + i)), d, magnitude + i);
      },
      [&](size_t i) HWY_ATTR {
        StoreUnaligned(magnitude + i, MagnitudeOf(LoadUnaligned(re + i), LoadUnaligned(im + i)));
      });
}

HWY_INLINE void PhaseOfPairs(const float* re, const float* im, float* phase, size_t n) {
  const FloatTag d;
  ForEachVectorAligned(
      d, phase, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, PhaseV(hn::LoadU(d, im + i), hn::LoadU(d, re + i)), d, phase + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(phase + i, PhaseOf(LoadUnaligned(im + i), LoadUnaligned(re + i))); });
}

HWY_INLINE void InterleaveRow(const float* re, const float* im, Ipp32fc* destination, size_t n) {
  const FloatTag d;
  size_t i = 0;
  for (; i + kFloats <= n; i += kFloats) StoreComplex(hn::LoadU(d, re + i), hn::LoadU(d, im + i), Floats(destination + i));
  for (; i < n; ++i) StoreUnaligned(destination + i, Ipp32fc{LoadUnaligned(re + i), LoadUnaligned(im + i)});
}

}  // namespace

#include "primitives/fft/conversion_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::fft
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::fft {
RYN_DISPATCH(Magnitude);
RYN_DISPATCH(Phase);
RYN_DISPATCH(PolarToCart);
RYN_DISPATCH(CartToPolar);
RYN_DISPATCH(RealToComplex);
}  // namespace ryn::fft
#endif
