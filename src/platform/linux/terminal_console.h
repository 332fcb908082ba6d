// The console as two file descriptors that are shown only when they are terminals; colours
// become ANSI escape sequences.
#pragma once

#include <string>

#include "platform/console.h"

namespace ryn::platform {

class TerminalConsole final : public Console {
 public:
  TerminalConsole(int outputFd, int errorFd);

  bool HasStream(ConsoleStream stream) const override;
  bool HasWindow() const override;
  void WriteLine(ConsoleStream stream, uint16_t attribute, std::wstring_view text) override;

 private:
  int Fd(ConsoleStream stream) const { return stream == ConsoleStream::kError ? errorFd_ : outputFd_; }

  int outputFd_;
  int errorFd_;
};

// The escape sequence that selects the foreground colour of a console attribute.
std::string AnsiColourSequence(uint16_t attribute);

}  // namespace ryn::platform
