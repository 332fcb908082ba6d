// Processor builds of the template-matching kernels, compiled once per Highway target, and the
// dispatched operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/fft/matching_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "frame/unaligned.h"
#include "primitives/fft/butterflies.h"
#include "primitives/fft/complex_vectors-inl.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/matching_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::fft {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

void MultiplyConjugate(Ipp32fc* spectrum, const Ipp32fc* pattern, size_t n) {
  const WideComplexTag d;
  const size_t lanes = kWideComplexLanes;
  const auto negativeEven = NegativeEven(d);
  float* z = reinterpret_cast<float*>(spectrum);
  const float* t = reinterpret_cast<const float*>(pattern);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto w = hn::LoadU(d, t + 2 * i);
    const auto im = hn::Xor(hn::DupOdd(w), negativeEven);
    hn::StoreU(RotateV<true>(d, hn::LoadU(d, z + 2 * i), hn::DupEven(w), im), d, z + 2 * i);
  }
  for (; i < n; ++i) spectrum[i] = Rotate(spectrum[i], pattern[i], Direction::kInverse);
}

// Vectors of floats and of doubles with as many lanes as half the floats.
void DistanceRow(const float* correlation, const double* energy, float* destination, size_t n, double patternNorm,
                 double correlationScale) {
  const hn::CappedTag<float, 8> df;
  const hn::Half<decltype(df)> dh;
  const hn::Rebind<double, decltype(dh)> dd;
  constexpr size_t kFloats = hn::MaxLanes(decltype(df)());
  constexpr size_t kDoubles = kFloats / 2;
  const double normSquared = patternNorm * patternNorm;
  const double normFloored = AtLeast(patternNorm, kDistanceFloor);
  const auto scale = hn::Set(dd, correlationScale), two = hn::Set(dd, 2.0);
  const auto squared = hn::Set(dd, normSquared), floored = hn::Set(dd, normFloored);
  const auto floor = hn::Set(dd, kDistanceFloor);
  size_t x = 0;
  for (; x + kFloats <= n; x += kFloats) {
    const auto lower = hn::LoadU(df, correlation + 2 * x), upper = hn::LoadU(df, correlation + 2 * x + kFloats);
    const auto parts = hn::ConcatEven(df, upper, lower);
    hn::Vec<decltype(dh)> halves[2];
    for (size_t h = 0; h < 2; ++h) {
      const auto c = hn::Mul(hn::PromoteTo(dd, h == 0 ? hn::LowerHalf(dh, parts) : hn::UpperHalf(dh, parts)), scale);
      const auto e = hn::LoadU(dd, energy + x + h * kDoubles);
      const auto distance = hn::Add(hn::Sub(e, hn::Mul(two, c)), squared);
      halves[h] = hn::DemoteTo(dh, hn::Div(distance, hn::Mul(hn::Sqrt(hn::Max(e, floor)), floored)));
    }
    hn::StoreU(hn::Combine(df, halves[1], halves[0]), df, destination + x);
  }
  for (; x < n; ++x) {
    StoreUnaligned(destination + x,
                   DistanceOf(correlation[2 * x] * correlationScale, energy[x], normSquared, normFloored));
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::fft
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::fft {
RYN_DISPATCH(MultiplyConjugate);
RYN_DISPATCH(DistanceRow);
}  // namespace ryn::fft
#endif
