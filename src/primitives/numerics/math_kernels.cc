// Processor builds of the element-wise functions, compiled once per Highway target, and the
// dispatched operations that bind them. Each vector takes the ordinary path in every lane; a
// vector with special lanes then has those lanes recomputed by the scalar special paths, from the
// operands loaded before anything was stored (so in-place calls stay correct).
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/numerics/math_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/numerics/math_checks.h"
#include "primitives/numerics/math_rules.h"
#include "primitives/numerics/numerics.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::numerics {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

constexpr size_t kMaxFloatLanes = 16;

// ReciprocalEstimate of math_rules.h, lane by lane.
template <class D, class V>
HWY_INLINE V ReciprocalEstimates(D d, V denominator) {
  const hn::RebindToUnsigned<D> du;
  const auto two = hn::Set(d, 2.0f);
  auto r = hn::BitCast(d, hn::Sub(hn::Set(du, kReciprocalMagic), hn::BitCast(du, denominator)));
  r = hn::Mul(r, hn::Sub(two, hn::Mul(denominator, r)));
  return hn::Mul(r, hn::Sub(two, hn::Mul(denominator, r)));
}

// ReciprocalSqrtEstimate, lane by lane.
template <class D, class V>
HWY_INLINE V ReciprocalSqrtEstimates(D d, V s, V halfS) {
  const hn::RebindToUnsigned<D> du;
  const auto y = hn::BitCast(d, hn::Sub(hn::Set(du, kReciprocalSqrtMagic), hn::ShiftRight<1>(hn::BitCast(du, s))));
  return hn::Mul(y, hn::Sub(hn::Set(d, 1.5f), hn::Mul(hn::Mul(halfS, y), y)));
}

// OrdinaryAtan2, lane by lane.
template <class D, class V>
HWY_INLINE V OrdinaryAtan2s(D d, V y, V x) {
  const auto ay = hn::Abs(y), ax = hn::Abs(x);
  const auto steep = hn::Gt(ay, ax);
  const auto numerator = hn::IfThenElse(steep, ax, ay);
  const auto denominator = hn::IfThenElse(steep, ay, ax);
  auto r = ReciprocalEstimates(d, denominator);
  r = hn::Mul(r, hn::Sub(hn::Set(d, 2.0f), hn::Mul(denominator, r)));
  const auto t = hn::Mul(numerator, r);
  const auto t2 = hn::Mul(t, t);
  auto p = hn::Add(hn::Mul(hn::Set(d, kAtanC7), t2), hn::Set(d, kAtanC5));
  p = hn::Add(hn::Mul(p, t2), hn::Set(d, kAtanC3));
  p = hn::Add(hn::Mul(p, t2), hn::Set(d, kAtanC1));
  p = hn::Mul(t, p);
  const auto base = hn::IfThenElse(steep, hn::Sub(hn::Set(d, kHalfPi), p), p);
  const auto angle = hn::IfThenElse(hn::Lt(x, hn::Zero(d)), hn::Sub(hn::Set(d, kPi), base), base);
  return hn::CopySign(angle, y);
}

template <class D, class V>
HWY_INLINE auto Atan2Ordinaries(D d, V y, V x) {
  const auto smallest = hn::Set(d, kAtan2Smallest), largest = hn::Set(d, kAtan2Largest);
  const auto ay = hn::Abs(y), ax = hn::Abs(x);
  return hn::And(hn::And(hn::Ge(ax, smallest), hn::Lt(ax, largest)), hn::And(hn::Ge(ay, smallest), hn::Lt(ay, largest)));
}

// OrdinaryHypot, lane by lane.
template <class D, class V>
HWY_INLINE V OrdinaryHypots(D d, V s) {
  const auto halfS = hn::Mul(hn::Set(d, 0.5f), s);
  auto y = ReciprocalSqrtEstimates(d, s, halfS);
  y = hn::Mul(y, hn::Sub(hn::Set(d, 1.5f), hn::Mul(hn::Mul(halfS, y), y)));
  const auto r = hn::Mul(s, y);
  return hn::Add(r, hn::Mul(hn::Mul(hn::Set(d, 0.5f), y), hn::Sub(s, hn::Mul(r, r))));
}

