// Processor builds of the fixed 8-bit filter rows (Gaussians, high-pass), compiled once per
// Highway target. Each row is a vertical pass over the source rows into 16-bit column values,
// then a horizontal pass; the integer sums equal the generic ones exactly.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/gauss_hipass_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "primitives/filters/fixed_rows.h"
#include "primitives/filters/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using DU16 = hn::ScalableTag<uint16_t>;
using DI16 = hn::RebindToSigned<DU16>;
using D8 = hn::Rebind<uint8_t, DU16>;
using VU16 = hn::Vec<DU16>;

HWY_INLINE VU16 Load8(const uint8_t* p) { return hn::PromoteTo(DU16(), hn::LoadU(D8(), p)); }

// Column t of the scratch rows is source column t - radius.
HWY_INLINE const uint8_t* At(const uint8_t* row, size_t t, int radius) {
  return row + static_cast<ptrdiff_t>(t) - radius;
}

void Gauss3Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  const DU16 d;
  const size_t lanes = hn::Lanes(d);
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width) + 2, lanes,
      [&](size_t t) HWY_ATTR {
        const auto sum = hn::Add(hn::Add(Load8(At(rows[0], t, 1)), Load8(At(rows[2], t, 1))),
                                 hn::ShiftLeft<1>(Load8(At(rows[1], t, 1))));
        hn::StoreU(sum, d, scratch + t);
      },
      [&](size_t t) { scratch[t] = static_cast<uint16_t>(*At(rows[0], t, 1) + 2 * *At(rows[1], t, 1) + *At(rows[2], t, 1)); });
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), lanes,
      [&](size_t x) HWY_ATTR {
        const auto sum = hn::Add(hn::Add(hn::LoadU(d, scratch + x), hn::LoadU(d, scratch + x + 2)),
                                 hn::ShiftLeft<1>(hn::LoadU(d, scratch + x + 1)));
        const auto odd = hn::And(hn::ShiftRight<4>(sum), hn::Set(d, 1));
        const auto rounded = hn::ShiftRight<4>(hn::Add(hn::Add(sum, hn::Set(d, 7)), odd));
        hn::StoreU(hn::DemoteTo(D8(), hn::BitCast(DI16(), rounded)), D8(), out + x);
      },
      [&](size_t x) { out[x] = Gauss3Pixel(rows, static_cast<int>(x)); });
}

