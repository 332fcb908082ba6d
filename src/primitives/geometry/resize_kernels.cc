// Processor builds of the resize row kernels, compiled once per Highway target, and the dispatched
// kernels that bind them. Source bytes are fetched four at a time by 32-bit gathers; a vector whose
// gathers would reach past the source region's last column falls back to the generic pixel rule.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/geometry/resize_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"
#include "primitives/geometry/resize_pixels.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::geometry {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

namespace {
using DI = hn::ScalableTag<int32_t>;
using DU = hn::ScalableTag<uint32_t>;
using DF = hn::ScalableTag<float>;
using DB = hn::Rebind<uint8_t, DI>;  // one byte per 32-bit lane
using VI = hn::Vec<DI>;
using VF = hn::Vec<DF>;

// Bytes row[offset] .. row[offset + 3] of each lane, the first in the low byte.
HWY_INLINE VI Gather4(const uint8_t* row, VI offsets) {
  return hn::GatherOffset(DI(), reinterpret_cast<const int32_t*>(row), offsets);
}

template <int kByte>
HWY_INLINE VI ByteOf(VI v) {
  return hn::And(hn::ShiftRight<8 * kByte>(v), hn::Set(DI(), 0xFF));
}

// 32-bit lanes holding 0..255 stored as bytes.
HWY_INLINE void StoreBytes(VI v, uint8_t* out) { hn::StoreU(hn::U8FromU32(hn::BitCast(DU(), v)), DB(), out); }

HWY_INLINE VI LoadBytes(const uint8_t* in) { return hn::PromoteTo(DI(), hn::LoadU(DB(), in)); }

// (a (16384 - w) + b w + 8192) >> 14 written as a + ((b - a) w + 8192) >> 14: the same integer,
// since a x 16384 is a whole multiple of the divisor.
HWY_INLINE VI LinearLanes(VI a, VI b, VI w) {
  return hn::Add(a, hn::ShiftRight<14>(hn::Add(hn::Mul(hn::Sub(b, a), w), hn::Set(DI(), 8192))));
}

// RoundToByte: clamp to [0, 255], add one half, truncate.
HWY_INLINE VI RoundLanes(VF v) {
  const DF df;
  const VF clamped = hn::Min(hn::Max(v, hn::Zero(df)), hn::Set(df, 255.0f));
  return hn::ConvertTo(DI(), hn::Add(clamped, hn::Set(df, 0.5f)));
}

}  // namespace

void ResizeNearestRow(const uint8_t* sourceRow, const int32_t* columns, int count, int last, uint8_t* out) {
  const int n = static_cast<int>(hn::Lanes(DI()));
  int i = 0;
  for (; i + n <= count && columns[i + n - 1] + 3 <= last; i += n) {
    StoreBytes(ByteOf<0>(Gather4(sourceRow, hn::LoadU(DI(), columns + i))), out + i);
  }
  for (; i < count; ++i) out[i] = sourceRow[columns[i]];
}

