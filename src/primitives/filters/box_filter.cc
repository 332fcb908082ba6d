// The box means: rounding rules per mask class, the running-sum engine, the generic rows and
// their dispatch tables.
#include "primitives/filters/box_filter.h"

#include <cstring>

#include "frame/checks.h"
#include "primitives/filters/box_engine.h"
#include "primitives/filters/box_rows.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters {

FixedPointReciprocal ReciprocalFor(IppiSize mask) {
  if (mask.width + mask.height == 3) return {4096, 13};
  const float reciprocal = 1.0f / static_cast<float>(mask.width * mask.height);
  auto v = static_cast<uint32_t>(static_cast<double>(reciprocal) * 4294967295.0);
  int shifts = 0;
  while ((v & 0x80000000u) == 0 && shifts < 24) {
    v <<= 1;
    ++shifts;
  }
  return {(v >> 20) + 1, shifts + 12};
}

namespace {

BoxFinish MeanFinish(BoxFinish::Kind kind, uint32_t multiplier, uint32_t rounding, int shift) {
  BoxFinish finish;
  finish.kind = kind;
  finish.multiplier = multiplier;
  finish.rounding = rounding;
  finish.shift = shift;
  return finish;
}

}  // namespace

BoxFinish MeanFinishFor(IppiSize mask) {
  if (mask.width == 3 && mask.height == 3) return MeanFinish(BoxFinish::Kind::kMean3x3, 29128, 0, 18);
  if (mask.width == 5 && mask.height == 5) return MeanFinish(BoxFinish::Kind::kMean5x5, 20971, 1u << 18, 19);
  if (mask.width == 7 && mask.height == 7) return MeanFinish(BoxFinish::Kind::kMean7x7, 5350, 1u << 17, 18);
  const FixedPointReciprocal r = ReciprocalFor(mask);
  return MeanFinish(BoxFinish::Kind::kMeanReciprocal, r.multiplier, 1u << (r.shift - 1), r.shift);
}

BoxFinish KernelFinish(int32_t tap, const KernelDivision& division) {
  BoxFinish finish;
  finish.kind = BoxFinish::Kind::kKernel;
  finish.tap = tap;
  finish.division = division;
  return finish;
}

void RunningRow32f(const float* window, int maskWidth, float reciprocal, float* out, int width) {
  float sum = window[0];
  for (int i = 1; i < maskWidth; ++i) sum += window[i];
  out[0] = sum * reciprocal;
  for (int x = 1; x < width; ++x) {
    sum = (sum + window[x + maskWidth - 1]) - window[x - 1];
    out[x] = sum * reciprocal;
  }
}

