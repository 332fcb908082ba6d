// Where the interleaved mean filter works and what it writes. Every build runs the same rows: the
// column sums of the window's rows slide down by adding the entering row and subtracting the
// leaving one, and each output row comes from the column sums along the row; the cost per pixel
// does not depend on the window. When the destination may overlap the source (in place), each
// source row is copied into a ring as it enters, before any output row that could overwrite it
// is written, and leaves from there: every output comes from the unfiltered plane.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/image_view.h"

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

// What a row kernel works on: sums over the `rowBytes` bytes of the region's whole pairs.
struct SlidingSums {
  uint16_t* columnSums;  // per byte, the sum of the window's rows
  uint8_t* prefix;       // per byte, sums along the row (32-bit, or 16-bit in some builds), with zeros in front
  int rowBytes;
  int window;
};

// True when some byte of the destination rows may be a byte of the source rows (steps at least
// the width).
bool RegionsOverlap(const ImageView<const uint8_t>& source, const ImageView<uint8_t>& destination);

// The working memory of one call, zeroed: the column sums, the prefix sums, a row of zeros and,
// when the rows are copied, a ring of window + 1 row copies.
class MeanFilterWorkspace {
 public:
  // Zero prefix sums in front of the first column, read by the windows of the first valid pairs.
  static constexpr int kPrefixLeadBytes = 64;

  MeanFilterWorkspace(const ImageView<const uint8_t>& input, int window, bool copiesRows);
  ~MeanFilterWorkspace();
  MeanFilterWorkspace(const MeanFilterWorkspace&) = delete;
  MeanFilterWorkspace& operator=(const MeanFilterWorkspace&) = delete;

  // False when the memory could not be had.
  explicit operator bool() const { return block_ != nullptr; }

  // Source row `index` as it enters the window: its copy in the ring, or the row itself.
  const uint8_t* Enter(int index);
  // Row `index` as it leaves the window: zeros for rows above the region (index < 0).
  const uint8_t* Leave(int index) const;

  const SlidingSums& sums() const { return sums_; }

 private:
  const uint8_t* Slot(int index) const;

  ImageView<const uint8_t> input_;
  bool copiesRows_;
  int slots_;
  uint8_t* block_ = nullptr;
  uint8_t* ring_ = nullptr;
  const uint8_t* zeros_ = nullptr;
  SlidingSums sums_{};
};

}  // namespace ryn::effects
