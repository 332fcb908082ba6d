// Meshes, ray blocks and a double-precision oracle for the ray-casting tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"

namespace ryn::test {

inline RynKDTreeBuildContext SimpleBuild() { return RynKDTreeBuildContext{RYN_KDTREE_SIMPLE_BUILD, 0, 0.0f, 0, nullptr}; }
inline RynKDTreeBuildContext SahBuild(int maxDepth = 24, float quality = 0.5f) {
  return RynKDTreeBuildContext{RYN_KDTREE_SAH_BUILD, maxDepth, quality, 32, nullptr};
}

// A mesh with its box, records and tree, made through the exports.
class TestMesh {
 public:
  TestMesh(std::vector<float> vertices, std::vector<int32_t> triangles, const RynKDTreeBuildContext& build)
      : vertices_(std::move(vertices)), triangles_(std::move(triangles)) {
    const int vertexCount = static_cast<int>(vertices_.size() / 3);
    const int triangleCount = TriangleCount();
    EXPECT_EQ(fnVCAIPP_SetBoundBox_32f(vertices_.data(), vertexCount, box_), ippStsNoErr);
    records_.resize(static_cast<size_t>(triangleCount) * 40 + 1);
    EXPECT_EQ(fnVCAIPP_TriangleAccelInit(records_.data(), vertices_.data(), triangles_.data(), triangleCount),
              ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_KDTreeBuildAlloc(&tree_, vertices_.data(), triangles_.data(), vertexCount, triangleCount,
                                        &treeSize_, &build),
              ippStsNoErr);
  }
  ~TestMesh() { fnVCAIPP_KDTreeFree(tree_); }
  TestMesh(const TestMesh&) = delete;
  TestMesh& operator=(const TestMesh&) = delete;

  RynRayCastContext Context() const { return RynRayCastContext{box_, records_.data(), tree_}; }
  const float* Box() const { return box_; }
  float* MutableBox() { return box_; }
  const void* Tree() const { return tree_; }
  int TreeSize() const { return treeSize_; }
  int TriangleCount() const { return static_cast<int>(triangles_.size() / 4); }
  const std::vector<float>& Vertices() const { return vertices_; }
  const std::vector<int32_t>& Triangles() const { return triangles_; }

 private:
  std::vector<float> vertices_;
  std::vector<int32_t> triangles_;
  float box_[6] = {};
  std::vector<uint8_t> records_;
  void* tree_ = nullptr;
  int treeSize_ = 0;
};

// Rays of one block and what an intersection writes.
struct RayBlock {
  int width;
  int height;
  std::vector<float> x, y, z, distance, first, second;
  std::vector<int32_t> triangle;

  RayBlock(int w, int h, float maximum)
      : width(w), height(h), x(Count()), y(Count()), z(Count()), distance(Count(), maximum),
        first(Count(), -9.0f), second(Count(), -9.0f), triangle(Count(), 12345) {}
  size_t Count() const { return static_cast<size_t>(width) * height; }
  void Set(size_t i, float dx, float dy, float dz) {
    x[i] = dx;
    y[i] = dy;
    z[i] = dz;
  }
  IppStatus Intersect(RynPoint3D eye, const RynRayCastContext& context) {
    float* const directions[3] = {x.data(), y.data(), z.data()};
    float* const barycentrics[2] = {first.data(), second.data()};
    return fnVCAIPP_IntersectEyeSO_32f(eye, directions, distance.data(), barycentrics, triangle.data(), &context,
                                       IppiSize{width, height});
  }
  bool operator==(const RayBlock&) const = default;
};

// Independent triangles with corners in [-extent, extent]^3 and edges up to `size`.
inline void RandomSoup(uint32_t seed, int count, float extent, float size, std::vector<float>& vertices,
                       std::vector<int32_t>& triangles) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> centre(-extent, extent), offset(-size, size);
  for (int t = 0; t < count; ++t) {
    const float cx = centre(rng), cy = centre(rng), cz = centre(rng);
    for (int corner = 0; corner < 3; ++corner) {
      triangles.push_back(static_cast<int32_t>(vertices.size() / 3));
      vertices.insert(vertices.end(), {cx + offset(rng), cy + offset(rng), cz + offset(rng)});
    }
    triangles.push_back(-1);  // not read
  }
}

// The nearest hit in double precision (Moller-Trumbore), for rays whose answer is clear.
struct OracleHit {
  int triangle;
  double distance;
  double first;
  double second;
  double secondNearest;  // distance of the next triangle hit
  double edgeMargin;     // smallest barycentric weight of the nearest hit
};

inline std::optional<OracleHit> OracleNearest(const std::vector<float>& v, const std::vector<int32_t>& tri,
                                              const double eye[3], const double d[3], double maximum) {
  std::optional<OracleHit> best;
  double secondBest = maximum;
  for (size_t t = 0; t < tri.size() / 4; ++t) {
    double p[3][3];
    for (int c = 0; c < 3; ++c)
      for (int a = 0; a < 3; ++a) p[c][a] = v[3 * static_cast<size_t>(tri[4 * t + c]) + a];
    double e1[3], e2[3], s[3];
    for (int a = 0; a < 3; ++a) {
      e1[a] = p[1][a] - p[0][a];
      e2[a] = p[2][a] - p[0][a];
      s[a] = eye[a] - p[0][a];
    }
    const double h[3] = {d[1] * e2[2] - d[2] * e2[1], d[2] * e2[0] - d[0] * e2[2], d[0] * e2[1] - d[1] * e2[0]};
    const double det = e1[0] * h[0] + e1[1] * h[1] + e1[2] * h[2];
    if (std::fabs(det) < 1e-12) continue;
    const double wb = (s[0] * h[0] + s[1] * h[1] + s[2] * h[2]) / det;
    const double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2], s[0] * e1[1] - s[1] * e1[0]};
    const double wc = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / det;
    const double wa = 1.0 - wb - wc;
    if (wa < 0 || wb < 0 || wc < 0) continue;
    const double t0 = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
    if (!(t0 > 0 && t0 < maximum)) continue;
    if (!best || t0 < best->distance) {
      if (best) secondBest = best->distance;
      best = OracleHit{static_cast<int>(t), t0, wa, wb, 0.0, std::min({wa, wb, wc})};
    } else if (t0 < secondBest) {
      secondBest = t0;
    }
  }
  if (best) best->secondNearest = secondBest;
  return best;
}

}  // namespace ryn::test
