#include "effects/processing_mode.h"

#include "frame/cpu_features.h"
#include "frame/targets.h"

namespace ryn::effects {
namespace {

constexpr bool Bit(uint32_t word, int bit) { return ((word >> bit) & 1u) != 0; }

}  // namespace

bool VectorPathAvailable() {
  const EffectFeatureWords words = QueryEffectFeatureWords();
  const bool avx2 = Bit(words.leaf7.ebx, 5);
  const bool avxOrSsse3 = Bit(words.leaf1.ecx, 28) || Bit(words.leaf1.ecx, 9);
  // The words alone do not say that the operating system saves the YMM registers (nor can a fake
  // processor in a test make the real one run AVX2): the AVX2 build must also be runnable.
  return avx2 && avxOrSsse3 && HardwareTargets().avx2;
}

bool AvxReported() { return Bit(QueryEffectFeatureWords().leaf1.ecx, 28); }

ResolvedMode ResolveMode(int mode, bool vectorPathAvailable) {
  switch (mode) {
    case 0:
      return {ippStsNoErr, vectorPathAvailable ? EffectPath::kVector : EffectPath::kPortable};
    case 1:
      return {ippStsNoErr, EffectPath::kPortable};
    case 2:
      if (vectorPathAvailable) return {ippStsNoErr, EffectPath::kVector};
      return {ippStsCpuNotSupportedErr, EffectPath::kPortable};
    default:
      return {ippStsNoOperation, EffectPath::kPortable};
  }
}

}  // namespace ryn::effects
