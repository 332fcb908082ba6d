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
// order. Within each 16-byte block, one byte shuffle per vector puts its four low bytes in the
// quarter of the block that belongs to it; one lane permutation then puts the quarters in order.
// No saturation: the other bytes of each lane are ignored.
template <class D8, class V32>
HWY_INLINE hn::Vec<D8> GatherLowBytes(D8 d8, V32 v0, V32 v1, V32 v2, V32 v3) {
  const hn::Repartition<uint32_t, D8> d32;
  constexpr uint8_t z = 0x80;  // a shuffle index that gives 0
  alignas(16) static constexpr uint8_t kQuarters[4][16] = {{0, 4, 8, 12, z, z, z, z, z, z, z, z, z, z, z, z},
                                                           {z, z, z, z, 0, 4, 8, 12, z, z, z, z, z, z, z, z},
                                                           {z, z, z, z, z, z, z, z, 0, 4, 8, 12, z, z, z, z},
                                                           {z, z, z, z, z, z, z, z, z, z, z, z, 0, 4, 8, 12}};
  const auto quarter = [&](V32 v, int k) HWY_ATTR {
    return hn::TableLookupBytesOr0(hn::BitCast(d8, v), hn::LoadDup128(d8, kQuarters[k]));
  };
  const auto blocks = hn::Or(hn::Or(quarter(v0, 0), quarter(v1, 1)), hn::Or(quarter(v2, 2), quarter(v3, 3)));
  // Block b holds, as its 32-bit lane k, the four bytes of v_k's block b; they belong at lane
  // k x (blocks) + b.
  constexpr size_t kBlocks = hn::MaxLanes(d32) / 4;
  if constexpr (kBlocks == 1) {
    return blocks;
  } else {
    alignas(64) static constexpr int32_t kTwoBlocks[8] = {0, 4, 1, 5, 2, 6, 3, 7};
    alignas(64) static constexpr int32_t kFourBlocks[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
    const auto order = hn::SetTableIndices(d32, kBlocks == 2 ? kTwoBlocks : kFourBlocks);
    return hn::BitCast(d8, hn::TableLookupLanes(hn::BitCast(d32, blocks), order));
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#endif
