// A ray-casting scene for the benchmarks: rolling terrain of about 10^5 triangles seen from a
// camera above its edge, the sky above the horizon, 1080p rays cast in 64 x 64 blocks.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "RynRAZUdidazoror.h"

namespace ryn::bench {

constexpr int kRayBlock = 64;

struct Terrain {
  std::vector<float> vertices;
  std::vector<int32_t> triangles;
  int VertexCount() const { return static_cast<int>(vertices.size() / 3); }
  int TriangleCount() const { return static_cast<int>(triangles.size() / 4); }
};

// 224 x 224 vertices over [-50, 50]^2: 99458 triangles.
inline Terrain MakeTerrain() {
  constexpr int n = 224;
  Terrain t;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const float x = -50.0f + 100.0f * i / (n - 1), y = -50.0f + 100.0f * j / (n - 1);
      const float z = 2.0f * std::sin(0.3f * x) * std::cos(0.2f * y) + 0.3f * std::sin(1.7f * x + 2.3f * y);
      t.vertices.insert(t.vertices.end(), {x, y, z});
    }
  }
  for (int j = 0; j + 1 < n; ++j) {
    for (int i = 0; i + 1 < n; ++i) {
      const int a = j * n + i;
      t.triangles.insert(t.triangles.end(), {a, a + 1, a + n + 1, 0, a, a + n + 1, a + n, 0});
    }
  }
  return t;
}

// The mesh's box, records and a tree, released together.
struct PreparedMesh {
  float box[6];
  std::vector<uint8_t> records;
  void* tree = nullptr;
  RynRayCastContext Context() const { return RynRayCastContext{box, records.data(), tree}; }
  ~PreparedMesh() { fnVCAIPP_KDTreeFree(tree); }
};

inline std::shared_ptr<PreparedMesh> Prepare(const Terrain& t, const RynKDTreeBuildContext& build) {
  auto mesh = std::make_shared<PreparedMesh>();
  fnVCAIPP_SetBoundBox_32f(t.vertices.data(), t.VertexCount(), mesh->box);
  int recordSize = 0;
  fnVCAIPP_TriangleAccelGetSize(&recordSize);
  mesh->records.resize(size_t(recordSize) * t.TriangleCount());
  fnVCAIPP_TriangleAccelInit(mesh->records.data(), t.vertices.data(), t.triangles.data(), t.TriangleCount());
  int treeSize = 0;
  fnVCAIPP_KDTreeBuildAlloc(&mesh->tree, t.vertices.data(), t.triangles.data(), t.VertexCount(), t.TriangleCount(),
                            &treeSize, &build);
  return mesh;
}

inline RynKDTreeBuildContext SahBuildContext() {
  return RynKDTreeBuildContext{RYN_KDTREE_SAH_BUILD, 30, 0.5f, 256, nullptr};
}
inline RynKDTreeBuildContext SingleLeafContext() {
  return RynKDTreeBuildContext{RYN_KDTREE_SIMPLE_BUILD, 0, 0.0f, 0, nullptr};
}

// A camera at (0, -70, 25) looking at the terrain's centre, 60 degrees across 1920 pixels.
struct Camera {
  RynPoint3D eye{0.0f, -70.0f, 25.0f};
  RynPoint3D origin, columnStep, rowStep;
  Camera(int width, int height) {
    const float f[3] = {0.0f, 70.0f, -25.0f};
    const float length = std::sqrt(f[1] * f[1] + f[2] * f[2]);
    const float forward[3] = {0.0f, f[1] / length, f[2] / length};
    const float right[3] = {1.0f, 0.0f, 0.0f};
    // up = right x forward
    const float up[3] = {0.0f, -forward[2], forward[1]};
    const float pixel = std::tan(0.5236f) / (width / 2.0f);
    columnStep = {pixel * right[0], pixel * right[1], pixel * right[2]};
    rowStep = {-pixel * up[0], -pixel * up[1], -pixel * up[2]};
    origin = {forward[0] - width / 2.0f * columnStep.x - height / 2.0f * rowStep.x,
              forward[1] - width / 2.0f * columnStep.y - height / 2.0f * rowStep.y,
              forward[2] - width / 2.0f * columnStep.z - height / 2.0f * rowStep.z};
  }
};

// The rays of one block and the arrays an intersection writes.
struct RayPlanes {
  IppiSize size;
  std::vector<float> x, y, z, distance, first, second;
  std::vector<int32_t> triangle;
  RayPlanes(const Camera& camera, int blockColumn, int blockRow, IppiSize thisBlock)
      : size(thisBlock) {
    const size_t n = size_t(thisBlock.width) * thisBlock.height;
    x.resize(n), y.resize(n), z.resize(n), distance.resize(n), first.resize(n), second.resize(n), triangle.resize(n);
    float* const planes[3] = {x.data(), y.data(), z.data()};
    fnVCAIPP_CastEye_32f(camera.origin, camera.columnStep, camera.rowStep, blockColumn, blockRow,
                         IppiSize{kRayBlock, kRayBlock}, planes, thisBlock);
  }
  void Intersect(const Camera& camera, const RynRayCastContext& context) {
    std::fill(distance.begin(), distance.end(), 1000.0f);
    float* const directions[3] = {x.data(), y.data(), z.data()};
    float* const barycentrics[2] = {first.data(), second.data()};
    fnVCAIPP_IntersectEyeSO_32f(camera.eye, directions, distance.data(), barycentrics, triangle.data(), &context,
                                size);
  }
};

// Every block of a frame.
inline std::vector<RayPlanes> FrameBlocks(const Camera& camera, int width, int height) {
  std::vector<RayPlanes> blocks;
  for (int by = 0; by * kRayBlock < height; ++by) {
    for (int bx = 0; bx * kRayBlock < width; ++bx) {
      const IppiSize size{std::min(kRayBlock, width - bx * kRayBlock), std::min(kRayBlock, height - by * kRayBlock)};
      blocks.emplace_back(camera, bx, by, size);
    }
  }
  return blocks;
}

}  // namespace ryn::bench
