// The library's processor facts read through CPUID, each once per process: the feature mask of
// variant selection (leaf 1) and the feature words of the library's own effects (leaves 1 and 7).
// Which builds the processor runs is derived apart, from the hardware only (frame/targets.h).
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/cpuid.h"

namespace ryn {

enum CpuFeature : uint64_t {
  kFeatureMmx = 0x1,
  kFeatureSse = 0x2,
  kFeatureSse2 = 0x4,
  kFeatureSse3 = 0x8,
  kFeatureSsse3 = 0x10,
  kFeatureMovbe = 0x20,
  kFeatureSse41 = 0x40,
  kFeatureSse42 = 0x80,
  kFeatureAvx = 0x100,
  kFeatureAvxEnabledByOs = 0x200,
  kFeatureAes = 0x400,
  kFeaturePclmulqdq = 0x800,
  kFeatureFamily11Extension = 0x1000,
  kFeatureRdrand = 0x2000,
  kFeatureF16c = 0x4000,
};

// Writes the feature mask (computed on the first call and kept); when `leaf1Registers` is given,
// it receives EAX, EBX, ECX, EDX of CPUID leaf 1 read afresh. -8 without `mask`.
IppStatus QueryCpuFeatures(uint64_t* mask, uint32_t* leaf1Registers = nullptr);

// The mask as the given source describes it, without the cache.
uint64_t ComputeCpuFeatures(const CpuidSource& cpu);

// CPUID leaves 1 and 7 (sub-leaf 0) as the own effects read them to choose their path.
struct EffectFeatureWords {
  CpuidRegisters leaf1;
  CpuidRegisters leaf7;
};

// The effects' feature words, read on the first call and kept for the process.
EffectFeatureWords QueryEffectFeatureWords();

// True when CPUID leaf 0 names the vendor "GenuineIntel".
bool IsGenuineIntel(const CpuidRegisters& leaf0);

// Forgets the cached feature mask, the effects' feature words and the cached largest cache size.
// Tests only.
void ResetCpuCachesForTesting();

}  // namespace ryn
