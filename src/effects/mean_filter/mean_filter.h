// Square mean blurs of odd window sizes for privacy masking: interleaved two-channel planes, and
// two-plane frames (luma plane plus interleaved chroma plane) in place.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// Filters `source` into `destination` with a window of `window` pairs by `window` rows, each
// channel on its own, on the path that `mode` selects (0 automatic, 1 portable, 2 vector).
IppStatus MeanFilterInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                  int destinationStep, IppiSize region, int window, int mode);

// An interleaved mean filter export: source, source step, destination, destination step, region,
// mode.
using InterleavedMeanFilterFn = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int);

// Filters the luma plane in place with a `window` x `window` kernel of ones, then hands the chroma
// plane to `chromaFilter` as both source and destination; the chroma stage's status is the result.
IppStatus MeanFilterTwoPlane8u(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane, int chromaStep,
                               IppiSize frameSize, int window, InterleavedMeanFilterFn chromaFilter,
                               int mode);

}  // namespace ryn::effects
