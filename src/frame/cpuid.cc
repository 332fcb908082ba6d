#include "frame/cpuid.h"

#include <atomic>
#include <cpuid.h>

namespace ryn {
namespace {

class HardwareCpuidSource final : public CpuidSource {
 public:
  CpuidRegisters Cpuid(uint32_t leaf, uint32_t subleaf) const override {
    CpuidRegisters r;
    __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
    return r;
  }

  uint64_t Xgetbv(uint32_t index) const override {
    uint32_t low = 0;
    uint32_t high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(index));
    return (static_cast<uint64_t>(high) << 32) | low;
  }
};

const HardwareCpuidSource kHardware;
std::atomic<const CpuidSource*> g_fake{nullptr};

}  // namespace

const CpuidSource& HardwareCpuid() { return kHardware; }

const CpuidSource& ActiveCpuid() {
  const CpuidSource* fake = g_fake.load(std::memory_order_acquire);
  return fake != nullptr ? *fake : kHardware;
}

void SetCpuidSourceForTesting(const CpuidSource* fake) {
  g_fake.store(fake, std::memory_order_release);
}

}  // namespace ryn
