// System error codes and their message texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ryn::platform {

// The codes that the support library raises on its own account.
extern const uint32_t kInsufficientBufferError;
extern const uint32_t kInvalidParameterError;

// The code of the calling thread's last failed system call.
uint32_t LastSystemError();

// The system's message text for `code` without trailing line ends, or nothing when the system
// has no text for it.
std::optional<std::wstring> SystemErrorText(uint32_t code);

}  // namespace ryn::platform
