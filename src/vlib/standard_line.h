// The line format shared by the console, the debug window and the event log:
// tag, " [", source, ",", thread identifier, "] ", text, "\r\n".
#pragma once

#include <string>
#include <string_view>

#include "vlib/debug_out_record.h"

namespace VLib {

std::wstring StandardLine(const DebugOutRecord& record, std::wstring_view text);

}  // namespace VLib
