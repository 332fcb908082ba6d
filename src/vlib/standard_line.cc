#include "vlib/standard_line.h"

#include "platform/text_encoding.h"

namespace VLib {

std::wstring StandardLine(const DebugOutRecord& record, std::wstring_view text) {
  std::wstring line = ryn::platform::NarrowToWide(SeverityTag(record.severity));
  line += L" [";
  line += ryn::platform::NarrowToWide(record.source);
  line += L",";
  line += std::to_wstring(record.threadId);
  line += L"] ";
  line += text;
  line += L"\r\n";
  return line;
}

}  // namespace VLib
