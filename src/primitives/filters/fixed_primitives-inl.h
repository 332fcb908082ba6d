// Checks and row loops of the fixed 8-bit filters (Gaussians, high-pass), compiled into every
// build: included inside the build's namespace after that build's row kernels, which it calls by
// name: Gauss3Row, Gauss5Row, Hipass3Row, Hipass5Row (rows, scratch, out, width; rows[j] is
// source row y - k/2 + j, scratch holds three rows FixedScratchStride(width) apart). Includes
// nothing itself.
#if defined(RYN_FILTERS_FIXED_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_FIXED_PRIMITIVES_INL_H_
#undef RYN_FILTERS_FIXED_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_FIXED_PRIMITIVES_INL_H_
#endif

namespace fixed {

enum class Filter { kGauss, kHipass };

inline void FilterRow(Filter filter, int size, const uint8_t* const* rows, uint16_t* scratch, uint8_t* out,
                      int width) {
  if (filter == Filter::kGauss) {
    return size == 3 ? Gauss3Row(rows, scratch, out, width) : Gauss5Row(rows, scratch, out, width);
  }
  return size == 3 ? Hipass3Row(rows, scratch, out, width) : Hipass5Row(rows, scratch, out, width);
}

inline IppStatus Run(Filter filter, const uint8_t* source, int sourceStep, uint8_t* destination,
                     int destinationStep, IppiSize region, int maskCode) {
  RYN_CHECK(CheckFixedFilterArguments(source, sourceStep, destination, destinationStep, region, maskCode));
  const int size = MaskSizeOfCode(maskCode);
  const int radius = size / 2;
  const WindowLayout layout{source, sourceStep, destination, destinationStep, region, 1,
                            -radius, int64_t{region.width} + 2 * radius, -radius, size, 0};
  RowWindow window(layout);
  ScratchBlock work(3 * 2 * FixedScratchStride(region.width));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  const auto image = View(destination, destinationStep, region);
  const ScopedRoundToNearest roundToNearest;
  const uint8_t* rows[5];
  for (int y = 0; y < region.height; ++y) {
    window.Enter(y);
    for (int j = 0; j < size; ++j) rows[j] = window.Row<uint8_t>(int64_t{y} - radius + j);
    FilterRow(filter, size, rows, work.As<uint16_t>(), image.Row(y), region.width);
  }
  return ippStsNoErr;
}

}  // namespace fixed

IppStatus FilterGauss8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                        IppiSize region, int maskCode) {
  return fixed::Run(fixed::Filter::kGauss, source, sourceStep, destination, destinationStep, region, maskCode);
}

IppStatus FilterHipass8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, int maskCode) {
  return fixed::Run(fixed::Filter::kHipass, source, sourceStep, destination, destinationStep, region, maskCode);
}

#endif
