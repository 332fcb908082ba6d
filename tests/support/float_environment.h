// The caller's floating-point environment in tests: setting a rounding mode for a scope, and the
// MXCSR controls that an export must give back.
#pragma once

#include <gtest/gtest.h>

#include <cfenv>

#include "frame/float_environment.h"

namespace ryn::test {

inline constexpr int kRoundingModes[] = {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO};

// Sets a rounding mode for its lifetime and then gives back the whole environment it found (both
// control words), so that a test leaves the environment as it started.
class ScopedRoundingMode {
 public:
  explicit ScopedRoundingMode(int mode) {
    std::fegetenv(&saved_);
    EXPECT_EQ(std::fesetround(mode), 0);
  }
  ~ScopedRoundingMode() { std::fesetenv(&saved_); }
  ScopedRoundingMode(const ScopedRoundingMode&) = delete;
  ScopedRoundingMode& operator=(const ScopedRoundingMode&) = delete;

 private:
  std::fenv_t saved_;
};

#ifdef RYN_HAS_MXCSR
// MXCSR without its exception flags.
inline unsigned MxcsrControls() { return _mm_getcsr() & StandardFloatEnvironment::kControlBits; }

// Loads MXCSR for its lifetime and restores the value it found.
class ScopedMxcsr {
 public:
  explicit ScopedMxcsr(unsigned value) : saved_(_mm_getcsr()) { _mm_setcsr(value); }
  ~ScopedMxcsr() { _mm_setcsr(saved_); }
  ScopedMxcsr(const ScopedMxcsr&) = delete;
  ScopedMxcsr& operator=(const ScopedMxcsr&) = delete;

 private:
  unsigned saved_;
};
#endif

}  // namespace ryn::test
