// Allocation, release and vector copies.
#include "RynRAZUdidazoror.h"
#include "frame/allocator.h"
#include "primitives/fill/fill.h"

namespace {

template <class T>
T* Image(int width, int height, int pixelBytes, int* step) {
  return static_cast<T*>(ryn::AllocateImage(width, height, pixelBytes, step));
}

template <class T>
T* Vector(int64_t bytes) {
  return static_cast<T*>(ryn::AllocateBlock(bytes));
}

}  // namespace

extern "C" {

RYN_API uint8_t* fnVCAIPP_Malloc_8u_C1(int width, int height, int* step) { return Image<uint8_t>(width, height, 1, step); }
RYN_API uint8_t* fnVCAIPP_Malloc_8u_C3(int width, int height, int* step) { return Image<uint8_t>(width, height, 3, step); }
RYN_API uint16_t* fnVCAIPP_Malloc_16u_C1(int width, int height, int* step) { return Image<uint16_t>(width, height, 2, step); }
RYN_API int16_t* fnVCAIPP_Malloc_16s_C1(int width, int height, int* step) { return Image<int16_t>(width, height, 2, step); }
RYN_API int32_t* fnVCAIPP_Malloc_32s_C1(int width, int height, int* step) { return Image<int32_t>(width, height, 4, step); }
RYN_API float* fnVCAIPP_Malloc_32f_C1(int width, int height, int* step) { return Image<float>(width, height, 4, step); }
RYN_API Ipp32fc* fnVCAIPP_Malloc_32fc_C1(int width, int height, int* step) { return Image<Ipp32fc>(width, height, 8, step); }

RYN_API uint8_t* fnVCAIPP_ippsMalloc_8u(int length) { return Vector<uint8_t>(length); }
// The product is formed in signed 32-bit arithmetic; one that wraps is refused, not truncated.
RYN_API int8_t* fnVCAIPP_ippsMalloc_8s_C1(int firstCount, int secondCount) {
  if (firstCount <= 0 || secondCount <= 0) return nullptr;
  return Vector<int8_t>(int64_t{firstCount} * secondCount);
}
RYN_API int32_t* fnVCAIPP_ippsMalloc_32s(int length) { return Vector<int32_t>(int64_t{length} * 4); }
RYN_API float* fnVCAIPP_ippsMalloc_32f(int length) { return Vector<float>(int64_t{length} * 4); }

RYN_API void fnVCAIPP_Free(void* block) { ryn::FreeBlock(block); }
RYN_API void fnVCAIPP_ippsFree(void* block) { ryn::FreeBlock(block); }

RYN_API IppStatus fnVCAIPP_ippsCopy_32f(const float* source, float* destination, int length) {
  return ryn::fill::Copy32(reinterpret_cast<const uint32_t*>(source), reinterpret_cast<uint32_t*>(destination),
                           length);
}
RYN_API IppStatus fnVCAIPP_ippsCopy_32s(const int32_t* source, int32_t* destination, int length) {
  return ryn::fill::Copy32(reinterpret_cast<const uint32_t*>(source), reinterpret_cast<uint32_t*>(destination),
                           length);
}

}  // extern "C"
