// How the box filters turn window sums into pixels: the rules that the generic code and the
// processor builds' scalar tails share. A box filter keeps one sum per source column over the
// mask height (updated by adding the entering row and subtracting the leaving one) and sums mw of
// those per output pixel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/unaligned.h"
#include "primitives/filters/kernel_rules.h"

namespace ryn::filters {

// The fixed-point reciprocal of a general mask: mean = (S * multiplier + 2^(shift - 1)) >> shift.
struct FixedPointReciprocal {
  uint32_t multiplier;
  int shift;
};
FixedPointReciprocal ReciprocalFor(IppiSize mask);

// Masks above this many pixels average in single precision.
constexpr int64_t kLargestFixedPointMask = 8100;

// How an integer window sum S becomes a pixel.
struct BoxFinish {
  enum class Kind {
    kMean3x3,         // (S * 29128) >> 18: S / 9 truncated
    kMean5x5,         // (S * 20971 + 2^18) >> 19
    kMean7x7,         // (S * 5350 + 2^17) >> 18
    kMeanReciprocal,  // (S * multiplier + rounding) >> shift
    kKernel,          // the kernel filter's division of tap * S, for kernels whose taps are all equal
    kLargeMean,       // LargeMaskPixel(S, reciprocal), for masks above kLargestFixedPointMask pixels
  };
  Kind kind = Kind::kMeanReciprocal;
  uint32_t multiplier = 0;
  uint32_t rounding = 0;
  int shift = 0;
  int32_t tap = 1;
  KernelDivision division;
  float reciprocal = 0.0f;
};

// The mean of a mask of at most kLargestFixedPointMask pixels, and of a larger one.
BoxFinish MeanFinishFor(IppiSize mask);
BoxFinish LargeMeanFinishFor(IppiSize mask);
// The kernel filter's division of tap * S.
BoxFinish KernelFinish(int32_t tap, const KernelDivision& division);

inline uint8_t FinishedPixel(uint32_t sum, const BoxFinish& f) {
  if (f.kind == BoxFinish::Kind::kKernel) {
    return DividedPixel(static_cast<int32_t>(static_cast<int64_t>(f.tap) * sum), f.division);
  }
  return static_cast<uint8_t>((uint64_t{sum} * f.multiplier + f.rounding) >> f.shift);
}

// Masks above kLargestFixedPointMask pixels: truncation of S / (mw * mh) + 9.0e-6 in single
// precision.
inline uint8_t LargeMaskPixel(uint64_t sum, float reciprocal) {
  return static_cast<uint8_t>(static_cast<int>(static_cast<float>(sum) * reciprocal + 9.0e-6f));
}

// One output row from the column sums: window[x + i], i < maskWidth, are the sums that output
// pixel x averages. `scratch` holds kBoxScratchRows rows of width + maskWidth sums,
// `scratchStride` sums apart, for the row kernel's own use.
struct BoxRowJob {
  int maskWidth;
  int maskHeight;
  BoxFinish finish;
  void* scratch;
  int64_t scratchStride;
};
constexpr int kBoxScratchRows = 5;

// Windows of more than 257 pixels whose columns still fit 16-bit sums keep 16-bit column sums up
// to this mask width (the row kernels then form the window sums from 16-bit parts).
constexpr int kWideWindowMaxWidth = 64;

// Float box sums, in a fixed order so that every build gives the same bits. Columns: masks up to
// kDirectFloatMaskHeight rows sum their rows for every output row, ((rows[0][c] + rows[1][c]) +
// rows[2][c]) + ...; taller masks keep running sums, (sums[c] + enter[c]) - leave[c]. Rows: masks
// up to kDirectFloatMaskWidth columns add the window directly, ((window[x] + window[x + 1]) + ...),
// wider ones keep a running sum along the row, (S + window[x + mw - 1]) - window[x - 1].
constexpr int kDirectFloatMaskWidth = 16;
constexpr int kDirectFloatMaskHeight = 7;

inline float DirectColumnSum32f(const float* const* rows, int count, size_t c) {
  float sum = LoadUnaligned(rows[0] + c);
  for (int r = 1; r < count; ++r) sum += LoadUnaligned(rows[r] + c);
  return sum;
}

inline float DirectWindowSum32f(const float* window, int maskWidth, size_t x) {
  float sum = window[x];
  for (int i = 1; i < maskWidth; ++i) sum += window[x + i];
  return sum;
}

// The running float row sum, the same code in every build. `window` is the filter's own scratch.
inline void RunningBoxRow32f(const float* window, int maskWidth, float reciprocal, float* out, int width) {
  float sum = window[0];
  for (int i = 1; i < maskWidth; ++i) sum += window[i];
  StoreUnaligned(out, sum * reciprocal);
  for (int x = 1; x < width; ++x) {
    sum = (sum + window[x + maskWidth - 1]) - window[x - 1];
    StoreUnaligned(out + x, sum * reciprocal);
  }
}

}  // namespace ryn::filters
