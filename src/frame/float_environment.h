// The floating-point environment of the library's code: round to nearest with ties to even, no
// flush-to-zero, no denormals-are-zero, every exception masked (MXCSR 0x1F80), whatever the
// caller's thread has set. Results then never depend on the caller's settings, and the caller gets
// its own settings back on return. Checking costs one read of MXCSR; it is written only when the
// caller's controls differ.
#pragma once

#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#define RYN_HAS_MXCSR 1
#endif

namespace ryn {

class StandardFloatEnvironment {
 public:
  static constexpr unsigned kStandard = 0x1F80;
  // Bits 0 to 5 are the exception flags, which arithmetic raises; the others control it.
  static constexpr unsigned kControlBits = 0xFFC0;

  StandardFloatEnvironment() : saved_(Read()) {
    if (Differs()) Write(kStandard);
  }
  ~StandardFloatEnvironment() {
    if (Differs()) Write(saved_);
  }
  StandardFloatEnvironment(const StandardFloatEnvironment&) = delete;
  StandardFloatEnvironment& operator=(const StandardFloatEnvironment&) = delete;

 private:
  bool Differs() const { return (saved_ & kControlBits) != kStandard; }

#ifdef RYN_HAS_MXCSR
  static unsigned Read() { return _mm_getcsr(); }
  static void Write(unsigned value) { _mm_setcsr(value); }
#else
  static unsigned Read() { return kStandard; }
  static void Write(unsigned) {}
#endif

  unsigned saved_;
};

}  // namespace ryn
