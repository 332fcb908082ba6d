#include "frame/cache_size.h"
#include "primitives/fill/fill.h"

namespace ryn::fill {

bool PrefersNonTemporalStores(int64_t bytes) {
  if (bytes <= kNonTemporalThresholdBytes) return false;
  int32_t largestCache = 0;
  return QueryLargestCacheSize(&largestCache) == ippStsNoErr && bytes >= largestCache;
}

}  // namespace ryn::fill
