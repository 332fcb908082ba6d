// Checks and row loops of the 8-bit box mean, and the window-sum engine that the kernel filter
// shares for kernels whose taps are all equal. Compiled into every build: included inside the
// build's namespace after that build's row kernels, which it calls by name: AddColumnSums (16 and
// 32-bit sums) and BoxRow (16 and 32-bit sums). Includes nothing itself.
#if defined(RYN_FILTERS_BOX_8U_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_BOX_8U_PRIMITIVES_INL_H_
#undef RYN_FILTERS_BOX_8U_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_BOX_8U_PRIMITIVES_INL_H_
#endif

// Masks above the fixed-point range keep 64-bit sums, the same code in every build (overloads of
// the row kernels, so that they are found beside them).
inline void AddColumnSums(uint64_t* sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
  if (leave != nullptr) {
    for (size_t c = 0; c < n; ++c) sums[c] = sums[c] + enter[c] - leave[c];
  } else {
    for (size_t c = 0; c < n; ++c) sums[c] += enter[c];
  }
}

inline void BoxRow(const uint64_t* window, const BoxRowJob& job, uint8_t* out, int width) {
  const float reciprocal = job.finish.reciprocal;
  uint64_t sum = 0;
  for (int i = 0; i < job.maskWidth; ++i) sum += window[i];
  out[0] = LargeMaskPixel(sum, reciprocal);
  for (int x = 1; x < width; ++x) {
    sum = sum + window[x + job.maskWidth - 1] - window[x - 1];
    out[x] = LargeMaskPixel(sum, reciprocal);
  }
}

namespace box_8u {

// Sums every mask-sized window of the layout (window rows = mask height, columns as laid out) in
// Sum-wide column sums and writes the finished pixel of each sum.
template <class Sum>
IppStatus SumWindows(const WindowLayout& layout, IppiSize mask, const BoxFinish& finish) {
  RowWindow window(layout);
  const int64_t span = layout.spanColumns;
  const int64_t scratchBytes = AlignedBytes<Sum>(span + 1);
  ScratchBlock work(AlignedBytes<Sum>(span) + kBoxScratchRows * scratchBytes);
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  Sum* sums = work.As<Sum>();
  const BoxRowJob job{mask.width, mask.height, finish, work.As<uint8_t>() + AlignedBytes<Sum>(span),
                      scratchBytes / static_cast<int64_t>(sizeof(Sum))};
  const auto destination = View(static_cast<uint8_t*>(const_cast<void*>(layout.destination)),
                                layout.destinationStep, layout.region);
  const auto n = static_cast<size_t>(span);
  for (int y = 0; y < layout.region.height; ++y) {
    window.Enter(y);
    const int64_t top = int64_t{y} + layout.firstRow;
    if (y == 0) {
      for (size_t c = 0; c < n; ++c) sums[c] = 0;
      for (int r = 0; r < mask.height; ++r) {
        AddColumnSums(sums, window.Row<uint8_t>(top + r) + layout.firstColumn, nullptr, n);
      }
    } else {
      AddColumnSums(sums, window.Row<uint8_t>(top + mask.height - 1) + layout.firstColumn,
                    window.Row<uint8_t>(top - 1) + layout.firstColumn, n);
    }
    BoxRow(sums, job, destination.Row(y), layout.region.width);
  }
  return ippStsNoErr;
}

// 16-bit column sums while every window sum fits them, or while a column does and the mask is at
// most kWideWindowMaxWidth wide; else 32-bit. 255 * mask area must be below 2^32.
inline IppStatus SumWindows8u(const WindowLayout& layout, IppiSize mask, const BoxFinish& finish) {
  const bool windowFits = 255 * int64_t{mask.width} * mask.height <= 0xFFFF;
  const bool columnFits = 255 * int64_t{mask.height} <= 0xFFFF;
  if (windowFits || (columnFits && mask.width <= kWideWindowMaxWidth)) {
    return SumWindows<uint16_t>(layout, mask, finish);
  }
  return SumWindows<uint32_t>(layout, mask, finish);
}

inline WindowLayout BoxLayout(const void* source, int sourceStep, void* destination, int destinationStep,
                              IppiSize region, int pixelBytes, IppiSize mask, IppiPoint anchor, bool running) {
  return WindowLayout{source, sourceStep, destination, destinationStep, region, pixelBytes,
                      -anchor.x, int64_t{region.width} + mask.width - 1, -anchor.y, mask.height, running ? 1 : 0};
}

}  // namespace box_8u

IppStatus FilterBox8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                      IppiSize region, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(CheckBoxArguments(source, sourceStep, destination, destinationStep, region, mask, anchor));
  const WindowLayout layout =
      box_8u::BoxLayout(source, sourceStep, destination, destinationStep, region, 1, mask, anchor, true);
  if (int64_t{mask.width} * mask.height > kLargestFixedPointMask) {
    return box_8u::SumWindows<uint64_t>(layout, mask, LargeMeanFinishFor(mask));
  }
  return box_8u::SumWindows8u(layout, mask, MeanFinishFor(mask));
}

#endif
