// The filters' argument checks, one function per operation, each listing its checks in the
// documented order. They look at pointers only to compare them with null, so the inset-region
// compositions run them before forming any shifted address.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "primitives/filters/fixed_rules.h"

namespace ryn::filters {

constexpr IppStatus PositiveMask(IppiSize mask) {
  return mask.width > 0 && mask.height > 0 ? ippStsNoErr : ippStsMaskSizeErr;
}

constexpr IppStatus AnchorInside(IppiPoint anchor, IppiSize mask) {
  return anchor.x >= 0 && anchor.x < mask.width && anchor.y >= 0 && anchor.y < mask.height ? ippStsNoErr
                                                                                            : ippStsAnchorErr;
}

constexpr IppStatus KnownMaskCode(int maskCode) {
  return MaskSizeOfCode(maskCode) != 0 ? ippStsNoErr : ippStsMaskSizeErr;
}

constexpr IppStatus NonZeroDivisor(int divisor) { return divisor != 0 ? ippStsNoErr : ippStsDivisorErr; }

// Box means: pointers, steps, region, mask, anchor.
inline IppStatus CheckBoxArguments(const void* source, int sourceStep, const void* destination,
                                   int destinationStep, IppiSize region, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveMask(mask));
  RYN_CHECK(AnchorInside(anchor, mask));
  return ippStsNoErr;
}

// The fixed Gaussians and the high-pass: pointers, region, steps, mask-size code.
inline IppStatus CheckFixedFilterArguments(const void* source, int sourceStep, const void* destination,
                                           int destinationStep, IppiSize region, int maskCode) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(KnownMaskCode(maskCode));
  return ippStsNoErr;
}

// The 8-bit kernel filter: pointers, region and kernel sizes, divisor, steps (the source row
// holds the region and kw - 1 more pixels).
inline IppStatus CheckKernel8uArguments(const void* source, int sourceStep, const void* destination,
                                        int destinationStep, IppiSize region, const int32_t* kernel,
                                        IppiSize kernelSize, int divisor) {
  RYN_CHECK(NotNull(source, destination, kernel));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveSize(kernelSize));
  RYN_CHECK(NonZeroDivisor(divisor));
  RYN_CHECK(StepAtLeast(sourceStep, int64_t{region.width} + kernelSize.width - 1));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  return ippStsNoErr;
}

// The float kernel filter: pointers, sizes, steps in bytes.
inline IppStatus CheckKernel32fArguments(const void* source, int sourceStep, const void* destination,
                                         int destinationStep, IppiSize region, const float* kernel,
                                         IppiSize kernelSize) {
  RYN_CHECK(NotNull(source, destination, kernel));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveSize(kernelSize));
  RYN_CHECK(StepAtLeast(sourceStep, 4 * (int64_t{region.width} + kernelSize.width) - 4));
  RYN_CHECK(StepAtLeast(destinationStep, 4 * int64_t{region.width}));
  return ippStsNoErr;
}

// Border copies around an inner rectangle: steps, sizes, and a frame that fits the outer size.
inline IppStatus CheckBorderArguments(int sourceStep, int destinationStep, IppiSize inner, IppiSize outer, int top,
                                      int left) {
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(inner));
  RYN_CHECK(PositiveSize(outer));
  if (top < 0 || left < 0) return ippStsSizeErr;
  if (int64_t{outer.width} < int64_t{inner.width} + left || int64_t{outer.height} < int64_t{inner.height} + top) {
    return ippStsSizeErr;
  }
  return ippStsNoErr;
}

}  // namespace ryn::filters
