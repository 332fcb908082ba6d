// The processor builds of the fills and copies (fill_simd.cc), one set per primitive.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::fill {

using Set8uFn = IppStatus (*)(uint8_t*, IppiSize, int, uint8_t);
using Set16uFn = IppStatus (*)(uint16_t*, IppiSize, int, uint16_t);
using Set32Fn = IppStatus (*)(uint32_t*, IppiSize, int, uint32_t);
using SetMasked8uFn = IppStatus (*)(uint8_t*, int, const uint8_t*, int, IppiSize, uint8_t);
using SetMasked32Fn = IppStatus (*)(uint32_t*, int, const uint8_t*, int, IppiSize, uint32_t);
using Copy32Fn = IppStatus (*)(const uint32_t*, uint32_t*, int);

TargetKernels<Set8uFn> Set8uBuilds();
TargetKernels<Set16uFn> Set16uBuilds();
TargetKernels<Set32Fn> Set32Builds();
TargetKernels<SetMasked8uFn> SetMasked8uBuilds();
TargetKernels<SetMasked32Fn> SetMasked32Builds();
TargetKernels<Copy32Fn> Copy32Builds();

}  // namespace ryn::fill
