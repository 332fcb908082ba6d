// Processor builds of mirror and transpose, compiled once per Highway target, and the dispatched
// operations that bind them. Rows are reversed a vector at a time; transposes go through blocks of
// 16 x 16 bytes or 4 x 4 words held in 128-bit vectors, interleaved four (or two) times.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/geometry/mirror_kernels.cc"
#include <hwy/cache_control.h>
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/geometry/geometry.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::geometry {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;

template <class T>
HWY_INLINE void CopyRow(const T* in, T* out, size_t n) {
  std::memcpy(out, in, n * sizeof(T));
}

// Non-temporal stores from the first vector boundary of the destination on.
template <class T>
HWY_INLINE void StreamRow(const T* HWY_RESTRICT in, T* HWY_RESTRICT out, size_t n) {
  const hn::ScalableTag<uint8_t> d;
  const size_t lanes = hn::Lanes(d), bytes = n * sizeof(T);
  const uint8_t* from = reinterpret_cast<const uint8_t*>(in);
  uint8_t* to = reinterpret_cast<uint8_t*>(out);
  size_t i = std::min(bytes, (lanes - reinterpret_cast<uintptr_t>(to) % lanes) % lanes);
  std::memcpy(to, from, i);
  for (; i + lanes <= bytes; i += lanes) hn::Stream(hn::LoadU(d, from + i), d, to + i);
  std::memcpy(to + i, from + i, bytes - i);
}
HWY_INLINE void FinishStreaming() { hwy::FlushStream(); }

// The lanes of a 128-bit vector in reverse order. Rows are reversed 128 bits at a time in every
// build: wider vectors would need lane tables, whose index checks Debug builds cannot link.
template <class D>
HWY_INLINE hn::Vec<D> ReverseLanes(D d, hn::Vec<D> v) {
  if constexpr (sizeof(hn::TFromD<D>) == 1) {
    const hn::Repartition<uint64_t, D> d64;
    alignas(16) static constexpr uint8_t kBytes[16] = {7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8};
    return hn::TableLookupBytes(hn::BitCast(d, hn::Reverse(d64, hn::BitCast(d64, v))), hn::LoadDup128(d, kBytes));
  } else {
    return hn::Reverse(d, v);
  }
}

template <class T>
HWY_INLINE void ReverseRow(const T* HWY_RESTRICT in, T* HWY_RESTRICT out, size_t n) {
  const hn::Full128<T> d;
  const size_t lanes = hn::Lanes(d);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) hn::StoreU(ReverseLanes(d, hn::LoadU(d, in + n - i - lanes)), d, out + i);
  for (; i < n; ++i) StoreUnaligned(out + i, LoadUnaligned(in + n - 1 - i));
}

template <class T>
HWY_INLINE void ReverseRowInPlace(T* row, size_t n) {
  const hn::Full128<T> d;
  const size_t lanes = hn::Lanes(d);
  size_t i = 0, j = n;  // [i, j) still to reverse
  for (; j - i >= 2 * lanes; i += lanes, j -= lanes) {
    const auto left = hn::LoadU(d, row + i), right = hn::LoadU(d, row + j - lanes);
    hn::StoreU(ReverseLanes(d, right), d, row + i);
    hn::StoreU(ReverseLanes(d, left), d, row + j - lanes);
  }
  for (--j; i < j; ++i, --j) {
    const T left = LoadUnaligned(row + i);
    StoreUnaligned(row + i, LoadUnaligned(row + j));
    StoreUnaligned(row + j, left);
  }
}

template <class T>
HWY_INLINE void SwapRows(T* a, T* b, size_t n) {
  const hn::ScalableTag<T> d;
  const size_t lanes = hn::Lanes(d);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto va = hn::LoadU(d, a + i), vb = hn::LoadU(d, b + i);
    hn::StoreU(vb, d, a + i);
    hn::StoreU(va, d, b + i);
  }
  for (; i < n; ++i) {
    const T t = LoadUnaligned(a + i);
    StoreUnaligned(a + i, LoadUnaligned(b + i));
    StoreUnaligned(b + i, t);
  }
}

template <class T>
HWY_INLINE void SwapReversedRows(T* a, T* b, size_t n) {
  const hn::Full128<T> d;
  const size_t lanes = hn::Lanes(d);
  size_t i = 0;
  for (; i + lanes <= n; i += lanes) {
    const auto va = hn::LoadU(d, a + i), vb = hn::LoadU(d, b + n - i - lanes);
    hn::StoreU(ReverseLanes(d, vb), d, a + i);
    hn::StoreU(ReverseLanes(d, va), d, b + n - i - lanes);
  }
  for (; i < n; ++i) {
    const T t = LoadUnaligned(a + i);
    StoreUnaligned(a + i, LoadUnaligned(b + n - 1 - i));
    StoreUnaligned(b + n - 1 - i, t);
  }
}

