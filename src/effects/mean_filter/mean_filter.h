// Square mean blurs of odd window sizes for privacy masking.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// Filters `source` into `destination` with a window of `window` pairs by `window` rows, each
// channel on its own, on the path that `mode` selects (0 automatic, 1 portable, 2 vector).
IppStatus MeanFilterInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                  int destinationStep, IppiSize region, int window, int mode);

}  // namespace ryn::effects
