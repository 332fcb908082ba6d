// Messages for a debugger, the support library's channel of last resort.
#pragma once

#include <string_view>

namespace VLib {

void OutputDebugText(std::wstring_view text);
void OutputDebugTextA(std::string_view text);

}  // namespace VLib
