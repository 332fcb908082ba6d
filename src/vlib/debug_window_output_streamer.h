// Lines for a debugger, each behind a prefix that names the module or the program.
#pragma once

#include <string>

#include "vlib/debug_out_streamer_object.h"

namespace VLib {

class DebugWindowOutputStreamer final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>,
                                        public IDebugOutStreamerObject {
 public:
  // `sourcePrefix`: 0 none, 1 the file name of the module holding this code, 2 the file name of
  // the program; each followed by ":". Throws SystemException when the name cannot be had.
  explicit DebugWindowOutputStreamer(uint32_t sourcePrefix);

  void Write(const DebugOutRecord& record, std::wstring_view text) override;
  void Flush() override {}

  const std::wstring& Prefix() const { return prefix_; }

 private:
  std::wstring prefix_;
};

}  // namespace VLib
