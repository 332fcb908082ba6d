// Records and fills.
#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "primitives/fill/fill.h"

#include <bit>
#include <cstring>

extern "C" {

RYN_API IppiSize fnVCAIPP_IppiSize(int width, int height) { return IppiSize{width, height}; }
RYN_API IppiPoint fnVCAIPP_IppiPoint(int x, int y) { return IppiPoint{x, y}; }
RYN_API IppiRect fnVCAIPP_IppiRect(int x, int y, int width, int height) { return IppiRect{x, y, width, height}; }

RYN_API IppStatus fnVCAIPP_Set_8u_C1R(uint8_t* destination, IppiSize region, int step, uint8_t value) {
  return ryn::fill::Set8u(destination, region, step, value);
}
RYN_API IppStatus fnVCAIPP_Set_16u_C1R(uint16_t* destination, IppiSize region, int step, uint16_t value) {
  return ryn::fill::Set16u(destination, region, step, value);
}
RYN_API IppStatus fnVCAIPP_Set_32f_C1R(float* destination, IppiSize region, int step, float value) {
  return ryn::fill::Set32f(destination, region, step, value);
}
RYN_API IppStatus fnVCAIPP_Set_32s_C1R(int32_t value, int32_t* destination, int step, IppiSize region) {
  return ryn::fill::Set32s(destination, region, step, value);
}
RYN_API IppStatus fnVCAIPP_Set_8u_C1MR(uint8_t* destination, int step, const uint8_t* mask, int maskStep,
                                       IppiSize region, uint8_t value) {
  return ryn::fill::SetMasked8u(destination, step, mask, maskStep, region, value);
}
RYN_API IppStatus fnVCAIPP_Set_32f_C1MR(float* destination, IppiSize region, int step, float value,
                                        const uint8_t* mask, int maskStep) {
  return ryn::fill::SetMasked32(reinterpret_cast<uint32_t*>(destination), step, mask, maskStep, region,
                                std::bit_cast<uint32_t>(value));
}

// Clears whole rows, padding included, in one pass.
RYN_API IppStatus fnVCAIPP_SetZero_32fc_C1R(Ipp32fc* destination, int step, IppiSize region) {
  RYN_CHECK(ryn::NotNull(destination));
  RYN_CHECK(ryn::PositiveSize(region));
  RYN_CHECK(ryn::StepAtLeast(step, region.width));
  std::memset(destination, 0, static_cast<size_t>(step) * static_cast<size_t>(region.height));
  return ippStsNoErr;
}

}  // extern "C"
