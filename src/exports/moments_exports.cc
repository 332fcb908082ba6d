// Integral images and moments.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "primitives/moments/moments.h"

extern "C" {

RYN_API IppStatus fnVCAIPP_Integral_8u32s_C1R(const uint8_t* source, int sourceStep, int32_t* destination,
                                              int destinationStep, IppiSize region, int32_t initialValue) {
  return ryn::moments::Integral8u(source, sourceStep, reinterpret_cast<uint32_t*>(destination), destinationStep,
                                  region, static_cast<uint32_t>(initialValue));
}

RYN_API IppStatus fnVCAIPP_TiltedIntegral_8u32s_C1R(const uint8_t* source, int sourceStep, int32_t* destination,
                                                    int destinationStep, IppiSize region, int32_t initialValue) {
  return ryn::moments::TiltedIntegral8u(source, sourceStep, reinterpret_cast<uint32_t*>(destination),
                                        destinationStep, region, static_cast<uint32_t>(initialValue));
}

RYN_API IppStatus fnVCAIPP_MomentInitAlloc(RynMomentState** state, int hint) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::moments::AllocateMomentState(state, hint);
}

RYN_API IppStatus fnVCAIPP_MomentFree_64f(RynMomentState* state) { return ryn::moments::FreeMomentState(state); }

RYN_API IppStatus fnVCAIPP_Moments64f_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                             RynMomentState* state) {
  return ryn::moments::Moments8u(source, sourceStep, region, state);
}

RYN_API IppStatus fnVCAIPP_GetHuMoments_64f(const RynMomentState* state, int channel, double hu[7]) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::moments::HuMoments(state, channel, hu);
}

}  // extern "C"
