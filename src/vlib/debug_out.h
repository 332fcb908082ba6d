// One diagnostic line: built by appending, filtered and written when the object ends.
//
//   VLib::DebugOut(VLib::DebugOutRecord{threadId, "", VLib::kSeverityInfo}) << "text " << 42;
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vlib/debug_out_record.h"
#include "vlib/debug_out_streamer.h"
#include "vlib/reference_count.h"

namespace VLib {

class DebugOut : public ReferenceBaseClass<VirtualReferenceCountBaseClass> {
 public:
  // A console line through the process-wide streamer.
  explicit DebugOut(const DebugOutRecord& record);
  DebugOut(const DebugOutRecord& record, uint32_t targets, ReferencePointer<DebugOutStreamer> streamer);
  ~DebugOut() override;

  // Narrow text is converted to wide; numbers are written in signed decimal. Appends that the
  // filter rejects add nothing.
  DebugOut& operator<<(std::string_view text);
  DebugOut& operator<<(const char* text) { return *this << std::string_view(text != nullptr ? text : ""); }
  DebugOut& operator<<(int32_t value);

  // Writes the accumulated text (if the filter lets it pass) and clears it.
  void Emit();

  const std::wstring& Text() const { return text_; }

 private:
  bool Accepts() const;

  ReferencePointer<DebugOutStreamer> streamer_;
  DebugOutRecord record_;
  uint32_t targets_;
  std::wstring text_;
  bool enabled_;
};

}  // namespace VLib
