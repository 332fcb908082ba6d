// A program linked against the shared library, run for real: the start-up line reaches a
// terminal and nothing else.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <string>
#include <vector>

#include "frame/cpu_features.h"
#include "support/temp_file.h"

namespace ryn::test {
namespace {

struct ProbeRun {
  std::string output;
  int status = -1;
  pid_t pid = 0;
};

[[noreturn]] void ExecProbe(const std::string& registryFile, const std::vector<std::string>& arguments) {
  setenv("RYN_REGISTRY_FILE", registryFile.c_str(), 1);
  setenv("LC_ALL", "C", 1);
  unsetenv("RYN_DEBUG_OUTPUT");
  std::vector<char*> argv{const_cast<char*>(RYN_START_UP_PROBE_PATH)};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

std::string ReadUntilClosed(int fd) {
  std::string output;
  char buffer[4096];
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 30000) <= 0) break;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;  // EIO once the terminal's last user has gone
    output.append(buffer, static_cast<size_t>(n));
  }
  return output;
}

ProbeRun RunOnTerminal(const std::string& registryFile, const std::vector<std::string>& arguments = {}) {
  ProbeRun run;
  int master = -1;
  run.pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (run.pid == 0) ExecProbe(registryFile, arguments);
  if (run.pid < 0) return run;
  run.output = ReadUntilClosed(master);
  waitpid(run.pid, &run.status, 0);
  close(master);
  return run;
}

// Standard output and standard error both to `fd`.
ProbeRun RunRedirected(const std::string& registryFile, int fd) {
  ProbeRun run;
  run.pid = fork();
  if (run.pid == 0) {
    setsid();  // no controlling terminal either
    dup2(fd, STDOUT_FILENO);
    dup2(fd, STDERR_FILENO);
    ExecProbe(registryFile, {});
  }
  return run;
}

std::string ExpectedText() {
  uint64_t mask = 0;
  QueryCpuFeatures(&mask);
  const bool avx = mask & kFeatureAvx;
  const bool aes = mask & kFeatureAes;
  if (!(mask & kFeatureSse3)) return "RAZUdidazoror: IPP INIT ERROR!";
  if (avx && aes) return "RAZUdidazoror inits IPP 7.0.205 (CPU supports AVX, AES)";
  if (avx) return "RAZUdidazoror inits IPP 7.0 (CPU supports AVX)";
  if (aes) return "RAZUdidazoror inits IPP 7.0 (CPU supports AES)";
  return "RAZUdidazoror inits IPP 7.0 (CPU doesn't support AVX, AES)";
}

// The line as a terminal shows it: light cyan, reset, and the terminal's line end.
std::string TerminalLine(pid_t pid, const std::string& text) {
  return "\x1b[96mINFO  [," + std::to_string(pid) + "] " + text + "\x1b[0m\r\n";
}

constexpr char kNoRegistry[] = "/nonexistent/ryn/registry.reg";

TEST(StartUpOnTerminal, LoadingTheLibraryPrintsOneLine) {
  const ProbeRun run = RunOnTerminal(kNoRegistry);
  ASSERT_GT(run.pid, 0);
  EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << run.output;
  // The loader runs the start-up on the main thread, whose identifier is the process's.
  EXPECT_EQ(run.output, TerminalLine(run.pid, ExpectedText()));
}

TEST(StartUpOnTerminal, ASecondCallPrintsASecondLine) {
  const ProbeRun run = RunOnTerminal(kNoRegistry, {"again"});
  EXPECT_EQ(run.output, TerminalLine(run.pid, ExpectedText()) + TerminalLine(run.pid, ExpectedText()));
}

TEST(StartUpOnTerminal, RegistryFileDecidesWhatPassesTheFilter) {
  const TempFile quiet(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter]\r\n"
      "@=dword:00000003\r\n");
  const ProbeRun silenced = RunOnTerminal(quiet.path());
  EXPECT_TRUE(WIFEXITED(silenced.status) && WEXITSTATUS(silenced.status) == 0);
  EXPECT_EQ(silenced.output, "");

  const TempFile timed(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\r\n"
      "\"ConsoleTimeMode\"=dword:00000001\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter]\r\n"
      "@=dword:00000004\r\n");
  const ProbeRun withTime = RunOnTerminal(timed.path());
  const std::regex line("\x1b\\[96m[0-9]{2}:[0-9]{2}:[0-9]{2} INFO  \\[," + std::to_string(withTime.pid) +
                        "\\] RAZUdidazoror.*\x1b\\[0m\r\n");
  EXPECT_TRUE(std::regex_match(withTime.output, line)) << withTime.output;
}

TEST(StartUpRedirected, NothingIsPrintedToAPipeOrAFile) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ProbeRun piped = RunRedirected(kNoRegistry, fds[1]);
  close(fds[1]);
  ASSERT_GT(piped.pid, 0);
  EXPECT_EQ(ReadUntilClosed(fds[0]), "");
  close(fds[0]);
  waitpid(piped.pid, &piped.status, 0);
  EXPECT_TRUE(WIFEXITED(piped.status) && WEXITSTATUS(piped.status) == 0);

  const TempFile file;
  const int fd = open(file.path().c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0);
  ProbeRun filed = RunRedirected(kNoRegistry, fd);
  close(fd);
  waitpid(filed.pid, &filed.status, 0);
  EXPECT_TRUE(WIFEXITED(filed.status) && WEXITSTATUS(filed.status) == 0);
  EXPECT_EQ(file.Read(), "");
}

}  // namespace
}  // namespace ryn::test
