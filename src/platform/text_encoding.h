// Conversions between the system's narrow text and wide text.
#pragma once

#include <string>
#include <string_view>

namespace ryn::platform {

// Undecodable bytes become U+FFFD.
std::wstring NarrowToWide(std::string_view text);
std::string WideToNarrow(std::wstring_view text);

}  // namespace ryn::platform
