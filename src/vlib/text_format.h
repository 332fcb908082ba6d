// Positional text formatting: "{n}" inserts argument n, "{n,w}" pads it to w characters (right-
// aligned; "{n,-w}" left-aligned), "{{" and "}}" are literal braces.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vlib/vlib_exception.h"

namespace VLib::Text {

// Appends the formatted text to `output`. Throws InvalidFormatStringException on a malformed
// format or an argument number without argument.
void Format(std::wstring_view format, std::wstring& output, const std::vector<std::wstring>& arguments);

}  // namespace VLib::Text
