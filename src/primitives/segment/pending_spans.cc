#include "primitives/segment/pending_spans.h"

#include <algorithm>
#include <cstring>

namespace ryn::segment {
namespace {

constexpr int64_t WordsFor(int64_t bitCount) { return (bitCount + 63) / 64; }

// Bits first..63 of a word.
constexpr uint64_t FromBit(int64_t first) { return ~uint64_t{0} << (first & 63); }
// Bits 0..last of a word.
constexpr uint64_t ThroughBit(int64_t last) { return ~uint64_t{0} >> (63 - (last & 63)); }

struct Layout {
  int64_t bitWords, summaryWords, listedWords, rows;
  int64_t Words() const { return bitWords + summaryWords + listedWords; }
  int64_t Bytes() const { return 8 * Words() + 4 * rows; }
};

Layout LayoutFor(IppiSize region) {
  const int64_t bitWords = WordsFor(int64_t{region.width} * region.height);
  return Layout{bitWords, WordsFor(bitWords), WordsFor(region.height), region.height};
}

}  // namespace

int64_t PendingSpans::BitmapBytesFor(IppiSize region) { return LayoutFor(region).Bytes(); }

PendingSpans::PendingSpans(void* memory, int64_t bytes, IppiSize region, int64_t stackLimit)
    : width_(region.width) {
  const Layout layout = LayoutFor(region);
  bitmapWords_ = layout.Words();
  bits_ = static_cast<uint64_t*>(memory);
  summary_ = bits_ + layout.bitWords;
  listed_ = summary_ + layout.summaryWords;
  rows_ = reinterpret_cast<int32_t*>(listed_ + layout.listedWords);
  stack_ = reinterpret_cast<Span*>(static_cast<uint8_t*>(memory) + layout.Bytes());
  stackCapacity_ = std::min<int64_t>((bytes - layout.Bytes()) / int64_t{sizeof(Span)}, stackLimit);
}

void PendingSpans::Mark(int y, int first, int last) {
  if (!marked_) {
    std::memset(bits_, 0, static_cast<size_t>(8 * bitmapWords_));
    marked_ = true;
  }
  SetBits(RowStart(y) + first, RowStart(y) + last);
  uint64_t& listed = listed_[y / 64];
  const uint64_t bit = uint64_t{1} << (y % 64);
  if ((listed & bit) == 0) {
    listed |= bit;
    rows_[rowTop_++] = y;
  }
}

// Spans marked in the current row after the cursor are taken in this pass; a row marked again
// after it was taken from the row stack is back on the stack, so nothing marked is missed.
bool PendingSpans::TakeMarked(int* y, int* first, int* last) {
  for (;;) {
    if (currentRow_ >= 0) {
      const int64_t end = RowStart(currentRow_ + 1);
      const int64_t start = NextSetBit(cursor_, end);
      if (start < end) {
        const int64_t stop = NextClearBit(start, end);
        ClearBits(start, stop - 1);
        *y = currentRow_;
        *first = static_cast<int>(start - RowStart(currentRow_));
        *last = static_cast<int>(stop - 1 - RowStart(currentRow_));
        cursor_ = stop;
        return true;
      }
      currentRow_ = -1;
    }
    if (rowTop_ == 0) return false;
    currentRow_ = rows_[--rowTop_];
    listed_[currentRow_ / 64] &= ~(uint64_t{1} << (currentRow_ % 64));
    cursor_ = RowStart(currentRow_);
  }
}

void PendingSpans::SetBits(int64_t first, int64_t last) {
  const int64_t firstWord = first / 64, lastWord = last / 64;
  for (int64_t w = firstWord; w <= lastWord; ++w) {
    uint64_t mask = ~uint64_t{0};
    if (w == firstWord) mask &= FromBit(first);
    if (w == lastWord) mask &= ThroughBit(last);
    bits_[w] |= mask;
    summary_[w / 64] |= uint64_t{1} << (w % 64);
  }
}

void PendingSpans::ClearBits(int64_t first, int64_t last) {
  const int64_t firstWord = first / 64, lastWord = last / 64;
  for (int64_t w = firstWord; w <= lastWord; ++w) {
    uint64_t mask = ~uint64_t{0};
    if (w == firstWord) mask &= FromBit(first);
    if (w == lastWord) mask &= ThroughBit(last);
    bits_[w] &= ~mask;
    if (bits_[w] == 0) summary_[w / 64] &= ~(uint64_t{1} << (w % 64));
  }
}

int64_t PendingSpans::NextMarkedWord(int64_t from, int64_t lastWord) const {
  int64_t s = from / 64;
  uint64_t marks = summary_[s] & FromBit(from);
  while (marks == 0) {
    if (++s * 64 > lastWord) return lastWord + 1;
    marks = summary_[s];
  }
  return s * 64 + __builtin_ctzll(marks);
}

int64_t PendingSpans::NextSetBit(int64_t from, int64_t end) const {
  if (from >= end) return end;
  const int64_t lastWord = (end - 1) / 64;
  int64_t w = from / 64;
  uint64_t word = bits_[w] & FromBit(from);
  while (word == 0) {
    w = NextMarkedWord(w + 1, lastWord);
    if (w > lastWord) return end;
    word = bits_[w];
  }
  return std::min(end, w * 64 + __builtin_ctzll(word));
}

int64_t PendingSpans::NextClearBit(int64_t from, int64_t end) const {
  int64_t w = from / 64;
  uint64_t clear = ~bits_[w] & FromBit(from);
  while (clear == 0) {
    if (++w * 64 >= end) return end;
    clear = ~bits_[w];
  }
  return std::min(end, w * 64 + __builtin_ctzll(clear));
}

}  // namespace ryn::segment
