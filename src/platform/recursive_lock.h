// The system's lock that its owning thread may enter again: on Windows a critical section created
// with a spin count, elsewhere a recursive mutex (which decides itself how long to spin).
#pragma once

#include <cstddef>
#include <cstdint>

namespace ryn::platform {

class RecursiveLock {
 public:
  explicit RecursiveLock(uint32_t spinCount);
  ~RecursiveLock();
  RecursiveLock(const RecursiveLock&) = delete;
  RecursiveLock& operator=(const RecursiveLock&) = delete;

  void lock();
  void unlock();

  // Room for the system's lock object, whose declaration stays out of this header.
  static constexpr size_t kStorageSize = 64;

 private:
  alignas(16) unsigned char storage_[kStorageSize];
};

}  // namespace ryn::platform
