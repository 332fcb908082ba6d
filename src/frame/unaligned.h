// Pixel access that is defined at any address. Steps need not be multiples of the pixel size, so
// rows of 16-bit, 32-bit and float images can start anywhere; scalar code reads and writes their
// pixels through these (a plain move on x86-64) instead of through typed lvalues.
#pragma once

#include <cstring>

namespace ryn {

template <class T>
inline T LoadUnaligned(const T* pixel) {
  T value;
  std::memcpy(&value, pixel, sizeof(T));
  return value;
}

template <class T>
inline void StoreUnaligned(T* pixel, T value) {
  std::memcpy(pixel, &value, sizeof(T));
}

}  // namespace ryn
