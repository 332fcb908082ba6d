// Ray casting: a 1080p frame of eye rays in 64 x 64 blocks against a terrain of about 10^5
// triangles through the surface-area-heuristic tree; and one 64 x 64 block through that tree
// against the same block through the single-leaf tree (every ray tests every triangle), as the
// "single leaf" peer.
#include <algorithm>
#include <memory>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"
#include "raycast_scene.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFrame{1920, 1080};
constexpr FrameSize kBlock{kRayBlock, kRayBlock};

std::function<void()> FrameThroughTree(FrameSize s, const RynKDTreeBuildContext& build) {
  auto mesh = Prepare(MakeTerrain(), build);
  const Camera camera(s.width, s.height);
  auto blocks = std::make_shared<std::vector<RayPlanes>>(FrameBlocks(camera, s.width, s.height));
  return [mesh, camera, blocks] {
    for (RayPlanes& block : *blocks) block.Intersect(camera, mesh->Context());
  };
}

// The block at the frame's centre, which sees the middle of the terrain.
std::function<void()> CentreBlockThroughTree(const RynKDTreeBuildContext& build) {
  auto mesh = Prepare(MakeTerrain(), build);
  const Camera camera(kFrame.width, kFrame.height);
  auto block = std::make_shared<RayPlanes>(camera, kFrame.width / 2 / kRayBlock, kFrame.height / 2 / kRayBlock,
                                           IppiSize{kRayBlock, kRayBlock});
  return [mesh, camera, block] { block->Intersect(camera, mesh->Context()); };
}

void RegisterRayCasting() {
  Ours("IntersectEyeSO_32f SAH tree 64x64 blocks", kFrame,
       [](FrameSize s) { return FrameThroughTree(s, SahBuildContext()); });
  Ours("IntersectEyeSO_32f centre block", kBlock, [](FrameSize) { return CentreBlockThroughTree(SahBuildContext()); });
  Peer("single leaf", "IntersectEyeSO_32f centre block", kBlock,
       [](FrameSize) { return CentreBlockThroughTree(SingleLeafContext()); });
  Ours("KDTreeBuildAlloc SAH 99458 triangles", kFrame, [](FrameSize) -> std::function<void()> {
    auto terrain = std::make_shared<Terrain>(MakeTerrain());
    return [terrain] {
      const RynKDTreeBuildContext build = SahBuildContext();
      void* tree = nullptr;
      int size = 0;
      fnVCAIPP_KDTreeBuildAlloc(&tree, terrain->vertices.data(), terrain->triangles.data(), terrain->VertexCount(),
                                terrain->TriangleCount(), &size, &build);
      fnVCAIPP_KDTreeFree(tree);
    };
  });
}

const Registration kRegistration(RegisterRayCasting);

}  // namespace
}  // namespace ryn::bench
