#include "boxes_csv.h"

#include <filesystem>
#include <system_error>

#include "tool_error.h"

namespace ryn::privacy_mask {

BoxesCsv::BoxesCsv(std::string path) : path_(std::move(path)) {}

std::string CsvLine(int64_t frame, const MaskedBox& box) {
  return std::to_string(frame) + "," + ToString(box.box) + "," + std::string(SourceName(box.source));
}

void BoxesCsv::Write(int64_t frame, const std::vector<MaskedBox>& boxes) {
  if (!file_.is_open()) {
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be opened
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    file_.open(path_, std::ios::out | std::ios::trunc);
    if (!file_) throw ToolError("cannot write '" + path_ + "'");
    file_ << "frame,x,y,width,height,source\n";
  }
  for (const MaskedBox& box : boxes) file_ << CsvLine(frame, box) << '\n';
}

void BoxesCsv::Close() {
  file_.flush();
  if (!file_) throw ToolError("cannot write '" + path_ + "'");
  file_.close();
}

}  // namespace ryn::privacy_mask
