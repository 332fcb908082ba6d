// Border copies: an inner rectangle surrounded by a frame `top` rows high and `left` columns wide
// (the bottom and right parts take what remains of the outer size). The constant form fills the
// frame with a value, the replicate forms with the nearest inner pixel (corners take the corner
// pixels). The in-place forms are what the filter exports use to complete their destination
// around the filtered region.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::filters {

IppStatus CopyConstBorder8u(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                            int destinationStep, IppiSize outerSize, int top, int left, uint8_t value);
IppStatus CopyReplicateBorder8u(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                                int destinationStep, IppiSize outerSize, int top, int left);

// `inner` points at the inner rectangle's first pixel inside the outer image.
IppStatus ReplicateBorderInPlace8u(uint8_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                   int left);
IppStatus ReplicateBorderInPlace32f(float* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                    int left);

}  // namespace ryn::filters
