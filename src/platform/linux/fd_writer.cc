#include "platform/linux/fd_writer.h"

#include <unistd.h>

#include <cerrno>

namespace ryn::platform {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::wstring_view WithoutLineEnd(std::wstring_view text) {
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.remove_suffix(1);
  return text;
}

}  // namespace ryn::platform
