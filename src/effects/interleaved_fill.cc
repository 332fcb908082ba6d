#include "effects/interleaved_fill.h"

#include <emmintrin.h>

#include <cstddef>

#include "effects/effect_features.h"
#include "frame/checks.h"

namespace ryn::effects {
namespace {

using FillPairsFn = void (*)(uint8_t* row, size_t pairs, uint8_t first, uint8_t second);

void FillPairsPortable(uint8_t* row, size_t pairs, uint8_t first, uint8_t second) {
  for (size_t i = 0; i < pairs; ++i) {
    row[2 * i] = first;
    row[2 * i + 1] = second;
  }
}

// Sixteen bytes of the pattern per store. SSE2 runs on every x86-64 processor, so the path needs
// no operating-system support beyond the baseline.
void FillPairsVector(uint8_t* row, size_t pairs, uint8_t first, uint8_t second) {
  constexpr size_t kPairsPerStore = sizeof(__m128i) / 2;
  const __m128i pattern = _mm_set1_epi16(static_cast<short>(first | (second << 8)));
  size_t i = 0;
  for (; i + kPairsPerStore <= pairs; i += kPairsPerStore) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 2 * i), pattern);
  }
  FillPairsPortable(row + 2 * i, pairs - i, first, second);
}

}  // namespace

IppStatus SetInterleaved8u(uint8_t* destination, IppiSize region, int step, uint8_t firstValue,
                           uint8_t secondValue, int mode) {
  const ResolvedMode resolved = ResolveInterleavedFillMode(mode);
  RYN_CHECK(resolved.status);
  RYN_CHECK(NotNull(destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));

  const FillPairsFn fillPairs = resolved.path == EffectPath::kVector ? FillPairsVector : FillPairsPortable;
  const size_t pairs = static_cast<size_t>(region.width);
  if (static_cast<int64_t>(step) == 2 * static_cast<int64_t>(region.width)) {
    fillPairs(destination, pairs * static_cast<size_t>(region.height), firstValue, secondValue);
    return ippStsNoErr;
  }
  for (int y = 0; y < region.height; ++y) {
    fillPairs(destination + static_cast<ptrdiff_t>(y) * step, pairs, firstValue, secondValue);
  }
  return ippStsNoErr;
}

}  // namespace ryn::effects
