#include "frame/cpu_features.h"

#include <atomic>
#include <cstring>

#include "frame/cache_size.h"

namespace ryn {
namespace {

// Plain words without a lock: every writer stores the same mask.
std::atomic<uint64_t> g_featureMask{0};
std::atomic<bool> g_featureMaskKnown{false};

// The effects' words: the four registers of each leaf and a marker, stored last, that says they
// are valid. Plain words as well: concurrent first calls store equal values.
constexpr uint32_t kEffectWordsValid = 0xAFE85092;
struct StoredEffectWords {
  std::atomic<uint32_t> leaf1[4];
  std::atomic<uint32_t> leaf7[4];
  std::atomic<uint32_t> marker;
};
StoredEffectWords g_effectWords{};

void StoreRegisters(std::atomic<uint32_t> (&words)[4], const CpuidRegisters& r) {
  words[0].store(r.eax, std::memory_order_relaxed);
  words[1].store(r.ebx, std::memory_order_relaxed);
  words[2].store(r.ecx, std::memory_order_relaxed);
  words[3].store(r.edx, std::memory_order_relaxed);
}

CpuidRegisters LoadRegisters(const std::atomic<uint32_t> (&words)[4]) {
  return CpuidRegisters{words[0].load(std::memory_order_relaxed), words[1].load(std::memory_order_relaxed),
                        words[2].load(std::memory_order_relaxed), words[3].load(std::memory_order_relaxed)};
}

constexpr bool Bit(uint32_t word, int bit) { return ((word >> bit) & 1u) != 0; }

struct FeatureBit {
  uint64_t feature;
  bool fromEcx;  // else EDX
  int bit;
};

constexpr FeatureBit kLeaf1Bits[] = {
    {kFeatureMmx, false, 23},    {kFeatureSse, false, 25},       {kFeatureSse2, false, 26},
    {kFeatureSse3, true, 0},     {kFeatureSsse3, true, 9},       {kFeatureMovbe, true, 22},
    {kFeatureSse41, true, 19},   {kFeatureSse42, true, 20},      {kFeatureAvx, true, 28},
    {kFeatureAes, true, 25},     {kFeaturePclmulqdq, true, 1},   {kFeatureRdrand, true, 30},
    {kFeatureF16c, true, 29},
};

constexpr uint32_t kXsaveBit = 27;
constexpr uint32_t kAvxBit = 28;
constexpr uint64_t kXcr0SseAndAvxState = 0x6;
constexpr uint32_t kFamily11 = 0xB;
constexpr uint32_t kFamily11ExtensionLeaf = 0x20000001;

}  // namespace

uint64_t ComputeCpuFeatures(const CpuidSource& cpu) {
  const CpuidRegisters leaf1 = cpu.Cpuid(1, 0);
  uint64_t mask = 0;
  for (const FeatureBit& f : kLeaf1Bits) {
    if (Bit(f.fromEcx ? leaf1.ecx : leaf1.edx, f.bit)) mask |= f.feature;
  }
  if (Bit(leaf1.ecx, kXsaveBit) && Bit(leaf1.ecx, kAvxBit) &&
      (cpu.Xgetbv(0) & kXcr0SseAndAvxState) == kXcr0SseAndAvxState) {
    mask |= kFeatureAvxEnabledByOs;
  }
  if (((leaf1.eax >> 8) & 0xF) == kFamily11 && Bit(cpu.Cpuid(kFamily11ExtensionLeaf, 0).edx, 1)) {
    mask |= kFeatureFamily11Extension;
  }
  return mask;
}

IppStatus QueryCpuFeatures(uint64_t* mask, uint32_t* leaf1Registers) {
  if (mask == nullptr) return ippStsNullPtrErr;
  const CpuidSource& cpu = ActiveCpuid();
  if (!g_featureMaskKnown.load(std::memory_order_acquire)) {
    g_featureMask.store(ComputeCpuFeatures(cpu), std::memory_order_relaxed);
    g_featureMaskKnown.store(true, std::memory_order_release);
  }
  *mask = g_featureMask.load(std::memory_order_relaxed);
  if (leaf1Registers != nullptr) {
    const CpuidRegisters leaf1 = cpu.Cpuid(1, 0);
    leaf1Registers[0] = leaf1.eax;
    leaf1Registers[1] = leaf1.ebx;
    leaf1Registers[2] = leaf1.ecx;
    leaf1Registers[3] = leaf1.edx;
  }
  return ippStsNoErr;
}

EffectFeatureWords QueryEffectFeatureWords() {
  if (g_effectWords.marker.load(std::memory_order_acquire) != kEffectWordsValid) {
    const CpuidSource& cpu = ActiveCpuid();
    StoreRegisters(g_effectWords.leaf1, cpu.Cpuid(1, 0));
    StoreRegisters(g_effectWords.leaf7, cpu.Cpuid(7, 0));
    g_effectWords.marker.store(kEffectWordsValid, std::memory_order_release);
  }
  return EffectFeatureWords{LoadRegisters(g_effectWords.leaf1), LoadRegisters(g_effectWords.leaf7)};
}

bool IsGenuineIntel(const CpuidRegisters& leaf0) {
  char vendor[12];
  std::memcpy(vendor, &leaf0.ebx, 4);
  std::memcpy(vendor + 4, &leaf0.edx, 4);
  std::memcpy(vendor + 8, &leaf0.ecx, 4);
  return std::memcmp(vendor, "GenuineIntel", 12) == 0;
}

void ResetCpuCachesForTesting() {
  g_featureMaskKnown.store(false, std::memory_order_release);
  g_featureMask.store(0, std::memory_order_relaxed);
  g_effectWords.marker.store(0, std::memory_order_release);
  ResetLargestCacheSizeForTesting();
}

}  // namespace ryn
