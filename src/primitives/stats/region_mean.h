// The mean of an 8-bit region: the operation behind the plain 8u mean export, and the block mean
// of pixelation.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::stats {

// mean = sum / (width x height), in double, not rounded. -8 for a null mean or source,
// -6 for an empty region; the step is not checked.
IppStatus Mean8u(const uint8_t* source, int step, IppiSize region, double* mean);

}  // namespace ryn::stats
