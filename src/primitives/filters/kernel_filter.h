// The general 8-bit integer kernel filter with an explicit anchor: the core of the 8u kernel
// filter export, without its inset region and border completion. Reused by the two-plane mean
// filters, which pass one plane as both source and destination.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::filters {

// destination(x, y) = sum over j < kernelSize.height, i < kernelSize.width of
//   kernel[j * kernelSize.width + i] * source(x + anchor.x - i, y + anchor.y - j),
// divided by `divisor` with the filter's rounding and saturated to 0..255, for every pixel of
// `region`. The caller guarantees that every source pixel the kernel reaches exists. The
// destination may overlap the source (one plane filtered in place): every output is computed
// from the unfiltered plane. Checks: CheckKernel8uArguments.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, const int32_t* kernel, IppiSize kernelSize, IppiPoint anchor,
                            int divisor)>
    FilterKernel8u;

}  // namespace ryn::filters
