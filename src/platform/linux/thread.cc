#include "platform/thread.h"

#include <unistd.h>

namespace ryn::platform {

uint32_t CurrentThreadId() { return static_cast<uint32_t>(gettid()); }

}  // namespace ryn::platform
