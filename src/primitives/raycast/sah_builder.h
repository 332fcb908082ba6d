// A kd-tree built by the surface-area heuristic: each node is split where the expected cost of a
// ray through it (one traversal step plus the triangles of each child, weighted by the chance
// that a ray through the node meets the child: the ratio of surface areas) is lowest, while that
// is below the cost of testing all its triangles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "primitives/raycast/kd_tree.h"

namespace ryn::raycast {

struct SahSettings {
  int maxDepth;         // levels of interior nodes, 0 to kMaxTreeDepth
  int bins;             // split candidates per axis and node: bins - 1 evenly spaced planes
  int64_t budgetBytes;  // the largest tree block allowed
};

// The split candidates for a quality in [0, 1].
int BinsForQuality(float quality);

class SahBuilder {
 public:
  SahBuilder(const float* vertices, const int32_t* triangles, int triangleCount, SahSettings settings);

  // Builds the tree; false when not even one leaf holding every triangle fits the budget.
  bool Build();
  int64_t TreeBytes() const;
  // Writes the tree (TreeBytes() bytes).
  void Write(void* block) const;

 private:
  struct Box {
    float low[3];
    float high[3];
    double SurfaceArea() const;
  };
  struct Split {
    int axis = -1;
    float position = 0.0f;
    double cost = 0.0;
  };

  void BuildNode(size_t node, const Box& box, std::vector<int32_t> triangles, int depth);
  Split BestSplit(const Box& box, const std::vector<int32_t>& triangles) const;
  void MakeLeaf(size_t node, const std::vector<int32_t>& triangles);

  std::vector<Box> bounds_;  // of each triangle
  SahSettings settings_;
  std::vector<KdNode> nodes_;
  std::vector<int32_t> lists_;
  std::vector<std::pair<size_t, size_t>> leaves_;  // node, start of its list
  int64_t reservedBytes_ = 0;                    // the tree's size if every pending node became a leaf
};

}  // namespace ryn::raycast
