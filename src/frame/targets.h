// Which of the library's processor builds the processor can run. Binding of dispatch entries
// uses the real processor only, so a fake feature word never routes a call into code that the
// processor cannot execute.
#pragma once

#include "frame/cpuid.h"

namespace ryn {

struct RunnableTargets {
  bool ssse3 = false;  // SSE3, SSSE3
  bool sse4 = false;   // the SSSE3 group, SSE4.1, SSE4.2, PCLMULQDQ, AES
  bool avx2 = false;   // the SSE4 group, AVX, AVX2, BMI1, BMI2, FMA, F16C, LZCNT, OS YMM state
  bool avx3 = false;   // the AVX2 group, AVX-512 F/VL/DQ/BW, OS opmask and ZMM state
};

RunnableTargets DeriveRunnableTargets(const CpuidSource& cpu);

// The targets of the real processor, derived once.
const RunnableTargets& HardwareTargets();

}  // namespace ryn
