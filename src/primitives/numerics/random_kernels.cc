// Processor builds of the random generators, compiled once per Highway target, and the dispatched
// operations that bind them. Each borrow of the subtract-with-borrow part depends on the word
// before, so those words are made one at a time into a block; the congruential words, the sums
// and the conversions to samples run in vector lanes. Gaussian pairs are drawn a block at a time
// and the accepted ones kept in order.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/numerics/random_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <type_traits>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/filters/round_to_nearest.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/random_samples.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::numerics {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

constexpr size_t kOutputsPerBlock = 256;
constexpr size_t kMaxLanes32 = 16;  // 32-bit lanes of the widest target

// The congruential words `steps` after those of `words`.
struct VectorJump {
  CongruentialJump jump;
  template <class V>
  HWY_INLINE V From(V words) const {
    const hn::DFromV<V> du;
    return hn::Add(hn::Mul(words, hn::Set(du, jump.multiplier)), hn::Set(du, jump.increment));
  }
};

// m generator outputs. Lane l of the congruential vector holds the word of output i + l. Four
// vectors per iteration are jumped from the first, and only the first jumps on to the next
// iteration, so that the multiplications overlap instead of waiting on each other. The vector
// loops leave 1 to `lanes` outputs, which take the first lanes of the next vector (read from
// memory: Highway's lane extraction asserts in debug builds).
HWY_INLINE void GenerateOutputs(GeneratorWords& words, int32_t* outputs, size_t m) {
  uint32_t* sums = reinterpret_cast<uint32_t*>(outputs);
  SubtractWithBorrowWords(words, sums, m);
  const hn::ScalableTag<uint32_t> du;
  const size_t lanes = hn::Lanes(du);
  if (m <= lanes) {
    for (size_t i = 0; i < m; ++i) sums[i] += words.congruential = NextCongruential(words.congruential);
    return;
  }
  HWY_ALIGN uint32_t laneWords[kMaxLanes32] = {};
  uint32_t word = words.congruential;
  for (size_t l = 0; l < lanes; ++l) laneWords[l] = word = NextCongruential(word);
  const VectorJump one{JumpOf(lanes)}, two{JumpOf(2 * lanes)}, three{JumpOf(3 * lanes)}, four{JumpOf(4 * lanes)};
  auto congruential = hn::Load(du, laneWords);
  size_t i = 0;
  for (; i + 4 * lanes < m; i += 4 * lanes) {
    hn::StoreU(hn::Add(hn::LoadU(du, sums + i), congruential), du, sums + i);
    hn::StoreU(hn::Add(hn::LoadU(du, sums + i + lanes), one.From(congruential)), du, sums + i + lanes);
    hn::StoreU(hn::Add(hn::LoadU(du, sums + i + 2 * lanes), two.From(congruential)), du, sums + i + 2 * lanes);
    hn::StoreU(hn::Add(hn::LoadU(du, sums + i + 3 * lanes), three.From(congruential)), du, sums + i + 3 * lanes);
    congruential = four.From(congruential);
  }
  for (; i + lanes < m; i += lanes) {
    hn::StoreU(hn::Add(hn::LoadU(du, sums + i), congruential), du, sums + i);
    congruential = one.From(congruential);
  }
  hn::Store(congruential, du, laneWords);
  for (size_t l = 0; i + l < m; ++l) sums[i + l] += laneWords[l];
  words.congruential = laneWords[m - 1 - i];
}

template <class T, class DD>
HWY_INLINE hn::Vec<hn::Rebind<T, DD>> RoundAndSaturateLanes(DD dd, hn::Vec<DD> value, double lowest, double highest) {
  const auto bounded = hn::Min(hn::Max(value, hn::Set(dd, lowest)), hn::Set(dd, highest));
  const auto shift = hn::Set(dd, kRoundingShift);
  const auto rounded = hn::Sub(hn::Add(bounded, shift), shift);
  return hn::DemoteTo(hn::Rebind<T, DD>(), hn::DemoteTo(hn::Rebind<int32_t, DD>(), rounded));
}

template <class T, class DD>
HWY_INLINE hn::Vec<hn::Rebind<T, DD>> UniformSamples(DD dd, hn::Vec<DD> value) {
  if constexpr (std::is_same_v<T, float>) {
    return hn::DemoteTo(hn::Rebind<float, DD>(), value);
  } else if constexpr (std::is_same_v<T, double>) {
    return value;
  } else if constexpr (std::is_same_v<T, int16_t>) {
    return RoundAndSaturateLanes<int16_t>(dd, value, -32768.0, 32767.0);
  } else {
    return RoundAndSaturateLanes<uint8_t>(dd, value, 0.0, 255.0);
  }
}

