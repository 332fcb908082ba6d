// The console on Linux: terminals get coloured lines, pipes and files get nothing.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "platform/linux/terminal_console.h"

namespace ryn::platform {
namespace {

// A pseudo-terminal whose slave side stands for the console, without output processing so that
// the bytes written arrive unchanged.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    termios raw{};
    cfmakeraw(&raw);
    ok_ = openpty(&master_, &slave_, nullptr, &raw, nullptr) == 0;
  }
  ~PseudoTerminal() {
    if (ok_) {
      close(master_);
      close(slave_);
    }
  }
  bool ok() const { return ok_; }
  int slave() const { return slave_; }
  std::string ReadAvailable() const {
    std::string out;
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    char buffer[4096];
    for (ssize_t n; (n = read(master_, buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<size_t>(n));
    fcntl(master_, F_SETFL, flags);
    return out;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  bool ok_ = false;
};

TEST(TerminalConsole, ColourSequencesFollowTheConsoleColourBits) {
  EXPECT_EQ(AnsiColourSequence(12), "\x1b[91m");  // light red
  EXPECT_EQ(AnsiColourSequence(13), "\x1b[95m");  // light magenta
  EXPECT_EQ(AnsiColourSequence(14), "\x1b[93m");  // yellow
  EXPECT_EQ(AnsiColourSequence(11), "\x1b[96m");  // light cyan
  EXPECT_EQ(AnsiColourSequence(7), "\x1b[37m");   // grey
  EXPECT_EQ(AnsiColourSequence(1), "\x1b[34m");   // blue
  EXPECT_EQ(AnsiColourSequence(0), "\x1b[30m");
}

TEST(TerminalConsole, TerminalGetsOneColouredLineResetBeforeItsEnd) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.ok());
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  TerminalConsole console(terminal.slave(), pipeFds[1]);
  EXPECT_TRUE(console.HasWindow());
  EXPECT_TRUE(console.HasStream(ConsoleStream::kOutput));
  console.WriteLine(ConsoleStream::kOutput, 11, L"INFO  [,1] h\u00e9\r\n");
  EXPECT_EQ(terminal.ReadAvailable(), "\x1b[96mINFO  [,1] h\xc3\xa9\x1b[0m\n");
  console.WriteLine(ConsoleStream::kOutput, 7, L"no line end");
  EXPECT_EQ(terminal.ReadAvailable(), "\x1b[37mno line end\x1b[0m");

  console.WriteLine(ConsoleStream::kError, 12, L"ERROR [,1] to the pipe\r\n");
  close(pipeFds[1]);
  char byte;
  EXPECT_EQ(read(pipeFds[0], &byte, 1), 0) << "a redirected stream gets nothing";
  close(pipeFds[0]);
}

TEST(TerminalConsole, PipesAndFilesAreNoConsoleWindow) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  char path[] = "/tmp/ryn_console_XXXXXX";
  const int file = mkstemp(path);
  ASSERT_GE(file, 0);
  TerminalConsole console(pipeFds[1], file);
  EXPECT_FALSE(console.HasWindow());
  console.WriteLine(ConsoleStream::kError, 12, L"x\r\n");
  EXPECT_EQ(lseek(file, 0, SEEK_END), 0);
  close(file);
  unlink(path);
  close(pipeFds[0]);
  close(pipeFds[1]);

  TerminalConsole closed(-1, 9999);
  EXPECT_FALSE(closed.HasStream(ConsoleStream::kOutput));
  EXPECT_FALSE(closed.HasStream(ConsoleStream::kError));
}

}  // namespace
}  // namespace ryn::platform
