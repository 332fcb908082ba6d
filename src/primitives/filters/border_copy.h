// Border copies: an inner rectangle surrounded by a frame `top` rows high and `left` columns wide
// (the bottom and right parts take what remains of the outer size). The constant form fills the
// frame with a value, the replicate forms with the nearest inner pixel (corners take the corner
// pixels). The in-place forms complete a filter's destination around the region it filtered
// (see filters.h); `inner` points at the inner rectangle's first pixel inside the outer image.
//
// Rows may overlap (a step below the row length): rows are then written one after the other in
// a fixed order (frame columns of the inner rows top to bottom, then the frame rows above the
// inner rectangle top to bottom, then those below), each row copy behaving as memmove does.
// Checks: CheckBorderArguments, after the pointers.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::filters {

extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                            int destinationStep, IppiSize outerSize, int top, int left, uint8_t value)>
    CopyConstBorder8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                            int destinationStep, IppiSize outerSize, int top, int left)>
    CopyReplicateBorder8u;

extern Dispatched<IppStatus(uint8_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top, int left)>
    ReplicateBorderInPlace8u;
extern Dispatched<IppStatus(int16_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top, int left)>
    ReplicateBorderInPlace16s;
extern Dispatched<IppStatus(float* inner, int step, IppiSize innerSize, IppiSize outerSize, int top, int left)>
    ReplicateBorderInPlace32f;

// The in-place replicate for each pixel type, for code written once for several types.
inline IppStatus ReplicateBorderInPlace(uint8_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                        int left) {
  return ReplicateBorderInPlace8u(inner, step, innerSize, outerSize, top, left);
}
inline IppStatus ReplicateBorderInPlace(int16_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                        int left) {
  return ReplicateBorderInPlace16s(inner, step, innerSize, outerSize, top, left);
}
inline IppStatus ReplicateBorderInPlace(float* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                        int left) {
  return ReplicateBorderInPlace32f(inner, step, innerSize, outerSize, top, left);
}

}  // namespace ryn::filters
