// The general float kernel filter with an explicit anchor: a true convolution like the 8-bit
// one, no divisor, no saturation.
#pragma once

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::filters {

// destination(x, y) = sum of kernel[j * kw + i] * source(x + anchor.x - i, y + anchor.y - j), in
// single precision, j outer and i inner. Every source pixel the kernel reaches must exist; the
// destination may overlap the source. Checks: CheckKernel32fArguments.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, const float* kernel, IppiSize kernelSize, IppiPoint anchor)>
    FilterKernel32f;

}  // namespace ryn::filters
