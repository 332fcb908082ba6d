// The generic warp and remap row kernels: plain C++ over the per-pixel samplers, the reference for
// every processor build.
#include "frame/unaligned.h"
#include "primitives/geometry/geometry.h"
#include "primitives/geometry/point_sampling.h"

namespace ryn::geometry::generic {

void AffineRow(const SourcePlane& source, const double* inverse, int mode, bool smooth, int y, int from, int to,
               uint8_t* row) {
  const double xBase = inverse[1] * y + inverse[2], yBase = inverse[4] * y + inverse[5];
  for (int x = from; x < to; ++x) {
    const double sx = inverse[0] * x + xBase, sy = inverse[3] * x + yBase;
    if (smooth) {
      SmoothedSample(source, mode, sx, sy, row + x, SampleAt);
    } else {
      SampleAt(source, mode, sx, sy, row + x);
    }
  }
}

void PerspectiveRow(const SourcePlane& source, const double* backward, int mode, bool smooth, int y, int from, int to,
                    uint8_t* row) {
  const double xBase = backward[1] * y + backward[2], yBase = backward[4] * y + backward[5];
  const double wBase = backward[7] * y + backward[8];
  for (int x = from; x < to; ++x) {
    const double w = backward[6] * x + wBase;
    const double sx = (backward[0] * x + xBase) / w, sy = (backward[3] * x + yBase) / w;
    if (smooth) {
      SmoothedSample(source, mode, sx, sy, row + x, SampleAt);
    } else {
      SampleAt(source, mode, sx, sy, row + x);
    }
  }
}

void RemapRow(const SourcePlane& source, const float* xs, const float* ys, int mode, bool smooth, int count,
              uint8_t* row) {
  for (int i = 0; i < count; ++i) {
    const float mx = LoadUnaligned(xs + i), my = LoadUnaligned(ys + i);
    uint8_t* out = row + static_cast<ptrdiff_t>(i) * source.channels;
    if (smooth) {
      SmoothedSample(source, mode, mx, my, out, RemapSampleAt);
    } else if (mx >= source.left && my >= source.top && mx <= source.right && my <= source.bottom) {
      RemapSampleAt(source, mode, mx, my, out);
    }
  }
}

}  // namespace ryn::geometry::generic
