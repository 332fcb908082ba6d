#include "primitives/arith/copy.h"
#include "primitives/fill/fill.h"

namespace ryn::arith {

// The fills' rule (above their threshold and at least the largest cache), with the traffic of
// reading and writing compared with the cache.
bool CopyPrefersStreaming(int64_t bytes) {
  return bytes > kStreamingCopyBytes && fill::PrefersNonTemporalStores(2 * bytes);
}

bool ConversionPrefersStreaming(int64_t trafficBytes) { return fill::PrefersNonTemporalStores(trafficBytes); }

}  // namespace ryn::arith
