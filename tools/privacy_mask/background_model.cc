#include "background_model.h"

#include "library_status.h"

namespace ryn::privacy_mask {

BackgroundModel::BackgroundModel(int width, int height) : average_(width, height) {}

bool BackgroundModel::TakeFirst(const uint8_t* luma, int lumaStep) {
  if (initialised_) return false;
  CheckStatus(fnVCAIPP_Convert_8u32f_C1R(luma, lumaStep, average_.data(), average_.step(), average_.size()),
              "fnVCAIPP_Convert_8u32f_C1R");
  initialised_ = true;
  return true;
}

void BackgroundModel::Learn(const uint8_t* luma, int lumaStep, float rate) {
  if (TakeFirst(luma, lumaStep)) return;
  CheckStatus(fnVCAIPP_AddWeighted_8u32f_C1IR(luma, average_.data(), average_.size(), lumaStep, average_.step(), rate),
              "fnVCAIPP_AddWeighted_8u32f_C1IR");
}

void BackgroundModel::LearnWhere(const uint8_t* luma, int lumaStep, const uint8_t* learnMask, float rate) {
  if (TakeFirst(luma, lumaStep)) return;
  CheckStatus(fnVCAIPP_AddWeighted_8u32f_C1IMR(luma, average_.data(), learnMask, average_.size(), lumaStep,
                                               average_.step(), rate),
              "fnVCAIPP_AddWeighted_8u32f_C1IMR");
}

void BackgroundModel::ToBytes(BytePlane& destination) const {
  CheckStatus(fnVCAIPP_Convert_32f8u_C1R(average_.data(), average_.step(), destination.data(), destination.step(),
                                         average_.size()),
              "fnVCAIPP_Convert_32f8u_C1R");
}

}  // namespace ryn::privacy_mask
