// Resizing, rotation, perspective warp, remap, mirror and transpose of 8-bit (and, for mirror and
// transpose, float) images: the engines behind the geometry exports and their dispatched kernels.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"
#include "primitives/geometry/point_sampling.h"
#include "primitives/geometry/resize_plan.h"

namespace ryn::geometry {

// ---- Engines (plain code: argument stage and tables once, row kernels dispatched) ----

// The square-pixel resize of one 8-bit channel; the clipped source region is written back.
IppStatus Resize8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect* sourceRegion,
                   uint8_t* destination, int destinationStep, IppiRect destinationRegion, double xFactor,
                   double yFactor, double xShift, double yShift, int interpolation, uint8_t* buffer);

// Rotation by `angle` degrees with shifts: quarter turns move pixels, other angles run the affine
// engine.
IppStatus Rotate8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect sourceRegion,
                   uint8_t* destination, int destinationStep, IppiRect destinationRegion, double angle, double xShift,
                   double yShift, int interpolation);
// The shifts that keep (xc, yc) in place.
void ShiftsAboutCentre(double angle, double xc, double yc, double* xShift, double* yShift);

// The matrix mapping the corner pixels of (0, 0, width, height) onto the quadrangle.
IppStatus PerspectiveTransform(const double* quadrangle, IppiSize size, double* coefficients);

// Perspective warp; `forward`: the coefficients map source to destination.
IppStatus WarpPerspective8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect sourceRegion,
                            uint8_t* destination, int destinationStep, IppiRect destinationRegion,
                            const double* coefficients, int interpolation, bool forward);

// Remap of `channels` (1 or 3) interleaved channels.
IppStatus Remap8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect sourceRegion, const float* xMap,
                  int xMapStep, const float* yMap, int yMapStep, uint8_t* destination, int destinationStep,
                  IppiSize destinationSize, int interpolation, int channels);

// ---- Resize row kernels ----

// out[i] = sourceRow[columns[i]]; columns never decrease and lie in [.., last].
extern Dispatched<void(const uint8_t* sourceRow, const int32_t* columns, int count, int last, uint8_t* out)>
    ResizeNearestRow;
// Linear step between the neighbours starts[i], starts[i] + 1 (clamped to [first, last]).
extern Dispatched<void(const uint8_t* sourceRow, const int32_t* starts, const int32_t* weights, int count, int first,
                       int last, const LinearRuns& runs, uint8_t* out)>
    ResizeLinearRow;
// Linear step between two rows with one weight.
extern Dispatched<void(const uint8_t* top, const uint8_t* bottom, int weight, int count, uint8_t* out)>
    ResizeLinearBlend;
// Sum of `taps` weighted neighbours from starts[i] (clamped to [first, last]); weights[t * count + i].
extern Dispatched<void(const uint8_t* sourceRow, const int32_t* starts, const float* weights, int taps, int count,
                       int first, int last, float* out)>
    ResizeTapRow;
// out[i] = rounded sum over t of weights[t] * rows[t][i], at most 6 rows.
extern Dispatched<void(const float* const* rows, const float* weights, int taps, int count, uint8_t* out)>
    ResizeTapBlend;
// sums = (first ? 0 : sums) + weight * row, for float rows and for 8-bit rows.
extern Dispatched<void(const float* row, float weight, bool first, int count, float* sums)> ResizeTapAccumulate;
extern Dispatched<void(const uint8_t* row, float weight, bool first, int count, float* sums)> ResizeAreaAccumulate;
// out[i] = rounded sums[i].
extern Dispatched<void(const float* sums, int count, uint8_t* out)> ResizeRoundRow;
// out[i] = rounded scale x (first x sums[s] + sums[s + 1] + ... + last x sums[s + n - 1]) for the
// spans of AreaTable; sums[0] holds source column `origin`, the last readable one is `high`.
extern Dispatched<void(const float* sums, int origin, int high, const AreaSpans& spans, int count, int taps,
                       float scale, uint8_t* out)>
    ResizeAreaRow;

// Linear interpolation that halves both axes exactly: each output the rounded mean of the rounded
// means of top[2i], top[2i + 1] and of bottom[2i], bottom[2i + 1], as the row kernels compute it.
extern Dispatched<void(const uint8_t* top, const uint8_t* bottom, int count, uint8_t* out)> ResizeLinearHalving;
// Super-sampling that halves both axes exactly: out[i] = rounded quarter of the sum of top[2i],
// top[2i + 1], bottom[2i], bottom[2i + 1], as ResizeAreaRow computes it.
extern Dispatched<void(const uint8_t* top, const uint8_t* bottom, int count, uint8_t* out)> ResizeAreaHalving;

// ---- Warp and remap row kernels ----

// Destination pixels [from, to) of row y of an affine warp (inverse: x = i0 X + i1 Y + i2,
// y = i3 X + i4 Y + i5) or a perspective warp (backward 3 x 3 matrix).
extern Dispatched<void(const SourcePlane& source, const double* inverse, int mode, bool smooth, int y, int from, int to,
                       uint8_t* row)>
    AffineRow;
extern Dispatched<void(const SourcePlane& source, const double* backward, int mode, bool smooth, int y, int from,
                       int to, uint8_t* row)>
    PerspectiveRow;
// One destination row of a remap.
extern Dispatched<void(const SourcePlane& source, const float* xs, const float* ys, int mode, bool smooth, int count,
                       uint8_t* row)>
    RemapRow;

// ---- Mirror and transpose (checks included) ----

extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize size, int flip)>
    Mirror8u;
extern Dispatched<IppStatus(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                            IppiSize size, int flip)>
    Mirror32;
extern Dispatched<IppStatus(uint8_t* image, int step, IppiSize size, int flip)> MirrorInPlace8u;
extern Dispatched<IppStatus(uint32_t* image, int step, IppiSize size, int flip)> MirrorInPlace32;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize size)>
    Transpose8u;
extern Dispatched<IppStatus(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                            IppiSize size)>
    Transpose32;

}  // namespace ryn::geometry
