#include "vlib/debug_out.h"

#include <exception>

#include "platform/text_encoding.h"
#include "vlib/debugger_text.h"
#include "vlib/support_library.h"

namespace VLib {

DebugOut::DebugOut(const DebugOutRecord& record)
    : DebugOut(record, kTargetConsole, DebugOutStreamer::Instance()) {}

DebugOut::DebugOut(const DebugOutRecord& record, uint32_t targets, ReferencePointer<DebugOutStreamer> streamer)
    : streamer_(std::move(streamer)), record_(record), targets_(targets), enabled_(static_cast<bool>(streamer_)) {}

DebugOut::~DebugOut() {
  try {
    Emit();
  } catch (const std::exception& failure) {
    OutputDebugTextA(failure.what());
  } catch (...) {
  }
}

bool DebugOut::Accepts() const { return enabled_ && streamer_->IsReady() && streamer_->Passes(record_); }

DebugOut& DebugOut::operator<<(std::string_view text) {
  if (Accepts()) text_ += ryn::platform::NarrowToWide(text);
  return *this;
}

DebugOut& DebugOut::operator<<(int32_t value) {
  if (Accepts()) text_ += std::to_wstring(value);
  return *this;
}

void DebugOut::Emit() {
  std::wstring text;
  text.swap(text_);
  if (!Accepts()) return;
  if (!SupportLibraryInitialised()) {
    OutputDebugText(L"STATOUT: " + text);
    return;
  }
  streamer_->Emit(record_, targets_, text);
}

}  // namespace VLib
