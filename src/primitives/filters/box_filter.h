// Box means with an explicit anchor: destination(x, y) averages the mask-sized source window
// whose top-left pixel is (x - anchor.x, y - anchor.y). The caller guarantees that every source
// pixel a window reaches exists. The destination may be the source (same step): every output is
// computed from the unfiltered image. Checks: CheckBoxArguments.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::filters {

// 8u: the rounding of each mask class is in box_rules.h.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, IppiSize mask, IppiPoint anchor)>
    FilterBox8u;
// 32f: S * (1 / (mw * mh)), the sums in single precision in a fixed order.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, IppiSize mask, IppiPoint anchor)>
    FilterBox32f;

}  // namespace ryn::filters
