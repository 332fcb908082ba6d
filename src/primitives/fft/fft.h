// Complex FFTs of images, DFTs of any length, polar conversions, contour smoothing and template
// matching by FFT correlation, for the exports.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"
#include "primitives/fft/fft_objects.h"

namespace ryn::fft {

// ---- Objects (plans.cc, fft_object.cc) ----

// A plan of length 2^order with a normalisation flag: -15 for an order outside 0..30, -16 for a
// flag other than 1, 2, 4, 8, -15 for an order above 28, -9 when memory runs out.
IppStatus CreateFftPlan(int order, int flag, int hint, FftPlan** plan);
void ReleaseFftPlan(FftPlan* plan);

// A DFT plan of any length, normalised by 1/length on the forward side: -6 for a length below 1,
// -9 when memory runs out.
IppStatus CreateDftPlan(int length, DftPlan** plan);
// -8 for null, -17 when the identifier is not the DFT plan's; else releases it.
IppStatus ReleaseDftPlan(DftPlan* plan);
// The plan's work size in bytes: -8 for null, -17 for another identifier.
IppStatus DftWorkBytes(const DftPlan* plan, int64_t* bytes);

// The two-dimensional object: written to *object only on success.
IppStatus CreateFft2D(Fft2D** object, int orderX, int orderY, int flag, int hint);
IppStatus FreeFft2D(Fft2D* object);
// The work size plus room to align the caller's buffer.
IppStatus Fft2DBufferSize(const Fft2D* object, int* size);

// ---- Transforms (transform_*) ----

// Forward or inverse transform of a 2^orderY x 2^orderX image; source and destination may be the
// same image with the same step. `buffer` null: one is allocated for the call.
extern Dispatched<IppStatus(const Fft2D* object, const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                            int destinationStep, uint8_t* buffer, Direction direction)>
    Transform2D;

// Forward or inverse DFT of plan->length elements with the plan's work buffer (of
// DftWorkBytes); source and destination may be the same.
extern Dispatched<IppStatus(const DftPlan* plan, const Ipp32fc* source, Ipp32fc* destination, uint8_t* work,
                            Direction direction)>
    TransformDft;

// ---- Conversions (conversion_*) ----

extern Dispatched<IppStatus(const Ipp32fc* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize size)>
    Magnitude;
extern Dispatched<IppStatus(const Ipp32fc* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize size)>
    Phase;
extern Dispatched<IppStatus(const float* magnitude, const float* phase, int planeStep, Ipp32fc* destination,
                            int destinationStep, IppiSize size)>
    PolarToCart;
extern Dispatched<IppStatus(const float* re, const float* im, float* magnitude, float* phase, int length)>
    CartToPolar;
extern Dispatched<IppStatus(const float* re, int reStep, const float* im, int imStep, Ipp32fc* destination,
                            int destinationStep, IppiSize size)>
    RealToComplex;

// Copies width x 8 bytes per row; rows advance by the steps rounded down to whole elements.
IppStatus CopyComplex(const Ipp32fc* source, int sourceStep, Ipp32fc* destination, int destinationStep,
                      IppiSize size);

// ---- Contour smoothing (contour_smoothing.cc) ----

IppStatus CreateSmoothingContext(SmoothingContext** context, int length);
IppStatus FreeSmoothingContext(SmoothingContext** context);
IppStatus SmoothContour(SmoothingContext* context, Ipp32fc* contour, Ipp32fc* spectrum, int length, int keep);
IppStatus PolarSmoothingBufferSize(const SmoothingContext* context, int* size);
IppStatus SmoothContourPolar(SmoothingContext* context, uint8_t* buffer, const Ipp32fc* source,
                             Ipp32fc* destination, int length, int keep);

// ---- Template matching (matching_*, template_matching.cc) ----

// Normalised squared distance of the template to every window of the source that it fits.
IppStatus SqrDistanceValidNorm(const float* source, int sourceStep, IppiSize sourceSize, const float* pattern,
                               int patternStep, IppiSize patternSize, float* destination, int destinationStep);

// spectrum[i] = spectrum[i] times the conjugate of pattern[i], for n elements.
extern Dispatched<void(Ipp32fc* spectrum, const Ipp32fc* pattern, size_t n)> MultiplyConjugate;

// One row of distances: destination[x] = (energy[x] - 2 c + norm^2) / (sqrt(max(energy[x], e))
// max(norm, e)) with c = correlation[2 x] times correlationScale, in double, rounded once.
extern Dispatched<void(const float* correlation, const double* energy, float* destination, size_t n,
                       double patternNorm, double correlationScale)>
    DistanceRow;

}  // namespace ryn::fft