// OrdinarySine, lane by lane.
template <class D, class V>
HWY_INLINE V OrdinarySines(D d, V x) {
  const auto shift = hn::Set(d, kFloatRoundingShift);
  const auto k = hn::Sub(hn::Add(hn::Mul(x, hn::Set(d, kInverseTwoPi)), shift), shift);
  auto r = hn::Sub(x, hn::Mul(k, hn::Set(d, kTwoPiHigh)));
  r = hn::Sub(r, hn::Mul(k, hn::Set(d, kTwoPiMiddle)));
  r = hn::Sub(r, hn::Mul(k, hn::Set(d, kTwoPiLow)));
  r = hn::IfThenElse(hn::Gt(r, hn::Set(d, kHalfPi)), hn::Sub(hn::Set(d, kPi), r), r);
  r = hn::IfThenElse(hn::Lt(r, hn::Set(d, -kHalfPi)), hn::Sub(hn::Set(d, -kPi), r), r);
  const auto z = hn::Mul(r, r);
  auto p = hn::Add(hn::Mul(hn::Set(d, kSineC3), z), hn::Set(d, kSineC2));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineC1));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineC0));
  return hn::Mul(r, p);
}

// Lanes outside `ordinary` replaced by special(a[l], b[l]), in lane order.
template <class D, class V, class M, class Special>
HWY_INLINE V PatchSpecialLanes(D d, V result, M ordinary, V a, V b, Special&& special) {
  HWY_ALIGN float results[kMaxFloatLanes], as[kMaxFloatLanes], bs[kMaxFloatLanes];
  HWY_ALIGN float ordinaries[kMaxFloatLanes];
  hn::Store(result, d, results);
  hn::Store(a, d, as);
  hn::Store(b, d, bs);
  hn::Store(hn::VecFromMask(d, ordinary), d, ordinaries);
  for (size_t l = 0; l < hn::Lanes(d); ++l) {
    if (std::bit_cast<uint32_t>(ordinaries[l]) == 0) results[l] = special(as[l], bs[l]);
  }
  return hn::Load(d, results);
}

HWY_INLINE IppStatus Atan2Row(const float* y, const float* x, float* destination, size_t n) {
  const hn::ScalableTag<float> d;
  IppStatus status = ippStsNoErr;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto vy = hn::LoadU(d, y + i), vx = hn::LoadU(d, x + i);
        auto result = OrdinaryAtan2s(d, vy, vx);
        const auto ordinary = Atan2Ordinaries(d, vy, vx);
        if (!hn::AllTrue(d, ordinary)) {
          result = PatchSpecialLanes(d, result, ordinary, vy, vx,
                                     [&](float a, float b) { return SpecialAtan2(a, b, status); });
        }
        StoreVector(aligned, result, d, destination + i);
      },
      [&](size_t i) HWY_ATTR {
        StoreUnaligned(destination + i, Atan2Element(LoadUnaligned(y + i), LoadUnaligned(x + i), status));
      });
  return status;
}

HWY_INLINE IppStatus HypotRow(const float* a, const float* b, float* destination, size_t n) {
  const hn::ScalableTag<float> d;
  const auto smallest = hn::Set(d, kHypotSmallest), largest = hn::Set(d, kHypotLargest);
  IppStatus status = ippStsNoErr;
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto va = hn::LoadU(d, a + i), vb = hn::LoadU(d, b + i);
        const auto s = hn::Add(hn::Mul(va, va), hn::Mul(vb, vb));
        auto result = OrdinaryHypots(d, s);
        const auto ordinary = hn::And(hn::Ge(s, smallest), hn::Le(s, largest));
        if (!hn::AllTrue(d, ordinary)) {
          result = PatchSpecialLanes(d, result, ordinary, va, vb,
                                     [&](float p, float q) { return SpecialHypot(p, q, status); });
        }
        StoreVector(aligned, result, d, destination + i);
      },
      [&](size_t i) HWY_ATTR {
        StoreUnaligned(destination + i, HypotElement(LoadUnaligned(a + i), LoadUnaligned(b + i), status));
      });
  return status;
}

