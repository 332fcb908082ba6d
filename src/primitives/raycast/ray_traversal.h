// One ray through the mesh: clipped to the bounding box, then walked front to back through the
// kd-tree, testing each leaf's triangles against the nearest hit so far.
#pragma once

#include <cmath>
#include <cstdint>

#include "primitives/raycast/kd_tree.h"
#include "primitives/raycast/triangle_record.h"

namespace ryn::raycast {

// Direction components this small are taken as parallel to their axis: not clipped, and given
// this inverse so that split distances along them stay finite.
constexpr float kParallelLimit = 1.1920929e-7f;
constexpr float kParallelInverse = 8.388608e8f;
// A split within this distance of the entry or exit sends the ray into both children.
constexpr float kSplitTolerance = 1e-5f;
// Added to the box's exit distance, so that hits on the far faces are not lost to rounding.
constexpr float kExitExtension = 0.0001f;

struct Mesh {
  float low[3];
  float high[3];
  const void* records;
  const KdNode* root;
};

struct RayHit {
  float distance;  // in: the farthest distance that counts
  float first;     // weight of the triangle's first vertex
  float second;    // weight of its second vertex
  int32_t triangle;
};

// Tests one triangle; a hit nearer than hit.distance (and beyond 0) replaces it.
inline void TestTriangle(const TriangleRecord& r, int32_t index, const float eye[3], const float d[3],
                         RayHit& hit) {
  if (r.IsDegenerate()) return;
  const int k = r.DominantAxis(), u = r.FirstOtherAxis(), v = r.SecondOtherAxis();
  const float ou = eye[u] - r.vertexU;
  const float ov = eye[v] - r.vertexV;
  float den, num;
  if (r.IsAxisAligned()) {
    den = d[k];
    num = r.planeOffset - eye[k];
  } else {
    den = d[k] + r.normalU * d[u] + r.normalV * d[v];
    num = r.planeOffset - eye[k] - r.normalU * ou - r.normalV * ov;
  }
  // The hit point relative to the third vertex, times den, in the plane of the other axes; the
  // barycentric weights times den follow without a division.
  const float pu = ou * den + num * d[u];
  const float pv = ov * den + num * d[v];
  const float a = pu * r.edgeBv - pv * r.edgeBu;
  const float b = pv * r.edgeAu - pu * r.edgeAv;
  const float c = den - a - b;
  if (!(a * b >= 0.0f && a * c >= 0.0f && b * c >= 0.0f)) return;
  const float t = num / den;
  if (!(t > 0.0f && t < hit.distance)) return;
  hit = RayHit{t, a / den, b / den, index};
}

inline void TestLeaf(const Mesh& mesh, const KdNode& leaf, const float eye[3], const float d[3], RayHit& hit) {
  const int32_t* triangles = leaf.Triangles();
  const uint32_t count = leaf.TriangleCount();
  for (uint32_t i = 0; i < count; ++i) {
    const int32_t index = triangles[i];
    TestTriangle(LoadRecord(mesh.records, index), index, eye, d, hit);
  }
}

// The ray's distances inside the box, [enter, exit] within [0, hit.distance], and the inverse
// direction; false when the ray misses the box.
inline bool ClipToBox(const Mesh& mesh, const float eye[3], const float d[3], float maximum, float inverse[3],
                      float& enter, float& exit) {
  enter = 0.0f;
  exit = maximum;
  for (int a = 0; a < 3; ++a) {
    if (std::fabs(d[a]) > kParallelLimit) {
      inverse[a] = 1.0f / d[a];
      float near = (mesh.low[a] - eye[a]) * inverse[a];
      float far = (mesh.high[a] - eye[a]) * inverse[a];
      if (near > far) std::swap(near, far);
      if (near > enter) enter = near;
      if (far < exit) exit = far;
    } else {
      inverse[a] = kParallelInverse;
    }
  }
  return enter <= exit;
}

inline void TraceRay(const Mesh& mesh, const float eye[3], const float d[3], RayHit& hit) {
  float inverse[3], enter, exit;
  if (!ClipToBox(mesh, eye, d, hit.distance, inverse, enter, exit)) return;
  exit += kExitExtension;
  struct Pending {
    const KdNode* node;
    float enter;
    float exit;
  } stack[kMaxTreeDepth];
  int pending = 0;
  const KdNode* node = mesh.root;
  for (;;) {
    while (!node->IsLeaf()) {
      const int a = node->SplitAxis();
      const float split = (node->Split() - eye[a]) * inverse[a];
      // The child the ray meets first lies on the side it comes from.
      const KdNode* children = node->Children();
      const KdNode* nearChild = inverse[a] > 0.0f ? children : children + 1;
      const KdNode* farChild = inverse[a] > 0.0f ? children + 1 : children;
      if (enter - split > kSplitTolerance) {
        node = farChild;
      } else if (split - exit > kSplitTolerance) {
        node = nearChild;
      } else {
        // Trees of this library are at most kMaxTreeDepth deep, so the stack cannot be full.
        if (pending < kMaxTreeDepth) stack[pending++] = Pending{farChild, split, exit};
        node = nearChild;
        if (split < exit) exit = split;
      }
    }
    TestLeaf(mesh, *node, eye, d, hit);
    if (pending == 0) return;
    const Pending next = stack[--pending];
    if (!(next.enter < hit.distance)) return;
    node = next.node;
    enter = next.enter;
    exit = next.exit;
  }
}

}  // namespace ryn::raycast
