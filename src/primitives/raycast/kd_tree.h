// The kd-tree's node encoding, written by the builders and read by the traversal.
//
// A tree is one block of 8-byte nodes, the root first, followed by the leaves' triangle-index
// lists. Interior node: first word bit 31 clear, split axis in bits 0-1, the byte offset from the
// node to its two children (adjacent, lower side first) in the bits above (a multiple of 8);
// second word the split coordinate. Leaf: first word minus the byte offset from the node forward
// to its list of triangle indices (so bit 31 is set); second word the number of indices.
#pragma once

#include <bit>
#include <cstdint>

namespace ryn::raycast {

struct KdNode {
  uint32_t head;
  uint32_t value;

  bool IsLeaf() const { return (head & kLeafFlag) != 0; }
  int SplitAxis() const { return static_cast<int>(head & 3u); }
  float Split() const { return std::bit_cast<float>(value); }
  // The lower child; the upper one follows it.
  const KdNode* Children() const {
    return reinterpret_cast<const KdNode*>(reinterpret_cast<const uint8_t*>(this) + (head & ~7u));
  }
  const int32_t* Triangles() const {
    return reinterpret_cast<const int32_t*>(reinterpret_cast<const uint8_t*>(this) -
                                            static_cast<int64_t>(static_cast<int32_t>(head)));
  }
  uint32_t TriangleCount() const { return value; }

  static KdNode Interior(uint32_t childrenOffset, int axis, float split) {
    return KdNode{childrenOffset | static_cast<uint32_t>(axis), std::bit_cast<uint32_t>(split)};
  }
  static KdNode Leaf(uint32_t listOffset, uint32_t count) { return KdNode{0u - listOffset, count}; }

  static constexpr uint32_t kLeafFlag = 0x80000000u;
};
static_assert(sizeof(KdNode) == 8);

// The deepest tree a build may make; the traversal's stack holds one entry per level.
constexpr int kMaxTreeDepth = 50;

// The single-leaf tree's list follows a 16-byte header: the leaf and two zero words.
constexpr uint32_t kSingleLeafHeaderBytes = 16;

}  // namespace ryn::raycast
