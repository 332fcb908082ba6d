// The most recent lines in memory: fewer than `capacity` records, the oldest dropped first.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "vlib/critical_section.h"
#include "vlib/date_time.h"
#include "vlib/debug_out_streamer_object.h"

namespace VLib {

struct OutputHistoryRecord {
  uint32_t severity = 0;
  TVLibDateTime time;
  std::string source;
  std::wstring text;
};

class OutputHistoryStreamer final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>,
                                    public IDebugOutStreamerObject {
 public:
  static constexpr size_t kDefaultCapacity = 1024;

  explicit OutputHistoryStreamer(size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

  void Write(const DebugOutRecord& record, std::wstring_view text) override;
  void Flush() override {}

  std::vector<OutputHistoryRecord> Records() const;
  size_t Size() const;

 private:
  size_t capacity_;
  mutable CriticalSection lock_;
  std::deque<OutputHistoryRecord> records_;
};

}  // namespace VLib
