// Writing a whole buffer to a file descriptor in as few calls as the kernel allows.
#pragma once

#include <string>
#include <string_view>

namespace ryn::platform {

// False when the descriptor refused the data.
bool WriteAll(int fd, std::string_view bytes);

// `text` without its trailing carriage returns and line feeds.
std::wstring_view WithoutLineEnd(std::wstring_view text);

}  // namespace ryn::platform