template <class T>
HWY_INLINE void FillUniform(GeneratorWords& words, T* destination, size_t n, double midpoint, double scale) {
  const hn::ScalableTag<double> dd;
  const hn::Rebind<int32_t, decltype(dd)> di;
  const hn::Rebind<T, decltype(dd)> dt;
  const auto midpoints = hn::Set(dd, midpoint);
  const auto scales = hn::Set(dd, scale);
  HWY_ALIGN int32_t outputs[kOutputsPerBlock];
  for (size_t done = 0; done < n;) {
    const size_t m = std::min(kOutputsPerBlock, n - done);
    GenerateOutputs(words, outputs, m);
    T* block = destination + done;
    ForEachVectorAligned(
        dt, block, m,
        [&](size_t i, auto aligned) HWY_ATTR {
          const auto u = hn::PromoteTo(dd, hn::LoadU(di, outputs + i));
          StoreVector(aligned, UniformSamples<T>(dd, hn::Add(midpoints, hn::Mul(u, scales))), dt, block + i);
        },
        [&](size_t i) HWY_ATTR {
          StoreUnaligned(block + i, UniformSample<T>(UniformValue(outputs[i], midpoint, scale)));
        });
    done += m;
  }
}

// NaturalLog of random_samples.h, lane by lane, operation for operation.
template <class DD>
HWY_INLINE hn::Vec<DD> NaturalLogs(DD dd, hn::Vec<DD> x) {
  const hn::RebindToUnsigned<DD> du;
  const auto shifted = hn::Add(hn::BitCast(du, x), hn::Set(du, kLogExponentBias));
  // The exponent field as a double, exactly: the bits of 2^52 + e, less 2^52.
  const auto twoTo52 = hn::Set(dd, 0x1p52);
  const auto exponent =
      hn::Sub(hn::BitCast(dd, hn::Or(hn::ShiftRight<52>(shifted), hn::BitCast(du, twoTo52))), twoTo52);
  const auto k = hn::Sub(exponent, hn::Set(dd, 1023.0));
  const auto m =
      hn::BitCast(dd, hn::Add(hn::And(shifted, hn::Set(du, kLogMantissaMask)), hn::Set(du, kLogMantissaBase)));
  const auto f = hn::Sub(m, hn::Set(dd, 1.0));
  const auto halfSquare = hn::Mul(hn::Mul(hn::Set(dd, 0.5), f), f);
  const auto s = hn::Div(f, hn::Add(hn::Set(dd, 2.0), f));
  const auto z = hn::Mul(s, s);
  const auto w = hn::Mul(z, z);
  const auto even =
      hn::Mul(w, hn::Add(hn::Set(dd, kLogC2), hn::Mul(w, hn::Add(hn::Set(dd, kLogC4), hn::Mul(w, hn::Set(dd, kLogC6))))));
  const auto odd = hn::Mul(
      z, hn::Add(hn::Set(dd, kLogC1),
                 hn::Mul(w, hn::Add(hn::Set(dd, kLogC3),
                                    hn::Mul(w, hn::Add(hn::Set(dd, kLogC5), hn::Mul(w, hn::Set(dd, kLogC7))))))));
  const auto r = hn::Add(odd, even);
  const auto sum = hn::Add(hn::Mul(s, hn::Add(halfSquare, r)), hn::Mul(k, hn::Set(dd, kLn2Low)));
  return hn::Add(hn::Add(hn::Sub(sum, halfSquare), f), hn::Mul(k, hn::Set(dd, kLn2High)));
}

