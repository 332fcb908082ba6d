// The integer generator behind every random export: a subtract-with-borrow generator over three
// words plus a borrow, added to a congruential generator, all in wrapping 32-bit arithmetic.
#pragma once

#include <cstdint>

namespace ryn::numerics {

inline constexpr uint32_t kCongruentialMultiplier = 69069u;
inline constexpr uint32_t kCongruentialIncrement = 1013904243u;
// The congruential word starts here whatever the seed.
inline constexpr uint32_t kCongruentialStart = 1131199209u;
// Taken from a subtract-with-borrow result that comes out negative.
inline constexpr uint32_t kBorrowCorrection = 18u;

// The generator's words, in the order the state objects keep them.
struct GeneratorWords {
  uint32_t congruential;  // L
  uint32_t newest;        // a
  uint32_t middle;        // b
  uint32_t oldest;        // c
  uint32_t borrow;        // k: 0 or all ones
};

inline uint32_t NextCongruential(uint32_t word) { return word * kCongruentialMultiplier + kCongruentialIncrement; }

inline GeneratorWords SeededWords(uint32_t seed) {
  const uint32_t middle = NextCongruential(seed);
  return GeneratorWords{kCongruentialStart, seed, middle, NextCongruential(middle), ~0u};
}

// Steps the subtract-with-borrow part and returns its new word.
inline uint32_t NextSubtractWithBorrow(GeneratorWords& words) {
  uint32_t t = words.middle - words.oldest + words.borrow;
  words.borrow = (t & 0x80000000u) != 0 ? ~0u : 0u;
  t -= words.borrow & kBorrowCorrection;
  words.oldest = words.middle;
  words.middle = words.newest;
  words.newest = t;
  return t;
}

// One step of the whole generator: its output, read as a signed value.
inline int32_t NextOutput(GeneratorWords& words) {
  const uint32_t t = NextSubtractWithBorrow(words);
  words.congruential = NextCongruential(words.congruential);
  return static_cast<int32_t>(t + words.congruential);
}

// The congruential generator advanced by `steps` at once: L -> L x multiplier + increment.
struct CongruentialJump {
  uint32_t multiplier;
  uint32_t increment;
};

constexpr CongruentialJump JumpOf(uint64_t steps) {
  CongruentialJump jump{1u, 0u};
  for (uint64_t s = 0; s < steps; ++s) {
    jump.multiplier *= kCongruentialMultiplier;
    jump.increment = jump.increment * kCongruentialMultiplier + kCongruentialIncrement;
  }
  return jump;
}

}  // namespace ryn::numerics
