// Rounding to nearest on the x87 unit, which long double arithmetic and the C library's long
// double functions use, whatever the caller's thread has set (fesetround sets the x87 unit and
// MXCSR alike; frame/float_environment.h covers MXCSR). The precision control stays as found: it
// is the system's default, not a choice of the caller.
#pragma once

#include <cstdint>

namespace ryn {

class NearestX87Rounding {
 public:
  NearestX87Rounding() : saved_(Read()) {
    if ((saved_ & kRoundingControl) != 0) Write(static_cast<uint16_t>(saved_ & ~kRoundingControl));
  }
  ~NearestX87Rounding() {
    if ((saved_ & kRoundingControl) != 0) Write(saved_);
  }
  NearestX87Rounding(const NearestX87Rounding&) = delete;
  NearestX87Rounding& operator=(const NearestX87Rounding&) = delete;

 private:
  static constexpr uint16_t kRoundingControl = 0x0C00;

#if defined(__x86_64__) && defined(__GNUC__)
  static uint16_t Read() {
    uint16_t word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
  }
  static void Write(uint16_t word) { __asm__ volatile("fldcw %0" : : "m"(word)); }
#else
  static uint16_t Read() { return 0; }
  static void Write(uint16_t) {}
#endif

  uint16_t saved_;
};

}  // namespace ryn
