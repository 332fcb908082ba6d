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

// The subtract-with-borrow step: from the middle and oldest words and the borrow, a difference
// whose sign is the new borrow and which, when negative, loses 18 more.
// Written with masks rather than conditions: the sign is random, so a branch would be
// mispredicted half the time.
inline uint32_t SubtractWithBorrow(uint32_t middle, uint32_t oldest, uint32_t& borrow) {
  const uint32_t difference = middle - oldest + borrow;
  borrow = static_cast<uint32_t>(static_cast<int32_t>(difference) >> 31);
  return difference - (borrow & kBorrowCorrection);
}

// Steps the subtract-with-borrow part and returns its new word.
inline uint32_t NextSubtractWithBorrow(GeneratorWords& words) {
  const uint32_t t = SubtractWithBorrow(words.middle, words.oldest, words.borrow);
  words.oldest = words.middle;
  words.middle = words.newest;
  words.newest = t;
  return t;
}

// The next m subtract-with-borrow words, as m calls of NextSubtractWithBorrow give them. Three
// steps at a time, each new word taking the slot of the oldest, so that no word is moved: the
// chain from one step to the next is then only the borrow.
inline void SubtractWithBorrowWords(GeneratorWords& words, uint32_t* out, size_t m) {
  uint32_t a = words.newest, b = words.middle, c = words.oldest, k = words.borrow;
  size_t j = 0;
  for (; j + 3 <= m; j += 3) {
    out[j] = c = SubtractWithBorrow(b, c, k);      // newest c, middle a, oldest b
    out[j + 1] = b = SubtractWithBorrow(a, b, k);  // newest b, middle c, oldest a
    out[j + 2] = a = SubtractWithBorrow(c, a, k);  // newest a, middle b, oldest c
  }
  words = GeneratorWords{words.congruential, a, b, c, k};
  for (; j < m; ++j) out[j] = NextSubtractWithBorrow(words);
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
