// The 8-bit kernel filter: checks, the choice of arithmetic, where the source rows come from
// (the caller's image, a ring of saved rows when filtering in place, or a copy), and the generic
// row kernel.
#include "primitives/filters/kernel_filter.h"

#include <bit>
#include <cstring>
#include <limits>
#include <vector>

#include "frame/checks.h"
#include "primitives/filters/kernel_rows.h"
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

// Where the source rows of each output row come from.
enum class RowSource {
  kCaller,  // read the caller's source directly
  kRing,    // in place: each source row is saved before its destination row is written
  kCopy,    // source and destination overlap in some other way: filter from a copy
};

struct Geometry {
  const uint8_t* source;
  int sourceStep;
  uint8_t* destination;
  int destinationStep;
  IppiSize region;
  IppiSize kernelSize;
  IppiPoint anchor;

  // Source pixels read: rows anchor.y - kh + 1 .. H - 1 + anchor.y, columns
  // anchor.x - kw + 1 .. W - 1 + anchor.x.
  int64_t SpanWidth() const { return int64_t{region.width} + kernelSize.width - 1; }
  int64_t SpanHeight() const { return int64_t{region.height} + kernelSize.height - 1; }
  const uint8_t* SourceAt(int64_t row, int64_t column) const { return source + row * sourceStep + column; }
  const uint8_t* SpanRowStart(int64_t row) const {
    return SourceAt(row, int64_t{anchor.x} - kernelSize.width + 1);
  }

  RowSource Choose() const {
    const auto first = reinterpret_cast<uintptr_t>(SpanRowStart(int64_t{anchor.y} - kernelSize.height + 1));
    const auto last = reinterpret_cast<uintptr_t>(SpanRowStart(int64_t{region.height} - 1 + anchor.y)) + SpanWidth();
    const auto destinationFirst = reinterpret_cast<uintptr_t>(destination);
    const auto destinationLast = destinationFirst + static_cast<uintptr_t>(
        int64_t{region.height - 1} * destinationStep + region.width);
    if (last <= destinationFirst || destinationLast <= first) return RowSource::kCaller;
    const bool sameImage = source == destination && sourceStep == destinationStep;
    const bool anchorInside = anchor.x >= 0 && anchor.x < kernelSize.width && anchor.y >= 0 &&
                              anchor.y < kernelSize.height;
    return sameImage && anchorInside ? RowSource::kRing : RowSource::kCopy;
  }
};

// Runs `rowFn` over every output row with rows[] set up for `source`.
IppStatus FilterRows(const Geometry& g, KernelRows job, const uint8_t** rows, KernelRowFn rowFn) {
  const int kh = g.kernelSize.height;
  const int kw = g.kernelSize.width;
  const int pointerCount = (kh + 1) / 2 * 2;
  const int64_t span = g.SpanWidth();
  const RowSource rowSource = g.Choose();

  const int64_t savedRows = rowSource == RowSource::kRing ? kh : rowSource == RowSource::kCopy ? g.SpanHeight() : 0;
  ScratchBlock saved(savedRows * span);
  if (savedRows > 0 && !saved.Obtained()) return ippStsMemAllocErr;
  uint8_t* savedBytes = saved.As<uint8_t>();
  // Slot of source row r (rows are counted from the region's first row).
  const auto slot = [&](int64_t r) -> uint8_t* {
    const int64_t index = rowSource == RowSource::kRing ? ((r % kh) + kh) % kh : r - (g.anchor.y - kh + 1);
    return savedBytes + index * span;
  };
  const auto save = [&](int64_t r) { std::memcpy(slot(r), g.SpanRowStart(r), static_cast<size_t>(span)); };

  if (rowSource == RowSource::kCopy) {
    for (int64_t r = g.anchor.y - kh + 1; r <= int64_t{g.region.height} - 1 + g.anchor.y; ++r) save(r);
  }
  for (int y = 0; y < g.region.height; ++y) {
    if (rowSource == RowSource::kRing) {
      if (y == 0) {
        for (int j = kh - 1; j >= 0; --j) save(int64_t{g.anchor.y} - j);
      } else {
        save(int64_t{y} + g.anchor.y);
      }
    }
    for (int j = 0; j < kh; ++j) {
      const int64_t r = int64_t{y} + g.anchor.y - j;
      rows[j] = rowSource == RowSource::kCaller ? g.SourceAt(r, g.anchor.x) : slot(r) + (kw - 1);
    }
    for (int j = kh; j < pointerCount; ++j) rows[j] = rows[kh - 1];
    rowFn(job, g.destination + static_cast<ptrdiff_t>(y) * g.destinationStep, g.region.width);
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
  const bool paired = narrow && FitsIn16Bits(kernel, taps);
  ScratchBlock work(AlignedBytes<const uint8_t*>(2 * pairs) + (paired ? AlignedBytes<uint32_t>(pairs * kernelSize.width) : 0));
  if (!work.Obtained()) return ippStsMemAllocErr;
  auto* rows = work.As<const uint8_t*>();
  uint32_t* pairedTaps = nullptr;
  if (paired) {
    pairedTaps = reinterpret_cast<uint32_t*>(work.As<uint8_t>() + AlignedBytes<const uint8_t*>(2 * pairs));
    PairTaps(kernel, kernelSize.width, kernelSize.height, pairedTaps);
  }

  const KernelDivision division = DivisionFor(divisor);
  const KernelRows job{rows, kernel, kernelSize.width, kernelSize.height, pairedTaps, division};
  const Geometry geometry{source, sourceStep, destination, destinationStep, region, kernelSize, anchor};
  const KernelRowFn rowFn = narrow ? g_kernelRow.Entry(VariantIndex()) : &WideKernelRow;
  const ScopedRoundToNearest roundToNearest;
  return FilterRows(geometry, job, rows, rowFn);
}

}  // namespace ryn::filters
