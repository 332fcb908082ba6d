#include "platform/console.h"

#include <limits>

#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

HANDLE StandardHandle(ConsoleStream stream) {
  return GetStdHandle(stream == ConsoleStream::kError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
}

class WindowsConsole final : public Console {
 public:
  bool HasStream(ConsoleStream stream) const override {
    const HANDLE handle = StandardHandle(stream);
    return handle != INVALID_HANDLE_VALUE && handle != nullptr;
  }

  bool HasWindow() const override { return GetConsoleWindow() != nullptr; }

  // WriteConsoleW fails on handles that are not a console (files, pipes), so redirected output
  // receives nothing, as the console streamer intends.
  void WriteLine(ConsoleStream stream, uint16_t attribute, std::wstring_view text) override {
    const HANDLE handle = StandardHandle(stream);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return;
    CONSOLE_SCREEN_BUFFER_INFO saved{};
    const bool restore = GetConsoleScreenBufferInfo(handle, &saved) != FALSE;
    SetConsoleTextAttribute(handle, attribute);
    while (!text.empty()) {
      const DWORD count = text.size() > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                                           : static_cast<DWORD>(text.size());
      DWORD written = 0;
      if (!WriteConsoleW(handle, text.data(), count, &written, nullptr) || written == 0) break;
      text.remove_prefix(written);
    }
    if (restore) SetConsoleTextAttribute(handle, saved.wAttributes);
  }
};

}  // namespace

Console& SystemConsole() {
  // Never destroyed: exit-time handlers may still need it.
  static WindowsConsole* const console = new WindowsConsole;
  return *console;
}

}  // namespace ryn::platform
