// Intersections: nearest hits against a double-precision oracle, the surface-area tree against
// the single leaf, and the cases at the edges of the rules.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/raycast/raycast_test_support.h"

namespace ryn::test {
namespace {

constexpr RynPoint3D kOrigin{0.0f, 0.0f, 0.0f};

// One triangle in the plane z = depth around the z axis: A left, B right, C above.
std::vector<float> FacingTriangle(float depth, float half = 1.0f) {
  return {-half, -half, depth, half, -half, depth, 0.0f, half, depth};
}

TEST(Intersect, HitsAFacingTriangleWithItsBarycentrics) {
  TestMesh mesh(FacingTriangle(5.0f), {0, 1, 2, 0}, SimpleBuild());
  RayBlock rays(2, 1, 100.0f);
  rays.Set(0, 0.0f, 0.0f, 1.0f);
  rays.Set(1, 0.0f, 0.0f, 0.5f);  // half as long: twice the distance
  ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
  EXPECT_EQ(rays.triangle[0], 0);
  EXPECT_FLOAT_EQ(rays.distance[0], 5.0f);
  EXPECT_FLOAT_EQ(rays.distance[1], 10.0f);
  // (0, 0) = 0.25 A + 0.25 B + 0.5 C.
  EXPECT_FLOAT_EQ(rays.first[0], 0.25f);
  EXPECT_FLOAT_EQ(rays.second[0], 0.25f);
}

TEST(Intersect, MissesKeepDistanceAndBarycentrics) {
  TestMesh mesh(FacingTriangle(5.0f), {0, 1, 2, 0}, SimpleBuild());
  RayBlock rays(3, 1, 100.0f);
  rays.Set(0, 0.0f, 0.0f, -1.0f);  // away from the triangle
  rays.Set(1, 3.0f, 0.0f, 1.0f);   // beside it
  rays.Set(2, 0.0f, 0.0f, 1.0f);
  rays.distance[2] = 4.9f;  // stops short of it
  ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rays.triangle[i], -1) << i;
    EXPECT_EQ(rays.first[i], -9.0f) << i;
    EXPECT_EQ(rays.second[i], -9.0f) << i;
  }
  EXPECT_EQ(rays.distance[0], 100.0f);
  EXPECT_EQ(rays.distance[2], 4.9f);
}

TEST(Intersect, InitialDistanceZeroPreventsAnyHit) {
  TestMesh mesh(FacingTriangle(5.0f), {0, 1, 2, 0}, SimpleBuild());
  RayBlock rays(1, 1, 0.0f);
  rays.Set(0, 0.0f, 0.0f, 1.0f);
  ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
  EXPECT_EQ(rays.triangle[0], -1);
  EXPECT_EQ(rays.distance[0], 0.0f);
}

TEST(Intersect, NearerOfTwoHitsAndFirstTestedOnTies) {
  std::vector<float> vertices = FacingTriangle(7.0f);
  const std::vector<float> nearer = FacingTriangle(3.0f);
  vertices.insert(vertices.end(), nearer.begin(), nearer.end());
  for (const RynKDTreeBuildContext& build : {SimpleBuild(), SahBuild()}) {
    // Far triangle first in the list: the nearer still wins.
    TestMesh mesh(vertices, {0, 1, 2, 0, 3, 4, 5, 0}, build);
    RayBlock rays(1, 1, 100.0f);
    rays.Set(0, 0.1f, -0.2f, 1.0f);
    ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
    EXPECT_EQ(rays.triangle[0], 1);
    EXPECT_FLOAT_EQ(rays.distance[0], 3.0f);

    // The same triangle twice: the first in the list is kept.
    TestMesh twice(FacingTriangle(4.0f), {0, 1, 2, 0, 0, 1, 2, 0, 2, 0, 1, 0}, build);
    RayBlock again(1, 1, 100.0f);
    again.Set(0, 0.1f, -0.2f, 1.0f);
    ASSERT_EQ(again.Intersect(kOrigin, twice.Context()), ippStsNoErr);
    EXPECT_EQ(again.triangle[0], 0);
  }
}

TEST(Intersect, EdgesAndVerticesCountAsInside) {
  TestMesh mesh(FacingTriangle(2.0f), {0, 1, 2, 0}, SimpleBuild());
  RayBlock rays(3, 1, 100.0f);
  rays.Set(0, 0.0f, -0.5f, 1.0f);   // on edge AB
  rays.Set(1, -0.5f, -0.5f, 1.0f);  // vertex A
  rays.Set(2, 0.0f, 0.5f, 1.0f);    // vertex C
  ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rays.triangle[i], 0) << i;
  EXPECT_FLOAT_EQ(rays.first[1], 1.0f);
  EXPECT_FLOAT_EQ(rays.second[1], 0.0f);
}

