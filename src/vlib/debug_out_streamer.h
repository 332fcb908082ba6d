// The diagnostic facility's process-wide writer: owns one streamer per target bit and the
// history, and serialises all writing.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "vlib/critical_section.h"
#include "vlib/debug_out_configuration.h"
#include "vlib/debug_out_streamer_object.h"
#include "vlib/global_object.h"
#include "vlib/output_history_streamer.h"
#include "vlib/reference_count.h"

namespace VLib {

class IDebugOutStreamerProperties : public virtual VirtualReferenceCountBaseClass {
 public:
  virtual bool IsReady() const = 0;
  // The filter: whether a line of this record is written at all.
  virtual bool Passes(const DebugOutRecord& record) const = 0;
  virtual uint32_t DefaultTargets() const = 0;
};

class DebugOutStreamer final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>,
                               public IDebugOutStreamerProperties,
                               public IGlobalObjectInterface {
 public:
  static constexpr uint32_t kReady = 1;

  // The default targets are the console when the process has a console window, else the debug
  // window; their streamers are created at once.
  DebugOutStreamer(DebugOutConfiguration configuration, bool hasConsoleWindow);

  bool IsReady() const override { return state_ == kReady; }
  bool Passes(const DebugOutRecord& record) const override;
  uint32_t DefaultTargets() const override { return defaultTargets_; }

  // Writes `text` to the streamer of every known target bit in `targets` and to the history.
  void Write(const DebugOutRecord& record, uint32_t targets, std::wstring_view text);
  void Flush(uint32_t targets);
  // One whole line: target 32 replaced by the default targets, written (unless empty) and
  // flushed under the lock.
  void Emit(const DebugOutRecord& record, uint32_t targets, std::wstring_view text);

  const OutputHistoryStreamer& History() const { return *history_; }
  const DebugOutConfiguration& Configuration() const { return configuration_; }
  void ReplaceConfigurationForTesting(DebugOutConfiguration configuration);
  bool HasStreamerFor(uint32_t bit) const;

  uint32_t GlobalReferenceCount() const override { return ReferenceCount(); }
  uint32_t ReleaseGlobalReference() override { return Release(); }

  // The process-wide streamer, created on first use with the process's configuration.
  static ReferencePointer<DebugOutStreamer> Instance();
  // Exit-time handling: waits up to 20 x 100 ms for all other references to go; ends the
  // process when they do not, else lets go of the streamer.
  static void ReleaseInstanceAtExit();

 private:
  IDebugOutStreamerObject* StreamerFor(uint32_t bit, bool forceCreation);
  ReferencePointer<IDebugOutStreamerObject> CreateStreamer(uint32_t bit) const;
  uint32_t ResolveTargets(uint32_t targets) const;
  // Runs `action` on the streamer of every known bit in `targets`, then on the history.
  template <class Action>
  void ForEachTarget(uint32_t targets, Action action);

  mutable CriticalSection lock_;
  DebugOutConfiguration configuration_;
  std::map<uint32_t, ReferencePointer<IDebugOutStreamerObject>> streamers_;
  std::vector<uint32_t> knownTargets_;
  uint32_t defaultTargets_ = kTargetDebugWindow;
  uint32_t state_ = 0;
  ReferencePointer<OutputHistoryStreamer> history_;
};

}  // namespace VLib
