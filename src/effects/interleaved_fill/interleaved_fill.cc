// The processing modes of the interleaved fill.
#include "effects/interleaved_fill/interleaved_fill.h"

#include "effects/processing_mode.h"
#include "frame/checks.h"
#include "frame/targets.h"

namespace ryn::effects {

IppStatus SetInterleaved8u(uint8_t* destination, IppiSize region, int step, uint8_t firstValue,
                           uint8_t secondValue, int mode) {
  const ResolvedMode resolved = ResolveMode(mode, AvxReported());
  RYN_CHECK(resolved.status);
  // A processor may report AVX without running the AVX2 build (AVX without AVX2, or a system that
  // does not save the YMM registers); its vector path is the best build it runs, which writes the
  // same bytes.
  if (resolved.path == EffectPath::kVector && HardwareTargets().avx2) {
    return FillPairs8u.BuildOf(Build::kAvx2)(destination, region, step, firstValue, secondValue);
  }
  return FillPairs8u(destination, region, step, firstValue, secondValue);
}

}  // namespace ryn::effects
