#include "frame/variant.h"

#include "frame/cpu_features.h"
#include "frame/cpuid.h"
#include "frame/dispatch.h"

namespace ryn {

namespace detail {
std::atomic<int32_t> g_variantIndex{0};
}

namespace {

bool Has(uint64_t mask, uint64_t features) { return (mask & features) == features; }

int IndexForFeatures(uint64_t mask) {
  if (Has(mask, kFeatureAvx | kFeatureAvxEnabledByOs)) return 5;
  if (Has(mask, kFeatureSse41)) return 4;
  if (Has(mask, kFeatureMovbe | kFeatureSsse3)) return 3;
  if (Has(mask, kFeatureSsse3)) return 2;
  if (Has(mask, kFeatureSse3)) return 1;
  return 0;
}

constexpr VersionRecord kVersion{7, 0, 205, 1084};

const VersionRecord* GenericVersion() { return &kVersion; }

// Every build reports the same record, so the generic one serves every entry.
constinit Dispatched<const VersionRecord*()> g_version{&GenericVersion, {}};

}  // namespace

IppStatus SelectVariant() {
  uint64_t mask = 0;
  IppStatus status = QueryCpuFeatures(&mask);
  int index = 0;
  if (status == ippStsNoErr) {
    index = IndexForFeatures(mask);
    if (index == 0) status = ippStsNotSupportedCpu;
  }
  detail::g_variantIndex.store(index, std::memory_order_relaxed);
  if (!IsGenuineIntel(ActiveCpuid().Cpuid(0, 0))) status = ippStsNonIntelCpu;
  return status;
}

void SetVariantIndexForTesting(int index) {
  if (index >= 0 && index < kVariantCount) detail::g_variantIndex.store(index, std::memory_order_relaxed);
}

const VersionRecord* QueryVersion() { return g_version(); }

}  // namespace ryn
