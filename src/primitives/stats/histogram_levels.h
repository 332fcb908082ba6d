// The level boundaries of an even histogram.
#pragma once

namespace ryn::stats {

// Writes levelCount (at least 2) levels from lowerLevel to upperLevel: the span divided into
// levelCount - 1 steps by truncating division, the first |remainder| steps one larger in magnitude.
// When the span is smaller in magnitude than the number of steps and negative, every level is
// lowerLevel. The span is formed in 64 bits, so extreme levels do not wrap.
void EvenLevels(int levelCount, int lowerLevel, int upperLevel, int* levels);

}  // namespace ryn::stats
