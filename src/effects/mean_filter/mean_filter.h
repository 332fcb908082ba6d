// Square mean blurs of odd window sizes for privacy masking: interleaved two-channel planes, and
// two-plane frames (luma plane plus interleaved chroma plane) in place.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::effects {

// What a path of the interleaved mean filter checks besides null pointers, sizes and steps.
struct MeanFilterRules {
  bool refusesInPlace;      // source == destination gives ippStsBadArgErr
  int minimumWidth;         // the narrowest region accepted, in bytes
  bool windowInsideRegion;  // a window not smaller than the width (bytes) or height gives ippStsMaskSizeErr
};

// The standalone portable path: never in place, the window inside the region.
constexpr MeanFilterRules kPortableRules{true, 1, true};
// The portable path as the two-plane filters use it, in place.
constexpr MeanFilterRules kPortableInPlaceRules{false, 1, true};
// The vector path: a minimum width, and neither the address nor the window is compared.
constexpr MeanFilterRules VectorRules(int window) { return MeanFilterRules{false, window <= 9 ? 32 : 64, false}; }

// Filters `source` into `destination` with a window of `window` pairs by `window` rows (odd, 3 to
// 19), each channel on its own: inside the valid area (where the whole window lies in the region)
// each byte becomes its channel's window sum divided by window², truncated; nothing else is
// written. Every output comes from the unfiltered plane, also when source == destination (equal
// steps). The portable path is this operation, the vector path its AVX2 build.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, int window, MeanFilterRules rules)>
    FilterPairs8u;

// The interleaved mean filter on the path that `mode` selects (0 automatic, 1 portable, 2 vector).
IppStatus MeanFilterInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                  int destinationStep, IppiSize region, int window, int mode);

// Filters the luma plane in place with a `lumaWindow` x `lumaWindow` kernel of ones, then the
// chroma plane in place on the path that `mode` selects, with `chromaWindow` pairs (the window of
// the interleaved export of the same name); the chroma stage's status is the result.
IppStatus MeanFilterTwoPlane8u(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane, int chromaStep,
                               IppiSize frameSize, int lumaWindow, int chromaWindow, int mode);

}  // namespace ryn::effects
