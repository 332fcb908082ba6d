#include "primitives/stats/histogram_levels.h"

#include <cstdint>

namespace ryn::stats {

void EvenLevels(int levelCount, int lowerLevel, int upperLevel, int* levels) {
  const int64_t steps = int64_t{levelCount} - 1;
  const int64_t span = int64_t{upperLevel} - lowerLevel;
  // Truncating division: the remainder takes the sign of the span.
  const int64_t quotient = span / steps;
  const int64_t remainder = span % steps;
  int64_t level = lowerLevel;
  levels[0] = lowerLevel;
  for (int64_t k = 0; k < steps; ++k) {
    if (quotient >= 0) {
      level += quotient + (k < remainder ? 1 : 0);
    } else {
      level += quotient - (k < -remainder ? 1 : 0);
    }
    // Every level lies between lowerLevel and upperLevel.
    levels[k + 1] = static_cast<int>(level);
  }
}

}  // namespace ryn::stats
