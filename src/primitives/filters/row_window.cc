#include "primitives/filters/row_window.h"

#include <cstring>

namespace ryn::filters {

namespace {

int64_t SlotCount(const WindowLayout& l, bool ring) {
  return ring ? int64_t{l.windowRows} + l.rowsBehind : int64_t{l.region.height} - 1 + l.windowRows;
}

}  // namespace

RowWindow::Mode RowWindow::Choose(const WindowLayout& l) {
  const auto* source = static_cast<const uint8_t*>(l.source);
  const auto* destination = static_cast<const uint8_t*>(l.destination);
  const int64_t spanBytes = l.spanColumns * l.pixelBytes;
  const int64_t top = l.firstRow;
  const int64_t bottom = int64_t{l.region.height} - 1 + l.firstRow + l.windowRows - 1;
  const auto first = reinterpret_cast<uintptr_t>(source + top * l.sourceStep + int64_t{l.firstColumn} * l.pixelBytes);
  const auto last = reinterpret_cast<uintptr_t>(source + bottom * l.sourceStep + int64_t{l.firstColumn} * l.pixelBytes) +
                    static_cast<uintptr_t>(spanBytes);
  const auto destinationFirst = reinterpret_cast<uintptr_t>(destination);
  const auto destinationLast = destinationFirst + static_cast<uintptr_t>(
      int64_t{l.region.height - 1} * l.destinationStep + int64_t{l.region.width} * l.pixelBytes);
  if (last <= destinationFirst || destinationLast <= first) return Mode::kCaller;

  // In place with the same step, source row r meets destination row r only (the saved span
  // stays clear of the neighbouring destination rows), and it enters the window no later than
  // output row r, before that row is written.
  const int64_t rowBytes = int64_t{l.region.width} * l.pixelBytes;
  const int64_t spanStart = int64_t{l.firstColumn} * l.pixelBytes;
  const bool sameImage = source == destination && l.sourceStep == l.destinationStep && l.sourceStep > 0;
  const bool spanInRow = spanStart >= rowBytes - l.sourceStep && spanStart + spanBytes <= l.sourceStep;
  const bool entersInTime = l.firstRow + l.windowRows - 1 >= 0;
  return sameImage && spanInRow && entersInTime ? Mode::kRing : Mode::kCopy;
}

RowWindow::RowWindow(const WindowLayout& layout)
    : layout_(layout),
      mode_(Choose(layout)),
      slotBytes_(layout.spanColumns * layout.pixelBytes),
      slots_(mode_ == Mode::kCaller ? 0 : SlotCount(layout, mode_ == Mode::kRing)),
      saved_(slots_ * slotBytes_) {
  if (mode_ == Mode::kCopy && saved_.Obtained()) {
    for (int64_t r = layout_.firstRow; r < layout_.firstRow + slots_; ++r) Save(r);
  }
}

const uint8_t* RowWindow::CallerRow(int64_t r) const {
  return static_cast<const uint8_t*>(layout_.source) + r * layout_.sourceStep;
}

uint8_t* RowWindow::Slot(int64_t r) const {
  const int64_t index = mode_ == Mode::kRing ? ((r % slots_) + slots_) % slots_
                                             : r - layout_.firstRow;
  return saved_.As<uint8_t>() + index * slotBytes_;
}

void RowWindow::Save(int64_t r) const {
  const int64_t offset = int64_t{layout_.firstColumn} * layout_.pixelBytes;
  std::memcpy(Slot(r), CallerRow(r) + offset, static_cast<size_t>(slotBytes_));
}

void RowWindow::Enter(int y) {
  if (mode_ != Mode::kRing) return;
  const int64_t top = int64_t{y} + layout_.firstRow;
  if (y == 0) {
    for (int64_t r = top; r < top + layout_.windowRows; ++r) Save(r);
  } else {
    Save(top + layout_.windowRows - 1);
  }
}

const uint8_t* RowWindow::RowBytes(int64_t r) const {
  if (mode_ == Mode::kCaller) return CallerRow(r);
  return Slot(r) - int64_t{layout_.firstColumn} * layout_.pixelBytes;
}

}  // namespace ryn::filters
