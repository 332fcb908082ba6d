// Arithmetic, accumulations and alpha compositing.
#include "RynRAZUdidazoror.h"
#include "primitives/arith/arith.h"

extern "C" {

RYN_API IppStatus fnVCAIPP_Add_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                      IppiSize region, int source1Step, int source2Step, int destinationStep,
                                      int scale) {
  return ryn::arith::Add8u(source1, source1Step, source2, source2Step, destination, destinationStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_Add_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep, int scale) {
  return ryn::arith::Add8u(source, sourceStep, image, imageStep, image, imageStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_AddC_8u_C1R(uint8_t value, const uint8_t* source, uint8_t* destination,
                                       IppiSize region, int sourceStep, int destinationStep, int scale) {
  return ryn::arith::AddC8u(source, sourceStep, value, destination, destinationStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_AddC_8u_C1IR(uint8_t value, uint8_t* image, IppiSize region, int step, int scale) {
  return ryn::arith::AddC8u(image, step, value, image, step, region, scale);
}
RYN_API IppStatus fnVCAIPP_Sub_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                      IppiSize region, int source1Step, int source2Step, int destinationStep,
                                      int scale) {
  return ryn::arith::Sub8u(source2, source2Step, source1, source1Step, destination, destinationStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_Sub_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep) {
  return ryn::arith::Sub8u(image, imageStep, source, sourceStep, image, imageStep, region, 0);
}
RYN_API IppStatus fnVCAIPP_SubC_8u_C1R(uint8_t value, const uint8_t* source, uint8_t* destination,
                                       IppiSize region, int sourceStep, int destinationStep, int scale) {
  return ryn::arith::SubC8u(source, sourceStep, value, destination, destinationStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_SubC_8u_C1IR(uint8_t value, uint8_t* image, IppiSize region, int step, int scale) {
  return ryn::arith::SubC8u(image, step, value, image, step, region, scale);
}

RYN_API IppStatus fnVCAIPP_Mul_8u_C1IR(const uint8_t* source, uint8_t* image, IppiSize region, int sourceStep,
                                       int imageStep, int scale) {
  return ryn::arith::Mul8u(source, sourceStep, image, imageStep, image, imageStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_MulC_8u_C1RSfs(const uint8_t* source, uint8_t* destination, uint8_t value,
                                          IppiSize region, int sourceStep, int destinationStep, int scale) {
  return ryn::arith::MulC8u(source, sourceStep, value, destination, destinationStep, region, scale);
}
RYN_API IppStatus fnVCAIPP_MulC_8u_C1IRSfs(uint8_t* image, uint8_t value, IppiSize region, int step, int scale) {
  return ryn::arith::MulC8u(image, step, value, image, step, region, scale);
}
RYN_API IppStatus fnVCAIPP_DivC_8u_C1RSfs(const uint8_t* source, uint8_t* destination, IppiSize region,
                                          int step, uint8_t value, int scale) {
  return ryn::arith::DivC8u(source, step, destination, step, region, value, scale);
}
RYN_API IppStatus fnVCAIPP_DivC_8u_C1IRSfs(uint8_t* image, IppiSize region, int step, uint8_t value, int scale) {
  return ryn::arith::DivC8u(image, step, image, step, region, value, scale);
}
RYN_API IppStatus fnVCAIPP_Sqr_8u_C1IRSfs(uint8_t* image, IppiSize region, int step, int scale) {
  return ryn::arith::Sqr8u(image, step, region, scale);
}
RYN_API IppStatus fnVCAIPP_Ln_8u_C1IRSfs(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, int scale) {
  return ryn::arith::Ln8u(source, sourceStep, destination, destinationStep, region, scale);
}

RYN_API IppStatus fnVCAIPP_Add_32f_C1R(const float* source1, int source1Step, const float* source2,
                                       int source2Step, float* destination, int destinationStep, IppiSize region) {
  return ryn::arith::Add32f(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Add_32f_C1IR(const float* source, int sourceStep, float* image, int imageStep,
                                        IppiSize region) {
  return ryn::arith::Add32f(image, imageStep, source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_AddC_32f_C1IR(float value, float* image, IppiSize region, int step) {
  return ryn::arith::AddC32f(image, step, region, value);
}
RYN_API IppStatus fnVCAIPP_Sub_32f_C1R(const float* source1, int source1Step, const float* source2,
                                       int source2Step, float* destination, IppiSize region, int destinationStep) {
  return ryn::arith::Sub32f(source2, source2Step, source1, source1Step, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Sub_32f_C1IR(const float* source, float* image, IppiSize region, int step) {
  return ryn::arith::Sub32f(image, step, source, step, image, step, region);
}
RYN_API IppStatus fnVCAIPP_SubC_32f_C1IR(float value, float* image, IppiSize region, int step) {
  return ryn::arith::SubC32f(image, step, region, value);
}
RYN_API IppStatus fnVCAIPP_Mul_32f_C1R(const float* source1, const float* source2, float* destination,
                                       IppiSize region, int source1Step, int source2Step, int destinationStep) {
  return ryn::arith::Mul32f(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_Mul_32f_C1IR(const float* source, float* image, IppiSize region, int sourceStep,
                                        int imageStep) {
  return ryn::arith::Mul32f(image, imageStep, source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_MulC_32f_C1IR(float* image, float value, IppiSize region, int step) {
  return ryn::arith::MulC32f(image, step, region, value);
}
RYN_API IppStatus fnVCAIPP_Div_32f_C1IR(const float* source, float* image, IppiSize region, int step) {
  return ryn::arith::Div32f(source, step, image, step, region);
}
RYN_API IppStatus fnVCAIPP_DivC_32f_C1IR(float* image, IppiSize region, int step, float value) {
  return ryn::arith::DivC32f(image, step, region, value);
}
RYN_API IppStatus fnVCAIPP_Sqr_32f_C1IR(float* image, IppiSize region, int step) {
  return ryn::arith::Sqr32f(image, step, region);
}
RYN_API IppStatus fnVCAIPP_Abs_32f_C1IR(float* image, IppiSize region, int step) {
  return ryn::arith::Abs32f(image, step, region);
}

RYN_API IppStatus fnVCAIPP_AbsDiff_8u_C1R(const uint8_t* source1, const uint8_t* source2, uint8_t* destination,
                                          IppiSize region, int step) {
  return ryn::arith::AbsDiff8u(source1, step, source2, step, destination, step, region);
}
RYN_API IppStatus fnVCAIPP_AbsDiff_32f_C1R(const float* source1, const float* source2, float* destination,
                                           IppiSize region, int step) {
  return ryn::arith::AbsDiff32f(source1, step, source2, step, destination, step, region);
}
RYN_API IppStatus fnVCAIPP_AbsDiffC_32f_C1R(const float* source, int sourceStep, float* destination,
                                            int destinationStep, IppiSize region, float value) {
  return ryn::arith::AbsDiffC32f(source, sourceStep, destination, destinationStep, region, value);
}

RYN_API IppStatus fnVCAIPP_Add_32f_C1IMR(const float* source, int sourceStep, float* image, int imageStep,
                                         IppiSize region, const uint8_t* mask, int maskStep) {
  return ryn::arith::AddMasked32f(source, sourceStep, image, imageStep, mask, maskStep, region);
}
RYN_API IppStatus fnVCAIPP_Add_8u32f_C1IR(const uint8_t* source, int sourceStep, float* image, int imageStep,
                                          IppiSize region) {
  return ryn::arith::Add8u32f(source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_AddSquare_8u32f_C1IR(const uint8_t* source, float* image, IppiSize region,
                                                int sourceStep, int imageStep) {
  return ryn::arith::AddSquare8u32f(source, sourceStep, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_AddProduct_8u32f_C1IR(const uint8_t* source1, int source1Step, const uint8_t* source2,
                                                 int source2Step, float* image, int imageStep, IppiSize region) {
  return ryn::arith::AddProduct8u32f(source1, source1Step, source2, source2Step, image, imageStep, region);
}
RYN_API IppStatus fnVCAIPP_AddWeighted_32f_C1IR(const float* source, float* image, IppiSize region,
                                                int sourceStep, int imageStep, float alpha) {
  return ryn::arith::AddWeighted32f(source, sourceStep, image, imageStep, region, alpha);
}
RYN_API IppStatus fnVCAIPP_AddWeighted_8u32f_C1IR(const uint8_t* source, float* image, IppiSize region,
                                                  int sourceStep, int imageStep, float alpha) {
  return ryn::arith::AddWeighted8u32f(source, sourceStep, image, imageStep, region, alpha);
}
RYN_API IppStatus fnVCAIPP_AddWeighted_32f_C1IMR(const float* source, float* image, const uint8_t* mask,
                                                 IppiSize region, int step, int maskStep, float alpha) {
  return ryn::arith::AddWeightedMasked32f(source, step, image, step, mask, maskStep, region, alpha);
}
RYN_API IppStatus fnVCAIPP_AddWeighted_8u32f_C1IMR(const uint8_t* source, float* image, const uint8_t* mask,
                                                   IppiSize region, int step, int imageStep, float alpha) {
  return ryn::arith::AddWeightedMasked8u32f(source, step, image, imageStep, mask, step, region, alpha);
}

RYN_API IppStatus fnVCAIPP_Exp_32f_C1IR(float* vector, int length) { return ryn::arith::Exp32f(vector, length); }
RYN_API IppStatus fnVCAIPP_Ln_32f_C1IR(float* vector, int length) { return ryn::arith::Ln32f(vector, length); }

RYN_API IppStatus fnVCAIPP_AlphaCompC_8u_C1R(const uint8_t* source1, int source1Step, uint8_t alpha1,
                                             const uint8_t* source2, int source2Step, uint8_t alpha2,
                                             uint8_t* destination, int destinationStep, IppiSize region,
                                             int operation) {
  return ryn::arith::AlphaComp8u(source1, source1Step, alpha1, source2, source2Step, alpha2, destination,
                                 destinationStep, region, operation);
}

}  // extern "C"
