// Lookups in 256-byte tables on whole vectors of bytes, for the processor builds of the family:
// include after <hwy/highway.h> and before the including file's HWY_BEFORE_NAMESPACE.
#if defined(RYN_ARITH_BYTE_LOOKUP_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_BYTE_LOOKUP_INL_H_
#undef RYN_ARITH_BYTE_LOOKUP_INL_H_
#else
#define RYN_ARITH_BYTE_LOOKUP_INL_H_
#endif

#include <hwy/highway.h>

#include <cstdint>

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The table as sixteen 16-byte chunks for byte shuffles. A shuffle reads only bit 7 of an index
// (set: the lane becomes 0) and its low four bits. For the lower half of the table, chunk c is
// looked up with the index plus 112 - 16c, saturated: that clears bit 7 exactly for the indices
// of chunks 0..c and keeps their low bits. So an index of chunk k collects the chunks k..7, and
// storing chunk c as T[c] ^ T[c+1] (chunk 7 as T[7]) makes the XOR of the lookups T[k]. The upper
// half does the same on the index with bit 7 flipped.
struct ShuffleTable {
  alignas(16) uint8_t chunks[256];
  const uint8_t* plain;  // for the scalar ends of rows
};

HWY_INLINE ShuffleTable PrepareLookUp(const uint8_t* table) {
  ShuffleTable prepared;
  for (int c = 0; c < 16; ++c) {
    for (int k = 0; k < 16; ++k) {
      const uint8_t next = c % 8 == 7 ? 0 : table[16 * (c + 1) + k];
      prepared.chunks[16 * c + k] = static_cast<uint8_t>(table[16 * c + k] ^ next);
    }
  }
  prepared.plain = table;
  return prepared;
}

// The chunks broadcast to every 16-byte block of a vector, loaded once per row.
template <class D8>
struct LoadedTable {
  hn::Vec<D8> chunks[16];
};

template <class D8>
HWY_INLINE LoadedTable<D8> LoadTable(D8 d, const ShuffleTable& table) {
  LoadedTable<D8> loaded;
  for (int c = 0; c < 16; ++c) loaded.chunks[c] = hn::LoadDup128(d, table.chunks + 16 * c);
  return loaded;
}

// table[index] in every lane.
template <class D8>
HWY_INLINE hn::Vec<D8> LookUpBytes(D8 d, const LoadedTable<D8>& table, hn::Vec<D8> index) {
  const auto flipped = hn::Xor(index, hn::Set(d, 0x80));
  auto result = hn::Zero(d);
  for (int c = 0; c < 8; ++c) {
    const auto offset = hn::Set(d, static_cast<uint8_t>(112 - 16 * c));
    result = hn::Xor3(result, hn::TableLookupBytesOr0(table.chunks[c], hn::SaturatedAdd(index, offset)),
                      hn::TableLookupBytesOr0(table.chunks[8 + c], hn::SaturatedAdd(flipped, offset)));
  }
  return result;
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#endif
