// Process-level services: pausing the calling thread and ending the process.
#pragma once

#include <cstdint>

#include "platform/service_override.h"

namespace ryn::platform {

class Process {
 public:
  virtual ~Process() = default;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Ends the process at once with exit code 0, running no handlers. Returns only from fakes.
  virtual void TerminateNow() = 0;
};

Process& SystemProcess();
using ProcessOverride = ServiceOverride<Process, SystemProcess>;
inline Process& ActiveProcess() { return ProcessOverride::Active(); }

}  // namespace ryn::platform