// Row r of each of the vector's 128-bit blocks: block j holds k elements of source row j k + r.
template <class D>
HWY_INLINE hn::Vec<D> LoadStacked(D d, const uint8_t* source, ptrdiff_t step, int r) {
  using T = hn::TFromD<D>;
  if constexpr (hn::MaxLanes(D()) * sizeof(T) == 16) {
    return hn::LoadU(d, reinterpret_cast<const T*>(source + r * step));
  } else {
    const hn::Half<D> half;
    constexpr ptrdiff_t kRowsPerHalf = hn::MaxLanes(D()) / 2 * sizeof(T) / 16 * (16 / sizeof(T));
    return hn::Combine(d, LoadStacked(half, source + kRowsPerHalf * step, step, r), LoadStacked(half, source, step, r));
  }
}

// Stacks of k x k blocks (k = 16 / element size), one per 128 bits of a vector: block j of vector r
// holds k elements of source row j k + r from the same k columns. Each round interleaves vector r
// with vector r + k/2 inside every block, which rotates the bits of (row, column) by one; log2(k)
// rounds exchange them, and vector r becomes destination row r across all the stacked rows.
template <class D>
HWY_NOINLINE void TransposeStack(D d, const uint8_t* source, int sourceStep, uint8_t* destination,
                                 int destinationStep) {
  using T = hn::TFromD<D>;
  constexpr int k = 16 / sizeof(T);
  hn::Vec<D> rows[k], next[k];
  for (int r = 0; r < k; ++r) rows[r] = LoadStacked(d, source, sourceStep, r);
  for (int round = 1; round < k; round *= 2) {
    for (int r = 0; r < k / 2; ++r) {
      next[2 * r] = hn::InterleaveLower(d, rows[r], rows[r + k / 2]);
      next[2 * r + 1] = hn::InterleaveUpper(d, rows[r], rows[r + k / 2]);
    }
    for (int r = 0; r < k; ++r) rows[r] = next[r];
  }
  for (int r = 0; r < k; ++r) {
    hn::StoreU(rows[r], d, reinterpret_cast<T*>(destination + static_cast<ptrdiff_t>(r) * destinationStep));
  }
}

// Stacks at the tile's last rows and columns overlap the ones before them: a transpose never runs
// in place, so writing a destination element twice writes the same value twice.
template <class T>
HWY_INLINE void TransposeTile(const T* source, int sourceStep, T* destination, int destinationStep, int width,
                              int height) {
  constexpr int k = 16 / sizeof(T);
  const auto from = View(source, sourceStep, IppiSize{width, height});
  const auto to = View(destination, destinationStep, IppiSize{height, width});
  if (width < k || height < k) {
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) StoreUnaligned(to.Row(x) + y, LoadUnaligned(from.Row(y) + x));
    }
    return;
  }
  const hn::ScalableTag<T> wide;
  const hn::Full128<T> narrow;
  const int tall = static_cast<int>(hn::Lanes(wide)) / k * k;  // source rows of one wide stack
  auto stack = [&](auto d, int x, int y) HWY_ATTR {
    TransposeStack(d, reinterpret_cast<const uint8_t*>(from.Row(y) + x), sourceStep,
                   reinterpret_cast<uint8_t*>(to.Row(x) + y), destinationStep);
  };
  auto columns = [&](auto d, int y) HWY_ATTR {
    for (int x = 0; x + k <= width; x += k) stack(d, x, y);
    if (width % k != 0) stack(d, width - k, y);
  };
  int y = 0;
  for (; y + tall <= height; y += tall) columns(wide, y);
  for (; y + k <= height; y += k) columns(narrow, y);
  if (y < height) columns(narrow, height - k);
}

}  // namespace

#include "primitives/geometry/mirror_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::geometry
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::geometry {
RYN_DISPATCH(Mirror8u);
RYN_DISPATCH(Mirror32);
RYN_DISPATCH(MirrorInPlace8u);
RYN_DISPATCH(MirrorInPlace32);
RYN_DISPATCH(Transpose8u);
RYN_DISPATCH(Transpose32);
}  // namespace ryn::geometry
#endif
