// Checks and block loops of the mosquito filter, compiled into every build: included inside the
// build's namespace (ryn::mosquito::generic, or ryn::mosquito::HWY_NAMESPACE) after the kernels of
// that build, which it calls by name: AnalyseBlockRow, FilterBlockRow. Includes nothing itself.
#if defined(RYN_MOSQUITO_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_MOSQUITO_PRIMITIVES_INL_H_
#undef RYN_MOSQUITO_PRIMITIVES_INL_H_
#else
#define RYN_MOSQUITO_PRIMITIVES_INL_H_
#endif

// The strong-gradient blocks among a block's left, right, upper-left, upper and upper-right
// neighbours.
inline int StrongNeighbours(const BlockRecord* records, int columns, int bx, int by) {
  const BlockRecord* row = records + static_cast<ptrdiff_t>(by) * columns;
  int count = 0;
  if (bx > 0) count += row[bx - 1].strongGradient;
  if (bx + 1 < columns) count += row[bx + 1].strongGradient;
  if (by > 0) {
    const BlockRecord* above = row - columns;
    if (bx > 0) count += above[bx - 1].strongGradient;
    count += above[bx].strongGradient;
    if (bx + 1 < columns) count += above[bx + 1].strongGradient;
  }
  return count;
}

IppStatus FilterDenoiseMosquito(const uint8_t* reference, const uint8_t* cleaned, int sourceStep,
                                uint8_t* destination, int destinationStep, IppiSize roi, MosquitoState* state) {
  RYN_CHECK(NotNull(state, reference, cleaned, destination));
  RYN_CHECK(HasWorkingMemory(*state));
  RYN_CHECK(ValidStateSize(*state));
  RYN_CHECK(RoiMatchesState(roi, *state));
  RYN_CHECK(HoldsOneWindow(*state));
  const ptrdiff_t step = sourceStep;
  const int columns = state->BlockColumns();
  const int rows = state->BlockRows();

  // Every pixel starts as a copy of the frame to clean; examined blocks then replace theirs.
  for (int y = 0; y < roi.height; ++y) {
    std::memcpy(destination + y * static_cast<ptrdiff_t>(destinationStep), cleaned + y * step,
                static_cast<size_t>(roi.width));
  }
  for (int by = 0; by < rows; ++by) {
    const ptrdiff_t windowRow = static_cast<ptrdiff_t>(by) * kBlockSize;
    const ptrdiff_t first = by * static_cast<ptrdiff_t>(columns);
    AnalyseBlockRow(reference + windowRow * step, cleaned + windowRow * step, step, columns, state->blocks + first,
                    state->edgeBits + first, *state);
  }
  // The neighbour total runs over the whole call: once a block has counted a strong-gradient
  // neighbour, every later block is examined.
  int neighbourTotal = 0;
  for (int by = 0; by < rows; ++by) {
    BlockRecord* row = state->blocks + by * static_cast<ptrdiff_t>(columns);
    for (int bx = 0; bx < columns; ++bx) {
      if (!row[bx].edge) neighbourTotal += StrongNeighbours(state->blocks, columns, bx, by);
      row[bx].neighbourCount = neighbourTotal;
    }
    const ptrdiff_t y = static_cast<ptrdiff_t>(by) * kBlockSize + kWindowMargin;
    const uint64_t* bits = state->edgeBits + by * static_cast<ptrdiff_t>(columns);
    FilterBlockRow(cleaned + y * step + kWindowMargin, reference + y * step + kWindowMargin, step,
                   destination + y * static_cast<ptrdiff_t>(destinationStep) + kWindowMargin, destinationStep, row,
                   bits, by + 1 < rows ? bits + columns : nullptr, columns);
  }
  return ippStsNoErr;
}

#endif
