// A row loop of the effects' processor builds, compiled once per Highway target: include after
// <hwy/highway.h> and before the including file's HWY_BEFORE_NAMESPACE; it lives in
// ryn::effects::HWY_NAMESPACE.
//
// The effects write values that do not depend on the destination's content (a block's mean, a
// window's mean from sums kept elsewhere): a byte written twice receives the same value twice. So
// a row's unaligned head and tail take one vector each, overlapping the aligned vectors between
// them, instead of a byte at a time.
#if defined(RYN_EFFECTS_OVERLAPPING_STORES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_EFFECTS_OVERLAPPING_STORES_INL_H_
#undef RYN_EFFECTS_OVERLAPPING_STORES_INL_H_
#else
#define RYN_EFFECTS_OVERLAPPING_STORES_INL_H_
#endif

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "frame/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::effects {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Calls vector(i, aligned) for vectors of `d` covering bytes 0..n-1 of a row of 8-bit elements
// starting at `destination`: one at 0 (unaligned stores), one at each vector boundary inside the
// row (aligned), and one ending at n (unaligned). A row shorter than a vector goes to scalar(i),
// one byte at a time.
template <class D, class Vector, class Scalar>
HWY_INLINE void ForEachVectorOverlapping(D d, const void* destination, size_t n, Vector&& vector,
                                         Scalar&& scalar) {
  static_assert(sizeof(hn::TFromD<D>) == 1, "rows of bytes");
  const size_t lanes = hn::Lanes(d);
  if (n < lanes) {
    for (size_t i = 0; i < n; ++i) scalar(i);
    return;
  }
  const size_t misalignment = reinterpret_cast<uintptr_t>(destination) % lanes;
  size_t i = misalignment == 0 ? 0 : lanes - misalignment;
  if (i != 0) vector(size_t{0}, ryn::HWY_NAMESPACE::UnalignedStores{});
  for (; i + lanes <= n; i += lanes) vector(i, ryn::HWY_NAMESPACE::AlignedStores{});
  if (i < n) vector(n - lanes, ryn::HWY_NAMESPACE::UnalignedStores{});
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::effects
HWY_AFTER_NAMESPACE();

#endif
