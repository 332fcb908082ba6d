// Processor builds of the fills and copies, compiled once per Highway target.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/frame/fill/fill_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/cache_control.h>
#include <hwy/highway.h>

#include "frame/fill/fill_builds.h"
#include "frame/fill/fill_primitives.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::fill {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

template <class T>
HWY_INLINE void FillRow(T* HWY_RESTRICT row, size_t n, T value) {
  const hn::ScalableTag<T> d;
  const size_t lanes = hn::Lanes(d);
  const auto v = hn::Set(d, value);
  size_t i = 0;
  for (; i + 4 * lanes <= n; i += 4 * lanes) {
    hn::StoreU(v, d, row + i);
    hn::StoreU(v, d, row + i + lanes);
    hn::StoreU(v, d, row + i + 2 * lanes);
    hn::StoreU(v, d, row + i + 3 * lanes);
  }
  for (; i + lanes <= n; i += lanes) hn::StoreU(v, d, row + i);
  for (; i < n; ++i) row[i] = value;
}

// Non-temporal stores need aligned addresses: plain stores up to the first vector boundary.
template <class T>
HWY_INLINE void StreamRow(T* HWY_RESTRICT row, size_t n, T value) {
  const hn::ScalableTag<T> d;
  const size_t lanes = hn::Lanes(d);
  const size_t vectorBytes = lanes * sizeof(T);
  const auto v = hn::Set(d, value);
  size_t i = 0;
  while (i < n && reinterpret_cast<uintptr_t>(row + i) % vectorBytes != 0) row[i++] = value;
  for (; i + lanes <= n; i += lanes) hn::Stream(v, d, row + i);
  for (; i < n; ++i) row[i] = value;
}

// Vectors whose mask is all set are stored whole, all clear are skipped; mixed ones store only
// their selected lanes, so pixels outside the mask are never rewritten.
HWY_INLINE void FillMaskedRow8u(uint8_t* HWY_RESTRICT row, const uint8_t* HWY_RESTRICT mask,
                                size_t n, uint8_t value) {
  const hn::ScalableTag<uint8_t> d;
  const size_t lanes = hn::Lanes(d);
  const auto v = hn::Set(d, value);
  const auto zero = hn::Zero(d);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto selected = hn::LoadU(d, mask + i) != zero;
    if (hn::AllTrue(d, selected)) {
      hn::StoreU(v, d, row + i);
    } else if (!hn::AllFalse(d, selected)) {
      hn::BlendedStore(v, selected, d, row + i);
    }
  }
  for (; i < n; ++i) {
    if (mask[i] != 0) row[i] = value;
  }
}

HWY_INLINE void FillMaskedRow32(uint32_t* HWY_RESTRICT row, const uint8_t* HWY_RESTRICT mask,
                                size_t n, uint32_t bits) {
  const hn::ScalableTag<uint32_t> d;
  const hn::Rebind<uint8_t, decltype(d)> d8;
  const size_t lanes = hn::Lanes(d);
  const auto v = hn::Set(d, bits);
  const auto zero = hn::Zero(d);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto selected = hn::PromoteTo(d, hn::LoadU(d8, mask + i)) != zero;
    if (hn::AllTrue(d, selected)) {
      hn::StoreU(v, d, row + i);
    } else if (!hn::AllFalse(d, selected)) {
      hn::BlendedStore(v, selected, d, row + i);
    }
  }
  for (; i < n; ++i) {
    if (mask[i] != 0) row[i] = bits;
  }
}

HWY_INLINE void CopyRow32(const uint32_t* HWY_RESTRICT source, uint32_t* HWY_RESTRICT destination,
                          size_t n) {
  const hn::ScalableTag<uint32_t> d;
  const size_t lanes = hn::Lanes(d);
  size_t i = 0;
  for (; i + 4 * lanes <= n; i += 4 * lanes) {
    const auto a = hn::LoadU(d, source + i);
    const auto b = hn::LoadU(d, source + i + lanes);
    const auto c = hn::LoadU(d, source + i + 2 * lanes);
    const auto e = hn::LoadU(d, source + i + 3 * lanes);
    hn::StoreU(a, d, destination + i);
    hn::StoreU(b, d, destination + i + lanes);
    hn::StoreU(c, d, destination + i + 2 * lanes);
    hn::StoreU(e, d, destination + i + 3 * lanes);
  }
  for (; i + lanes <= n; i += lanes) hn::StoreU(hn::LoadU(d, source + i), d, destination + i);
  for (; i < n; ++i) destination[i] = source[i];
}

struct Kernels {
  static void Fill8u(uint8_t* row, size_t n, uint8_t value) { FillRow(row, n, value); }
  static void Fill16u(uint16_t* row, size_t n, uint16_t value) { FillRow(row, n, value); }
  static void Fill32(uint32_t* row, size_t n, uint32_t bits) { FillRow(row, n, bits); }
  static void Stream8u(uint8_t* row, size_t n, uint8_t value) { StreamRow(row, n, value); }
  static void Stream32(uint32_t* row, size_t n, uint32_t bits) { StreamRow(row, n, bits); }
  static void FinishStreaming() { hwy::FlushStream(); }
  static void FillMasked8u(uint8_t* row, const uint8_t* mask, size_t n, uint8_t value) {
    FillMaskedRow8u(row, mask, n, value);
  }
  static void FillMasked32(uint32_t* row, const uint8_t* mask, size_t n, uint32_t bits) {
    FillMaskedRow32(row, mask, n, bits);
  }
  static void Copy32(const uint32_t* source, uint32_t* destination, size_t n) {
    CopyRow32(source, destination, n);
  }
};

using Primitives = FillPrimitives<Kernels>;

IppStatus Set8u(uint8_t* d, IppiSize r, int s, uint8_t v) { return Primitives::Set8u(d, r, s, v); }
IppStatus Set16u(uint16_t* d, IppiSize r, int s, uint16_t v) { return Primitives::Set16u(d, r, s, v); }
IppStatus Set32(uint32_t* d, IppiSize r, int s, uint32_t v) { return Primitives::Set32(d, r, s, v); }
IppStatus SetMasked8u(uint8_t* d, int s, const uint8_t* m, int ms, IppiSize r, uint8_t v) {
  return Primitives::SetMasked8u(d, s, m, ms, r, v);
}
IppStatus SetMasked32(uint32_t* d, int s, const uint8_t* m, int ms, IppiSize r, uint32_t v) {
  return Primitives::SetMasked32(d, s, m, ms, r, v);
}
IppStatus Copy32(const uint32_t* s, uint32_t* d, int n) { return Primitives::Copy32(s, d, n); }

}  // namespace HWY_NAMESPACE
}  // namespace ryn::fill
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels.h"

namespace ryn::fill {
TargetKernels<Set8uFn> Set8uBuilds() { return RYN_HWY_KERNELS(Set8u); }
TargetKernels<Set16uFn> Set16uBuilds() { return RYN_HWY_KERNELS(Set16u); }
TargetKernels<Set32Fn> Set32Builds() { return RYN_HWY_KERNELS(Set32); }
TargetKernels<SetMasked8uFn> SetMasked8uBuilds() { return RYN_HWY_KERNELS(SetMasked8u); }
TargetKernels<SetMasked32Fn> SetMasked32Builds() { return RYN_HWY_KERNELS(SetMasked32); }
TargetKernels<Copy32Fn> Copy32Builds() { return RYN_HWY_KERNELS(Copy32); }
}  // namespace ryn::fill
#endif
