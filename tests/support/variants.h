// Forcing the process-wide variant index, for the tests of selection and of the six entries.
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

// Calls body(index) under each variant index 0..5: the entries bound for this processor.
template <class Body>
void ForEachVariant(Body&& body) {
  for (int index = 0; index < kVariantCount; ++index) {
    SCOPED_TRACE(::testing::Message() << "variant index " << index);
    ScopedVariant scoped(index);
    body(index);
  }
}

}  // namespace ryn::test
