// The two-dimensional FFT object: creation, release and the size of its work buffer.
#include <algorithm>
#include <cstring>
#include <limits>

#include "frame/allocator.h"
#include "primitives/fft/fft.h"

namespace ryn::fft {
namespace {

// The column pass gathers blocks of up to 8 columns (64 bytes a row) into the work buffer.
constexpr int64_t kColumnBlockBytes = 64;

void Release(Fft2D* object) {
  ReleaseFftPlan(object->rowPlan);
  ReleaseFftPlan(object->columnPlan);
  for (void* block : object->ownedBlocks) FreeBlock(block);
  FreeBlock(object);
}

}  // namespace

IppStatus CreateFft2D(Fft2D** object, int orderX, int orderY, int flag, int hint) {
  if (object == nullptr) return ippStsNullPtrErr;
  if (orderX < 0 || orderX > kLargestObjectOrder || orderY < 0 || orderY > kLargestObjectOrder) {
    return ippStsFftOrderErr;
  }
  auto* created = static_cast<Fft2D*>(AllocateBlock(sizeof(Fft2D)));
  if (created == nullptr) return ippStsMemAllocErr;
  std::memset(created, 0, sizeof(*created));
  created->identifier = kFft2DIdentifier;
  created->orderX = orderX;
  created->orderY = orderY;
  created->hint = hint;

  IppStatus status = CreateFftPlan(orderX, flag, hint, &created->rowPlan);
  if (status == ippStsNoErr && orderY != orderX) status = CreateFftPlan(orderY, flag, hint, &created->columnPlan);
  if (status != ippStsNoErr) {
    Release(created);
    return status;
  }
  const FftPlan* columns = created->columnPlan != nullptr ? created->columnPlan : created->rowPlan;
  created->workBytes = std::max(created->rowPlan->workBytes, columns->workBytes + (kColumnBlockBytes << orderY));
  *object = created;
  return ippStsNoErr;
}

IppStatus FreeFft2D(Fft2D* object) {
  if (object == nullptr) return ippStsNullPtrErr;
  if (object->identifier != kFft2DIdentifier) return ippStsContextMatchErr;
  object->identifier = 0;
  Release(object);
  return ippStsNoErr;
}

IppStatus Fft2DBufferSize(const Fft2D* object, int* size) {
  if (object == nullptr || size == nullptr) return ippStsNullPtrErr;
  if (object->identifier != kFft2DIdentifier) return ippStsContextMatchErr;
  const int64_t bytes = object->workBytes + kCallerBufferAlignment;
  // Buffers of large orders cannot be described by an int.
  if (bytes > std::numeric_limits<int>::max()) return ippStsSizeErr;
  *size = static_cast<int>(bytes);
  return ippStsNoErr;
}

}  // namespace ryn::fft
