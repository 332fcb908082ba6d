// The generic fills and copies: plain C++, the reference for every processor build.
#include <emmintrin.h>

#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/fill/fill.h"

namespace ryn::fill::generic {
namespace {

void FillRow8u(uint8_t* row, size_t n, uint8_t value) { std::memset(row, value, n); }

void FillRow16u(uint16_t* row, size_t n, uint16_t value) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(row + i, value);
}

void FillRow32(uint32_t* row, size_t n, uint32_t bits) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(row + i, bits);
}

// Non-temporal stores of aligned 4-byte words (SSE2, present on every x86-64 processor).
void StreamRow8u(uint8_t* row, size_t n, uint8_t value) {
  size_t i = 0;
  for (; i < n && reinterpret_cast<uintptr_t>(row + i) % 4 != 0; ++i) row[i] = value;
  const int word = static_cast<int>(value * 0x01010101u);
  for (; i + 4 <= n; i += 4) _mm_stream_si32(reinterpret_cast<int*>(row + i), word);
  for (; i < n; ++i) row[i] = value;
}

void StreamRow32(uint32_t* row, size_t n, uint32_t bits) {
  if (reinterpret_cast<uintptr_t>(row) % 4 != 0) return FillRow32(row, n, bits);
  for (size_t i = 0; i < n; ++i) _mm_stream_si32(reinterpret_cast<int*>(row + i), static_cast<int>(bits));
}

// Non-temporal stores must be ordered before the caller sees the fill as done.
void FinishStreaming() { _mm_sfence(); }

void FillMaskedRow8u(uint8_t* row, const uint8_t* mask, size_t n, uint8_t value) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) row[i] = value;
  }
}

void FillMaskedRow32(uint32_t* row, const uint8_t* mask, size_t n, uint32_t bits) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) StoreUnaligned(row + i, bits);
  }
}

void CopyRow32(const uint32_t* source, uint32_t* destination, size_t n) {
  std::memcpy(destination, source, n * sizeof(uint32_t));
}

}  // namespace

#include "primitives/fill/fill_primitives-inl.h"

}  // namespace ryn::fill::generic
