// Allocation and release of the generator states, in the library's aligned blocks.
#include <new>

#include "frame/allocator.h"
#include "frame/checks.h"
#include "primitives/filters/round_to_nearest.h"
#include "primitives/numerics/numerics.h"
#include "primitives/numerics/random_samples.h"

namespace ryn::numerics {
namespace {

template <class State>
State* NewState() {
  void* block = AllocateBlock(static_cast<int64_t>(sizeof(State)));
  return block == nullptr ? nullptr : new (block) State{};
}

}  // namespace

// A failed allocation leaves a null state.
template <class T>
IppStatus UniformInitAlloc(UniformState<T>** state, T low, T high, uint32_t seed) {
  RYN_CHECK(NotNull(state));
  UniformState<T>* created = NewState<UniformState<T>>();
  *state = created;
  if (created == nullptr) return ippStsMemAllocErr;
  const filters::ScopedRoundToNearest nearest;
  *created = UniformState<T>{kUniformIdentifier<T>, seed, low, high, UniformMidpoint(low, high),
                             UniformScale(low, high), SeededWords(seed)};
  return ippStsNoErr;
}

template <class T>
IppStatus UniformFree(UniformState<T>* state) {
  RYN_CHECK(NotNull(state));
  RYN_CHECK(StateIs(state, kUniformIdentifier<T>));
  FreeBlock(state);
  return ippStsNoErr;
}

template <class T>
IppStatus GaussInitAlloc(GaussState<T>** state, T mean, T deviation, uint32_t seed) {
  RYN_CHECK(NotNull(state));
  GaussState<T>* created = NewState<GaussState<T>>();
  *state = created;
  if (created == nullptr) return ippStsMemAllocErr;
  *created = GaussState<T>{kGaussIdentifier<T>, seed, mean, deviation, SeededWords(seed), 1, 0.0, 0.0};
  return ippStsNoErr;
}

template <class T>
IppStatus GaussFree(GaussState<T>* state) {
  RYN_CHECK(NotNull(state));
  RYN_CHECK(StateIs(state, kGaussIdentifier<T>));
  FreeBlock(state);
  return ippStsNoErr;
}

template IppStatus UniformInitAlloc(UniformState<uint8_t>**, uint8_t, uint8_t, uint32_t);
template IppStatus UniformInitAlloc(UniformState<int16_t>**, int16_t, int16_t, uint32_t);
template IppStatus UniformInitAlloc(UniformState<float>**, float, float, uint32_t);
template IppStatus UniformFree(UniformState<uint8_t>*);
template IppStatus UniformFree(UniformState<int16_t>*);
template IppStatus UniformFree(UniformState<float>*);
template IppStatus GaussInitAlloc(GaussState<int16_t>**, int16_t, int16_t, uint32_t);
template IppStatus GaussInitAlloc(GaussState<float>**, float, float, uint32_t);
template IppStatus GaussFree(GaussState<int16_t>*);
template IppStatus GaussFree(GaussState<float>*);

}  // namespace ryn::numerics
