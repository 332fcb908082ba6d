// The mosquito filter written out step by step, the way its rules read: block windows copied and
// smoothed one by one, the edge map marked pixel by pixel in processing order, each block's
// copy extended to the frame's edges for the last block of a row or column. An independent
// reference for the library's filter, which also counts the rules it applied.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace ryn::test {

struct PlainFrame {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  PlainFrame() = default;
  PlainFrame(int w, int h, uint8_t value = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, value) {}
  uint8_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  int at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct RuleCounts {
  int examinedBlocks = 0;
  int kept = 0;
  int weightedMean = 0;
  int withoutEdges = 0;
  int changedEdges = 0;
  int steadyEdges = 0;
};

inline PlainFrame OracleMosquito(const PlainFrame& reference, const PlainFrame& cleaned, RuleCounts* counts) {
  const int w = cleaned.width, h = cleaned.height;
  const int columns = (w - 12) / 8 + 1, rows = (h - 12) / 8 + 1;
  struct Block {
    bool changed, flat, edge, strong;
  };
  std::vector<Block> blocks(static_cast<size_t>(columns) * rows);
  std::vector<uint8_t> map(static_cast<size_t>(w) * h, 0);
  auto mapAt = [&](int x, int y) -> uint8_t& { return map[static_cast<size_t>(y) * w + x]; };

  for (int by = 0; by < rows; ++by) {
    for (int bx = 0; bx < columns; ++bx) {
      int cw[12][12], rw[12][12];  // [y][x]
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
          cw[y][x] = cleaned.at(8 * bx + x, 8 * by + y);
          rw[y][x] = reference.at(8 * bx + x, 8 * by + y);
        }
      int changed = 0;
      for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 10; ++x) changed += std::abs(cw[y][x] - rw[y][x]) > 16;
      for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
          cw[y][x] = (cw[y - 1][x - 1] + 2 * cw[y - 1][x] + cw[y - 1][x + 1] + 2 * cw[y][x - 1] + 4 * cw[y][x] +
                      2 * cw[y][x + 1] + cw[y + 1][x - 1] + 2 * cw[y + 1][x] + cw[y + 1][x + 1]) >>
                     4;
      int edges = 0, flats = 0, largest = 0;
      for (int x = 2; x < 10; ++x) {
        for (int y = 2; y < 10; ++y) {
          const int gx = (cw[y - 1][x + 1] + 2 * cw[y][x + 1] + cw[y + 1][x + 1]) -
                         (cw[y - 1][x - 1] + 2 * cw[y][x - 1] + cw[y + 1][x - 1]);
          const int gy = (cw[y + 1][x - 1] + 2 * cw[y + 1][x] + cw[y + 1][x + 1]) -
                         (cw[y - 1][x - 1] + 2 * cw[y - 1][x] + cw[y - 1][x + 1]);
          const int g = std::abs(gx) + std::abs(gy);
          const int fx = 8 * bx + x, fy = 8 * by + y;
          if (g > 12) {
            mapAt(fx, fy) = 2;
            if (mapAt(fx, fy - 1) == 0) mapAt(fx, fy - 1) = 1;
            if (mapAt(fx - 1, fy) == 0) mapAt(fx - 1, fy) = 1;
            ++edges;
          } else {
            mapAt(fx, fy) = 0;
          }
          flats += g < 4;
          largest = std::max(largest, g);
        }
      }
      blocks[static_cast<size_t>(by) * columns + bx] =
          Block{changed > 2, ((64 - edges) - flats) < flats && flats > 32, edges > 4, largest > 16};
    }
  }

  PlainFrame out(w, h);
  auto c = [&](int x, int y) { return cleaned.at(x, y); };
  auto r = [&](int x, int y) { return reference.at(x, y); };
  auto meanOfEight = [](auto f, int x, int y) {
    int sum = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (dx != 1 || dy != 1) sum += f(x + dx, y + dy);
    return sum >> 3;
  };
  auto median = [](auto values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  auto squareMedian = [&](auto f, int x, int y) {
    std::array<int, 9> v;
    for (int i = 0; i < 9; ++i) v[i] = f(x + i % 3 - 1, y + i / 3 - 1);
    return median(v);
  };
  int total = 0;
  for (int by = 0; by < rows; ++by) {
    for (int bx = 0; bx < columns; ++bx) {
      const Block& b = blocks[static_cast<size_t>(by) * columns + bx];
      const int x0 = 8 * bx + 2, y0 = 8 * by + 2;
      const int x1 = bx == columns - 1 ? w : x0 + 8, y1 = by == rows - 1 ? h : y0 + 8;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) out.at(x, y) = static_cast<uint8_t>(c(x, y));
      if (!b.edge) {
        auto strongAt = [&](int nx, int ny) {
          return nx >= 0 && nx < columns && ny >= 0 ? blocks[static_cast<size_t>(ny) * columns + nx].strong : false;
        };
        total += strongAt(bx - 1, by) + strongAt(bx + 1, by) + strongAt(bx - 1, by - 1) + strongAt(bx, by - 1) +
                 strongAt(bx + 1, by - 1);
      }
      if (!b.edge && total == 0) continue;
      if (counts) ++counts->examinedBlocks;
      for (int y = y0; y < y0 + 8; ++y) {
        for (int x = x0; x < x0 + 8; ++x) {
          int cls = 0;
          if (b.flat) {
            const int s = std::abs(c(x, y) - r(x, y)) + std::abs(c(x, y - 1) - r(x, y - 1)) +
                          std::abs(c(x, y + 1) - r(x, y + 1)) + std::abs(c(x - 1, y) - r(x - 1, y)) +
                          std::abs(c(x + 1, y) - r(x + 1, y));
            cls = s > 20 ? 2 : s > 6 ? 1 : 0;
          }
          int value;
          if (mapAt(x, y) != 0 || cls == 2) {
            value = c(x, y);
            if (counts) ++counts->kept;
          } else if (cls == 0) {
            int sum = 8 * c(x, y);
            for (int dy = -1; dy <= 1; ++dy)
              for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy) sum += c(x + dx, y + dy);
            value = sum >> 4;
            if (counts) ++counts->weightedMean;
          } else if (!b.edge) {
            value = median(std::array<int, 7>{meanOfEight(c, x, y), meanOfEight(c, x - 1, y - 1),
                                              meanOfEight(c, x + 1, y - 1), meanOfEight(c, x - 1, y + 1),
                                              meanOfEight(c, x + 1, y + 1), meanOfEight(r, x, y),
                                              meanOfEight(r, x - 1, y)});
            if (counts) ++counts->withoutEdges;
          } else if (b.changed) {
            std::array<int, 9> v;
            for (int i = 0; i < 9; ++i) v[i] = squareMedian(c, x + i % 3 - 1, y + i / 3 - 1);
            value = median(v);
            if (counts) ++counts->changedEdges;
          } else {
            value = median(std::array<int, 9>{squareMedian(c, x, y), squareMedian(c, x - 1, y - 1),
                                              squareMedian(c, x + 1, y - 1), squareMedian(c, x - 1, y + 1),
                                              squareMedian(c, x + 1, y + 1), squareMedian(r, x - 1, y - 1),
                                              squareMedian(r, x + 1, y - 1), squareMedian(r, x - 1, y),
                                              squareMedian(r, x, y)});
            if (counts) ++counts->steadyEdges;
          }
          out.at(x, y) = static_cast<uint8_t>(value);
        }
      }
    }
  }
  // Rows and columns outside all blocks.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x < 2 || y < 2) out.at(x, y) = static_cast<uint8_t>(c(x, y));
  return out;
}

}  // namespace ryn::test
