// Per-pixel arithmetic on one-channel images, the accumulations and alpha compositing, for the
// exports. In-place forms pass one image as a source and as the destination: every kernel reads
// each pixel before it writes it. Steps are checked only where an operation says so.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::arith {

// 8-bit operations with the scale factor of scale_rules.h; any scale factor is accepted.
// destination = first + second, max(0, minuend - subtrahend), first x second.
extern Dispatched<IppStatus(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                            uint8_t* destination, int destinationStep, IppiSize region, int scale)>
    Add8u;
extern Dispatched<IppStatus(const uint8_t* minuend, int minuendStep, const uint8_t* subtrahend, int subtrahendStep,
                            uint8_t* destination, int destinationStep, IppiSize region, int scale)>
    Sub8u;
extern Dispatched<IppStatus(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                            uint8_t* destination, int destinationStep, IppiSize region, int scale)>
    Mul8u;
// destination = source + value, max(0, source - value), source x value.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination,
                            int destinationStep, IppiSize region, int scale)>
    AddC8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination,
                            int destinationStep, IppiSize region, int scale)>
    SubC8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination,
                            int destinationStep, IppiSize region, int scale)>
    MulC8u;
// image = image^2; the step must be at least 1.
extern Dispatched<IppStatus(uint8_t* image, int step, IppiSize region, int scale)> Sqr8u;
// The division rule of byte_tables.h; steps at least 1, then a non-zero value.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, uint8_t value, int scale)>
    DivC8u;
// The logarithm table of byte_tables.h; steps at least 1. Returns ippStsLnZeroArg if any pixel
// is 0.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region, int scale)>
    Ln8u;
// |first - second|; every step at least the width.
extern Dispatched<IppStatus(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                            uint8_t* destination, int destinationStep, IppiSize region)>
    AbsDiff8u;
// The compositing of alpha_rules.h, operation 0..kAlphaOperations - 1.
extern Dispatched<IppStatus(const uint8_t* first, int firstStep, uint8_t firstAlpha, const uint8_t* second,
                            int secondStep, uint8_t secondAlpha, uint8_t* destination, int destinationStep,
                            IppiSize region, int operation)>
    AlphaComp8u;

// Single-precision operations. destination = first + second, first - second, first x second;
// steps are not checked.
extern Dispatched<IppStatus(const float* first, int firstStep, const float* second, int secondStep,
                            float* destination, int destinationStep, IppiSize region)>
    Add32f;
extern Dispatched<IppStatus(const float* first, int firstStep, const float* second, int secondStep,
                            float* destination, int destinationStep, IppiSize region)>
    Sub32f;
extern Dispatched<IppStatus(const float* first, int firstStep, const float* second, int secondStep,
                            float* destination, int destinationStep, IppiSize region)>
    Mul32f;
// image = image + value, image - value, image x value; the step is not checked.
extern Dispatched<IppStatus(float* image, int step, IppiSize region, float value)> AddC32f;
extern Dispatched<IppStatus(float* image, int step, IppiSize region, float value)> SubC32f;
extern Dispatched<IppStatus(float* image, int step, IppiSize region, float value)> MulC32f;
// image = image x (1 / value); the step must be at least 1, then the value non-zero.
extern Dispatched<IppStatus(float* image, int step, IppiSize region, float value)> DivC32f;
// image = Quotient(image, divisor) of float_rules.h; steps at least 1. Returns ippStsDivByZero if
// any divisor is zero.
extern Dispatched<IppStatus(const float* divisor, int divisorStep, float* image, int imageStep, IppiSize region)>
    Div32f;
// image = image^2, |image|; the step must be at least 1.
extern Dispatched<IppStatus(float* image, int step, IppiSize region)> Sqr32f;
extern Dispatched<IppStatus(float* image, int step, IppiSize region)> Abs32f;
// |first - second| and |source - value|; steps at least 4 x width, then multiples of 4.
extern Dispatched<IppStatus(const float* first, int firstStep, const float* second, int secondStep,
                            float* destination, int destinationStep, IppiSize region)>
    AbsDiff32f;
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, float value)>
    AbsDiffC32f;

// Accumulations into a float image. Steps at least their rows (4 x width for floats, width for
// bytes and masks), then float steps multiples of 4.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* image, int imageStep, const uint8_t* mask,
                            int maskStep, IppiSize region)>
    AddMasked32f;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, float* image, int imageStep, IppiSize region)>
    Add8u32f;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, float* image, int imageStep, IppiSize region)>
    AddSquare8u32f;
extern Dispatched<IppStatus(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                            float* image, int imageStep, IppiSize region)>
    AddProduct8u32f;
// image = RunningAverage(image, source, alpha) of float_rules.h, where the mask is not zero.
extern Dispatched<IppStatus(const float* source, int sourceStep, float* image, int imageStep, IppiSize region,
                            float alpha)>
    AddWeighted32f;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, float* image, int imageStep, IppiSize region,
                            float alpha)>
    AddWeighted8u32f;
extern Dispatched<IppStatus(const float* source, int sourceStep, float* image, int imageStep, const uint8_t* mask,
                            int maskStep, IppiSize region, float alpha)>
    AddWeightedMasked32f;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, float* image, int imageStep,
                            const uint8_t* mask, int maskStep, IppiSize region, float alpha)>
    AddWeightedMasked8u32f;

// e^x and ln x of log_exp_rules.h on `length` floats in place; Ln32f returns LnWarning of the
// first element that gives one.
extern Dispatched<IppStatus(float* vector, int length)> Exp32f;
extern Dispatched<IppStatus(float* vector, int length)> Ln32f;

}  // namespace ryn::arith
