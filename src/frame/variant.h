// The process-wide variant index and its selection from the processor's features.
#pragma once

#include <atomic>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn {

constexpr int kVariantCount = 6;

namespace detail {
extern std::atomic<int32_t> g_variantIndex;
}

// 0 until selection has run; every dispatched call reads it once.
inline int VariantIndex() { return detail::g_variantIndex.load(std::memory_order_relaxed); }

// Chooses the index from the feature mask and stores it. Returns 0, 36 (no SSE3) or 20 (the
// vendor is not GenuineIntel; the index is chosen as for any processor with the same features).
IppStatus SelectVariant();

// Forces the index. Tests only; values outside 0..5 are ignored.
void SetVariantIndexForTesting(int index);

struct VersionRecord {
  int32_t major;
  int32_t minor;
  int32_t majorBuild;
  int32_t build;
};

// The version record of the selected variant (the same record for every variant).
const VersionRecord* QueryVersion();

}  // namespace ryn
