// Rank filters and morphology on 8-bit images: the dispatched primitives and the compositions the
// exports are made of.
//
// Windows: a 3 x 3 primitive computes destination (x, y) from source (x - 1 .. x + 1,
// y - 1 .. y + 1) around the same position, so the caller guarantees one readable pixel around
// the region on every side. The masked primitives read source (x - anchor.x + i,
// y - anchor.y + j) for every non-zero element byte mask[j * mask.width + i]; an excluded
// neighbour never contributes.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::morphology {

// Minimum (erosion), maximum (dilation) of the 3 x 3 window. Checks: CheckMorphology3x3Arguments.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    Erode3x3_8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    Dilate3x3_8u;

// The same in place on `region` of an image whose one-pixel frame around the region is readable:
// every output comes from the values the image held before the call (two saved rows).
// Checks: CheckInPlace3x3Arguments, then -9 when the two row buffers cannot be obtained.
extern Dispatched<IppStatus(uint8_t* image, int step, IppiSize region)> ErodeInPlace3x3_8u;
extern Dispatched<IppStatus(uint8_t* image, int step, IppiSize region)> DilateInPlace3x3_8u;

// Maximum and median (fifth smallest) of the 3 x 3 window. Checks: CheckRank3x3Arguments.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    FilterMax3x3_8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    FilterMedian3x3_8u;

// Minimum and maximum over the included neighbours of a structuring element of mask.width x
// mask.height bytes. Checks: CheckMaskedArguments, then -9 when a large element's tap list
// cannot be obtained.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, const uint8_t* element, IppiSize mask, IppiPoint anchor)>
    ErodeMasked8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, const uint8_t* element, IppiSize mask, IppiPoint anchor)>
    DilateMasked8u;

// The exports' compositions on a caller's W x H image: the (W - 2) x (H - 2) inset region at
// (1, 1), then (except the structuring-element forms) border completion of the destination.
enum class Rank3x3 { kErode, kDilate, kMax, kMedian };
IppStatus FilterRank3x3Inset(Rank3x3 rank, const uint8_t* source, int sourceStep, uint8_t* destination,
                             int destinationStep, IppiSize region);

enum class Extreme { kMinimum, kMaximum };
enum class ElementAxis { kRow, kColumn };  // three bytes along a row (3 x 1) or a column (1 x 3)
IppStatus FilterMaskedInset(Extreme extreme, ElementAxis axis, const uint8_t* source, int sourceStep,
                            uint8_t* destination, int destinationStep, const uint8_t* element, IppiSize region);

enum class Composite { kOpening, kClosing };
IppStatus Composite3x3Inset(Composite composite, const uint8_t* source, int sourceStep, uint8_t* destination,
                            int destinationStep, IppiSize region);
IppStatus Composite3x3InsetInPlace(Composite composite, uint8_t* image, int step, IppiSize region);

}  // namespace ryn::morphology