namespace {

using D16 = hn::ScalableTag<uint16_t>;
using DB16 = hn::Rebind<uint8_t, D16>;  // one byte per 16-bit lane

// n outputs from 2n source bytes: LinearStep(a, b, 8192) == (a + b + 1) >> 1.
HWY_INLINE void HalveRow(const uint8_t* source, int n, uint8_t* out) {
  const D16 d16;
  const hn::Rebind<int16_t, D16> di16;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  for (int k = 0; k < n; k += lanes) {
    const auto pairs = hn::LoadU(d16, reinterpret_cast<const uint16_t*>(source + 2 * k));
    const auto mean = hn::AverageRound(hn::And(pairs, hn::Set(d16, 0xFF)), hn::ShiftRight<8>(pairs));
    hn::StoreU(hn::DemoteTo(DB16(), hn::BitCast(di16, mean)), DB16(), out + k);
  }
}

// 2n outputs from source bytes 0 .. n + 1: LinearStep(a, b, 12288) == (a + 3b + 2) >> 2 and
// LinearStep(b, c, 4096) == (3b + c + 2) >> 2, packed as byte pairs.
HWY_INLINE void DoubleRow(const uint8_t* source, int n, uint8_t* out) {
  const D16 d16;
  const hn::Repartition<uint8_t, D16> d8;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  const auto two = hn::Set(d16, 2);
  for (int k = 0; k < n; k += lanes) {
    const auto a = hn::PromoteTo(d16, hn::LoadU(DB16(), source + k));
    const auto b = hn::PromoteTo(d16, hn::LoadU(DB16(), source + k + 1));
    const auto c = hn::PromoteTo(d16, hn::LoadU(DB16(), source + k + 2));
    const auto b3 = hn::Add(hn::Add(b, b), b);
    const auto even = hn::ShiftRight<2>(hn::Add(hn::Add(a, b3), two));
    const auto odd = hn::ShiftRight<2>(hn::Add(hn::Add(b3, c), two));
    hn::StoreU(hn::BitCast(d8, hn::Or(even, hn::ShiftLeft<8>(odd))), d8, out + 2 * k);
  }
}

}  // namespace

// Columns [from, to) by the generic pixel rule, or by gathers where every lane's window of four
// bytes lies inside [first, last].
HWY_INLINE void GatherLinear(const uint8_t* sourceRow, const int32_t* starts, const int32_t* weights, int from, int to,
                             int first, int last, uint8_t* out) {
  const int n = static_cast<int>(hn::Lanes(DI()));
  int i = from;
  for (; i + n <= to; i += n) {
    if (starts[i] < first || starts[i + n - 1] + 3 > last) {
      for (int k = i; k < i + n; ++k) out[k] = LinearPixel(sourceRow, starts[k], weights[k], first, last);
      continue;
    }
    const VI v = Gather4(sourceRow, hn::LoadU(DI(), starts + i));
    StoreBytes(LinearLanes(ByteOf<0>(v), ByteOf<1>(v), hn::LoadU(DI(), weights + i)), out + i);
  }
  for (; i < to; ++i) out[i] = LinearPixel(sourceRow, starts[i], weights[i], first, last);
}

// The table's halving and doubling runs take whole vectors without gathers; the rest gathers.
void ResizeLinearRow(const uint8_t* sourceRow, const int32_t* starts, const int32_t* weights, int count, int first,
                     int last, const LinearRuns& runs, uint8_t* out) {
  const int block = static_cast<int>(hn::Lanes(D16()));
  int halveTo = runs.halveFrom + (runs.halveTo - runs.halveFrom) / block * block;
  int doubleTo = runs.doubleFrom + (runs.doubleTo - runs.doubleFrom) / (2 * block) * (2 * block);
  // Vectors read a little past their last pair; keep those reads inside the region.
  while (halveTo > runs.halveFrom && starts[halveTo - 1] + 1 > last) halveTo -= block;
  while (doubleTo > runs.doubleFrom && starts[runs.doubleFrom] + (doubleTo - runs.doubleFrom) / 2 + 1 > last) {
    doubleTo -= 2 * block;
  }
  if (halveTo - runs.halveFrom >= doubleTo - runs.doubleFrom && halveTo > runs.halveFrom) {
    GatherLinear(sourceRow, starts, weights, 0, runs.halveFrom, first, last, out);
    HalveRow(sourceRow + starts[runs.halveFrom], halveTo - runs.halveFrom, out + runs.halveFrom);
    GatherLinear(sourceRow, starts, weights, halveTo, count, first, last, out);
  } else if (doubleTo > runs.doubleFrom) {
    GatherLinear(sourceRow, starts, weights, 0, runs.doubleFrom, first, last, out);
    DoubleRow(sourceRow + starts[runs.doubleFrom], (doubleTo - runs.doubleFrom) / 2, out + runs.doubleFrom);
    GatherLinear(sourceRow, starts, weights, doubleTo, count, first, last, out);
  } else {
    GatherLinear(sourceRow, starts, weights, 0, count, first, last, out);
  }
}

