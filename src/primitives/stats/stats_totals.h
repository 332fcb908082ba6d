// What the 8-bit row kernels of the statistics family hand back: exact integer totals of one run
// of pixels, so that every processor build adds up to the same numbers.
#pragma once

#include <cstdint>

namespace ryn::stats {

struct MaskedSum {
  uint64_t sum = 0;
  uint64_t count = 0;  // pixels whose mask byte is not zero

  MaskedSum& operator+=(const MaskedSum& other) {
    sum += other.sum;
    count += other.count;
    return *this;
  }
};

struct SquareSums {
  uint64_t sum = 0;
  uint64_t squares = 0;
  uint64_t count = 0;

  SquareSums& operator+=(const SquareSums& other) {
    sum += other.sum;
    squares += other.squares;
    count += other.count;
    return *this;
  }
};

// Of the relative L2 norm: sum of (a - b)^2 and sum of b^2.
struct NormSums {
  uint64_t squaredDifferences = 0;
  uint64_t squaredSecond = 0;

  NormSums& operator+=(const NormSums& other) {
    squaredDifferences += other.squaredDifferences;
    squaredSecond += other.squaredSecond;
    return *this;
  }
};

// The maximum of a float image so far and where it was first met.
struct IndexedMaximum {
  float value;
  int column;
  int row;
};

// How many pixels hold each byte value.
struct ValueCounts {
  uint64_t perValue[256] = {};
};

}  // namespace ryn::stats
