// Processor builds of e^x and ln x on float vectors, compiled once per Highway target, and the
// dispatched operations that bind them. The lanes run log_exp_rules.h's double-precision steps in
// its order, one float per double lane.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/arith/log_exp_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/arith/arith.h"
#include "primitives/arith/log_exp_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::arith {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using DD = hn::ScalableTag<double>;
using VD = hn::Vec<DD>;
using DI64 = hn::RebindToSigned<DD>;
using DF = hn::Rebind<float, DD>;  // one float per double lane
using VF = hn::Vec<DF>;
using DU = hn::RebindToUnsigned<DF>;
using DI = hn::RebindToSigned<DF>;

// ExpOf on every lane.
HWY_INLINE VF ExpLanes(VF x) {
  const DD dd;
  const DI64 di64;
  VD v = hn::Min(hn::PromoteTo(dd, x), hn::Set(dd, kExpHighest));
  v = hn::Max(v, hn::Set(dd, kExpLowest));
  const VD magic = hn::Set(dd, kRoundingMagic);
  const VD shifted = hn::Add(hn::Mul(v, hn::Set(dd, kLog2E)), magic);
  const VD k = hn::Sub(shifted, magic);
  const VD r = hn::Sub(v, hn::Mul(k, hn::Set(dd, kLn2)));
  VD p = hn::Set(dd, kExpCoefficients[0]);
  for (int i = 1; i < kExpTerms; ++i) p = hn::Add(hn::Mul(p, r), hn::Set(dd, kExpCoefficients[i]));
  const auto exponent = hn::Sub(hn::BitCast(di64, shifted), hn::BitCast(di64, magic));
  const auto bits = hn::Add(hn::BitCast(di64, p), hn::ShiftLeft<52>(exponent));
  const VF y = hn::DemoteTo(DF(), hn::BitCast(dd, bits));
  return hn::IfThenElse(hn::IsNaN(x), x, y);
}

// LnOfPositive on every lane (whatever the lanes hold).
HWY_INLINE VF LnOfPositiveLanes(VF x) {
  const DF df;
  const DU du;
  const DI di;
  const DD dd;
  const auto bits = hn::BitCast(du, x);
  const auto subnormal = bits < hn::Set(du, kSmallestNormalBits);
  const auto normalBits = hn::IfThenElse(subnormal, hn::BitCast(du, hn::Mul(x, hn::Set(df, kSubnormalScale))), bits);
  const auto bias = hn::IfThenElse(hn::RebindMask(di, subnormal), hn::Set(di, 127 + 23), hn::Set(di, 127));
  auto exponent = hn::Sub(hn::BitCast(di, hn::ShiftRight<23>(normalBits)), bias);
  VF m = hn::BitCast(df, hn::Or(hn::And(normalBits, hn::Set(du, 0x007FFFFFu)), hn::Set(du, 0x3F800000u)));
  const auto large = m > hn::Set(df, kSqrt2);
  m = hn::IfThenElse(large, hn::Mul(m, hn::Set(df, 0.5f)), m);
  exponent = hn::IfThenElse(hn::RebindMask(di, large), hn::Add(exponent, hn::Set(di, 1)), exponent);
  const VD wide = hn::PromoteTo(dd, m);
  const VD one = hn::Set(dd, 1.0);
  const VD f = hn::Div(hn::Sub(wide, one), hn::Add(wide, one));
  const VD f2 = hn::Mul(f, f);
  VD s = hn::Set(dd, kAtanhCoefficients[0]);
  for (int i = 1; i < kAtanhTerms; ++i) s = hn::Add(hn::Mul(s, f2), hn::Set(dd, kAtanhCoefficients[i]));
  const VD atanh = hn::Add(f, hn::Mul(f, hn::Mul(f2, s)));
  const VD ln = hn::Add(hn::Mul(hn::PromoteTo(dd, exponent), hn::Set(dd, kLn2)), hn::Mul(hn::Set(dd, 2.0), atanh));
  return hn::DemoteTo(df, ln);
}

// The lanes whose element gives a warning (LnWarning): +0, or the sign bit set and not NaN.
HWY_INLINE hn::Mask<DF> WarningLanes(VF x) {
  const DU du;
  const auto bits = hn::BitCast(du, x);
  const auto negative = hn::RebindMask(DF(), hn::BitCast(DI(), x) < hn::Zero(DI()));
  return hn::Or(hn::RebindMask(DF(), bits == hn::Zero(du)), hn::AndNot(hn::IsNaN(x), negative));
}

// LnOf on every lane.
HWY_INLINE VF LnLanes(VF x) {
  const DF df;
  const DU du;
  const auto bits = hn::BitCast(du, x);
  VF y = LnOfPositiveLanes(x);
  y = hn::IfThenElse(hn::RebindMask(df, bits == hn::Zero(du)), hn::BitCast(df, hn::Set(du, kMinusInfinityBits)), y);
  y = hn::IfThenElse(hn::RebindMask(df, bits == hn::Set(du, kInfinityBits)), x, y);
  y = hn::IfThenElse(hn::RebindMask(df, hn::BitCast(DI(), x) < hn::Zero(DI())),
                     hn::BitCast(df, hn::Set(du, kLnNegativeNaNBits)), y);
  return hn::IfThenElse(hn::IsNaN(x), x, y);
}

HWY_INLINE void ExpRun32f(float* vector, size_t n) {
  const DF d;
  ForEachVectorAligned(
      d, vector, n,
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, ExpLanes(hn::LoadU(d, vector + i)), d, vector + i); },
      [&](size_t i) HWY_ATTR { StoreUnaligned(vector + i, ExpOf(LoadUnaligned(vector + i))); });
}

// Returns the warning of the first element that gives one.
HWY_INLINE IppStatus LnRun32f(float* vector, size_t n) {
  const DF d;
  IppStatus status = ippStsNoErr;
  ForEachVectorAligned(
      d, vector, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        const VF x = hn::LoadU(d, vector + i);
        if (status == ippStsNoErr) {
          const intptr_t first = hn::FindFirstTrue(d, WarningLanes(x));
          if (first >= 0) status = LnWarning(LoadUnaligned(vector + i + static_cast<size_t>(first)));
        }
        StoreVector(aligned, LnLanes(x), d, vector + i);
      },
      [&](size_t i) HWY_ATTR {
        const float x = LoadUnaligned(vector + i);
        if (status == ippStsNoErr) status = LnWarning(x);
        StoreUnaligned(vector + i, LnOf(x));
      });
  return status;
}

}  // namespace

#include "primitives/arith/log_exp_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::arith
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::arith {
RYN_DISPATCH(Exp32f);
RYN_DISPATCH(Ln32f);
}  // namespace ryn::arith
#endif
