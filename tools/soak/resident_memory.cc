#include "resident_memory.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace ryn::soak {

int64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  int64_t sizePages = 0;
  int64_t residentPages = 0;
  if (!(statm >> sizePages >> residentPages)) return 0;
  return residentPages * static_cast<int64_t>(sysconf(_SC_PAGESIZE));
}

void ResidentMemoryLog::Sample(bool warmedUp) {
  last_ = ResidentBytes();
  if (start_ == 0) start_ = last_;
  if (!warmedUp) return;
  if (afterWarmUp_ == 0) afterWarmUp_ = last_;
  peakAfterWarmUp_ = std::max(peakAfterWarmUp_, last_);
}

}  // namespace ryn::soak
