#include "platform/linux/debug_output_channel.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/linux/fd_writer.h"
#include "platform/text_encoding.h"

namespace ryn::platform {

DebugOutputChannel::DebugOutputChannel(std::string destination) : destination_(std::move(destination)) {}

void DebugOutputChannel::Write(std::wstring_view text) {
  if (destination_.empty()) return;
  const std::string line = WideToNarrow(WithoutLineEnd(text)) + "\n";
  if (destination_ == "stderr") {
    WriteAll(STDERR_FILENO, line);
    return;
  }
  // Opened per message with O_APPEND, so that every message lands whole at the end of the file
  // even when other processes append to it too.
  const int fd = open(destination_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  WriteAll(fd, line);
  close(fd);
}

DebuggerOutput& SystemDebuggerOutput() {
  // Never destroyed: exit-time handlers may still need it.
  static DebugOutputChannel* const channel = [] {
    const char* destination = std::getenv("RYN_DEBUG_OUTPUT");
    return new DebugOutputChannel(destination != nullptr ? destination : "");
  }();
  return *channel;
}

}  // namespace ryn::platform
