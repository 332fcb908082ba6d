// Camera pose from four point correspondences, on OpenCV's perspective-n-point solver. The only
// code of the library that uses OpenCV.
#pragma once

namespace ryn::pose {

constexpr int kReferencePointCount = 4;

// See fnVCAOCV_GetExtrinsicCameraParameter. Never throws: every failure, OpenCV's included, is
// false.
bool ExtrinsicCameraParameter(const float* objectPoints, const float* imagePoints, const float* focalLengthX,
                              const float* focalLengthY, float* rotationMatrix, float* translation,
                              int pointCount) noexcept;

}  // namespace ryn::pose
