// The passes of a transform one complex sequence at a time: the generic build's transforms, and
// the processor builds' passes where vectors do not fit (short spans, tails, radices above 5).
// Sequences are walked by byte strides and read and written through unaligned accesses, so that
// rows of caller images at any address and step are safe.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "frame/unaligned.h"
#include "primitives/fft/butterflies.h"
#include "primitives/fft/fft_objects.h"

namespace ryn::fft {

// Element i of a sequence lies at base + i * stride.
struct Source {
  const uint8_t* base;
  ptrdiff_t stride;
  Ipp32fc Load(int64_t i) const { return LoadUnaligned(reinterpret_cast<const Ipp32fc*>(base + i * stride)); }
};

struct Destination {
  uint8_t* base;
  ptrdiff_t stride;
  void Store(int64_t i, Ipp32fc v) const { StoreUnaligned(reinterpret_cast<Ipp32fc*>(base + i * stride), v); }
  Source AsSource() const { return Source{base, stride}; }
};

inline Source Contiguous(const Ipp32fc* data) {
  return Source{reinterpret_cast<const uint8_t*>(data), sizeof(Ipp32fc)};
}
inline Destination Contiguous(Ipp32fc* data) { return Destination{reinterpret_cast<uint8_t*>(data), sizeof(Ipp32fc)}; }

// Stores the butterfly of `radix` values at out[first + m * span], each times `scale` unless it
// is 1: summed directly when the pass has roots, else by the radix's own butterfly (in place).
inline void StoreButterfly(Ipp32fc* values, int radix, const Ipp32fc* roots, Destination out, int64_t first,
                           int64_t span, Direction direction, float scale) {
  if (roots == nullptr) {
    SmallRadix(values, radix, direction);
    for (int m = 0; m < radix; ++m) out.Store(first + m * span, scale != 1.0f ? Scale(values[m], scale) : values[m]);
    return;
  }
  for (int m = 0; m < radix; ++m) {
    const Ipp32fc y = DirectSum(values, radix, m, roots, direction);
    out.Store(first + m * span, scale != 1.0f ? Scale(y, scale) : y);
  }
}

// The roots of input k of the chunk holding butterfly j of pass i: the real pairs start at the
// result, the imaginary pairs 2 x chunkLength floats later.
struct TwiddleRun {
  const float* pairs;
  int64_t chunkLength;
};

// The roots of input 1 for butterfly j of pass i; those of input k lie (k - 1) x 4 x chunkLength
// floats further.
inline TwiddleRun TwiddlesOf(const Passes& p, int i, int64_t j) {
  static_assert((kTwiddleChunk & (kTwiddleChunk - 1)) == 0);
  const int64_t first = j & ~(kTwiddleChunk - 1);
  const int64_t chunkLength = std::min<int64_t>(kTwiddleChunk, p.spans[i] - first);
  return TwiddleRun{p.twiddles[i] + 4 * (p.radices[i] - 1) * first + 2 * (j - first), chunkLength};
}

inline TwiddleRun TwiddlesOf(const Passes& p, int i, int k, int64_t j) {
  const TwiddleRun first = TwiddlesOf(p, i, j);
  return TwiddleRun{first.pairs + 4 * (k - 1) * first.chunkLength, first.chunkLength};
}

// The root W^(j k) of input k of butterfly j in pass i.
inline Ipp32fc TwiddleOf(const Passes& p, int i, int k, int64_t j) {
  const TwiddleRun run = TwiddlesOf(p, i, k, j);
  return Ipp32fc{run.pairs[0], run.pairs[2 * run.chunkLength + 1]};
}

// Values of a direct radix above kStackDirectRadix live in `scratch` (radix elements).
inline Ipp32fc* ValuesFor(int radix, Ipp32fc* stack, Ipp32fc* scratch) {
  return radix <= kStackDirectRadix ? stack : scratch;
}

// The first-pass butterfly of input offset o: reads in[o + k * length / radix], writes the
// group's consecutive elements.
inline void FirstPassButterfly(const Passes& p, int64_t o, Source in, Destination out, Direction direction,
                               float scale, Ipp32fc* scratch) {
  const int radix = p.radices[0];
  const int64_t stride = p.length / radix;
  Ipp32fc stack[kStackDirectRadix];
  Ipp32fc* values = ValuesFor(radix, stack, scratch);
  for (int k = 0; k < radix; ++k) values[k] = in.Load(o + k * stride);
  StoreButterfly(values, radix, p.radixRoots[0], out, int64_t{radix} * p.firstGroups[o], 1, direction, scale);
}

// Butterfly j of the group starting at element `group` in pass i (i >= 1).
inline void PassButterfly(const Passes& p, int i, int64_t group, int64_t j, Source in, Destination out,
                          Direction direction, float scale, Ipp32fc* scratch) {
  const int radix = p.radices[i];
  const int64_t span = p.spans[i];
  Ipp32fc stack[kStackDirectRadix];
  Ipp32fc* values = ValuesFor(radix, stack, scratch);
  values[0] = in.Load(group + j);
  for (int k = 1; k < radix; ++k) {
    values[k] = Rotate(in.Load(group + j + k * span), TwiddleOf(p, i, k, j), direction);
  }
  StoreButterfly(values, radix, p.radixRoots[i], out, group + j, span, direction, scale);
}

// First-pass butterflies of the offsets [begin, end).
inline void ScalarFirstPass(const Passes& p, int64_t begin, int64_t end, Source in, Destination out,
                            Direction direction, float scale, Ipp32fc* scratch) {
  for (int64_t o = begin; o < end; ++o) FirstPassButterfly(p, o, in, out, direction, scale, scratch);
}

// Butterflies [begin, end) of the groups of pass i in the first `length` elements (a multiple of
// the group length).
inline void ScalarPassOver(const Passes& p, int i, int64_t length, int64_t begin, int64_t end, Source in,
                           Destination out, Direction direction, float scale, Ipp32fc* scratch) {
  const int64_t groupLength = int64_t{p.radices[i]} * p.spans[i];
  for (int64_t group = 0; group < length; group += groupLength) {
    for (int64_t j = begin; j < end; ++j) PassButterfly(p, i, group, j, in, out, direction, scale, scratch);
  }
}

// Butterflies [begin, end) of every group of pass i.
inline void ScalarPass(const Passes& p, int i, int64_t begin, int64_t end, Source in, Destination out,
                       Direction direction, float scale, Ipp32fc* scratch) {
  ScalarPassOver(p, i, p.length, begin, end, in, out, direction, scale, scratch);
}

// A transform of at most one pass: a single element (scaled), or one butterfly of the whole
// length; source and destination may be the same.
inline void ScalarShortTransform(const Passes& p, Source in, Destination out, Direction direction, float scale,
                                 Ipp32fc* scratch) {
  if (p.count == 0) {
    const Ipp32fc value = in.Load(0);
    out.Store(0, scale != 1.0f ? Scale(value, scale) : value);
    return;
  }
  ScalarFirstPass(p, 0, 1, in, out, direction, scale, scratch);
}

}  // namespace ryn::fft
