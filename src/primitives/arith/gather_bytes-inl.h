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

// One full vector of bytes from four vectors of 32-bit lanes, in order, each lane holding its
// byte value 0..255 in its low 16 bits (the high 16 bits are ignored): the even 16-bit halves of
// each pair of vectors, then a saturating pack of those. Highway's ConcatEven and lane tables are
// avoided for the bytes because in debug builds they check their indices through the Highway
// library, which the library does not link.
template <class D8, class V32>
HWY_INLINE hn::Vec<D8> GatherLowBytes(D8 d8, V32 v0, V32 v1, V32 v2, V32 v3) {
  const hn::Repartition<int16_t, D8> d16;
  const hn::Half<D8> d8Half;
  const auto low01 = hn::ConcatEven(d16, hn::BitCast(d16, v1), hn::BitCast(d16, v0));
  const auto low23 = hn::ConcatEven(d16, hn::BitCast(d16, v3), hn::BitCast(d16, v2));
  return hn::Combine(d8, hn::DemoteTo(d8Half, low23), hn::DemoteTo(d8Half, low01));
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#endif
