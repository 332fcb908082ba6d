// Ray casting: a 1080p frame of eye rays in 64 x 64 blocks against a terrain of about 10^5
// triangles through the surface-area-heuristic tree; and one 64 x 64 block through that tree
// against the same block through the single-leaf tree (every ray tests every triangle), as the
// "single leaf" peer. The eye rays and hit points of a 1080p frame (as one block) with the output
// planes at offsets past a 64-byte boundary; hit points against the same arithmetic in OpenCV.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <opencv2/core.hpp>
#include <random>

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

int64_t Rays(FrameSize s) { return int64_t{s.width} * s.height; }
// Three direction planes written.
int64_t EyeRayBytes(FrameSize s) { return Rays(s) * 12; }
// Three direction planes, distances and mask read, three hit-point planes written.
int64_t HitPointBytes(FrameSize s) { return Rays(s) * 32; }

float* FloatsOf(const OffsetBuffer& buffer) { return reinterpret_cast<float*>(buffer.data); }

struct Planes3 {
  OffsetBuffer x, y, z;
  Planes3(size_t count, int offset) : x(BufferAt(count * 4, offset)), y(BufferAt(count * 4, offset)),
                                      z(BufferAt(count * 4, offset)) {}
};

// Directions, distances and a mask (a ray in seven misses) as the intersection leaves them.
struct HitInputs {
  std::vector<float> dx, dy, dz, distance;
  std::vector<int32_t> mask;
  explicit HitInputs(size_t n) : dx(n), dy(n), dz(n), distance(n), mask(n) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f), far(1.0f, 50.0f);
    for (size_t i = 0; i < n; ++i) {
      dx[i] = unit(rng), dy[i] = unit(rng), dz[i] = 0.5f + 0.5f * unit(rng), distance[i] = far(rng);
      mask[i] = i % 7 == 0 ? -1 : static_cast<int32_t>(i);
    }
  }
};

constexpr RynPoint3D kEye{0.0f, 1.0f, 2.0f};
constexpr float kEpsilon = 0.999f;

void RegisterRaysAndHitPoints() {
  for (int offset : {0, 16}) {
    Ours(AtOffset("CastEye_32f", offset), kFrame, [offset](FrameSize s) -> std::function<void()> {
      auto planes = std::make_shared<Planes3>(size_t(Rays(s)), offset);
      const Camera camera(s.width, s.height);
      return [planes, camera, s] {
        float* const out[3] = {FloatsOf(planes->x), FloatsOf(planes->y), FloatsOf(planes->z)};
        fnVCAIPP_CastEye_32f(camera.origin, camera.columnStep, camera.rowStep, 0, 0, IppiSize{s.width, s.height}, out,
                             IppiSize{s.width, s.height});
      };
    }, EyeRayBytes);
    Ours(AtOffset("HitPoint3DEpsS0_32f_M", offset), kFrame, [offset](FrameSize s) -> std::function<void()> {
      auto in = std::make_shared<HitInputs>(size_t(Rays(s)));
      auto planes = std::make_shared<Planes3>(size_t(Rays(s)), offset);
      return [in, planes, s] {
        float* const directions[3] = {in->dx.data(), in->dy.data(), in->dz.data()};
        float* const out[3] = {FloatsOf(planes->x), FloatsOf(planes->y), FloatsOf(planes->z)};
        fnVCAIPP_HitPoint3DEpsS0_32f_M(kEye, directions, in->distance.data(), in->mask.data(), out,
                                       static_cast<int>(Rays(s)), kEpsilon);
      };
    }, HitPointBytes);
  }
  // The same per-plane arithmetic and masking with OpenCV's element-wise operations.
  Peer("OpenCV multiply+add+setTo", "HitPoint3DEpsS0_32f_M offset 0", kFrame, [](FrameSize s) -> std::function<void()> {
    cv::setNumThreads(1);
    auto in = std::make_shared<HitInputs>(size_t(Rays(s)));
    const int n = static_cast<int>(Rays(s));
    return [in, n, out = std::make_shared<std::array<cv::Mat, 3>>(), misses = std::make_shared<cv::Mat>()] {
      const cv::Mat distance(1, n, CV_32F, in->distance.data()), mask(1, n, CV_32S, in->mask.data());
      cv::compare(mask, 0, *misses, cv::CMP_LT);
      float* const directions[3] = {in->dx.data(), in->dy.data(), in->dz.data()};
      const float eye[3] = {kEye.x, kEye.y, kEye.z};
      for (int a = 0; a < 3; ++a) {
        cv::multiply(cv::Mat(1, n, CV_32F, directions[a]), distance, (*out)[a], kEpsilon);
        cv::add((*out)[a], eye[a], (*out)[a]);
        (*out)[a].setTo(0.0f, *misses);
      }
    };
  }, HitPointBytes);
}

void RegisterRayCasting() {
  RegisterRaysAndHitPoints();
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