TEST(Intersect, BackFacesAndEveryDominantAxisAreHit) {
  // The facing triangle seen from behind, and turned to face the x and y axes.
  const std::vector<float> z = FacingTriangle(5.0f);
  std::vector<float> x, y;
  for (int v = 0; v < 3; ++v) {
    x.insert(x.end(), {z[3 * v + 2], z[3 * v], z[3 * v + 1]});
    y.insert(y.end(), {z[3 * v + 1], z[3 * v + 2], z[3 * v]});
  }
  struct Case {
    std::vector<float> vertices;
    float dx, dy, dz;
  } cases[] = {{z, 0.02f, 0.04f, 1.0f}, {x, 1.0f, 0.02f, 0.04f}, {y, 0.04f, 1.0f, 0.02f}};
  for (const Case& c : cases) {
    TestMesh mesh(c.vertices, {0, 1, 2, 0}, SimpleBuild());
    TestMesh reversed(c.vertices, {2, 1, 0, 0}, SimpleBuild());
    RayBlock rays(1, 1, 100.0f), back(1, 1, 100.0f);
    rays.Set(0, c.dx, c.dy, c.dz);
    back.Set(0, c.dx, c.dy, c.dz);
    ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
    ASSERT_EQ(back.Intersect(kOrigin, reversed.Context()), ippStsNoErr);
    EXPECT_EQ(rays.triangle[0], 0);
    EXPECT_FLOAT_EQ(rays.distance[0], 5.0f);
    // Reversing the corners swaps the first and third weights.
    EXPECT_EQ(back.triangle[0], 0);
    EXPECT_FLOAT_EQ(back.second[0], rays.second[0]);
    EXPECT_NEAR(back.first[0], 1.0f - rays.first[0] - rays.second[0], 1e-6f);
  }
}

TEST(Intersect, RayParallelToABoxFaceIsClippedOnTheOtherAxesOnly) {
  TestMesh mesh(FacingTriangle(5.0f), {0, 1, 2, 0}, SimpleBuild());
  // A box whose x face passes through the eye: a ray without an x component runs inside that face.
  float* box = mesh.MutableBox();
  box[0] = 0.0f;
  RayBlock rays(4, 1, 100.0f);
  rays.Set(0, 0.0f, 0.0f, 1.0f);
  rays.Set(1, -0.0f, 0.1f, 1.0f);
  rays.Set(2, 1e-8f, 0.0f, 1.0f);   // small enough to count as parallel
  rays.Set(3, 0.0f, -0.0f, -1.0f);  // parallel to two faces, leaving through the third
  ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
  EXPECT_EQ(rays.triangle[0], 0);
  EXPECT_EQ(rays.triangle[1], 0);
  EXPECT_EQ(rays.triangle[2], 0);
  EXPECT_EQ(rays.triangle[3], -1);
  EXPECT_FLOAT_EQ(rays.distance[0], 5.0f);
}

TEST(Intersect, DegenerateTrianglesAreSkipped) {
  // Three collinear corners, then one corner three times: both records are zero.
  const std::vector<float> vertices = {-1, 0, 3, 0, 0, 3, 1, 0, 3, 0, 0, 3};
  TestMesh mesh(vertices, {0, 1, 2, 0, 3, 3, 3, 0}, SahBuild());
  RayBlock rays(1, 1, 100.0f);
  rays.Set(0, 0.0f, 0.0f, 1.0f);
  ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
  EXPECT_EQ(rays.triangle[0], -1);
}

// Rays through a random soup from an eye inside it and one outside it.
RayBlock CastAtSoup(const TestMesh& mesh, RynPoint3D eye, uint32_t seed, int width, int height) {
  RayBlock rays(width, height, 1000.0f);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> spread(-1.0f, 1.0f);
  for (size_t i = 0; i < rays.Count(); ++i) rays.Set(i, spread(rng) - 0.3f * eye.x, spread(rng), spread(rng) - 0.3f * eye.z);
  EXPECT_EQ(rays.Intersect(eye, mesh.Context()), ippStsNoErr);
  return rays;
}

TEST(Intersect, NearestHitsAgreeWithADoublePrecisionOracle) {
  std::vector<float> vertices;
  std::vector<int32_t> triangles;
  RandomSoup(11, 300, 4.0f, 0.8f, vertices, triangles);
  TestMesh mesh(vertices, triangles, SahBuild());
  int checked = 0, hits = 0;
  for (RynPoint3D eye : {RynPoint3D{0.1f, -0.2f, 0.3f}, RynPoint3D{0.5f, 0.2f, -9.0f}}) {
    const RayBlock rays = CastAtSoup(mesh, eye, 5, 40, 10);
    const double origin[3] = {eye.x, eye.y, eye.z};
    for (size_t i = 0; i < rays.Count(); ++i) {
      const double d[3] = {rays.x[i], rays.y[i], rays.z[i]};
      const auto expected = OracleNearest(vertices, triangles, origin, d, 1000.0);
      if (!expected) {
        EXPECT_EQ(rays.triangle[i], -1) << i;
        continue;
      }
      ++hits;
      // Only rays whose answer does not hang on rounding: well inside the triangle, clear of the next.
      if (expected->edgeMargin < 1e-3 || expected->secondNearest - expected->distance < 1e-3 * expected->distance) {
        continue;
      }
      ++checked;
      ASSERT_EQ(rays.triangle[i], expected->triangle) << i;
      EXPECT_NEAR(rays.distance[i], expected->distance, 1e-4 * expected->distance) << i;
      EXPECT_NEAR(rays.first[i], expected->first, 1e-4) << i;
      EXPECT_NEAR(rays.second[i], expected->second, 1e-4) << i;
    }
  }
  EXPECT_GT(hits, 300);
  EXPECT_GT(checked, 250);
}

