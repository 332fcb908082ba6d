// Mosquito-noise reduction.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "primitives/mosquito/mosquito.h"

namespace {

ryn::mosquito::MosquitoState* StateOf(RynMosquitoState* state) {
  return reinterpret_cast<ryn::mosquito::MosquitoState*>(state);
}

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize roi, RynMosquitoState** state) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::mosquito::CreateState(roi, reinterpret_cast<ryn::mosquito::MosquitoState**>(state));
}

RYN_API IppStatus fnVCAIPP_FilterDenoiseMosquito_8u_C1R(const uint8_t* reference, const uint8_t* cleaned,
                                                        int sourceStep, uint8_t* destination, int destinationStep,
                                                        IppiSize roi, RynMosquitoState* state) {
  return ryn::mosquito::FilterDenoiseMosquito(reference, cleaned, sourceStep, destination, destinationStep, roi,
                                              StateOf(state));
}

}  // extern "C"
