// Copies and type conversions.
#include "RynRAZUdidazoror.h"
#include "primitives/arith/copy.h"

namespace {

uint32_t* Bits(float* pixels) { return reinterpret_cast<uint32_t*>(pixels); }
const uint32_t* Bits(const float* pixels) { return reinterpret_cast<const uint32_t*>(pixels); }

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_Copy_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                       int destinationStep, IppiSize region) {
  return ryn::arith::Copy8u(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Copy_16s_C1R(const int16_t* source, int sourceStep, int16_t* destination,
                                        int destinationStep, IppiSize region) {
  return ryn::arith::Copy16(reinterpret_cast<const uint16_t*>(source), sourceStep,
                            reinterpret_cast<uint16_t*>(destination), destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Copy_32s_C1R(const int32_t* source, int sourceStep, int32_t* destination,
                                        int destinationStep, IppiSize region) {
  return ryn::arith::Copy32(reinterpret_cast<const uint32_t*>(source), sourceStep,
                            reinterpret_cast<uint32_t*>(destination), destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Copy_32f_C1R(const float* source, int sourceStep, float* destination,
                                        int destinationStep, IppiSize region) {
  return ryn::arith::Copy32(Bits(source), sourceStep, Bits(destination), destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_Copy_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                        int destinationStep, const uint8_t* mask, int maskStep,
                                        IppiSize region) {
  return ryn::arith::CopyMasked8u(source, sourceStep, destination, destinationStep, mask, maskStep, region);
}
RYN_API IppStatus fnVCAIPP_Copy_32f_C1MR(const float* source, int sourceStep, float* destination,
                                         int destinationStep, const uint8_t* mask, int maskStep,
                                         IppiSize region) {
  return ryn::arith::CopyMasked32(Bits(source), sourceStep, Bits(destination), destinationStep, mask, maskStep,
                                  region);
}

RYN_API IppStatus fnVCAIPP_Convert_8u32f_C1R(const uint8_t* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize region) {
  return ryn::arith::Convert8u32f(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Convert_16u32f_C1R(const uint16_t* source, int sourceStep, float* destination,
                                              int destinationStep, IppiSize region) {
  return ryn::arith::Convert16u32f(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Convert_8u16u_C1R(const uint8_t* source, int sourceStep, uint16_t* destination,
                                             int destinationStep, IppiSize region) {
  return ryn::arith::Convert8u16u(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Convert_8u16s_C1R(const uint8_t* source, int sourceStep, int16_t* destination,
                                             int destinationStep, IppiSize region) {
  return ryn::arith::Convert8u16u(source, sourceStep, reinterpret_cast<uint16_t*>(destination), destinationStep,
                                  region);
}
RYN_API IppStatus fnVCAIPP_Convert_16s8u_C1R(const int16_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region) {
  return ryn::arith::Convert16s8u(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Convert_32f8u_C1R(const float* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region) {
  return ryn::arith::Convert32f8u(source, sourceStep, destination, destinationStep, region);
}

}  // extern "C"
