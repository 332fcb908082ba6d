// Lines to the system's event log, with an event type by severity.
#pragma once

#include "vlib/debug_out_streamer_object.h"
#include "vlib/event_log.h"

namespace VLib {

class EventlogOutputStreamer final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>,
                                     public IDebugOutStreamerObject {
 public:
  explicit EventlogOutputStreamer(ReferencePointer<EventLog> log = EventLog::Instance()) : log_(std::move(log)) {}

  void Write(const DebugOutRecord& record, std::wstring_view text) override;
  void Flush() override {}

  // Errors are errors, warnings warnings, everything else information.
  static uint32_t EventTypeFor(uint32_t severity);

 private:
  ReferencePointer<EventLog> log_;
};

}  // namespace VLib
