// Expected pixelations, computed independently of the library's block passes, and the tables of
// the fixed-size exports.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/fill/fill.h"
#include "primitives/stats/stats.h"
#include "support/test_image.h"
#include "two_plane_frame.h"

namespace ryn::test {

// The single-channel pixelation as the composition it stands for: for each block, the region
// mean, truncated, written with the dispatched fill. Returns the destination region's bytes.
inline std::vector<uint8_t> ComposedPixelation(const TestImage<uint8_t>& source, IppiSize block) {
  TestImage<uint8_t> destination(source.width(), source.height());
  for (int y = 0; y < source.height(); y += block.height) {
    for (int x = 0; x < source.width(); x += block.width) {
      const IppiSize clipped{std::min(block.width, source.width() - x),
                             std::min(block.height, source.height() - y)};
      double mean = -1;
      stats::Mean8u(&source.at(x, y), source.step(), clipped, &mean);
      fill::Set8u(&destination.at(x, y), clipped, destination.step(), static_cast<uint8_t>(mean));
    }
  }
  return destination.RegionBytes();
}

// Interleaved pairs in blocks of `blockPairs` pairs by `blockPairs` rows: every byte joins the
// sum of its block and channel; each channel of a block becomes the truncated mean of the bytes
// it received.
inline std::vector<uint8_t> ExpectedInterleavedPixelation(const TestImage<uint8_t>& source, int blockPairs) {
  const int blockBytes = 2 * blockPairs;
  const int blocksPerRow = (source.width() + blockBytes - 1) / blockBytes;
  const int blockRows = (source.height() + blockPairs - 1) / blockPairs;
  std::vector<uint64_t> sums(static_cast<size_t>(blocksPerRow) * blockRows * 2, 0);
  std::vector<uint64_t> counts(sums.size(), 0);
  const auto indexOf = [&](int x, int y) {
    return (static_cast<size_t>(y / blockPairs) * blocksPerRow + x / blockBytes) * 2 + x % 2;
  };
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      sums[indexOf(x, y)] += source.at(x, y);
      counts[indexOf(x, y)] += 1;
    }
  }
  std::vector<uint8_t> expected;
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) {
      expected.push_back(static_cast<uint8_t>(sums[indexOf(x, y)] / counts[indexOf(x, y)]));
    }
  return expected;
}

using InterleavedExport = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int);

struct FixedSizeExports {
  int blockSize;
  InterleavedExport interleaved;
  TwoPlaneExport twoPlane;
  int vectorMinimumWidth;
};

inline const std::vector<FixedSizeExports> kFixedSizeExports = {
    {4, fnVCA_Pixelized_4x4_Interleaved_8u_C1R, fnVCAIPP_Pixelized_4x4_8u_P2P3IR, 32},
    {8, fnVCA_Pixelized_8x8_Interleaved_8u_C1R, fnVCAIPP_Pixelized_8x8_8u_P2P3IR, 32},
    {16, fnVCA_Pixelized_16x16_Interleaved_8u_C1R, fnVCAIPP_Pixelized_16x16_8u_P2P3IR, 32},
    {32, fnVCA_Pixelized_32x32_Interleaved_8u_C1R, fnVCAIPP_Pixelized_32x32_8u_P2P3IR, 64},
    {64, fnVCA_Pixelized_64x64_Interleaved_8u_C1R, fnVCAIPP_Pixelized_64x64_8u_P2P3IR, 64},
    {128, fnVCA_Pixelized_128x128_Interleaved_8u_C1R, fnVCAIPP_Pixelized_128x128_8u_P2P3IR, 64},
    {256, fnVCA_Pixelized_256x256_Interleaved_8u_C1R, fnVCAIPP_Pixelized_256x256_8u_P2P3IR, 128},
    {512, fnVCA_Pixelized_512x512_Interleaved_8u_C1R, fnVCAIPP_Pixelized_512x512_8u_P2P3IR, 128},
    {1024, fnVCA_Pixelized_1024x1024_Interleaved_8u_C1R, fnVCAIPP_Pixelized_1024x1024_8u_P2P3IR, 128},
};

}  // namespace ryn::test
