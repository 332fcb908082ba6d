// The mean of an 8-bit region: the operation behind the plain 8u mean export, and the block mean
// of pixelation. Dispatched; the row loop runs inside each processor build, so a small block
// costs one indirect call.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::stats {

// mean = sum / (width x height), in double, not rounded; the pixel count is formed in 64 bits.
// -8 for a null mean, then for a null source, -6 for an empty region; the step is not checked.
IppStatus Mean8u(const uint8_t* source, int step, IppiSize region, double* mean);

}  // namespace ryn::stats
