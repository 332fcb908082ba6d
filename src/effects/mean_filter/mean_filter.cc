// The processing modes of the interleaved mean filter and the two-plane composition.
#include "effects/mean_filter/mean_filter.h"

#include <array>
#include <cstddef>

#include "effects/processing_mode.h"
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

IppStatus FilterOnPath(EffectPath path, const uint8_t* source, int sourceStep, uint8_t* destination,
                       int destinationStep, IppiSize region, int window, const MeanFilterRules& portableRules) {
  if (path == EffectPath::kVector) {
    return FilterPairs8u.BuildOf(Build::kAvx2)(source, sourceStep, destination, destinationStep, region, window,
                                               VectorRules(window));
  }
  return FilterPairs8u(source, sourceStep, destination, destinationStep, region, window, portableRules);
}

}  // namespace

IppStatus MeanFilterInterleaved8u(const uint8_t* source, int sourceStep, uint8_t* destination,
                                  int destinationStep, IppiSize region, int window, int mode) {
  const ResolvedMode resolved = ResolveMode(mode, VectorPathAvailable());
  RYN_CHECK(resolved.status);
  return FilterOnPath(resolved.path, source, sourceStep, destination, destinationStep, region, window,
                      kPortableRules);
}

IppStatus MeanFilterTwoPlane8u(uint8_t* lumaPlane, int lumaStep, uint8_t* chromaPlane, int chromaStep,
                               IppiSize frameSize, int lumaWindow, int chromaWindow, int mode) {
  RYN_CHECK(NotNull(lumaPlane));
  RYN_CHECK(PositiveSize(frameSize));
  RYN_CHECK(StepAtLeast(lumaStep, frameSize.width));
  if (lumaWindow >= frameSize.width || lumaWindow >= frameSize.height ||
      lumaWindow * lumaWindow >= kKernelOfOnesLength) {
    return ippStsMaskSizeErr;
  }

  // The kernel filter reads the unfiltered plane even though it writes into it; its region is one
  // column and one row short of every position where the window fits.
  const int half = lumaWindow / 2;
  uint8_t* centre = lumaPlane + static_cast<ptrdiff_t>(half) * lumaStep + half;
  const IppStatus lumaStatus = filters::FilterKernel8u(
      centre, lumaStep, centre, lumaStep, IppiSize{frameSize.width - lumaWindow, frameSize.height - lumaWindow},
      kKernelOfOnes.data(), IppiSize{lumaWindow, lumaWindow}, IppiPoint{half, half}, lumaWindow * lumaWindow);
  if (lumaStatus != ippStsNoErr) return lumaStatus;

  // The chroma plane in place, as the interleaved export of the same name filters it into another
  // buffer, on either path: both keep the rows their later windows still need.
  const ResolvedMode resolved = ResolveMode(mode, VectorPathAvailable());
  RYN_CHECK(resolved.status);
  return FilterOnPath(resolved.path, chromaPlane, chromaStep, chromaPlane, chromaStep,
                      IppiSize{frameSize.width, frameSize.height / 2}, chromaWindow, kPortableInPlaceRules);
}

}  // namespace ryn::effects
