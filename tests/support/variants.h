// Running a call under every variant index and requiring the generic variant's results.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "frame/variant.h"

namespace ryn::test {

// Forces a variant index for its lifetime and restores the previous one.
class ScopedVariant {
 public:
  explicit ScopedVariant(int index) : previous_(VariantIndex()) { SetVariantIndexForTesting(index); }
  ~ScopedVariant() { SetVariantIndexForTesting(previous_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;

 private:
  int previous_;
};

// A different region prefill for the reference run and the variant runs, so that a pixel which
// a variant fails to write differs from the reference.
inline uint8_t SentinelFor(int variantIndex) { return variantIndex == 0 ? 0xA5 : 0x5A; }

// Calls body(index) under each variant index 0..5. Every entry is safe to call: entries are
// bound to builds the processor can run.
template <class Body>
void ForEachVariant(Body&& body) {
  for (int index = 0; index < kVariantCount; ++index) {
    SCOPED_TRACE(::testing::Message() << "variant index " << index);
    ScopedVariant scoped(index);
    body(index);
  }
}

// Runs run(index) under index 0 and under every other index, and expects every result to equal
// the generic one. `run` prepares its own inputs (prefilling destinations with SentinelFor(index))
// and returns something comparable: statuses, output bytes, or a tuple of them.
template <class Run>
void ExpectVariantsMatchGeneric(Run&& run) {
  const auto reference = [&] {
    ScopedVariant scoped(0);
    return run(0);
  }();
  for (int index = 1; index < kVariantCount; ++index) {
    ScopedVariant scoped(index);
    const auto result = run(index);
    EXPECT_TRUE(result == reference) << "variant index " << index << " differs from the generic variant";
  }
}

}  // namespace ryn::test
