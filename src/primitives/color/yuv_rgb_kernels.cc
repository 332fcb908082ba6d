// Processor builds of the pixel-for-pixel conversions between YUV and RGB, compiled once per
// Highway target, and the dispatched operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/color/yuv_rgb_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/color/color.h"
#include "primitives/color/pixel_rules.h"
#include "primitives/color/plane_rows.h"
#include "primitives/color/yuv_rgb_vectors-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::color {
namespace HWY_NAMESPACE {
namespace {

// Source and destination rows may be the same memory: each vector is loaded whole before its
// pixels are stored.

HWY_INLINE void YuvToRgbRowC3(const uint8_t* yuv, uint8_t* rgb, size_t n, const YuvToRgbCoefficients& k) {
  const D8 d8;
  const size_t lanes = hn::Lanes(d8);
  const YuvToRgbVectors kv = VectorsOf(k);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    V8 y, u, v;
    hn::LoadInterleaved3(d8, yuv + 3 * i, y, u, v);
    const Rgb8 out = YuvToRgb(y, u, v, kv);
    hn::StoreInterleaved3(out.r, out.g, out.b, d8, rgb + 3 * i);
  }
  for (size_t j = 3 * i; j < 3 * n; j += 3) {
    YuvToRgbPixel(yuv[j], yuv[j + 1], yuv[j + 2], k, &rgb[j], &rgb[j + 1], &rgb[j + 2]);
  }
}

HWY_INLINE void YuvToRgbRowP3(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* r, uint8_t* g,
                              uint8_t* b, size_t n, const YuvToRgbCoefficients& k) {
  const D8 d8;
  const size_t lanes = hn::Lanes(d8);
  const YuvToRgbVectors kv = VectorsOf(k);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const Rgb8 out = YuvToRgb(hn::LoadU(d8, y + i), hn::LoadU(d8, u + i), hn::LoadU(d8, v + i), kv);
    hn::StoreU(out.r, d8, r + i);
    hn::StoreU(out.g, d8, g + i);
    hn::StoreU(out.b, d8, b + i);
  }
  for (; i < n; ++i) YuvToRgbPixel(y[i], u[i], v[i], k, &r[i], &g[i], &b[i]);
}

HWY_INLINE void YuvToRgbRowP3C3(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb, size_t n,
                                const YuvToRgbCoefficients& k) {
  const D8 d8;
  const size_t lanes = hn::Lanes(d8);
  const YuvToRgbVectors kv = VectorsOf(k);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const Rgb8 out = YuvToRgb(hn::LoadU(d8, y + i), hn::LoadU(d8, u + i), hn::LoadU(d8, v + i), kv);
    hn::StoreInterleaved3(out.r, out.g, out.b, d8, rgb + 3 * i);
  }
  for (; i < n; ++i) YuvToRgbPixel(y[i], u[i], v[i], k, &rgb[3 * i], &rgb[3 * i + 1], &rgb[3 * i + 2]);
}

HWY_INLINE void RgbToYuvRowP3(const uint8_t* r, const uint8_t* g, const uint8_t* b, uint8_t* y, uint8_t* u,
                              uint8_t* v, size_t n) {
  const D8 d8;
  const size_t lanes = hn::Lanes(d8);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    V16 rEven, rOdd, gEven, gOdd, bEven, bOdd;
    SplitEvenOdd(hn::LoadU(d8, r + i), rEven, rOdd);
    SplitEvenOdd(hn::LoadU(d8, g + i), gEven, gOdd);
    SplitEvenOdd(hn::LoadU(d8, b + i), bEven, bOdd);
    const Yuv16 even = RgbToYuvLanes(rEven, gEven, bEven);
    const Yuv16 odd = RgbToYuvLanes(rOdd, gOdd, bOdd);
    hn::StoreU(JoinEvenOdd(even.y, odd.y), d8, y + i);
    hn::StoreU(JoinEvenOdd(even.u, odd.u), d8, u + i);
    hn::StoreU(JoinEvenOdd(even.v, odd.v), d8, v + i);
  }
  for (; i < n; ++i) RgbToYuvPixel(r[i], g[i], b[i], &y[i], &u[i], &v[i]);
}

}  // namespace

#include "primitives/color/yuv_rgb_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::color
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::color {
RYN_DISPATCH(YuvToRgbC3);
RYN_DISPATCH(YuvToRgbP3);
RYN_DISPATCH(YuvToRgbP3C3);
RYN_DISPATCH(RgbToYuvP3);
}  // namespace ryn::color
#endif
