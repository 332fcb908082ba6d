// Where the interleaved mean filter works and what it writes. Every build runs the same rows:
// each source row is copied into a ring before any output row that could overwrite it is
// written, the column sums of the window's rows slide down by adding the entering row and
// subtracting the leaving one (taken from the ring, so an in-place call subtracts the unfiltered
// row), and each output row comes from the column sums along the row. The cost per pixel does
// not depend on the window.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// The output pairs whose whole window lies in the region: rows [firstRow, endRow) and pairs
// [firstPair, endPair). A trailing odd byte of the region belongs to no pair.
struct ValidArea {
  int firstRow;
  int endRow;
  int firstPair;
  int endPair;

  bool Empty() const { return firstRow >= endRow || firstPair >= endPair; }
};

inline ValidArea ValidAreaOf(IppiSize region, int window) {
  const int half = window / 2;
  const int pairs = region.width / 2;
  return ValidArea{half, region.height - half, half, pairs - half};
}

// What a row kernel works on. Column sums and prefix sums run over `paddedBytes` columns, a whole
// number of the widest vectors; the columns past `rowBytes` stay zero.
struct SlidingSums {
  uint16_t* columnSums;  // per byte, the sum of the window's rows
  uint8_t* prefix;       // per byte, sums along the row (32-bit, or 16-bit in some builds), with zeros in front
  int rowBytes;          // the bytes of the region's whole pairs
  int paddedBytes;
  int window;
};

// The working memory of one call, zeroed: a ring of window + 1 row copies, the column sums and
// the prefix sums.
class MeanFilterWorkspace {
 public:
  // Zero prefix sums in front of the first column, read by the windows of the first valid pairs.
  static constexpr int kPrefixLeadBytes = 64;

  MeanFilterWorkspace(int rowBytes, int window);
  ~MeanFilterWorkspace();
  MeanFilterWorkspace(const MeanFilterWorkspace&) = delete;
  MeanFilterWorkspace& operator=(const MeanFilterWorkspace&) = delete;

  // False when the memory could not be had.
  explicit operator bool() const { return block_ != nullptr; }

  // Copies source row `index` into its slot and returns the copy.
  const uint8_t* Keep(int index, const uint8_t* row);
  // The copy of row `index`: the slot after the newest row's holds the oldest row, or zeros
  // while no row has used it.
  const uint8_t* Kept(int index) const;

  const SlidingSums& sums() const { return sums_; }

 private:
  uint8_t* block_ = nullptr;
  uint8_t* ring_ = nullptr;
  int slots_ = 0;
  SlidingSums sums_{};
};

}  // namespace ryn::effects
