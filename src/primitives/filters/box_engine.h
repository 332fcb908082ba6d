// The integer box-sum engine behind the 8-bit box mean, also used by the kernel filter for
// kernels whose taps are all equal.
#pragma once

#include "primitives/filters/box_rows.h"
#include "primitives/filters/row_window.h"

namespace ryn::filters {

// Sums every mask-sized window of the layout (window rows = mask height, columns as laid out)
// and writes FinishedPixel of each sum. 255 * mask area must be below 2^32.
IppStatus SumWindows8u(const WindowLayout& layout, IppiSize mask, const BoxFinish& finish);

}  // namespace ryn::filters
