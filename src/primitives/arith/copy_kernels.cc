// Processor builds of the copies and conversions, compiled once per Highway target, and the
// dispatched operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/arith/copy_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/cache_control.h>
#include <hwy/highway.h>
#include <immintrin.h>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/arith/conversion_rules.h"
#include "primitives/arith/copy.h"
#include "primitives/arith/gather_bytes-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

// Non-temporal stores need aligned addresses; the loops align the destination first where they can.
template <class Aligned, class D, class V, class T>
HWY_INLINE void StoreOrStream(Aligned aligned, bool streaming, V v, D d, T* HWY_RESTRICT p) {
  if constexpr (Aligned::value) {
    if (streaming) return hn::Stream(v, d, p);
  }
  StoreVector(aligned, v, d, p);
}

// Bytes at a time whatever the pixel size; no restrict, since an image may be copied onto itself.
template <class T>
HWY_INLINE void CopyBytes(const T* source, T* destination, size_t n, bool streaming) {
  const auto* from = reinterpret_cast<const uint8_t*>(source);
  auto* to = reinterpret_cast<uint8_t*>(destination);
  const hn::ScalableTag<uint8_t> d;
  ForEachVectorAligned(
      d, to, n * sizeof(T),
      [&](size_t i, auto aligned) HWY_ATTR { StoreOrStream(aligned, streaming, hn::LoadU(d, from + i), d, to + i); },
      [&](size_t i) HWY_ATTR { to[i] = from[i]; });
}

template <class T>
HWY_INLINE void CopyRow(const T* source, T* destination, size_t n) {
  CopyBytes(source, destination, n, false);
}
template <class T>
HWY_INLINE void StreamCopyRow(const T* source, T* destination, size_t n) {
  CopyBytes(source, destination, n, true);
}
HWY_INLINE void FinishStreaming() { hwy::FlushStream(); }

// Vectors whose mask is all set are stored whole, all clear are skipped; mixed ones store only
// their selected lanes, so pixels outside the mask are never rewritten.
HWY_INLINE void CopyMaskedRow8u(const uint8_t* HWY_RESTRICT source, const uint8_t* HWY_RESTRICT mask,
                                uint8_t* HWY_RESTRICT destination, size_t n) {
  const hn::ScalableTag<uint8_t> d;
  const auto zero = hn::Zero(d);
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto selected = hn::LoadU(d, mask + i) != zero;
        if (hn::AllTrue(d, selected)) {
          StoreVector(aligned, hn::LoadU(d, source + i), d, destination + i);
        } else if (!hn::AllFalse(d, selected)) {
          hn::BlendedStore(hn::LoadU(d, source + i), selected, d, destination + i);
        }
      },
      [&](size_t i) HWY_ATTR {
        if (mask[i] != 0) destination[i] = source[i];
      });
}

HWY_INLINE void CopyMaskedRow32(const uint32_t* HWY_RESTRICT source, const uint8_t* HWY_RESTRICT mask,
                                uint32_t* HWY_RESTRICT destination, size_t n) {
  const hn::ScalableTag<uint32_t> d;
  const hn::Rebind<uint8_t, decltype(d)> d8;
  const auto zero = hn::Zero(d);
  ForEachVectorAligned(
      d, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto selected = hn::PromoteTo(d, hn::LoadU(d8, mask + i)) != zero;
        if (hn::AllTrue(d, selected)) {
          StoreVector(aligned, hn::LoadU(d, source + i), d, destination + i);
        } else if (!hn::AllFalse(d, selected)) {
          hn::BlendedStore(hn::LoadU(d, source + i), selected, d, destination + i);
        }
      },
      [&](size_t i) HWY_ATTR {
        if (mask[i] != 0) StoreUnaligned(destination + i, LoadUnaligned(source + i));
      });
}

HWY_INLINE void ConvertRow8u32f(const uint8_t* HWY_RESTRICT source, float* HWY_RESTRICT destination, size_t n,
                                bool streaming) {
  const hn::ScalableTag<float> df;
  const hn::Rebind<int32_t, decltype(df)> di;
  const hn::Rebind<uint8_t, decltype(df)> d8;
  ForEachVectorAligned(
      df, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto pixels = hn::ConvertTo(df, hn::PromoteTo(di, hn::LoadU(d8, source + i)));
        StoreOrStream(aligned, streaming, pixels, df, destination + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(destination + i, static_cast<float>(source[i])); });
}

HWY_INLINE void ConvertRow16u32f(const uint16_t* HWY_RESTRICT source, float* HWY_RESTRICT destination, size_t n,
                                 bool streaming) {
  const hn::ScalableTag<float> df;
  const hn::Rebind<int32_t, decltype(df)> di;
  const hn::Rebind<uint16_t, decltype(df)> d16;
  ForEachVectorAligned(
      df, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto pixels = hn::ConvertTo(df, hn::PromoteTo(di, hn::LoadU(d16, source + i)));
        StoreOrStream(aligned, streaming, pixels, df, destination + i);
      },
      [&](size_t i) HWY_ATTR {
        StoreUnaligned(destination + i, static_cast<float>(LoadUnaligned(source + i)));
      });
}

