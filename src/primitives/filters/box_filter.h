// Box means with an explicit anchor: destination(x, y) averages the mask-sized source window
// whose top-left pixel is (x - anchor.x, y - anchor.y). The caller guarantees that every source
// pixel a window reaches exists. Reused by the filter exports and the rank/derivative families.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::filters {

IppStatus FilterBox8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                      IppiSize region, IppiSize mask, IppiPoint anchor);
IppStatus FilterBox32f(const float* source, int sourceStep, float* destination, int destinationStep,
                       IppiSize region, IppiSize mask, IppiPoint anchor);

}  // namespace ryn::filters
