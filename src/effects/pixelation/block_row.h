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

// Calls rowFn(band) for each band of `blockHeight` rows, top first, the last one clipped at the
// region's bottom edge. Every band starts `blockHeight` rows below the previous one.
template <class RowFn>
void ForEachBlockRow(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                     IppiSize region, int blockHeight, RowFn&& rowFn) {
  for (int y = 0; y < region.height;) {
    const int rows = std::min(blockHeight, region.height - y);
    rowFn(BlockRow{source + static_cast<ptrdiff_t>(y) * sourceStep, sourceStep,
                   destination + static_cast<ptrdiff_t>(y) * destinationStep, destinationStep,
                   region.width, rows});
    y += rows;
  }
}

}  // namespace ryn::effects
