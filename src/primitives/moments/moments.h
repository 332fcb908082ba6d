// Integral images and moments: the dispatched operations, and the moment state with its plain
// operations.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

// The moment state behind the public opaque type. Block c holds channel c's spatial moment
// m(p,q) at index 4 q + p for p + q <= 3; the other entries are 0.
struct RynMomentState {
  int32_t identifier;
  int32_t hint;
  int32_t channelCount;  // -1 until moments have been computed
  double moments[3][16];
};

namespace ryn::moments {

constexpr int32_t kMomentStateIdentifier = 33;
constexpr int kMomentIndex00 = 0, kMomentIndex10 = 1, kMomentIndex20 = 2, kMomentIndex30 = 3;
constexpr int kMomentIndex01 = 4, kMomentIndex11 = 5, kMomentIndex21 = 6;
constexpr int kMomentIndex02 = 8, kMomentIndex12 = 9;
constexpr int kMomentIndex03 = 12;

// Values wrap modulo 2^32; the destinations hold their bits.
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                            IppiSize region, uint32_t initialValue)>
    Integral8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                            IppiSize region, uint32_t initialValue)>
    TiltedIntegral8u;
extern Dispatched<IppStatus(const uint8_t* source, int sourceStep, IppiSize region, RynMomentState* state)>
    Moments8u;

IppStatus AllocateMomentState(RynMomentState** state, int hint);
IppStatus FreeMomentState(RynMomentState* state);
IppStatus HuMoments(const RynMomentState* state, int channel, double* hu);

}  // namespace ryn::moments
