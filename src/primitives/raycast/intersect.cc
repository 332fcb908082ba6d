#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/raycast/ray_traversal.h"
#include "primitives/raycast/raycast.h"

namespace ryn::raycast {

IppStatus IntersectEye(RynPoint3D eye, float* const directions[3], float* distances, float* const barycentrics[2],
                       int32_t* triangleIndices, const RynRayCastContext* context, IppiSize block) {
  RYN_CHECK(NotNull(directions, distances, barycentrics, triangleIndices, context));
  RYN_CHECK(NotNull(directions[0], directions[1], directions[2], barycentrics[0], barycentrics[1]));
  RYN_CHECK(NotNull(context->boundingBox, context->triangleRecords, context->kdTree));
  if (block.width < 1 || block.height < 1) return ippStsNoErr;
  const float* box = context->boundingBox;
  const Mesh mesh{{box[0], box[1], box[2]},
                  {box[3], box[4], box[5]},
                  context->triangleRecords,
                  static_cast<const KdNode*>(context->kdTree)};
  const float origin[3] = {eye.x, eye.y, eye.z};
  const size_t rays = static_cast<size_t>(block.width) * static_cast<size_t>(block.height);
  for (size_t i = 0; i < rays; ++i) {
    // The planes are caller memory that need not be 4-byte aligned.
    const float d[3] = {LoadUnaligned(directions[0] + i), LoadUnaligned(directions[1] + i),
                        LoadUnaligned(directions[2] + i)};
    RayHit hit{LoadUnaligned(distances + i), 0.0f, 0.0f, -1};
    TraceRay(mesh, origin, d, hit);
    StoreUnaligned(triangleIndices + i, hit.triangle);
    if (hit.triangle >= 0) {
      StoreUnaligned(distances + i, hit.distance);
      StoreUnaligned(barycentrics[0] + i, hit.first);
      StoreUnaligned(barycentrics[1] + i, hit.second);
    }
  }
  return ippStsNoErr;
}

}  // namespace ryn::raycast
