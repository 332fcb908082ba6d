// Processor builds of the float filters' weighted row sums, compiled once per Highway target.
// Products and sums stay separate operations in the generic order (no fused multiply-add).
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/float_filter_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "primitives/filters/float_rows.h"
#include "primitives/filters/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Four vectors at a time, taps outermost: each vector has its own chain of dependent adds,
// which would otherwise leave the adder waiting.
using DF = hn::ScalableTag<float>;
using VF = hn::Vec<DF>;
constexpr size_t kChains = 4;

struct Chains {
  VF v[kChains];
};

// First(c) -> Chains starts the sums of the vectors at c, c + lanes, ...; Next(c, t, chains)
// adds term t. Runs every vector of the n outputs.
template <class First, class Next, class Scalar>
HWY_INLINE void StoreSums(size_t n, int terms, float* out, First first, Next next, Scalar scalar) {
  const DF d;
  const size_t lanes = hn::Lanes(d);
  size_t c = 0;
  for (; c + kChains * lanes <= n; c += kChains * lanes) {
    Chains sums = first(c, kChains);
    for (int t = 1; t < terms; ++t) next(c, t, sums, kChains);
    for (size_t v = 0; v < kChains; ++v) hn::StoreU(sums.v[v], d, out + c + v * lanes);
  }
  ForEachVectorOverlappingEnd(
      n - c, lanes,
      [&](size_t i) HWY_ATTR {
        Chains sums = first(c + i, 1);
        for (int t = 1; t < terms; ++t) next(c + i, t, sums, 1);
        hn::StoreU(sums.v[0], d, out + c + i);
      },
      [&](size_t i) { scalar(c + i); });
}

void WeightedSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  const DF d;
  const size_t lanes = hn::Lanes(d);
  StoreSums(
      n, count, out,
      [&](size_t c, size_t chains) HWY_ATTR {
        Chains sums;
        const auto weight = hn::Set(d, weights[0]);
        for (size_t v = 0; v < chains; ++v) sums.v[v] = hn::Mul(weight, hn::LoadU(d, inputs[0] + c + v * lanes));
        return sums;
      },
      [&](size_t c, int t, Chains& sums, size_t chains) HWY_ATTR {
        const auto weight = hn::Set(d, weights[t]);
        const float* input = inputs[t] + c;
        for (size_t v = 0; v < chains; ++v) sums.v[v] = hn::Add(sums.v[v], hn::Mul(weight, hn::LoadU(d, input + v * lanes)));
      },
      [&](size_t c) { out[c] = WeightedSumAt(inputs, weights, count, c); });
}

void SymmetricSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  const DF d;
  const size_t lanes = hn::Lanes(d);
  const int r = count / 2;
  StoreSums(
      n, r + 1, out,
      [&](size_t c, size_t chains) HWY_ATTR {
        Chains sums;
        const auto weight = hn::Set(d, weights[r]);
        for (size_t v = 0; v < chains; ++v) sums.v[v] = hn::Mul(weight, hn::LoadU(d, inputs[r] + c + v * lanes));
        return sums;
      },
      [&](size_t c, int t, Chains& sums, size_t chains) HWY_ATTR {
        const auto weight = hn::Set(d, weights[r - t]);
        const float* before = inputs[r - t] + c;
        const float* after = inputs[r + t] + c;
        for (size_t v = 0; v < chains; ++v) {
          const auto pair = hn::Add(hn::LoadU(d, before + v * lanes), hn::LoadU(d, after + v * lanes));
          sums.v[v] = hn::Add(sums.v[v], hn::Mul(weight, pair));
        }
      },
      [&](size_t c) { out[c] = SymmetricSumAt(inputs, weights, count, c); });
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels_legacy.h"

namespace ryn::filters {
TargetKernels<WeightedSumFn> WeightedSumBuilds() { return RYN_HWY_KERNELS(WeightedSum); }
TargetKernels<SymmetricSumFn> SymmetricSumBuilds() { return RYN_HWY_KERNELS(SymmetricSum); }
}  // namespace ryn::filters
#endif
