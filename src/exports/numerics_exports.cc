// Random generators, small vector and matrix algebra, element-wise transcendental functions.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "frame/x87_rounding.h"
#include "primitives/numerics/numerics.h"

namespace {

using ryn::numerics::GaussState;
using ryn::numerics::UniformState;

// The public state types are opaque names for the library's state objects.
template <class T, class Public>
UniformState<T>* Uniform(Public* state) {
  return reinterpret_cast<UniformState<T>*>(state);
}
template <class T, class Public>
UniformState<T>** Uniform(Public** state) {
  return reinterpret_cast<UniformState<T>**>(state);
}
template <class T, class Public>
GaussState<T>* Gauss(Public* state) {
  return reinterpret_cast<GaussState<T>*>(state);
}
template <class T, class Public>
GaussState<T>** Gauss(Public** state) {
  return reinterpret_cast<GaussState<T>**>(state);
}

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_RandUniformInitAlloc_8u(RynRandUniformState8u** state, uint8_t low, uint8_t high,
                                                   uint32_t seed) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::UniformInitAlloc(Uniform<uint8_t>(state), low, high, seed);
}
RYN_API IppStatus fnVCAIPP_RandUniformInitAlloc_16s(RynRandUniformState16s** state, int16_t low, int16_t high,
                                                    uint32_t seed) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::UniformInitAlloc(Uniform<int16_t>(state), low, high, seed);
}
RYN_API IppStatus fnVCAIPP_RandUniformInitAlloc_32f(RynRandUniformState32f** state, float low, float high,
                                                    uint32_t seed) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::UniformInitAlloc(Uniform<float>(state), low, high, seed);
}
RYN_API IppStatus fnVCAIPP_RandUniform_8u(uint8_t* destination, int length, RynRandUniformState8u* state) {
  return ryn::numerics::RandUniform8u(destination, length, Uniform<uint8_t>(state));
}
RYN_API IppStatus fnVCAIPP_RandUniform_16s(int16_t* destination, int length, RynRandUniformState16s* state) {
  return ryn::numerics::RandUniform16s(destination, length, Uniform<int16_t>(state));
}
RYN_API IppStatus fnVCAIPP_RandUniform_32f(float* destination, int length, RynRandUniformState32f* state) {
  return ryn::numerics::RandUniform32f(destination, length, Uniform<float>(state));
}
RYN_API IppStatus fnVCAIPP_RandUniformFree_8u(RynRandUniformState8u* state) {
  return ryn::numerics::UniformFree(Uniform<uint8_t>(state));
}
RYN_API IppStatus fnVCAIPP_RandUniformFree_16s(RynRandUniformState16s* state) {
  return ryn::numerics::UniformFree(Uniform<int16_t>(state));
}
RYN_API IppStatus fnVCAIPP_RandUniformFree_32f(RynRandUniformState32f* state) {
  return ryn::numerics::UniformFree(Uniform<float>(state));
}
RYN_API IppStatus fnVCAIPP_RandUniform_Direct_16s(int16_t* destination, int length, int16_t low, int16_t high,
                                                  uint32_t* seed) {
  return ryn::numerics::RandUniformDirect16s(destination, length, low, high, seed);
}
RYN_API IppStatus fnVCAIPP_RandUniform_Direct_32f(float* destination, int length, float low, float high,
                                                  uint32_t* seed) {
  return ryn::numerics::RandUniformDirect32f(destination, length, low, high, seed);
}
RYN_API IppStatus fnVCAIPP_RandUniform_Direct_64f(double* destination, int length, double low, double high,
                                                  uint32_t* seed) {
  return ryn::numerics::RandUniformDirect64f(destination, length, low, high, seed);
}