// Weights below 16384 (the tables move a whole weight to the next neighbour), so that twice the
// weight fits the rounding 15-bit multiply: (d x 2w + 16384) >> 15 == (d x w + 8192) >> 14.
void ResizeLinearBlend(const uint8_t* top, const uint8_t* bottom, int weight, int count, uint8_t* out) {
  const hn::ScalableTag<int16_t> d16;
  const hn::Rebind<uint8_t, decltype(d16)> d8;
  const int n = static_cast<int>(hn::Lanes(d16));
  const auto w2 = hn::Set(d16, static_cast<int16_t>(2 * weight));
  int i = 0;
  if (weight == 8192) {
    // (a x 8192 + b x 8192 + 8192) >> 14 == (a + b + 1) >> 1
    const hn::ScalableTag<uint8_t> du8;
    const int lanes = static_cast<int>(hn::Lanes(du8));
    for (; i + lanes <= count; i += lanes) {
      hn::StoreU(hn::AverageRound(hn::LoadU(du8, top + i), hn::LoadU(du8, bottom + i)), du8, out + i);
    }
  } else if (weight < 16384) {
    for (; i + n <= count; i += n) {
      const auto a = hn::PromoteTo(d16, hn::LoadU(d8, top + i));
      const auto b = hn::PromoteTo(d16, hn::LoadU(d8, bottom + i));
      hn::StoreU(hn::DemoteTo(d8, hn::Add(a, hn::MulFixedPoint15(hn::Sub(b, a), w2))), d8, out + i);
    }
  }
  for (; i < count; ++i) out[i] = static_cast<uint8_t>(LinearStep(top[i], bottom[i], weight));
}

void ResizeTapRow(const uint8_t* sourceRow, const int32_t* starts, const float* weights, int taps, int count, int first,
                  int last, float* out) {
  const DF df;
  const int n = static_cast<int>(hn::Lanes(DI()));
  const int reach = (taps + 3) / 4 * 4 - 1;  // the last byte the gathers of one pixel read
  int i = 0;
  for (; i + n <= count; i += n) {
    if (starts[i] < first || starts[i + n - 1] + reach > last) {
      for (int k = i; k < i + n; ++k) out[k] = TapPixel(sourceRow, starts[k], weights + k, count, taps, first, last);
      continue;
    }
    const VI offsets = hn::LoadU(DI(), starts + i);
    VF sum = hn::Zero(df);
    const float* w = weights + i;
    for (int t = 0; t < taps; t += 4) {
      const VI v = Gather4(sourceRow, hn::Add(offsets, hn::Set(DI(), t)));
      const size_t at = static_cast<size_t>(t) * count;
      sum = hn::Add(sum, hn::Mul(hn::LoadU(df, w + at), hn::ConvertTo(df, ByteOf<0>(v))));
      if (t + 1 < taps) sum = hn::Add(sum, hn::Mul(hn::LoadU(df, w + at + count), hn::ConvertTo(df, ByteOf<1>(v))));
      if (t + 2 < taps) {
        sum = hn::Add(sum, hn::Mul(hn::LoadU(df, w + at + 2 * count), hn::ConvertTo(df, ByteOf<2>(v))));
      }
      if (t + 3 < taps) {
        sum = hn::Add(sum, hn::Mul(hn::LoadU(df, w + at + 3 * count), hn::ConvertTo(df, ByteOf<3>(v))));
      }
    }
    hn::StoreU(sum, df, out + i);
  }
  for (; i < count; ++i) out[i] = TapPixel(sourceRow, starts[i], weights + i, count, taps, first, last);
}

void ResizeTapBlend(const float* const* rows, const float* weights, int taps, int count, uint8_t* out) {
  const DF df;
  const int n = static_cast<int>(hn::Lanes(df));
  int i = 0;
  for (; i + n <= count; i += n) {
    VF sum = hn::Zero(df);
    for (int t = 0; t < taps; ++t) sum = hn::Add(sum, hn::Mul(hn::Set(df, weights[t]), hn::LoadU(df, rows[t] + i)));
    StoreBytes(RoundLanes(sum), out + i);
  }
  for (; i < count; ++i) {
    float sum = 0.0f;
    for (int t = 0; t < taps; ++t) sum += weights[t] * rows[t][i];
    out[i] = RoundToByte(sum);
  }
}

