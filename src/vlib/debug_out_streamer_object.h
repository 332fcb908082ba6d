// One output of the diagnostic facility.
#pragma once

#include <string_view>

#include "vlib/debug_out_record.h"
#include "vlib/reference_count.h"

namespace VLib {

class IDebugOutStreamerObject : public virtual VirtualReferenceCountBaseClass {
 public:
  virtual void Write(const DebugOutRecord& record, std::wstring_view text) = 0;
  virtual void Flush() = 0;
};

}  // namespace VLib
