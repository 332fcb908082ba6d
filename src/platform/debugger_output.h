// The channel for text meant for a debugger.
#pragma once

#include <string_view>

#include "platform/service_override.h"

namespace ryn::platform {

class DebuggerOutput {
 public:
  virtual ~DebuggerOutput() = default;
  // One call carries one message.
  virtual void Write(std::wstring_view text) = 0;
};

DebuggerOutput& SystemDebuggerOutput();
using DebuggerOutputOverride = ServiceOverride<DebuggerOutput, SystemDebuggerOutput>;
inline DebuggerOutput& ActiveDebuggerOutput() { return DebuggerOutputOverride::Active(); }

}  // namespace ryn::platform
