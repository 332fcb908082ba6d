// Ray casting against triangle meshes.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "primitives/raycast/raycast.h"

extern "C" {

RYN_API IppStatus fnVCAIPP_CastEye_32f(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowStep,
                                       int blockColumn, int blockRow, IppiSize blockSize,
                                       float* const directions[3], IppiSize thisBlockSize) {
  return ryn::raycast::CastEye(origin, columnStep, rowStep, blockColumn, blockRow, blockSize, directions,
                               thisBlockSize);
}

RYN_API IppStatus fnVCAIPP_IntersectEyeSO_32f(RynPoint3D eye, float* const directions[3], float* distances,
                                              float* const barycentrics[2], int32_t* triangleIndices,
                                              const RynRayCastContext* context, IppiSize blockSize) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::raycast::IntersectEye(eye, directions, distances, barycentrics, triangleIndices, context, blockSize);
}

RYN_API IppStatus fnVCAIPP_HitPoint3DEpsS0_32f_M(RynPoint3D eye, float* const directions[3],
                                                 const float* distances, const int32_t* mask,
                                                 float* const hitPoints[3], int length, float epsilon) {
  return ryn::raycast::HitPoint3D(eye, directions, distances, mask, hitPoints, length, epsilon);
}

RYN_API IppStatus fnVCAIPP_SetBoundBox_32f(const float* vertices, int vertexCount, float* boundingBox) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::raycast::SetBoundBox(vertices, vertexCount, boundingBox);
}

RYN_API IppStatus fnVCAIPP_TriangleAccelGetSize(int* recordSize) {
  return ryn::raycast::TriangleRecordSize(recordSize);
}

RYN_API IppStatus fnVCAIPP_TriangleAccelInit(void* records, const float* vertices, const int32_t* triangles,
                                             int triangleCount) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::raycast::InitTriangleRecords(records, vertices, triangles, triangleCount);
}

RYN_API IppStatus fnVCAIPP_KDTreeBuildAlloc(void** tree, const float* vertices, const int32_t* triangles,
                                            int vertexCount, int triangleCount, int* treeSize,
                                            const RynKDTreeBuildContext* buildContext) {
  const ryn::StandardFloatEnvironment environment;
  return ryn::raycast::BuildKdTree(tree, vertices, triangles, vertexCount, triangleCount, treeSize, buildContext);
}

RYN_API void fnVCAIPP_KDTreeFree(void* tree) { ryn::raycast::FreeKdTree(tree); }

}  // extern "C"
