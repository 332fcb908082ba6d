// Processor builds of the warp and remap row kernels, compiled once per Highway target, and the
// dispatched kernels that bind them. Nearest and linear sampling of one channel run in vectors:
// positions in the generic code's precision and order, source bytes fetched by 32-bit gathers from
// a four-byte window kept inside the source region. Other modes, edge smoothing and three channels
// run the generic per-pixel samplers.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/geometry/warp_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <cstdlib>

#include "frame/unaligned.h"
#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"
#include "primitives/geometry/point_sampling.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::geometry {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

namespace {

template <class V>
HWY_INLINE auto CmpGe(V a, V b) {
  return a >= b;
}
template <class V>
HWY_INLINE auto CmpLe(V a, V b) {
  return a <= b;
}
template <class V>
HWY_INLINE auto CmpLt(V a, V b) {
  return a < b;
}

// Whether the vectors may sample `source`: one channel, four-byte windows fit in a row, and byte
// offsets of the region fit in 32 bits.
bool VectorSampling(const SourcePlane& s) {
  if (s.channels != 1 || s.right - s.left < 3) return false;
  const int64_t rows = std::max(std::llabs(int64_t{s.top}), std::llabs(int64_t{s.bottom}));
  return rows * std::llabs(int64_t{s.step}) + s.right + 3 < int64_t{1} << 31;
}

// The 14-bit weight of float fractions in [0, 1], as WeightFromFraction: below 1/16384 only the
// bias can make it 1, above the product is whole enough that the bias never matters.
template <class DF>
HWY_INLINE hn::Vec<hn::RebindToSigned<DF>> WeightLanes(DF df, hn::Vec<DF> f) {
  const hn::RebindToSigned<DF> di;
  static const float threshold = WeightBiasThreshold();
  const auto whole = hn::ConvertTo(di, hn::Mul(f, hn::Set(df, 16384.0f)));
  const auto biased = hn::And(CmpGe(f, hn::Set(df, threshold)), CmpLt(f, hn::Set(df, 1.0f / 16384.0f)));
  return hn::IfThenElse(hn::RebindMask(di, biased), hn::Set(di, 1), whole);
}

template <class DI>
HWY_INLINE hn::Vec<DI> Lerp(DI di, hn::Vec<DI> a, hn::Vec<DI> b, hn::Vec<DI> w) {
  return hn::Add(a, hn::ShiftRight<14>(hn::Add(hn::Mul(hn::Sub(b, a), w), hn::Set(di, 8192))));
}

// Byte of each lane's four-byte window at bit offset `shift`.
template <class DI>
HWY_INLINE hn::Vec<DI> WindowByte(DI di, hn::Vec<DI> window, hn::Vec<DI> shift) {
  const hn::RebindToUnsigned<DI> du;
  return hn::And(hn::BitCast(di, hn::BitCast(du, window) >> hn::BitCast(du, shift)), hn::Set(di, 0xFF));
}

// Pixel (x, y) of each lane, x and y inside the region.
template <class DI>
HWY_INLINE hn::Vec<DI> FetchNearest(DI di, const SourcePlane& s, hn::Vec<DI> x, hn::Vec<DI> y) {
  const auto base = hn::Min(x, hn::Set(di, s.right - 3));
  const auto window =
      hn::GatherOffset(di, reinterpret_cast<const int32_t*>(s.data), hn::Add(hn::Mul(y, hn::Set(di, s.step)), base));
  return WindowByte(di, window, hn::ShiftLeft<3>(hn::Sub(x, base)));
}

// LinearSample of each lane: neighbours x0, x0 + 1 and y0, y0 + 1 clamped to the region.
template <class DI>
HWY_INLINE hn::Vec<DI> FetchLinear(DI di, const SourcePlane& s, hn::Vec<DI> x0, hn::Vec<DI> y0, hn::Vec<DI> wx,
                                   hn::Vec<DI> wy) {
  const auto one = hn::Set(di, 1);
  const auto left = hn::Set(di, s.left), right = hn::Set(di, s.right);
  const auto top = hn::Set(di, s.top), bottom = hn::Set(di, s.bottom);
  x0 = hn::Min(hn::Max(x0, hn::Sub(left, one)), hn::Add(right, one));
  y0 = hn::Min(hn::Max(y0, hn::Sub(top, one)), hn::Add(bottom, one));
  const auto xa = hn::Min(hn::Max(x0, left), right), xb = hn::Min(hn::Max(hn::Add(x0, one), left), right);
  const auto ya = hn::Min(hn::Max(y0, top), bottom), yb = hn::Min(hn::Max(hn::Add(y0, one), top), bottom);
  const auto base = hn::Min(xa, hn::Set(di, s.right - 3));
  const auto step = hn::Set(di, s.step);
  const auto* data = reinterpret_cast<const int32_t*>(s.data);
  const auto upper = hn::GatherOffset(di, data, hn::Add(hn::Mul(ya, step), base));
  const auto lower = hn::GatherOffset(di, data, hn::Add(hn::Mul(yb, step), base));
  const auto shiftA = hn::ShiftLeft<3>(hn::Sub(xa, base)), shiftB = hn::ShiftLeft<3>(hn::Sub(xb, base));
  const auto t = Lerp(di, WindowByte(di, upper, shiftA), WindowByte(di, upper, shiftB), wx);
  const auto b = Lerp(di, WindowByte(di, lower, shiftA), WindowByte(di, lower, shiftB), wx);
  return Lerp(di, t, b, wy);
}

// Two vectors of doubles as one vector of twice as many floats or ints, so that the gathers and
// the integer work run at full width.
template <class DD>
HWY_INLINE auto Floats(DD, hn::Vec<DD> low, hn::Vec<DD> high) {
  const hn::Rebind<float, DD> df;
  return hn::Combine(hn::Twice<decltype(df)>(), hn::DemoteTo(df, high), hn::DemoteTo(df, low));
}
template <class DD>
HWY_INLINE auto Ints(DD dd, hn::Vec<DD> low, hn::Vec<DD> high) {
  const hn::Rebind<int32_t, DD> di;
  // Floors inside the spans are far from the int range; the clamps of the fetches bound the rest.
  const auto limit = hn::Set(dd, 1e9);
  low = hn::Min(hn::Max(low, hn::Neg(limit)), limit);
  high = hn::Min(hn::Max(high, hn::Neg(limit)), limit);
  return hn::Combine(hn::Twice<decltype(di)>(), hn::DemoteTo(di, high), hn::DemoteTo(di, low));
}

// Samples at double positions (sx, sy) of two vectors of lanes, as SampleAt does for modes 1 and 2.
template <class DD>
HWY_INLINE auto SampleLanes(DD dd, const SourcePlane& s, int mode, hn::Vec<DD> sxLow, hn::Vec<DD> syLow,
                            hn::Vec<DD> sxHigh, hn::Vec<DD> syHigh) {
  const hn::Twice<hn::Rebind<float, DD>> df;
  const hn::Twice<hn::Rebind<int32_t, DD>> di;
  if (mode == kNearest) {
    const auto fx = hn::Min(hn::Max(Floats(dd, sxLow, sxHigh), hn::Set(df, static_cast<float>(s.left))),
                            hn::Set(df, static_cast<float>(s.right)));
    const auto fy = hn::Min(hn::Max(Floats(dd, syLow, syHigh), hn::Set(df, static_cast<float>(s.top))),
                            hn::Set(df, static_cast<float>(s.bottom)));
    return FetchNearest(di, s, hn::NearestInt(fx), hn::NearestInt(fy));
  }
  const auto floorXLow = hn::Floor(sxLow), floorXHigh = hn::Floor(sxHigh);
  const auto floorYLow = hn::Floor(syLow), floorYHigh = hn::Floor(syHigh);
  const auto wx = WeightLanes(df, Floats(dd, hn::Sub(sxLow, floorXLow), hn::Sub(sxHigh, floorXHigh)));
  const auto wy = WeightLanes(df, Floats(dd, hn::Sub(syLow, floorYLow), hn::Sub(syHigh, floorYHigh)));
  return FetchLinear(di, s, Ints(dd, floorXLow, floorXHigh), Ints(dd, floorYLow, floorYHigh), wx, wy);
}

template <class DI>
HWY_INLINE void StoreLanes(DI, hn::Vec<DI> v, uint8_t* out) {
  const hn::RebindToUnsigned<DI> du;
  const hn::Rebind<uint8_t, DI> d8;
  hn::StoreU(hn::U8FromU32(hn::BitCast(du, v)), d8, out);
}

}  // namespace

