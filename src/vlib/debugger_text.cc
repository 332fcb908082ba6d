#include "vlib/debugger_text.h"

#include "platform/debugger_output.h"
#include "platform/text_encoding.h"

namespace VLib {

void OutputDebugText(std::wstring_view text) { ryn::platform::ActiveDebuggerOutput().Write(text); }

void OutputDebugTextA(std::string_view text) { OutputDebugText(ryn::platform::NarrowToWide(text)); }

}  // namespace VLib
