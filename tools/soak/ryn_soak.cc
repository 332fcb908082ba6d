// ryn-soak: runs the library for a long time on two threads, each running a seeded random mix of
// export jobs and of privacy masking on frames of a clip, and checks every result against a
// reference computed once at start and the process's resident memory after warm-up. Built with
// AddressSanitizer, the leak check at exit covers the whole run. Exit codes: 0 clean, 1 a result
// differed or a call failed, 2 resident memory grew beyond the limit, 3 bad command line.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "masking_workload.h"
#include "resident_memory.h"
#include "support/export_jobs.h"

namespace ryn::soak {
namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  double seconds = 60;
  uint32_t seed = 1;
  std::string clip;
  int frames = 24;
  int threads = 2;
  double maxGrowthMiB = 32;
};

constexpr const char* kUsage =
    "usage: ryn-soak SECONDS [--seed N] [--clip PATH] [--frames N] [--threads N] [--max-growth-mib N]\n";

bool Parse(int argc, char** argv, Options& options) {
  if (argc < 2) return false;
  options.seconds = std::atof(argv[1]);
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--seed") options.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
    else if (name == "--clip") options.clip = value;
    else if (name == "--frames") options.frames = std::atoi(value);
    else if (name == "--threads") options.threads = std::atoi(value);
    else if (name == "--max-growth-mib") options.maxGrowthMiB = std::atof(value);
    else return false;
  }
  return argc % 2 == 0 && options.seconds > 0 && options.frames > 0 && options.threads > 0;
}

double MiB(int64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// What every worker compares against, computed once on one thread.
struct References {
  std::vector<test::JobResult> jobs;
  std::vector<uint64_t> masks;
};

References Compute(const MaskingWorkload& masking) {
  References references;
  for (const test::ExportJob& job : test::ExportJobs()) references.jobs.push_back(job.run());
  for (int task = 0; task < masking.taskCount(); ++task) references.masks.push_back(masking.Run(task));
  return references;
}

class Counters {
 public:
  void Call(bool masking) { (masking ? masks_ : jobs_).fetch_add(1, std::memory_order_relaxed); }
  void Mismatch(const std::string& what) {
    if (mismatches_.fetch_add(1) >= 10) return;
    const std::lock_guard lock(mutex_);
    std::cerr << "MISMATCH: " << what << "\n";
  }
  int64_t jobs() const { return jobs_.load(); }
  int64_t masks() const { return masks_.load(); }
  int64_t mismatches() const { return mismatches_.load(); }

 private:
  std::atomic<int64_t> jobs_{0};
  std::atomic<int64_t> masks_{0};
  std::atomic<int64_t> mismatches_{0};
  std::mutex mutex_;
};

// One in four calls masks a frame; the others run an export job.
void Work(uint32_t seed, const MaskingWorkload& masking, const References& references, const std::atomic<bool>& stop,
          Counters& counters) {
  const std::vector<test::ExportJob>& jobs = test::ExportJobs();
  std::mt19937 random(seed);
  while (!stop.load(std::memory_order_relaxed)) {
    const bool mask = random() % 4 == 0;
    if (mask) {
      const int task = static_cast<int>(random() % static_cast<uint32_t>(masking.taskCount()));
      try {
        if (masking.Run(task) != references.masks[task]) counters.Mismatch("masking task " + std::to_string(task));
      } catch (const std::exception& error) {
        counters.Mismatch("masking task " + std::to_string(task) + ": " + error.what());
      }
    } else {
      const size_t i = random() % jobs.size();
      if (!(jobs[i].run() == references.jobs[i]))
        counters.Mismatch(std::string("job ") + jobs[i].family + ": " + jobs[i].name);
    }
    counters.Call(mask);
  }
}

int Run(const Options& options) {
  ResidentMemoryLog memory;
  memory.Sample(false);
  const MaskingWorkload masking(options.clip, options.frames);
  const References references = Compute(masking);
  std::cout << "soak: " << options.seconds << " s, " << options.threads << " threads, seed " << options.seed << ", "
            << test::ExportJobs().size() << " export jobs, " << masking.taskCount() << " masking tasks ("
            << masking.description() << ")\n"
            << std::flush;

  const double warmUp = std::min(60.0, options.seconds / 5);
  std::atomic<bool> stop{false};
  Counters counters;
  std::vector<std::thread> workers;
  for (int t = 0; t < options.threads; ++t)
    workers.emplace_back(Work, options.seed + static_cast<uint32_t>(t), std::cref(masking), std::cref(references),
                         std::cref(stop), std::ref(counters));

  const Clock::time_point start = Clock::now();
  double lastReport = 0;
  for (double elapsed = 0; elapsed < options.seconds;
       elapsed = std::chrono::duration<double>(Clock::now() - start).count()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    memory.Sample(elapsed >= warmUp);
    if (elapsed - lastReport >= 60) {
      lastReport = elapsed;
      std::cout << "soak: " << static_cast<int>(elapsed) << " s, " << counters.jobs() + counters.masks()
                << " calls, RSS " << MiB(memory.last()) << " MiB\n"
                << std::flush;
    }
  }
  stop.store(true);
  for (std::thread& worker : workers) worker.join();
  memory.Sample(true);

  std::cout << "soak: RSS start " << MiB(memory.start()) << " MiB, after warm-up (" << warmUp << " s) "
            << MiB(memory.afterWarmUp()) << " MiB, peak after warm-up " << MiB(memory.peakAfterWarmUp())
            << " MiB, end " << MiB(memory.last()) << " MiB\n"
            << "soak: " << counters.jobs() << " export jobs, " << counters.masks() << " masked frames, "
            << counters.mismatches() << " mismatches\n";
  if (counters.mismatches() > 0) return 1;
  if (MiB(memory.GrowthAfterWarmUp()) > options.maxGrowthMiB) {
    std::cout << "soak: resident memory grew by " << MiB(memory.GrowthAfterWarmUp()) << " MiB after warm-up (limit "
              << options.maxGrowthMiB << " MiB)\n";
    return 2;
  }
  return 0;
}

}  // namespace
}  // namespace ryn::soak

int main(int argc, char** argv) {
  ryn::soak::Options options;
  if (!ryn::soak::Parse(argc, argv, options)) {
    std::cerr << ryn::soak::kUsage;
    return 3;
  }
  try {
    return ryn::soak::Run(options);
  } catch (const std::exception& error) {
    std::cerr << "soak: " << error.what() << "\n";
    return 1;
  }
}
