// The generic fills: plain C++, the reference for every processor build.
#include "frame/fill/fill_builds.h"

#include <emmintrin.h>

#include <bit>
#include <cstring>

#include "frame/cache_size.h"
#include "frame/dispatch.h"
#include "frame/fill/fill.h"
#include "frame/fill/fill_primitives.h"

namespace ryn::fill {

bool PrefersNonTemporalStores(int64_t bytes) {
  if (bytes <= kNonTemporalThresholdBytes) return false;
  int32_t largestCache = 0;
  return QueryLargestCacheSize(&largestCache) == ippStsNoErr && bytes >= largestCache;
}

namespace {

struct GenericKernels {
  static void Fill8u(uint8_t* row, size_t n, uint8_t value) { std::memset(row, value, n); }

  static void Fill16u(uint16_t* row, size_t n, uint16_t value) {
    for (size_t i = 0; i < n; ++i) row[i] = value;
  }

  static void Fill32(uint32_t* row, size_t n, uint32_t bits) {
    for (size_t i = 0; i < n; ++i) row[i] = bits;
  }

  // Non-temporal stores of aligned 4-byte words (SSE2, present on every x86-64 processor).
  static void Stream8u(uint8_t* row, size_t n, uint8_t value) {
    size_t i = 0;
    for (; i < n && reinterpret_cast<uintptr_t>(row + i) % 4 != 0; ++i) row[i] = value;
    const int word = static_cast<int>(value * 0x01010101u);
    for (; i + 4 <= n; i += 4) _mm_stream_si32(reinterpret_cast<int*>(row + i), word);
    for (; i < n; ++i) row[i] = value;
  }

  static void Stream32(uint32_t* row, size_t n, uint32_t bits) {
    if (reinterpret_cast<uintptr_t>(row) % 4 != 0) return Fill32(row, n, bits);
    for (size_t i = 0; i < n; ++i) _mm_stream_si32(reinterpret_cast<int*>(row + i), static_cast<int>(bits));
  }

  // Non-temporal stores must be ordered before the caller sees the fill as done.
  static void FinishStreaming() { _mm_sfence(); }

  static void FillMasked8u(uint8_t* row, const uint8_t* mask, size_t n, uint8_t value) {
    for (size_t i = 0; i < n; ++i) {
      if (mask[i] != 0) row[i] = value;
    }
  }

  static void FillMasked32(uint32_t* row, const uint8_t* mask, size_t n, uint32_t bits) {
    for (size_t i = 0; i < n; ++i) {
      if (mask[i] != 0) row[i] = bits;
    }
  }

  static void Copy32(const uint32_t* source, uint32_t* destination, size_t n) {
    std::memcpy(destination, source, n * sizeof(uint32_t));
  }
};

using Generic = FillPrimitives<GenericKernels>;

RYN_DISPATCH_TABLE(g_set8u, Generic::Set8u, Set8uBuilds);
RYN_DISPATCH_TABLE(g_set16u, Generic::Set16u, Set16uBuilds);
RYN_DISPATCH_TABLE(g_set32, Generic::Set32, Set32Builds);
RYN_DISPATCH_TABLE(g_setMasked8u, Generic::SetMasked8u, SetMasked8uBuilds);
RYN_DISPATCH_TABLE(g_setMasked32, Generic::SetMasked32, SetMasked32Builds);
RYN_DISPATCH_TABLE(g_copy32, Generic::Copy32, Copy32Builds);

}  // namespace

IppStatus Set8u(uint8_t* destination, IppiSize region, int step, uint8_t value) {
  return g_set8u(destination, region, step, value);
}

IppStatus Set16u(uint16_t* destination, IppiSize region, int step, uint16_t value) {
  return g_set16u(destination, region, step, value);
}

IppStatus Set32s(int32_t* destination, IppiSize region, int step, int32_t value) {
  return g_set32(reinterpret_cast<uint32_t*>(destination), region, step, std::bit_cast<uint32_t>(value));
}

IppStatus Set32f(float* destination, IppiSize region, int step, float value) {
  return g_set32(reinterpret_cast<uint32_t*>(destination), region, step, std::bit_cast<uint32_t>(value));
}

IppStatus SetMasked8u(uint8_t* destination, int step, const uint8_t* mask, int maskStep,
                      IppiSize region, uint8_t value) {
  return g_setMasked8u(destination, step, mask, maskStep, region, value);
}

IppStatus SetMasked32f(float* destination, int step, const uint8_t* mask, int maskStep,
                       IppiSize region, float value) {
  return g_setMasked32(reinterpret_cast<uint32_t*>(destination), step, mask, maskStep, region,
                       std::bit_cast<uint32_t>(value));
}

IppStatus Copy32(const void* source, void* destination, int length) {
  return g_copy32(static_cast<const uint32_t*>(source), static_cast<uint32_t*>(destination), length);
}

}  // namespace ryn::fill
