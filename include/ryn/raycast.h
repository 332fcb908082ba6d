/* Ray casting against triangle meshes. Part of RynRAZUdidazoror.h, which users include. Valid C99
 * and C++.
 *
 * Rays are cast in rectangular blocks of pixels from one eye point. Per-ray data are planes: one
 * float array per coordinate, each holding the block row after row without padding (ray
 * r x block width + c). Typical use: fnVCAIPP_SetBoundBox_32f, triangle records
 * (fnVCAIPP_TriangleAccelGetSize, caller allocates count x size bytes,
 * fnVCAIPP_TriangleAccelInit), fnVCAIPP_KDTreeBuildAlloc; then per block fnVCAIPP_CastEye_32f,
 * fnVCAIPP_IntersectEyeSO_32f, fnVCAIPP_HitPoint3DEpsS0_32f_M; finally fnVCAIPP_KDTreeFree. */
#ifndef RYN_RAYCAST_H
#define RYN_RAYCAST_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct RynPoint3D {
  float x;
  float y;
  float z;
} RynPoint3D;

/* What an intersection needs: the bounding box (xmin, ymin, zmin, xmax, ymax, zmax), the triangle
 * records and the kd-tree, all of the same mesh. */
typedef struct RynRayCastContext {
  const float* boundingBox;
  const void* triangleRecords;
  const void* kdTree;
} RynRayCastContext;

/* Kd-tree build methods. */
#define RYN_KDTREE_SIMPLE_BUILD 0x499d3dc2
#define RYN_KDTREE_SAH_BUILD 0x2d07705b

/* How to build a kd-tree. The simple build (one leaf holding every triangle) reads only `method`
 * and `maxDepth`. The surface-area-heuristic build splits nodes while that lowers the expected
 * cost of a ray, down to `maxDepth` levels (0 to 50), within `memoryLimitMiB` (at least 32)
 * mebibytes of tree; `quality` (0 to 1) trades build time for finer split candidates.
 * `reserved` is not read. */
typedef struct RynKDTreeBuildContext {
  int32_t method;
  int32_t maxDepth;
  float quality;
  int32_t memoryLimitMiB;
  void* reserved;
} RynKDTreeBuildContext;

/* Primary ray directions of one block: direction = origin + columnStep x (c + x0) + rowStep x
 * (r + y0), with x0 = blockColumn x blockSize.width and y0 = blockRow x blockSize.height, for
 * each row r and column c of thisBlockSize (the block clipped at the image's edges). Directions
 * are not normalised. An empty block writes nothing. */
RYN_API IppStatus fnVCAIPP_CastEye_32f(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowStep,
                                       int blockColumn, int blockRow, IppiSize blockSize,
                                       float* const directions[3], IppiSize thisBlockSize);

/* The nearest triangle along each ray of a block. distances holds each ray's maximum distance
 * and receives the hit distance (in units of the direction's length); triangleIndices receives
 * the triangle's index or -1; barycentrics[0] and [1] the weights of the triangle's first and
 * second vertices (the third's is 1 minus both). Rays without a hit keep their distance and
 * barycentrics. Of two hits at the same distance the one tested first is kept. The direction
 * planes are only read. */
RYN_API IppStatus fnVCAIPP_IntersectEyeSO_32f(RynPoint3D eye, float* const directions[3], float* distances,
                                              float* const barycentrics[2], int32_t* triangleIndices,
                                              const RynRayCastContext* context, IppiSize blockSize);

/* hit = eye + direction x epsilon x distance per component where mask >= 0, (0, 0, 0) where
 * mask < 0 (the triangle index of a ray without a hit). */
RYN_API IppStatus fnVCAIPP_HitPoint3DEpsS0_32f_M(RynPoint3D eye, float* const directions[3],
                                                 const float* distances, const int32_t* mask,
                                                 float* const hitPoints[3], int length, float epsilon);

/* The box around the vertices (3 floats each), widened on every side by 0.0001 times its largest
 * absolute coordinate: xmin, ymin, zmin, xmax, ymax, zmax. */
RYN_API IppStatus fnVCAIPP_SetBoundBox_32f(const float* vertices, int vertexCount, float* boundingBox);

/* The size of one triangle record (40 bytes). */
RYN_API IppStatus fnVCAIPP_TriangleAccelGetSize(int* recordSize);

/* One record per triangle (triangles: 4 values each, three vertex indices and one that is not
 * read). Degenerate triangles get an all-zero record, which intersections skip. Vertex indices
 * are not checked. */
RYN_API IppStatus fnVCAIPP_TriangleAccelInit(void* records, const float* vertices, const int32_t* triangles,
                                             int triangleCount);

/* Builds a kd-tree over the triangles in one library block, written to *tree, its byte size to
 * *treeSize. Release it with fnVCAIPP_KDTreeFree. */
RYN_API IppStatus fnVCAIPP_KDTreeBuildAlloc(void** tree, const float* vertices, const int32_t* triangles,
                                            int vertexCount, int triangleCount, int* treeSize,
                                            const RynKDTreeBuildContext* buildContext);
RYN_API void fnVCAIPP_KDTreeFree(void* tree);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_RAYCAST_H */
