#include "effects/mean_filter/mean_filter_workspace.h"

#include <cstddef>
#include <cstring>

#include "frame/allocator.h"

namespace ryn::effects {
namespace {

// A multiple of every build's widest vector of bytes.
constexpr int64_t kRowPadding = 64;

}  // namespace

MeanFilterWorkspace::MeanFilterWorkspace(int rowBytes, int window) : slots_(window + 1) {
  const int64_t padded = (int64_t{rowBytes} + kRowPadding - 1) / kRowPadding * kRowPadding;
  const int64_t ringBytes = slots_ * padded;
  const int64_t sumBytes = 2 * padded;
  const int64_t prefixBytes = kPrefixLeadBytes + 4 * padded;
  const int64_t total = ringBytes + sumBytes + prefixBytes;
  block_ = static_cast<uint8_t*>(AllocateBlock(total));
  if (block_ == nullptr) return;
  std::memset(block_, 0, static_cast<size_t>(total));
  ring_ = block_;
  sums_ = SlidingSums{reinterpret_cast<uint16_t*>(block_ + ringBytes), block_ + ringBytes + sumBytes + kPrefixLeadBytes,
                      rowBytes, static_cast<int>(padded), window};
}

MeanFilterWorkspace::~MeanFilterWorkspace() { FreeBlock(block_); }

const uint8_t* MeanFilterWorkspace::Keep(int index, const uint8_t* row) {
  uint8_t* slot = const_cast<uint8_t*>(Kept(index));
  std::memcpy(slot, row, static_cast<size_t>(sums_.rowBytes));
  return slot;
}

const uint8_t* MeanFilterWorkspace::Kept(int index) const {
  return ring_ + static_cast<size_t>(index % slots_) * static_cast<size_t>(sums_.paddedBytes);
}

}  // namespace ryn::effects
