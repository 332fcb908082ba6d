// Aligned image and vector blocks, their release, and vector copies.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>


#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

constexpr int kBlockAlignment = 32;

// Blocks the allocator would grant but that are too large to run here are skipped; larger
// requests run, since they must give null without allocating.
bool TooLargeToRun(int64_t bytes) { return bytes > FuzzCase::kMaxBytes && bytes <= INT_MAX; }

// Writes every byte the block must hold, so that a short block is an AddressSanitizer error,
// checks its alignment and releases it. Returns whether there was a block.
int64_t UseAndRelease(void* block, int64_t bytes) {
  if (block == nullptr) return 0;
  if (reinterpret_cast<uintptr_t>(block) % kBlockAlignment != 0) {
    std::fprintf(stderr, "\n*** a block of %lld bytes is not aligned to %d bytes\n", static_cast<long long>(bytes),
                 kBlockAlignment);
    std::abort();
  }
  std::memset(block, 0xA5, static_cast<size_t>(bytes));
  fnVCAIPP_Free(block);
  return 1;
}

// width, height, address of the step.
template <class Export>
void ImageBlock(FuzzCase& c, Export call, int pixelBytes) {
  const int width = c.in().Size();
  const int height = c.in().Size();
  int* step = c.Out<int>();
  const int64_t row = width > 0 ? (int64_t{width} * pixelBytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment : 0;
  if (height > 0 && (row > INT64_MAX / height || TooLargeToRun(row * height))) return c.Skip();
  c.ResultIsNotStatus();
  c.Call([=] {
    void* block = call(width, height, step);
    return UseAndRelease(block, block != nullptr ? int64_t{*step} * height : 0);
  });
}

// One length in elements of `elementBytes`.
template <class Export>
void VectorBlock(FuzzCase& c, Export call, int elementBytes) {
  const int length = c.in().Size();
  const int64_t bytes = int64_t{length} * elementBytes;
  if (TooLargeToRun(bytes)) return c.Skip();
  c.ResultIsNotStatus();
  c.Call([=] { return UseAndRelease(call(length), bytes); });
}

// Each run releases a block of its own: none, a vector or an image.
template <class Export>
void Release(FuzzCase& c, Export release) {
  const int kind = c.in().Pick({1, 2, 0});
  const int size = 1 + c.in().Byte();
  void** block = c.Keep<void*>(nullptr);
  c.Setup([=] {
    int step = 0;
    *block = kind == 1 ? static_cast<void*>(fnVCAIPP_ippsMalloc_8u(size))
             : kind == 2 ? static_cast<void*>(fnVCAIPP_Malloc_32f_C1(size, size, &step))
                         : nullptr;
  });
  c.ResultIsNotStatus();
  c.Call([=] {
    release(*block);
    return int64_t{0};
  });
}

// Source, destination, length.
template <class T, class Export>
void VectorCopy(FuzzCase& c, Export call) {
  const int length = c.in().Size();
  const T* s = c.Vector<T>(length, Access::kRead);
  T* d = c.Vector<T>(length, Access::kWrite);
  c.Call([=] { return call(s, d, length); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Malloc_8u_C1) { ImageBlock(c, fnVCAIPP_Malloc_8u_C1, 1); }
RYN_FUZZ(fnVCAIPP_Malloc_8u_C3) { ImageBlock(c, fnVCAIPP_Malloc_8u_C3, 3); }
RYN_FUZZ(fnVCAIPP_Malloc_16u_C1) { ImageBlock(c, fnVCAIPP_Malloc_16u_C1, 2); }
RYN_FUZZ(fnVCAIPP_Malloc_16s_C1) { ImageBlock(c, fnVCAIPP_Malloc_16s_C1, 2); }
RYN_FUZZ(fnVCAIPP_Malloc_32s_C1) { ImageBlock(c, fnVCAIPP_Malloc_32s_C1, 4); }
RYN_FUZZ(fnVCAIPP_Malloc_32f_C1) { ImageBlock(c, fnVCAIPP_Malloc_32f_C1, 4); }
RYN_FUZZ(fnVCAIPP_Malloc_32fc_C1) { ImageBlock(c, fnVCAIPP_Malloc_32fc_C1, 8); }

RYN_FUZZ(fnVCAIPP_ippsMalloc_8u) { VectorBlock(c, fnVCAIPP_ippsMalloc_8u, 1); }
RYN_FUZZ(fnVCAIPP_ippsMalloc_32s) { VectorBlock(c, fnVCAIPP_ippsMalloc_32s, 4); }
RYN_FUZZ(fnVCAIPP_ippsMalloc_32f) { VectorBlock(c, fnVCAIPP_ippsMalloc_32f, 4); }

// Two counts whose product is the byte count.
RYN_FUZZ(fnVCAIPP_ippsMalloc_8s_C1) {
  const int first = c.in().Size();
  const int second = c.in().Size();
  const int64_t bytes = int64_t{first} * second;
  if (first > 0 && second > 0 && TooLargeToRun(bytes)) return c.Skip();
  c.ResultIsNotStatus();
  c.Call([=] { return UseAndRelease(fnVCAIPP_ippsMalloc_8s_C1(first, second), bytes); });
}

RYN_FUZZ(fnVCAIPP_Free) { Release(c, fnVCAIPP_Free); }
RYN_FUZZ(fnVCAIPP_ippsFree) { Release(c, fnVCAIPP_ippsFree); }

RYN_FUZZ(fnVCAIPP_ippsCopy_32f) { VectorCopy<float>(c, fnVCAIPP_ippsCopy_32f); }
RYN_FUZZ(fnVCAIPP_ippsCopy_32s) { VectorCopy<int32_t>(c, fnVCAIPP_ippsCopy_32s); }
