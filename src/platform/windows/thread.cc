#include "platform/thread.h"

#include "platform/windows/windows_api.h"

namespace ryn::platform {

uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

}  // namespace ryn::platform
