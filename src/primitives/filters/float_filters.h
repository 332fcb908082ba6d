// Float filters: the general float kernel (a true convolution like the 8-bit one, no divisor,
// no saturation) and the separable Gaussian with border handling that works from a caller's
// buffer.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::filters {

// destination(x, y) = sum of kernel[j * kw + i] * source(x + anchor.x - i, y + anchor.y - j), in
// single precision, j outer and i inner. Every source pixel the kernel reaches must exist.
IppStatus FilterKernel32f(const float* source, int sourceStep, float* destination, int destinationStep,
                          IppiSize region, const float* kernel, IppiSize kernelSize, IppiPoint anchor);

// Border types of the bordered filters. Flags 16 and 32 may be added and change nothing here:
// this filter never reads outside the region.
constexpr int kBorderConstant = 0;
constexpr int kBorderReplicate = 1;

// Working-buffer bytes for the Gaussian border filter on rows `region.width` wide with an odd
// kernel size of at least 3.
IppStatus GaussBorderBufferSize(IppiSize region, int kernelSize, int* bytes);

// The kernel g(i) = exp(-(i - k/2)^2 / (2 sigma^2)) normalised to sum 1, applied along rows and
// then along columns. Pixels outside the region come from the border type: 0 takes
// borderValue, 1 the nearest region pixel; types 2 to 4 are refused (-5). A sigma of 0 gives
// the limit of small sigmas, a copy. The destination may be the source.
IppStatus FilterGaussBorder32f(const float* source, int sourceStep, float* destination, int destinationStep,
                               IppiSize region, int kernelSize, float sigma, int borderType, float borderValue,
                               uint8_t* buffer);

// The normalised kernel, as the filter builds it (k values).
void GaussianTaps(int kernelSize, float sigma, float* taps);

}  // namespace ryn::filters
