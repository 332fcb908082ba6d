// The size of the processor's largest data cache, which decides whether large fills and copies
// write around the cache. Computed once per process.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn {

struct CacheDescriptor {
  uint8_t descriptor;
  int32_t bytes;
};

// The CPUID leaf-2 descriptors of data and unified caches, largest first, ending at descriptor 0.
extern const CacheDescriptor kLeaf2CacheDescriptors[];
extern const int kLeaf2CacheDescriptorCount;  // without the terminating row

// Writes the largest cache size in bytes (0 when unknown) and returns 0, 36 (processor does not
// qualify, size unchanged) or 37 (no data cache found); -8 without `bytes`.
IppStatus QueryLargestCacheSize(int32_t* bytes);

void ResetLargestCacheSizeForTesting();

}  // namespace ryn
