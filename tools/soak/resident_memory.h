// The process's resident memory, as the soak samples it.
#pragma once

#include <cstdint>

namespace ryn::soak {

// Resident bytes from /proc/self/statm; 0 where it cannot be read.
int64_t ResidentBytes();

// The samples of one run: the first, the one taken when warm-up ended, the largest after it and
// the last.
class ResidentMemoryLog {
 public:
  void Sample(bool warmedUp);

  int64_t start() const { return start_; }
  int64_t afterWarmUp() const { return afterWarmUp_; }
  int64_t peakAfterWarmUp() const { return peakAfterWarmUp_; }
  int64_t last() const { return last_; }
  // Growth of the largest sample after warm-up over the sample when warm-up ended.
  int64_t GrowthAfterWarmUp() const { return afterWarmUp_ == 0 ? 0 : peakAfterWarmUp_ - afterWarmUp_; }

 private:
  int64_t start_ = 0;
  int64_t afterWarmUp_ = 0;
  int64_t peakAfterWarmUp_ = 0;
  int64_t last_ = 0;
};

}  // namespace ryn::soak
