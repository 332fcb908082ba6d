/* Camera pose from four point correspondences. Part of RynRAZUdidazoror.h, which users include.
 * Valid C99 and C++. */
#ifndef RYN_POSE_H
#define RYN_POSE_H

#include <stdbool.h>

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The camera's pose from four reference points known in world coordinates (objectPoints: 4 x
 * (x, y, z)) and in the image (imagePoints: 4 x (u, v), in pixels relative to the principal
 * point), with the focal lengths in pixels. On success writes the 3 x 3 rotation matrix
 * (row-major) and the translation, such that camera coordinates = R x world + t and a camera
 * point (X, Y, Z) images at (fx X / Z, fy Y / Z), and returns true.
 *
 * Returns false, writing nothing, when pointCount is not 4, when any pointer is null, when all
 * object coordinates or all image coordinates are zero, or when two object points lie closer than
 * sqrt(1e-5). Returns false when the solver finds no pose; the rotation is then untouched and the
 * translation may have been written. No lens distortion is modelled. */
RYN_API bool fnVCAOCV_GetExtrinsicCameraParameter(const float* objectPoints, const float* imagePoints,
                                                  const float* focalLengthX, const float* focalLengthY,
                                                  float* rotationMatrix, float* translation, int pointCount);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_POSE_H */
