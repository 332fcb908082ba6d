// The system's narrow text is the ANSI code page.
#include "platform/text_encoding.h"

#include <climits>

#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

// The conversion calls count in int; diagnostic texts never come near that, and a longer text is
// converted up to that length rather than not at all.
int CountFor(size_t size) { return size > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::wstring NarrowToWide(std::string_view text) {
  if (text.empty()) return {};
  const int count = CountFor(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), count, wide.data(), length);
  return wide;
}

std::string WideToNarrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int count = CountFor(text.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), count, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace ryn::platform
