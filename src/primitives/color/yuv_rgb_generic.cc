// The generic conversions between YUV and RGB, pixel for pixel: plain C++, the reference for
// every processor build.
#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/color/color.h"
#include "primitives/color/pixel_rules.h"
#include "primitives/color/plane_rows.h"

namespace ryn::color::generic {
namespace {

void YuvToRgbRowC3(const uint8_t* yuv, uint8_t* rgb, size_t n, const YuvToRgbCoefficients& k) {
  for (size_t i = 0; i < 3 * n; i += 3) YuvToRgbPixel(yuv[i], yuv[i + 1], yuv[i + 2], k, &rgb[i], &rgb[i + 1], &rgb[i + 2]);
}

void YuvToRgbRowP3(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* r, uint8_t* g, uint8_t* b,
                   size_t n, const YuvToRgbCoefficients& k) {
  for (size_t i = 0; i < n; ++i) YuvToRgbPixel(y[i], u[i], v[i], k, &r[i], &g[i], &b[i]);
}

void YuvToRgbRowP3C3(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb, size_t n,
                     const YuvToRgbCoefficients& k) {
  for (size_t i = 0; i < n; ++i) YuvToRgbPixel(y[i], u[i], v[i], k, &rgb[3 * i], &rgb[3 * i + 1], &rgb[3 * i + 2]);
}

void RgbToYuvRowP3(const uint8_t* r, const uint8_t* g, const uint8_t* b, uint8_t* y, uint8_t* u, uint8_t* v,
                   size_t n) {
  for (size_t i = 0; i < n; ++i) RgbToYuvPixel(r[i], g[i], b[i], &y[i], &u[i], &v[i]);
}

}  // namespace

#include "primitives/color/yuv_rgb_primitives-inl.h"

}  // namespace ryn::color::generic
