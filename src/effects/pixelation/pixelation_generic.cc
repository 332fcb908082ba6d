// The generic pixelations: plain C++, block by block, the reference for every processor build.
#include <algorithm>
#include <cstring>

#include "effects/pixelation/pixelation.h"
#include "effects/pixelation/pixelation_builds.h"
#include "effects/pixelation/pixelation_primitives.h"
#include "effects/pixelation/truncating_divider.h"
#include "frame/dispatch_legacy.h"

namespace ryn::effects {
namespace {

struct GenericKernels {
  static void PixelateBand(const BlockRow& band, int blockWidth) {
    for (int x = 0; x < band.width;) {
      const int w = std::min(blockWidth, band.width - x);
      uint64_t sum = 0;
      for (int y = 0; y < band.rows; ++y) {
        const uint8_t* row = band.SourceRow(y) + x;
        for (int i = 0; i < w; ++i) sum += row[i];
      }
      const uint8_t value = TruncatedMean(sum, static_cast<uint64_t>(w) * static_cast<uint64_t>(band.rows));
      for (int y = 0; y < band.rows; ++y) {
        std::memset(band.DestinationRow(y) + x, value, static_cast<size_t>(w));
      }
      x += w;
    }
  }

  // Blocks start at even offsets, so a byte's parity within its block is its channel. A region
  // of odd width ends with a first-channel byte whose partner lies outside: each channel is
  // averaged over the samples of it that the block holds.
  static void PixelatePairBand(const BlockRow& band, int blockPairs) {
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
};

using Generic = PixelationPrimitives<GenericKernels>;

RYN_DISPATCH_TABLE(g_pixelate8u, Generic::Pixelate8u, Pixelate8uBuilds);
RYN_DISPATCH_TABLE(g_pixelateInterleaved8u, Generic::PixelateInterleaved8u, PixelateInterleaved8uBuilds);

}  // namespace

IppStatus Pixelate8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                     IppiSize region, IppiSize blockSize) {
  return g_pixelate8u(source, sourceStep, destination, destinationStep, region, blockSize);
}

IppStatus PixelateInterleavedPortable8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                        int destinationStep, IppiSize region, int blockPairs,
                                        int minimumWidth) {
  return g_pixelateInterleaved8u(source, sourceStep, destination, destinationStep, region, blockPairs,
                                 minimumWidth);
}

}  // namespace ryn::effects
