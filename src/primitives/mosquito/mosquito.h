// Mosquito-noise reduction for 8-bit frames: ringing around edges in otherwise flat areas,
// smoothed block by block and pixel by pixel against a reference frame.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"
#include "primitives/mosquito/mosquito_state.h"

namespace ryn::mosquito {

// See fnVCAIPP_FilterDenoiseMosquito_8u_C1R.
extern Dispatched<IppStatus(const uint8_t* reference, const uint8_t* cleaned, int sourceStep, uint8_t* destination,
                            int destinationStep, IppiSize roi, MosquitoState* state)>
    FilterDenoiseMosquito;

}  // namespace ryn::mosquito