RYN_API IppStatus fnVCAIPP_RandGaussInitAlloc_16s(RynRandGaussState16s** state, int16_t mean,
                                                  int16_t standardDeviation, uint32_t seed) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::GaussInitAlloc(Gauss<int16_t>(state), mean, standardDeviation, seed);
}
RYN_API IppStatus fnVCAIPP_RandGaussInitAlloc_32f(RynRandGaussState32f** state, float mean,
                                                  float standardDeviation, uint32_t seed) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::GaussInitAlloc(Gauss<float>(state), mean, standardDeviation, seed);
}
RYN_API IppStatus fnVCAIPP_RandGauss_16s(int16_t* destination, int length, RynRandGaussState16s* state) {
  return ryn::numerics::RandGauss16s(destination, length, Gauss<int16_t>(state));
}
RYN_API IppStatus fnVCAIPP_RandGauss_32f(float* destination, int length, RynRandGaussState32f* state) {
  return ryn::numerics::RandGauss32f(destination, length, Gauss<float>(state));
}
RYN_API IppStatus fnVCAIPP_RandGaussFree_16s(RynRandGaussState16s* state) {
  return ryn::numerics::GaussFree(Gauss<int16_t>(state));
}
RYN_API IppStatus fnVCAIPP_RandGaussFree_32f(RynRandGaussState32f* state) {
  return ryn::numerics::GaussFree(Gauss<float>(state));
}
RYN_API IppStatus fnVCAIPP_RandGauss_Direct_16s(int16_t* destination, int length, int16_t mean,
                                                int16_t standardDeviation, uint32_t* seed) {
  return ryn::numerics::RandGaussDirect16s(destination, length, mean, standardDeviation, seed);
}
RYN_API IppStatus fnVCAIPP_RandGauss_Direct_32f(float* destination, int length, float mean,
                                                float standardDeviation, uint32_t* seed) {
  return ryn::numerics::RandGaussDirect32f(destination, length, mean, standardDeviation, seed);
}
RYN_API IppStatus fnVCAIPP_RandGauss_Direct_64f(double* destination, int length, double mean,
                                                double standardDeviation, uint32_t* seed) {
  return ryn::numerics::RandGaussDirect64f(destination, length, mean, standardDeviation, seed);
}

