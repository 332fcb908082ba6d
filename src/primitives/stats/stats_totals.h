// What the row kernels of the statistics family hand back. The 8-bit kernels give exact integer
// totals of one run of pixels, so that every processor build adds up to the same numbers; the
// float sums are single precision, added in the one order every build keeps.
#pragma once

#include <cstdint>

namespace ryn::stats {

struct MaskedSum {
  uint64_t sum = 0;
  uint64_t count = 0;  // pixels whose mask byte is not zero

  void Add(uint8_t pixel, uint8_t maskByte) {
    if (maskByte == 0) return;
    sum += pixel;
    ++count;
  }
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

  void Add(uint8_t pixel) {
    const uint32_t x = pixel;
    sum += x;
    squares += x * x;
    ++count;
  }
  void Add(uint8_t pixel, uint8_t maskByte) {
    if (maskByte != 0) Add(pixel);
  }
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

  void Add(uint8_t a, uint8_t b) {
    const int32_t difference = int32_t{a} - int32_t{b};
    squaredDifferences += static_cast<uint32_t>(difference * difference);
    squaredSecond += uint32_t{b} * b;
  }
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

// Sum and sum of squares of float pixels, each added in single precision in row-major order.
struct FloatSums {
  float sum = 0.0f;
  float squares = 0.0f;

  void Add(float value) {
    sum += value;
    squares += value * value;
  }
};

// Single-precision sums added up in double.
struct DoubleSums {
  double sum = 0.0;
  double squares = 0.0;

  DoubleSums& operator+=(const FloatSums& other) {
    sum += other.sum;
    squares += other.squares;
    return *this;
  }
};

}  // namespace ryn::stats
