// Bitwise logic, thresholds, comparisons, per-pixel minimum and maximum and the linear lookup
// table on one-channel images, for the exports. In-place forms pass one image as a source and as
// the destination: every kernel reads each pixel before it writes it.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::arith {

// destination = source1 AND / OR / XOR source2. Every step must be at least 1.
extern Dispatched<IppStatus(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                            uint8_t* destination, int destinationStep, IppiSize region)>
    And8u;
extern Dispatched<IppStatus(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                            uint8_t* destination, int destinationStep, IppiSize region)>
    Or8u;
extern Dispatched<IppStatus(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                            uint8_t* destination, int destinationStep, IppiSize region)>
    Xor8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    Not8u;

// Threshold operations: below (0) raises the pixels under the threshold to it, above (4) lowers
// the pixels over it. Any other operation is rejected.
constexpr int kThresholdBelow = 0;
constexpr int kThresholdAbove = 4;

extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, uint8_t threshold, int operation)>
    Threshold8u;
// Strict comparisons, so NaN pixels and a NaN threshold leave pixels unchanged.
extern Dispatched<IppStatus(float* image, int step, IppiSize region, float threshold, int operation)> Threshold32f;
// The pixels beyond the threshold (strictly) become `value`. The operation is checked first.
extern Dispatched<IppStatus(uint8_t* image, int step, IppiSize region, uint8_t threshold, uint8_t value,
                            int operation)>
    ThresholdValue8u;
// Pixels below `lower` become `lowerValue`, pixels above `upper` become `upperValue`.
extern Dispatched<IppStatus(uint8_t* image, int step, IppiSize region, uint8_t lower, uint8_t lowerValue,
                            uint8_t upper, uint8_t upperValue)>
    ThresholdBand8u;

// 255 where `first OP second` holds, else 0 (operations in comparison_rules.h). An operation
// outside 0..4 writes nothing and is not an error.
extern Dispatched<IppStatus(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                            uint8_t* destination, int destinationStep, IppiSize region, int operation)>
    Compare8u;
extern Dispatched<IppStatus(const float* source1, int source1Step, const float* source2, int source2Step,
                            uint8_t* destination, int destinationStep, IppiSize region, int operation)>
    Compare32f;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination,
                            int destinationStep, IppiSize region, int operation)>
    CompareConst8u;
extern Dispatched<IppStatus(const float* source, int sourceStep, float value, uint8_t* destination,
                            int destinationStep, IppiSize region, int operation)>
    CompareConst32f;

// image = min (max) of source and image.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* image, int imageStep, IppiSize region)>
    MinEvery8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* image, int imageStep, IppiSize region)>
    MaxEvery8u;

// destination = table[source] with the table of BuildLinearTable.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, const int32_t* values, const int32_t* levels, int levelCount)>
    LookUpLinear8u;

}  // namespace ryn::arith
