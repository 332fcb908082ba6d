#include "pose/extrinsic_camera.h"

#include <algorithm>
#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>

namespace ryn::pose {
namespace {

constexpr int kObjectCoordinates = 3 * kReferencePointCount;
constexpr int kImageCoordinates = 2 * kReferencePointCount;
// Reference points closer than this (squared distance) make the pose ill-defined.
constexpr double kCoincidentSquaredDistance = 1e-5;

bool AllZero(const float* values, int count) {
  return std::all_of(values, values + count, [](float v) { return v == 0.0f; });
}

bool HasCoincidentPoints(const float* objectPoints) {
  for (int i = 1; i < kReferencePointCount; ++i) {
    for (int j = 0; j < i; ++j) {
      const float* a = objectPoints + 3 * i;
      const float* b = objectPoints + 3 * j;
      const float dx = a[0] - b[0];
      const float dy = a[1] - b[1];
      const float dz = a[2] - b[2];
      const float squared = dx * dx + dy * dy + dz * dz;
      if (static_cast<double>(squared) < kCoincidentSquaredDistance) return true;
    }
  }
  return false;
}

// The solver's translation output, wherever it left it, as three floats.
void CopyTranslation(const cv::Mat& solved, float* translation) {
  cv::Mat asFloat;
  solved.convertTo(asFloat, CV_32F);
  asFloat = asFloat.reshape(1, 1);
  CV_Assert(asFloat.total() == 3);
  const float values[3] = {asFloat.at<float>(0), asFloat.at<float>(1), asFloat.at<float>(2)};
  std::copy(values, values + 3, translation);
}

bool SolvePose(const float* objectPoints, const float* imagePoints, float focalLengthX, float focalLengthY,
               float* rotationMatrix, float* translation) {
  // Principal point (0, 0): image points are given relative to it.
  float camera[9] = {focalLengthX, 0.0f, 0.0f, 0.0f, focalLengthY, 0.0f, 0.0f, 0.0f, 1.0f};
  const cv::Mat distortion = cv::Mat::zeros(cv::Size(4, 1), CV_32F);
  cv::Mat rotationVector;
  const int rotationVectorSize[] = {1, 3};
  rotationVector.create(2, rotationVectorSize, CV_32F);

  const cv::Mat objects(kReferencePointCount, 3, CV_32F, const_cast<float*>(objectPoints), 3 * sizeof(float));
  const cv::Mat images(kReferencePointCount, 2, CV_32F, const_cast<float*>(imagePoints), 2 * sizeof(float));
  const cv::Mat cameraMatrix(3, 3, CV_32F, camera);
  cv::Mat translationVector(1, 3, CV_32F, translation);
  if (!cv::solvePnP(objects, images, cameraMatrix, distortion, rotationVector, translationVector, false,
                    cv::SOLVEPNP_ITERATIVE)) {
    return false;
  }
  // The solver may have given the translation storage of its own.
  CopyTranslation(translationVector, translation);

  cv::Mat rotation(3, 3, CV_32F, rotationMatrix, 3 * sizeof(float));
  cv::Rodrigues(rotationVector, rotation, cv::noArray());
  if (rotation.data != reinterpret_cast<uchar*>(rotationMatrix)) {
    // Only if Rodrigues chose storage of its own: bring the matrix back to the caller's array.
    cv::Mat converted;
    rotation.convertTo(converted, CV_32F);
    CV_Assert(converted.rows == 3 && converted.cols == 3);
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) rotationMatrix[3 * r + c] = converted.at<float>(r, c);
    }
  }
  return true;
}

}  // namespace

bool ExtrinsicCameraParameter(const float* objectPoints, const float* imagePoints, const float* focalLengthX,
                              const float* focalLengthY, float* rotationMatrix, float* translation,
                              int pointCount) noexcept {
  if (pointCount != kReferencePointCount) return false;
  if (!objectPoints || !imagePoints || !focalLengthX || !focalLengthY || !rotationMatrix || !translation) {
    return false;
  }
  if (AllZero(objectPoints, kObjectCoordinates)) return false;
  if (AllZero(imagePoints, kImageCoordinates)) return false;
  if (HasCoincidentPoints(objectPoints)) return false;
  try {
    return SolvePose(objectPoints, imagePoints, *focalLengthX, *focalLengthY, rotationMatrix, translation);
  } catch (...) {
    // OpenCV reports bad input (a singular system, non-finite values) by exceptions; none may
    // leave the library.
    return false;
  }
}

}  // namespace ryn::pose
