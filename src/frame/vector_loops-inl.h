// Row loops shared by the processor builds of every family, compiled once per Highway target:
// include after <hwy/highway.h> and before the including file's HWY_BEFORE_NAMESPACE. They live in
// ryn::HWY_NAMESPACE; call them qualified from a family's namespace.
#if defined(RYN_FRAME_VECTOR_LOOPS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FRAME_VECTOR_LOOPS_INL_H_
#undef RYN_FRAME_VECTOR_LOOPS_INL_H_
#else
#define RYN_FRAME_VECTOR_LOOPS_INL_H_
#endif

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

HWY_BEFORE_NAMESPACE();
namespace ryn {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using AlignedStores = std::true_type;
using UnalignedStores = std::false_type;

// Stores `v` with an aligned store when the loop has aligned the destination, else unaligned.
template <class Aligned, class D, class V, class T>
HWY_INLINE void StoreVector(Aligned, V v, D d, T* HWY_RESTRICT p) {
  if constexpr (Aligned::value) {
    hn::Store(v, d, p);
  } else {
    hn::StoreU(v, d, p);
  }
}

// Walks the elements 0..n-1 of a row whose destination starts at `destination`: scalar(i) one
// element at a time until destination + i lies on a vector boundary, then vector(i, aligned) for
// each whole vector (aligned is AlignedStores, so the body may store with StoreVector), then
// scalar(i) for the rest. A destination whose address is not a multiple of its element size can
// never reach a boundary; its vectors get UnalignedStores. Every element is visited once, in
// increasing order, so in-place rows are safe when each output depends only on inputs at its own
// position or later.
template <class D, class Vector, class Scalar>
HWY_INLINE void ForEachVectorAligned(D d, const void* destination, size_t n, Vector&& vector,
                                     Scalar&& scalar) {
  using T = hn::TFromD<D>;
  const size_t lanes = hn::Lanes(d);
  const uintptr_t address = reinterpret_cast<uintptr_t>(destination);
  size_t i = 0;
  if (address % sizeof(T) != 0) {
    for (; i + lanes <= n; i += lanes) vector(i, UnalignedStores{});
  } else {
    const size_t vectorBytes = lanes * sizeof(T);
    const size_t misalignment = address % vectorBytes;
    size_t head = misalignment == 0 ? 0 : (vectorBytes - misalignment) / sizeof(T);
    if (head > n) head = n;
    for (; i < head; ++i) scalar(i);
    for (; i + lanes <= n; i += lanes) vector(i, AlignedStores{});
  }
  for (; i < n; ++i) scalar(i);
}

// Like ForEachVectorAligned, for rows whose outputs never depend on what the destination holds
// (neighbourhood filters, which read separate or saved source rows): the elements before the
// first vector boundary and after the last whole aligned vector are covered by one unaligned
// vector each, overlapping their neighbours with the same values, instead of one scalar(i) per
// element, which costs a whole window per pixel there. Rows shorter than a vector go to scalar(i).
template <class D, class Vector, class Scalar>
HWY_INLINE void ForEachVectorAlignedOverlapping(D d, const void* destination, size_t n, Vector&& vector,
                                                Scalar&& scalar) {
  using T = hn::TFromD<D>;
  const size_t lanes = hn::Lanes(d);
  if (n < lanes) {
    for (size_t i = 0; i < n; ++i) scalar(i);
    return;
  }
  const uintptr_t address = reinterpret_cast<uintptr_t>(destination);
  size_t i = 0;
  if (address % sizeof(T) != 0) {
    for (; i + lanes <= n; i += lanes) vector(i, UnalignedStores{});
  } else {
    const size_t vectorBytes = lanes * sizeof(T);
    const size_t misalignment = address % vectorBytes;
    if (misalignment != 0) {
      vector(0, UnalignedStores{});
      i = (vectorBytes - misalignment) / sizeof(T);
    }
    for (; i + lanes <= n; i += lanes) vector(i, AlignedStores{});
  }
  if (i < n) vector(n - lanes, UnalignedStores{});
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn
HWY_AFTER_NAMESPACE();

#endif
