// The generic mosquito filter: plain C++, the reference for every processor build.
#include <cstring>

#include "frame/checks.h"
#include "primitives/mosquito/mosquito.h"
#include "primitives/mosquito/mosquito_checks.h"
#include "primitives/mosquito/mosquito_rules.h"

namespace ryn::mosquito::generic {
namespace {

// Each block's windows are copied into the state and analysed there.
void AnalyseBlockRow(const uint8_t* reference, const uint8_t* cleaned, ptrdiff_t step, int columns, uint8_t* map,
                     ptrdiff_t mapStride, BlockRecord* records, MosquitoState& state) {
  for (int bx = 0; bx < columns; ++bx) {
    const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
    CopyWindow(cleaned + x, step, state.cleanedWindow);
    CopyWindow(reference + x, step, state.referenceWindow);
    records[bx] = AnalyseWindows(state.cleanedWindow, state.referenceWindow, map + x, mapStride);
  }
}

void FilterBlock(const uint8_t* cleaned, const uint8_t* reference, ptrdiff_t step, uint8_t* destination,
                 ptrdiff_t destinationStep, const uint8_t* map, ptrdiff_t mapStride, const BlockRecord& block) {
  for (int y = 0; y < kBlockSize; ++y) {
    for (int x = 0; x < kBlockSize; ++x) {
      destination[y * destinationStep + x] =
          FilterPixel(cleaned + y * step + x, reference + y * step + x, step, map + y * mapStride + x, mapStride, block);
    }
  }
}

}  // namespace

#include "primitives/mosquito/mosquito_primitives-inl.h"

}  // namespace ryn::mosquito::generic