HWY_INLINE void ConvertRow8u16u(const uint8_t* HWY_RESTRICT source, uint16_t* HWY_RESTRICT destination, size_t n,
                                bool streaming) {
  const hn::ScalableTag<uint16_t> d16;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  ForEachVectorAligned(
      d16, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreOrStream(aligned, streaming, hn::PromoteTo(d16, hn::LoadU(d8, source + i)), d16, destination + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(destination + i, static_cast<uint16_t>(source[i])); });
}

// Saturating packs: below 0 gives 0, above 255 gives 255.
HWY_INLINE void ConvertRow16s8u(const int16_t* HWY_RESTRICT source, uint8_t* HWY_RESTRICT destination, size_t n,
                                bool streaming) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Repartition<int16_t, decltype(d8)> d16;
  const hn::Half<decltype(d8)> d8Half;
  const size_t half = hn::Lanes(d16);
  ForEachVectorAligned(
      d8, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const auto low = hn::DemoteTo(d8Half, hn::LoadU(d16, source + i));
        const auto high = hn::DemoteTo(d8Half, hn::LoadU(d16, source + i + half));
        StoreOrStream(aligned, streaming, hn::Combine(d8, high, low), d8, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = SaturateToByte(LoadUnaligned(source + i)); });
}

// Rounding to nearest, ties to even, for its lifetime, whatever the caller's mode; the caller's
// mode is given back. Written only when the caller rounds otherwise.
class NearestRounding {
 public:
  NearestRounding() : saved_(_mm_getcsr()) {
    if ((saved_ & kModeBits) != 0) _mm_setcsr(saved_ & ~kModeBits);
  }
  ~NearestRounding() {
    if ((saved_ & kModeBits) != 0) _mm_setcsr((_mm_getcsr() & ~kModeBits) | (saved_ & kModeBits));
  }
  NearestRounding(const NearestRounding&) = delete;
  NearestRounding& operator=(const NearestRounding&) = delete;

 private:
  static constexpr unsigned kModeBits = 0x6000;  // the rounding control of MXCSR
  unsigned saved_;
};

// RoundToByte on whole vectors, under NearestRounding: clamped first (x86 max returns its second
// operand when the first is NaN, so NaN, negatives and -0 give +0), then converted by the
// instruction that rounds by the current mode.
template <class DF>
HWY_INLINE hn::Vec<hn::RebindToSigned<DF>> RoundToByteLanes(DF df, hn::Vec<DF> value) {
  const auto clamped = hn::Min(hn::Max(value, hn::Zero(df)), hn::Set(df, 255.0f)).raw;
#if HWY_TARGET == HWY_AVX3
  return {_mm512_maskz_cvtps_epi32(__mmask16{0xFFFF}, clamped)};  // the unmasked form warns of undefined lanes
#elif HWY_TARGET == HWY_AVX2
  return {_mm256_cvtps_epi32(clamped)};
#else
  return {_mm_cvtps_epi32(clamped)};
#endif
}

HWY_INLINE void ConvertRow32f8u(const float* HWY_RESTRICT source, uint8_t* HWY_RESTRICT destination, size_t n,
                                bool streaming) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Repartition<float, decltype(d8)> df;
  const size_t quarter = hn::Lanes(df);
  const NearestRounding nearest;
  ForEachVectorAligned(
      d8, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const float* from = source + i;
        const auto bytes = GatherLowBytes(
            d8, RoundToByteLanes(df, hn::LoadU(df, from)), RoundToByteLanes(df, hn::LoadU(df, from + quarter)),
            RoundToByteLanes(df, hn::LoadU(df, from + 2 * quarter)),
            RoundToByteLanes(df, hn::LoadU(df, from + 3 * quarter)));
        StoreOrStream(aligned, streaming, bytes, d8, destination + i);
      },
      [&](size_t i) HWY_ATTR { destination[i] = RoundToByte(LoadUnaligned(source + i)); });
}

}  // namespace

#include "primitives/arith/convert_primitives-inl.h"
#include "primitives/arith/copy_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::arith {
RYN_DISPATCH(Copy8u);
RYN_DISPATCH(Copy16);
RYN_DISPATCH(Copy32);
RYN_DISPATCH(CopyMasked8u);
RYN_DISPATCH(CopyMasked32);
RYN_DISPATCH(Convert8u32f);
RYN_DISPATCH(Convert16u32f);
RYN_DISPATCH(Convert8u16u);
RYN_DISPATCH(Convert16s8u);
RYN_DISPATCH(Convert32f8u);
}  // namespace ryn::arith
#endif
