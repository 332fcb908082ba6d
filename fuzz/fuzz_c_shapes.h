// Shapes shared by the entries of the frequency, numerics, ray-casting, pose and text families:
// scratch memory the library may use as it likes, and initial contents an entry computes itself.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
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

// The case's buffer that holds `p`, or null.
inline Buffer* BufferOf(FuzzCase& c, const void* p) {
  if (p == nullptr) return nullptr;
  const auto* byte = static_cast<const uint8_t*>(p);
  for (auto& buffer : c.buffers()) {
    const uint8_t* start = buffer->data();
    if (byte == start || (byte > start && byte < start + buffer->size())) return buffer.get();
  }
  return nullptr;
}

// The content each run starts from at `p` in the case's buffers, for entries that compute it (a
// permutation, valid indices, a record built by the library); null when `p` is in no buffer.
template <class T>
T* InitialOf(FuzzCase& c, const T* p) {
  Buffer* buffer = BufferOf(c, p);
  if (buffer == nullptr) return nullptr;
  const auto offset = reinterpret_cast<const uint8_t*>(p) - buffer->data();
  return reinterpret_cast<T*>(buffer->initial().data() + offset);
}

// One input in four, puts up to three values that take the exact or slow paths of float code
// (NaN, infinities, the ends of the range, denormals, negative zero, arguments far beyond a
// period) at decoded places among the floats of the case's buffer that holds `p`.
inline void SpecialFloats(FuzzCase& c, const float* p) {
  Buffer* buffer = BufferOf(c, p);
  const int64_t count = buffer != nullptr ? static_cast<int64_t>(buffer->size() / sizeof(float)) : 0;
  if (count < 1 || !c.in().Flag(4)) return;
  using Limits = std::numeric_limits<float>;
  const float special[] = {Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), Limits::max(),
                           -Limits::max(), Limits::denorm_min(), -1e-40f, -0.0f, Limits::min(), 1e20f, -1e-25f,
                           49152.5f, -1e5f, 3e7f, 1e10f, 8.5e37f};
  const int places = 1 + c.in().Byte() % 3;
  for (int i = 0; i < places; ++i) {
    const int64_t at = c.in().Raw<uint32_t>() % count;
    const float value = special[c.in().Byte() % (sizeof special / sizeof special[0])];
    std::memcpy(buffer->initial().data() + at * sizeof(float), &value, sizeof value);
  }
}

// Whether every step holds whole floats. The runner compares NaN with NaN, whatever its sign and
// payload, only at whole-float offsets of a buffer; images with other steps get no special values,
// so that a NaN whose sign differs between builds is not taken for a different result.
inline bool WholeFloatSteps(std::initializer_list<int> steps) {
  for (int step : steps) {
    if (step % static_cast<int>(sizeof(float)) != 0) return false;
  }
  return true;
}

}  // namespace ryn::fuzz
