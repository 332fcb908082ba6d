// The generator state objects handed to callers, with the identifiers that tell their kinds apart.
// Every state begins with its identifier, so that the kind of any state can be read before its
// type is known.
#pragma once

#include <cstdint>
#include <cstring>

#include "RynRAZUdidazoror.h"
#include "primitives/numerics/random_generator.h"

namespace ryn::numerics {

enum StateIdentifier : int32_t {
  kUniform8uState = 35,
  kUniform16sState = 36,
  kUniform32fState = 37,
  kGauss16sState = 39,
  kGauss32fState = 40,
};

template <class T>
struct UniformState {
  int32_t identifier;
  uint32_t seed;
  T low;
  T high;
  double midpoint;  // (low + high) x 0.5
  double scale;     // (high - low) x 2^-32
  GeneratorWords words;
};

// The pending flag is 1 when nothing is pending, 0 when the second sample of a pair (factor x
// sample) waits for the next call.
template <class T>
struct GaussState {
  int32_t identifier;
  uint32_t seed;
  T mean;
  T deviation;
  GeneratorWords words;
  int32_t nothingPending;
  double pendingFactor;
  double pendingSample;
};

template <class T>
constexpr StateIdentifier kUniformIdentifier = T::unsupported;
template <>
inline constexpr StateIdentifier kUniformIdentifier<uint8_t> = kUniform8uState;
template <>
inline constexpr StateIdentifier kUniformIdentifier<int16_t> = kUniform16sState;
template <>
inline constexpr StateIdentifier kUniformIdentifier<float> = kUniform32fState;

template <class T>
constexpr StateIdentifier kGaussIdentifier = T::unsupported;
template <>
inline constexpr StateIdentifier kGaussIdentifier<int16_t> = kGauss16sState;
template <>
inline constexpr StateIdentifier kGaussIdentifier<float> = kGauss32fState;

// ippStsContextMatchErr unless the state is of the given kind. Reads only the leading identifier,
// so states of any kind may be passed.
inline IppStatus StateIs(const void* state, StateIdentifier expected) {
  int32_t identifier;
  std::memcpy(&identifier, state, sizeof identifier);
  return identifier == expected ? ippStsNoErr : ippStsContextMatchErr;
}

}  // namespace ryn::numerics
