// Copies of one-channel images and conversions between the 8u, 16u, 16s and 32f pixel types, for
// the exports and for the arithmetic that reduces to a copy.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::arith {

// Copies width x height pixels. Steps are not checked: rows go where the steps put them (a step of
// 0 reads or writes one row again and again). Source and destination may be the same image but
// must not otherwise overlap.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    Copy8u;
extern Dispatched<IppStatus(const uint16_t* source, int sourceStep, uint16_t* destination, int destinationStep,
                            IppiSize region)>
    Copy16;
// 32s and 32f images: the pixels' bits.
extern Dispatched<IppStatus(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                            IppiSize region)>
    Copy32;

// Copy only the pixels whose mask byte is not zero; the others are never written.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            const uint8_t* mask, int maskStep, IppiSize region)>
    CopyMasked8u;
extern Dispatched<IppStatus(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                            const uint8_t* mask, int maskStep, IppiSize region)>
    CopyMasked32;

// Conversions. Both steps must be at least 1.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region)>
    Convert8u32f;
extern Dispatched<IppStatus(const uint16_t* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region)>
    Convert16u32f;
// Zero extension, for 16u and 16s destinations alike.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint16_t* destination, int destinationStep,
                            IppiSize region)>
    Convert8u16u;
extern Dispatched<IppStatus(const int16_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    Convert16s8u;
// Rounds to nearest, ties to even, whatever the caller's rounding mode (see RoundToByte).
extern Dispatched<IppStatus(const float* source, int sourceStep, uint8_t* destination, int destinationStep,
                            IppiSize region)>
    Convert32f8u;

// Copies of more bytes than this write around the cache when the cache is smaller than the traffic.
constexpr int64_t kStreamingCopyBytes = 0x100000;

// True when a copy of `bytes` should use non-temporal stores.
bool CopyPrefersStreaming(int64_t bytes);
// True when a conversion that reads and writes `trafficBytes` in all should use non-temporal stores.
bool ConversionPrefersStreaming(int64_t trafficBytes);

}  // namespace ryn::arith
