// Packing of 32-bit lanes into bytes for the processor builds of the family: include after
// <hwy/highway.h> and before the including file's HWY_BEFORE_NAMESPACE.
#if defined(RYN_ARITH_GATHER_BYTES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_GATHER_BYTES_INL_H_
#undef RYN_ARITH_GATHER_BYTES_INL_H_
#else
#define RYN_ARITH_GATHER_BYTES_INL_H_
#endif

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// One full vector of bytes from the lowest byte of every 32-bit lane of v0, v1, v2, v3, in that
// order: the even 16-bit halves of each pair of vectors, then the even bytes of those. No
// saturation: the other bytes of each lane are ignored.
template <class D8, class V32>
HWY_INLINE hn::Vec<D8> GatherLowBytes(D8 d8, V32 v0, V32 v1, V32 v2, V32 v3) {
  const hn::Repartition<uint16_t, D8> d16;
  const auto low01 = hn::ConcatEven(d16, hn::BitCast(d16, v1), hn::BitCast(d16, v0));
  const auto low23 = hn::ConcatEven(d16, hn::BitCast(d16, v3), hn::BitCast(d16, v2));
  return hn::ConcatEven(d8, hn::BitCast(d8, low23), hn::BitCast(d8, low01));
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#endif