void AffineRow(const SourcePlane& source, const double* inverse, int mode, bool smooth, int y, int from, int to,
               uint8_t* row) {
  const double xBase = inverse[1] * y + inverse[2], yBase = inverse[4] * y + inverse[5];
  int x = from;
  if (!smooth && (mode == kNearest || mode == kLinear) && VectorSampling(source)) {
    const hn::ScalableTag<double> dd;
    const int n = static_cast<int>(hn::Lanes(dd));
    const auto i0 = hn::Set(dd, inverse[0]), i3 = hn::Set(dd, inverse[3]);
    const auto xb = hn::Set(dd, xBase), yb = hn::Set(dd, yBase);
    const hn::Twice<hn::Rebind<int32_t, decltype(dd)>> di;
    for (; x + 2 * n <= to; x += 2 * n) {
      const auto low = hn::Iota(dd, static_cast<double>(x)), high = hn::Iota(dd, static_cast<double>(x + n));
      const auto sxLow = hn::Add(hn::Mul(i0, low), xb), syLow = hn::Add(hn::Mul(i3, low), yb);
      const auto sxHigh = hn::Add(hn::Mul(i0, high), xb), syHigh = hn::Add(hn::Mul(i3, high), yb);
      StoreLanes(di, SampleLanes(dd, source, mode, sxLow, syLow, sxHigh, syHigh), row + x);
    }
  }
  for (; x < to; ++x) {
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
  int x = from;
  if (!smooth && (mode == kNearest || mode == kLinear) && VectorSampling(source)) {
    const hn::ScalableTag<double> dd;
    const int n = static_cast<int>(hn::Lanes(dd));
    const auto c0 = hn::Set(dd, backward[0]), c3 = hn::Set(dd, backward[3]), c6 = hn::Set(dd, backward[6]);
    const auto xb = hn::Set(dd, xBase), yb = hn::Set(dd, yBase), wb = hn::Set(dd, wBase);
    const hn::Twice<hn::Rebind<int32_t, decltype(dd)>> di;
    for (; x + 2 * n <= to; x += 2 * n) {
      const auto low = hn::Iota(dd, static_cast<double>(x)), high = hn::Iota(dd, static_cast<double>(x + n));
      const auto wLow = hn::Add(hn::Mul(c6, low), wb), wHigh = hn::Add(hn::Mul(c6, high), wb);
      const auto sxLow = hn::Div(hn::Add(hn::Mul(c0, low), xb), wLow);
      const auto syLow = hn::Div(hn::Add(hn::Mul(c3, low), yb), wLow);
      const auto sxHigh = hn::Div(hn::Add(hn::Mul(c0, high), xb), wHigh);
      const auto syHigh = hn::Div(hn::Add(hn::Mul(c3, high), yb), wHigh);
      StoreLanes(di, SampleLanes(dd, source, mode, sxLow, syLow, sxHigh, syHigh), row + x);
    }
  }
  for (; x < to; ++x) {
    const double w = backward[6] * x + wBase;
    const double sx = (backward[0] * x + xBase) / w, sy = (backward[3] * x + yBase) / w;
    if (smooth) {
      SmoothedSample(source, mode, sx, sy, row + x, SampleAt);
    } else {
      SampleAt(source, mode, sx, sy, row + x);
    }
  }
}

// Lanes whose map position lies outside the region keep the destination's byte.
void RemapRow(const SourcePlane& source, const float* xs, const float* ys, int mode, bool smooth, int count,
              uint8_t* row) {
  int i = 0;
  if (!smooth && (mode == kNearest || mode == kLinear) && VectorSampling(source)) {
    const hn::ScalableTag<float> df;
    const hn::RebindToSigned<decltype(df)> di;
    const hn::Rebind<uint8_t, decltype(di)> d8;
    const int n = static_cast<int>(hn::Lanes(df));
    const auto left = hn::Set(df, static_cast<float>(source.left)),
               right = hn::Set(df, static_cast<float>(source.right));
    const auto top = hn::Set(df, static_cast<float>(source.top)),
               bottom = hn::Set(df, static_cast<float>(source.bottom));
    for (; i + n <= count; i += n) {
      const auto mx = hn::LoadU(df, xs + i), my = hn::LoadU(df, ys + i);
      const auto inside =
          hn::And(hn::And(CmpGe(mx, left), CmpLe(mx, right)), hn::And(CmpGe(my, top), CmpLe(my, bottom)));
      if (hn::AllFalse(df, inside)) continue;
      const auto cx = hn::Min(hn::Max(mx, left), right), cy = hn::Min(hn::Max(my, top), bottom);
      hn::Vec<decltype(di)> value;
      if (mode == kNearest) {
        // truncate(m + 0.5) of a non-negative m: its whole part, plus one from a fraction of a half.
        const auto tx = hn::ConvertTo(di, cx), ty = hn::ConvertTo(di, cy);
        const auto half = hn::Set(df, 0.5f);
        const auto ux = hn::RebindMask(di, CmpGe(hn::Sub(cx, hn::ConvertTo(df, tx)), half));
        const auto uy = hn::RebindMask(di, CmpGe(hn::Sub(cy, hn::ConvertTo(df, ty)), half));
        const auto one = hn::Set(di, 1);
        value = FetchNearest(di, source, hn::Add(tx, hn::IfThenElseZero(ux, one)),
                             hn::Add(ty, hn::IfThenElseZero(uy, one)));
      } else {
        const auto fx = hn::Floor(cx), fy = hn::Floor(cy);
        value = FetchLinear(di, source, hn::ConvertTo(di, fx), hn::ConvertTo(di, fy), WeightLanes(df, hn::Sub(cx, fx)),
                            WeightLanes(df, hn::Sub(cy, fy)));
      }
      const auto old = hn::PromoteTo(di, hn::LoadU(d8, row + i));
      StoreLanes(di, hn::IfThenElse(hn::RebindMask(di, inside), value, old), row + i);
    }
  }
  for (; i < count; ++i) {
    const float mx = LoadUnaligned(xs + i), my = LoadUnaligned(ys + i);
    uint8_t* out = row + static_cast<ptrdiff_t>(i) * source.channels;
    if (smooth) {
      SmoothedSample(source, mode, mx, my, out, RemapSampleAt);
    } else if (mx >= source.left && my >= source.top && mx <= source.right && my <= source.bottom) {
      RemapSampleAt(source, mode, mx, my, out);
    }
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::geometry
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::geometry {
RYN_DISPATCH(AffineRow);
RYN_DISPATCH(PerspectiveRow);
RYN_DISPATCH(RemapRow);
}  // namespace ryn::geometry
#endif
