// Argument checks of the segmentation family, in the style of frame/checks.h.
#pragma once

#include <cstdint>
#include <limits>

#include "RynRAZUdidazoror.h"
#include "primitives/segment/flood_fill.h"

namespace ryn::segment {

// norm 0: eight neighbours, norm 1: four.
inline IppStatus KnownNorm(int norm) { return norm == 0 || norm == 1 ? ippStsNoErr : ippStsBadArgErr; }
inline Connectivity ConnectivityOf(int norm) { return norm == 0 ? Connectivity::kEight : Connectivity::kFour; }

// Labels run from minimum to maximum; the largest pixel value is the marker.
inline IppStatus LabelRange(int minimum, int maximum, int marker) {
  return minimum >= 1 && maximum < marker && minimum <= maximum ? ippStsNoErr : ippStsBadArgErr;
}

inline IppStatus InsideRange(int value, int size) {
  return value >= 0 && value < size ? ippStsNoErr : ippStsOutOfRangeErr;
}

// A buffer size the size queries can report.
inline IppStatus FitsInInt(int64_t bytes) {
  return bytes <= std::numeric_limits<int>::max() ? ippStsNoErr : ippStsSizeErr;
}

}  // namespace ryn::segment
