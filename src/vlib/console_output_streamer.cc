#include "vlib/console_output_streamer.h"

#include "vlib/date_time.h"
#include "vlib/debugger_text.h"
#include "vlib/standard_line.h"

namespace VLib {
namespace {

namespace platform = ryn::platform;

uint32_t TimeTextMode(uint32_t timeMode) {
  switch (timeMode) {
    case 1:
      return dtsmTime;
    case 2:
      return dtsmDateTime | dtsmWeekday;
    default:
      return dtsmDateTime;
  }
}

}  // namespace

ConsoleOutputStreamer::ConsoleOutputStreamer(uint32_t timeMode)
    : timeMode_(timeMode),
      hasOutput_(platform::ActiveConsole().HasStream(platform::ConsoleStream::kOutput)),
      hasError_(platform::ActiveConsole().HasStream(platform::ConsoleStream::kError)) {
  if (!hasOutput_) OutputDebugText(L"ConsoleOutputStreamer::GetStdHandle STD_OUTPUT failed");
  if (!hasError_) OutputDebugText(L"ConsoleOutputStreamer::GetStdHandle STD_ERROR failed");
}

uint16_t ConsoleOutputStreamer::AttributeFor(uint32_t severity) {
  switch (severity) {
    case kSeverityError:
      return platform::kConsoleLightRed;
    case kSeveritySecurity:
      return platform::kConsoleLightMagenta;
    case kSeverityWarning:
      return platform::kConsoleYellow;
    case kSeverityInfo:
      return platform::kConsoleLightCyan;
    default:
      return platform::kConsoleGrey;
  }
}

void ConsoleOutputStreamer::Write(const DebugOutRecord& record, std::wstring_view text) {
  const bool toError = record.severity == kSeverityError;
  if (!(toError ? hasError_ : hasOutput_)) return;
  std::wstring line;
  if (timeMode_ != 0) line = TVLibDateTime::Now().LocalTimeText(TimeTextMode(timeMode_)) + L" ";
  line += StandardLine(record, text);
  if (line.size() > kMaxLineLength) {
    line.resize(kMaxLineLength);
    OutputDebugText(L"ClipSizeT failed - Size > MaxSize");
  }
  platform::ActiveConsole().WriteLine(toError ? platform::ConsoleStream::kError : platform::ConsoleStream::kOutput,
                                      AttributeFor(record.severity), line);
}

}  // namespace VLib
