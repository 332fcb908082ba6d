// How the 8-bit kernel filter turns a kernel sum into a pixel, and the sum itself: the rules that
// the generic code and the processor builds' scalar tails share.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "primitives/filters/round_to_nearest.h"

namespace ryn::filters {

// How a kernel sum is divided by the divisor d.
struct KernelDivision {
  enum class Kind { kNone, kHalfEvenShift, kScale };
  Kind kind = Kind::kNone;  // d = 1 / d = 2^shift / any other d
  int shift = 0;
  float reciprocal = 1.0f;  // 1 / d in single precision
};

KernelDivision DivisionFor(int divisor);

inline uint8_t SaturateToPixel(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255)); }

// sum / 2^shift rounded to nearest, ties to even (shift 1..30). The remainder test is done on the
// remainder alone, so no intermediate value exceeds the range of Int.
template <class Int>
inline Int HalfEvenShift(Int sum, int shift) {
  const Int quotient = sum >> shift;
  const Int remainder = sum & ((Int{1} << shift) - 1);
  return quotient + ((remainder + (Int{1} << (shift - 1)) - 1 + (quotient & 1)) >> shift);
}

// Clamping before the conversion keeps every value in range and gives the same pixel as
// saturating after it.
inline uint8_t ScaledToPixel(float scaled) {
  return static_cast<uint8_t>(ConvertInCurrentMode(std::min(std::max(scaled, 0.0f), 255.0f)));
}

template <class Int>
inline uint8_t DividedPixel(Int sum, const KernelDivision& division) {
  switch (division.kind) {
    case KernelDivision::Kind::kNone:
      return SaturateToPixel(sum);
    case KernelDivision::Kind::kHalfEvenShift:
      return SaturateToPixel(HalfEvenShift(sum, division.shift));
    case KernelDivision::Kind::kScale:
      break;
  }
  return ScaledToPixel(static_cast<float>(sum) * division.reciprocal);
}

// What the row kernels need for one output row. rows[j][x - i] is the source pixel that kernel
// element (j, i) multiplies for output pixel x.
struct KernelRows {
  const uint8_t* const* rows;  // kernelHeight rows, plus a repeat of the last when it is odd
  const int32_t* kernel;       // row-major, kernelWidth x kernelHeight
  int kernelWidth;
  int kernelHeight;
  // For kernels whose values all fit in 16 bits: per pair of kernel rows (2p, 2p + 1) and
  // column i, element (2p, i) in the low half and (2p + 1, i) in the high half of one word (a
  // missing last row contributes 0). Null otherwise.
  const uint32_t* pairedTaps;
  KernelDivision division;
};

// The exact sum of output pixel x in Int: int32_t where the caller has made sure that it cannot
// overflow, int64_t otherwise.
template <class Int = int32_t>
inline Int KernelSum(const KernelRows& k, int x) {
  Int sum = 0;
  for (int j = 0; j < k.kernelHeight; ++j) {
    const uint8_t* pixel = k.rows[j] + x;
    const int32_t* taps = k.kernel + static_cast<ptrdiff_t>(j) * k.kernelWidth;
    for (int i = 0; i < k.kernelWidth; ++i) sum += static_cast<Int>(taps[i]) * pixel[-i];
  }
  return sum;
}

inline uint8_t KernelPixel(const KernelRows& k, int x) { return DividedPixel(KernelSum(k, x), k.division); }

}  // namespace ryn::filters
