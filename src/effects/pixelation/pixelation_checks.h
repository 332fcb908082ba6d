// Argument checks of the pixelation family.
#pragma once

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// The block must be at least one pixel and strictly smaller than the region in both directions.
constexpr IppStatus BlockSmallerThanRegion(IppiSize block, IppiSize region) {
  const bool valid = block.width >= 1 && block.height >= 1 && block.width < region.width &&
                     block.height < region.height;
  return valid ? ippStsNoErr : ippStsMaskSizeErr;
}

constexpr IppStatus WidthAtLeast(IppiSize region, int minimumWidth) {
  return region.width >= minimumWidth ? ippStsNoErr : ippStsSizeErr;
}

}  // namespace ryn::effects
