// The fixed 8-bit filters on a region, mask centred: the 3x3 Gaussian (1 2 1 by 1 2 1, divided
// by 16 with ties to even), the 5x5 Gaussian (weights summing to 571, scaled in single
// precision) and the high-pass (k*k times the centre minus the window sum). maskCode is 33 or 55.
// Every source pixel within k/2 of the region must exist.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::filters {

IppStatus FilterGauss8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                        IppiSize region, int maskCode);
IppStatus FilterHipass8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, int maskCode);

// 3 for code 33, 5 for code 55, 0 for any other code.
int MaskSizeOfCode(int maskCode);

}  // namespace ryn::filters
