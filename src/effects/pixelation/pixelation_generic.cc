// The generic pixelations: plain C++, block by block, the reference for every processor build.
// A single-channel block is the composition the operation stands for: the region mean of the
// statistics, truncated, written with the fill.
#include <algorithm>
#include <cstdint>

#include "effects/pixelation/block_row.h"
#include "effects/pixelation/pixelation.h"
#include "effects/pixelation/pixelation_checks.h"
#include "effects/pixelation/truncating_divider.h"
#include "frame/checks.h"
#include "primitives/fill/fill.h"
#include "primitives/stats/stats.h"

namespace ryn::effects::generic {
namespace {

void PixelateBand(const BlockRow& band, int blockWidth) {
  for (int x = 0; x < band.width;) {
    const IppiSize block{std::min(blockWidth, band.width - x), band.rows};
    double mean = 0;
    stats::Mean8u(band.SourceRow(0) + x, band.sourceStep, block, &mean);
    fill::Set8u(band.DestinationRow(0) + x, block, band.destinationStep, static_cast<uint8_t>(mean));
    x += block.width;
  }
}

// Blocks start at even offsets, so a byte's parity within its block is its channel. A region of
// odd width ends with a first-channel byte whose partner lies outside: each channel is averaged
// over the samples of it that the block holds.
void PixelatePairBand(const BlockRow& band, int blockPairs) {
  const int blockBytes = 2 * blockPairs;
  for (int x = 0; x < band.width;) {
    const int w = std::min(blockBytes, band.width - x);
    uint64_t sums[2] = {0, 0};
    for (int y = 0; y < band.rows; ++y) {
      const uint8_t* row = band.SourceRow(y) + x;
      for (int i = 0; i < w; ++i) sums[i & 1] += row[i];
    }
    const uint64_t rows = static_cast<uint64_t>(band.rows);
    const uint64_t secondCount = static_cast<uint64_t>(w / 2) * rows;
    const uint8_t values[2] = {TruncatedMean(sums[0], static_cast<uint64_t>((w + 1) / 2) * rows),
                               secondCount != 0 ? TruncatedMean(sums[1], secondCount) : uint8_t{0}};
    for (int y = 0; y < band.rows; ++y) {
      uint8_t* row = band.DestinationRow(y) + x;
      for (int i = 0; i < w; ++i) row[i] = values[i & 1];
    }
    x += w;
  }
}

}  // namespace

#include "effects/pixelation/pixelation_primitives-inl.h"

}  // namespace ryn::effects::generic
