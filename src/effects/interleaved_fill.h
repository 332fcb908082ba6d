// Filling an interleaved two-channel plane with one pair of values.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// Writes region.width pairs (first value at even offsets, second at odd ones) into every row.
// The width counts pairs while the step check compares it with the step in bytes.
IppStatus SetInterleaved8u(uint8_t* destination, IppiSize region, int step, uint8_t firstValue,
                           uint8_t secondValue, int mode);

}  // namespace ryn::effects
