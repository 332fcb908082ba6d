// A band of blocks: the rows that one row of pixelation blocks covers, in the source and in the
// destination. Row kernels pixelate one band at a time.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

struct BlockRow {
  const uint8_t* source;
  int sourceStep;
  uint8_t* destination;
  int destinationStep;
  int width;  // bytes
  int rows;   // the block height, or fewer in the last band

  const uint8_t* SourceRow(int y) const { return source + static_cast<ptrdiff_t>(y) * sourceStep; }
  uint8_t* DestinationRow(int y) const { return destination + static_cast<ptrdiff_t>(y) * destinationStep; }
};

// The band of blocks `blockHeight` high whose first row is row `y` of the region, clipped at the
// region's bottom edge. A caller walks the bands top first, each starting band.rows rows below the
// previous one.
inline BlockRow BandAt(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                       IppiSize region, int y, int blockHeight) {
  return BlockRow{source + static_cast<ptrdiff_t>(y) * sourceStep, sourceStep,
                  destination + static_cast<ptrdiff_t>(y) * destinationStep, destinationStep, region.width,
                  std::min(blockHeight, region.height - y)};
}

}  // namespace ryn::effects
