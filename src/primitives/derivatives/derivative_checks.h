// The derivative primitives' argument checks, each listing its checks in the documented order.
// They compare pointers with null only, so compositions run them before shifting any pointer.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "primitives/derivatives/border_rules.h"
#include "primitives/filters/filters_checks.h"

namespace ryn::derivatives {

// Unbordered 3 x 3 filters: pointers, region, steps.
inline IppStatus CheckUnborderedArguments(const void* source, int sourceStep, const void* destination,
                                          int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  return ippStsNoErr;
}

// Bordered float filters: pointers and buffer, region, steps of whole rows of whole pixels,
// border type, mask code.
inline IppStatus CheckBordered32fArguments(const void* source, int sourceStep, const void* destination,
                                           int destinationStep, IppiSize region, int maskCode, int borderType,
                                           const void* buffer) {
  RYN_CHECK(NotNull(source, destination, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, 4 * int64_t{region.width}));
  RYN_CHECK(StepAtLeast(destinationStep, 4 * int64_t{region.width}));
  RYN_CHECK(StepHoldsWholePixels(sourceStep, 4));
  RYN_CHECK(StepHoldsWholePixels(destinationStep, 4));
  RYN_CHECK(ValidBorderType(borderType));
  RYN_CHECK(filters::KnownMaskCode(maskCode));
  return ippStsNoErr;
}

// Bordered 8u-to-16s filters: pointers and buffer, region, steps, even destination step, border
// type, mask code.
inline IppStatus CheckBordered8u16sArguments(const void* source, int sourceStep, const void* destination,
                                             int destinationStep, IppiSize region, int maskCode, int borderType,
                                             const void* buffer) {
  RYN_CHECK(NotNull(source, destination, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, 2 * int64_t{region.width}));
  RYN_CHECK(StepHoldsWholePixels(destinationStep, 2));
  RYN_CHECK(ValidBorderType(borderType));
  RYN_CHECK(filters::KnownMaskCode(maskCode));
  return ippStsNoErr;
}

// Canny: images and buffer, region, steps, even derivative steps, thresholds.
inline IppStatus CheckCannyArguments(const void* dx, int dxStep, const void* dy, int dyStep, const void* edges,
                                     int edgesStep, IppiSize region, float low, float high, const void* buffer) {
  RYN_CHECK(NotNull(dx, dy, edges, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(dxStep, 2 * int64_t{region.width}));
  RYN_CHECK(StepAtLeast(dyStep, 2 * int64_t{region.width}));
  RYN_CHECK(StepAtLeast(edgesStep, region.width));
  RYN_CHECK(StepHoldsWholePixels(dxStep, 2));
  RYN_CHECK(StepHoldsWholePixels(dyStep, 2));
  // Written so that a NaN threshold is refused too.
  if (!(low >= 0.0f) || !(low <= high)) return ippStsBadArgErr;
  return ippStsNoErr;
}

}  // namespace ryn::derivatives
