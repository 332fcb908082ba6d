#include "vlib/support_library.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "platform/load_order.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/system_error.h"
#include "vlib/debug_out_streamer.h"
#include "vlib/debugger_text.h"
#include "vlib/event_log.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

constinit std::atomic<uint32_t> g_initialised{0};
// Never destroyed: lines may still be written while the process exits.
constinit const DebugOutConfiguration* g_configuration = nullptr;

void ReportEscaped(const char* what) { OutputDebugTextA(what); }

template <class Release>
void GuardedRelease(Release release) {
  try {
    release();
  } catch (const std::exception& failure) {
    ReportEscaped(failure.what());
  } catch (...) {
    ReportEscaped("VLib: unknown exception at exit");
  }
}

void ExitTimeHandler() { ReleaseProcessObjectsAtExit(); }

struct SupportLibraryStaticInitialisation {
  SupportLibraryStaticInitialisation() {
    try {
      g_configuration = new DebugOutConfiguration(DebugOutConfiguration::Read(ryn::platform::ActiveRegistry()));
    } catch (const std::exception&) {
      // The registry cannot be read: the defaults stay, as for a missing key.
    }
    g_initialised.exchange(1);
    std::atexit(ExitTimeHandler);
    EventLog::SetLogName(L"Application");
    GuardedRelease(CheckTimerFrequency);
  }
};

const SupportLibraryStaticInitialisation g_staticInitialisation
    __attribute__((init_priority(ryn::kSupportLibraryPriority)));

}  // namespace

bool SupportLibraryInitialised() { return g_initialised.load() == 1; }

void SetSupportLibraryInitialisedForTesting(bool initialised) { g_initialised.store(initialised ? 1 : 0); }

const DebugOutConfiguration& ProcessConfiguration() {
  static const DebugOutConfiguration kDefaults;
  return g_configuration != nullptr ? *g_configuration : kDefaults;
}

void ReleaseProcessObjectsAtExit() {
  GuardedRelease(DebugOutStreamer::ReleaseInstanceAtExit);
  GuardedRelease(EventLog::ReleaseInstanceAtExit);
}

void CheckTimerFrequency() {
  int64_t frequency = 0;
  if (!ryn::platform::ActiveClock().PerformanceFrequency(&frequency)) {
    throw SystemException(ryn::platform::LastSystemError(), "VLib::GetVLibTimerFrequency");
  }
  if (frequency <= 0) OutputDebugTextA("Result.QuadPart > 0");
}

}  // namespace VLib
