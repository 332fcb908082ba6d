// Processor builds of the transforms, compiled once per Highway target, and the dispatched
// operations that bind them. Rows run vectors along the butterflies of a pass (the first pass
// transposes its butterflies on the way out); columns run vectors across neighbouring columns.
// Whatever does not fill a vector (short spans, tails, radices above 5) runs the generic code.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/fft/transform_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/cache_control.h>
#include <hwy/highway.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/fft/complex_vectors-inl.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/fft_checks.h"
#include "primitives/fft/scalar_passes.h"
#include "primitives/fft/work_buffer.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::fft {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;

const float* Floats(const void* p) { return static_cast<const float*>(p); }
float* Floats(void* p) { return static_cast<float*>(p); }

// ---- Rows ----

// Whole vectors of `lanes` complex values cover the span.
bool SpanFills(int64_t span, size_t lanes) {
  return span >= static_cast<int64_t>(lanes) && span % static_cast<int64_t>(lanes) == 0;
}

// Stores the radix-4 butterflies of kComplexLanes consecutive offsets: lane l's four outputs are
// consecutive at out + 4 groups[l].
template <class D>
HWY_INLINE void StoreTransposed4(D d, const hn::Vec<D>* v, float* out, const int32_t* groups) {
  const hn::Repartition<double, D> dd;
  const auto a0 = hn::BitCast(dd, v[0]), a1 = hn::BitCast(dd, v[1]);
  const auto a2 = hn::BitCast(dd, v[2]), a3 = hn::BitCast(dd, v[3]);
  if constexpr (hn::MaxLanes(D()) == 8) {
    const auto t0 = hn::InterleaveLower(a0, a1), t1 = hn::InterleaveUpper(dd, a0, a1);
    const auto t2 = hn::InterleaveLower(a2, a3), t3 = hn::InterleaveUpper(dd, a2, a3);
    hn::StoreU(hn::BitCast(d, hn::ConcatLowerLower(dd, t2, t0)), d, out + 8 * groups[0]);
    hn::StoreU(hn::BitCast(d, hn::ConcatLowerLower(dd, t3, t1)), d, out + 8 * groups[1]);
    hn::StoreU(hn::BitCast(d, hn::ConcatUpperUpper(dd, t2, t0)), d, out + 8 * groups[2]);
    hn::StoreU(hn::BitCast(d, hn::ConcatUpperUpper(dd, t3, t1)), d, out + 8 * groups[3]);
  } else {
    hn::StoreU(hn::BitCast(d, hn::InterleaveLower(a0, a1)), d, out + 8 * groups[0]);
    hn::StoreU(hn::BitCast(d, hn::InterleaveLower(a2, a3)), d, out + 8 * groups[0] + 4);
    hn::StoreU(hn::BitCast(d, hn::InterleaveUpper(dd, a0, a1)), d, out + 8 * groups[1]);
    hn::StoreU(hn::BitCast(d, hn::InterleaveUpper(dd, a2, a3)), d, out + 8 * groups[1] + 4);
  }
}

// The same for radix 2: lane l's two outputs at out + 2 groups[l].
template <class D>
HWY_INLINE void StoreTransposed2(D d, const hn::Vec<D>* v, float* out, const int32_t* groups) {
  const hn::Repartition<double, D> dd;
  const auto a0 = hn::BitCast(dd, v[0]), a1 = hn::BitCast(dd, v[1]);
  const auto t0 = hn::InterleaveLower(a0, a1), t1 = hn::InterleaveUpper(dd, a0, a1);
  if constexpr (hn::MaxLanes(D()) == 8) {
    const hn::Half<D> dh;
    const hn::Half<decltype(dd)> ddh;
    hn::StoreU(hn::BitCast(dh, hn::LowerHalf(ddh, t0)), dh, out + 4 * groups[0]);
    hn::StoreU(hn::BitCast(dh, hn::LowerHalf(ddh, t1)), dh, out + 4 * groups[1]);
    hn::StoreU(hn::BitCast(dh, hn::UpperHalf(ddh, t0)), dh, out + 4 * groups[2]);
    hn::StoreU(hn::BitCast(dh, hn::UpperHalf(ddh, t1)), dh, out + 4 * groups[3]);
  } else {
    hn::StoreU(hn::BitCast(d, t0), d, out + 4 * groups[0]);
    hn::StoreU(hn::BitCast(d, t1), d, out + 4 * groups[1]);
  }
}

