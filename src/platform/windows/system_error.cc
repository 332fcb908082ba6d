#include "platform/system_error.h"

#include <string_view>

#include "platform/windows/windows_api.h"

namespace ryn::platform {

const uint32_t kInsufficientBufferError = ERROR_INSUFFICIENT_BUFFER;
const uint32_t kInvalidParameterError = ERROR_INVALID_PARAMETER;

uint32_t LastSystemError() { return GetLastError(); }

std::optional<std::wstring> SystemErrorText(uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || buffer == nullptr) return std::nullopt;
  std::wstring_view text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.remove_suffix(1);
  std::optional<std::wstring> result;
  if (!text.empty()) result = std::wstring(text);
  LocalFree(buffer);
  return result;
}

}  // namespace ryn::platform
