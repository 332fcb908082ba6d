// The 256-entry table of the linear lookup, built on the caller's stack for each call.
#pragma once

#include <cstdint>

namespace ryn::arith {

// Every entry starts as itself. Then, for each pair of consecutive levels that rises, with its
// first level clamped to 0..255 and its second to 0..256, the entries from the first up to (not
// including) the second are interpolated between the pair's values, rounded half up and clamped to
// 0..255; later pairs overwrite earlier ones. A pair one entry wide after clamping gives that entry
// its first value. `levelCount` >= 2.
void BuildLinearTable(const int32_t* values, const int32_t* levels, int levelCount, uint8_t table[256]);

}  // namespace ryn::arith
