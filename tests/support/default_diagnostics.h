// The process-wide diagnostic streamer with the default configuration for a test's lifetime,
// whatever the machine's registry file says; the configuration it had is given back after.
#pragma once

#include "vlib/debug_out_streamer.h"

namespace ryn::test {

class ScopedDefaultDiagnostics {
 public:
  ScopedDefaultDiagnostics()
      : streamer_(VLib::DebugOutStreamer::Instance()), saved_(streamer_->Configuration()) {
    streamer_->ReplaceConfigurationForTesting(VLib::DebugOutConfiguration{});
  }
  ~ScopedDefaultDiagnostics() { streamer_->ReplaceConfigurationForTesting(saved_); }
  ScopedDefaultDiagnostics(const ScopedDefaultDiagnostics&) = delete;
  ScopedDefaultDiagnostics& operator=(const ScopedDefaultDiagnostics&) = delete;

  VLib::DebugOutStreamer& streamer() { return *streamer_; }

 private:
  VLib::ReferencePointer<VLib::DebugOutStreamer> streamer_;
  VLib::DebugOutConfiguration saved_;
};

}  // namespace ryn::test