HWY_INLINE void SineRow(const float* source, float* destination, size_t n) {
  const hn::ScalableTag<float> d;
  const auto limit = hn::Set(d, kSineLimit);
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto x = hn::LoadU(d, source + i);
        auto result = OrdinarySines(d, x);
        const auto ordinary = hn::Le(hn::Abs(x), limit);
        if (!hn::AllTrue(d, ordinary)) {
          result = PatchSpecialLanes(d, result, ordinary, x, x, [](float a, float) { return SpecialSine(a); });
        }
        StoreVector(aligned, result, d, destination + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(destination + i, SineElement(LoadUnaligned(source + i))); });
}

// The phase, its reduction and the sine of math_rules.h, lane by lane.
template <class D, class V>
HWY_INLINE V JaehneSines(D d, V xc, V ycSquared, V fourHeight) {
  const auto phase = hn::Div(hn::Mul(hn::Add(hn::Mul(xc, xc), ycSquared), hn::Set(d, kTwoPiDouble)), fourHeight);
  const auto turns = hn::Mul(phase, hn::Set(d, kInverseTwoPiDouble));
  const auto shift = hn::Set(d, kDoubleRoundingShift);
  const auto whole = hn::IfThenElse(hn::Lt(hn::Abs(turns), hn::Set(d, kWholeTurns)),
                                    hn::Sub(hn::Add(turns, shift), shift), turns);
  auto r = hn::Mul(hn::Sub(turns, whole), hn::Set(d, kTwoPiDouble));
  r = hn::IfThenElse(hn::Gt(r, hn::Set(d, kHalfPiDouble)), hn::Sub(hn::Set(d, kPiDouble), r), r);
  r = hn::IfThenElse(hn::Lt(r, hn::Set(d, -kHalfPiDouble)), hn::Sub(hn::Set(d, -kPiDouble), r), r);
  const auto z = hn::Mul(r, r);
  auto p = hn::Add(hn::Mul(hn::Set(d, kSineD8), z), hn::Set(d, kSineD7));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD6));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD5));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD4));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD3));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD2));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD1));
  p = hn::Add(hn::Mul(p, z), hn::Set(d, kSineD0));
  return hn::Mul(r, p);
}

HWY_INLINE void JaehneRow(uint8_t* row, size_t width, double centreX, double ycSquared, double fourHeight) {
  const hn::ScalableTag<double> dd;
  const hn::Rebind<int32_t, decltype(dd)> di;
  const hn::Rebind<uint8_t, decltype(dd)> d8;
  const auto centres = hn::Set(dd, centreX), ycSquares = hn::Set(dd, ycSquared);
  const auto fourHeights = hn::Set(dd, fourHeight);
  const auto one = hn::Set(dd, 1.0), scale = hn::Set(dd, kJaehneScale);
  ForEachVectorAligned(
      d8, row, width,
      [&](size_t x, auto aligned) HWY_ATTR {
        const auto xc = hn::Sub(hn::Iota(dd, static_cast<double>(x)), centres);
        const auto v = JaehneSines(dd, xc, ycSquares, fourHeights);
        const auto levels = hn::DemoteTo(di, hn::Mul(hn::Add(v, one), scale));
        StoreVector(aligned, hn::DemoteTo(d8, levels), d8, row + x);
      },
      [&](size_t x) HWY_ATTR { row[x] = JaehnePixel(static_cast<double>(x) - centreX, ycSquared, fourHeight); });
}

}  // namespace

#include "primitives/numerics/math_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::numerics
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::numerics {
RYN_DISPATCH(Atan2);
RYN_DISPATCH(Hypot);
RYN_DISPATCH(SinA11);
RYN_DISPATCH(Jaehne);
}  // namespace ryn::numerics
#endif