// First-pass butterflies of the offsets [0, end), end a multiple of kComplexLanes: the inputs of
// consecutive offsets are consecutive in each part of the source.
template <int kRadix>
HWY_INLINE void RowFirstPassVectors(const Passes& p, const float* source, float* out, int64_t end,
                                    Direction direction) {
  const ComplexTag d;
  const Turns<ComplexTag> turns = TurnsFor(d, direction);
  const int64_t part = p.length / kRadix;
  for (int64_t o = 0; o < end; o += kComplexLanes) {
    ComplexVector v[kRadix];
    for (int k = 0; k < kRadix; ++k) v[k] = hn::LoadU(d, source + 2 * (o + k * part));
    ButterflyV<kRadix>(d, v, turns);
    if constexpr (kRadix == 4) {
      StoreTransposed4(d, v, out, p.firstGroups + o);
    } else {
      StoreTransposed2(d, v, out, p.firstGroups + o);
    }
  }
}

// The roots broadcast as pairs: a pair of floats is one 64-bit lane.
template <class D>
HWY_INLINE hn::Vec<D> BroadcastPair(D d, const float* pair) {
  const hn::Repartition<double, D> dd;
  double bits;
  std::memcpy(&bits, pair, sizeof bits);
  return hn::BitCast(d, hn::Set(dd, bits));
}

// The first pass and pass 1, both of radix 4, in one sweep: 16 consecutive elements 16 G + e hold
// the first-pass groups 4 G + t (t = 0..3), whose inputs are o + t n/16 + k n/4 with o the offset
// of group 4 G; pass 1 then combines output j of those four groups. Vectors run over consecutive
// offsets o; each lane writes its 16 elements as four transposed runs of 4.
template <bool kInverse>
HWY_INLINE void RowFirstPairVectors(const Passes& p, const float* source, float* out) {
  const ComplexTag d;
  const Turns<ComplexTag> turns = TurnsFor(d, kInverse ? Direction::kInverse : Direction::kForward);
  const int64_t quarter = p.length / 4, sixteenth = p.length / 16;
  ComplexVector re[4][4], im[4][4];
  for (int j = 0; j < 4; ++j) {
    for (int q = 1; q < 4; ++q) {
      const TwiddleRun run = TwiddlesOf(p, 1, q, j);
      re[j][q] = BroadcastPair(d, run.pairs);
      im[j][q] = BroadcastPair(d, run.pairs + 2 * run.chunkLength);
    }
  }
  for (int64_t o = 0; o < sixteenth; o += kComplexLanes) {
    ComplexVector v[4][4];
    for (int t = 0; t < 4; ++t) {
      for (int k = 0; k < 4; ++k) v[t][k] = hn::LoadU(d, source + 2 * (o + t * sixteenth + k * quarter));
      ButterflyV<4>(d, v[t], turns);
    }
    ComplexVector z[4][4];
    for (int j = 0; j < 4; ++j) {
      z[j][0] = v[0][j];
      for (int q = 1; q < 4; ++q) z[j][q] = RotateV<kInverse>(d, v[q][j], re[j][q], im[j][q]);
      ButterflyV<4>(d, z[j], turns);
    }
    // Element j + 4 r of lane l: run r of four starts at element 16 G_l + 4 r.
    for (int r = 0; r < 4; ++r) {
      int32_t runs[kComplexLanes];
      for (size_t l = 0; l < kComplexLanes; ++l) runs[l] = p.firstGroups[o + static_cast<int64_t>(l)] + r;
      const ComplexVector column[4] = {z[0][r], z[1][r], z[2][r], z[3][r]};
      StoreTransposed4(d, column, out, runs);
    }
  }
}

// The first two passes fit one sweep: both radix 4 without roots of their own, a third pass after
// them, and whole vectors of offsets.
bool FirstPairApplies(const Passes& p) {
  const int64_t sixteenth = p.length / 16;
  return p.count >= 3 && p.radices[0] == 4 && p.radices[1] == 4 && p.radixRoots[0] == nullptr &&
         p.radixRoots[1] == nullptr && SpanFills(sixteenth, kComplexLanes);
}

void RowFirstPass(const Passes& p, const Ipp32fc* source, Ipp32fc* out, Direction direction, float scale,
                  Ipp32fc* scratch) {
  const int radix = p.radices[0];
  const int64_t offsets = p.length / radix;
  int64_t scalarFrom = 0;
  if (p.radixRoots[0] == nullptr && scale == 1.0f && (radix == 4 || radix == 2)) {
    scalarFrom = offsets - offsets % static_cast<int64_t>(kComplexLanes);
    if (radix == 4) {
      RowFirstPassVectors<4>(p, Floats(source), Floats(out), scalarFrom, direction);
    } else {
      RowFirstPassVectors<2>(p, Floats(source), Floats(out), scalarFrom, direction);
    }
  }
  ScalarFirstPass(p, scalarFrom, offsets, Contiguous(source), Contiguous(out), direction, scale, scratch);
}

