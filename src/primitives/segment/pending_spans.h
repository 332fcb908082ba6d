// The flood fill's record of work still to do, kept in the caller's working buffer.
//
// A filled pixel is pending until the rows above and below it have been scanned for pixels to fill
// next. Pending pixels are kept as one bit per pixel of the region, with one summary bit per 64
// pixel bits so that runs are found without reading empty words, and the rows holding pending
// pixels wait on a stack that holds each row at most once. Every pending span of a row is taken
// when its row comes off the stack.
//
// The space needed depends on the region only: BytesFor(region) is at most W H / 8 + W H / 512 +
// 4.2 H + 32 bytes, inside the 6 W H + 32 bytes the size queries promise for every W, H >= 1 (less
// the 7 bytes that aligning the caller's buffer to 8 may cost). A stack of span records, by
// contrast, can need more: filling rows that alternate between a full row and every other pixel
// leaves about W H / 4 spans waiting at once, more than fit in the promised buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::segment {

class PendingSpans {
 public:
  // Bytes of working memory for a region of at least one pixel.
  static int64_t BytesFor(IppiSize region);

  // Lays the record out in `memory` (8-byte aligned, BytesFor(region) bytes) with nothing pending.
  PendingSpans(void* memory, IppiSize region);

  // Marks pixels first..last of row y pending and puts the row on the stack unless it is there.
  void Add(int y, int first, int last);
  // Takes the row on top of the stack; false when no row has pending pixels.
  bool PopRow(int* y);
  // Takes the next run of pending pixels of row y at or after *cursor (a pixel index, row y
  // starting at RowStart(y)), clears it and moves the cursor past it; false when there is none.
  bool TakeRun(int y, int64_t* cursor, int* first, int* last);
  int64_t RowStart(int y) const { return int64_t{y} * width_; }

 private:
  void SetBits(int64_t first, int64_t last);
  void ClearBits(int64_t first, int64_t last);
  int64_t NextSetBit(int64_t from, int64_t end) const;
  int64_t NextClearBit(int64_t from, int64_t end) const;
  // The first word at or after `from` with a summary bit, or beyond `lastWord`.
  int64_t NextMarkedWord(int64_t from, int64_t lastWord) const;

  int64_t width_;
  uint64_t* bits_;     // pixel y W + x is bit (y W + x) % 64 of word (y W + x) / 64
  uint64_t* summary_;  // bit w % 64 of word w / 64: word w of bits_ is not zero
  uint64_t* listed_;   // bit y % 64 of word y / 64: row y is on the stack
  int32_t* rows_;      // the stack of rows
  int32_t top_ = 0;
};

}  // namespace ryn::segment
