// The flood fill's record of work still to do, kept in the caller's working buffer.
//
// A filled span is pending until the rows above and below it have been scanned for pixels to fill
// next. Pending spans wait on a stack of span records while it has room. Spans found while the
// stack is full are marked instead in a bitmap of the region (one bit per pixel, with one summary
// bit per 64 pixel bits so that runs are found without reading empty words), and the rows holding
// marked pixels wait on a stack of rows that holds each row at most once. Spans are taken from the
// span stack first, then from the bitmap, a row at a time.
//
// The bitmap's size depends on the region only: BitmapBytesFor(region) is at most W H / 8 +
// W H / 512 + 4.2 H + 32 bytes, well inside the 6 W H + 32 bytes the size queries promise for
// every W, H >= 1 (less the 7 bytes that aligning the caller's buffer to 8 may cost); the span
// stack takes what is left. So the fill never needs more than the promised buffer, whatever the
// image. A stack alone has no such bound: rows alternating between a full row and every other
// pixel leave about W H / 4 spans waiting at once, and a fill that keeps an entry per span and
// direction needs twice as many entries.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::segment {

class PendingSpans {
 public:
  // Bytes of the bitmap, its summary and its row stack for a region of at least one pixel.
  static int64_t BitmapBytesFor(IppiSize region);

  // Lays the record out in `memory` (8-byte aligned, `bytes` >= BitmapBytesFor(region)) with
  // nothing pending; the bytes beyond the bitmap hold the span stack. `stackLimit` caps the span
  // stack's records (tests only).
  PendingSpans(void* memory, int64_t bytes, IppiSize region, int64_t stackLimit = INT64_MAX);

  void Add(int y, int first, int last) {
    if (stackTop_ < stackCapacity_) {
      stack_[stackTop_++] = Span{y, first, last};
    } else {
      Mark(y, first, last);
    }
  }

  // Takes a pending span; false when none is left.
  bool Take(int* y, int* first, int* last) {
    if (stackTop_ > 0) {
      const Span& span = stack_[--stackTop_];
      *y = span.y, *first = span.first, *last = span.last;
      return true;
    }
    return marked_ && TakeMarked(y, first, last);
  }

 private:
  struct Span {
    int32_t y, first, last;
  };

  void Mark(int y, int first, int last);
  bool TakeMarked(int* y, int* first, int* last);
  int64_t RowStart(int y) const { return int64_t{y} * width_; }
  void SetBits(int64_t first, int64_t last);
  void ClearBits(int64_t first, int64_t last);
  int64_t NextSetBit(int64_t from, int64_t end) const;
  int64_t NextClearBit(int64_t from, int64_t end) const;
  // The first word at or after `from` with a summary bit, or beyond `lastWord`.
  int64_t NextMarkedWord(int64_t from, int64_t lastWord) const;

  int64_t width_;
  int64_t bitmapWords_;  // bits_, summary_ and listed_, cleared when the first span is marked
  bool marked_ = false;
  uint64_t* bits_;     // pixel y W + x is bit (y W + x) % 64 of word (y W + x) / 64
  uint64_t* summary_;  // bit w % 64 of word w / 64: word w of bits_ is not zero
  uint64_t* listed_;   // bit y % 64 of word y / 64: row y is on the row stack
  int32_t* rows_;      // the row stack
  int32_t rowTop_ = 0;
  int32_t currentRow_ = -1;  // the row whose marked spans are being taken, from cursor_ on
  int64_t cursor_ = 0;
  Span* stack_;
  int64_t stackCapacity_;
  int64_t stackTop_ = 0;
};

}  // namespace ryn::segment
