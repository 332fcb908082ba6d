// A lock that the owning thread may enter again while it holds it.
#pragma once

#include <cstdint>

#include "platform/recursive_lock.h"
#include "vlib/non_copyable.h"

namespace VLib {

class CriticalSection : private NonCopyable {
 public:
  static constexpr uint32_t kDefaultSpinCount = 1000;

  explicit CriticalSection(uint32_t spinCount = kDefaultSpinCount) : lock_(spinCount), spinCount_(spinCount) {}

  void lock() { lock_.lock(); }
  void unlock() { lock_.unlock(); }
  uint32_t SpinCount() const { return spinCount_; }

 private:
  ryn::platform::RecursiveLock lock_;
  uint32_t spinCount_;
};

}  // namespace VLib
