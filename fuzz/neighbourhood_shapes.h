// Shapes shared by the neighbourhood, segmentation and geometry entries: working buffers sized by
// the library's own queries, and image origins that lie outside the region a call works on.
#pragma once

#include <cstdint>
#include <memory>

#include "fuzz/fuzz_case.h"

namespace ryn::fuzz {

// A working buffer of exactly `bytes` (none when not positive), or null. It is scratch memory
// whose content the contract leaves open, so it lives outside the buffers the runner compares;
// it still ends where its allocation ends. It may start at any alignment.
inline uint8_t* Scratch(FuzzCase& c, int64_t bytes) {
  if (c.in().Flag(48)) return nullptr;
  if (bytes > FuzzCase::kMaxBytes) {
    c.Skip();
    return nullptr;
  }
  const int64_t size = bytes > 0 ? bytes : 0;
  const int64_t offset = c.in().Flag(4) ? 1 + c.in().Byte() % 31 : 0;
  std::shared_ptr<uint8_t[]> block(new uint8_t[static_cast<size_t>(offset + size)]());
  return c.Keep(block)->get() + offset;
}

// A working buffer of the size a query reports for the matching call (none when the query fails).
template <class Query>
uint8_t* QueriedScratch(FuzzCase& c, Query query) {
  int bytes = 0;
  return Scratch(c, query(&bytes) >= 0 ? bytes : 0);
}

// The address `dx` pixels right and `dy` rows below `image.p` (null stays null): the origin an
// export takes when the region it works on starts inside the caller's image.
template <class T>
T* Moved(ImageArg<T> image, int dx, int dy) {
  if (image.p == nullptr) return nullptr;
  const intptr_t bytes = static_cast<intptr_t>(dy) * image.step + static_cast<intptr_t>(dx) * sizeof(T);
  return reinterpret_cast<T*>(reinterpret_cast<uintptr_t>(image.p) + bytes);
}

// A region size or a bound from several arguments, kept where int arithmetic cannot overflow.
inline int SumOrZero(int64_t value) { return value > 0 && value <= INT32_MAX ? static_cast<int>(value) : 0; }

}  // namespace ryn::fuzz
