// The mosquito filter's state: the frame size, the tuning values, and the working memory of one
// call (block windows, edge map, block records), created once per frame size in one library
// block that starts with the state itself.
//
// The edge map is kept as one 64-bit word per block, a bit per block pixel (row by row, bit
// 8 y + x), in the memory reserved for a byte map of the frame: only block pixels are ever
// marked, and whether a pixel is marked follows from its own bit and its right and lower
// neighbours' bits (see MarkedRows).
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::mosquito {

constexpr int kBlockSize = 8;
constexpr int kWindowMargin = 2;
constexpr int kWindowSize = kBlockSize + 2 * kWindowMargin;  // 12

// What block analysis finds, and the running neighbour count of the output pass.
struct BlockRecord {
  int32_t changed;
  int32_t flat;
  int32_t edge;
  int32_t strongGradient;
  int32_t neighbourCount;
};
static_assert(sizeof(BlockRecord) == 20);

struct MosquitoState {
  int32_t width;
  int32_t height;
  // The tuning values, fixed at creation (the filter's code is written for these).
  int32_t blockWidth;
  int32_t blockHeight;
  int32_t edgeCountThreshold;
  int32_t edgeThreshold;
  int32_t strongGradientThreshold;
  int32_t flatThreshold;
  int32_t flatnessWeight;
  int32_t flatCountThreshold;
  int32_t strongChangeThreshold;
  int32_t changedCountThreshold;
  int32_t changedPixelThreshold;
  int32_t weakChangeThreshold;
  // Working memory, inside the same block.
  uint64_t* edgeBits;  // one word per block
  BlockRecord* blocks;
  uint8_t cleanedWindow[kWindowSize * kWindowSize];
  uint8_t referenceWindow[kWindowSize * kWindowSize];

  // Block windows start every 8 pixels while the 12 x 12 window fits.
  int BlockColumns() const { return (width - kWindowSize) / kBlockSize + 1; }
  int BlockRows() const { return (height - kWindowSize) / kBlockSize + 1; }
};

// Bytes reserved for the state before its working memory: the state rounded up to 16 bytes, the
// same for every build.
constexpr int64_t kStateBytes = 480;
static_assert(sizeof(MosquitoState) <= kStateBytes && kStateBytes % 16 == 0);

// The block's size for a frame: the edge map ((W + 8) x (H + 8), rounded up to 16 bytes), the
// block records ((W / 8 + 1) x (H / 8 + 1) x 20 bytes, rounded up to 16) and 495 bytes for the
// state and its alignment.
int64_t StateBlockBytes(IppiSize roi);

IppStatus CreateState(IppiSize roi, MosquitoState** state);

}  // namespace ryn::mosquito