void ResizeTapAccumulate(const float* row, float weight, bool first, int count, float* sums) {
  const DF df;
  const int n = static_cast<int>(hn::Lanes(df));
  const VF w = hn::Set(df, weight);
  int i = 0;
  for (; i + n <= count; i += n) {
    const VF before = first ? hn::Zero(df) : hn::LoadU(df, sums + i);
    hn::StoreU(hn::Add(before, hn::Mul(w, hn::LoadU(df, row + i))), df, sums + i);
  }
  for (; i < count; ++i) sums[i] = (first ? 0.0f : sums[i]) + weight * row[i];
}

void ResizeAreaAccumulate(const uint8_t* row, float weight, bool first, int count, float* sums) {
  const DF df;
  const int n = static_cast<int>(hn::Lanes(df));
  const VF w = hn::Set(df, weight);
  int i = 0;
  for (; i + n <= count; i += n) {
    const VF before = first ? hn::Zero(df) : hn::LoadU(df, sums + i);
    hn::StoreU(hn::Add(before, hn::Mul(w, hn::ConvertTo(df, LoadBytes(row + i)))), df, sums + i);
  }
  for (; i < count; ++i) sums[i] = (first ? 0.0f : sums[i]) + weight * static_cast<float>(row[i]);
}

void ResizeRoundRow(const float* sums, int count, uint8_t* out) {
  const DF df;
  const int n = static_cast<int>(hn::Lanes(df));
  int i = 0;
  for (; i + n <= count; i += n) StoreBytes(RoundLanes(hn::LoadU(df, sums + i)), out + i);
  for (; i < count; ++i) out[i] = RoundToByte(sums[i]);
}

// Each lane adds its span's taps in order; taps past a span's end add weight 0 (to a positive
// sum, which leaves it unchanged), so every lane sums exactly as AreaPixel does.
void ResizeAreaRow(const float* sums, int origin, int high, const AreaSpans& spans, int count, int taps, float scale,
                   uint8_t* out) {
  const DF df;
  const DI di;
  const int n = static_cast<int>(hn::Lanes(df));
  const VF one = hn::Set(df, 1.0f), zero = hn::Zero(df), scaleV = hn::Set(df, scale);
  const VI highV = hn::Set(di, high - origin);
  const VI twice = hn::Mul(hn::Iota(di, 0), hn::Set(di, 2));
  int i = 0;
  for (; i + n <= count; i += n) {
    // Columns each the mean of two whole source columns (halving): even plus odd sums, the same
    // two additions the lanes below make.
    const int s0 = spans.starts[i];
    if (s0 + 2 * n - 1 <= high &&
        hn::AllTrue(di, hn::And(hn::LoadU(di, spans.starts + i) == hn::Add(hn::Set(di, s0), twice),
                                hn::LoadU(di, spans.counts + i) == hn::Set(di, 2))) &&
        hn::AllTrue(
            df, hn::And(hn::LoadU(df, spans.firstWeights + i) == one, hn::LoadU(df, spans.lastWeights + i) == one))) {
      const VF lo = hn::LoadU(df, sums + (s0 - origin)), hi = hn::LoadU(df, sums + (s0 - origin) + n);
      StoreBytes(RoundLanes(hn::Mul(hn::Add(hn::ConcatEven(df, hi, lo), hn::ConcatOdd(df, hi, lo)), scaleV)), out + i);
      continue;
    }
    const VI start = hn::Sub(hn::LoadU(di, spans.starts + i), hn::Set(di, origin));
    const VI lastTap = hn::Sub(hn::LoadU(di, spans.counts + i), hn::Set(di, 1));
    const VF lastWeight = hn::LoadU(df, spans.lastWeights + i);
    VF sum = hn::Mul(hn::LoadU(df, spans.firstWeights + i), hn::GatherIndex(df, sums, start));
    for (int k = 1; k < taps; ++k) {
      const VI kv = hn::Set(di, k);
      const VF v = hn::GatherIndex(df, sums, hn::Min(hn::Add(start, kv), highV));
      const VF w = hn::IfThenElse(hn::RebindMask(df, kv < lastTap), one,
                                  hn::IfThenElseZero(hn::RebindMask(df, kv == lastTap), lastWeight));
      sum = hn::Add(sum, hn::Mul(w, v));
    }
    (void)zero;
    StoreBytes(RoundLanes(hn::Mul(sum, scaleV)), out + i);
  }
  for (; i < count; ++i) out[i] = AreaPixel(sums, origin, spans, i, scale);
}

