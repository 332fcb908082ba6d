// The fills and vector copies, written once for every variant: argument checks in order, then
// the row loop. `Kernels` supplies the row kernels of one variant (generic or a processor build);
// they take a pixel count and never validate.
#pragma once

#include <cstdint>
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"

namespace ryn::fill {

// Fills larger than this and than the largest cache write around the cache.
constexpr int64_t kNonTemporalThresholdBytes = 0x80000;

// True when a fill of `bytes` should use non-temporal stores.
bool PrefersNonTemporalStores(int64_t bytes);

template <class Kernels>
struct FillPrimitives {
  static IppStatus Set8u(uint8_t* destination, IppiSize region, int step, uint8_t value) {
    RYN_CHECK(NotNull(destination));
    RYN_CHECK(PositiveSize(region));
    const auto image = View(destination, step, region);
    if (PrefersNonTemporalStores(static_cast<int64_t>(image.PixelCount()))) {
      ForEachRow(image, [value](uint8_t* row, size_t n) { Kernels::Stream8u(row, n, value); });
      Kernels::FinishStreaming();
    } else {
      ForEachRow(image, [value](uint8_t* row, size_t n) { Kernels::Fill8u(row, n, value); });
    }
    return ippStsNoErr;
  }

  static IppStatus Set16u(uint16_t* destination, IppiSize region, int step, uint16_t value) {
    RYN_CHECK(NotNull(destination));
    RYN_CHECK(PositiveSize(region));
    ForEachRow(View(destination, step, region),
               [value](uint16_t* row, size_t n) { Kernels::Fill16u(row, n, value); });
    return ippStsNoErr;
  }

  // 32s and 32f fills share one kernel on the value's bits.
  static IppStatus Set32(uint32_t* destination, IppiSize region, int step, uint32_t bits) {
    RYN_CHECK(NotNull(destination));
    RYN_CHECK(PositiveSize(region));
    const auto image = View(destination, step, region);
    if (PrefersNonTemporalStores(static_cast<int64_t>(image.PixelCount()) * 4)) {
      ForEachRow(image, [bits](uint32_t* row, size_t n) { Kernels::Stream32(row, n, bits); });
      Kernels::FinishStreaming();
    } else {
      ForEachRow(image, [bits](uint32_t* row, size_t n) { Kernels::Fill32(row, n, bits); });
    }
    return ippStsNoErr;
  }

  static IppStatus SetMasked8u(uint8_t* destination, int step, const uint8_t* mask, int maskStep,
                               IppiSize region, uint8_t value) {
    RYN_CHECK(NotNull(destination, mask));
    RYN_CHECK(PositiveSize(region));
    const auto image = View(destination, step, region);
    const auto maskImage = View(mask, maskStep, region);
    ForEachRowPair(maskImage, image, [value](const uint8_t* maskRow, uint8_t* row, size_t n) {
      Kernels::FillMasked8u(row, maskRow, n, value);
    });
    return ippStsNoErr;
  }

  static IppStatus SetMasked32(uint32_t* destination, int step, const uint8_t* mask, int maskStep,
                               IppiSize region, uint32_t bits) {
    RYN_CHECK(NotNull(destination, mask));
    RYN_CHECK(PositiveSize(region));
    const auto image = View(destination, step, region);
    const auto maskImage = View(mask, maskStep, region);
    // The mask and the image have different pixel sizes: always row by row.
    for (int y = 0; y < region.height; ++y) {
      Kernels::FillMasked32(image.Row(y), maskImage.Row(y), static_cast<size_t>(region.width), bits);
    }
    return ippStsNoErr;
  }

  static IppStatus Copy32(const uint32_t* source, uint32_t* destination, int length) {
    RYN_CHECK(NotNull(source, destination));
    RYN_CHECK(PositiveLength(length));
    Kernels::Copy32(source, destination, static_cast<size_t>(length));
    return ippStsNoErr;
  }
};

}  // namespace ryn::fill
