// Remap: the argument stage and the rows of the destination, each sampled through its maps.
#include <algorithm>

#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"

namespace ryn::geometry {

IppStatus Remap8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect region, const float* xMap,
                  int xMapStep, const float* yMap, int yMapStep, uint8_t* destination, int destinationStep,
                  IppiSize destinationSize, int interpolation, int channels) {
  if (source == nullptr || destination == nullptr || xMap == nullptr || yMap == nullptr) return ippStsNullPtrErr;
  if (sourceSize.width < 1 || sourceSize.height < 1 || region.x < 0 || region.y < 0 || region.width < 1 ||
      region.height < 1 || destinationSize.width < 1 || destinationSize.height < 1) {
    return ippStsSizeErr;
  }
  const bool smooth = (static_cast<uint32_t>(interpolation) & kEdgeBlend) != 0;
  int mode = static_cast<int>(static_cast<uint32_t>(interpolation) & ~kEdgeBlend);
  if (mode != kNearest && mode != kLinear && mode != kCubicLagrange && mode != kCatmullRom && mode != kLanczos) {
    return ippStsInterpolationErr;
  }
  if (sourceStep < 1 || destinationStep < 1 || xMapStep < 1 || yMapStep < 1) return ippStsStepErr;
  if (region.x >= sourceSize.width || region.y >= sourceSize.height) return ippStsWrongIntersectROI;
  region.width = std::min(region.width, sourceSize.width - region.x);
  region.height = std::min(region.height, sourceSize.height - region.y);
  const int narrowest = std::min(sourceSize.width, sourceSize.height);
  if (narrowest < 6 && mode == kLanczos) mode = kCubicLagrange;
  if (narrowest < 4 && (mode == kCubicLagrange || mode == kCatmullRom)) mode = kLinear;
  if (narrowest == 1) mode = kNearest;
  const SourcePlane plane{
      source, sourceStep, region.x, region.y, region.x + region.width - 1, region.y + region.height - 1, channels};
  const auto* xBytes = reinterpret_cast<const uint8_t*>(xMap);
  const auto* yBytes = reinterpret_cast<const uint8_t*>(yMap);
  for (int y = 0; y < destinationSize.height; ++y) {
    RemapRow(plane, reinterpret_cast<const float*>(xBytes + static_cast<ptrdiff_t>(y) * xMapStep),
             reinterpret_cast<const float*>(yBytes + static_cast<ptrdiff_t>(y) * yMapStep), mode, smooth,
             destinationSize.width, destination + static_cast<ptrdiff_t>(y) * destinationStep);
  }
  return ippStsNoErr;
}

}  // namespace ryn::geometry