// LinearStep(a, b, 8192) == (a + b + 1) >> 1 at each of the three steps.
void ResizeLinearHalving(const uint8_t* top, const uint8_t* bottom, int count, uint8_t* out) {
  const D16 d16;
  const hn::Rebind<int16_t, D16> di16;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  const auto low = hn::Set(d16, 0xFF);
  int i = 0;
  for (; i + lanes <= count; i += lanes) {
    const auto a = hn::LoadU(d16, reinterpret_cast<const uint16_t*>(top + 2 * i));
    const auto b = hn::LoadU(d16, reinterpret_cast<const uint16_t*>(bottom + 2 * i));
    const auto upper = hn::AverageRound(hn::And(a, low), hn::ShiftRight<8>(a));
    const auto lower = hn::AverageRound(hn::And(b, low), hn::ShiftRight<8>(b));
    hn::StoreU(hn::DemoteTo(DB16(), hn::BitCast(di16, hn::AverageRound(upper, lower))), DB16(), out + i);
  }
  for (; i < count; ++i) {
    const int upper = LinearStep(top[2 * i], top[2 * i + 1], 8192);
    const int lower = LinearStep(bottom[2 * i], bottom[2 * i + 1], 8192);
    out[i] = static_cast<uint8_t>(LinearStep(upper, lower, 8192));
  }
}

// RoundToByte(s x 0.25) of a whole sum s is (s + 2) >> 2.
void ResizeAreaHalving(const uint8_t* top, const uint8_t* bottom, int count, uint8_t* out) {
  const D16 d16;
  const hn::Rebind<int16_t, D16> di16;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  const auto low = hn::Set(d16, 0xFF), two = hn::Set(d16, 2);
  int i = 0;
  for (; i + lanes <= count; i += lanes) {
    const auto a = hn::LoadU(d16, reinterpret_cast<const uint16_t*>(top + 2 * i));
    const auto b = hn::LoadU(d16, reinterpret_cast<const uint16_t*>(bottom + 2 * i));
    const auto sum =
        hn::Add(hn::Add(hn::And(a, low), hn::ShiftRight<8>(a)), hn::Add(hn::And(b, low), hn::ShiftRight<8>(b)));
    hn::StoreU(hn::DemoteTo(DB16(), hn::BitCast(di16, hn::ShiftRight<2>(hn::Add(sum, two)))), DB16(), out + i);
  }
  for (; i < count; ++i)
    out[i] = static_cast<uint8_t>((top[2 * i] + top[2 * i + 1] + bottom[2 * i] + bottom[2 * i + 1] + 2) >> 2);
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::geometry
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::geometry {
RYN_DISPATCH(ResizeNearestRow);
RYN_DISPATCH(ResizeLinearRow);
RYN_DISPATCH(ResizeLinearBlend);
RYN_DISPATCH(ResizeTapRow);
RYN_DISPATCH(ResizeTapBlend);
RYN_DISPATCH(ResizeTapAccumulate);
RYN_DISPATCH(ResizeAreaAccumulate);
RYN_DISPATCH(ResizeRoundRow);
RYN_DISPATCH(ResizeAreaRow);
RYN_DISPATCH(ResizeAreaHalving);
RYN_DISPATCH(ResizeLinearHalving);
}  // namespace ryn::geometry
#endif
