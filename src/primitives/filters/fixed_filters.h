// The fixed 8-bit filters on a region, mask centred: the 3x3 Gaussian (1 2 1 by 1 2 1, divided
// by 16 with ties to even), the 5x5 Gaussian (weights summing to 571, scaled in single
// precision) and the high-pass (k*k times the centre minus the window sum). maskCode is 33 or 55.
// Every source pixel within k/2 of the region must exist. Checks: CheckFixedFilterArguments.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::filters {

extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, int maskCode)>
    FilterGauss8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, int maskCode)>
    FilterHipass8u;

}  // namespace ryn::filters
