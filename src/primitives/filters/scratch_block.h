// Working memory of one filter call: a library block released when the call returns.
#pragma once

#include <cstdint>

#include "frame/allocator.h"

namespace ryn::filters {

class ScratchBlock {
 public:
  // Null data when `bytes` is not positive or the heap is exhausted (callers report -9).
  explicit ScratchBlock(int64_t bytes) : data_(bytes > 0 ? AllocateBlock(bytes) : nullptr) {}
  ~ScratchBlock() { FreeBlock(data_); }
  ScratchBlock(const ScratchBlock&) = delete;
  ScratchBlock& operator=(const ScratchBlock&) = delete;

  bool Obtained() const { return data_ != nullptr; }
  template <class T>
  T* As() const {
    return static_cast<T*>(data_);
  }

 private:
  void* data_;
};

// Bytes of `count` elements of T rounded up to whole 32-byte blocks, so that several arrays
// carved from one block each start aligned.
template <class T>
constexpr int64_t AlignedBytes(int64_t count) {
  return (count * static_cast<int64_t>(sizeof(T)) + 31) / 32 * 32;
}

}  // namespace ryn::filters
