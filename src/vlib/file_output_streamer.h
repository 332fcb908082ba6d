// Lines appended to a text file, each with its local date and time: "2024-03-05 14:07:09.123
// INFO  [source,4242] text".
#pragma once

#include <fstream>
#include <string>

#include "vlib/debug_out_streamer_object.h"

namespace VLib {

class FileOutputStreamer final : public ReferenceBaseClass<VirtualReferenceCountBaseClass>,
                                 public IDebugOutStreamerObject {
 public:
  // An empty name, or a file that cannot be opened, writes nothing.
  explicit FileOutputStreamer(const std::wstring& fileName);

  void Write(const DebugOutRecord& record, std::wstring_view text) override;
  void Flush() override;

  bool IsOpen() const { return stream_.is_open(); }

 private:
  std::ofstream stream_;
};

}  // namespace VLib
