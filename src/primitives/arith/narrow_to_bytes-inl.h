// Packing of 32-bit lanes into bytes for the processor builds of the family: include after
// <hwy/highway.h> and before the including file's HWY_BEFORE_NAMESPACE.
#if defined(RYN_ARITH_NARROW_TO_BYTES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_NARROW_TO_BYTES_INL_H_
#undef RYN_ARITH_NARROW_TO_BYTES_INL_H_
#else
#define RYN_ARITH_NARROW_TO_BYTES_INL_H_
#endif

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// One full vector of bytes from the four vectors of 32-bit lanes that hold its lanes in order,
// each lane already in 0..255.
template <class D8, class V32>
HWY_INLINE hn::Vec<D8> NarrowToBytes(D8 d8, V32 v0, V32 v1, V32 v2, V32 v3) {
  const hn::Repartition<int16_t, D8> d16;
  const hn::Half<decltype(d16)> d16Half;
  const hn::Half<D8> d8Half;
  const auto low = hn::Combine(d16, hn::DemoteTo(d16Half, v1), hn::DemoteTo(d16Half, v0));
  const auto high = hn::Combine(d16, hn::DemoteTo(d16Half, v3), hn::DemoteTo(d16Half, v2));
  return hn::Combine(d8, hn::DemoteTo(d8Half, high), hn::DemoteTo(d8Half, low));
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#endif
