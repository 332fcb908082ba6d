// The argument stage of the resize engine and everything it computes before the row kernels run:
// checks, effective mode, source clipping, the written rectangle, the working-buffer size rule,
// the destination-rectangle rule, the per-column and per-row tables, and the edge pass.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::geometry {

// One axis of a resize: destination d maps to source (d + 0.5) / factor - shift / factor - 0.5.
struct ResizeAxis {
  double factor, shift;
  int first, end;  // destination indices written, end exclusive
  int low, high;   // source region, inclusive
  double ratio;    // antialiasing widening, 1 when not reducing
  int reach;       // antialiasing: taps on each side beyond the first
  double Source(int d) const { return (d + 0.5) / factor - shift / factor - 0.5; }
  int Count() const { return end - first; }
};

struct ResizePlan {
  int mode;         // effective mode
  uint32_t option;  // 0 or the one option bit
  IppiRect source;  // clipped source region
  ResizeAxis x, y;
  double xMin, xMax, yMin, yMax;  // unclipped destination bounds
  int64_t budget;                 // bytes of working buffer the size rule promises
};

// Engine checks, in order, then the plan. ippStsNoErr when the kernels should run; otherwise the
// status to return (nothing written). Writes the clipped region back into *sourceRegion.
IppStatus PlanResize(const uint8_t* source, IppiSize sourceSize, IppiRect* sourceRegion, const uint8_t* destination,
                     IppiRect destinationRegion, double xFactor, double yFactor, double xShift, double yShift,
                     int interpolation, const uint8_t* buffer, ResizePlan* plan);

IppStatus ResizeBufferSize(IppiRect sourceRegion, IppiRect destinationRegion, int channels, int interpolation,
                           int* size);

IppStatus ResizeDestinationRect(IppiRect sourceRegion, IppiRect* destinationRect, double xFactor, double yFactor,
                                double xShift, double yShift, int interpolation);

// Source index of each destination position for nearest neighbour, inside the region.
void NearestIndices(const ResizeAxis& axis, int32_t* indices);
// Ranges of destination columns [from, to) where a linear table halves the source exactly (starts
// 2 apart, weight 8192) or doubles it (starts alternately k - 1 and k with weights 12288 and 4096,
// beginning on the first of a pair), with every neighbour inside the region: processor builds
// take them without gathers.
struct LinearRuns {
  int halveFrom = 0, halveTo = 0;
  int doubleFrom = 0, doubleTo = 0;
};

// First neighbour and 14-bit weight of each destination position for linear interpolation.
void LinearTable(const ResizeAxis& axis, int32_t* starts, int32_t* weights, LinearRuns* runs = nullptr);
// First tap and the weights of `taps` taps (weights[t * count + i]) for the cubic families,
// Lanczos, or any of them widened for antialiasing.
void TapTable(const ResizeAxis& axis, int mode, bool antialiasing, int taps, int32_t* starts, float* weights);
int TapCount(const ResizeAxis& axis, int mode, bool antialiasing);

// Area spans for super-sampling: destination position i covers source [s, s + n) with weights
// first, 1, ..., 1, last.
struct AreaSpans {
  int32_t* starts;
  int32_t* counts;
  float* firstWeights;
  float* lastWeights;
};
int AreaTable(const ResizeAxis& axis, int from, int to, const AreaSpans& spans);  // returns the largest count

// Partially covered pixels around the written rectangle, for the edge options.
void ResizeEdgePass(const ResizePlan& plan, IppiRect destinationRegion, uint8_t* destination, int step);

// Pieces of the caller's working buffer, each aligned, never beyond the promised size.
class BufferCarver {
 public:
  BufferCarver(uint8_t* buffer, int64_t budget) : next_(buffer), end_(buffer + budget) {}
  template <class T>
  T* Take(size_t count, size_t alignment = 16) {
    const uintptr_t at = (reinterpret_cast<uintptr_t>(next_) + alignment - 1) & ~uintptr_t(alignment - 1);
    const uintptr_t after = at + count * sizeof(T);
    if (after > reinterpret_cast<uintptr_t>(end_)) return nullptr;
    next_ = reinterpret_cast<uint8_t*>(after);
    return reinterpret_cast<T*>(at);
  }

 private:
  uint8_t* next_;
  uint8_t* end_;
};

}  // namespace ryn::geometry
