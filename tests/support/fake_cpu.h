// A processor described by register values, installed in place of the hardware.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "frame/cpu_features.h"
#include "frame/cpuid.h"
#include "frame/variant.h"

namespace ryn::test {

class FakeCpu final : public CpuidSource {
 public:
  // A processor of `vendor` with the given leaf-1 ECX and EDX words and highest basic leaf.
  explicit FakeCpu(const std::string& vendor = "GenuineIntel", uint32_t ecx1 = 0, uint32_t edx1 = 0,
                   uint32_t maxLeaf = 7) {
    CpuidRegisters leaf0{maxLeaf, 0, 0, 0};
    std::memcpy(&leaf0.ebx, vendor.data(), 4);
    std::memcpy(&leaf0.edx, vendor.data() + 4, 4);
    std::memcpy(&leaf0.ecx, vendor.data() + 8, 4);
    Set(0, 0, leaf0);
    Set(1, 0, CpuidRegisters{0x000306C3, 0, ecx1, edx1});
  }

  FakeCpu& Set(uint32_t leaf, uint32_t subleaf, CpuidRegisters registers) {
    leaves_[{leaf, subleaf}] = registers;
    return *this;
  }
  FakeCpu& SetXcr0(uint64_t value) {
    xcr0_ = value;
    return *this;
  }
  mutable int cpuidCalls = 0;

  CpuidRegisters Cpuid(uint32_t leaf, uint32_t subleaf) const override {
    ++cpuidCalls;
    const auto found = leaves_.find({leaf, subleaf});
    return found != leaves_.end() ? found->second : CpuidRegisters{};
  }
  uint64_t Xgetbv(uint32_t) const override { return xcr0_; }

 private:
  std::map<std::pair<uint32_t, uint32_t>, CpuidRegisters> leaves_;
  uint64_t xcr0_ = 0;
};

// Installs a fake processor and forgets every cached processor fact; restores the hardware on
// destruction.
class ScopedFakeCpu {
 public:
  explicit ScopedFakeCpu(const CpuidSource& fake) : variantIndex_(VariantIndex()) {
    SetCpuidSourceForTesting(&fake);
    ForgetProcessorFacts();
  }
  ~ScopedFakeCpu() {
    SetCpuidSourceForTesting(nullptr);
    ForgetProcessorFacts();
    SetVariantIndexForTesting(variantIndex_);
  }
  ScopedFakeCpu(const ScopedFakeCpu&) = delete;
  ScopedFakeCpu& operator=(const ScopedFakeCpu&) = delete;

 private:
  static void ForgetProcessorFacts() { ResetCpuCachesForTesting(); }
  int variantIndex_;
};

}  // namespace ryn::test