TEST(Intersect, SurfaceAreaTreeGivesTheSingleLeafsHits) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    std::vector<float> vertices;
    std::vector<int32_t> triangles;
    RandomSoup(seed, 300 * seed, 5.0f, 0.2f + 0.4f * seed, vertices, triangles);
    TestMesh single(vertices, triangles, SimpleBuild());
    TestMesh shallow(vertices, triangles, SahBuild(3, 0.0f)), usual(vertices, triangles, SahBuild()),
        deep(vertices, triangles, SahBuild(50, 1.0f));
    for (RynPoint3D eye : {RynPoint3D{0.0f, 0.0f, 0.0f}, RynPoint3D{1.0f, -2.0f, -12.0f}}) {
      const RayBlock expected = CastAtSoup(single, eye, seed, 32, 8);
      EXPECT_TRUE(CastAtSoup(shallow, eye, seed, 32, 8) == expected) << "depth 3";
      EXPECT_TRUE(CastAtSoup(usual, eye, seed, 32, 8) == expected) << "depth 24";
      EXPECT_TRUE(CastAtSoup(deep, eye, seed, 32, 8) == expected) << "depth 50";
    }
  }
}

TEST(Intersect, AxisAlignedGridOfSharedEdges) {
  // A flat grid of unit squares at z = 2, split into triangles whose edges and split planes
  // coincide: rays through grid lines and corners must still find a triangle, whichever tree.
  // (Where two triangles tie, the one tested first is kept, and the trees test in different
  // orders: only the distance and a valid weight are compared.)
  std::vector<float> vertices;
  std::vector<int32_t> triangles;
  const int n = 8;
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) vertices.insert(vertices.end(), {i - n / 2.0f, j - n / 2.0f, 2.0f});
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const int a = j * (n + 1) + i;
      triangles.insert(triangles.end(), {a, a + 1, a + n + 2, 0, a, a + n + 2, a + n + 1, 0});
    }
  }
  for (const RynKDTreeBuildContext& build : {SimpleBuild(), SahBuild()}) {
    TestMesh mesh(vertices, triangles, build);
    RayBlock rays(9, 9, 100.0f);
    for (int j = 0; j < 9; ++j)
      for (int i = 0; i < 9; ++i) rays.Set(static_cast<size_t>(j) * 9 + i, (i - 4) * 0.5f, (j - 4) * 0.5f, 1.0f);
    ASSERT_EQ(rays.Intersect(kOrigin, mesh.Context()), ippStsNoErr);
    for (size_t i = 0; i < rays.Count(); ++i) {
      EXPECT_GE(rays.triangle[i], 0) << i;
      EXPECT_FLOAT_EQ(rays.distance[i], 2.0f) << i;
      EXPECT_GE(rays.first[i], 0.0f) << i;
      EXPECT_GE(rays.second[i], 0.0f) << i;
      EXPECT_LE(rays.first[i] + rays.second[i], 1.0f) << i;
    }
  }
}

TEST(Intersect, NullPointersAndEmptyBlocks) {
  TestMesh mesh(FacingTriangle(5.0f), {0, 1, 2, 0}, SimpleBuild());
  RayBlock rays(1, 1, 100.0f);
  rays.Set(0, 0.0f, 0.0f, 1.0f);
  float* const directions[3] = {rays.x.data(), rays.y.data(), rays.z.data()};
  float* const missingPlane[3] = {rays.x.data(), nullptr, rays.z.data()};
  float* const barycentrics[2] = {rays.first.data(), rays.second.data()};
  const RynRayCastContext context = mesh.Context();
  RynRayCastContext noTree = context;
  noTree.kdTree = nullptr;
  const IppiSize one{1, 1};
  EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, nullptr, rays.distance.data(), barycentrics, rays.triangle.data(),
                                        &context, one),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, missingPlane, rays.distance.data(), barycentrics,
                                        rays.triangle.data(), &context, one),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, directions, nullptr, barycentrics, rays.triangle.data(), &context,
                                        one),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, directions, rays.distance.data(), barycentrics, nullptr, &context,
                                        one),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, directions, rays.distance.data(), barycentrics,
                                        rays.triangle.data(), nullptr, one),
            ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, directions, rays.distance.data(), barycentrics,
                                        rays.triangle.data(), &noTree, one),
            ippStsNullPtrErr);
  EXPECT_EQ(rays.triangle[0], 12345);
  for (IppiSize empty : {IppiSize{0, 1}, IppiSize{1, 0}, IppiSize{-3, -3}}) {
    EXPECT_EQ(fnVCAIPP_IntersectEyeSO_32f(kOrigin, directions, rays.distance.data(), barycentrics,
                                          rays.triangle.data(), &context, empty),
              ippStsNoErr);
  }
  EXPECT_EQ(rays.triangle[0], 12345);
}

}  // namespace
}  // namespace ryn::test
