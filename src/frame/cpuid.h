// The processor's identification instructions, behind one small interface so that tests can
// describe any processor with fake register values.
#pragma once

#include <cstdint>

namespace ryn {

struct CpuidRegisters {
  uint32_t eax = 0;
  uint32_t ebx = 0;
  uint32_t ecx = 0;
  uint32_t edx = 0;
};

class CpuidSource {
 public:
  virtual ~CpuidSource() = default;
  virtual CpuidRegisters Cpuid(uint32_t leaf, uint32_t subleaf) const = 0;
  // Extended control register `index`; only meaningful when CPUID reports OSXSAVE.
  virtual uint64_t Xgetbv(uint32_t index) const = 0;
};

// The real processor.
const CpuidSource& HardwareCpuid();

// The source every feature query reads: the hardware unless a test installed a fake.
const CpuidSource& ActiveCpuid();

// Installs `fake` (nullptr restores the hardware). Tests only; the caller keeps `fake` alive.
void SetCpuidSourceForTesting(const CpuidSource* fake);

}  // namespace ryn
