// The process's console: its standard output and standard error streams.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/service_override.h"

namespace ryn::platform {

enum class ConsoleStream { kOutput, kError };

// Text attributes in the console's colour numbering (foreground, with 8 for the light colours).
enum ConsoleAttribute : uint16_t {
  kConsoleGrey = 7,
  kConsoleLightCyan = 11,
  kConsoleLightRed = 12,
  kConsoleLightMagenta = 13,
  kConsoleYellow = 14,
};

class Console {
 public:
  virtual ~Console() = default;
  // False when the process has no usable handle for the stream.
  virtual bool HasStream(ConsoleStream stream) const = 0;
  // True when a person can see the process's console output.
  virtual bool HasWindow() const = 0;
  // Writes one line in the given colour and restores the console's colours afterwards. Output
  // that does not reach a console is dropped, as console writes to redirected handles fail.
  virtual void WriteLine(ConsoleStream stream, uint16_t attribute, std::wstring_view text) = 0;
};

Console& SystemConsole();
using ConsoleOverride = ServiceOverride<Console, SystemConsole>;
inline Console& ActiveConsole() { return ConsoleOverride::Active(); }

}  // namespace ryn::platform
