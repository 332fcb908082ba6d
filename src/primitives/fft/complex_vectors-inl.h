// Vectors of interleaved complex values (real part in the even lane, imaginary part in the odd
// lane) and the arithmetic of butterflies.h on them, lane for lane the same operations. Compiled
// once per Highway target: include after <hwy/highway.h> and before HWY_BEFORE_NAMESPACE; the
// helpers live in ryn::fft::HWY_NAMESPACE.
#if defined(RYN_FFT_COMPLEX_VECTORS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FFT_COMPLEX_VECTORS_INL_H_
#undef RYN_FFT_COMPLEX_VECTORS_INL_H_
#else
#define RYN_FFT_COMPLEX_VECTORS_INL_H_
#endif

#include <hwy/highway.h>

#include <cstddef>

#include "primitives/fft/butterflies.h"
#include "primitives/fft/fft_objects.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::fft {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Vectors of at most 256 bits, for the shuffles of the first pass (written for 128 and 256 bits),
// and the widest vectors, for passes that only work lane by lane.
using ComplexTag = hn::CappedTag<float, 8>;
using ComplexVector = hn::Vec<ComplexTag>;
using WideComplexTag = hn::ScalableTag<float>;
// Complex values in one vector.
constexpr size_t kComplexLanes = hn::MaxLanes(ComplexTag()) / 2;
constexpr size_t kWideComplexLanes = hn::MaxLanes(WideComplexTag()) / 2;

// -0 in the even (real) lanes, +0 in the odd ones.
template <class D>
HWY_INLINE hn::Vec<D> NegativeEven(D d) {
  return hn::OddEven(hn::Zero(d), hn::Set(d, -0.0f));
}

// The sign mask of a direction's quarter turn.
template <class D>
struct Turns {
  hn::Vec<D> quarter;
};

template <class D>
HWY_INLINE Turns<D> TurnsFor(D d, Direction direction) {
  const hn::Vec<D> negativeOdd = hn::OddEven(hn::Set(d, -0.0f), hn::Zero(d));
  return Turns<D>{direction == Direction::kForward ? negativeOdd : NegativeEven(d)};
}

// Rotate(a, w) of butterflies.h, with the pairs (w.re, w.re) in `re` and (-w.im, w.im) in `im`:
// a re + swap(a) im = (a.re w.re - a.im w.im, a.im w.re + a.re w.im) for the forward transform,
// a re - swap(a) im for the inverse (the conjugate root).
template <bool kInverse, class D, class V = hn::Vec<D>>
HWY_INLINE V RotateV(D d, V a, V re, V im) {
  const V direct = hn::Mul(a, re);
  const V crossed = hn::Mul(hn::Reverse2(d, a), im);
  return kInverse ? hn::Sub(direct, crossed) : hn::Add(direct, crossed);
}

template <class D, class V = hn::Vec<D>>
HWY_INLINE V QuarterTurnV(D d, V a, const Turns<D>& turns) {
  return hn::Xor(hn::Reverse2(d, a), turns.quarter);
}

template <class D, class V = hn::Vec<D>>
HWY_INLINE V ScaleV(D d, V a, float s) {
  return hn::Mul(a, hn::Set(d, s));
}

template <int kRadix, class D, class V = hn::Vec<D>>
HWY_INLINE void ButterflyV(D d, V* v, const Turns<D>& turns) {
  if constexpr (kRadix == 2) {
    const V a = v[0], b = v[1];
    v[0] = hn::Add(a, b);
    v[1] = hn::Sub(a, b);
  } else if constexpr (kRadix == 3) {
    const V s = hn::Add(v[1], v[2]), t = hn::Sub(v[1], v[2]);
    const V m = hn::Sub(v[0], hn::Mul(s, hn::Set(d, kHalf)));
    const V q = QuarterTurnV(d, hn::Mul(t, hn::Set(d, kSin60)), turns);
    v[0] = hn::Add(v[0], s);
    v[1] = hn::Add(m, q);
    v[2] = hn::Sub(m, q);
  } else if constexpr (kRadix == 4) {
    const V t0 = hn::Add(v[0], v[2]), t1 = hn::Sub(v[0], v[2]);
    const V t2 = hn::Add(v[1], v[3]), t3 = QuarterTurnV(d, hn::Sub(v[1], v[3]), turns);
    v[0] = hn::Add(t0, t2);
    v[1] = hn::Add(t1, t3);
    v[2] = hn::Sub(t0, t2);
    v[3] = hn::Sub(t1, t3);
  } else {
    static_assert(kRadix == 5);
    const V c72 = hn::Set(d, kCos72), c144 = hn::Set(d, kCos144);
    const V s72 = hn::Set(d, kSin72), s144 = hn::Set(d, kSin144);
    const V a1 = hn::Add(v[1], v[4]), a2 = hn::Add(v[2], v[3]);
    const V b1 = hn::Sub(v[1], v[4]), b2 = hn::Sub(v[2], v[3]);
    const V p1 = hn::Add(hn::Add(v[0], hn::Mul(a1, c72)), hn::Mul(a2, c144));
    const V p2 = hn::Add(hn::Add(v[0], hn::Mul(a1, c144)), hn::Mul(a2, c72));
    const V q1 = QuarterTurnV(d, hn::Add(hn::Mul(b1, s72), hn::Mul(b2, s144)), turns);
    const V q2 = QuarterTurnV(d, hn::Sub(hn::Mul(b1, s144), hn::Mul(b2, s72)), turns);
    v[0] = hn::Add(hn::Add(v[0], a1), a2);
    v[1] = hn::Add(p1, q1);
    v[2] = hn::Add(p2, q2);
    v[3] = hn::Sub(p2, q2);
    v[4] = hn::Sub(p1, q1);
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::fft
HWY_AFTER_NAMESPACE();

#endif
