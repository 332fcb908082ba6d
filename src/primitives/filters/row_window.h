// The source rows a neighbourhood filter reads for each output row. Normally they are the
// caller's rows. When the destination overlaps the source (a plane filtered in place), each
// source row is saved as it enters the window, before its destination row is written, so
// every output is computed from the unfiltered image; other overlaps filter from a copy.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters {

struct WindowLayout {
  const void* source;  // the source pixel under output (0, 0)
  int sourceStep;
  const void* destination;
  int destinationStep;
  IppiSize region;      // output size
  int pixelBytes;
  int firstColumn;      // source columns read: firstColumn .. firstColumn + spanColumns - 1
  int64_t spanColumns;  // relative to the output column
  int firstRow;         // output row y reads source rows y + firstRow .. y + firstRow + windowRows - 1
  int windowRows;
  int rowsBehind;       // rows above the window that must stay readable from output row 1 on (0 or 1)
};

class RowWindow {
 public:
  explicit RowWindow(const WindowLayout& layout);

  // False when the saved rows could not be allocated.
  bool Ready() const { return mode_ == Mode::kCaller || saved_.Obtained(); }

  // Call before computing output row y, for y = 0, 1, 2, ... in order.
  void Enter(int y);

  // Source row r (counted from the output region's first row), addressed so that index c is
  // source column c.
  template <class T>
  const T* Row(int64_t r) const {
    return reinterpret_cast<const T*>(RowBytes(r));
  }

 private:
  enum class Mode { kCaller, kRing, kCopy };
  static Mode Choose(const WindowLayout& layout);
  const uint8_t* CallerRow(int64_t r) const;
  uint8_t* Slot(int64_t r) const;
  const uint8_t* RowBytes(int64_t r) const;
  void Save(int64_t r) const;

  WindowLayout layout_;
  Mode mode_;
  int64_t slotBytes_;
  int64_t slots_;
  ScratchBlock saved_;
};

}  // namespace ryn::filters