// Some C runtimes compute cos and sin on the x87 unit, whose rounding the caller may have set
// with fesetround as well.
RYN_API IppStatus fnVCAIPP_RotationX_m4_32f(float angle, float* matrix) {
  const ryn::StandardFloatEnvironment environment;
  const ryn::NearestX87Rounding nearest;
  return ryn::numerics::RotationX(angle, matrix);
}
RYN_API IppStatus fnVCAIPP_RotationY_m4_32f(float angle, float* matrix) {
  const ryn::StandardFloatEnvironment environment;
  const ryn::NearestX87Rounding nearest;
  return ryn::numerics::RotationY(angle, matrix);
}
RYN_API IppStatus fnVCAIPP_RotationZ_m4_32f(float angle, float* matrix) {
  const ryn::StandardFloatEnvironment environment;
  const ryn::NearestX87Rounding nearest;
  return ryn::numerics::RotationZ(angle, matrix);
}
RYN_API IppStatus fnVCAIPP_Translation_m4_32f(float tx, float ty, float tz, float* matrix) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::Translation(tx, ty, tz, matrix);
}
RYN_API IppStatus fnVCAIPP_Normalize_v3_32f(const float* source, float* destination) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::Normalize3(source, destination);
}
RYN_API IppStatus fnVCAIPP_Mul_mv_32f(const float* matrix, int rowStride, int elementStride, int width,
                                      int height, const float* vector, int vectorStride, int length,
                                      float* destination, int destinationStride) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::MulMatrixVector(matrix, rowStride, elementStride, width, height, vector, vectorStride,
                                        length, destination, destinationStride);
}
RYN_API IppStatus fnVCAIPP_Mul_mm_32f(const float* a, int aRowStride, int aElementStride, int aWidth,
                                      int aHeight, const float* b, int bRowStride, int bElementStride,
                                      int bWidth, int bHeight, float* destination, int destinationRowStride,
                                      int destinationElementStride) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::MulMatrixMatrix(a, aRowStride, aElementStride, aWidth, aHeight, b, bRowStride,
                                        bElementStride, bWidth, bHeight, destination, destinationRowStride,
                                        destinationElementStride);
}
RYN_API IppStatus fnVCAIPP_Mul_vc_32f(const float* vector, int vectorStride, float constant, float* destination,
                                      int destinationStride, int length) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::MulVectorConstant(vector, vectorStride, constant, destination, destinationStride, length);
}
RYN_API IppStatus fnVCAIPP_Sub_vv_32f(const float* a, int aStride, const float* b, int bStride,
                                      float* destination, int destinationStride, int length) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::SubVectors(a, aStride, b, bStride, destination, destinationStride, length);
}
RYN_API IppStatus fnVCAIPP_DotProduct_vv_32f(const float* a, int aStride, const float* b, int bStride,
                                             float* destination, int length) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::DotProduct(a, aStride, b, bStride, destination, length);
}
RYN_API IppStatus fnVCAIPP_CrossProduct_vv_32f(const float* a, int aStride, const float* b, int bStride,
                                               float* destination, int destinationStride) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::CrossProduct(a, aStride, b, bStride, destination, destinationStride);
}
RYN_API IppStatus fnVCAIPP_L2Norm_v_32f(const float* vector, int vectorStride, float* destination, int length) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::L2Norm(vector, vectorStride, destination, length);
}
RYN_API IppStatus fnVCAIPP_LUDecomp_m_32f(const float* matrix, int rowStride, int elementStride, int* index,
                                          float* destination, int destinationRowStride,
                                          int destinationElementStride, int size) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::LUDecompose(matrix, rowStride, elementStride, index, destination, destinationRowStride,
                                    destinationElementStride, size);
}
RYN_API IppStatus fnVCAIPP_LUBackSubst_mv_32f(const float* lu, int rowStride, int elementStride,
                                              const int* index, const float* b, int bStride,
                                              float* destination, int destinationStride, int size) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::LUBackSubstitute(lu, rowStride, elementStride, index, b, bStride, destination,
                                         destinationStride, size);
}
RYN_API IppStatus fnVCAIPP_Det_m_32f(const float* matrix, int rowStride, int elementStride, int size,
                                     float* buffer, float* destination) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::Determinant(matrix, rowStride, elementStride, size, buffer, destination);
}
RYN_API IppStatus fnVCAIPP_Det_ma_32f(const float* matrices, int matrixStride, int rowStride, int elementStride,
                                      int size, float* buffer, float* destinations, int count) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::Determinants(matrices, matrixStride, rowStride, elementStride, size, buffer, destinations,
                                     count);
}
RYN_API IppStatus fnVCAIPP_Invert_m_32f(const float* matrix, int rowStride, int elementStride, float* buffer,
                                        float* destination, int destinationRowStride,
                                        int destinationElementStride, int size) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::numerics::Invert(matrix, rowStride, elementStride, buffer, destination, destinationRowStride,
                               destinationElementStride, size);
}

RYN_API IppStatus fnVCAIPP_Atan2_32f_C1R(const float* y, const float* x, float* destination, int length) {
  return ryn::numerics::Atan2(y, x, destination, length);
}
RYN_API IppStatus fnVCAIPP_Hypot_32f_C1R(const float* a, const float* b, float* destination, int length) {
  return ryn::numerics::Hypot(a, b, destination, length);
}
RYN_API IppStatus fnVCAIPP_SinA11_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize region) {
  return ryn::numerics::SinA11(source, sourceStep, destination, destinationStep, region);
}
RYN_API IppStatus fnVCAIPP_ImageJaehne_8u_C1R(uint8_t* destination, int destinationStep, IppiSize region) {
  return ryn::numerics::Jaehne(destination, destinationStep, region);
}

}  // extern "C"
