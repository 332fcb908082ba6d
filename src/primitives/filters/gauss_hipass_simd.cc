// Processor builds of the fixed 8-bit filter rows (Gaussians, high-pass), compiled once per
// Highway target. Each row is a vertical pass over the source rows into 16-bit column values,
// then a horizontal pass; the integer sums equal the generic ones exactly.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/gauss_hipass_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "primitives/filters/fixed_rows.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using DU16 = hn::ScalableTag<uint16_t>;
using DI16 = hn::RebindToSigned<DU16>;
using D8 = hn::Rebind<uint8_t, DU16>;
using VU16 = hn::Vec<DU16>;

HWY_INLINE VU16 Load8(const uint8_t* p) { return hn::PromoteTo(DU16(), hn::LoadU(D8(), p)); }

// columns[t] = combine(loads of rows at column t - radius) for t = 0 .. n - 1, vectors only;
// returns the first column left to the scalar tail.
template <class Combine>
HWY_INLINE size_t VerticalPass(size_t n, Combine combine) {
  const size_t lanes = hn::Lanes(DU16());
  size_t t = 0;
  for (; t + lanes <= n; t += lanes) combine(t);
  return t;
}

void Gauss3Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  const DU16 d;
  const size_t n = static_cast<size_t>(width) + 2;
  size_t t = VerticalPass(n, [&](size_t c) HWY_ATTR {
    const auto sum = hn::Add(hn::Add(Load8(rows[0] + c - 1), Load8(rows[2] + c - 1)),
                             hn::ShiftLeft<1>(Load8(rows[1] + c - 1)));
    hn::StoreU(sum, d, scratch + c);
  });
  for (; t < n; ++t) {
    const ptrdiff_t c = static_cast<ptrdiff_t>(t) - 1;
    scratch[t] = static_cast<uint16_t>(rows[0][c] + 2 * rows[1][c] + rows[2][c]);
  }

  const int lanes = static_cast<int>(hn::Lanes(d));
  int x = 0;
  for (; x + lanes <= width; x += lanes) {
    const auto sum = hn::Add(hn::Add(hn::LoadU(d, scratch + x), hn::LoadU(d, scratch + x + 2)),
                             hn::ShiftLeft<1>(hn::LoadU(d, scratch + x + 1)));
    const auto odd = hn::And(hn::ShiftRight<4>(sum), hn::Set(d, 1));
    const auto rounded = hn::ShiftRight<4>(hn::Add(hn::Add(sum, hn::Set(d, 7)), odd));
    hn::StoreU(hn::DemoteTo(D8(), hn::BitCast(DI16(), rounded)), D8(), out + x);
  }
  for (; x < width; ++x) out[x] = Gauss3Pixel(rows, x);
}

