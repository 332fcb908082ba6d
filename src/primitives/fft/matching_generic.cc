// The generic kernels of template matching: plain C++, the reference for every processor build.
#include "frame/unaligned.h"
#include "primitives/fft/butterflies.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/matching_rules.h"

namespace ryn::fft::generic {

void MultiplyConjugate(Ipp32fc* spectrum, const Ipp32fc* pattern, size_t n) {
  for (size_t i = 0; i < n; ++i) spectrum[i] = Rotate(spectrum[i], pattern[i], Direction::kInverse);
}

void DistanceRow(const float* correlation, const double* energy, float* destination, size_t n, double patternNorm,
                 double correlationScale) {
  const double normSquared = patternNorm * patternNorm;
  const double normFloored = AtLeast(patternNorm, kDistanceFloor);
  for (size_t x = 0; x < n; ++x) {
    StoreUnaligned(destination + x,
                   DistanceOf(correlation[2 * x] * correlationScale, energy[x], normSquared, normFloored));
  }
}

}  // namespace ryn::fft::generic
