// Searches along one row for the flood fill: where pixels equal to a value start and where a run
// of them ends. Rows of 16-bit pixels may start at any address, so their pixels are read and
// written through frame/unaligned.h; 8-bit rows are searched eight pixels at a time.
#pragma once

#include <cstdint>
#include <cstring>

#include "frame/unaligned.h"

namespace ryn::segment {

template <class T>
struct PixelRuns {
  // The first x in from..last with row[x] == value, or last + 1.
  static int FindEqual(const T* row, int from, int last, T value) {
    int x = from;
    while (x <= last && LoadUnaligned(row + x) != value) ++x;
    return x;
  }
  // The last x in from..last such that row[from..x] all equal value (row[from] does).
  static int RunEnd(const T* row, int from, int last, T value) {
    int x = from;
    while (x < last && LoadUnaligned(row + x + 1) == value) ++x;
    return x;
  }
  // The first x <= from such that row[x..from] all equal value (row[from] does).
  static int RunStart(const T* row, int from, T value) {
    int x = from;
    while (x > 0 && LoadUnaligned(row + x - 1) == value) --x;
    return x;
  }
  static void Fill(T* row, int first, int last, T value) {
    for (int x = first; x <= last; ++x) StoreUnaligned(row + x, value);
  }
};

// Spans of labels and fills are mostly short: words of eight pixels are handled inline, library
// calls only take long stretches.
template <>
struct PixelRuns<uint8_t> {
  static int FindEqual(const uint8_t* row, int from, int last, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = from;
    for (; x + 8 <= last + 1; x += 8) {
      if (x - from >= kInlineLength) return FindEqualInMemory(row, x, last, value);
      const uint64_t equal = ZeroBytes(Word(row + x) ^ pattern);
      if (equal != 0) return x + __builtin_ctzll(equal) / 8;
    }
    while (x <= last && row[x] != value) ++x;
    return x;
  }
  static int RunEnd(const uint8_t* row, int from, int last, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = from + 1;
    for (; x + 8 <= last + 1; x += 8) {
      const uint64_t different = Word(row + x) ^ pattern;
      if (different != 0) return x + __builtin_ctzll(different) / 8 - 1;
    }
    while (x <= last && row[x] == value) ++x;
    return x - 1;
  }
  static int RunStart(const uint8_t* row, int from, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = from;  // row[x..from] equal value
    for (; x >= 8; x -= 8) {
      const uint64_t different = Word(row + x - 8) ^ pattern;
      if (different != 0) return x - __builtin_clzll(different) / 8;
    }
    while (x > 0 && row[x - 1] == value) --x;
    return x;
  }
  static void Fill(uint8_t* row, int first, int last, uint8_t value) {
    const int length = last - first + 1;
    if (length > kInlineLength) {
      std::memset(row + first, value, static_cast<size_t>(length));
    } else if (length >= 8) {  // two words that may overlap, both inside the span
      StoreUnaligned(reinterpret_cast<uint64_t*>(row + first), kOnes * value);
      StoreUnaligned(reinterpret_cast<uint64_t*>(row + last - 7), kOnes * value);
      if (length > 16) StoreUnaligned(reinterpret_cast<uint64_t*>(row + first + 8), kOnes * value);
    } else {
      for (int x = first; x <= last; ++x) row[x] = value;
    }
  }

 private:
  static constexpr uint64_t kOnes = 0x0101010101010101ull;
  static constexpr int kInlineLength = 24;

  static uint64_t Word(const uint8_t* at) { return LoadUnaligned(reinterpret_cast<const uint64_t*>(at)); }
  // The high bit of each byte that is zero in v; bits above the lowest may be spurious, the lowest
  // is exact.
  static uint64_t ZeroBytes(uint64_t v) { return (v - kOnes) & ~v & (kOnes << 7); }
  static int FindEqualInMemory(const uint8_t* row, int from, int last, uint8_t value) {
    const void* found = std::memchr(row + from, value, static_cast<size_t>(last - from + 1));
    return found == nullptr ? last + 1 : static_cast<int>(static_cast<const uint8_t*>(found) - row);
  }
};

}  // namespace ryn::segment
