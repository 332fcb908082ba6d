// The generic mirror and transpose: plain C++, the reference for every processor build.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/geometry/geometry.h"

namespace ryn::geometry::generic {
namespace {

template <class T>
void CopyRow(const T* in, T* out, size_t n) {
  std::memcpy(out, in, n * sizeof(T));
}
template <class T>
void StreamRow(const T* in, T* out, size_t n) {
  CopyRow(in, out, n);
}
void FinishStreaming() {}

template <class T>
void ReverseRow(const T* in, T* out, size_t n) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(out + i, LoadUnaligned(in + n - 1 - i));
}

template <class T>
void ReverseRowInPlace(T* row, size_t n) {
  for (size_t i = 0, j = n - 1; i < j; ++i, --j) {
    const T left = LoadUnaligned(row + i);
    StoreUnaligned(row + i, LoadUnaligned(row + j));
    StoreUnaligned(row + j, left);
  }
}

template <class T>
void SwapRows(T* a, T* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const T t = LoadUnaligned(a + i);
    StoreUnaligned(a + i, LoadUnaligned(b + i));
    StoreUnaligned(b + i, t);
  }
}

// Row a becomes row b reversed and row b row a reversed.
template <class T>
void SwapReversedRows(T* a, T* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const T t = LoadUnaligned(a + i);
    StoreUnaligned(a + i, LoadUnaligned(b + n - 1 - i));
    StoreUnaligned(b + n - 1 - i, t);
  }
}

// Source columns of a width x height tile become destination rows.
template <class T>
void TransposeTile(const T* source, int sourceStep, T* destination, int destinationStep, int width, int height) {
  const auto from = View(source, sourceStep, IppiSize{width, height});
  const auto to = View(destination, destinationStep, IppiSize{height, width});
  for (int x = 0; x < width; ++x) {
    T* out = to.Row(x);
    for (int y = 0; y < height; ++y) StoreUnaligned(out + y, LoadUnaligned(from.Row(y) + x));
  }
}

}  // namespace

#include "primitives/geometry/mirror_primitives-inl.h"

}  // namespace ryn::geometry::generic
