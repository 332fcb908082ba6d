// The tool reports every problem it can name as one of these; the command line prints the message
// on one line and exits with a non-zero code.
#pragma once

#include <stdexcept>
#include <string>

namespace ryn::privacy_mask {

// A problem with the input, the output or a library call.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A problem with the command line itself; the message is followed by a pointer to --help.
class UsageError : public ToolError {
 public:
  using ToolError::ToolError;
};

}  // namespace ryn::privacy_mask
