// Argument checks of the interleaved mean filter that depend on the path's rules.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "effects/mean_filter/mean_filter.h"
#include "effects/mean_filter/window_mean.h"

namespace ryn::effects {

inline IppStatus NotInPlace(const MeanFilterRules& rules, const uint8_t* source, const uint8_t* destination) {
  return rules.refusesInPlace && source == destination ? ippStsBadArgErr : ippStsNoErr;
}

inline IppStatus WideEnough(const MeanFilterRules& rules, IppiSize region) {
  return region.width >= rules.minimumWidth ? ippStsNoErr : ippStsSizeErr;
}

inline IppStatus WindowFits(const MeanFilterRules& rules, int window, IppiSize region) {
  if (rules.windowInsideRegion && (window >= region.width || window >= region.height)) return ippStsMaskSizeErr;
  return ippStsNoErr;
}

// The windows the filter has dividers for.
inline IppStatus SupportedWindow(int window) {
  const bool supported = window >= kSmallestWindow && window <= kLargestWindow && window % 2 == 1;
  return supported ? ippStsNoErr : ippStsMaskSizeErr;
}

}  // namespace ryn::effects
