// Random generators, small vector and matrix algebra, element-wise transcendental functions.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"
#include "primitives/numerics/random_states.h"

namespace ryn::numerics {

// ---------------------------------------------------------------------------------------------
// Random generators: the vector fills are dispatched, the states are plain objects.

extern Dispatched<IppStatus(uint8_t* destination, int length, UniformState<uint8_t>* state)> RandUniform8u;
extern Dispatched<IppStatus(int16_t* destination, int length, UniformState<int16_t>* state)> RandUniform16s;
extern Dispatched<IppStatus(float* destination, int length, UniformState<float>* state)> RandUniform32f;
extern Dispatched<IppStatus(int16_t* destination, int length, int16_t low, int16_t high, uint32_t* seed)>
    RandUniformDirect16s;
extern Dispatched<IppStatus(float* destination, int length, float low, float high, uint32_t* seed)>
    RandUniformDirect32f;
extern Dispatched<IppStatus(double* destination, int length, double low, double high, uint32_t* seed)>
    RandUniformDirect64f;
extern Dispatched<IppStatus(int16_t* destination, int length, GaussState<int16_t>* state)> RandGauss16s;
extern Dispatched<IppStatus(float* destination, int length, GaussState<float>* state)> RandGauss32f;
extern Dispatched<IppStatus(int16_t* destination, int length, int16_t mean, int16_t deviation, uint32_t* seed)>
    RandGaussDirect16s;
extern Dispatched<IppStatus(float* destination, int length, float mean, float deviation, uint32_t* seed)>
    RandGaussDirect32f;
extern Dispatched<IppStatus(double* destination, int length, double mean, double deviation, uint32_t* seed)>
    RandGaussDirect64f;

// T is uint8_t, int16_t or float for the uniform states, int16_t or float for the Gaussian ones.
template <class T>
IppStatus UniformInitAlloc(UniformState<T>** state, T low, T high, uint32_t seed);
template <class T>
IppStatus UniformFree(UniformState<T>* state);
template <class T>
IppStatus GaussInitAlloc(GaussState<T>** state, T mean, T deviation, uint32_t seed);
template <class T>
IppStatus GaussFree(GaussState<T>* state);

// ---------------------------------------------------------------------------------------------
// Small vector and matrix algebra, scalar. Strides in bytes; see the public header.

IppStatus RotationX(float angle, float* matrix);
IppStatus RotationY(float angle, float* matrix);
IppStatus RotationZ(float angle, float* matrix);
IppStatus Translation(float tx, float ty, float tz, float* matrix);
IppStatus Normalize3(const float* source, float* destination);

IppStatus MulMatrixVector(const float* matrix, int rowStride, int elementStride, int width, int height,
                          const float* vector, int vectorStride, int length, float* destination,
                          int destinationStride);
IppStatus MulMatrixMatrix(const float* a, int aRowStride, int aElementStride, int aWidth, int aHeight,
                          const float* b, int bRowStride, int bElementStride, int bWidth, int bHeight,
                          float* destination, int destinationRowStride, int destinationElementStride);
IppStatus MulVectorConstant(const float* vector, int vectorStride, float constant, float* destination,
                            int destinationStride, int length);
IppStatus SubVectors(const float* a, int aStride, const float* b, int bStride, float* destination,
                     int destinationStride, int length);
IppStatus DotProduct(const float* a, int aStride, const float* b, int bStride, float* destination, int length);
IppStatus CrossProduct(const float* a, int aStride, const float* b, int bStride, float* destination,
                       int destinationStride);
IppStatus L2Norm(const float* vector, int vectorStride, float* destination, int length);

IppStatus LUDecompose(const float* matrix, int rowStride, int elementStride, int* index, float* destination,
                      int destinationRowStride, int destinationElementStride, int size);
IppStatus LUBackSubstitute(const float* lu, int rowStride, int elementStride, const int* index, const float* b,
                           int bStride, float* destination, int destinationStride, int size);
IppStatus Determinant(const float* matrix, int rowStride, int elementStride, int size, float* buffer,
                      float* destination);
IppStatus Determinants(const float* matrices, int matrixStride, int rowStride, int elementStride, int size,
                       float* buffer, float* destinations, int count);
IppStatus Invert(const float* matrix, int rowStride, int elementStride, float* buffer, float* destination,
                 int destinationRowStride, int destinationElementStride, int size);

// ---------------------------------------------------------------------------------------------
// Element-wise transcendental functions, dispatched.

extern Dispatched<IppStatus(const float* y, const float* x, float* destination, int length)> Atan2;
extern Dispatched<IppStatus(const float* a, const float* b, float* destination, int length)> Hypot;
extern Dispatched<IppStatus(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region)>
    SinA11;
extern Dispatched<IppStatus(uint8_t* destination, int step, IppiSize region)> Jaehne;

}  // namespace ryn::numerics
