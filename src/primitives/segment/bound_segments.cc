// Boundaries between segments, marked in place in raster order.
#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/segment/segment.h"
#include "primitives/segment/segment_checks.h"

namespace ryn::segment {
namespace {

// A neighbour marks the pixel when it is neither the border value nor the pixel's own value.
inline bool Marks(uint8_t neighbour, uint8_t pixel, uint8_t border) { return neighbour != border && neighbour != pixel; }

}  // namespace

IppStatus BoundSegments8u(uint8_t* image, int step, IppiSize region, uint8_t borderValue, int norm) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));
  RYN_CHECK(KnownNorm(norm));
  const auto view = View(image, step, region);
  const int width = region.width;
  const bool eight = norm == 0 && width > 1;
  for (int y = 0; y < region.height; ++y) {
    uint8_t* row = view.Row(y);
    const uint8_t* above = y > 0 ? view.Row(y - 1) : nullptr;
    for (int x = 0; x < width; ++x) {
      const uint8_t pixel = row[x];
      bool boundary = x > 0 && Marks(row[x - 1], pixel, borderValue);
      if (above != nullptr) {
        boundary = boundary || Marks(above[x], pixel, borderValue);
        if (eight) {
          boundary = boundary || (x > 0 && Marks(above[x - 1], pixel, borderValue)) ||
                     (x + 1 < width && Marks(above[x + 1], pixel, borderValue));
        }
      }
      if (boundary) row[x] = borderValue;
    }
  }
  return ippStsNoErr;
}

}  // namespace ryn::segment
