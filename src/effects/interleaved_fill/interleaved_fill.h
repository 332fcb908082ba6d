// Filling an interleaved two-channel plane with one pair of values.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::effects {

// Writes region.width pairs (first value at even offsets, second at odd ones) into every row, top
// first. The width counts pairs while the step check compares it with the step in bytes, so rows
// may overlap; each row is written whole after the one above it. The portable path is this
// operation, the vector path its AVX2 build.
extern Dispatched<IppStatus(uint8_t* destination, IppiSize region, int step, uint8_t firstValue,
                            uint8_t secondValue)>
    FillPairs8u;

// The interleaved fill on the path that `mode` selects (0 automatic, 1 portable, 2 vector); this
// effect asks the processor for AVX, not AVX2.
IppStatus SetInterleaved8u(uint8_t* destination, IppiSize region, int step, uint8_t firstValue,
                           uint8_t secondValue, int mode);

}  // namespace ryn::effects
