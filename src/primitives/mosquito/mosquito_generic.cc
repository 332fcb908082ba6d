// The generic mosquito filter: plain C++, the reference for every processor build.
#include <cstring>

#include "frame/checks.h"
#include "primitives/mosquito/mosquito.h"
#include "primitives/mosquito/mosquito_checks.h"
#include "primitives/mosquito/mosquito_rules.h"

namespace ryn::mosquito::generic {
namespace {

// Each block's windows are copied into the state and analysed there.
void AnalyseBlockRow(const uint8_t* reference, const uint8_t* cleaned, ptrdiff_t step, int columns,
                     BlockRecord* records, uint64_t* edgeBits, MosquitoState& state) {
  for (int bx = 0; bx < columns; ++bx) {
    const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
    CopyWindow(cleaned + x, step, state.cleanedWindow);
    CopyWindow(reference + x, step, state.referenceWindow);
    records[bx] = AnalyseWindows(state.cleanedWindow, state.referenceWindow, edgeBits[bx]);
  }
}

// The examined blocks of one block row (the pointers at its first block's first pixel).
void FilterBlockRow(const uint8_t* cleaned, const uint8_t* reference, ptrdiff_t step, uint8_t* destination,
                    ptrdiff_t destinationStep, const BlockRecord* records, const uint64_t* edgeBits,
                    const uint64_t* edgeBitsBelow, int columns) {
  for (int bx = 0; bx < columns; ++bx) {
    if (!IsExamined(records[bx])) continue;
    const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
    FilterBlockPixels(cleaned + x, reference + x, step, destination + x, destinationStep,
                      MarkedRowsOf(edgeBits, edgeBitsBelow, bx, columns), records[bx]);
  }
}

}  // namespace

#include "primitives/mosquito/mosquito_primitives-inl.h"

}  // namespace ryn::mosquito::generic
