#include "fuzz/fuzz_runner.h"

#include <xmmintrin.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "frame/build.h"
#include "frame/dispatch.h"
#include "frame/targets.h"

namespace ryn::fuzz {
namespace {

struct Run {
  int64_t result = 0;
  std::vector<std::vector<uint8_t>> contents;
};

[[noreturn]] void Finding(const FuzzEntry& entry, Build build, const char* what, int64_t detail) {
  std::fprintf(stderr, "\n*** %s under the %s build: %s (%lld)\n", entry.name.c_str(), BuildName(build), what,
               static_cast<long long>(detail));
  std::abort();
}

const std::vector<Build>& RunnableBuilds() {
  static const std::vector<Build> builds = [] {
    std::vector<Build> runnable;
    for (Build b : kAllBuilds) {
      if (CanRun(b, HardwareTargets())) runnable.push_back(b);
    }
    return runnable;
  }();
  return builds;
}

Run RunOnce(const FuzzEntry& entry, FuzzCase& fuzzCase, Build build) {
  for (auto& buffer : fuzzCase.buffers()) buffer->Reset();
  fuzzCase.RunSetup();
  DispatchRegistration::ForceAllForTesting(build);
  const unsigned controlBefore = _mm_getcsr();
  Run run;
  run.result = fuzzCase.call()();
  const unsigned controlAfter = _mm_getcsr();
  DispatchRegistration::BindAllForHardware();
  fuzzCase.RunTeardown();
  if (controlAfter != controlBefore) Finding(entry, build, "MXCSR changed", controlAfter);
  for (auto& buffer : fuzzCase.buffers()) run.contents.push_back(buffer->Contents());
  return run;
}

void CheckUnwritten(const FuzzEntry& entry, FuzzCase& fuzzCase, Build build, const Run& run) {
  const bool failed = fuzzCase.resultIsStatus() && run.result < 0;
  auto& buffers = fuzzCase.buffers();
  for (size_t i = 0; i < buffers.size(); ++i) {
    const bool mayChange = buffers[i]->written() && (!failed || fuzzCase.writesOnError());
    if (mayChange) continue;
    const int64_t at = buffers[i]->FirstDifference(buffers[i]->initial(), run.contents[i]);
    if (at >= 0) {
      Finding(entry, build, buffers[i]->written() ? "a failed call wrote its output" : "a read-only argument changed",
              at);
    }
  }
}

void CheckSameAsGeneric(const FuzzEntry& entry, FuzzCase& fuzzCase, Build build, const Run& generic,
                        const Run& run) {
  if (run.result != generic.result) Finding(entry, build, "status differs from the generic build's", run.result);
  auto& buffers = fuzzCase.buffers();
  for (size_t i = 0; i < buffers.size(); ++i) {
    const int64_t at = buffers[i]->FirstDifference(generic.contents[i], run.contents[i]);
    if (at >= 0) Finding(entry, build, "output differs from the generic build's at element", at);
  }
}

}  // namespace

Outcome RunCase(const FuzzEntry& entry, FuzzCase& fuzzCase) {
  if (fuzzCase.skipped()) return Outcome::kSkipped;
  Run generic;
  for (Build build : RunnableBuilds()) {
    const Run run = RunOnce(entry, fuzzCase, build);
    CheckUnwritten(entry, fuzzCase, build, run);
    if (build == Build::kGeneric) {
      generic = run;
    } else if (fuzzCase.comparable()) {
      CheckSameAsGeneric(entry, fuzzCase, build, generic, run);
    }
  }
  return fuzzCase.resultIsStatus() && generic.result < 0 ? Outcome::kFailed : Outcome::kSucceeded;
}

}  // namespace ryn::fuzz
