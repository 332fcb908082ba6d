#include "frame/allocator.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace ryn {
namespace {

constexpr int64_t kLargestBlock = std::numeric_limits<int32_t>::max();
constexpr size_t kHeapOverhead = 40;  // alignment slack plus the saved heap address

}  // namespace

void* AllocateBlock(int64_t bytes) {
  if (bytes <= 0 || bytes > kLargestBlock) return nullptr;
  void* heap = std::malloc(static_cast<size_t>(bytes) + kHeapOverhead);
  if (heap == nullptr) return nullptr;
  const uintptr_t aligned = (reinterpret_cast<uintptr_t>(heap) + 39) & ~uintptr_t{31};
  void* block = reinterpret_cast<void*>(aligned);
  std::memcpy(static_cast<char*>(block) - sizeof(void*), &heap, sizeof(void*));
  return block;
}

void FreeBlock(void* block) {
  if (block == nullptr) return;
  void* heap;
  std::memcpy(&heap, static_cast<char*>(block) - sizeof(void*), sizeof(void*));
  std::free(heap);
}

int64_t AlignedRowStep(int width, int pixelBytes) {
  const int64_t step = (int64_t{width} * pixelBytes + 31) & ~int64_t{31};
  return step <= kLargestBlock ? step : -1;
}

void* AllocateImage(int width, int height, int pixelBytes, int* step) {
  if (step == nullptr) return nullptr;
  if (width <= 0 || height <= 0) {
    *step = 0;
    return nullptr;
  }
  const int64_t rowStep = AlignedRowStep(width, pixelBytes);
  if (rowStep < 0) {
    // The step itself does not fit: report no step rather than a truncated one.
    *step = 0;
    return nullptr;
  }
  *step = static_cast<int>(rowStep);
  return AllocateBlock(rowStep * height);
}

}  // namespace ryn
