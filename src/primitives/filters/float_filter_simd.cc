// Processor builds of the float filters' weighted row sums, compiled once per Highway target.
// Products and sums stay separate operations in the generic order (no fused multiply-add).
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/float_filter_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "primitives/filters/float_rows.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

void WeightedSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  const hn::ScalableTag<float> d;
  const size_t lanes = hn::Lanes(d);
  size_t c = 0;
  // Two vectors at a time hide the latency of the dependent adds.
  for (; c + 2 * lanes <= n; c += 2 * lanes) {
    auto weight = hn::Set(d, weights[0]);
    auto first = hn::Mul(weight, hn::LoadU(d, inputs[0] + c));
    auto second = hn::Mul(weight, hn::LoadU(d, inputs[0] + c + lanes));
    for (int t = 1; t < count; ++t) {
      weight = hn::Set(d, weights[t]);
      first = hn::Add(first, hn::Mul(weight, hn::LoadU(d, inputs[t] + c)));
      second = hn::Add(second, hn::Mul(weight, hn::LoadU(d, inputs[t] + c + lanes)));
    }
    hn::StoreU(first, d, out + c);
    hn::StoreU(second, d, out + c + lanes);
  }
  for (; c + lanes <= n; c += lanes) {
    auto sum = hn::Mul(hn::Set(d, weights[0]), hn::LoadU(d, inputs[0] + c));
    for (int t = 1; t < count; ++t) sum = hn::Add(sum, hn::Mul(hn::Set(d, weights[t]), hn::LoadU(d, inputs[t] + c)));
    hn::StoreU(sum, d, out + c);
  }
  for (; c < n; ++c) out[c] = WeightedSumAt(inputs, weights, count, c);
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels.h"

namespace ryn::filters {
TargetKernels<WeightedSumFn> WeightedSumBuilds() { return RYN_HWY_KERNELS(WeightedSum); }
}  // namespace ryn::filters
#endif
