#include "platform/recursive_lock.h"

#include <mutex>
#include <new>

namespace ryn::platform {
namespace {

static_assert(sizeof(std::recursive_mutex) <= RecursiveLock::kStorageSize);
static_assert(alignof(std::recursive_mutex) <= 16);

std::recursive_mutex& MutexIn(unsigned char* storage) {
  return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

}  // namespace

RecursiveLock::RecursiveLock(uint32_t) { new (storage_) std::recursive_mutex; }
RecursiveLock::~RecursiveLock() { MutexIn(storage_).~recursive_mutex(); }
void RecursiveLock::lock() { MutexIn(storage_).lock(); }
void RecursiveLock::unlock() { MutexIn(storage_).unlock(); }

}  // namespace ryn::platform
