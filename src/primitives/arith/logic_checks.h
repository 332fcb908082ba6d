// Argument checks of the thresholds and the lookup table, in the style of frame/checks.h.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "primitives/arith/logic.h"

namespace ryn::arith {

constexpr IppStatus ThresholdOperation(int operation) {
  return operation == kThresholdBelow || operation == kThresholdAbove ? ippStsNoErr : ippStsNotSupportedModeErr;
}

constexpr IppStatus BandInOrder(uint8_t lower, uint8_t upper) {
  return upper < lower ? ippStsThresholdErr : ippStsNoErr;
}

constexpr IppStatus EnoughLevels(int levelCount) { return levelCount >= 2 ? ippStsNoErr : ippStsLUTNofLevelsErr; }

}  // namespace ryn::arith
