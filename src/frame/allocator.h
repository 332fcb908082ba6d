// The library's 32-byte aligned blocks. The heap's own address is kept in the 8 bytes just below
// the returned address, so release needs nothing but the block.
#pragma once

#include <cstdint>

namespace ryn {

constexpr int kBlockAlignment = 32;

// A block of `bytes` (1 to 2^31 - 1), or null for any other count or when the heap is exhausted.
void* AllocateBlock(int64_t bytes);

// Releases a block of AllocateBlock; null does nothing.
void FreeBlock(void* block);

// Row step of an allocated image: the row length rounded up to a multiple of 32, or -1 when that
// does not fit in a signed 32-bit value.
int64_t AlignedRowStep(int width, int pixelBytes);

// Allocates an image of width x height pixels and writes its step (see the image exports).
void* AllocateImage(int width, int height, int pixelBytes, int* step);

}  // namespace ryn
