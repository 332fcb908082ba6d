// Bounding boxes, triangle records and kd-tree builds.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/raycast/kd_tree.h"
#include "primitives/raycast/raycast_test_support.h"
#include "primitives/raycast/triangle_record.h"

namespace ryn::test {
namespace {

using raycast::KdNode;
using raycast::TriangleRecord;

TEST(BoundBox, WidenedByATenThousandthOfTheLargestCoordinate) {
  const float vertices[] = {1.0f, -2.0f, 3.0f, -4.0f, 5.0f, 0.5f, 0.0f, 0.0f, 1.0f};
  float box[7];
  box[6] = 99.0f;
  ASSERT_EQ(fnVCAIPP_SetBoundBox_32f(vertices, 3, box), ippStsNoErr);
  const float m = 0.0001f * 5.0f;
  const float expected[6] = {-4.0f - m, -2.0f - m, 0.5f - m, 1.0f + m, 5.0f + m, 3.0f + m};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(box[i], expected[i]) << i;
  EXPECT_EQ(box[6], 99.0f);
}

TEST(BoundBox, SingleVertexAtTheOriginGetsTheSmallestMargin) {
  const float origin[3] = {0.0f, 0.0f, 0.0f};
  float box[6];
  ASSERT_EQ(fnVCAIPP_SetBoundBox_32f(origin, 1, box), ippStsNoErr);
  const float half = 0.0001f * 1.1754944e-38f;
  EXPECT_GT(half, 0.0f);
  for (int a = 0; a < 3; ++a) {
    EXPECT_EQ(box[a], -half);
    EXPECT_EQ(box[3 + a], half);
  }
}

TEST(BoundBox, Checks) {
  const float vertex[3] = {1, 2, 3};
  float box[6] = {7, 7, 7, 7, 7, 7};
  EXPECT_EQ(fnVCAIPP_SetBoundBox_32f(nullptr, 1, box), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_SetBoundBox_32f(vertex, 1, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_SetBoundBox_32f(vertex, 0, box), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_SetBoundBox_32f(vertex, -1, box), ippStsSizeErr);
  for (float v : box) EXPECT_EQ(v, 7.0f);
}

TEST(TriangleRecords, SizeIsForty) {
  int size = 0;
  EXPECT_EQ(fnVCAIPP_TriangleAccelGetSize(&size), ippStsNoErr);
  EXPECT_EQ(size, 40);
  EXPECT_EQ(fnVCAIPP_TriangleAccelGetSize(nullptr), ippStsNullPtrErr);
}

// Records written one byte past an aligned address, as caller memory may be.
std::vector<TriangleRecord> Records(const std::vector<float>& vertices, const std::vector<int32_t>& triangles) {
  const int count = static_cast<int>(triangles.size() / 4);
  std::vector<uint8_t> bytes(40 * static_cast<size_t>(count) + 2, 0xAB);
  EXPECT_EQ(fnVCAIPP_TriangleAccelInit(bytes.data() + 1, vertices.data(), triangles.data(), count), ippStsNoErr);
  EXPECT_EQ(bytes[0], 0xAB);
  EXPECT_EQ(bytes.back(), 0xAB);
  std::vector<TriangleRecord> records(static_cast<size_t>(count));
  std::memcpy(records.data(), bytes.data() + 1, 40 * records.size());
  return records;
}

TEST(TriangleRecords, GeneralTriangle) {
  // A - C = (-1, -3, 1), B - C = (2, -5, -1), N = (8, 1, 11): z dominant, then x and y.
  const auto r = Records({1, 2, 3, 4, 0, 1, 2, 5, 2}, {0, 1, 2, 77})[0];
  EXPECT_EQ(r.axes, 0x21u);
  EXPECT_EQ(r.normalU, static_cast<float>(8.0 / 11.0));
  EXPECT_EQ(r.planeOffset, 2.0f);
  EXPECT_EQ(r.normalV, static_cast<float>(1.0 / 11.0));
  EXPECT_EQ(r.vertexU, 2.0f);
  EXPECT_EQ(r.vertexV, 5.0f);
  EXPECT_EQ(r.edgeBu, static_cast<float>(2.0 * (1.0 / 11.0)));
  EXPECT_EQ(r.edgeBv, static_cast<float>(-5.0 * (1.0 / 11.0)));
  EXPECT_EQ(r.edgeAu, static_cast<float>(-1.0 * (1.0 / 11.0)));
  EXPECT_EQ(r.edgeAv, static_cast<float>(-3.0 * (1.0 / 11.0)));
}

TEST(TriangleRecords, YDominantFlipsTheScaleAndAxisAlignedPlanesAreFlagged) {
  // In the plane y = 0: N = (0, -1, 0), s = -1 / -1.
  const auto r = Records({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2, 0})[0];
  EXPECT_EQ(r.axes, 0x80000000u | 0x12u);
  EXPECT_EQ(r.normalU, 0.0f);
  EXPECT_EQ(r.normalV, 0.0f);
  EXPECT_EQ(r.vertexV, 1.0f);
  EXPECT_EQ(r.edgeBu, 1.0f);
  EXPECT_EQ(r.edgeBv, -1.0f);
  EXPECT_EQ(r.edgeAu, 0.0f);
  EXPECT_EQ(r.edgeAv, -1.0f);
}

TEST(TriangleRecords, TiesGoToTheLowerAxisAndDegenerateTrianglesAreZero) {
  // N = (-1, -1, 0): x and y tie, x wins.
  const auto records = Records({0, 0, 0, 1, -1, 0, 0, 0, 1, 5, 5, 5}, {0, 1, 2, 0, 3, 3, 3, 0, 0, 1, 1, 0});
  EXPECT_EQ(records[0].axes, 0x06u);
  EXPECT_EQ(records[0].normalU, 1.0f);
  for (int t = 1; t < 3; ++t) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&records[t]);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(bytes[i], 0) << t << " byte " << i;
  }
}

TEST(TriangleRecords, CountBelowOneWritesNothingAndNullsAreRefused) {
  uint8_t record[40];
  std::memset(record, 0xAB, sizeof record);
  const float vertices[9] = {};
  const int32_t triangles[4] = {};
  EXPECT_EQ(fnVCAIPP_TriangleAccelInit(nullptr, nullptr, nullptr, 0), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_TriangleAccelInit(record, vertices, triangles, -5), ippStsNoErr);
  EXPECT_EQ(fnVCAIPP_TriangleAccelInit(nullptr, vertices, triangles, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_TriangleAccelInit(record, nullptr, triangles, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_TriangleAccelInit(record, vertices, nullptr, 1), ippStsNullPtrErr);
  for (uint8_t b : record) EXPECT_EQ(b, 0xAB);
}

TEST(KdTree, SimpleBuildIsOneLeafAfterASixteenByteHeader) {
  const float vertices[9] = {};
  const int32_t triangles[12] = {};
  void* tree = nullptr;
  int size = 0;
  const RynKDTreeBuildContext build = SimpleBuild();
  ASSERT_EQ(fnVCAIPP_KDTreeBuildAlloc(&tree, vertices, triangles, 3, 3, &size, &build), ippStsNoErr);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(tree) % 32, 0u);
  EXPECT_EQ(size, 28);
  int32_t words[7];
  std::memcpy(words, tree, sizeof words);
  EXPECT_EQ(words[0], -16);
  EXPECT_EQ(words[1], 3);
  EXPECT_EQ(words[2], 0);
  EXPECT_EQ(words[3], 0);
  EXPECT_EQ(words[4], 0);
  EXPECT_EQ(words[5], 1);
  EXPECT_EQ(words[6], 2);
  fnVCAIPP_KDTreeFree(tree);
  fnVCAIPP_KDTreeFree(nullptr);
}

TEST(KdTree, BuildChecksInOrderWritingNothing) {
  const float vertices[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const int32_t triangles[4] = {0, 1, 2, 0};
  const int32_t outOfRange[4] = {0, 1, 3, 0};
  void* const sentinelTree = reinterpret_cast<void*>(uintptr_t{0x1234});
  struct Case {
    const char* what;
    bool nullTree, nullVertices, nullTriangles, nullSize, nullContext;
    int vertexCount, triangleCount;
    RynKDTreeBuildContext context;
    const int32_t* indices;
    IppStatus expected;
  };
  const RynKDTreeBuildContext unknown{0x1234567, 99, -1.0f, 0, nullptr};
  const RynKDTreeBuildContext simpleDeep{RYN_KDTREE_SIMPLE_BUILD, 51, 0.0f, 0, nullptr};
  const RynKDTreeBuildContext simpleNegative{RYN_KDTREE_SIMPLE_BUILD, -1, 0.0f, 0, nullptr};
  const RynKDTreeBuildContext sahDeep{RYN_KDTREE_SAH_BUILD, 51, 0.5f, 32, nullptr};
  const RynKDTreeBuildContext badQuality{RYN_KDTREE_SAH_BUILD, 10, 1.5f, 0, nullptr};
  const RynKDTreeBuildContext nanQuality{RYN_KDTREE_SAH_BUILD, 10, std::nanf(""), 32, nullptr};
  const RynKDTreeBuildContext littleMemory{RYN_KDTREE_SAH_BUILD, 10, 1.0f, 31, nullptr};
  const RynKDTreeBuildContext sah = SahBuild();
  const Case cases[] = {
      {"null tree first", true, true, true, true, true, -1, -1, unknown, triangles, ippStsNullPtrErr},
      {"null vertices", false, true, false, false, true, -1, -1, unknown, triangles, ippStsNullPtrErr},
      {"null triangles", false, false, true, false, true, -1, -1, unknown, triangles, ippStsNullPtrErr},
      {"null size", false, false, false, true, true, -1, -1, unknown, triangles, ippStsNullPtrErr},
      {"negative vertex count before the context", false, false, false, false, true, -1, 1, unknown, triangles,
       ippStsSizeErr},
      {"negative triangle count", false, false, false, false, true, 3, -1, unknown, triangles, ippStsSizeErr},
      {"null context", false, false, false, false, true, 3, 1, unknown, triangles, ippStsNullPtrErr},
      {"unknown method before the depth", false, false, false, false, false, 3, 1, unknown, triangles,
       ippStsBadArgErr},
      {"simple depth 51", false, false, false, false, false, 3, 1, simpleDeep, triangles, ippStsOutOfRangeErr},
      {"simple depth -1", false, false, false, false, false, 3, 1, simpleNegative, triangles, ippStsOutOfRangeErr},
      {"surface-area depth 51", false, false, false, false, false, 3, 1, sahDeep, triangles, ippStsOutOfRangeErr},
      {"quality before memory", false, false, false, false, false, 3, 1, badQuality, triangles,
       ippStsOutOfRangeErr},
      {"NaN quality", false, false, false, false, false, 3, 1, nanQuality, triangles, ippStsOutOfRangeErr},
      {"memory below 32 MiB", false, false, false, false, false, 3, 1, littleMemory, triangles, ippStsNoMemErr},
      {"vertex index past the count", false, false, false, false, false, 3, 1, sah, outOfRange,
       ippStsOutOfRangeErr},
      {"vertex count 0", false, false, false, false, false, 0, 1, sah, triangles, ippStsOutOfRangeErr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    void* tree = sentinelTree;
    int size = -77;
    EXPECT_EQ(fnVCAIPP_KDTreeBuildAlloc(c.nullTree ? nullptr : &tree, c.nullVertices ? nullptr : vertices,
                                        c.nullTriangles ? nullptr : c.indices, c.vertexCount, c.triangleCount,
                                        c.nullSize ? nullptr : &size, c.nullContext ? nullptr : &c.context),
              c.expected);
    EXPECT_EQ(tree, sentinelTree);
    EXPECT_EQ(size, -77);
  }
}

// Walks a tree, checking its encoding, and returns its depth; collects the listed triangles.
int CheckSubtree(const KdNode* node, const uint8_t* begin, const uint8_t* end, int triangleCount,
                 std::set<int>& listed) {
  const auto* at = reinterpret_cast<const uint8_t*>(node);
  EXPECT_TRUE(at >= begin && at + sizeof(KdNode) <= end);
  if (node->IsLeaf()) {
    const auto* list = reinterpret_cast<const uint8_t*>(node->Triangles());
    EXPECT_TRUE(list > at && list + 4 * static_cast<size_t>(node->TriangleCount()) <= end);
    for (uint32_t i = 0; i < node->TriangleCount(); ++i) {
      const int t = node->Triangles()[i];
      EXPECT_TRUE(t >= 0 && t < triangleCount) << t;
      listed.insert(t);
    }
    return 0;
  }
  EXPECT_LT(node->SplitAxis(), 3);
  EXPECT_TRUE(std::isfinite(node->Split()));
  const KdNode* children = node->Children();
  EXPECT_GT(reinterpret_cast<const uint8_t*>(children), at);
  const int lower = CheckSubtree(children, begin, end, triangleCount, listed);
  const int upper = CheckSubtree(children + 1, begin, end, triangleCount, listed);
  return 1 + std::max(lower, upper);
}

TEST(KdTree, SurfaceAreaTreesStayWithinTheirDepthAndListEveryTriangle) {
  std::vector<float> vertices;
  std::vector<int32_t> triangles;
  RandomSoup(7, 2000, 10.0f, 0.5f, vertices, triangles);
  for (int depth : {0, 1, 4, 12, 50}) {
    SCOPED_TRACE(depth);
    TestMesh mesh(vertices, triangles, SahBuild(depth, 0.7f));
    const auto* begin = static_cast<const uint8_t*>(mesh.Tree());
    std::set<int> listed;
    const int reached = CheckSubtree(static_cast<const KdNode*>(mesh.Tree()), begin, begin + mesh.TreeSize(),
                                     mesh.TriangleCount(), listed);
    EXPECT_LE(reached, depth);
    if (depth >= 4) {
      EXPECT_GE(reached, 4);  // the soup is worth splitting
    }
    EXPECT_EQ(listed.size(), static_cast<size_t>(mesh.TriangleCount()));
    if (depth == 0) {
      EXPECT_EQ(mesh.TreeSize(), 8 + 4 * mesh.TriangleCount());
    }
  }
}

TEST(KdTree, EmptyMeshesBuildAndMissEverything) {
  const float vertex[3] = {0, 0, 0};
  const int32_t none[4] = {};
  for (const RynKDTreeBuildContext& build : {SimpleBuild(), SahBuild()}) {
    void* tree = nullptr;
    int size = 0;
    ASSERT_EQ(fnVCAIPP_KDTreeBuildAlloc(&tree, vertex, none, 1, 0, &size, &build), ippStsNoErr);
    ASSERT_NE(tree, nullptr);
    float box[6] = {-1, -1, -1, 1, 1, 1};
    const uint8_t records[40] = {};
    const RynRayCastContext context{box, records, tree};
    RayBlock rays(1, 1, 10.0f);
    rays.Set(0, 0.3f, 0.2f, 1.0f);
    EXPECT_EQ(rays.Intersect(RynPoint3D{0, 0, 0}, context), ippStsNoErr);
    EXPECT_EQ(rays.triangle[0], -1);
    fnVCAIPP_KDTreeFree(tree);
  }
}

}  // namespace
}  // namespace ryn::test
