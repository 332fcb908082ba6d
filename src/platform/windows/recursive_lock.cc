#include "platform/recursive_lock.h"

#include <new>

#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

static_assert(sizeof(CRITICAL_SECTION) <= RecursiveLock::kStorageSize);
static_assert(alignof(CRITICAL_SECTION) <= 16);

CRITICAL_SECTION* SectionIn(unsigned char* storage) {
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

}  // namespace

// Since Windows Vista the creation cannot fail (it used to under low memory).
RecursiveLock::RecursiveLock(uint32_t spinCount) {
  InitializeCriticalSectionAndSpinCount(new (storage_) CRITICAL_SECTION, spinCount);
}
RecursiveLock::~RecursiveLock() { DeleteCriticalSection(SectionIn(storage_)); }
void RecursiveLock::lock() { EnterCriticalSection(SectionIn(storage_)); }
void RecursiveLock::unlock() { LeaveCriticalSection(SectionIn(storage_)); }

}  // namespace ryn::platform
