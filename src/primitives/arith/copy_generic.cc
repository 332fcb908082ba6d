// The generic copies and conversions: plain C++, the reference for every processor build.
#include <emmintrin.h>

#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/arith/conversion_rules.h"
#include "primitives/arith/copy.h"

namespace ryn::arith::generic {
namespace {

// memmove, not memcpy: a copy of an image onto itself is allowed.
template <class T>
void CopyRow(const T* source, T* destination, size_t n) {
  std::memmove(destination, source, n * sizeof(T));
}

// Non-temporal 16-byte stores (SSE2, present on every x86-64 processor) from the first aligned
// destination byte on.
template <class T>
void StreamCopyRow(const T* source, T* destination, size_t n) {
  const auto* from = reinterpret_cast<const uint8_t*>(source);
  auto* to = reinterpret_cast<uint8_t*>(destination);
  const size_t bytes = n * sizeof(T);
  size_t i = 0;
  for (; i < bytes && reinterpret_cast<uintptr_t>(to + i) % 16 != 0; ++i) to[i] = from[i];
  for (; i + 16 <= bytes; i += 16) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
  }
  for (; i < bytes; ++i) to[i] = from[i];
}

// Non-temporal stores must be ordered before the caller sees the copy as done.
void FinishStreaming() { _mm_sfence(); }

void CopyMaskedRow8u(const uint8_t* source, const uint8_t* mask, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) destination[i] = source[i];
  }
}

void CopyMaskedRow32(const uint32_t* source, const uint8_t* mask, uint32_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) StoreUnaligned(destination + i, LoadUnaligned(source + i));
  }
}

// The generic conversions always store through the cache; streaming changes speed only.
void ConvertRow8u32f(const uint8_t* source, float* destination, size_t n, bool /*streaming*/) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(destination + i, static_cast<float>(source[i]));
}

void ConvertRow16u32f(const uint16_t* source, float* destination, size_t n, bool /*streaming*/) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(destination + i, static_cast<float>(LoadUnaligned(source + i)));
}

void ConvertRow8u16u(const uint8_t* source, uint16_t* destination, size_t n, bool /*streaming*/) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(destination + i, static_cast<uint16_t>(source[i]));
}

void ConvertRow16s8u(const int16_t* source, uint8_t* destination, size_t n, bool /*streaming*/) {
  for (size_t i = 0; i < n; ++i) destination[i] = SaturateToByte(LoadUnaligned(source + i));
}

void ConvertRow32f8u(const float* source, uint8_t* destination, size_t n, bool /*streaming*/) {
  for (size_t i = 0; i < n; ++i) destination[i] = RoundToByte(LoadUnaligned(source + i));
}

}  // namespace

#include "primitives/arith/convert_primitives-inl.h"
#include "primitives/arith/copy_primitives-inl.h"

}  // namespace ryn::arith::generic
