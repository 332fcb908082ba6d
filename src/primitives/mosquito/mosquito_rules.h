// The mosquito filter's rules for one block and one pixel, in plain C++: the generic build, and
// the blocks that the processor builds leave to scalar code.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "primitives/mosquito/mosquito_state.h"

namespace ryn::mosquito {

constexpr int kEdgeCountThreshold = 4;        // an edge block has more edge pixels than this
constexpr int kEdgeThreshold = 12;            // an edge pixel's gradient is above this
constexpr int kStrongGradientThreshold = 16;  // a strong-gradient block's largest gradient is above this
constexpr int kFlatThreshold = 4;             // a flat pixel's gradient is below this
constexpr int kFlatnessWeight = 1;
constexpr int kFlatCountThreshold = 32;
constexpr int kStrongChangeThreshold = 20;  // change class 2 above this
constexpr int kChangedCountThreshold = 2;   // a changed block has more changed pixels than this
constexpr int kChangedPixelThreshold = 16;  // a changed pixel differs by more than this
constexpr int kWeakChangeThreshold = 6;     // change class 1 above this

constexpr int kBlockPixels = kBlockSize * kBlockSize;

// A 12 x 12 window, row by row.
inline int WindowAt(int x, int y) { return y * kWindowSize + x; }

// Smooths window positions 1..10 in place with 1 2 1 / 2 4 2 / 1 2 1 >> 4, column by column: the
// left column and the positions above are already smoothed when a position is computed.
inline void SmoothWindowInPlace(uint8_t* w) {
  for (int x = 1; x <= kWindowSize - 2; ++x) {
    for (int y = 1; y <= kWindowSize - 2; ++y) {
      const int sum = w[WindowAt(x - 1, y - 1)] + 2 * w[WindowAt(x, y - 1)] + w[WindowAt(x + 1, y - 1)] +
                      2 * w[WindowAt(x - 1, y)] + 4 * w[WindowAt(x, y)] + 2 * w[WindowAt(x + 1, y)] +
                      w[WindowAt(x - 1, y + 1)] + 2 * w[WindowAt(x, y + 1)] + w[WindowAt(x + 1, y + 1)];
      w[WindowAt(x, y)] = static_cast<uint8_t>(sum >> 4);
    }
  }
}

// |Gx| + |Gy| of the 3 x 3 Sobel kernels at window position (x, y).
inline int SobelGradient(const uint8_t* w, int x, int y) {
  const int gx = (w[WindowAt(x + 1, y - 1)] + 2 * w[WindowAt(x + 1, y)] + w[WindowAt(x + 1, y + 1)]) -
                 (w[WindowAt(x - 1, y - 1)] + 2 * w[WindowAt(x - 1, y)] + w[WindowAt(x - 1, y + 1)]);
  const int gy = (w[WindowAt(x - 1, y + 1)] + 2 * w[WindowAt(x, y + 1)] + w[WindowAt(x + 1, y + 1)]) -
                 (w[WindowAt(x - 1, y - 1)] + 2 * w[WindowAt(x, y - 1)] + w[WindowAt(x + 1, y - 1)]);
  return std::abs(gx) + std::abs(gy);
}

// The block's flags from its counts.
inline BlockRecord BlockFlags(int changedPixels, int edgePixels, int flatPixels, int largestGradient) {
  BlockRecord record{};
  record.changed = changedPixels > kChangedCountThreshold;
  record.edge = edgePixels > kEdgeCountThreshold;
  record.strongGradient = largestGradient > kStrongGradientThreshold;
  record.flat = kFlatnessWeight * ((kBlockPixels - edgePixels) - flatPixels) < flatPixels &&
                flatPixels > kFlatCountThreshold;
  return record;
}

// The edge bit of block pixel (x, y), 0..7 each.
inline uint64_t EdgeBit(int x, int y) { return uint64_t{1} << (y * kBlockSize + x); }

// Analyses one block from its windows (the cleaned one is smoothed in place); sets the edge bits
// of its pixels.
inline BlockRecord AnalyseWindows(uint8_t* cleaned, const uint8_t* reference, uint64_t& edgeBits) {
  int changedPixels = 0;
  for (int y = kWindowMargin; y < kWindowMargin + kBlockSize; ++y) {
    for (int x = kWindowMargin; x < kWindowMargin + kBlockSize; ++x) {
      changedPixels += std::abs(cleaned[WindowAt(x, y)] - reference[WindowAt(x, y)]) > kChangedPixelThreshold;
    }
  }
  SmoothWindowInPlace(cleaned);
  int edgePixels = 0, flatPixels = 0, largest = 0;
  uint64_t bits = 0;
  for (int x = kWindowMargin; x < kWindowMargin + kBlockSize; ++x) {
    for (int y = kWindowMargin; y < kWindowMargin + kBlockSize; ++y) {
      const int g = SobelGradient(cleaned, x, y);
      if (g > kEdgeThreshold) bits |= EdgeBit(x - kWindowMargin, y - kWindowMargin);
      edgePixels += g > kEdgeThreshold;
      flatPixels += g < kFlatThreshold;
      largest = std::max(largest, g);
    }
  }
  edgeBits = bits;
  return BlockFlags(changedPixels, edgePixels, flatPixels, largest);
}

// Copies a 12 x 12 window of a frame.
inline void CopyWindow(const uint8_t* frame, ptrdiff_t step, uint8_t* window) {
  for (int y = 0; y < kWindowSize; ++y) std::memcpy(window + y * kWindowSize, frame + y * step, kWindowSize);
}

// Blocks with edges, and every block from the first that counted a strong-gradient neighbour on,
// are filtered pixel by pixel; the others keep the frame's pixels.
inline bool IsExamined(const BlockRecord& block) { return block.edge || block.neighbourCount != 0; }

// The pixels of a block that keep their value, a byte per row (bit x for column x): edge pixels
// and the upper and left neighbours of edge pixels. `right` and `below` are the edge bits of the
// blocks to the right and below (0 where there is none: pixels outside all blocks are never edge
// pixels).
inline std::array<uint8_t, kBlockSize> MarkedRows(uint64_t edge, uint64_t right, uint64_t below) {
  std::array<uint8_t, kBlockSize> marked;
  for (int y = 0; y < kBlockSize; ++y) {
    const unsigned row = static_cast<unsigned>(edge >> (kBlockSize * y)) & 0xFFu;
    const unsigned rightColumn = static_cast<unsigned>(right >> (kBlockSize * y)) & 1u;
    const unsigned lower = y + 1 < kBlockSize ? static_cast<unsigned>(edge >> (kBlockSize * (y + 1))) & 0xFFu
                                              : static_cast<unsigned>(below) & 0xFFu;
    marked[y] = static_cast<uint8_t>(row | (row >> 1) | (rightColumn << (kBlockSize - 1)) | lower);
  }
  return marked;
}

// Pixel access around p (a pointer into a frame with row step `step`).
inline int Pixel(const uint8_t* p, ptrdiff_t step, int dx, int dy) { return p[dy * step + dx]; }

// The 3 x 3 square without its lower-right pixel, sum >> 3.
inline int MeanOfEight(const uint8_t* p, ptrdiff_t step) {
  int sum = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) sum += Pixel(p, step, dx, dy);
  return (sum - Pixel(p, step, 1, 1)) >> 3;
}

