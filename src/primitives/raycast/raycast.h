// Ray casting against triangle meshes: eye rays, bounding box, triangle records, kd-trees,
// intersections and hit points.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/dispatch.h"

namespace ryn::raycast {

// Ray directions of one block (see fnVCAIPP_CastEye_32f).
extern Dispatched<IppStatus(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowStep, int blockColumn,
                            int blockRow, IppiSize blockSize, float* const* directions, IppiSize thisBlockSize)>
    CastEye;

// Hit points of `length` rays (see fnVCAIPP_HitPoint3DEpsS0_32f_M).
extern Dispatched<IppStatus(RynPoint3D eye, float* const* directions, const float* distances, const int32_t* mask,
                            float* const* hitPoints, int length, float epsilon)>
    HitPoint3D;

IppStatus SetBoundBox(const float* vertices, int vertexCount, float* boundingBox);
IppStatus TriangleRecordSize(int* recordSize);
IppStatus InitTriangleRecords(void* records, const float* vertices, const int32_t* triangles, int triangleCount);
IppStatus BuildKdTree(void** tree, const float* vertices, const int32_t* triangles, int vertexCount,
                      int triangleCount, int* treeSize, const RynKDTreeBuildContext* context);
void FreeKdTree(void* tree);
IppStatus IntersectEye(RynPoint3D eye, float* const directions[3], float* distances, float* const barycentrics[2],
                       int32_t* triangleIndices, const RynRayCastContext* context, IppiSize block);

}  // namespace ryn::raycast
