// The morphology primitives' argument checks, each listing its checks in the documented order.
// They compare pointers with null only, so the inset compositions run them on the caller's
// pointers before forming any shifted address.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "primitives/filters/filters_checks.h"

namespace ryn::morphology {

// Steps that leave rows overlapping the window give -37, not -14.
constexpr IppStatus StrideAtLeast(int step, int64_t minimumBytes) {
  return step >= minimumBytes ? ippStsNoErr : ippStsStrideErr;
}

constexpr IppStatus SomeElementByteSet(const uint8_t* element, IppiSize mask) {
  const int64_t count = int64_t{mask.width} * mask.height;
  for (int64_t i = 0; i < count; ++i) {
    if (element[i] != 0) return ippStsNoErr;
  }
  return ippStsZeroMaskValuesErr;
}

// 3 x 3 erosion and dilation from source to destination: pointers, steps, region, strides.
inline IppStatus CheckMorphology3x3Arguments(const void* source, int sourceStep, const void* destination,
                                             int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StrideAtLeast(sourceStep, int64_t{region.width} + 2));
  RYN_CHECK(StrideAtLeast(destinationStep, region.width));
  return ippStsNoErr;
}

// 3 x 3 erosion and dilation in place: the image, its step, the region, the step against the
// region and its frame.
inline IppStatus CheckInPlace3x3Arguments(const void* image, int step, IppiSize region) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StrideAtLeast(step, int64_t{region.width} + 2));
  return ippStsNoErr;
}

// Median and maximum: pointers, region, steps (their 3 x 3 mask and centre anchor are fixed).
inline IppStatus CheckRank3x3Arguments(const void* source, int sourceStep, const void* destination,
                                       int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  return ippStsNoErr;
}

// Structuring-element erosion and dilation: pointers, steps, region, mask, element bytes,
// anchor, strides.
inline IppStatus CheckMaskedArguments(const void* source, int sourceStep, const void* destination,
                                      int destinationStep, IppiSize region, const uint8_t* element, IppiSize mask,
                                      IppiPoint anchor) {
  RYN_CHECK(NotNull(source, destination, element));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(filters::PositiveMask(mask));
  RYN_CHECK(SomeElementByteSet(element, mask));
  RYN_CHECK(filters::AnchorInside(anchor, mask));
  RYN_CHECK(StrideAtLeast(sourceStep, int64_t{mask.width} + region.width - 1));
  RYN_CHECK(StrideAtLeast(destinationStep, region.width));
  return ippStsNoErr;
}

}  // namespace ryn::morphology
