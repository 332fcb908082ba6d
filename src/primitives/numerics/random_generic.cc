// The generic random generators: one generator step per uniform sample, pairs drawn one at a
// time for the Gaussian ones. The reference for every processor build.
#include <algorithm>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/filters/round_to_nearest.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/random_samples.h"

namespace ryn::numerics::generic {
namespace {

template <class T>
void FillUniform(GeneratorWords& words, T* destination, size_t n, double midpoint, double scale) {
  for (size_t i = 0; i < n; ++i) {
    StoreUnaligned(destination + i, UniformSample<T>(UniformValue(NextOutput(words), midpoint, scale)));
  }
}

// `pairs` accepted pairs as scaled deviates in output order: u2 x f, then u1 x f.
void NormalDeviates(GeneratorWords& words, size_t pairs, double* deviates, NormalPair* last) {
  for (size_t p = 0; p < pairs; ++p) {
    *last = DrawNormalPair(words);
    deviates[2 * p] = last->second * last->factor;
    deviates[2 * p + 1] = last->first * last->factor;
  }
}

template <class T>
void FillGauss(T* destination, const double* deviates, size_t n, T mean, double deviation) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(destination + i, GaussSample<T>(deviates[i], mean, deviation));
}

}  // namespace

#include "primitives/numerics/random_primitives-inl.h"

}  // namespace ryn::numerics::generic
