// Processor builds of mirror and transpose, compiled once per Highway target, and the dispatched
// operations that bind them. Rows are reversed a vector at a time; transposes go through blocks of
// 16 x 16 bytes or 4 x 4 words held in 128-bit vectors, interleaved four (or two) times.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/geometry/mirror_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/cache_control.h>
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

// Blocks of k x k elements (k = 16 / element size), one per 128 bits of a vector: each round
// interleaves row r with row r + k/2 inside every 128-bit block, which rotates the bits of
// (row, column) by one; log2(k) rounds exchange them. Block j of the result holds the transpose
// of the source block at columns j k .. j k + k - 1, written to destination rows j k on.
template <class D>
HWY_NOINLINE void TransposeBlocks(D d, const uint8_t* source, int sourceStep, uint8_t* destination,
                                int destinationStep) {
  using T = hn::TFromD<D>;
  constexpr int k = 16 / sizeof(T);
  const size_t blocks = hn::Lanes(d) / k;
  hn::Vec<D> rows[k], next[k];
  for (int r = 0; r < k; ++r) {
    const uint8_t* row = source + static_cast<ptrdiff_t>(r) * sourceStep;
    rows[r] = hn::LoadU(d, reinterpret_cast<const T*>(row));
    // The next block of the same rows: the rows are too many streams for the hardware prefetcher.
    hwy::Prefetch(row + hn::Lanes(d) * sizeof(T));
  }
  for (int round = 1; round < k; round *= 2) {
    for (int r = 0; r < k / 2; ++r) {
      next[2 * r] = hn::InterleaveLower(d, rows[r], rows[r + k / 2]);
      next[2 * r + 1] = hn::InterleaveUpper(d, rows[r], rows[r + k / 2]);
    }
    for (int r = 0; r < k; ++r) rows[r] = next[r];
  }
  alignas(64) uint8_t lanes[64];
  for (int r = 0; r < k; ++r) {
    hn::Store(rows[r], d, reinterpret_cast<T*>(lanes));
    for (size_t j = 0; j < blocks; ++j) {
      std::memcpy(destination + (static_cast<ptrdiff_t>(j * k) + r) * destinationStep, lanes + 16 * j, 16);
    }
  }
}

template <class T>
HWY_INLINE void TransposeTile(const T* source, int sourceStep, T* destination, int destinationStep, int width,
                              int height) {
  constexpr int k = 16 / sizeof(T);
  const hn::ScalableTag<T> wide;
  const hn::Full128<T> narrow;
  const int wideColumns = static_cast<int>(hn::Lanes(wide));
  const auto from = View(source, sourceStep, IppiSize{width, height});
  const auto to = View(destination, destinationStep, IppiSize{height, width});
  const int blockHeight = height / k * k;
  for (int y = 0; y < blockHeight; y += k) {
    int x = 0;
    for (; x + wideColumns <= width; x += wideColumns) {
      TransposeBlocks(wide, reinterpret_cast<const uint8_t*>(from.Row(y) + x), sourceStep,
                      reinterpret_cast<uint8_t*>(to.Row(x) + y), destinationStep);
    }
    for (; x + k <= width; x += k) {
      TransposeBlocks(narrow, reinterpret_cast<const uint8_t*>(from.Row(y) + x), sourceStep,
                      reinterpret_cast<uint8_t*>(to.Row(x) + y), destinationStep);
    }
    for (; x < width; ++x) {
      for (int r = y; r < y + k; ++r) StoreUnaligned(to.Row(x) + r, LoadUnaligned(from.Row(r) + x));
    }
  }
  for (int x = 0; x < width; ++x) {
    for (int y = blockHeight; y < height; ++y) StoreUnaligned(to.Row(x) + y, LoadUnaligned(from.Row(y) + x));
  }
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
