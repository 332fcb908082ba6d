// The arithmetic of the transforms, one complex value at a time. The generic build runs these; the
// processor builds compute every lane with the same operations in the same order (the sign flips
// are exact, and a + (-b) rounds as a - b), so each build gives the generic results bit for bit.
#pragma once

#include "RynRAZUdidazoror.h"
#include "primitives/fft/fft_objects.h"

namespace ryn::fft {

inline Ipp32fc Add(Ipp32fc a, Ipp32fc b) { return Ipp32fc{a.re + b.re, a.im + b.im}; }
inline Ipp32fc Sub(Ipp32fc a, Ipp32fc b) { return Ipp32fc{a.re - b.re, a.im - b.im}; }
inline Ipp32fc Scale(Ipp32fc a, float s) { return Ipp32fc{a.re * s, a.im * s}; }

// a times the root w, or times its conjugate for the inverse transform.
inline Ipp32fc Rotate(Ipp32fc a, Ipp32fc w, Direction direction) {
  const float rr = a.re * w.re, ir = a.im * w.re;
  const float ii = a.im * w.im, ri = a.re * w.im;
  return direction == Direction::kForward ? Ipp32fc{rr - ii, ir + ri} : Ipp32fc{rr + ii, ir - ri};
}

// -i a for the forward transform, +i a for the inverse.
inline Ipp32fc QuarterTurn(Ipp32fc a, Direction direction) {
  return direction == Direction::kForward ? Ipp32fc{a.im, -a.re} : Ipp32fc{-a.im, a.re};
}

// Constants of the radix-3 and radix-5 butterflies.
constexpr float kHalf = 0.5f;
constexpr float kSin60 = 0.866025403784438646763723f;
constexpr float kCos72 = 0.309016994374947424102293f;
constexpr float kCos144 = -0.809016994374947424102293f;
constexpr float kSin72 = 0.951056516295153572116439f;
constexpr float kSin144 = 0.587785252292473129168706f;

inline void Radix2(Ipp32fc* v) {
  const Ipp32fc a = v[0], b = v[1];
  v[0] = Add(a, b);
  v[1] = Sub(a, b);
}

inline void Radix3(Ipp32fc* v, Direction direction) {
  const Ipp32fc s = Add(v[1], v[2]), d = Sub(v[1], v[2]);
  const Ipp32fc m = Sub(v[0], Scale(s, kHalf));
  const Ipp32fc t = QuarterTurn(Scale(d, kSin60), direction);
  v[0] = Add(v[0], s);
  v[1] = Add(m, t);
  v[2] = Sub(m, t);
}

inline void Radix4(Ipp32fc* v, Direction direction) {
  const Ipp32fc t0 = Add(v[0], v[2]), t1 = Sub(v[0], v[2]);
  const Ipp32fc t2 = Add(v[1], v[3]), t3 = QuarterTurn(Sub(v[1], v[3]), direction);
  v[0] = Add(t0, t2);
  v[1] = Add(t1, t3);
  v[2] = Sub(t0, t2);
  v[3] = Sub(t1, t3);
}

inline void Radix5(Ipp32fc* v, Direction direction) {
  const Ipp32fc a1 = Add(v[1], v[4]), a2 = Add(v[2], v[3]);
  const Ipp32fc b1 = Sub(v[1], v[4]), b2 = Sub(v[2], v[3]);
  const Ipp32fc p1 = Add(Add(v[0], Scale(a1, kCos72)), Scale(a2, kCos144));
  const Ipp32fc p2 = Add(Add(v[0], Scale(a1, kCos144)), Scale(a2, kCos72));
  const Ipp32fc q1 = QuarterTurn(Add(Scale(b1, kSin72), Scale(b2, kSin144)), direction);
  const Ipp32fc q2 = QuarterTurn(Sub(Scale(b1, kSin144), Scale(b2, kSin72)), direction);
  v[0] = Add(Add(v[0], a1), a2);
  v[1] = Add(p1, q1);
  v[2] = Add(p2, q2);
  v[3] = Sub(p2, q2);
  v[4] = Sub(p1, q1);
}

// Output m of a radix without a butterfly of its own, by the direct sum over its `radix`
// values: y[m] = sum over k of v[k] W^(k m), from k = 0 up.
inline Ipp32fc DirectSum(const Ipp32fc* v, int radix, int m, const Ipp32fc* roots, Direction direction) {
  Ipp32fc sum = v[0];
  int t = 0;
  for (int k = 1; k < radix; ++k) {
    t += m;
    if (t >= radix) t -= radix;
    sum = Add(sum, Rotate(v[k], roots[t], direction));
  }
  return sum;
}

// The butterfly of a radix with a butterfly of its own (2 to 5), in place.
inline void SmallRadix(Ipp32fc* v, int radix, Direction direction) {
  switch (radix) {
    case 2: return Radix2(v);
    case 3: return Radix3(v, direction);
    case 4: return Radix4(v, direction);
    default: return Radix5(v, direction);
  }
}

constexpr int kLargestSmallRadix = 5;
// Direct radices up to this size keep their scratch on the stack.
constexpr int kStackDirectRadix = 16;

}  // namespace ryn::fft
