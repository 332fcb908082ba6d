// Hands out the per-target builds of a Highway kernel file. Include inside `#if HWY_ONCE`, in the
// namespace that holds the per-target namespaces (N_SSSE3, N_SSE4, N_AVX2, N_AVX3).
#pragma once

#include <hwy/highway.h>

#include "frame/dispatch_legacy.h"

#if HWY_TARGETS & HWY_SSSE3
#define RYN_HWY_SSSE3_ENTRY(fn) &N_SSSE3::fn
#else
#define RYN_HWY_SSSE3_ENTRY(fn) nullptr
#endif
#if HWY_TARGETS & HWY_SSE4
#define RYN_HWY_SSE4_ENTRY(fn) &N_SSE4::fn
#else
#define RYN_HWY_SSE4_ENTRY(fn) nullptr
#endif
#if HWY_TARGETS & HWY_AVX2
#define RYN_HWY_AVX2_ENTRY(fn) &N_AVX2::fn
#else
#define RYN_HWY_AVX2_ENTRY(fn) nullptr
#endif
#if HWY_TARGETS & HWY_AVX3
#define RYN_HWY_AVX3_ENTRY(fn) &N_AVX3::fn
#else
#define RYN_HWY_AVX3_ENTRY(fn) nullptr
#endif

// TargetKernels{...} of the per-target builds of `fn`.
#define RYN_HWY_KERNELS(fn) \
  {RYN_HWY_SSSE3_ENTRY(fn), RYN_HWY_SSE4_ENTRY(fn), RYN_HWY_AVX2_ENTRY(fn), RYN_HWY_AVX3_ENTRY(fn)}