// Draws exactly as many pairs as the generic code would: a block never holds more draws than
// pairs still wanted, and each draw yields at most one pair. Accepted pairs are kept without
// branches (the acceptance kept as an integer mask): every draw writes its deviates, and only an
// accepted one advances the count (when the count reaches `pairs` the block's last draw has been
// written).
HWY_INLINE void NormalDeviates(GeneratorWords& words, size_t pairs, double* deviates, NormalPair* last) {
  constexpr size_t kDraws = kOutputsPerBlock / 2;
  const hn::ScalableTag<double> dd;
  const hn::Rebind<int32_t, decltype(dd)> di;
  const hn::RebindToUnsigned<decltype(dd)> du;
  const size_t lanes = hn::Lanes(dd);
  HWY_ALIGN int32_t outputs[kOutputsPerBlock];
  HWY_ALIGN int32_t firstOutputs[kDraws];
  HWY_ALIGN int32_t secondOutputs[kDraws];
  HWY_ALIGN double first[kDraws];
  HWY_ALIGN uint64_t inside[kDraws];
  HWY_ALIGN double factors[kDraws];
  HWY_ALIGN double firstDeviates[kDraws];
  HWY_ALIGN double secondDeviates[kDraws];
  const auto pairScale = hn::Set(dd, kPairScale);
  const auto minusTwo = hn::Set(dd, -2.0);
  size_t made = 0, draws = 0;
  while (made < pairs) {
    draws = std::min(kDraws, pairs - made);
    GenerateOutputs(words, outputs, 2 * draws);
    for (size_t j = 0; j < draws; ++j) {
      firstOutputs[j] = outputs[2 * j];
      secondOutputs[j] = outputs[2 * j + 1];
    }
    size_t j = 0;
    for (; j + lanes <= draws; j += lanes) {
      const auto u1 = hn::Mul(hn::PromoteTo(dd, hn::Load(di, firstOutputs + j)), pairScale);
      const auto u2 = hn::Mul(hn::PromoteTo(dd, hn::Load(di, secondOutputs + j)), pairScale);
      const auto s = hn::Add(hn::Mul(u1, u1), hn::Mul(u2, u2));
      const auto f = hn::Sqrt(hn::Div(hn::Mul(minusTwo, NaturalLogs(dd, s)), s));
      const auto accepted = hn::And(hn::Lt(s, hn::Set(dd, 1.0)), hn::Ne(s, hn::Zero(dd)));
      hn::Store(u1, dd, first + j);
      hn::Store(hn::BitCast(du, hn::VecFromMask(dd, accepted)), du, inside + j);
      hn::Store(f, dd, factors + j);
      hn::Store(hn::Mul(u1, f), dd, firstDeviates + j);
      hn::Store(hn::Mul(u2, f), dd, secondDeviates + j);
    }
    for (; j < draws; ++j) {
      const double u1 = static_cast<double>(firstOutputs[j]) * kPairScale;
      const double u2 = static_cast<double>(secondOutputs[j]) * kPairScale;
      const double s = u1 * u1 + u2 * u2;
      first[j] = u1;
      inside[j] = InsidePolarDisc(s) ? ~uint64_t{0} : 0;
      factors[j] = InsidePolarDisc(s) ? PolarFactor(s) : 0.0;
      firstDeviates[j] = u1 * factors[j];
      secondDeviates[j] = u2 * factors[j];
    }
    for (j = 0; j < draws; ++j) {
      deviates[2 * made] = secondDeviates[j];
      deviates[2 * made + 1] = firstDeviates[j];
      made += inside[j] & 1;
    }
  }
  // The last block holds the last pair; only its u1 and f are kept.
  size_t lastDraw = draws;
  while ((inside[--lastDraw] & 1) == 0) {
  }
  *last = NormalPair{first[lastDraw], 0.0, factors[lastDraw]};
}

template <class T, class DD>
HWY_INLINE hn::Vec<hn::Rebind<T, DD>> GaussSamples(DD dd, hn::Vec<DD> z, T mean, hn::Vec<DD> deviation) {
  if constexpr (std::is_same_v<T, float>) {
    const hn::Rebind<float, DD> df;
    return hn::Add(hn::Set(df, mean), hn::DemoteTo(df, hn::Mul(z, deviation)));
  } else if constexpr (std::is_same_v<T, double>) {
    return hn::Add(hn::Set(dd, mean), hn::Mul(z, deviation));
  } else {
    const auto sum = hn::Add(hn::Set(dd, static_cast<double>(mean)), hn::Mul(z, deviation));
    return RoundAndSaturateLanes<int16_t>(dd, sum, -32768.0, 32767.0);
  }
}

template <class T>
HWY_INLINE void FillGauss(T* destination, const double* deviates, size_t n, T mean, double deviation) {
  const hn::ScalableTag<double> dd;
  const hn::Rebind<T, decltype(dd)> dt;
  const auto deviations = hn::Set(dd, deviation);
  ForEachVectorAligned(
      dt, destination, n,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, GaussSamples<T>(dd, hn::LoadU(dd, deviates + i), mean, deviations), dt, destination + i);
      },
      [&](size_t i) HWY_ATTR { StoreUnaligned(destination + i, GaussSample<T>(deviates[i], mean, deviation)); });
}

}  // namespace

#include "primitives/numerics/random_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::numerics
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::numerics {
RYN_DISPATCH(RandUniform8u);
RYN_DISPATCH(RandUniform16s);
RYN_DISPATCH(RandUniform32f);
RYN_DISPATCH(RandUniformDirect16s);
RYN_DISPATCH(RandUniformDirect32f);
RYN_DISPATCH(RandUniformDirect64f);
RYN_DISPATCH(RandGauss16s);
RYN_DISPATCH(RandGauss32f);
RYN_DISPATCH(RandGaussDirect16s);
RYN_DISPATCH(RandGaussDirect32f);
RYN_DISPATCH(RandGaussDirect64f);
}  // namespace ryn::numerics
#endif
