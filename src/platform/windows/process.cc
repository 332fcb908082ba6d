#include "platform/process.h"

#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

class WindowsProcess final : public Process {
 public:
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  // No exit handlers and no DLL detach notifications run: the point is to leave without waiting
  // for whatever still holds the diagnostic streamer.
  void TerminateNow() override { TerminateProcess(GetCurrentProcess(), 0); }
};

}  // namespace

Process& SystemProcess() {
  // Never destroyed: exit-time handlers may still need it.
  static WindowsProcess* const process = new WindowsProcess;
  return *process;
}

}  // namespace ryn::platform
