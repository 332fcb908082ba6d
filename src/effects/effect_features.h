// The processor feature words of the library's own effects (pixelation, mean filters): CPUID
// leaves 1 and 7, read on the first call that needs them and kept for the process.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn {

// Which implementation an effect runs.
enum class EffectPath { kPortable, kVector };

struct ResolvedMode {
  IppStatus status;  // ippStsNoErr, or the status to return at once
  EffectPath path;
};

// True when the vector (AVX2) path can run: leaf 7 EBX bit 5, and leaf 1 ECX bit 28 or bit 9,
// on a processor whose system has enabled the AVX state.
bool EffectVectorPathAvailable();

// Resolves an effect's processing mode: 0 automatic, 1 portable path, 2 vector path.
// Mode 2 without the vector path gives ippStsCpuNotSupportedErr; any other mode
// ippStsNoOperation.
ResolvedMode ResolveEffectMode(int mode);

// True when CPUID leaf 1 reports ECX bit 28 (AVX).
bool EffectAvxReported();

// Resolves the processing mode of the interleaved fill, which asks for AVX rather than AVX2:
// 0 becomes the vector path when AVX is reported, else the portable path; otherwise as
// ResolveEffectMode.
ResolvedMode ResolveInterleavedFillMode(int mode);

void ResetEffectFeatureWordsForTesting();

}  // namespace ryn
