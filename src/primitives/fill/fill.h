// Fills and vector copies, for the exports and for every family that fills.
#pragma once

#include <bit>
#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::fill {

extern Dispatched<IppStatus(uint8_t* destination, IppiSize region, int step, uint8_t value)> Set8u;
extern Dispatched<IppStatus(uint16_t* destination, IppiSize region, int step, uint16_t value)> Set16u;
// 32s and 32f images: one fill of the value's bits.
extern Dispatched<IppStatus(uint32_t* destination, IppiSize region, int step, uint32_t bits)> Set32;
extern Dispatched<IppStatus(uint8_t* destination, int step, const uint8_t* mask, int maskStep, IppiSize region,
                            uint8_t value)>
    SetMasked8u;
extern Dispatched<IppStatus(uint32_t* destination, int step, const uint8_t* mask, int maskStep,
                            IppiSize region, uint32_t bits)>
    SetMasked32;
// Copies `length` 4-byte elements.
extern Dispatched<IppStatus(const uint32_t* source, uint32_t* destination, int length)> Copy32;

inline IppStatus Set32f(float* destination, IppiSize region, int step, float value) {
  return Set32(reinterpret_cast<uint32_t*>(destination), region, step, std::bit_cast<uint32_t>(value));
}
inline IppStatus Set32s(int32_t* destination, IppiSize region, int step, int32_t value) {
  return Set32(reinterpret_cast<uint32_t*>(destination), region, step, std::bit_cast<uint32_t>(value));
}

// Fills larger than this and than the largest cache write around the cache.
constexpr int64_t kNonTemporalThresholdBytes = 0x80000;

// True when a fill of `bytes` should use non-temporal stores.
bool PrefersNonTemporalStores(int64_t bytes);

}  // namespace ryn::fill
