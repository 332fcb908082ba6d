// Row addressing of the colour conversions' images: C3 images of three bytes per pixel and sets
// of three planes that share a step.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::color {

// Row y of an image of 8-bit samples; steps are not checked and may be zero or negative.
template <class T>
T* RowOf(T* image, int step, int y) {
  return image + static_cast<ptrdiff_t>(y) * step;
}

// The rows of an image lie back to back, so the region can be walked as one row.
inline bool RowsAdjoin(int step, IppiSize region, int bytesPerPixel) {
  return int64_t{step} == int64_t{region.width} * bytesPerPixel;
}

// Row y of each of three planes that share a step.
template <class T>
struct ThreeRows {
  T* plane[3];
};

template <class T>
ThreeRows<T> RowsOf(T* const planes[3], int step, int y) {
  return {{RowOf(planes[0], step, y), RowOf(planes[1], step, y), RowOf(planes[2], step, y)}};
}

}  // namespace ryn::color
