// The one-dimensional plans: factorisation into passes, their tables of roots and the order in
// which the first pass gathers its input.
#include <xmmintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

#include "frame/allocator.h"
#include "frame/x87_rounding.h"
#include "primitives/fft/butterflies.h"
#include "primitives/fft/fft.h"

namespace ryn::fft {
namespace {

// Lengths below this are summed directly in one pass.
constexpr int kDirectLengthLimit = 17;
// Below this order a plan needs no work buffer (its row fits on the stack).
constexpr int kFirstBufferedOrder = 6;

// W_length^t = exp(-2 pi i t / length), with the quarter turns exact.
Ipp32fc Root(int64_t t, int64_t length) {
  t %= length;
  if ((4 * t) % length == 0) {
    constexpr Ipp32fc kQuarterTurns[4] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
    return kQuarterTurns[(4 * t) / length];
  }
  const long double angle = 2 * std::numbers::pi_v<long double> * static_cast<long double>(t) / length;
  return Ipp32fc{static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
}

void ReleasePasses(Passes* p) {
  FreeBlock(p->twiddleBlock);
  FreeBlock(p->groupBlock);
  p->twiddleBlock = nullptr;
  p->groupBlock = nullptr;
}

// Fills the tables of `radices` (count of them, product `length`); false when memory runs out,
// with nothing left allocated. `direct` marks the passes that are summed directly.
bool BuildPasses(int32_t length, const int32_t* radices, const bool* direct, int count, Passes* p) {
  // The roots are computed in long double, on the x87 unit.
  const NearestX87Rounding nearest;
  std::memset(p, 0, sizeof(*p));
  p->length = length;
  p->count = count;
  int64_t span = 1;
  int64_t tableFloats = 0;
  for (int i = 0; i < count; ++i) {
    p->radices[i] = radices[i];
    p->spans[i] = static_cast<int32_t>(span);
    // In 64 bits: a prime length near 2^31 is one direct radix of that size.
    if (i > 0) tableFloats += 4 * int64_t{radices[i] - 1} * span;
    if (direct[i]) {
      tableFloats += 2 * int64_t{radices[i]};
      if (radices[i] > kStackDirectRadix && radices[i] > p->largestDirectRadix) p->largestDirectRadix = radices[i];
    }
    span *= radices[i];
  }
  if (count == 0) return true;

  if (tableFloats > 0) {
    p->twiddleBlock = AllocateBlock(tableFloats * int64_t{sizeof(float)});
    if (p->twiddleBlock == nullptr) return false;
  }
  const int64_t offsets = length / radices[0];
  p->groupBlock = AllocateBlock(offsets * int64_t{sizeof(int32_t)});
  if (p->groupBlock == nullptr) {
    ReleasePasses(p);
    return false;
  }

  float* table = static_cast<float*>(p->twiddleBlock);
  for (int i = 0; i < count; ++i) {
    const int64_t spanLength = p->spans[i];
    const int64_t groupLength = radices[i] * spanLength;
    if (i > 0) {
      p->twiddles[i] = table;
      for (int64_t first = 0; first < spanLength; first += kTwiddleChunk) {
        const int64_t chunkLength = std::min(kTwiddleChunk, spanLength - first);
        for (int k = 1; k < radices[i]; ++k) {
          for (int64_t t = 0; t < chunkLength; ++t) {
            const Ipp32fc w = Root((first + t) * k, groupLength);
            table[2 * t] = w.re;
            table[2 * t + 1] = w.re;
            table[2 * chunkLength + 2 * t] = -w.im;
            table[2 * chunkLength + 2 * t + 1] = w.im;
          }
          table += 4 * chunkLength;
        }
      }
    }
    if (direct[i]) {
      Ipp32fc* roots = reinterpret_cast<Ipp32fc*>(table);
      p->radixRoots[i] = roots;
      for (int t = 0; t < radices[i]; ++t) roots[t] = Root(t, radices[i]);
      table += 2 * radices[i];
    }
  }

  // Group g = k_1 + r_1 (k_2 + ...) (digits over radices[1..]) reads offset o, the same digits
  // reversed: o = k_last + r_last (k_last-1 + ...).
  int32_t* groups = static_cast<int32_t*>(p->groupBlock);
  for (int64_t g = 0; g < offsets; ++g) {
    int64_t rest = g;
    int64_t offset = 0;
    for (int i = 1; i < count; ++i) {
      const int64_t digit = rest % radices[i];
      rest /= radices[i];
      offset = offset * radices[i] + digit;
    }
    groups[offset] = static_cast<int32_t>(g);
  }
  p->firstGroups = groups;
  return true;
}

// 1/sqrt(n) in single precision: the processor's reciprocal square root estimate refined by one
// Newton step.
float ReciprocalRoot(float n) {
  const float y = _mm_cvtss_f32(_mm_rsqrt_ss(_mm_set_ss(n)));
  return y * (1.5f - 0.5f * n * y * y);
}

bool ValidFlag(int flag) {
  return flag == kScaleForward || flag == kScaleInverse || flag == kScaleBothRoot || flag == kScaleNone;
}

struct Normalisation {
  int32_t forwardScaled;
  int32_t inverseScaled;
  float scale;
};

Normalisation NormalisationOf(int flag, int64_t length) {
  const float n = static_cast<float>(length);
  switch (flag) {
    case kScaleForward: return {1, 0, 1.0f / n};
    case kScaleInverse: return {0, 1, 1.0f / n};
    case kScaleBothRoot: return {1, 1, ReciprocalRoot(n)};
    default: return {0, 0, 1.0f};
  }
}

}  // namespace

IppStatus CreateFftPlan(int order, int flag, int hint, FftPlan** plan) {
  if (order < 0 || order > kLargestObjectOrder) return ippStsFftOrderErr;
  if (!ValidFlag(flag)) return ippStsFftFlagErr;
  if (order > kLargestPlanOrder) return ippStsFftOrderErr;
  auto* created = static_cast<FftPlan*>(AllocateBlock(sizeof(FftPlan)));
  if (created == nullptr) return ippStsMemAllocErr;

  // Radix 4 passes, and one radix 2 pass last for odd orders.
  int32_t radices[kMaxPasses];
  bool direct[kMaxPasses] = {};
  int count = 0;
  for (int i = 0; i < order / 2; ++i) radices[count++] = 4;
  if (order % 2 != 0) radices[count++] = 2;
  const int32_t length = int32_t{1} << order;
  if (!BuildPasses(length, radices, direct, count, &created->passes)) {
    FreeBlock(created);
    return ippStsMemAllocErr;
  }
  const Normalisation normalisation = NormalisationOf(flag, length);
  created->identifier = kFftPlanIdentifier;
  created->order = order;
  created->forwardScaled = normalisation.forwardScaled;
  created->inverseScaled = normalisation.inverseScaled;
  created->scale = normalisation.scale;
  created->hint = hint;
  // A row of scratch and 32 bytes, from order 6 on; shorter rows stay on the stack.
  created->workBytes = order < kFirstBufferedOrder ? 0 : ((int64_t{8} * length + 31) & ~int64_t{31}) + 32;
  *plan = created;
  return ippStsNoErr;
}

void ReleaseFftPlan(FftPlan* plan) {
  if (plan == nullptr) return;
  ReleasePasses(&plan->passes);
  plan->identifier = 0;
  FreeBlock(plan);
}

IppStatus CreateDftPlan(int length, DftPlan** plan) {
  if (length < 1) return ippStsSizeErr;
  auto* created = static_cast<DftPlan*>(AllocateBlock(sizeof(DftPlan)));
  if (created == nullptr) return ippStsMemAllocErr;
  std::memset(created, 0, sizeof(*created));

  const bool powerOfTwo = (length & (length - 1)) == 0;
  if (length >= kDirectLengthLimit && powerOfTwo) {
    const IppStatus status = CreateFftPlan(std::countr_zero(static_cast<uint32_t>(length)), kScaleForward, 0,
                                           &created->powerOfTwo);
    if (status != ippStsNoErr) {
      FreeBlock(created);
      return status;
    }
    created->workBytes = created->powerOfTwo->workBytes;
  } else {
    int32_t radices[kMaxPasses];
    bool direct[kMaxPasses] = {};
    int count = 0;
    if (length < kDirectLengthLimit) {
      if (length > 1) {
        direct[count] = true;
        radices[count++] = length;
      }
    } else {
      // Factors 4 and 2 first, then the odd primes upwards; those above 5 are summed directly.
      int32_t rest = length;
      while (rest % 4 == 0) radices[count++] = 4, rest /= 4;
      if (rest % 2 == 0) radices[count++] = 2, rest /= 2;
      // 64-bit, so that the step past a prime factor near 2^31 does not overflow.
      for (int64_t factor = 3; rest > 1; factor += 2) {
        if (factor * factor > rest) factor = rest;
        while (rest % factor == 0) {
          direct[count] = factor > kLargestSmallRadix;
          radices[count++] = static_cast<int32_t>(factor);
          rest /= static_cast<int32_t>(factor);
        }
      }
    }
    if (!BuildPasses(length, radices, direct, count, &created->passes)) {
      FreeBlock(created);
      return ippStsMemAllocErr;
    }
    const Passes& p = created->passes;
    created->workBytes = (p.count >= 2 ? int64_t{8} * length : 0) + int64_t{8} * p.largestDirectRadix;
  }
  const Normalisation normalisation = NormalisationOf(kScaleForward, length);
  created->identifier = kDftPlanIdentifier;
  created->length = length;
  created->forwardScaled = normalisation.forwardScaled;
  created->inverseScaled = normalisation.inverseScaled;
  created->scale = normalisation.scale;
  *plan = created;
  return ippStsNoErr;
}

IppStatus ReleaseDftPlan(DftPlan* plan) {
  if (plan == nullptr) return ippStsNullPtrErr;
  if (plan->identifier != kDftPlanIdentifier) return ippStsContextMatchErr;
  plan->identifier = 0;
  ReleaseFftPlan(plan->powerOfTwo);
  ReleasePasses(&plan->passes);
  FreeBlock(plan);
  return ippStsNoErr;
}

IppStatus DftWorkBytes(const DftPlan* plan, int64_t* bytes) {
  if (plan == nullptr || bytes == nullptr) return ippStsNullPtrErr;
  if (plan->identifier != kDftPlanIdentifier) return ippStsContextMatchErr;
  *bytes = plan->workBytes;
  return ippStsNoErr;
}

}  // namespace ryn::fft
