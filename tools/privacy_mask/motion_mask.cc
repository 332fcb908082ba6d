#include "motion_mask.h"

#include <string>

#include "library_status.h"
#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

constexpr int kEqual = 2;
constexpr int kGreater = 4;

}  // namespace

MotionMask::MotionMask(int width, int height)
    : background_(width, height), difference_(width, height), mask_(width, height), still_(width, height) {}

void MotionMask::Detect(const uint8_t* luma, int lumaStep, const BackgroundModel& background, uint8_t threshold) {
  // The byte difference takes one step for its three images.
  if (lumaStep != difference_.step())
    throw ToolError("luma step " + std::to_string(lumaStep) + " differs from the planes' step " +
                    std::to_string(difference_.step()));
  background.ToBytes(background_);
  CheckStatus(fnVCAIPP_AbsDiff_8u_C1R(luma, background_.data(), difference_.data(), difference_.size(), lumaStep),
              "fnVCAIPP_AbsDiff_8u_C1R");
  CheckStatus(fnVCAIPP_CompareC_8u_C1R(difference_.data(), difference_.step(), threshold, mask_.data(), mask_.step(),
                                       mask_.size(), kGreater),
              "fnVCAIPP_CompareC_8u_C1R");
}

void MotionMask::Clean() {
  CheckStatus(fnVCAIPP_Opening3x3_8u_C1IR(mask_.data(), mask_.step(), mask_.size()), "fnVCAIPP_Opening3x3_8u_C1IR");
  CheckStatus(fnVCAIPP_Closing3x3_8u_C1IR(mask_.data(), mask_.step(), mask_.size()), "fnVCAIPP_Closing3x3_8u_C1IR");
}

const BytePlane& MotionMask::Still() {
  CheckStatus(fnVCAIPP_CompareC_8u_C1R(mask_.data(), mask_.step(), 0, still_.data(), still_.step(), still_.size(),
                                       kEqual),
              "fnVCAIPP_CompareC_8u_C1R");
  return still_;
}

}  // namespace ryn::privacy_mask
