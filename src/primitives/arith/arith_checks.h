// Argument checks of the arithmetic, in the style of frame/checks.h.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "primitives/arith/alpha_rules.h"

namespace ryn::arith {

template <class T>
constexpr IppStatus NonZeroDivisor(T value) {
  return value == T{0} ? ippStsDivByZeroErr : ippStsNoErr;
}

constexpr IppStatus AlphaOperation(int operation) {
  return operation >= 0 && operation < kAlphaOperations ? ippStsNoErr : ippStsAlphaTypeErr;
}

// A float image's rows: at least 4 x width bytes apart.
constexpr IppStatus FloatRowsFit(int step, int width) { return StepAtLeast(step, int64_t{4} * width); }

constexpr IppStatus WholeFloats(int step) { return StepHoldsWholePixels(step, 4); }

}  // namespace ryn::arith
