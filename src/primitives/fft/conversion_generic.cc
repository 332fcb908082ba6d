// The generic polar and complex conversions: plain C++, the reference for every processor build.
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/fft_checks.h"
#include "primitives/fft/polar_rules.h"

namespace ryn::fft::generic {
namespace {

void MagnitudeRow(const Ipp32fc* source, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const Ipp32fc z = LoadUnaligned(source + i);
    StoreUnaligned(destination + i, MagnitudeOf(z.re, z.im));
  }
}

void PhaseRow(const Ipp32fc* source, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const Ipp32fc z = LoadUnaligned(source + i);
    StoreUnaligned(destination + i, PhaseOf(z.im, z.re));
  }
}

void PolarToCartRow(const float* magnitude, const float* phase, Ipp32fc* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const float m = LoadUnaligned(magnitude + i);
    const SineCosine angle = SineCosineOf(LoadUnaligned(phase + i));
    StoreUnaligned(destination + i, Ipp32fc{m * angle.cosine, m * angle.sine});
  }
}

void MagnitudeOfPairs(const float* re, const float* im, float* magnitude, size_t n) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(magnitude + i, MagnitudeOf(LoadUnaligned(re + i), LoadUnaligned(im + i)));
}

void PhaseOfPairs(const float* re, const float* im, float* phase, size_t n) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(phase + i, PhaseOf(LoadUnaligned(im + i), LoadUnaligned(re + i)));
}

void InterleaveRow(const float* re, const float* im, Ipp32fc* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(destination + i, Ipp32fc{LoadUnaligned(re + i), LoadUnaligned(im + i)});
}

}  // namespace

#include "primitives/fft/conversion_primitives-inl.h"

}  // namespace ryn::fft::generic
