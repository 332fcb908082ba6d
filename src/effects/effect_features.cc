#include "effects/effect_features.h"

#include <atomic>

#include "frame/cpuid.h"
#include "frame/targets.h"

namespace ryn {
namespace {

constexpr uint32_t kValidMarker = 0xAFE85092;

// Leaf 1 and leaf 7 registers with their validity marker. Plain words: concurrent first calls
// store equal values; the marker is stored last.
struct FeatureWords {
  std::atomic<uint32_t> leaf1[4];
  std::atomic<uint32_t> leaf7[4];
  std::atomic<uint32_t> marker;
};
FeatureWords g_words{};

void Store(std::atomic<uint32_t> (&words)[4], const CpuidRegisters& r) {
  words[0].store(r.eax, std::memory_order_relaxed);
  words[1].store(r.ebx, std::memory_order_relaxed);
  words[2].store(r.ecx, std::memory_order_relaxed);
  words[3].store(r.edx, std::memory_order_relaxed);
}

void ReadFeatureWordsOnce() {
  if (g_words.marker.load(std::memory_order_acquire) == kValidMarker) return;
  const CpuidSource& cpu = ActiveCpuid();
  Store(g_words.leaf1, cpu.Cpuid(1, 0));
  Store(g_words.leaf7, cpu.Cpuid(7, 0));
  g_words.marker.store(kValidMarker, std::memory_order_release);
}

// 0 automatic, 1 portable path, 2 vector path (refused when it cannot run), anything else nothing.
ResolvedMode ResolveMode(int mode, bool vectorAvailable) {
  switch (mode) {
    case 0:
      return {ippStsNoErr, vectorAvailable ? EffectPath::kVector : EffectPath::kPortable};
    case 1:
      return {ippStsNoErr, EffectPath::kPortable};
    case 2:
      if (vectorAvailable) return {ippStsNoErr, EffectPath::kVector};
      return {ippStsCpuNotSupportedErr, EffectPath::kPortable};
    default:
      return {ippStsNoOperation, EffectPath::kPortable};
  }
}

}  // namespace

bool EffectVectorPathAvailable() {
  ReadFeatureWordsOnce();
  const uint32_t ecx1 = g_words.leaf1[2].load(std::memory_order_relaxed);
  const uint32_t ebx7 = g_words.leaf7[1].load(std::memory_order_relaxed);
  const bool avx2 = (ebx7 >> 5) & 1u;
  const bool avxOrSsse3 = ((ecx1 >> 28) & 1u) || ((ecx1 >> 9) & 1u);
  // The feature words alone do not say that the operating system saves the YMM registers; a
  // processor whose system does not would fault in the AVX2 path, so it must also be runnable.
  return avx2 && avxOrSsse3 && HardwareTargets().avx2;
}

ResolvedMode ResolveEffectMode(int mode) { return ResolveMode(mode, EffectVectorPathAvailable()); }

bool EffectAvxReported() {
  ReadFeatureWordsOnce();
  return (g_words.leaf1[2].load(std::memory_order_relaxed) >> 28) & 1u;
}

// The fill's vector path stores with SSE2, which every x86-64 processor runs, so the reported bit
// alone decides and no operating-system state is needed.
ResolvedMode ResolveInterleavedFillMode(int mode) { return ResolveMode(mode, EffectAvxReported()); }

void ResetEffectFeatureWordsForTesting() { g_words.marker.store(0, std::memory_order_release); }

}  // namespace ryn
