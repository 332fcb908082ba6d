#include "vlib/file_output_streamer.h"

#include "platform/text_encoding.h"
#include "vlib/date_time.h"
#include "vlib/standard_line.h"

namespace VLib {

FileOutputStreamer::FileOutputStreamer(const std::wstring& fileName) {
  if (!fileName.empty()) stream_.open(ryn::platform::WideToNarrow(fileName), std::ios::out | std::ios::app);
}

void FileOutputStreamer::Write(const DebugOutRecord& record, std::wstring_view text) {
  if (!stream_.is_open()) return;
  std::wstring line = TVLibDateTime::Now().LocalTimeText(dtsmFormatIso | dtsmDateTime) + L" " + StandardLine(record, text);
  line.resize(line.size() - 2);  // the file keeps the system's line end
  stream_ << ryn::platform::WideToNarrow(line) << '\n';
}

void FileOutputStreamer::Flush() {
  if (stream_.is_open()) stream_.flush();
}

}  // namespace VLib
