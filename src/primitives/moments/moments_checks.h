// Argument checks of the integral images and moments, in the style of frame/checks.h.
#pragma once

#include <cmath>
#include <limits>

#include "RynRAZUdidazoror.h"
#include "primitives/moments/moments.h"

namespace ryn::moments {

inline IppStatus IsMomentState(const RynMomentState* state) {
  return state->identifier == kMomentStateIdentifier ? ippStsNoErr : ippStsContextMatchErr;
}

inline IppStatus ChannelComputed(const RynMomentState* state, int channel) {
  return channel >= 0 && channel < state->channelCount ? ippStsNoErr : ippStsChannelErr;
}

// The moments read a region as rows no wider than the step.
inline IppStatus WidthWithinStep(int width, int step) { return width <= step ? ippStsNoErr : ippStsStrideErr; }

inline IppStatus Moment00NotZero(double m00) {
  return std::fabs(m00) > std::numeric_limits<double>::epsilon() ? ippStsNoErr : ippStsMoment00ZeroErr;
}

}  // namespace ryn::moments
