// Float-to-integer results of the filters round to nearest, ties to even, whatever rounding mode
// the caller's thread has set: the SSE rounding control is forced for the duration of a call.
#pragma once

#include <xmmintrin.h>

namespace ryn::filters {

class ScopedRoundToNearest {
 public:
  ScopedRoundToNearest() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ & ~kRoundingControl); }
  ~ScopedRoundToNearest() { _mm_setcsr(saved_); }
  ScopedRoundToNearest(const ScopedRoundToNearest&) = delete;
  ScopedRoundToNearest& operator=(const ScopedRoundToNearest&) = delete;

 private:
  static constexpr unsigned kRoundingControl = 0x6000u;
  unsigned saved_;
};

// Converts v to an integer in the current rounding mode with the same instruction semantics as
// the vector conversions (round to nearest even under ScopedRoundToNearest).
inline int ConvertInCurrentMode(float v) { return _mm_cvtss_si32(_mm_set_ss(v)); }

}  // namespace ryn::filters
