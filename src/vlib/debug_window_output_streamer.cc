#include "vlib/debug_window_output_streamer.h"

#include <optional>

#include "platform/modules.h"
#include "platform/system_error.h"
#include "vlib/debugger_text.h"
#include "vlib/standard_line.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

std::wstring FileNamePrefix(const std::optional<std::wstring>& path) {
  if (!path) throw SystemException(ryn::platform::LastSystemError(), "GetModuleFileNameW");
  const size_t slash = path->find_last_of(L"/\\");
  return (slash == std::wstring::npos ? *path : path->substr(slash + 1)) + L":";
}

}  // namespace

DebugWindowOutputStreamer::DebugWindowOutputStreamer(uint32_t sourcePrefix) {
  if (sourcePrefix == 1) {
    prefix_ = FileNamePrefix(ryn::platform::ModuleFileNameOf(reinterpret_cast<const void*>(&OutputDebugText)));
  } else if (sourcePrefix >= 2) {
    prefix_ = FileNamePrefix(ryn::platform::ExecutableFileName());
  }
}

void DebugWindowOutputStreamer::Write(const DebugOutRecord& record, std::wstring_view text) {
  OutputDebugText(prefix_ + StandardLine(record, text));
}

}  // namespace VLib
