// The work buffer of one transform call: the caller's, from its first 16-byte aligned address, or
// a block allocated for the call and released when the call returns.
#pragma once

#include <cstdint>

#include "frame/allocator.h"
#include "primitives/fft/fft_objects.h"

namespace ryn::fft {

class WorkBuffer {
 public:
  WorkBuffer(uint8_t* callerBuffer, int64_t bytes) {
    if (callerBuffer != nullptr) {
      const uintptr_t address = reinterpret_cast<uintptr_t>(callerBuffer);
      const uintptr_t aligned = (address + kCallerBufferAlignment - 1) & ~uintptr_t{kCallerBufferAlignment - 1};
      data_ = callerBuffer + (aligned - address);
    } else if (bytes > 0) {
      owned_ = static_cast<uint8_t*>(AllocateBlock(bytes));
      data_ = owned_;
      failed_ = owned_ == nullptr;
    }
  }
  ~WorkBuffer() { FreeBlock(owned_); }
  WorkBuffer(const WorkBuffer&) = delete;
  WorkBuffer& operator=(const WorkBuffer&) = delete;

  bool Failed() const { return failed_; }
  uint8_t* Data() const { return data_; }

 private:
  uint8_t* data_ = nullptr;
  uint8_t* owned_ = nullptr;
  bool failed_ = false;
};

}  // namespace ryn::fft