// Columns weighted for the outer (2 7 12 7 2), middle (7 31 52 31 7) and centre
// (12 52 127 52 12) kernel columns; each fits 16 bits.
void Gauss5Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  const DU16 d;
  const int64_t stride = ScratchRowStride(width);
  uint16_t* outer = scratch;
  uint16_t* middle = scratch + stride;
  uint16_t* centre = scratch + 2 * stride;
  const size_t n = static_cast<size_t>(width) + 4;
  const auto weighted = [&](auto o, auto m, auto c, int wo, int wm, int wc) HWY_ATTR {
    return hn::Add(hn::Add(hn::Mul(o, hn::Set(d, wo)), hn::Mul(m, hn::Set(d, wm))), hn::Mul(c, hn::Set(d, wc)));
  };
  size_t t = VerticalPass(n, [&](size_t c) HWY_ATTR {
    const auto o = hn::Add(Load8(rows[0] + c - 2), Load8(rows[4] + c - 2));
    const auto m = hn::Add(Load8(rows[1] + c - 2), Load8(rows[3] + c - 2));
    const auto k = Load8(rows[2] + c - 2);
    hn::StoreU(weighted(o, m, k, 2, 7, 12), d, outer + c);
    hn::StoreU(weighted(o, m, k, 7, 31, 52), d, middle + c);
    hn::StoreU(weighted(o, m, k, 12, 52, 127), d, centre + c);
  });
  for (; t < n; ++t) {
    const ptrdiff_t column = static_cast<ptrdiff_t>(t) - 2;
    const int o = rows[0][column] + rows[4][column];
    const int m = rows[1][column] + rows[3][column];
    const int k = rows[2][column];
    outer[t] = static_cast<uint16_t>(2 * o + 7 * m + 12 * k);
    middle[t] = static_cast<uint16_t>(7 * o + 31 * m + 52 * k);
    centre[t] = static_cast<uint16_t>(12 * o + 52 * m + 127 * k);
  }

  const hn::Half<DU16> dHalf;
  const hn::Repartition<uint32_t, DU16> du32;
  const hn::RebindToSigned<decltype(du32)> di32;
  const hn::Rebind<float, decltype(di32)> df;
  const hn::Rebind<uint8_t, decltype(di32)> d8Quarter;
  const auto finish = [&](auto a, auto b, auto c) HWY_ATTR {
    const auto sum = hn::BitCast(di32, hn::Add(hn::Add(a, b), c));
    const auto scaled = hn::Mul(hn::ConvertTo(df, sum), hn::Set(df, kInverse571));
    return hn::DemoteTo(d8Quarter, hn::NearestInt(hn::Min(hn::Max(scaled, hn::Zero(df)), hn::Set(df, 255.0f))));
  };
  const int lanes = static_cast<int>(hn::Lanes(d));
  int x = 0;
  for (; x + lanes <= width; x += lanes) {
    const auto o = hn::Add(hn::LoadU(d, outer + x), hn::LoadU(d, outer + x + 4));
    const auto m = hn::Add(hn::LoadU(d, middle + x + 1), hn::LoadU(d, middle + x + 3));
    const auto c = hn::LoadU(d, centre + x + 2);
    hn::StoreU(finish(hn::PromoteTo(du32, hn::LowerHalf(dHalf, o)), hn::PromoteTo(du32, hn::LowerHalf(dHalf, m)),
                      hn::PromoteTo(du32, hn::LowerHalf(dHalf, c))),
               d8Quarter, out + x);
    hn::StoreU(finish(hn::PromoteTo(du32, hn::UpperHalf(dHalf, o)), hn::PromoteTo(du32, hn::UpperHalf(dHalf, m)),
                      hn::PromoteTo(du32, hn::UpperHalf(dHalf, c))),
               d8Quarter, out + x + lanes / 2);
  }
  for (; x < width; ++x) out[x] = Gauss5Pixel(rows, x);
}

template <int kSize>
HWY_INLINE void HipassRow(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  constexpr int kRadius = kSize / 2;
  const DU16 d;
  const size_t n = static_cast<size_t>(width) + 2 * kRadius;
  size_t t = VerticalPass(n, [&](size_t c) HWY_ATTR {
    auto sum = Load8(rows[0] + c - kRadius);
    for (int j = 1; j < kSize; ++j) sum = hn::Add(sum, Load8(rows[j] + c - kRadius));
    hn::StoreU(sum, d, scratch + c);
  });
  for (; t < n; ++t) {
    int sum = 0;
    for (int j = 0; j < kSize; ++j) sum += rows[j][static_cast<ptrdiff_t>(t) - kRadius];
    scratch[t] = static_cast<uint16_t>(sum);
  }

  const DI16 di;
  const int lanes = static_cast<int>(hn::Lanes(d));
  int x = 0;
  for (; x + lanes <= width; x += lanes) {
    auto sum = hn::LoadU(d, scratch + x);
    for (int i = 1; i < kSize; ++i) sum = hn::Add(sum, hn::LoadU(d, scratch + x + i));
    const auto centre = hn::Mul(Load8(rows[kRadius] + x), hn::Set(d, kSize * kSize));
    hn::StoreU(hn::DemoteTo(D8(), hn::Sub(hn::BitCast(di, centre), hn::BitCast(di, sum))), D8(), out + x);
  }
  for (; x < width; ++x) out[x] = HipassPixel<kSize>(rows, x);
}

void Hipass3Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  HipassRow<3>(rows, scratch, out, width);
}
void Hipass5Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  HipassRow<5>(rows, scratch, out, width);
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels.h"

namespace ryn::filters {
TargetKernels<FixedRowFn> Gauss3RowBuilds() { return RYN_HWY_KERNELS(Gauss3Row); }
TargetKernels<FixedRowFn> Gauss5RowBuilds() { return RYN_HWY_KERNELS(Gauss5Row); }
TargetKernels<FixedRowFn> Hipass3RowBuilds() { return RYN_HWY_KERNELS(Hipass3Row); }
TargetKernels<FixedRowFn> Hipass5RowBuilds() { return RYN_HWY_KERNELS(Hipass5Row); }
}  // namespace ryn::filters
#endif
