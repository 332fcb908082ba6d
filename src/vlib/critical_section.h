// A lock that the owning thread may enter again while it holds it.
#pragma once

#include <cstdint>
#include <mutex>

#include "vlib/non_copyable.h"

namespace VLib {

class CriticalSection : private NonCopyable {
 public:
  static constexpr uint32_t kDefaultSpinCount = 1000;

  // The spin count is a hint; the standard mutex decides itself how long to spin.
  explicit CriticalSection(uint32_t spinCount = kDefaultSpinCount) : spinCount_(spinCount) {}

  void lock() { mutex_.lock(); }
  void unlock() { mutex_.unlock(); }
  uint32_t SpinCount() const { return spinCount_; }

 private:
  std::recursive_mutex mutex_;
  uint32_t spinCount_;
};

}  // namespace VLib
