// Processor builds of the float filters (box mean, kernel, Gaussian border), compiled once per
// Highway target, and the dispatched operations that bind them. Products and sums stay separate
// operations in the generic order (no fused multiply-add), so every build gives the generic
// bits.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/filters_32f_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/box_rules.h"
#include "primitives/filters/filters_checks.h"
#include "primitives/filters/float_kernel_filter.h"
#include "primitives/filters/float_rules.h"
#include "primitives/filters/gauss_border_filter.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;

using DF = hn::ScalableTag<float>;
using VF = hn::Vec<DF>;

// ------------------------------------------------------------------------------------------
// Sums of several terms per output, formed four vectors at a time with the terms outermost, so
// that each vector has its own chain of dependent adds, which would otherwise leave the adder
// waiting; every output still adds its terms in the generic order.
constexpr size_t kChains = 4;

struct Chains {
  VF v[kChains];
};

// first(c, chains) starts the sums of the vectors at c, c + lanes, ...; next(c, t, sums, chains)
// adds term t; each sum is stored as finish(sum). Every whole vector of the n outputs, then one
// vector ending at n that overlaps the previous one (the outputs never depend on `out`), or
// scalar(c) for rows shorter than a vector.
template <class First, class Next, class Finish, class Scalar>
HWY_INLINE void StoreSums(size_t n, int terms, float* HWY_RESTRICT out, First first, Next next, Finish finish,
                          Scalar scalar) {
  const DF d;
  const size_t lanes = hn::Lanes(d);
  size_t c = 0;
  for (; c + kChains * lanes <= n; c += kChains * lanes) {
    Chains sums = first(c, kChains);
    for (int t = 1; t < terms; ++t) next(c, t, sums, kChains);
    for (size_t v = 0; v < kChains; ++v) hn::StoreU(finish(sums.v[v]), d, out + c + v * lanes);
  }
  if (n < lanes) {
    for (; c < n; ++c) scalar(c);
    return;
  }
  for (; c < n; c += lanes) {
    if (c + lanes > n) c = n - lanes;
    Chains sums = first(c, 1);
    for (int t = 1; t < terms; ++t) next(c, t, sums, 1);
    hn::StoreU(finish(sums.v[0]), d, out + c);
  }
}

struct KeepSum {
  HWY_INLINE VF operator()(VF sum) const { return sum; }
};

// ------------------------------------------------------------------------------------------
// Box mean

// Each column's rows are added in order, several columns' vectors at a time.
HWY_INLINE void DirectColumnSums32f(float* HWY_RESTRICT sums, const float* const* rows, int count, size_t n) {
  const DF d;
  const size_t lanes = hn::Lanes(d);
  StoreSums(
      n, count, sums,
      [&](size_t c, size_t chains) HWY_ATTR {
        Chains chain;
        for (size_t v = 0; v < chains; ++v) chain.v[v] = hn::LoadU(d, rows[0] + c + v * lanes);
        return chain;
      },
      [&](size_t c, int r, Chains& chain, size_t chains) HWY_ATTR {
        const float* row = rows[r] + c;
        for (size_t v = 0; v < chains; ++v) chain.v[v] = hn::Add(chain.v[v], hn::LoadU(d, row + v * lanes));
      },
      KeepSum{}, [&](size_t c) HWY_ATTR { sums[c] = DirectColumnSum32f(rows, count, c); });
}

HWY_INLINE void UpdateColumnSums32f(float* HWY_RESTRICT sums, const float* enter, const float* leave, size_t n) {
  const DF d;
  const size_t lanes = hn::Lanes(d);
  size_t c = 0;
  for (; c + lanes <= n; c += lanes) {
    const auto sum = hn::Add(hn::LoadU(d, sums + c), hn::LoadU(d, enter + c));
    hn::StoreU(hn::Sub(sum, hn::LoadU(d, leave + c)), d, sums + c);
  }
  for (; c < n; ++c) sums[c] = (sums[c] + LoadUnaligned(enter + c)) - LoadUnaligned(leave + c);
}

struct Scale {
  VF reciprocal;
  HWY_INLINE VF operator()(VF sum) const { return hn::Mul(sum, reciprocal); }
};

// Direct window sums added in order, several outputs' vectors at a time, then scaled.
HWY_INLINE void BoxRow32f(const float* window, int maskWidth, float reciprocal, float* HWY_RESTRICT out,
                          int width) {
  if (maskWidth > kDirectFloatMaskWidth) return RunningBoxRow32f(window, maskWidth, reciprocal, out, width);
  const DF d;
  const size_t lanes = hn::Lanes(d);
  StoreSums(
      static_cast<size_t>(width), maskWidth, out,
      [&](size_t x, size_t chains) HWY_ATTR {
        Chains chain;
        for (size_t v = 0; v < chains; ++v) chain.v[v] = hn::LoadU(d, window + x + v * lanes);
        return chain;
      },
      [&](size_t x, int i, Chains& chain, size_t chains) HWY_ATTR {
        for (size_t v = 0; v < chains; ++v) chain.v[v] = hn::Add(chain.v[v], hn::LoadU(d, window + x + i + v * lanes));
      },
      Scale{hn::Set(d, reciprocal)},
      [&](size_t x) HWY_ATTR { StoreUnaligned(out + x, DirectWindowSum32f(window, maskWidth, x) * reciprocal); });
}

// ------------------------------------------------------------------------------------------
// Kernel and Gaussian rows

HWY_INLINE void WeightedSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
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
        for (size_t v = 0; v < chains; ++v) {
          sums.v[v] = hn::Add(sums.v[v], hn::Mul(weight, hn::LoadU(d, input + v * lanes)));
        }
      },
      KeepSum{}, [&](size_t c) HWY_ATTR { StoreUnaligned(out + c, WeightedSumAt(inputs, weights, count, c)); });
}

HWY_INLINE void SymmetricSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
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
      KeepSum{}, [&](size_t c) HWY_ATTR { StoreUnaligned(out + c, SymmetricSumAt(inputs, weights, count, c)); });
}

}  // namespace

#include "primitives/filters/box_32f_primitives-inl.h"
#include "primitives/filters/float_kernel_primitives-inl.h"
#include "primitives/filters/gauss_border_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::filters {
RYN_DISPATCH(FilterBox32f);
RYN_DISPATCH(FilterKernel32f);
RYN_DISPATCH(FilterGaussBorder32f);
}  // namespace ryn::filters
#endif
