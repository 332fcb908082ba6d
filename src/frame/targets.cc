#include "frame/targets.h"

namespace ryn {
namespace {

constexpr bool Bit(uint32_t word, int bit) { return ((word >> bit) & 1u) != 0; }

constexpr uint64_t kXcr0Ymm = 0x6;          // SSE and AVX state
constexpr uint64_t kXcr0Zmm = 0x6 | 0xE0;   // plus opmask, ZMM upper halves, ZMM 16..31

}  // namespace

RunnableTargets DeriveRunnableTargets(const CpuidSource& cpu) {
  RunnableTargets t;
  const uint32_t maxLeaf = cpu.Cpuid(0, 0).eax;
  const CpuidRegisters l1 = cpu.Cpuid(1, 0);
  const CpuidRegisters l7 = maxLeaf >= 7 ? cpu.Cpuid(7, 0) : CpuidRegisters{};
  const uint32_t maxExtended = cpu.Cpuid(0x80000000u, 0).eax;
  const CpuidRegisters e1 = maxExtended >= 0x80000001u ? cpu.Cpuid(0x80000001u, 0) : CpuidRegisters{};
  const uint64_t xcr0 = Bit(l1.ecx, 27) ? cpu.Xgetbv(0) : 0;

  t.ssse3 = Bit(l1.ecx, 0) && Bit(l1.ecx, 9);
  t.sse4 = t.ssse3 && Bit(l1.ecx, 19) && Bit(l1.ecx, 20) && Bit(l1.ecx, 1) && Bit(l1.ecx, 25);
  t.avx2 = t.sse4 && Bit(l1.ecx, 28) && Bit(l7.ebx, 5) && Bit(l7.ebx, 3) && Bit(l7.ebx, 8) &&
           Bit(l1.ecx, 12) && Bit(l1.ecx, 29) && Bit(e1.ecx, 5) && (xcr0 & kXcr0Ymm) == kXcr0Ymm;
  t.avx3 = t.avx2 && Bit(l7.ebx, 16) && Bit(l7.ebx, 31) && Bit(l7.ebx, 17) && Bit(l7.ebx, 30) &&
           (xcr0 & kXcr0Zmm) == kXcr0Zmm;
  return t;
}

const RunnableTargets& HardwareTargets() {
  static const RunnableTargets targets = DeriveRunnableTargets(HardwareCpuid());
  return targets;
}

}  // namespace ryn