template <size_t N>
int MedianOf(std::array<int, N> values) {
  std::sort(values.begin(), values.end());
  return values[N / 2];
}

inline int MedianOfNine(const uint8_t* p, ptrdiff_t step) {
  std::array<int, 9> square;
  for (int dy = -1, i = 0; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) square[i++] = Pixel(p, step, dx, dy);
  return MedianOf(square);
}

// (8 x centre + the 8 neighbours) >> 4.
inline int WeightedLocalMean(const uint8_t* p, ptrdiff_t step) {
  int sum = 7 * p[0];
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) sum += Pixel(p, step, dx, dy);
  return sum >> 4;
}

// Change class of a pixel of a flat block: 0, 1 or 2 by the absolute differences summed over the
// pixel and its four neighbours.
inline int ChangeClass(const uint8_t* cleaned, const uint8_t* reference, ptrdiff_t step) {
  int sum = 0;
  const int offsets[5][2] = {{0, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  for (const auto& o : offsets) sum += std::abs(Pixel(cleaned, step, o[0], o[1]) - Pixel(reference, step, o[0], o[1]));
  return sum > kStrongChangeThreshold ? 2 : sum > kWeakChangeThreshold ? 1 : 0;
}

// Class-1 value of a block without edges: the median of eight-pixel means, five of the cleaned
// frame (the pixel and its diagonal neighbours), two of the reference (the pixel and its left
// neighbour).
inline int SmoothWithoutEdges(const uint8_t* c, const uint8_t* r, ptrdiff_t step) {
  return MedianOf(std::array<int, 7>{MeanOfEight(c, step), MeanOfEight(c - step - 1, step),
                                     MeanOfEight(c - step + 1, step), MeanOfEight(c + step - 1, step),
                                     MeanOfEight(c + step + 1, step), MeanOfEight(r, step), MeanOfEight(r - 1, step)});
}

// Class-1 value of a changed edge block: the median of the 3 x 3 medians around the pixel.
inline int SmoothChangedEdges(const uint8_t* c, ptrdiff_t step) {
  std::array<int, 9> medians;
  for (int dy = -1, i = 0; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) medians[i++] = MedianOfNine(c + dy * step + dx, step);
  return MedianOf(medians);
}

// Class-1 value of an unchanged edge block: five 3 x 3 medians of the cleaned frame (the pixel
// and its diagonal neighbours), four of the reference (upper-left, upper-right, left, the pixel).
inline int SmoothSteadyEdges(const uint8_t* c, const uint8_t* r, ptrdiff_t step) {
  return MedianOf(std::array<int, 9>{MedianOfNine(c, step), MedianOfNine(c - step - 1, step),
                                     MedianOfNine(c - step + 1, step), MedianOfNine(c + step - 1, step),
                                     MedianOfNine(c + step + 1, step), MedianOfNine(r - step - 1, step),
                                     MedianOfNine(r - step + 1, step), MedianOfNine(r - 1, step),
                                     MedianOfNine(r, step)});
}

// The output of one pixel of an examined block (c, r: the pixel in the cleaned and reference
// frames).
inline uint8_t FilterPixel(const uint8_t* c, const uint8_t* r, ptrdiff_t step, bool marked, const BlockRecord& block) {
  const int changeClass = block.flat ? ChangeClass(c, r, step) : 0;
  if (changeClass == 2 || marked) return c[0];
  if (changeClass == 0) return static_cast<uint8_t>(WeightedLocalMean(c, step));
  if (!block.edge) return static_cast<uint8_t>(SmoothWithoutEdges(c, r, step));
  if (block.changed) return static_cast<uint8_t>(SmoothChangedEdges(c, step));
  return static_cast<uint8_t>(SmoothSteadyEdges(c, r, step));
}

// The edge bits of the blocks right of and below block bx of a row (`below`: the next row's
// bits, or null for the last row).
inline std::array<uint8_t, kBlockSize> MarkedRowsOf(const uint64_t* bits, const uint64_t* below, int bx,
                                                     int columns) {
  return MarkedRows(bits[bx], bx + 1 < columns ? bits[bx + 1] : 0, below ? below[bx] : 0);
}

// One block of an examined block row, pixel by pixel.
inline void FilterBlockPixels(const uint8_t* cleaned, const uint8_t* reference, ptrdiff_t step, uint8_t* destination,
                              ptrdiff_t destinationStep, const std::array<uint8_t, kBlockSize>& marked,
                              const BlockRecord& block) {
  for (int y = 0; y < kBlockSize; ++y) {
    for (int x = 0; x < kBlockSize; ++x) {
      destination[y * destinationStep + x] =
          FilterPixel(cleaned + y * step + x, reference + y * step + x, step, (marked[y] >> x) & 1, block);
    }
  }
}

}  // namespace ryn::mosquito