// Butterflies [0, end) of every group of pass i, end a multiple of the vector's complex lanes.
template <int kRadix, bool kInverse, class D>
HWY_INLINE void RowPassVectors(D d, const Passes& p, int i, const float* in, float* out, int64_t length,
                               int64_t end, float scale) {
  using V = hn::Vec<D>;
  const int64_t lanes = static_cast<int64_t>(hn::MaxLanes(d) / 2);
  const Turns<D> turns = TurnsFor(d, kInverse ? Direction::kInverse : Direction::kForward);
  const int64_t span = p.spans[i];
  for (int64_t group = 0; group < length; group += kRadix * span) {
    for (int64_t j = 0; j < end; j += lanes) {
      V v[kRadix];
      v[0] = hn::LoadU(d, in + 2 * (group + j));
      const TwiddleRun run = TwiddlesOf(p, i, j);
      for (int k = 1; k < kRadix; ++k) {
        const float* pairs = run.pairs + 4 * (k - 1) * run.chunkLength;
        v[k] = RotateV<kInverse>(d, hn::LoadU(d, in + 2 * (group + j + k * span)), hn::LoadU(d, pairs),
                                 hn::LoadU(d, pairs + 2 * run.chunkLength));
      }
      ButterflyV<kRadix>(d, v, turns);
      for (int m = 0; m < kRadix; ++m) {
        hn::StoreU(scale != 1.0f ? ScaleV(d, v[m], scale) : v[m], d, out + 2 * (group + j + m * span));
      }
    }
  }
}

template <bool kInverse, class D>
HWY_INLINE void RowPassVectorsOfRadix(D d, const Passes& p, int i, const float* in, float* out, int64_t length,
                                      int64_t end, float scale) {
  switch (p.radices[i]) {
    case 2: return RowPassVectors<2, kInverse>(d, p, i, in, out, length, end, scale);
    case 3: return RowPassVectors<3, kInverse>(d, p, i, in, out, length, end, scale);
    case 4: return RowPassVectors<4, kInverse>(d, p, i, in, out, length, end, scale);
    default: return RowPassVectors<5, kInverse>(d, p, i, in, out, length, end, scale);
  }
}

template <class D>
HWY_INLINE void RowPassVectorsOf(D d, const Passes& p, int i, const float* in, float* out, int64_t length,
                                 int64_t end, Direction direction, float scale) {
  if (direction == Direction::kForward) return RowPassVectorsOfRadix<false>(d, p, i, in, out, length, end, scale);
  RowPassVectorsOfRadix<true>(d, p, i, in, out, length, end, scale);
}

// Passes i and i + 1, both of radix 4, in one sweep: the 16 elements g + j + k span + 4 span q
// (k, q = 0..3) are butterflies j of pass i (over k, for each q) and then butterflies j + m span of
// pass i + 1 (over q, for each m). The arithmetic is that of the two passes; the data are loaded
// and stored once.
template <bool kInverse, class D>
HWY_INLINE void RowPassPairVectors(D d, const Passes& p, int i, const float* in, float* out, int64_t length,
                                   int64_t end, float scale) {
  using V = hn::Vec<D>;
  const int64_t lanes = static_cast<int64_t>(hn::MaxLanes(d) / 2);
  const Turns<D> turns = TurnsFor(d, kInverse ? Direction::kInverse : Direction::kForward);
  const int64_t span = p.spans[i], outerSpan = 4 * span;
  for (int64_t group = 0; group < length; group += 16 * span) {
    for (int64_t j = 0; j < end; j += lanes) {
      V v[4][4];
      for (int q = 0; q < 4; ++q) {
        for (int k = 0; k < 4; ++k) v[q][k] = hn::LoadU(d, in + 2 * (group + j + k * span + q * outerSpan));
      }
      const TwiddleRun run = TwiddlesOf(p, i, j);
      for (int k = 1; k < 4; ++k) {
        const float* pairs = run.pairs + 4 * (k - 1) * run.chunkLength;
        const V re = hn::LoadU(d, pairs), im = hn::LoadU(d, pairs + 2 * run.chunkLength);
        for (int q = 0; q < 4; ++q) v[q][k] = RotateV<kInverse>(d, v[q][k], re, im);
      }
      for (int q = 0; q < 4; ++q) ButterflyV<4>(d, v[q], turns);
      for (int m = 0; m < 4; ++m) {
        V u[4] = {v[0][m], v[1][m], v[2][m], v[3][m]};
        const TwiddleRun outer = TwiddlesOf(p, i + 1, j + m * span);
        for (int q = 1; q < 4; ++q) {
          const float* pairs = outer.pairs + 4 * (q - 1) * outer.chunkLength;
          u[q] = RotateV<kInverse>(d, u[q], hn::LoadU(d, pairs), hn::LoadU(d, pairs + 2 * outer.chunkLength));
        }
        ButterflyV<4>(d, u, turns);
        for (int r = 0; r < 4; ++r) {
          hn::StoreU(scale != 1.0f ? ScaleV(d, u[r], scale) : u[r], d,
                     out + 2 * (group + j + m * span + r * outerSpan));
        }
      }
    }
  }
}

