#include "primitives/filters/fixed_filters.h"

#include "frame/checks.h"
#include "primitives/filters/fixed_rows.h"
#include "primitives/filters/round_to_nearest.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters {

int MaskSizeOfCode(int maskCode) { return maskCode == 33 ? 3 : maskCode == 55 ? 5 : 0; }

namespace {

template <uint8_t (*Pixel)(const uint8_t* const*, int)>
void GenericFixedRow(const uint8_t* const* rows, uint16_t*, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = Pixel(rows, x);
}

RYN_DISPATCH_TABLE(g_gauss3, GenericFixedRow<Gauss3Pixel>, Gauss3RowBuilds);
RYN_DISPATCH_TABLE(g_gauss5, GenericFixedRow<Gauss5Pixel>, Gauss5RowBuilds);
RYN_DISPATCH_TABLE(g_hipass3, GenericFixedRow<HipassPixel<3>>, Hipass3RowBuilds);
RYN_DISPATCH_TABLE(g_hipass5, GenericFixedRow<HipassPixel<5>>, Hipass5RowBuilds);

IppStatus RunFixedFilter(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, int maskCode, FixedRowFn row3, FixedRowFn row5) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const int size = MaskSizeOfCode(maskCode);
  if (size == 0) return ippStsMaskSizeErr;
  const int radius = size / 2;

  const WindowLayout layout{source, sourceStep, destination, destinationStep, region, 1,
                            -radius, int64_t{region.width} + 2 * radius, -radius, size, 0};
  RowWindow window(layout);
  ScratchBlock work(3 * 2 * ScratchRowStride(region.width));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  const FixedRowFn row = size == 3 ? row3 : row5;
  const ScopedRoundToNearest roundToNearest;
  const uint8_t* rows[5];
  for (int y = 0; y < region.height; ++y) {
    window.Enter(y);
    for (int j = 0; j < size; ++j) rows[j] = window.Row<uint8_t>(int64_t{y} - radius + j);
    row(rows, work.As<uint16_t>(), destination + static_cast<ptrdiff_t>(y) * destinationStep, region.width);
  }
  return ippStsNoErr;
}

}  // namespace

IppStatus FilterGauss8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                        IppiSize region, int maskCode) {
  const int index = VariantIndex();
  return RunFixedFilter(source, sourceStep, destination, destinationStep, region, maskCode, g_gauss3.Entry(index),
                        g_gauss5.Entry(index));
}

IppStatus FilterHipass8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, int maskCode) {
  const int index = VariantIndex();
  return RunFixedFilter(source, sourceStep, destination, destinationStep, region, maskCode, g_hipass3.Entry(index),
                        g_hipass5.Entry(index));
}

}  // namespace ryn::filters
