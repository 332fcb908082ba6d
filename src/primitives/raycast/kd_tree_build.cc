// Kd-tree builds: the single leaf and the surface-area-heuristic tree, in library blocks.
#include <cstring>
#include <limits>

#include "frame/allocator.h"
#include "frame/checks.h"
#include "primitives/raycast/kd_tree.h"
#include "primitives/raycast/raycast.h"
#include "primitives/raycast/sah_builder.h"

namespace ryn::raycast {
namespace {

constexpr int32_t kSimpleBuild = RYN_KDTREE_SIMPLE_BUILD;
constexpr int32_t kSahBuild = RYN_KDTREE_SAH_BUILD;
constexpr int32_t kSmallestMemoryLimitMiB = 32;
constexpr int64_t kLargestBlockBytes = std::numeric_limits<int32_t>::max();

IppStatus NotNegative(int vertexCount, int triangleCount) {
  return vertexCount >= 0 && triangleCount >= 0 ? ippStsNoErr : ippStsSizeErr;
}

IppStatus KnownMethod(int32_t method) {
  return method == kSimpleBuild || method == kSahBuild ? ippStsNoErr : ippStsBadArgErr;
}

IppStatus DepthAndQualityInRange(const RynKDTreeBuildContext& context) {
  if (context.maxDepth < 0 || context.maxDepth > kMaxTreeDepth) return ippStsOutOfRangeErr;
  // Written so that NaN is out of range too.
  if (context.method == kSahBuild && !(context.quality >= 0.0f && context.quality <= 1.0f)) {
    return ippStsOutOfRangeErr;
  }
  return ippStsNoErr;
}

IppStatus MemoryLimitLargeEnough(const RynKDTreeBuildContext& context) {
  return context.method != kSahBuild || context.memoryLimitMiB >= kSmallestMemoryLimitMiB ? ippStsNoErr
                                                                                          : ippStsNoMemErr;
}

// The surface-area build reads the vertices the triangles name.
IppStatus VertexIndicesInRange(const int32_t* triangles, int vertexCount, int triangleCount) {
  for (int64_t i = 0; i < 4 * static_cast<int64_t>(triangleCount); i += 4) {
    for (int corner = 0; corner < 3; ++corner) {
      const int32_t index = triangles[i + corner];
      if (index < 0 || index >= vertexCount) return ippStsOutOfRangeErr;
    }
  }
  return ippStsNoErr;
}

IppStatus Deliver(void* block, int64_t bytes, void** tree, int* treeSize) {
  *tree = block;
  *treeSize = block ? static_cast<int>(bytes) : 0;
  return block ? ippStsNoErr : ippStsNoMemErr;
}

IppStatus BuildSingleLeaf(int triangleCount, void** tree, int* treeSize) {
  const int64_t bytes = kSingleLeafHeaderBytes + 4 * static_cast<int64_t>(triangleCount);
  auto* block = static_cast<uint8_t*>(AllocateBlock(bytes));
  if (block) {
    const KdNode header[2] = {KdNode::Leaf(kSingleLeafHeaderBytes, static_cast<uint32_t>(triangleCount)),
                              KdNode{0, 0}};
    std::memcpy(block, header, sizeof header);
    for (int32_t t = 0; t < triangleCount; ++t) {
      std::memcpy(block + kSingleLeafHeaderBytes + 4 * static_cast<int64_t>(t), &t, sizeof t);
    }
  }
  return Deliver(block, bytes, tree, treeSize);
}

IppStatus BuildSah(const float* vertices, const int32_t* triangles, int triangleCount,
                   const RynKDTreeBuildContext& context, void** tree, int* treeSize) {
  const int64_t limit = static_cast<int64_t>(context.memoryLimitMiB) << 20;
  SahBuilder builder(vertices, triangles, triangleCount,
                     SahSettings{context.maxDepth, BinsForQuality(context.quality),
                                 limit < kLargestBlockBytes ? limit : kLargestBlockBytes});
  if (!builder.Build()) return Deliver(nullptr, 0, tree, treeSize);
  const int64_t bytes = builder.TreeBytes();
  void* block = AllocateBlock(bytes);
  if (block) builder.Write(block);
  return Deliver(block, bytes, tree, treeSize);
}

}  // namespace

IppStatus BuildKdTree(void** tree, const float* vertices, const int32_t* triangles, int vertexCount,
                      int triangleCount, int* treeSize, const RynKDTreeBuildContext* context) {
  RYN_CHECK(NotNull(tree, vertices, triangles, treeSize));
  RYN_CHECK(NotNegative(vertexCount, triangleCount));
  RYN_CHECK(NotNull(context));
  RYN_CHECK(KnownMethod(context->method));
  RYN_CHECK(DepthAndQualityInRange(*context));
  RYN_CHECK(MemoryLimitLargeEnough(*context));
  if (context->method == kSimpleBuild) return BuildSingleLeaf(triangleCount, tree, treeSize);
  RYN_CHECK(VertexIndicesInRange(triangles, vertexCount, triangleCount));
  return BuildSah(vertices, triangles, triangleCount, *context, tree, treeSize);
}

void FreeKdTree(void* tree) { FreeBlock(tree); }

}  // namespace ryn::raycast
