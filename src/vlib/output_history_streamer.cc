#include "vlib/output_history_streamer.h"

namespace VLib {

void OutputHistoryStreamer::Write(const DebugOutRecord& record, std::wstring_view text) {
  OutputHistoryRecord entry{record.severity, TVLibDateTime::Now(), record.source, std::wstring(text)};
  std::lock_guard lock(lock_);
  records_.push_back(std::move(entry));
  while (!records_.empty() && records_.size() >= capacity_) records_.pop_front();
}

std::vector<OutputHistoryRecord> OutputHistoryStreamer::Records() const {
  std::lock_guard lock(lock_);
  return {records_.begin(), records_.end()};
}

size_t OutputHistoryStreamer::Size() const {
  std::lock_guard lock(lock_);
  return records_.size();
}

}  // namespace VLib