namespace {

template <class Sum>
void GenericColumns(Sum* sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
  if (leave != nullptr) {
    for (size_t c = 0; c < n; ++c) sums[c] = static_cast<Sum>(sums[c] + enter[c] - leave[c]);
  } else {
    for (size_t c = 0; c < n; ++c) sums[c] = static_cast<Sum>(sums[c] + enter[c]);
  }
}

// Integer sums are exact in any order: a running sum along the row.
template <class Sum>
void GenericBoxRow(const Sum* window, const BoxRowJob& job, uint8_t* out, int width) {
  uint32_t sum = 0;
  for (int i = 0; i < job.maskWidth; ++i) sum += window[i];
  out[0] = FinishedPixel(sum, job.finish);
  for (int x = 1; x < width; ++x) {
    sum += static_cast<uint32_t>(window[x + job.maskWidth - 1]) - window[x - 1];
    out[x] = FinishedPixel(sum, job.finish);
  }
}

void GenericColumnsDirect32f(float* sums, const float* const* rows, int count, size_t n) {
  for (size_t c = 0; c < n; ++c) {
    float sum = rows[0][c];
    for (int r = 1; r < count; ++r) sum += rows[r][c];
    sums[c] = sum;
  }
}

void GenericColumnsUpdate32f(float* sums, const float* enter, const float* leave, size_t n) {
  for (size_t c = 0; c < n; ++c) sums[c] = (sums[c] + enter[c]) - leave[c];
}

void GenericBoxRow32f(const float* window, int maskWidth, float reciprocal, float* out, int width) {
  if (maskWidth > kDirectFloatMaskWidth) return RunningRow32f(window, maskWidth, reciprocal, out, width);
  for (int x = 0; x < width; ++x) {
    float sum = window[x];
    for (int i = 1; i < maskWidth; ++i) sum += window[x + i];
    out[x] = sum * reciprocal;
  }
}

RYN_DISPATCH_TABLE(g_columns16, GenericColumns<uint16_t>, BoxColumns16Builds);
RYN_DISPATCH_TABLE(g_columns32, GenericColumns<uint32_t>, BoxColumns32Builds);
RYN_DISPATCH_TABLE(g_row16, GenericBoxRow<uint16_t>, BoxRow16Builds);
RYN_DISPATCH_TABLE(g_row32, GenericBoxRow<uint32_t>, BoxRow32Builds);
RYN_DISPATCH_TABLE(g_columnsDirect32f, GenericColumnsDirect32f, BoxColumnsDirect32fBuilds);
RYN_DISPATCH_TABLE(g_columnsUpdate32f, GenericColumnsUpdate32f, BoxColumnsUpdate32fBuilds);
RYN_DISPATCH_TABLE(g_row32f, GenericBoxRow32f, BoxRow32fBuilds);

IppStatus CheckBoxArguments(const void* source, int sourceStep, const void* destination, int destinationStep,
                            IppiSize region, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  if (mask.width <= 0 || mask.height <= 0) return ippStsMaskSizeErr;
  if (anchor.x < 0 || anchor.x >= mask.width || anchor.y < 0 || anchor.y >= mask.height) return ippStsAnchorErr;
  return ippStsNoErr;
}

WindowLayout BoxLayout(const void* source, int sourceStep, void* destination, int destinationStep, IppiSize region,
                       int pixelBytes, IppiSize mask, IppiPoint anchor, bool running) {
  return WindowLayout{source, sourceStep, destination, destinationStep, region, pixelBytes,
                      -anchor.x, int64_t{region.width} + mask.width - 1, -anchor.y, mask.height, running ? 1 : 0};
}

template <class Sum, class ColumnsFn, class RowFn>
IppStatus SumWindowsWith(const WindowLayout& layout, IppiSize mask, const BoxFinish& finish, ColumnsFn columns,
                         RowFn row) {
  RowWindow window(layout);
  const int64_t span = layout.spanColumns;
  ScratchBlock work(AlignedBytes<Sum>(span) + AlignedBytes<Sum>(kBoxScratchRows * (span + 1)));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  Sum* sums = work.As<Sum>();
  const BoxRowJob job{mask.width, finish, work.As<uint8_t>() + AlignedBytes<Sum>(span)};
  auto* destination = static_cast<uint8_t*>(const_cast<void*>(layout.destination));
  const auto sourceRow = [&](int64_t r) { return window.Row<uint8_t>(r) + layout.firstColumn; };
  for (int y = 0; y < layout.region.height; ++y) {
    window.Enter(y);
    const int64_t top = int64_t{y} + layout.firstRow;
    if (y == 0) {
      std::memset(sums, 0, static_cast<size_t>(span) * sizeof(Sum));
      for (int r = 0; r < mask.height; ++r) columns(sums, sourceRow(top + r), nullptr, static_cast<size_t>(span));
    } else {
      columns(sums, sourceRow(top + mask.height - 1), sourceRow(top - 1), static_cast<size_t>(span));
    }
    row(sums, job, destination + static_cast<ptrdiff_t>(y) * layout.destinationStep, layout.region.width);
  }
  return ippStsNoErr;
}

// Masks above the fixed-point range: 64-bit sums, the same code in every build.
IppStatus LargeMaskBox8u(const WindowLayout& layout, IppiSize mask) {
  const float reciprocal = 1.0f / static_cast<float>(int64_t{mask.width} * mask.height);
  return SumWindowsWith<uint64_t>(
      layout, mask, BoxFinish{},
      [](uint64_t* sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
        GenericColumns(sums, enter, leave, n);
      },
      [reciprocal](const uint64_t* window, const BoxRowJob& job, uint8_t* out, int width) {
        uint64_t sum = 0;
        for (int i = 0; i < job.maskWidth; ++i) sum += window[i];
        out[0] = LargeMaskPixel(sum, reciprocal);
        for (int x = 1; x < width; ++x) {
          sum = sum + window[x + job.maskWidth - 1] - window[x - 1];
          out[x] = LargeMaskPixel(sum, reciprocal);
        }
      });
}

}  // namespace

