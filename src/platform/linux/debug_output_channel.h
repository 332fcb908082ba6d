// Debugger output on a system without a debugger channel: dropped, or appended to a file or to
// standard error, one line per message.
#pragma once

#include <string>

#include "platform/debugger_output.h"

namespace ryn::platform {

class DebugOutputChannel final : public DebuggerOutput {
 public:
  // `destination`: empty drops everything, "stderr" writes to standard error, anything else
  // names a file to append to.
  explicit DebugOutputChannel(std::string destination);
  void Write(std::wstring_view text) override;

 private:
  std::string destination_;
};

}  // namespace ryn::platform
