#include "platform/debugger_output.h"

#include <string>

#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

class DebugStringOutput final : public DebuggerOutput {
 public:
  void Write(std::wstring_view text) override { OutputDebugStringW(std::wstring(text).c_str()); }
};

}  // namespace

DebuggerOutput& SystemDebuggerOutput() {
  // Never destroyed: exit-time handlers may still need it.
  static DebugStringOutput* const output = new DebugStringOutput;
  return *output;
}

}  // namespace ryn::platform
