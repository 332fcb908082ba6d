// The objects of the transforms: the two-dimensional FFT object, its one-dimensional
// plans, the DFT plan of any length and the contour-smoothing context. Callers hold them through
// opaque pointers; every object starts with its 32-bit identifier, so that an object of the wrong
// kind is recognised before it is used.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::fft {

constexpr int32_t kFft2DIdentifier = 25;
constexpr int32_t kFftPlanIdentifier = 4;
constexpr int32_t kDftPlanIdentifier = 13;

// Orders the object accepts, and orders a plan can be built for.
constexpr int kLargestObjectOrder = 30;
constexpr int kLargestPlanOrder = 28;

// Normalisation flags of the allocation.
constexpr int kScaleForward = 1;   // forward result times 1/N
constexpr int kScaleInverse = 2;   // inverse result times 1/N
constexpr int kScaleBothRoot = 4;  // both results times 1/sqrt(N)
constexpr int kScaleNone = 8;

// Caller buffers are used from their first address aligned to this.
constexpr int kCallerBufferAlignment = 16;

enum class Direction : int { kForward = 0, kInverse = 1 };

// Butterflies whose roots are stored together (see Passes::twiddles).
constexpr int64_t kTwiddleChunk = 8;

// Up to 31 passes: lengths below 2^31, radices of at least 2.
constexpr int kMaxPasses = 31;

// The passes of one transform length: an in-place decimation in time. The first pass reads the
// input in digit-reversed order and writes butterflies of radices[0] consecutive elements; pass i
// combines, in groups of spans[i] * radices[i] elements, the elements spans[i] apart, after
// multiplying input k of butterfly j by the root W^(j k) of the group's length (forward roots,
// conjugated for the inverse). The last pass holds one group and writes the natural order.
struct Passes {
  int32_t length;
  int32_t count;
  int32_t radices[kMaxPasses];
  int32_t spans[kMaxPasses];
  // Pass i >= 1: the roots w = W^(j k) of the butterflies j = 0 .. spans[i] - 1 and their inputs
  // k = 1 .. radices[i] - 1, in the forms vectors multiply by: the pairs (w.re, w.re) and
  // (-w.im, w.im). Butterflies come in chunks of kTwiddleChunk (the last one shorter), each chunk
  // holding for every k the real pairs of its butterflies, then their imaginary pairs; one pass
  // thus reads its roots as one stream. Null for the first pass, whose roots are all 1.
  const float* twiddles[kMaxPasses];
  // Passes summed directly (radices above 5, and the one pass of lengths below 17): the
  // radices[i] roots W_r^t of pass i. Null for passes with a butterfly of their own.
  const Ipp32fc* radixRoots[kMaxPasses];
  // For each first-pass input offset o (0 .. length / radices[0] - 1): the group whose inputs
  // are o, o + length / radices[0], ...; the group writes elements radices[0] * group onwards.
  const int32_t* firstGroups;
  // The largest directly summed radix whose values do not fit the stack (0 when none): the
  // transform needs that many complex elements of scratch.
  int32_t largestDirectRadix;
  // Blocks of the library's allocator that hold the tables above.
  void* twiddleBlock;
  void* groupBlock;
};

// One-dimensional plan of the FFT object, length 2^order.
struct FftPlan {
  int32_t identifier;  // kFftPlanIdentifier
  int32_t order;
  int32_t forwardScaled;
  int32_t inverseScaled;
  float scale;
  int32_t hint;
  int64_t workBytes;
  Passes passes;
};

// Two-dimensional complex FFT object: 2^orderX columns, 2^orderY rows.
struct Fft2D {
  int32_t identifier;  // kFft2DIdentifier while valid, 0 after release
  int32_t orderX;
  int32_t orderY;
  int32_t hint;  // stored, not interpreted
  FftPlan* rowPlan;
  FftPlan* columnPlan;  // null when orderY equals orderX: the row plan serves both
  int64_t workBytes;
  // Further blocks owned by the object and released with it; this implementation needs none.
  void* ownedBlocks[2];
};

// One-dimensional DFT plan of any length, always normalised by 1/length on the forward side.
struct DftPlan {
  int32_t identifier;  // kDftPlanIdentifier while valid
  int32_t length;
  int32_t forwardScaled;
  int32_t inverseScaled;
  float scale;
  int64_t workBytes;
  FftPlan* powerOfTwo;  // lengths 2^k from 32 on run the FFT plan; null otherwise
  Passes passes;        // the other lengths (below 17: one directly summed pass)
};

// Contour-smoothing context: a DFT plan of the contour length and its work buffer.
struct SmoothingContext {
  DftPlan* plan;
  int32_t length;
  uint8_t* work;  // block of the library's allocator; null when the plan needs none
};

}  // namespace ryn::fft
