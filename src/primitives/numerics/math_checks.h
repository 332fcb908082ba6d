// The step check of the image sine.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::numerics {

// ippStsStepErr when step / 4 is below the width, the step taken as an unsigned 64-bit value
// after sign extension: negative steps pass.
constexpr IppStatus SineStepHoldsRow(int step, int width) {
  return static_cast<uint64_t>(static_cast<int64_t>(step)) / 4 < static_cast<uint64_t>(width) ? ippStsStepErr
                                                                                                : ippStsNoErr;
}

}  // namespace ryn::numerics
