// A file in the temporary directory, removed when the object ends.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace ryn::test {

class TempFile {
 public:
  explicit TempFile(const std::string& contents = {}) {
    const char* directory = std::getenv("TMPDIR");
    std::string pattern = std::string(directory != nullptr ? directory : "/tmp") + "/ryn_test_XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) close(fd);
    path_ = pattern;
    Write(contents);
  }
  ~TempFile() { unlink(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }
  void Write(const std::string& contents) const { std::ofstream(path_, std::ios::binary | std::ios::trunc) << contents; }
  std::string Read() const {
    std::ifstream stream(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  }

 private:
  std::string path_;
};

}  // namespace ryn::test
