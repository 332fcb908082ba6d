#include "platform/process.h"

#include <unistd.h>

#include <chrono>
#include <thread>

namespace ryn::platform {
namespace {

class LinuxProcess final : public Process {
 public:
  void Sleep(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  void TerminateNow() override { _exit(0); }
};

}  // namespace

Process& SystemProcess() {
  // Never destroyed: exit-time handlers may still need it.
  static LinuxProcess* const process = new LinuxProcess;
  return *process;
}

}  // namespace ryn::platform
