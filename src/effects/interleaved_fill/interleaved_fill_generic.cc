// The generic interleaved fill: plain C++, the reference for every processor build.
#include <cstddef>
#include <cstdint>

#include "effects/interleaved_fill/interleaved_fill.h"
#include "frame/checks.h"

namespace ryn::effects::generic {
namespace {

void FillPairsRow(uint8_t* row, size_t pairs, uint8_t first, uint8_t second) {
  for (size_t i = 0; i < pairs; ++i) {
    row[2 * i] = first;
    row[2 * i + 1] = second;
  }
}

}  // namespace

#include "effects/interleaved_fill/interleaved_fill_primitives-inl.h"

}  // namespace ryn::effects::generic
