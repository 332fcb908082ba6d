#include "vlib/debug_out_streamer.h"

#include <exception>
#include <mutex>

#include "platform/console.h"
#include "platform/process.h"
#include "vlib/console_output_streamer.h"
#include "vlib/debug_window_output_streamer.h"
#include "vlib/debugger_text.h"
#include "vlib/eventlog_output_streamer.h"
#include "vlib/file_output_streamer.h"
#include "vlib/support_library.h"

namespace VLib {
namespace {

constexpr uint32_t kExitWaitRounds = 20;
constexpr uint32_t kExitWaitMilliseconds = 100;

// Made on first use and never destroyed: static initialisation and exit-time handlers lock it, in
// whatever order they run.
CriticalSection& InstanceLock() {
  static CriticalSection* const lock = new CriticalSection;
  return *lock;
}

constinit DebugOutStreamer* g_instance = nullptr;

}  // namespace

DebugOutStreamer::DebugOutStreamer(DebugOutConfiguration configuration, bool hasConsoleWindow)
    : configuration_(std::move(configuration)),
      knownTargets_{kTargetConsole, kTargetDebugWindow, kTargetFile, kTargetUnused, kTargetEventLog},
      defaultTargets_(hasConsoleWindow ? kTargetConsole : kTargetDebugWindow),
      history_(new OutputHistoryStreamer(OutputHistoryStreamer::kDefaultCapacity)) {
  std::lock_guard lock(lock_);
  for (uint32_t bit : knownTargets_) {
    if (defaultTargets_ & bit) StreamerFor(bit, true);
  }
  state_ = kReady;
}

bool DebugOutStreamer::Passes(const DebugOutRecord& record) const {
  std::lock_guard lock(lock_);
  return configuration_.Passes(record);
}

void DebugOutStreamer::ReplaceConfigurationForTesting(DebugOutConfiguration configuration) {
  std::lock_guard lock(lock_);
  configuration_ = std::move(configuration);
}

bool DebugOutStreamer::HasStreamerFor(uint32_t bit) const {
  std::lock_guard lock(lock_);
  return streamers_.contains(bit);
}

ReferencePointer<IDebugOutStreamerObject> DebugOutStreamer::CreateStreamer(uint32_t bit) const {
  switch (bit) {
    case kTargetConsole:
      return ReferencePointer<IDebugOutStreamerObject>(new ConsoleOutputStreamer(configuration_.consoleTimeMode));
    case kTargetDebugWindow:
      return ReferencePointer<IDebugOutStreamerObject>(
          new DebugWindowOutputStreamer(configuration_.debugWindowSourcePrefix));
    case kTargetFile:
      return ReferencePointer<IDebugOutStreamerObject>(new FileOutputStreamer(configuration_.fileName));
    case kTargetEventLog:
      return ReferencePointer<IDebugOutStreamerObject>(new EventlogOutputStreamer());
    default:
      return {};
  }
}

IDebugOutStreamerObject* DebugOutStreamer::StreamerFor(uint32_t bit, bool forceCreation) {
  const auto found = streamers_.find(bit);
  if (found != streamers_.end()) return found->second.get();
  if (streamers_.empty() && !forceCreation) return nullptr;
  ReferencePointer<IDebugOutStreamerObject> streamer;
  try {
    streamer = CreateStreamer(bit);
  } catch (const std::exception& failure) {
    OutputDebugTextA(failure.what());
  }
  if (!streamer) return nullptr;
  return streamers_.emplace(bit, std::move(streamer)).first->second.get();
}

uint32_t DebugOutStreamer::ResolveTargets(uint32_t targets) const {
  return (targets & kTargetDefault) ? (targets & ~kTargetDefault) | defaultTargets_ : targets;
}

template <class Action>
void DebugOutStreamer::ForEachTarget(uint32_t targets, Action action) {
  std::lock_guard lock(lock_);
  for (uint32_t bit : knownTargets_) {
    if (!(targets & bit)) continue;
    // One failing output must not keep the line from the others.
    try {
      if (IDebugOutStreamerObject* streamer = StreamerFor(bit, false)) action(*streamer);
    } catch (const std::exception& failure) {
      OutputDebugTextA(failure.what());
    }
  }
  action(*history_);
}

void DebugOutStreamer::Write(const DebugOutRecord& record, uint32_t targets, std::wstring_view text) {
  ForEachTarget(targets, [&](IDebugOutStreamerObject& streamer) { streamer.Write(record, text); });
}

void DebugOutStreamer::Flush(uint32_t targets) {
  ForEachTarget(targets, [](IDebugOutStreamerObject& streamer) { streamer.Flush(); });
}

void DebugOutStreamer::Emit(const DebugOutRecord& record, uint32_t targets, std::wstring_view text) {
  std::lock_guard lock(lock_);
  const uint32_t resolved = ResolveTargets(targets);
  if (!text.empty()) Write(record, resolved, text);
  Flush(resolved);
}

ReferencePointer<DebugOutStreamer> DebugOutStreamer::Instance() {
  std::lock_guard lock(InstanceLock());
  if (g_instance == nullptr) {
    g_instance = new DebugOutStreamer(ProcessConfiguration(), ryn::platform::ActiveConsole().HasWindow());
    g_instance->AddRef();
  }
  return ReferencePointer<DebugOutStreamer>(g_instance);
}

void DebugOutStreamer::ReleaseInstanceAtExit() {
  DebugOutStreamer* instance = nullptr;
  {
    std::lock_guard lock(InstanceLock());
    instance = g_instance;
  }
  if (instance == nullptr) return;
  ryn::platform::Process& process = ryn::platform::ActiveProcess();
  for (uint32_t round = 0; round < kExitWaitRounds && instance->GlobalReferenceCount() > 1; ++round) {
    process.Sleep(kExitWaitMilliseconds);
  }
  // A thread still writing would find its streamer gone; ending the process is the safe way out.
  if (instance->GlobalReferenceCount() > 1) {
    process.TerminateNow();
    return;
  }
  {
    std::lock_guard lock(InstanceLock());
    g_instance = nullptr;
  }
  instance->ReleaseGlobalReference();
}

}  // namespace VLib
