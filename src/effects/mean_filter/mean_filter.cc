#include "effects/mean_filter/mean_filter.h"

#include <array>
#include <cstddef>

#include "effects/effect_features.h"
#include "effects/mean_filter/mean_filter_paths.h"
#include "frame/checks.h"
#include "primitives/filters/kernel_filter.h"

namespace ryn::effects {
namespace {

// The two-plane filters take their N x N kernel from the front of this table; windows of more
// samples are refused.
constexpr int kKernelOfOnesLength = 600;
constexpr std::array<int32_t, kKernelOfOnesLength> kKernelOfOnes = [] {
  std::array<int32_t, kKernelOfOnesLength> ones{};
  ones.fill(1);
  return ones;
}();

}  // namespace

IppStatus MeanFilterInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                  int destinationStep, IppiSize region, int window, int mode) {
  const ResolvedMode resolved = ResolveEffectMode(mode);
  RYN_CHECK(resolved.status);
  if (resolved.path == EffectPath::kVector) {
    return MeanFilterInterleavedVector(source, sourceStep, destination, destinationStep, region, window);
  }
  return MeanFilterInterleavedPortable(source, sourceStep, destination, destinationStep, region, window);
}

IppStatus MeanFilterTwoPlane8u(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane, int chromaStep,
                               IppiSize frameSize, int window, InterleavedMeanFilterFn chromaFilter,
                               int mode) {
  RYN_CHECK(NotNull(lumaPlane));
  RYN_CHECK(PositiveSize(frameSize));
  RYN_CHECK(StepAtLeast(lumaStep, frameSize.width));
  if (window >= frameSize.width || window >= frameSize.height || window * window >= kKernelOfOnesLength) {
    return ippStsMaskSizeErr;
  }

  // The kernel filter reads the unfiltered plane even though it writes into it; its region is one
  // column and one row short of every position where the window fits.
  const int half = window / 2;
  uint8_t* centre = lumaPlane + static_cast<ptrdiff_t>(half) * lumaStep + half;
  const IppStatus lumaStatus = filters::FilterKernel8u(
      centre, lumaStep, centre, lumaStep, IppiSize{frameSize.width - window, frameSize.height - window},
      kKernelOfOnes.data(), IppiSize{window, window}, IppiPoint{half, half}, window * window);
  if (lumaStatus != ippStsNoErr) return lumaStatus;

  return chromaFilter(chromaPlane, chromaStep, chromaPlane, chromaStep,
                      IppiSize{frameSize.width, frameSize.height / 2}, mode);
}

}  // namespace ryn::effects
