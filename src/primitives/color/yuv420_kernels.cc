// Processor builds of the conversions between 4:2:0 planes and RGB, compiled once per Highway
// target, and the dispatched operations that bind them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/color/yuv420_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "frame/checks.h"
#include "primitives/color/color.h"
#include "primitives/color/pixel_rules.h"
#include "primitives/color/plane_rows.h"
#include "primitives/color/yuv_rgb_vectors-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::color {
namespace HWY_NAMESPACE {
namespace {

// Each vector covers one vector of luma bytes per row: half as many blocks, whose chroma samples
// line up with the even and the odd luma pixels alike.

HWY_INLINE void Yuv420ToRgbRows(const uint8_t* y0, const uint8_t* y1, const uint8_t* u, const uint8_t* v,
                                uint8_t* rgb0, uint8_t* rgb1, size_t blocks, const YuvToRgbCoefficients& k) {
  const D8 d8;
  const D16 d16;
  const DHalf8 dHalf;
  const size_t blocksPerVector = hn::Lanes(d16);
  const YuvToRgbVectors kv = VectorsOf(k);
  size_t i = 0;
  for (; i + blocksPerVector <= blocks; i += blocksPerVector) {
    const ChromaTerms terms =
        ChromaTermsOf(hn::PromoteTo(d16, hn::LoadU(dHalf, u + i)), hn::PromoteTo(d16, hn::LoadU(dHalf, v + i)), kv);
    V16 even, odd;
    SplitEvenOdd(hn::LoadU(d8, y0 + 2 * i), even, odd);
    const Rgb8 top = RgbOf(even, odd, terms, terms);
    hn::StoreInterleaved3(top.r, top.g, top.b, d8, rgb0 + 6 * i);
    SplitEvenOdd(hn::LoadU(d8, y1 + 2 * i), even, odd);
    const Rgb8 bottom = RgbOf(even, odd, terms, terms);
    hn::StoreInterleaved3(bottom.r, bottom.g, bottom.b, d8, rgb1 + 6 * i);
  }
  for (; i < blocks; ++i) Yuv420BlockToRgb(y0 + 2 * i, y1 + 2 * i, u[i], v[i], k, rgb0 + 6 * i, rgb1 + 6 * i);
}

// Splits one row of RGB pixels into even and odd lanes and stores its lumas; adds its R, B and
// luma terms to the block sums.
HWY_INLINE void LumaRow420(const uint8_t* rgb, uint8_t* luma, V16& sumR, V16& sumB, V32& termsLower,
                           V32& termsUpper) {
  const D8 d8;
  V8 r, g, b;
  hn::LoadInterleaved3(d8, rgb, r, g, b);
  V16 rEven, rOdd, gEven, gOdd, bEven, bOdd;
  SplitEvenOdd(r, rEven, rOdd);
  SplitEvenOdd(g, gEven, gOdd);
  SplitEvenOdd(b, bEven, bOdd);
  V32 evenLower, evenUpper, oddLower, oddUpper;
  LumaTerms420(rEven, gEven, bEven, evenLower, evenUpper);
  LumaTerms420(rOdd, gOdd, bOdd, oddLower, oddUpper);
  hn::StoreU(JoinBytes(LumaOfTerms420(evenLower, evenUpper), LumaOfTerms420(oddLower, oddUpper)), d8, luma);
  termsLower = hn::Add(termsLower, hn::Add(evenLower, oddLower));
  termsUpper = hn::Add(termsUpper, hn::Add(evenUpper, oddUpper));
  sumR = hn::Add(sumR, hn::Add(rEven, rOdd));
  sumB = hn::Add(sumB, hn::Add(bEven, bOdd));
}

HWY_INLINE void RgbToYuv420Rows(const uint8_t* rgb0, const uint8_t* rgb1, uint8_t* y0, uint8_t* y1, uint8_t* u,
                                uint8_t* v, size_t blocks) {
  const D16 d16;
  const D32 d32;
  const DHalf8 dHalf;
  const size_t blocksPerVector = hn::Lanes(d16);
  size_t i = 0;
  for (; i + blocksPerVector <= blocks; i += blocksPerVector) {
    V16 sumR = hn::Zero(d16), sumB = hn::Zero(d16);
    V32 termsLower = hn::Zero(d32), termsUpper = hn::Zero(d32);
    LumaRow420(rgb0 + 6 * i, y0 + 2 * i, sumR, sumB, termsLower, termsUpper);
    LumaRow420(rgb1 + 6 * i, y1 + 2 * i, sumR, sumB, termsLower, termsUpper);
    V16 blockU, blockV;
    BlockChroma420Lanes(sumR, sumB, termsLower, termsUpper, blockU, blockV);
    hn::StoreU(hn::DemoteTo(dHalf, blockU), dHalf, u + i);
    hn::StoreU(hn::DemoteTo(dHalf, blockV), dHalf, v + i);
  }
  for (; i < blocks; ++i) RgbBlockToYuv420(rgb0 + 6 * i, rgb1 + 6 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
}

}  // namespace

#include "primitives/color/yuv420_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::color
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::color {
RYN_DISPATCH(Yuv420ToRgbP3C3);
RYN_DISPATCH(RgbToYuv420C3P3);
}  // namespace ryn::color
#endif
