// Packing of 32-bit lanes into bytes for the processor builds of the family: include after
// <hwy/highway.h> and before the including file's HWY_BEFORE_NAMESPACE.
#if defined(RYN_ARITH_GATHER_BYTES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_GATHER_BYTES_INL_H_
#undef RYN_ARITH_GATHER_BYTES_INL_H_
#else
#define RYN_ARITH_GATHER_BYTES_INL_H_
#endif

#include <hwy/highway.h>
#include <immintrin.h>

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// One full vector of bytes from four vectors of 32-bit lanes, in order, each lane holding a value
// 0..255. The saturating packs work within 128-bit blocks, so on wider vectors they leave groups
// of four bytes ordered by block, then by source; one permutation of 32-bit lanes puts them back
// in order. Raw instructions: Highway's lane tables check their indices through the Highway
// library in debug builds, which the library does not link.
template <class D8, class V32>
HWY_INLINE hn::Vec<D8> GatherLowBytes(D8 d8, V32 v0, V32 v1, V32 v2, V32 v3) {
  const hn::Repartition<int32_t, D8> d32;
  const auto a = hn::BitCast(d32, v0).raw, b = hn::BitCast(d32, v1).raw;
  const auto c = hn::BitCast(d32, v2).raw, e = hn::BitCast(d32, v3).raw;
#if HWY_TARGET == HWY_AVX3
  const __m512i bytes = _mm512_packus_epi16(_mm512_packs_epi32(a, b), _mm512_packs_epi32(c, e));
  const __m512i order = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  // The masked form: the unmasked one makes GCC warn of undefined lanes.
  return hn::BitCast(d8, hn::Vec<decltype(d32)>{_mm512_maskz_permutexvar_epi32(__mmask16{0xFFFF}, order, bytes)});
#elif HWY_TARGET == HWY_AVX2
  const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(a, b), _mm256_packs_epi32(c, e));
  const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  return hn::BitCast(d8, hn::Vec<decltype(d32)>{_mm256_permutevar8x32_epi32(bytes, order)});
#elif HWY_TARGET == HWY_SSE4 || HWY_TARGET == HWY_SSSE3
  return hn::BitCast(d8, hn::Vec<decltype(d32)>{_mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, e))});
#else
#error "GatherLowBytes has no code for this target"
#endif
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#endif
