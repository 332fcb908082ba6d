// Checks of the transform objects and of complex-image steps, in the style of frame/checks.h.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::fft {

// Every object starts with its identifier; another kind of object, or a released one, fails.
constexpr IppStatus IdentifierIs(int32_t identifier, int32_t expected) {
  return identifier == expected ? ippStsNoErr : ippStsContextMatchErr;
}

// Steps counted in whole elements (step / elementBytes, rounded toward zero) must hold a row.
constexpr IppStatus WholeElementsHoldRow(int step, int elementBytes, int width) {
  return step / elementBytes < width ? ippStsStepErr : ippStsNoErr;
}

// The step in bytes of whole elements.
constexpr int WholeElementStep(int step, int elementBytes) { return step / elementBytes * elementBytes; }

}  // namespace ryn::fft