IppStatus SumWindows8u(const WindowLayout& layout, IppiSize mask, const BoxFinish& finish) {
  const int index = VariantIndex();
  if (255 * int64_t{mask.width} * mask.height <= 0xFFFF) {
    return SumWindowsWith<uint16_t>(layout, mask, finish, g_columns16.Entry(index), g_row16.Entry(index));
  }
  return SumWindowsWith<uint32_t>(layout, mask, finish, g_columns32.Entry(index), g_row32.Entry(index));
}

IppStatus FilterBox8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                      IppiSize region, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(CheckBoxArguments(source, sourceStep, destination, destinationStep, region, mask, anchor));
  const WindowLayout layout = BoxLayout(source, sourceStep, destination, destinationStep, region, 1, mask, anchor, true);
  if (int64_t{mask.width} * mask.height > kLargestFixedPointMask) return LargeMaskBox8u(layout, mask);
  return SumWindows8u(layout, mask, MeanFinishFor(mask));
}

IppStatus FilterBox32f(const float* source, int sourceStep, float* destination, int destinationStep,
                       IppiSize region, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(CheckBoxArguments(source, sourceStep, destination, destinationStep, region, mask, anchor));
  const bool direct = mask.height <= kDirectFloatMaskHeight;
  const WindowLayout layout =
      BoxLayout(source, sourceStep, destination, destinationStep, region, 4, mask, anchor, !direct);
  RowWindow window(layout);
  const int64_t span = layout.spanColumns;
  ScratchBlock work(AlignedBytes<float>(span) + AlignedBytes<const float*>(mask.height));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  float* sums = work.As<float>();
  auto* rows = reinterpret_cast<const float**>(work.As<uint8_t>() + AlignedBytes<float>(span));

  const int index = VariantIndex();
  const auto columnsDirect = g_columnsDirect32f.Entry(index);
  const auto columnsUpdate = g_columnsUpdate32f.Entry(index);
  const auto row = g_row32f.Entry(index);
  const float reciprocal = 1.0f / static_cast<float>(int64_t{mask.width} * mask.height);
  const auto sourceRow = [&](int64_t r) { return window.Row<float>(r) + layout.firstColumn; };
  for (int y = 0; y < region.height; ++y) {
    window.Enter(y);
    const int64_t top = int64_t{y} + layout.firstRow;
    if (direct || y == 0) {
      for (int r = 0; r < mask.height; ++r) rows[r] = sourceRow(top + r);
      columnsDirect(sums, rows, mask.height, static_cast<size_t>(span));
    } else {
      columnsUpdate(sums, sourceRow(top + mask.height - 1), sourceRow(top - 1), static_cast<size_t>(span));
    }
    row(sums, mask.width, reciprocal,
        reinterpret_cast<float*>(reinterpret_cast<uint8_t*>(destination) + static_cast<ptrdiff_t>(y) * destinationStep),
        region.width);
  }
  return ippStsNoErr;
}

}  // namespace ryn::filters
