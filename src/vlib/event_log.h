// The system's event log as one process-wide object. Events are reported under the event
// source name (by default the program's file name).
#pragma once

#include <cstdint>
#include <string>

#include "platform/event_log.h"
#include "vlib/critical_section.h"
#include "vlib/global_object.h"
#include "vlib/reference_count.h"

namespace VLib {

// The facility's event types.
enum EventLogType : uint32_t {
  kEventInformation = 0,
  kEventWarning = 1,
  kEventError = 2,
  kEventAuditSuccess = 3,
  kEventAuditFailure = 4,
};

class EventLog final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>, public IGlobalObjectInterface {
 public:
  static constexpr char kCompanionModule[] = "EventLogOutput";

  explicit EventLog(std::wstring sourceName = {});

  // Reports `text`; a failed report goes to the debugger instead. On first use the object
  // looks for the companion module and registers its event source.
  void Write(std::wstring_view text, uint32_t type);

  const std::wstring& SourceName() const { return sourceName_; }
  bool CompanionWriters() const { return writeW_ != nullptr && writeA_ != nullptr; }

  static ryn::platform::EventType SystemEventType(uint32_t type);

  // The process-wide object, created on first use.
  static ReferencePointer<EventLog> Instance();
  // Exit-time handling: lets go of the process-wide object without waiting.
  static void ReleaseInstanceAtExit();

  // The name of the log the process writes to ("Application" from static initialisation on).
  static const std::wstring& LogName();
  static void SetLogName(std::wstring name);

  uint32_t GlobalReferenceCount() const override { return ReferenceCount(); }
  uint32_t ReleaseGlobalReference() override { return Release(); }

 protected:
  void LastRelease() override;

 private:
  void CheckForCompanionModule();
  void RegisterSource();

  CriticalSection lock_;
  std::wstring sourceName_;
  bool companionChecked_ = false;
  void* writeW_ = nullptr;
  void* writeA_ = nullptr;
  bool registered_ = false;
  void* source_ = nullptr;
  ryn::platform::Account user_;
};

}  // namespace VLib
