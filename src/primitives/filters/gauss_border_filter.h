// The separable Gaussian with border handling, working from a caller's buffer.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "frame/dispatch.h"

namespace ryn::filters {

// Border types of the bordered filters. Flags 16 and 32 may be added and change nothing here:
// this filter never reads outside the region.
constexpr int kBorderConstant = 0;
constexpr int kBorderReplicate = 1;

// Working-buffer bytes for rows `width` pixels wide and an odd kernel size of at least 3, or -1
// when the size does not fit a signed 32-bit count (the size query then reports ippStsSizeErr).
int64_t GaussBorderBufferBytes(int width, int kernelSize);

// Writes the working-buffer size; ippStsSizeErr when it does not fit the 32-bit result.
IppStatus GaussBorderBufferSize(IppiSize region, int kernelSize, int* bytes);

// The kernel g(i) = exp(-(i - k/2)^2 / (2 sigma^2)) normalised to sum 1 (k values), as the
// filter builds it.
void GaussianTaps(int kernelSize, float sigma, float* taps);

constexpr IppStatus OddKernelOfAtLeast3(int kernelSize) {
  return kernelSize < 3 || kernelSize % 2 == 0 ? ippStsBadArgErr : ippStsNoErr;
}

// Border types 0 and 1, with or without the flags 16 and 32; 2 to 4 are refused as well.
constexpr IppStatus SupportedBorderType(int borderType) {
  const int type = borderType & ~(16 | 32);
  return type == kBorderConstant || type == kBorderReplicate ? ippStsNoErr : ippStsBadArgErr;
}

// Pointers, region, steps, kernel size, border type, and last a working buffer whose size can
// be formed at all (the size query's status otherwise): the filter trusts no buffer size that
// the query would refuse.
inline IppStatus CheckGaussBorderArguments(const void* source, int sourceStep, const void* destination,
                                           int destinationStep, IppiSize region, int kernelSize, int borderType,
                                           const uint8_t* buffer) {
  RYN_CHECK(NotNull(source, destination, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  RYN_CHECK(OddKernelOfAtLeast3(kernelSize));
  RYN_CHECK(SupportedBorderType(borderType));
  if (GaussBorderBufferBytes(region.width, kernelSize) < 0) return ippStsSizeErr;
  return ippStsNoErr;
}

// Applies the kernel along rows and then along columns. Pixels outside the region come from the
// border type: 0 takes borderValue, 1 the nearest region pixel. A sigma of 0 gives the limit of
// small sigmas, a copy. The destination may be the source. `buffer` holds at least
// GaussBorderBufferBytes(region.width, kernelSize) bytes.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, int kernelSize, float sigma, int borderType, float borderValue,
                            uint8_t* buffer)>
    FilterGaussBorder32f;

}  // namespace ryn::filters
