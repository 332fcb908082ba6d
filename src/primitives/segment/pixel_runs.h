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

template <>
struct PixelRuns<uint8_t> {
  static int FindEqual(const uint8_t* row, int from, int last, uint8_t value) {
    if (from > last) return from;
    const void* found = std::memchr(row + from, value, static_cast<size_t>(last - from + 1));
    return found == nullptr ? last + 1 : static_cast<int>(static_cast<const uint8_t*>(found) - row);
  }
  static int RunEnd(const uint8_t* row, int from, int last, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = from + 1;
    for (; x + 8 <= last + 1; x += 8) {
      const uint64_t different = LoadUnaligned(reinterpret_cast<const uint64_t*>(row + x)) ^ pattern;
      if (different != 0) return x + __builtin_ctzll(different) / 8 - 1;
    }
    while (x <= last && row[x] == value) ++x;
    return x - 1;
  }
  static int RunStart(const uint8_t* row, int from, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = from;  // row[x..from] equal value
    for (; x >= 8; x -= 8) {
      const uint64_t different = LoadUnaligned(reinterpret_cast<const uint64_t*>(row + x - 8)) ^ pattern;
      if (different != 0) return x - __builtin_clzll(different) / 8;
    }
    while (x > 0 && row[x - 1] == value) --x;
    return x;
  }
  static void Fill(uint8_t* row, int first, int last, uint8_t value) {
    std::memset(row + first, value, static_cast<size_t>(last - first + 1));
  }

 private:
  static constexpr uint64_t kOnes = 0x0101010101010101ull;
};

}  // namespace ryn::segment
