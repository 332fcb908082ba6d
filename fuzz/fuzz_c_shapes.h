// Shapes shared by the entries of the frequency, numerics, ray-casting, pose and text families:
// scratch memory the library may use as it likes, and initial contents an entry computes itself.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz/fuzz_case.h"

namespace ryn::fuzz {

// A work buffer of exactly `bytes` (null one time in 48): the library may leave anything in it,
// so it is neither reset between runs nor compared, but any access past its end is still caught.
inline uint8_t* Scratch(FuzzCase& c, int64_t bytes) {
  if (c.in().Flag(48)) return nullptr;
  if (bytes < 0 || bytes > FuzzCase::kMaxBytes) {
    c.Skip();
    return nullptr;
  }
  const size_t offset = c.in().Flag(4) ? 1 + c.in().Byte() % 63 : 0;
  auto buffer = std::make_shared<Buffer>(static_cast<size_t>(bytes), offset, Access::kWrite, ElementKind::kBytes);
  if (bytes > 0) std::memset(buffer->data(), 0xA5, static_cast<size_t>(bytes));
  c.Keep(buffer);
  return buffer->data();
}

// The content each run starts from of the case's buffer at `p`, for entries that compute it (a
// permutation, valid indices, a record built by the library); null when `p` is no buffer.
template <class T>
T* InitialOf(FuzzCase& c, const T* p) {
  if (p == nullptr) return nullptr;
  for (auto& buffer : c.buffers()) {
    if (buffer->data() == reinterpret_cast<const uint8_t*>(p)) return reinterpret_cast<T*>(buffer->initial().data());
  }
  return nullptr;
}

}  // namespace ryn::fuzz
