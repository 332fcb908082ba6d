// Runs one decoded call under every processor build this machine runs and checks it: nothing
// read-only is written, a failed call writes nothing, the floating-point controls are left as
// found, and every build gives the generic build's status and bytes. A violation aborts with a
// description, which makes libFuzzer keep the input.
#pragma once

#include "fuzz/fuzz_case.h"
#include "fuzz/fuzz_registry.h"

namespace ryn::fuzz {

// What happened to a call, for the coverage report.
enum class Outcome { kSkipped, kSucceeded, kFailed };

// `environmentChoice` 0..4 repeats the call once more under a rounding mode other than the
// default or with flush-to-zero and denormals-are-zero; other values do not.
Outcome RunCase(const FuzzEntry& entry, FuzzCase& fuzzCase, int environmentChoice);

}  // namespace ryn::fuzz
