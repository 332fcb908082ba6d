// The flood fill and the labelling, both on the span fill of flood_fill.h.
#include <algorithm>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/segment/segment.h"
#include "primitives/segment/segment_checks.h"

namespace ryn::segment {
namespace {

// The pending spans in the caller's buffer of the promised 6 W H + 32 bytes, at any alignment:
// they start at the next multiple of 8, which costs at most 7 of the 32 spare bytes.
PendingSpans PendingSpansIn(uint8_t* buffer, IppiSize region) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(buffer);
  const uintptr_t aligned = (address + 7) & ~uintptr_t{7};
  const int64_t bytes = 6 * int64_t{region.width} * region.height + 32 - static_cast<int64_t>(aligned - address);
  return PendingSpans(reinterpret_cast<void*>(aligned), bytes, region);
}

template <class T>
IppStatus CheckLabelMarkers(const T* image, int step, IppiSize region, int minimumLabel, int maximumLabel, int norm,
                            const int* count) {
  constexpr int kMarker = std::numeric_limits<T>::max();
  RYN_CHECK(NotNull(image, count));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, int64_t{region.width} * int64_t{sizeof(T)}));
  if constexpr (sizeof(T) > 1) RYN_CHECK(StepHoldsWholePixels(step, sizeof(T)));
  RYN_CHECK(LabelRange(minimumLabel, maximumLabel, kMarker));
  RYN_CHECK(KnownNorm(norm));
  return ippStsNoErr;
}

// Every non-zero pixel becomes the marker, then each region of markers met in raster order is
// filled with the next label.
template <class T>
IppStatus LabelMarkers(T* image, int step, IppiSize region, int minimumLabel, int maximumLabel, int norm, int* count,
                       uint8_t* buffer) {
  constexpr T kMarker = std::numeric_limits<T>::max();
  RYN_CHECK(NotNull(image, buffer, count));
  RYN_CHECK(CheckLabelMarkers(image, step, region, minimumLabel, maximumLabel, norm, count));
  const auto view = View(image, step, region);
  for (int y = 0; y < region.height; ++y) {
    T* row = view.Row(y);
    for (int x = 0; x < region.width; ++x) {
      StoreUnaligned(row + x, LoadUnaligned(row + x) != 0 ? kMarker : T{0});
    }
  }
  PendingSpans pending = PendingSpansIn(buffer, region);
  FloodFill<T> fill(view, ConnectivityOf(norm), pending);
  int64_t regions = 0;
  int label = minimumLabel;
  for (int y = 0; y < region.height; ++y) {
    const T* row = view.Row(y);
    const int lastColumn = region.width - 1;
    for (int x = PixelRuns<T>::FindEqual(row, 0, lastColumn, kMarker); x <= lastColumn;
         x = PixelRuns<T>::FindEqual(row, x + 1, lastColumn, kMarker)) {
      fill.Fill(IppiPoint{x, y}, static_cast<T>(label));
      ++regions;
      label = label == maximumLabel ? minimumLabel : label + 1;
    }
  }
  *count = static_cast<int>(std::min<int64_t>(regions, std::numeric_limits<int>::max()));
  return ippStsNoErr;
}

}  // namespace

IppStatus FloodFillBufferSize(IppiSize region, int* size) {
  RYN_CHECK(NotNull(size));
  RYN_CHECK(PositiveSize(region));
  // 6 W H + 32 is formed only where it cannot leave the 64-bit range (W H is below 2^62).
  const int64_t pixels = int64_t{region.width} * region.height;
  const int64_t bytes =
      pixels <= std::numeric_limits<int>::max() ? 6 * pixels + 32 : std::numeric_limits<int64_t>::max();
  RYN_CHECK(FitsInInt(bytes));
  *size = static_cast<int>(bytes);
  return ippStsNoErr;
}

IppStatus CheckLabelMarkers8u(const uint8_t* image, int step, IppiSize region, int minimumLabel, int maximumLabel,
                              int norm, const int* count) {
  return CheckLabelMarkers(image, step, region, minimumLabel, maximumLabel, norm, count);
}

IppStatus CheckLabelMarkers16u(const uint16_t* image, int step, IppiSize region, int minimumLabel,
                               int maximumLabel, int norm, const int* count) {
  return CheckLabelMarkers(image, step, region, minimumLabel, maximumLabel, norm, count);
}

IppStatus LabelMarkers8u(uint8_t* image, int step, IppiSize region, int minimumLabel, int maximumLabel, int norm,
                         int* count, uint8_t* buffer) {
  return LabelMarkers(image, step, region, minimumLabel, maximumLabel, norm, count, buffer);
}

IppStatus LabelMarkers16u(uint16_t* image, int step, IppiSize region, int minimumLabel, int maximumLabel,
                          int norm, int* count, uint8_t* buffer) {
  return LabelMarkers(image, step, region, minimumLabel, maximumLabel, norm, count, buffer);
}

IppStatus FloodFill8u(uint8_t* image, int step, IppiSize region, IppiPoint seed, uint8_t newValue,
                      Connectivity connectivity, RynConnectedComponent* component, uint8_t* buffer) {
  RYN_CHECK(NotNull(image, component, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));
  RYN_CHECK(InsideRange(seed.x, region.width));
  RYN_CHECK(InsideRange(seed.y, region.height));
  const auto view = View(image, step, region);
  if (*view.At(seed.x, seed.y) == newValue) return ippStsNoErr;
  PendingSpans pending = PendingSpansIn(buffer, region);
  const FilledRegion filled = FloodFill<uint8_t>(view, connectivity, pending).Fill(seed, newValue);
  component->area = static_cast<double>(filled.area);
  component->value[0] = newValue;
  component->value[1] = 0.0;
  component->value[2] = 0.0;
  component->rect = IppiRect{filled.left, filled.top, filled.right - filled.left + 1, filled.bottom - filled.top + 1};
  return ippStsNoErr;
}

}  // namespace ryn::segment
