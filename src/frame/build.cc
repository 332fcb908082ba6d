#include "frame/build.h"

namespace ryn {

const char* BuildName(Build build) {
  switch (build) {
    case Build::kGeneric:
      return "generic";
    case Build::kSsse3:
      return "SSSE3";
    case Build::kSse4:
      return "SSE4";
    case Build::kAvx2:
      return "AVX2";
    case Build::kAvx3:
      return "AVX3";
  }
  return "?";
}

bool CanRun(Build build, const RunnableTargets& runnable) {
  switch (build) {
    case Build::kGeneric:
      return true;
    case Build::kSsse3:
      return runnable.ssse3;
    case Build::kSse4:
      return runnable.sse4;
    case Build::kAvx2:
      return runnable.avx2;
    case Build::kAvx3:
      return runnable.avx3;
  }
  return false;
}

std::array<Build, kVariantCount> EntriesFor(const BuildsPresent& present, const RunnableTargets& runnable) {
  const auto usable = [&](Build b) { return present[static_cast<int>(b)] && CanRun(b, runnable); };
  const Build e2 = usable(Build::kSsse3) ? Build::kSsse3 : Build::kGeneric;
  const Build e4 = usable(Build::kSse4) ? Build::kSse4 : e2;
  Build e5 = e4;
  if (usable(Build::kAvx2)) e5 = Build::kAvx2;
  if (usable(Build::kAvx3)) e5 = Build::kAvx3;
  return {Build::kGeneric, Build::kGeneric, e2, e2, e4, e5};
}

}  // namespace ryn
