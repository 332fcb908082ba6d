// Camera pose.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "pose/extrinsic_camera.h"

extern "C" {

RYN_API bool fnVCAOCV_GetExtrinsicCameraParameter(const float* objectPoints, const float* imagePoints,
                                                  const float* focalLengthX, const float* focalLengthY,
                                                  float* rotationMatrix, float* translation, int pointCount) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::pose::ExtrinsicCameraParameter(objectPoints, imagePoints, focalLengthX, focalLengthY,
                                             rotationMatrix, translation, pointCount);
}

}  // extern "C"
