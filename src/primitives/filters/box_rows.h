// Pieces of the box filters shared by the generic rows and the processor builds. A box filter
// keeps one sum per source column over the mask height (updated by adding the entering row and
// subtracting the leaving one) and sums mw of those per output pixel.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch_legacy.h"
#include "primitives/filters/kernel_rows.h"

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
    kMean3x3,        // (S * 29128) >> 18: S / 9 truncated
    kMean5x5,        // (S * 20971 + 2^18) >> 19
    kMean7x7,        // (S * 5350 + 2^17) >> 18
    kMeanReciprocal, // (S * multiplier + rounding) >> shift
    kKernel,         // the kernel filter's division of tap * S, for kernels whose taps are all equal
  };
  Kind kind = Kind::kMeanReciprocal;
  uint32_t multiplier = 0;
  uint32_t rounding = 0;
  int shift = 0;
  int32_t tap = 1;
  KernelDivision division;
};

BoxFinish MeanFinishFor(IppiSize mask);
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
// pixel x averages. `prefix` is scratch for kBoxScratchRows rows of width + maskWidth sums.
struct BoxRowJob {
  int maskWidth;
  BoxFinish finish;
  void* prefix;
};
constexpr int kBoxScratchRows = 1;

// sums[c] += enter[c] (- leave[c] when leave is not null), for n columns.
using BoxColumns16Fn = void (*)(uint16_t* sums, const uint8_t* enter, const uint8_t* leave, size_t n);
using BoxColumns32Fn = void (*)(uint32_t* sums, const uint8_t* enter, const uint8_t* leave, size_t n);
using BoxRow16Fn = void (*)(const uint16_t* window, const BoxRowJob& job, uint8_t* out, int width);
using BoxRow32Fn = void (*)(const uint32_t* window, const BoxRowJob& job, uint8_t* out, int width);

// Float column sums in a fixed order, so that every build gives the same bits:
// direct: sums[c] = ((rows[0][c] + rows[1][c]) + rows[2][c]) + ...; running: (sums + enter) - leave.
using BoxColumnsDirect32fFn = void (*)(float* sums, const float* const* rows, int count, size_t n);
using BoxColumnsUpdate32fFn = void (*)(float* sums, const float* enter, const float* leave, size_t n);
// out[x] = S * reciprocal, S = ((window[x] + window[x + 1]) + ...) for masks up to
// kDirectFloatMaskWidth wide, else a running sum (S + window[x + mw - 1]) - window[x - 1].
using BoxRow32fFn = void (*)(const float* window, int maskWidth, float reciprocal, float* out, int width);
constexpr int kDirectFloatMaskWidth = 16;
// Masks up to this height sum their rows directly for every output row.
constexpr int kDirectFloatMaskHeight = 7;

// The running float row sum, shared by every build.
void RunningRow32f(const float* window, int maskWidth, float reciprocal, float* out, int width);

TargetKernels<BoxColumns16Fn> BoxColumns16Builds();
TargetKernels<BoxColumns32Fn> BoxColumns32Builds();
TargetKernels<BoxRow16Fn> BoxRow16Builds();
TargetKernels<BoxRow32Fn> BoxRow32Builds();
TargetKernels<BoxColumnsDirect32fFn> BoxColumnsDirect32fBuilds();
TargetKernels<BoxColumnsUpdate32fFn> BoxColumnsUpdate32fBuilds();
TargetKernels<BoxRow32fFn> BoxRow32fBuilds();

}  // namespace ryn::filters
