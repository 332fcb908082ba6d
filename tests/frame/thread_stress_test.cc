// Every family's exports on two threads at once, each thread on images of its own, while a third
// thread runs start-up again and again and moves the variant index: every result must equal the
// single-threaded one. Under the race detector this is the test that finds shared state.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "frame/cpu_features.h"
#include "frame/variant.h"
#include "support/default_diagnostics.h"
#include "support/export_jobs.h"
#include "support/fake_platform.h"
#include "support/variants.h"

namespace ryn::test {
namespace {

constexpr int kWorkers = 2;
constexpr int kRounds = 8;

std::vector<JobResult> SingleThreadedReferences() {
  std::vector<JobResult> references;
  for (const ExportJob& job : ExportJobs()) references.push_back(job.run());
  return references;
}

// Runs the table `kRounds` times, worker 0 front to back, worker 1 back to front, so that
// different families overlap; returns the names of the jobs whose results differed.
std::vector<std::string> RunRounds(int worker, const std::vector<JobResult>& references) {
  const std::vector<ExportJob>& jobs = ExportJobs();
  std::vector<std::string> mismatches;
  for (int round = 0; round < kRounds; ++round) {
    for (size_t n = 0; n < jobs.size(); ++n) {
      const size_t i = worker == 0 ? n : jobs.size() - 1 - n;
      if (!(jobs[i].run() == references[i])) mismatches.push_back(std::string(jobs[i].family) + ": " + jobs[i].name);
    }
  }
  return mismatches;
}

// The start-up lines go to a fake console; the diagnostic configuration is the default one,
// whatever the machine's registry file says.
class ThreadStress : public testing::Test {
 protected:
  FakeConsole console_;
  ScopedConsole scopedConsole_{console_};
  ScopedDefaultDiagnostics diagnostics_;
};

TEST_F(ThreadStress, TheJobsCoverEveryDispatchedFamily) {
  std::set<std::string> families;
  for (const ExportJob& job : ExportJobs()) families.insert(job.family);
  const std::set<std::string> dispatched = {"fill",     "copy",        "logic",   "arith",    "stats",
                                            "filters",  "morphology",  "derivatives", "mosquito", "segment",
                                            "geometry", "color",       "effects", "fft",      "moments",
                                            "numerics", "raycast"};
  EXPECT_EQ(families, dispatched);
}

TEST_F(ThreadStress, EveryJobSucceedsAndRepeatsItsResult) {
  const std::vector<JobResult> references = SingleThreadedReferences();
  const std::vector<ExportJob>& jobs = ExportJobs();
  for (size_t i = 0; i < jobs.size(); ++i) {
    SCOPED_TRACE(std::string(jobs[i].family) + ": " + jobs[i].name);
    EXPECT_EQ(references[i].errors, 0) << "a job whose calls fail tests nothing";
    EXPECT_FALSE(references[i].bytes.empty());
    EXPECT_TRUE(jobs[i].run() == references[i]);
  }
}

TEST_F(ThreadStress, TwoThreadsWithRepeatedStartUpGiveTheSingleThreadedResults) {
  const std::vector<JobResult> references = SingleThreadedReferences();
  // The processor caches start empty, so that the threads' first calls fill them at once.
  ResetCpuCachesForTesting();
  // The workers start on the generic entries; start-up moves them to the processor's builds and
  // the switcher back to every other index while they run.
  ScopedVariant generic(0);
  std::atomic<bool> done{false};
  std::atomic<int> startUps{0};
  std::thread switcher([&] {
    for (int index = 0; !done.load(std::memory_order_relaxed); index = (index + 1) % kVariantCount) {
      fnVCAIPP_InitIPP();
      startUps.fetch_add(1, std::memory_order_relaxed);
      std::this_thread::yield();
      SetVariantIndexForTesting(index);
      std::this_thread::yield();
    }
  });
  std::vector<std::vector<std::string>> mismatches(kWorkers);
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) workers.emplace_back([&, w] { mismatches[w] = RunRounds(w, references); });
  for (std::thread& worker : workers) worker.join();
  done.store(true);
  switcher.join();

  for (int w = 0; w < kWorkers; ++w) EXPECT_EQ(mismatches[w], std::vector<std::string>{}) << "worker " << w;
  EXPECT_GT(startUps.load(), 0);
  EXPECT_EQ(console_.lines.size(), static_cast<size_t>(startUps.load())) << "one start-up line per call";
}

}  // namespace
}  // namespace ryn::test
