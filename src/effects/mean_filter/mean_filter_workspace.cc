#include "effects/mean_filter/mean_filter_workspace.h"

#include <cstddef>
#include <cstring>

#include "frame/allocator.h"

namespace ryn::effects {
namespace {

uintptr_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

template <class T>
uintptr_t EndOf(const ImageView<T>& image) {
  return Address(image.data) + static_cast<uintptr_t>(image.size.height - 1) * static_cast<uintptr_t>(image.step) +
         static_cast<uintptr_t>(image.size.width);
}

// Row copies start at multiples of this, for the vector loads.
constexpr int64_t kRowAlignment = 64;

}  // namespace

bool RegionsOverlap(const ImageView<const uint8_t>& source, const ImageView<uint8_t>& destination) {
  return Address(source.data) < EndOf(destination) && Address(destination.data) < EndOf(source);
}

MeanFilterWorkspace::MeanFilterWorkspace(const ImageView<const uint8_t>& input, int window, bool copiesRows)
    : input_(input), copiesRows_(copiesRows), slots_(window + 1) {
  const int rowBytes = input.size.width / 2 * 2;
  const int64_t padded = (int64_t{rowBytes} + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
  const int64_t ringBytes = copiesRows ? slots_ * padded : 0;
  const int64_t zeroBytes = padded;
  const int64_t sumBytes = 2 * padded;
  const int64_t prefixBytes = kPrefixLeadBytes + 4 * padded;
  const int64_t total = ringBytes + zeroBytes + sumBytes + prefixBytes;
  block_ = static_cast<uint8_t*>(AllocateBlock(total));
  if (block_ == nullptr) return;
  std::memset(block_, 0, static_cast<size_t>(total));
  ring_ = block_;
  zeros_ = block_ + ringBytes;
  uint8_t* sums = block_ + ringBytes + zeroBytes;
  sums_ = SlidingSums{reinterpret_cast<uint16_t*>(sums), sums + sumBytes + kPrefixLeadBytes, rowBytes, window};
}

MeanFilterWorkspace::~MeanFilterWorkspace() { FreeBlock(block_); }

const uint8_t* MeanFilterWorkspace::Slot(int index) const {
  const int64_t padded = (int64_t{sums_.rowBytes} + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
  return ring_ + static_cast<size_t>(index % slots_) * static_cast<size_t>(padded);
}

const uint8_t* MeanFilterWorkspace::Enter(int index) {
  if (!copiesRows_) return input_.Row(index);
  uint8_t* slot = const_cast<uint8_t*>(Slot(index));
  std::memcpy(slot, input_.Row(index), static_cast<size_t>(sums_.rowBytes));
  return slot;
}

const uint8_t* MeanFilterWorkspace::Leave(int index) const {
  if (index < 0) return zeros_;
  return copiesRows_ ? Slot(index) : input_.Row(index);
}

}  // namespace ryn::effects
