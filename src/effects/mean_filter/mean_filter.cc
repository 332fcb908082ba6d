#include "effects/mean_filter/mean_filter.h"

#include "effects/effect_features.h"
#include "effects/mean_filter/mean_filter_paths.h"
#include "frame/checks.h"

namespace ryn::effects {

IppStatus MeanFilterInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                  int destinationStep, IppiSize region, int window, int mode) {
  const ResolvedMode resolved = ResolveEffectMode(mode);
  RYN_CHECK(resolved.status);
  if (resolved.path == EffectPath::kVector) {
    return MeanFilterInterleavedVector(source, sourceStep, destination, destinationStep, region, window);
  }
  return MeanFilterInterleavedPortable(source, sourceStep, destination, destinationStep, region, window);
}

}  // namespace ryn::effects
