#include "platform/system_error.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/text_encoding.h"

namespace ryn::platform {

const uint32_t kInsufficientBufferError = ENOBUFS;
const uint32_t kInvalidParameterError = EINVAL;

uint32_t LastSystemError() { return static_cast<uint32_t>(errno); }

std::optional<std::wstring> SystemErrorText(uint32_t code) {
  if (code > static_cast<uint32_t>(__INT_MAX__)) return std::nullopt;
  char buffer[256];
  // The GNU form returns either the buffer or a static text; for codes it does not know it makes
  // up "Unknown error N", which is no text of the system's.
  const std::string_view text = strerror_r(static_cast<int>(code), buffer, sizeof buffer);
  if (text.empty() || text.starts_with("Unknown error")) return std::nullopt;
  return NarrowToWide(text.substr(0, text.find_last_not_of("\r\n") + 1));
}

}  // namespace ryn::platform
