// Checks and row loops of the 8-bit kernel filter, compiled into every build: included inside
// the build's namespace after that build's row kernels and after box_8u_primitives-inl.h (kernels
// of equal taps are box sums). Calls the row kernel KernelRow by name. Includes nothing itself.
#if defined(RYN_FILTERS_KERNEL_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_KERNEL_PRIMITIVES_INL_H_
#undef RYN_FILTERS_KERNEL_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_KERNEL_PRIMITIVES_INL_H_
#endif

namespace kernel_8u {

// Largest possible |sum|: the 32-bit sums are used only when they cannot overflow.
inline bool SumFitsIn32Bits(const int32_t* kernel, int64_t count) {
  int64_t bound = 0;
  for (int64_t n = 0; n < count; ++n) {
    bound += 255 * (kernel[n] < 0 ? -static_cast<int64_t>(kernel[n]) : static_cast<int64_t>(kernel[n]));
    if (bound > std::numeric_limits<int32_t>::max()) return false;
  }
  return true;
}

inline bool AllEqual(const int32_t* kernel, int64_t count) {
  for (int64_t n = 1; n < count; ++n) {
    if (kernel[n] != kernel[0]) return false;
  }
  return true;
}

inline bool FitsIn16Bits(const int32_t* kernel, int64_t count) {
  for (int64_t n = 0; n < count; ++n) {
    if (kernel[n] < std::numeric_limits<int16_t>::min() || kernel[n] > std::numeric_limits<int16_t>::max()) {
      return false;
    }
  }
  return true;
}

inline void PairTaps(const int32_t* kernel, int width, int height, uint32_t* paired) {
  for (int p = 0; p < (height + 1) / 2; ++p) {
    for (int i = 0; i < width; ++i) {
      const int32_t low = kernel[static_cast<ptrdiff_t>(2 * p) * width + i];
      const int32_t high = 2 * p + 1 < height ? kernel[static_cast<ptrdiff_t>(2 * p + 1) * width + i] : 0;
      paired[static_cast<ptrdiff_t>(p) * width + i] =
          static_cast<uint16_t>(low) | static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16;
    }
  }
}

// Sums that may leave the 32-bit range are formed in 64 bits, the same code in every build.
inline void WideKernelRow(const KernelRows& k, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = DividedPixel(KernelSum<int64_t>(k, x), k.division);
}

// Every output row with job.rows pointing at its source rows.
inline IppStatus FilterRows(const WindowLayout& layout, IppiPoint anchor, IppiSize kernelSize, const KernelRows& job,
                            const uint8_t** rows, bool narrow) {
  RowWindow window(layout);
  if (!window.Ready()) return ippStsMemAllocErr;
  const int pointerCount = (kernelSize.height + 1) / 2 * 2;
  const auto destination = View(static_cast<uint8_t*>(const_cast<void*>(layout.destination)),
                                layout.destinationStep, layout.region);
  for (int y = 0; y < layout.region.height; ++y) {
    window.Enter(y);
    for (int j = 0; j < kernelSize.height; ++j) rows[j] = window.Row<uint8_t>(int64_t{y} + anchor.y - j) + anchor.x;
    for (int j = kernelSize.height; j < pointerCount; ++j) rows[j] = rows[kernelSize.height - 1];
    if (narrow) {
      KernelRow(job, destination.Row(y), layout.region.width);
    } else {
      WideKernelRow(job, destination.Row(y), layout.region.width);
    }
  }
  return ippStsNoErr;
}

}  // namespace kernel_8u

IppStatus FilterKernel8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, const int32_t* kernel, IppiSize kernelSize, IppiPoint anchor,
                         int divisor) {
  RYN_CHECK(
      CheckKernel8uArguments(source, sourceStep, destination, destinationStep, region, kernel, kernelSize, divisor));
  const int64_t taps = int64_t{kernelSize.width} * kernelSize.height;
  const int64_t pairs = (kernelSize.height + 1) / 2;
  const bool narrow = kernel_8u::SumFitsIn32Bits(kernel, taps);
  WindowLayout layout{source, sourceStep, destination, destinationStep, region, 1,
                      anchor.x - kernelSize.width + 1, int64_t{region.width} + kernelSize.width - 1,
                      anchor.y - kernelSize.height + 1, kernelSize.height, 0};
  const KernelDivision division = DivisionFor(divisor);
  const ScopedRoundToNearest roundToNearest;
  // Equal taps (the mean filters' kernels of ones): tap x the box sum, at a cost per pixel that
  // does not grow with the kernel.
  if (narrow && kernel[0] != 0 && kernel_8u::AllEqual(kernel, taps)) {
    layout.rowsBehind = 1;
    return box_8u::SumWindows8u(layout, kernelSize, KernelFinish(kernel[0], division));
  }
  const bool paired = narrow && kernel_8u::FitsIn16Bits(kernel, taps);
  ScratchBlock work(AlignedBytes<const uint8_t*>(2 * pairs) +
                    (paired ? AlignedBytes<uint32_t>(pairs * kernelSize.width) : 0));
  if (!work.Obtained()) return ippStsMemAllocErr;
  auto* rows = work.As<const uint8_t*>();
  uint32_t* pairedTaps = nullptr;
  if (paired) {
    pairedTaps = reinterpret_cast<uint32_t*>(work.As<uint8_t>() + AlignedBytes<const uint8_t*>(2 * pairs));
    kernel_8u::PairTaps(kernel, kernelSize.width, kernelSize.height, pairedTaps);
  }
  const KernelRows job{rows, kernel, kernelSize.width, kernelSize.height, pairedTaps, division};
  return kernel_8u::FilterRows(layout, anchor, kernelSize, job, rows, narrow);
}

#endif
