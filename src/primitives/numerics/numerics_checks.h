// Argument checks of the matrix and vector operations, in the style of frame/checks.h.
#pragma once

#include "RynRAZUdidazoror.h"

namespace ryn::numerics {

// Lengths, widths, heights and sizes of at least 1.
template <class... Sizes>
constexpr IppStatus PositiveSizes(Sizes... sizes) {
  return ((sizes >= 1) && ...) ? ippStsNoErr : ippStsSizeErr;
}

// The inner dimensions of a product.
constexpr IppStatus SizesMatch(int left, int right) {
  return left == right ? ippStsNoErr : ippStsSizeMatchMatrixErr;
}

// Strides in bytes: positive and whole floats.
template <class... Strides>
constexpr IppStatus ValidStrides(Strides... strides) {
  return ((strides > 0 && strides % 4 == 0) && ...) ? ippStsNoErr : ippStsStrideMatrixErr;
}

constexpr IppStatus PositiveCount(int count) { return count >= 1 ? ippStsNoErr : ippStsCountMatrixErr; }

}  // namespace ryn::numerics