// Passes i and i + 1 fit one sweep: both radix 4 with vector butterflies, whole vectors covering
// the span.
bool PairsWithNext(const Passes& p, int i) {
  return i + 1 < p.count && p.radices[i] == 4 && p.radices[i + 1] == 4 && p.radixRoots[i] == nullptr &&
         p.radixRoots[i + 1] == nullptr && SpanFills(p.spans[i], kComplexLanes);
}

template <class D>
HWY_INLINE void RowPassPairOf(D d, const Passes& p, int i, const float* in, float* out, int64_t length,
                              Direction direction, float scale) {
  if (direction == Direction::kForward) {
    RowPassPairVectors<false>(d, p, i, in, out, length, p.spans[i], scale);
  } else {
    RowPassPairVectors<true>(d, p, i, in, out, length, p.spans[i], scale);
  }
}

// Pass i over the first `length` elements (whole groups): the widest vectors the span fills, then
// narrower ones, then the generic code for the rest.
void RowPass(const Passes& p, int i, const Ipp32fc* in, Ipp32fc* out, int64_t length, Direction direction,
             float scale, Ipp32fc* scratch) {
  const int64_t span = p.spans[i];
  int64_t scalarFrom = 0;
  if (p.radixRoots[i] == nullptr) {
    if (span >= static_cast<int64_t>(kWideComplexLanes)) {
      scalarFrom = span - span % static_cast<int64_t>(kWideComplexLanes);
      RowPassVectorsOf(WideComplexTag(), p, i, Floats(in), Floats(out), length, scalarFrom, direction, scale);
    } else if (span >= static_cast<int64_t>(kComplexLanes)) {
      scalarFrom = span - span % static_cast<int64_t>(kComplexLanes);
      RowPassVectorsOf(ComplexTag(), p, i, Floats(in), Floats(out), length, scalarFrom, direction, scale);
    }
  }
  if (scalarFrom < span) {
    ScalarPassOver(p, i, length, scalarFrom, span, Contiguous(in), Contiguous(out), direction, scale, scratch);
  }
}

// Passes [first, end) over the first `length` elements of the work buffer `data`, two at a time
// where they pair; the last of them writes `out` (which may be `data`) with the scale.
void RowPasses(const Passes& p, int first, int end, Ipp32fc* data, Ipp32fc* out, int64_t length,
               Direction direction, float scale, Ipp32fc* scratch) {
  for (int i = first; i < end;) {
    const int sweep = i + 1 < end && PairsWithNext(p, i) ? 2 : 1;
    const bool last = i + sweep == end;
    Ipp32fc* to = last ? out : data;
    const float passScale = last ? scale : 1.0f;
    if (sweep == 2 && SpanFills(p.spans[i], kWideComplexLanes)) {
      RowPassPairOf(WideComplexTag(), p, i, Floats(data), Floats(to), length, direction, passScale);
    } else if (sweep == 2) {
      RowPassPairOf(ComplexTag(), p, i, Floats(data), Floats(to), length, direction, passScale);
    } else {
      RowPass(p, i, data, to, length, direction, passScale, scratch);
    }
    i += sweep;
  }
}

// In sequences longer than this, the passes whose groups are at most this many elements run
// block by block, each block staying in the first-level cache through all of them.
constexpr int64_t kBlockElements = 1024;

