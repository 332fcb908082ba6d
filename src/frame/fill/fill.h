// Dispatched fills and vector copies, for the exports and for every family that fills.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::fill {

IppStatus Set8u(uint8_t* destination, IppiSize region, int step, uint8_t value);
IppStatus Set16u(uint16_t* destination, IppiSize region, int step, uint16_t value);
IppStatus Set32s(int32_t* destination, IppiSize region, int step, int32_t value);
IppStatus Set32f(float* destination, IppiSize region, int step, float value);
IppStatus SetMasked8u(uint8_t* destination, int step, const uint8_t* mask, int maskStep,
                      IppiSize region, uint8_t value);
IppStatus SetMasked32f(float* destination, int step, const uint8_t* mask, int maskStep,
                       IppiSize region, float value);
// Copies `length` 4-byte elements.
IppStatus Copy32(const void* source, void* destination, int length);

}  // namespace ryn::fill
