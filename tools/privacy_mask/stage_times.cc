#include "stage_times.h"

namespace ryn::privacy_mask {

std::string_view StageName(Stage stage) {
  switch (stage) {
    case Stage::kDecode: return "decode";
    case Stage::kBackground: return "background";
    case Stage::kMask: return "mask";
    case Stage::kMorphology: return "morphology";
    case Stage::kLabelling: return "labelling";
    case Stage::kMasking: return "masking";
    case Stage::kEncode: return "encode";
  }
  return "?";
}

}  // namespace ryn::privacy_mask