// The sequences of `length` elements at a and b share no element.
bool Apart(const Ipp32fc* a, const Ipp32fc* b, int64_t length) {
  const uintptr_t x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
  const uintptr_t bytes = static_cast<uintptr_t>(length) * sizeof(Ipp32fc);
  return x + bytes <= y || y + bytes <= x;
}

// The first pass from the source; then the passes with small groups block by block, the others
// over the whole sequence; the last into the destination. A destination apart from the source
// holds the passes itself, which keeps the work buffer out of the cache.
void RowTransform(const Passes& p, const Ipp32fc* source, Ipp32fc* destination, Ipp32fc* work,
                  Direction direction, float scale) {
  if (p.count <= 1) {
    ScalarShortTransform(p, Contiguous(source), Contiguous(destination), direction, scale, work);
    return;
  }
  Ipp32fc* scratch = work + p.length;
  Ipp32fc* data = Apart(source, destination, p.length) ? destination : work;
  int next = 1;
  if (FirstPairApplies(p)) {
    if (direction == Direction::kForward) {
      RowFirstPairVectors<false>(p, Floats(source), Floats(data));
    } else {
      RowFirstPairVectors<true>(p, Floats(source), Floats(data));
    }
    next = 2;
  } else {
    RowFirstPass(p, source, data, direction, 1.0f, scratch);
  }
  int blocked = next;
  while (p.length > kBlockElements && blocked + 1 < p.count &&
         int64_t{p.radices[blocked]} * p.spans[blocked] <= kBlockElements) {
    ++blocked;
  }
  if (blocked > next) {
    const int64_t block = int64_t{p.radices[blocked - 1]} * p.spans[blocked - 1];
    for (int64_t b = 0; b < p.length; b += block) {
      RowPasses(p, next, blocked, data + b, data + b, block, direction, 1.0f, scratch);
    }
  }
  RowPasses(p, blocked, p.count, data, destination, p.length, direction, scale, scratch);
}

// ---- Columns: element e of a block is `width` complex values at base + e * stride ----

// The first pass reads, and the last pass writes, image rows far apart (a quarter or half of the
// image), which the processor does not prefetch by itself: rows this many butterflies ahead are
// fetched while the current ones are computed.
constexpr int64_t kRowsAhead = 8;

Source Lane(Source s, int c) { return Source{s.base + c * sizeof(Ipp32fc), s.stride}; }
Destination Lane(Destination d, int c) { return Destination{d.base + c * sizeof(Ipp32fc), d.stride}; }

const float* ElementOf(Source s, int64_t e, int c) { return Floats(s.base + e * s.stride) + 2 * c; }
float* ElementOf(Destination s, int64_t e, int c) { return Floats(s.base + e * s.stride) + 2 * c; }

template <int kRadix, class D>
HWY_INLINE void ColumnFirstPassVectors(D d, const Passes& p, Source in, Destination out, int width,
                                       Direction direction, float scale) {
  using V = hn::Vec<D>;
  const int lanes = static_cast<int>(hn::MaxLanes(d) / 2);
  const Turns<D> turns = TurnsFor(d, direction);
  const int64_t part = p.length / kRadix;
  for (int64_t o = 0; o < part; ++o) {
    const int64_t first = int64_t{kRadix} * p.firstGroups[o];
    if (o + kRowsAhead < part) {
      for (int k = 0; k < kRadix; ++k) hwy::Prefetch(ElementOf(in, o + kRowsAhead + k * part, 0));
    }
    for (int c = 0; c < width; c += lanes) {
      V v[kRadix];
      for (int k = 0; k < kRadix; ++k) v[k] = hn::LoadU(d, ElementOf(in, o + k * part, c));
      ButterflyV<kRadix>(d, v, turns);
      for (int m = 0; m < kRadix; ++m) {
        hn::StoreU(scale != 1.0f ? ScaleV(d, v[m], scale) : v[m], d, ElementOf(out, first + m, c));
      }
    }
  }
}

