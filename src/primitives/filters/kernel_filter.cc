// The 8-bit kernel filter: checks, the choice of arithmetic, and the generic row kernel.
#include "primitives/filters/kernel_filter.h"

#include <bit>
#include <limits>

#include "frame/checks.h"
#include "primitives/filters/box_engine.h"
#include "primitives/filters/kernel_rows.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters {

KernelDivision DivisionFor(int divisor) {
  KernelDivision division;
  if (divisor == 1) return division;
  if (divisor > 1 && std::has_single_bit(static_cast<uint32_t>(divisor))) {
    division.kind = KernelDivision::Kind::kHalfEvenShift;
    division.shift = std::countr_zero(static_cast<uint32_t>(divisor));
    return division;
  }
  division.kind = KernelDivision::Kind::kScale;
  division.reciprocal = 1.0f / static_cast<float>(divisor);
  return division;
}

namespace {

void GenericKernelRow(const KernelRows& k, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = KernelPixel(k, x);
}

RYN_DISPATCH_TABLE(g_kernelRow, GenericKernelRow, KernelRowBuilds);

// Largest possible |sum|: the 32-bit path is taken only when it cannot overflow.
bool SumFitsIn32Bits(const int32_t* kernel, int64_t count) {
  int64_t bound = 0;
  for (int64_t n = 0; n < count; ++n) {
    bound += 255 * (kernel[n] < 0 ? -static_cast<int64_t>(kernel[n]) : static_cast<int64_t>(kernel[n]));
    if (bound > std::numeric_limits<int32_t>::max()) return false;
  }
  return true;
}

bool AllEqual(const int32_t* kernel, int64_t count) {
  for (int64_t n = 1; n < count; ++n) {
    if (kernel[n] != kernel[0]) return false;
  }
  return true;
}

bool FitsIn16Bits(const int32_t* kernel, int64_t count) {
  for (int64_t n = 0; n < count; ++n) {
    if (kernel[n] < std::numeric_limits<int16_t>::min() || kernel[n] > std::numeric_limits<int16_t>::max()) {
      return false;
    }
  }
  return true;
}

// Sums that may leave the 32-bit range are formed in 64 bits, the same in every variant.
void WideKernelRow(const KernelRows& k, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) {
    int64_t sum = 0;
    for (int j = 0; j < k.kernelHeight; ++j) {
      const uint8_t* pixel = k.rows[j] + x;
      const int32_t* taps = k.kernel + static_cast<ptrdiff_t>(j) * k.kernelWidth;
      for (int i = 0; i < k.kernelWidth; ++i) sum += static_cast<int64_t>(taps[i]) * pixel[-i];
    }
    out[x] = DividedPixel(sum, k.division);
  }
}

void PairTaps(const int32_t* kernel, int width, int height, uint32_t* paired) {
  for (int p = 0; p < (height + 1) / 2; ++p) {
    for (int i = 0; i < width; ++i) {
      const int32_t low = kernel[static_cast<ptrdiff_t>(2 * p) * width + i];
      const int32_t high = 2 * p + 1 < height ? kernel[static_cast<ptrdiff_t>(2 * p + 1) * width + i] : 0;
      paired[static_cast<ptrdiff_t>(p) * width + i] =
          static_cast<uint16_t>(low) | static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16;
    }
  }
}

// Runs `rowFn` over every output row with job.rows set up for it.
IppStatus FilterRows(const WindowLayout& layout, IppiPoint anchor, IppiSize kernelSize, const KernelRows& job,
                     const uint8_t** rows, KernelRowFn rowFn) {
  RowWindow window(layout);
  if (!window.Ready()) return ippStsMemAllocErr;
  const int pointerCount = (kernelSize.height + 1) / 2 * 2;
  auto* destination = static_cast<uint8_t*>(const_cast<void*>(layout.destination));
  for (int y = 0; y < layout.region.height; ++y) {
    window.Enter(y);
    for (int j = 0; j < kernelSize.height; ++j) rows[j] = window.Row<uint8_t>(int64_t{y} + anchor.y - j) + anchor.x;
    for (int j = kernelSize.height; j < pointerCount; ++j) rows[j] = rows[kernelSize.height - 1];
    rowFn(job, destination + static_cast<ptrdiff_t>(y) * layout.destinationStep, layout.region.width);
  }
  return ippStsNoErr;
}

}  // namespace

IppStatus FilterKernel8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, const int32_t* kernel, IppiSize kernelSize, IppiPoint anchor,
                         int divisor) {
  RYN_CHECK(NotNull(source, destination, kernel));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveSize(kernelSize));
  if (divisor == 0) return ippStsDivisorErr;
  RYN_CHECK(StepAtLeast(sourceStep, int64_t{region.width} + kernelSize.width - 1));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));

  const int64_t taps = int64_t{kernelSize.width} * kernelSize.height;
  const int64_t pairs = (kernelSize.height + 1) / 2;
  const bool narrow = SumFitsIn32Bits(kernel, taps);
  WindowLayout layout{source, sourceStep, destination, destinationStep, region, 1,
                      anchor.x - kernelSize.width + 1, int64_t{region.width} + kernelSize.width - 1,
                      anchor.y - kernelSize.height + 1, kernelSize.height, 0};
  const KernelDivision division = DivisionFor(divisor);
  const ScopedRoundToNearest roundToNearest;
  // Equal taps (the mean filters' kernels of ones): tap x the box sum, at a cost per pixel that
  // does not grow with the kernel.
  if (narrow && kernel[0] != 0 && AllEqual(kernel, taps)) {
    layout.rowsBehind = 1;
    return SumWindows8u(layout, kernelSize, KernelFinish(kernel[0], division));
  }
  const bool paired = narrow && FitsIn16Bits(kernel, taps);
  ScratchBlock work(AlignedBytes<const uint8_t*>(2 * pairs) + (paired ? AlignedBytes<uint32_t>(pairs * kernelSize.width) : 0));
  if (!work.Obtained()) return ippStsMemAllocErr;
  auto* rows = work.As<const uint8_t*>();
  uint32_t* pairedTaps = nullptr;
  if (paired) {
    pairedTaps = reinterpret_cast<uint32_t*>(work.As<uint8_t>() + AlignedBytes<const uint8_t*>(2 * pairs));
    PairTaps(kernel, kernelSize.width, kernelSize.height, pairedTaps);
  }

  const KernelRows job{rows, kernel, kernelSize.width, kernelSize.height, pairedTaps, division};
  const KernelRowFn rowFn = narrow ? g_kernelRow.Entry(VariantIndex()) : &WideKernelRow;
  return FilterRows(layout, anchor, kernelSize, job, rows, rowFn);
}

}  // namespace ryn::filters
