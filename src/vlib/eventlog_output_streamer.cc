#include "vlib/eventlog_output_streamer.h"

#include "vlib/standard_line.h"

namespace VLib {

uint32_t EventlogOutputStreamer::EventTypeFor(uint32_t severity) {
  if (severity == kSeverityError) return kEventError;
  if (severity == kSeverityWarning) return kEventWarning;
  return kEventInformation;
}

void EventlogOutputStreamer::Write(const DebugOutRecord& record, std::wstring_view text) {
  log_->Write(StandardLine(record, text), EventTypeFor(record.severity));
}

}  // namespace VLib
