// The library's builds of an operation (the generic code and one build per Highway target) and
// which build each of the six variant indices runs on a processor.
#pragma once

#include <array>

#include "frame/targets.h"
#include "frame/variant.h"

namespace ryn {

enum class Build : int { kGeneric = 0, kSsse3, kSse4, kAvx2, kAvx3 };
inline constexpr int kBuildCount = 5;
inline constexpr std::array<Build, kBuildCount> kAllBuilds = {Build::kGeneric, Build::kSsse3, Build::kSse4,
                                                              Build::kAvx2, Build::kAvx3};

// "generic", "SSSE3", "SSE4", "AVX2", "AVX3".
const char* BuildName(Build build);

// True when the processor that `runnable` describes executes the build.
bool CanRun(Build build, const RunnableTargets& runnable);

// The builds an operation has; the generic build always exists.
using BuildsPresent = std::array<bool, kBuildCount>;

// Entries 0, 1: generic. 2, 3: the SSSE3 build. 4: the SSE4 build, else entry 2's. 5: the AVX3
// build, else the AVX2 build, else entry 4's. A build counts only when the operation has it and
// the processor runs it, so AVX without AVX2 never reaches AVX2 code.
std::array<Build, kVariantCount> EntriesFor(const BuildsPresent& present, const RunnableTargets& runnable);

}  // namespace ryn
