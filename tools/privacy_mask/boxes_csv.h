// The audit trail of a run: every rectangle masked in every frame, one CSV line each.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "masked_box.h"

namespace ryn::privacy_mask {

class BoxesCsv {
 public:
  // The file (and its folder) is created by the first Write, so that a run refused before it
  // leaves none.
  explicit BoxesCsv(std::string path);

  // Lines "frame,x,y,width,height,source" for the frame's boxes, source "zone" or "motion".
  void Write(int64_t frame, const std::vector<MaskedBox>& boxes);
  // Flushes the file; throws ToolError when anything failed to reach it.
  void Close();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::ofstream file_;
};

// The line for one box, without the line end.
std::string CsvLine(int64_t frame, const MaskedBox& box);

}  // namespace ryn::privacy_mask
