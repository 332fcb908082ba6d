// The calling thread as the system names it.
#pragma once

#include <cstdint>

namespace ryn::platform {

uint32_t CurrentThreadId();

}  // namespace ryn::platform
