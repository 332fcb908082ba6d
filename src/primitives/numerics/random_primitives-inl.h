// Checks and loops of the random generators, compiled into every build: included inside the
// build's namespace (ryn::numerics::generic, or ryn::numerics::HWY_NAMESPACE) after the kernels
// of that build, which it calls by name: FillUniform, NormalDeviates, FillGauss. Includes nothing
// itself.
#if defined(RYN_RANDOM_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_RANDOM_PRIMITIVES_INL_H_
#undef RYN_RANDOM_PRIMITIVES_INL_H_
#else
#define RYN_RANDOM_PRIMITIVES_INL_H_
#endif

namespace {

template <class T>
IppStatus GenerateUniform(T* destination, int length, UniformState<T>* state) {
  RYN_CHECK(NotNull(destination, state));
  RYN_CHECK(PositiveLength(length));
  RYN_CHECK(StateIs(state, kUniformIdentifier<T>));
  const filters::ScopedRoundToNearest nearest;
  // A local copy, which the compiler can keep in registers while the samples are stored.
  GeneratorWords words = state->words;
  FillUniform(words, destination, static_cast<size_t>(length), state->midpoint, state->scale);
  state->words = words;
  return ippStsNoErr;
}

template <class T>
IppStatus GenerateUniformDirect(T* destination, int length, T low, T high, uint32_t* seed) {
  RYN_CHECK(NotNull(destination, seed));
  RYN_CHECK(PositiveLength(length));
  const filters::ScopedRoundToNearest nearest;
  GeneratorWords words = SeededWords(LoadUnaligned(seed));
  FillUniform(words, destination, static_cast<size_t>(length), UniformMidpoint(low, high),
              UniformScale(low, high));
  StoreUnaligned(seed, words.newest);
  return ippStsNoErr;
}

// The second sample of a pair that a stateful generator keeps for its next call.
struct PendingSample {
  bool waiting;
  double sample;  // u1
  double factor;  // f
};

// Writes n Gaussian samples, pairs drawn in blocks. With `pending`, a waiting sample comes first
// and an unpaired last sample leaves its partner waiting; without, the partner is dropped.
template <class T>
void GenerateGauss(T* destination, size_t n, GeneratorWords& words, T mean, double deviation,
                   PendingSample* pending) {
  constexpr size_t kPairsPerBlock = 128;
  size_t i = 0;
  if (pending != nullptr && pending->waiting) {
    StoreUnaligned(destination, GaussSample<T>(pending->sample * pending->factor, mean, deviation));
    pending->waiting = false;
    i = 1;
  }
  double deviates[2 * kPairsPerBlock];
  while (i < n) {
    const size_t remaining = n - i;
    const size_t pairs = std::min(kPairsPerBlock, (remaining + 1) / 2);
    NormalPair last{};
    NormalDeviates(words, pairs, deviates, &last);
    const size_t count = std::min(2 * pairs, remaining);
    FillGauss(destination + i, deviates, count, mean, deviation);
    i += count;
    if (count % 2 != 0 && pending != nullptr) *pending = PendingSample{true, last.first, last.factor};
  }
}

template <class T>
IppStatus GenerateGaussFromState(T* destination, int length, GaussState<T>* state) {
  RYN_CHECK(NotNull(destination, state));
  RYN_CHECK(PositiveLength(length));
  RYN_CHECK(StateIs(state, kGaussIdentifier<T>));
  const filters::ScopedRoundToNearest nearest;
  PendingSample pending{state->nothingPending == 0, state->pendingSample, state->pendingFactor};
  GeneratorWords words = state->words;
  GenerateGauss(destination, static_cast<size_t>(length), words, state->mean, static_cast<double>(state->deviation),
                &pending);
  state->words = words;
  state->nothingPending = pending.waiting ? 0 : 1;
  state->pendingSample = pending.sample;
  state->pendingFactor = pending.factor;
  return ippStsNoErr;
}

template <class T>
IppStatus GenerateGaussDirect(T* destination, int length, T mean, T deviation, uint32_t* seed) {
  RYN_CHECK(NotNull(destination, seed));
  RYN_CHECK(PositiveLength(length));
  const filters::ScopedRoundToNearest nearest;
  GeneratorWords words = SeededWords(LoadUnaligned(seed));
  GenerateGauss(destination, static_cast<size_t>(length), words, mean, static_cast<double>(deviation), nullptr);
  StoreUnaligned(seed, words.newest);
  return ippStsNoErr;
}

}  // namespace

IppStatus RandUniform8u(uint8_t* destination, int length, UniformState<uint8_t>* state) {
  return GenerateUniform(destination, length, state);
}
IppStatus RandUniform16s(int16_t* destination, int length, UniformState<int16_t>* state) {
  return GenerateUniform(destination, length, state);
}
IppStatus RandUniform32f(float* destination, int length, UniformState<float>* state) {
  return GenerateUniform(destination, length, state);
}
IppStatus RandUniformDirect16s(int16_t* destination, int length, int16_t low, int16_t high, uint32_t* seed) {
  return GenerateUniformDirect(destination, length, low, high, seed);
}
IppStatus RandUniformDirect32f(float* destination, int length, float low, float high, uint32_t* seed) {
  return GenerateUniformDirect(destination, length, low, high, seed);
}
IppStatus RandUniformDirect64f(double* destination, int length, double low, double high, uint32_t* seed) {
  return GenerateUniformDirect(destination, length, low, high, seed);
}
IppStatus RandGauss16s(int16_t* destination, int length, GaussState<int16_t>* state) {
  return GenerateGaussFromState(destination, length, state);
}
IppStatus RandGauss32f(float* destination, int length, GaussState<float>* state) {
  return GenerateGaussFromState(destination, length, state);
}
IppStatus RandGaussDirect16s(int16_t* destination, int length, int16_t mean, int16_t deviation, uint32_t* seed) {
  return GenerateGaussDirect(destination, length, mean, deviation, seed);
}
IppStatus RandGaussDirect32f(float* destination, int length, float mean, float deviation, uint32_t* seed) {
  return GenerateGaussDirect(destination, length, mean, deviation, seed);
}
IppStatus RandGaussDirect64f(double* destination, int length, double mean, double deviation, uint32_t* seed) {
  return GenerateGaussDirect(destination, length, mean, deviation, seed);
}

#endif
