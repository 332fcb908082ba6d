// Lines on the console in a colour by severity; errors on standard error, the rest on standard
// output; optionally with the local time in front.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/console.h"
#include "vlib/debug_out_streamer_object.h"

namespace VLib {

class ConsoleOutputStreamer final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>,
                                    public IDebugOutStreamerObject {
 public:
  static constexpr size_t kMaxLineLength = 65536;

  // `timeMode`: 0 no time, 1 time, 2 abbreviated weekday and time, 3 short date and time.
  explicit ConsoleOutputStreamer(uint32_t timeMode);

  void Write(const DebugOutRecord& record, std::wstring_view text) override;
  void Flush() override {}

  static uint16_t AttributeFor(uint32_t severity);

 private:
  uint32_t timeMode_;
  bool hasOutput_;
  bool hasError_;
};

}  // namespace VLib
