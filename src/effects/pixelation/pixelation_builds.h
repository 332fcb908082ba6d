// The processor builds of the pixelations (pixelation_simd.cc).
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch_legacy.h"

namespace ryn::effects {

using Pixelate8uFn = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, IppiSize);
using PixelateInterleaved8uFn = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize, int, int);

TargetKernels<Pixelate8uFn> Pixelate8uBuilds();
TargetKernels<PixelateInterleaved8uFn> PixelateInterleaved8uBuilds();

// The AVX2 build of the interleaved pixelation: the effects' vector path. Call it only where
// EffectVectorPathAvailable() holds.
PixelateInterleaved8uFn PixelateInterleaved8uAvx2();

}  // namespace ryn::effects