// Columns weighted for the outer (2 7 12 7 2), middle (7 31 52 31 7) and centre
// (12 52 127 52 12) kernel columns; each fits 16 bits.
void Gauss5Row(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  const DU16 d;
  const size_t lanes = hn::Lanes(d);
  const int64_t stride = ScratchRowStride(width);
  uint16_t* outer = scratch;
  uint16_t* middle = scratch + stride;
  uint16_t* centre = scratch + 2 * stride;
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width) + 4, lanes,
      [&](size_t t) HWY_ATTR {
        const auto o = hn::Add(Load8(At(rows[0], t, 2)), Load8(At(rows[4], t, 2)));
        const auto m = hn::Add(Load8(At(rows[1], t, 2)), Load8(At(rows[3], t, 2)));
        const auto c = Load8(At(rows[2], t, 2));
        const auto weighted = [&](int wo, int wm, int wc) HWY_ATTR {
          return hn::Add(hn::Add(hn::Mul(o, hn::Set(d, wo)), hn::Mul(m, hn::Set(d, wm))), hn::Mul(c, hn::Set(d, wc)));
        };
        hn::StoreU(weighted(2, 7, 12), d, outer + t);
        hn::StoreU(weighted(7, 31, 52), d, middle + t);
        hn::StoreU(weighted(12, 52, 127), d, centre + t);
      },
      [&](size_t t) {
        const int o = *At(rows[0], t, 2) + *At(rows[4], t, 2);
        const int m = *At(rows[1], t, 2) + *At(rows[3], t, 2);
        const int c = *At(rows[2], t, 2);
        outer[t] = static_cast<uint16_t>(2 * o + 7 * m + 12 * c);
        middle[t] = static_cast<uint16_t>(7 * o + 31 * m + 52 * c);
        centre[t] = static_cast<uint16_t>(12 * o + 52 * m + 127 * c);
      });

  // Widened by interleaving with zero and narrowed by a per-block pack, which together keep the
  // pixels in order. The sum is at most 571 * 255, so the scaled value lies in [0, 255] and needs
  // no clamping; adding 1.5 * 2^23 rounds it in the current (nearest) mode, as the generic
  // conversion does, and leaves the integer in the low bits of the float.
  const hn::Repartition<int32_t, DU16> di32;
  const hn::Rebind<float, decltype(di32)> df;
  const auto zero = hn::Zero(d);
  const auto finish = [&](auto o, auto m, auto c) HWY_ATTR {
    const auto sum = hn::Add(hn::Add(hn::BitCast(di32, o), hn::BitCast(di32, m)), hn::BitCast(di32, c));
    const auto scaled = hn::Mul(hn::ConvertTo(df, sum), hn::Set(df, kInverse571));
    const auto shifted = hn::BitCast(di32, hn::Add(scaled, hn::Set(df, 12582912.0f)));
    return hn::Sub(shifted, hn::Set(di32, 0x4B400000));
  };
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), lanes,
      [&](size_t x) HWY_ATTR {
        const auto o = hn::Add(hn::LoadU(d, outer + x), hn::LoadU(d, outer + x + 4));
        const auto m = hn::Add(hn::LoadU(d, middle + x + 1), hn::LoadU(d, middle + x + 3));
        const auto c = hn::LoadU(d, centre + x + 2);
        const auto low = finish(hn::InterleaveLower(d, o, zero), hn::InterleaveLower(d, m, zero),
                                hn::InterleaveLower(d, c, zero));
        const auto high = finish(hn::InterleaveUpper(d, o, zero), hn::InterleaveUpper(d, m, zero),
                                 hn::InterleaveUpper(d, c, zero));
        hn::StoreU(hn::DemoteTo(D8(), hn::ReorderDemote2To(DI16(), low, high)), D8(), out + x);
      },
      [&](size_t x) { out[x] = Gauss5Pixel(rows, static_cast<int>(x)); });
}

template <int kSize>
HWY_INLINE void HipassRow(const uint8_t* const* rows, uint16_t* scratch, uint8_t* out, int width) {
  constexpr int kRadius = kSize / 2;
  const DU16 d;
  const DI16 di;
  const size_t lanes = hn::Lanes(d);
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width) + 2 * kRadius, lanes,
      [&](size_t t) HWY_ATTR {
        auto sum = Load8(At(rows[0], t, kRadius));
        for (int j = 1; j < kSize; ++j) sum = hn::Add(sum, Load8(At(rows[j], t, kRadius)));
        hn::StoreU(sum, d, scratch + t);
      },
      [&](size_t t) {
        int sum = 0;
        for (int j = 0; j < kSize; ++j) sum += *At(rows[j], t, kRadius);
        scratch[t] = static_cast<uint16_t>(sum);
      });
  ForEachVectorOverlappingEnd(
      static_cast<size_t>(width), lanes,
      [&](size_t x) HWY_ATTR {
        auto sum = hn::LoadU(d, scratch + x);
        for (int i = 1; i < kSize; ++i) sum = hn::Add(sum, hn::LoadU(d, scratch + x + i));
        const auto centre = hn::Mul(Load8(rows[kRadius] + x), hn::Set(d, kSize * kSize));
        hn::StoreU(hn::DemoteTo(D8(), hn::Sub(hn::BitCast(di, centre), hn::BitCast(di, sum))), D8(), out + x);
      },
      [&](size_t x) { out[x] = HipassPixel<kSize>(rows, static_cast<int>(x)); });
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
#include "frame/hwy_kernels_legacy.h"

namespace ryn::filters {
TargetKernels<FixedRowFn> Gauss3RowBuilds() { return RYN_HWY_KERNELS(Gauss3Row); }
TargetKernels<FixedRowFn> Gauss5RowBuilds() { return RYN_HWY_KERNELS(Gauss5Row); }
TargetKernels<FixedRowFn> Hipass3RowBuilds() { return RYN_HWY_KERNELS(Hipass3Row); }
TargetKernels<FixedRowFn> Hipass5RowBuilds() { return RYN_HWY_KERNELS(Hipass5Row); }
}  // namespace ryn::filters
#endif
