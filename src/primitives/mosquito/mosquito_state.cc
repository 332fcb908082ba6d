#include "primitives/mosquito/mosquito_state.h"

#include <cstring>

#include "frame/allocator.h"
#include "frame/checks.h"
#include "primitives/mosquito/mosquito_rules.h"

namespace ryn::mosquito {
namespace {

constexpr int64_t kStateAndAlignmentBytes = 495;

int64_t RoundUpTo16(int64_t bytes) { return (bytes + 15) & ~int64_t{15}; }

// Room for a byte per pixel; the edge bits of every block take an eighth of it.
int64_t EdgeMapBytes(IppiSize roi) { return RoundUpTo16((int64_t{roi.width} + 8) * (int64_t{roi.height} + 8)); }

int64_t BlockRecordBytes(IppiSize roi) {
  return RoundUpTo16((int64_t{roi.width} / 8 + 1) * (int64_t{roi.height} / 8 + 1) *
                     static_cast<int64_t>(sizeof(BlockRecord)));
}

}  // namespace

int64_t StateBlockBytes(IppiSize roi) { return EdgeMapBytes(roi) + BlockRecordBytes(roi) + kStateAndAlignmentBytes; }

IppStatus CreateState(IppiSize roi, MosquitoState** state) {
  RYN_CHECK(NotNull(state));
  RYN_CHECK(PositiveSize(roi));
  // A library block is 32-byte aligned, so the state at its start is 16-byte aligned and
  // fnVCAIPP_Free releases it.
  auto* block = static_cast<uint8_t*>(AllocateBlock(StateBlockBytes(roi)));
  if (block == nullptr) {
    *state = nullptr;
    return ippStsMemAllocErr;
  }
  std::memset(block, 0, static_cast<size_t>(StateBlockBytes(roi)));
  auto* s = reinterpret_cast<MosquitoState*>(block);
  s->width = roi.width;
  s->height = roi.height;
  s->blockWidth = kBlockSize;
  s->blockHeight = kBlockSize;
  s->edgeCountThreshold = kEdgeCountThreshold;
  s->edgeThreshold = kEdgeThreshold;
  s->strongGradientThreshold = kStrongGradientThreshold;
  s->flatThreshold = kFlatThreshold;
  s->flatnessWeight = kFlatnessWeight;
  s->flatCountThreshold = kFlatCountThreshold;
  s->strongChangeThreshold = kStrongChangeThreshold;
  s->changedCountThreshold = kChangedCountThreshold;
  s->changedPixelThreshold = kChangedPixelThreshold;
  s->weakChangeThreshold = kWeakChangeThreshold;
  s->edgeBits = reinterpret_cast<uint64_t*>(block + kStateBytes);
  s->blocks = reinterpret_cast<BlockRecord*>(block + kStateBytes + EdgeMapBytes(roi));
  *state = s;
  return ippStsNoErr;
}

}  // namespace ryn::mosquito
