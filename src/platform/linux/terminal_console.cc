#include "platform/linux/terminal_console.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/linux/fd_writer.h"
#include "platform/text_encoding.h"

namespace ryn::platform {
namespace {

constexpr uint16_t kBlue = 1, kGreen = 2, kRed = 4, kIntense = 8;
constexpr char kReset[] = "\x1b[0m";

}  // namespace

std::string AnsiColourSequence(uint16_t attribute) {
  // Console colour bits are blue, green, red; ANSI numbers them red, green, blue.
  const int colour = ((attribute & kRed) ? 1 : 0) | ((attribute & kGreen) ? 2 : 0) | ((attribute & kBlue) ? 4 : 0);
  const int base = (attribute & kIntense) ? 90 : 30;
  return "\x1b[" + std::to_string(base + colour) + "m";
}

TerminalConsole::TerminalConsole(int outputFd, int errorFd) : outputFd_(outputFd), errorFd_(errorFd) {}

bool TerminalConsole::HasStream(ConsoleStream stream) const { return fcntl(Fd(stream), F_GETFD) != -1; }

bool TerminalConsole::HasWindow() const { return isatty(outputFd_) == 1 || isatty(errorFd_) == 1; }

void TerminalConsole::WriteLine(ConsoleStream stream, uint16_t attribute, std::wstring_view text) {
  const int fd = Fd(stream);
  if (isatty(fd) != 1) return;
  const std::wstring_view body = WithoutLineEnd(text);
  // One write per line: the colour ends before the line break, and the terminal turns the line
  // feed into its own line end.
  std::string bytes = AnsiColourSequence(attribute) + WideToNarrow(body) + kReset;
  if (body.size() != text.size()) bytes += '\n';
  WriteAll(fd, bytes);
}

Console& SystemConsole() {
  // Never destroyed: exit-time handlers may still need it.
  static TerminalConsole* const console = new TerminalConsole(STDOUT_FILENO, STDERR_FILENO);
  return *console;
}

}  // namespace ryn::platform
