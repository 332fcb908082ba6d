// Argument checks shared by every family. Each returns ippStsNoErr or the failing status, so that
// a primitive lists its checks in order, one line each:
//
//   RYN_CHECK(NotNull(source, destination));
//   RYN_CHECK(PositiveSize(region));
//   RYN_CHECK(StepAtLeast(sourceStep, region.width));
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

#define RYN_CHECK(expression)                                  \
  do {                                                         \
    if (const IppStatus ryn_status_ = (expression); ryn_status_ != ippStsNoErr) return ryn_status_; \
  } while (0)

namespace ryn {

template <class... Pointers>
constexpr IppStatus NotNull(const Pointers*... pointers) {
  return ((pointers != nullptr) && ...) ? ippStsNoErr : ippStsNullPtrErr;
}

constexpr IppStatus PositiveSize(IppiSize size) {
  return (size.width >= 1 && size.height >= 1) ? ippStsNoErr : ippStsSizeErr;
}

constexpr IppStatus PositiveLength(int length) { return length >= 1 ? ippStsNoErr : ippStsSizeErr; }

constexpr IppStatus StepAtLeast(int step, int64_t minimumBytes) {
  return step >= minimumBytes ? ippStsNoErr : ippStsStepErr;
}

constexpr IppStatus PositiveStep(int step) { return step >= 1 ? ippStsNoErr : ippStsStepErr; }

// Steps of float and 32-bit images must hold whole pixels.
constexpr IppStatus StepHoldsWholePixels(int step, int pixelBytes) {
  return step % pixelBytes == 0 ? ippStsNoErr : ippStsNotEvenStepErr;
}

}  // namespace ryn