template <int kRadix, bool kInverse, class D>
HWY_INLINE void ColumnPassVectors(D d, const Passes& p, int i, Source in, Destination out, int width,
                                  float scale) {
  using V = hn::Vec<D>;
  const int lanes = static_cast<int>(hn::MaxLanes(d) / 2);
  const Turns<D> turns = TurnsFor(d, kInverse ? Direction::kInverse : Direction::kForward);
  const int64_t span = p.spans[i];
  const bool last = i + 1 == p.count;
  for (int64_t group = 0; group < p.length; group += kRadix * span) {
    for (int64_t j = 0; j < span; ++j) {
      if (last && j + kRowsAhead < span) {
        for (int m = 0; m < kRadix; ++m) hwy::Prefetch(ElementOf(out, j + kRowsAhead + m * span, 0));
      }
      V re[kRadix], im[kRadix];
      const TwiddleRun run = TwiddlesOf(p, i, j);
      for (int k = 1; k < kRadix; ++k) {
        const float* pairs = run.pairs + 4 * (k - 1) * run.chunkLength;
        re[k] = BroadcastPair(d, pairs);
        im[k] = BroadcastPair(d, pairs + 2 * run.chunkLength);
      }
      for (int c = 0; c < width; c += lanes) {
        V v[kRadix];
        v[0] = hn::LoadU(d, ElementOf(in, group + j, c));
        for (int k = 1; k < kRadix; ++k) {
          v[k] = RotateV<kInverse>(d, hn::LoadU(d, ElementOf(in, group + j + k * span, c)), re[k], im[k]);
        }
        ButterflyV<kRadix>(d, v, turns);
        for (int m = 0; m < kRadix; ++m) {
          hn::StoreU(scale != 1.0f ? ScaleV(d, v[m], scale) : v[m], d, ElementOf(out, group + j + m * span, c));
        }
      }
    }
  }
}

// The widest vectors a block of `width` columns fills; 0 when none fits or the pass's radix has
// no vector butterfly here.
int LanesFor(const Passes& p, int i, int width) {
  if (p.radixRoots[i] != nullptr || (p.radices[i] != 2 && p.radices[i] != 4)) return 0;
  if (width >= static_cast<int>(kWideComplexLanes)) return static_cast<int>(kWideComplexLanes);
  return width >= static_cast<int>(kComplexLanes) ? static_cast<int>(kComplexLanes) : 0;
}

template <class D>
HWY_INLINE void ColumnFirstPassOfRadix(D d, const Passes& p, Source in, Destination out, int width,
                                       Direction direction, float scale) {
  if (p.radices[0] == 4) return ColumnFirstPassVectors<4>(d, p, in, out, width, direction, scale);
  ColumnFirstPassVectors<2>(d, p, in, out, width, direction, scale);
}

template <class D>
HWY_INLINE void ColumnPassOfRadix(D d, const Passes& p, int i, Source in, Destination out, int width,
                                  Direction direction, float scale) {
  const bool forward = direction == Direction::kForward;
  if (p.radices[i] == 4) {
    if (forward) return ColumnPassVectors<4, false>(d, p, i, in, out, width, scale);
    return ColumnPassVectors<4, true>(d, p, i, in, out, width, scale);
  }
  if (forward) return ColumnPassVectors<2, false>(d, p, i, in, out, width, scale);
  ColumnPassVectors<2, true>(d, p, i, in, out, width, scale);
}

void ColumnFirstPass(const Passes& p, Source in, Destination out, int width, Direction direction, float scale) {
  const int lanes = LanesFor(p, 0, width);
  const int vectorWidth = lanes == 0 ? 0 : width - width % lanes;
  if (lanes == static_cast<int>(kWideComplexLanes)) {
    ColumnFirstPassOfRadix(WideComplexTag(), p, in, out, vectorWidth, direction, scale);
  } else if (lanes != 0) {
    ColumnFirstPassOfRadix(ComplexTag(), p, in, out, vectorWidth, direction, scale);
  }
  for (int c = vectorWidth; c < width; ++c) {
    ScalarFirstPass(p, 0, p.length / p.radices[0], Lane(in, c), Lane(out, c), direction, scale, nullptr);
  }
}

void ColumnPass(const Passes& p, int i, Source in, Destination out, int width, Direction direction, float scale) {
  const int lanes = LanesFor(p, i, width);
  const int vectorWidth = lanes == 0 ? 0 : width - width % lanes;
  if (lanes == static_cast<int>(kWideComplexLanes)) {
    ColumnPassOfRadix(WideComplexTag(), p, i, in, out, vectorWidth, direction, scale);
  } else if (lanes != 0) {
    ColumnPassOfRadix(ComplexTag(), p, i, in, out, vectorWidth, direction, scale);
  }
  for (int c = vectorWidth; c < width; ++c) {
    ScalarPass(p, i, 0, p.spans[i], Lane(in, c), Lane(out, c), direction, scale, nullptr);
  }
}

}  // namespace

#include "primitives/fft/transform_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::fft
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::fft {
RYN_DISPATCH(Transform2D);
RYN_DISPATCH(TransformDft);
}  // namespace ryn::fft
#endif
