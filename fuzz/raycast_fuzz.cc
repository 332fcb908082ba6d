// Ray casting against triangle meshes: eye rays, bounding boxes, triangle records, kd-trees,
// intersections and hit points.
#include <cstdint>
#include <limits>

#include "fuzz/fuzz_c_shapes.h"
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::InitialOf;
using ryn::fuzz::SpecialFloats;

constexpr int kRecordBytes = 40;

RynPoint3D DecodePoint(FuzzCase& c) {
  const float x = c.in().Float(), y = c.in().Float();
  return RynPoint3D{x, y, c.in().Float()};
}

// Rays of a block: width x height when both are positive, else none.
int64_t RaysOf(IppiSize block) {
  return block.width > 0 && block.height > 0 ? int64_t{block.width} * block.height : 0;
}

// Three planes of `count` floats, in an array of their addresses (which may be null).
float** Planes3(FuzzCase& c, int64_t count, Access access) {
  float* x = c.Vector<float>(count, access);
  float* y = c.Vector<float>(count, access);
  float* z = c.Vector<float>(count, access);
  for (const float* plane : {x, y, z}) SpecialFloats(c, plane);
  return c.Array<float*>({x, y, z});
}

struct Mesh {
  const float* vertices;
  const int32_t* triangles;
  int vertexCount;
  int triangleCount;
};

// Four values per triangle: three vertex indices below vertexCount (the library does not check
// them) and one it does not read.
const int32_t* TriangleIndices(FuzzCase& c, int triangleCount, int vertexCount) {
  const int64_t values = triangleCount > 0 ? 4 * int64_t{triangleCount} : 0;
  const int32_t* triangles = c.Vector<int32_t>(values, Access::kRead);
  int32_t* initial = InitialOf(c, triangles);
  if (initial == nullptr || vertexCount < 1) return triangles;
  for (int64_t i = 0; i < values; ++i) {
    if (i % 4 != 3) initial[i] = static_cast<int32_t>(c.in().Raw<uint16_t>() % vertexCount);
  }
  return triangles;
}

// A mesh of at least one vertex; the counts are those the exports are given.
Mesh DecodeMesh(FuzzCase& c, int triangleCount) {
  Mesh mesh;
  mesh.vertexCount = 1 + c.in().Byte() % 48;
  mesh.triangleCount = triangleCount;
  mesh.vertices = c.Vector<float>(3 * int64_t{mesh.vertexCount}, Access::kRead);
  SpecialFloats(c, mesh.vertices);
  mesh.triangles = TriangleIndices(c, triangleCount, mesh.vertexCount);
  return mesh;
}

// Mostly a valid description of either build, sometimes one the build refuses.
RynKDTreeBuildContext DecodeBuild(FuzzCase& c) {
  RynKDTreeBuildContext build{};
  build.method = c.in().Pick({RYN_KDTREE_SAH_BUILD, RYN_KDTREE_SIMPLE_BUILD, RYN_KDTREE_SAH_BUILD, 0, 12345});
  build.maxDepth = c.in().Code(0, 50);
  build.quality = c.in().Flag(4) ? c.in().Float() : static_cast<float>(c.in().Byte() % 5) / 4.0f;
  build.memoryLimitMiB = c.in().Pick({32, 64, 1024, 32, 31, 0, -1});
  build.reserved = nullptr;
  return build;
}

void* BuildTree(const Mesh& mesh, const RynKDTreeBuildContext& build) {
  void* tree = nullptr;
  int size = 0;
  if (fnVCAIPP_KDTreeBuildAlloc(&tree, mesh.vertices, mesh.triangles, mesh.vertexCount, mesh.triangleCount, &size,
                                &build) != ippStsNoErr) {
    return nullptr;
  }
  return tree;
}

void FreeTree(void** tree) {
  if (*tree != nullptr) fnVCAIPP_KDTreeFree(*tree);
  *tree = nullptr;
}

}  // namespace

RYN_FUZZ(fnVCAIPP_CastEye_32f) {
  const RynPoint3D origin = DecodePoint(c);
  const RynPoint3D columnStep = DecodePoint(c);
  const RynPoint3D rowStep = DecodePoint(c);
  const int blockColumn = c.in().Code(0, 64);
  const int blockRow = c.in().Code(0, 64);
  const IppiSize blockSize = c.in().Region();
  // Mostly the block clipped at the image's edge, sometimes any size.
  IppiSize thisBlock = c.in().Region();
  if (!c.in().Flag(4) && blockSize.width > 0 && blockSize.height > 0) {
    thisBlock = IppiSize{1 + c.in().Byte() % blockSize.width, 1 + c.in().Byte() % blockSize.height};
  }
  float* const* directions = Planes3(c, RaysOf(thisBlock), Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_CastEye_32f(origin, columnStep, rowStep, blockColumn, blockRow, blockSize, directions, thisBlock);
  });
}

RYN_FUZZ(fnVCAIPP_HitPoint3DEpsS0_32f_M) {
  const RynPoint3D eye = DecodePoint(c);
  const int length = c.in().Size();
  const float epsilon = c.in().Float();
  const int64_t count = length > 0 ? length : 0;
  float* const* directions = Planes3(c, count, Access::kRead);
  const float* distances = c.Vector<float>(count, Access::kRead);
  const int32_t* mask = c.Vector<int32_t>(count, Access::kRead);
  SpecialFloats(c, distances);
  float* const* hits = Planes3(c, count, Access::kWrite);
  c.Call([=] { return fnVCAIPP_HitPoint3DEpsS0_32f_M(eye, directions, distances, mask, hits, length, epsilon); });
}

RYN_FUZZ(fnVCAIPP_SetBoundBox_32f) {
  const int vertexCount = c.in().Size();
  const float* vertices = c.Vector<float>(3 * int64_t{vertexCount}, Access::kRead);
  float* box = c.Vector<float>(6, Access::kWrite);
  SpecialFloats(c, vertices);
  c.Call([=] { return fnVCAIPP_SetBoundBox_32f(vertices, vertexCount, box); });
}

RYN_FUZZ(fnVCAIPP_TriangleAccelGetSize) {
  int* size = c.Out<int>();
  c.Call([=] { return fnVCAIPP_TriangleAccelGetSize(size); });
}

RYN_FUZZ(fnVCAIPP_TriangleAccelInit) {
  const int triangleCount = c.in().Size();
  const Mesh mesh = DecodeMesh(c, triangleCount);
  const int64_t recordBytes = triangleCount > 0 ? int64_t{triangleCount} * kRecordBytes : 0;
  uint8_t* records = c.Vector<uint8_t>(recordBytes, Access::kWrite);
  c.Call([=] { return fnVCAIPP_TriangleAccelInit(records, mesh.vertices, mesh.triangles, triangleCount); });
}

RYN_FUZZ(fnVCAIPP_KDTreeBuildAlloc) {
  const int triangleCount = c.in().Code(0, 64);
  const Mesh mesh = DecodeMesh(c, triangleCount);
  const int vertexCount = c.in().Flag(16) ? c.in().Pick({0, -1, std::numeric_limits<int>::min()}) : mesh.vertexCount;
  const RynKDTreeBuildContext decoded = DecodeBuild(c);
  const RynKDTreeBuildContext* build = c.Array<RynKDTreeBuildContext>({decoded});
  int* treeSize = c.Out<int>();
  void** tree = c.Keep<void*>(nullptr);
  void** out = c.in().Flag(48) ? nullptr : tree;
  // The surface-area build of the millions of triangles a far count names takes too long.
  if (decoded.method == RYN_KDTREE_SAH_BUILD && triangleCount > 4096) return c.Skip();
  c.Call([=] {
    return fnVCAIPP_KDTreeBuildAlloc(out, mesh.vertices, mesh.triangles, vertexCount, triangleCount, treeSize, build);
  });
  c.Teardown([=] { FreeTree(tree); });
}

RYN_FUZZ(fnVCAIPP_KDTreeFree) {
  const Mesh mesh = DecodeMesh(c, c.in().Code(0, 32));
  const RynKDTreeBuildContext build = DecodeBuild(c);
  const bool passNull = c.in().Flag(8);
  void** tree = c.Keep<void*>(nullptr);
  c.Setup([=] { *tree = BuildTree(mesh, build); });
  c.Teardown([=] { FreeTree(tree); });
  c.ResultIsNotStatus();
  c.Call([=] {
    fnVCAIPP_KDTreeFree(passNull ? nullptr : *tree);
    if (!passNull) *tree = nullptr;
    return int64_t{0};
  });
}

RYN_FUZZ(fnVCAIPP_IntersectEyeSO_32f) {
  const Mesh mesh = DecodeMesh(c, c.in().Code(0, 32));
  const RynKDTreeBuildContext build = DecodeBuild(c);
  // The box and records of the mesh, built here as a caller would before casting.
  float* box = c.Vector<float>(6, Access::kRead);
  uint8_t* records = c.Vector<uint8_t>(int64_t{mesh.triangleCount} * kRecordBytes, Access::kRead);
  const float* vertices = InitialOf(c, mesh.vertices);
  if (InitialOf(c, box) != nullptr) fnVCAIPP_SetBoundBox_32f(vertices, mesh.vertexCount, InitialOf(c, box));
  if (InitialOf(c, records) != nullptr) {
    fnVCAIPP_TriangleAccelInit(InitialOf(c, records), vertices, InitialOf(c, mesh.triangles), mesh.triangleCount);
  }
  const RynPoint3D eye = DecodePoint(c);
  const IppiSize block = c.in().Region();
  const int64_t rays = RaysOf(block);
  float* const* directions = Planes3(c, rays, Access::kRead);
  float* distances = c.Vector<float>(rays, Access::kWrite);
  SpecialFloats(c, distances);
  float* barycentricU = c.Vector<float>(rays, Access::kWrite);
  float* barycentricV = c.Vector<float>(rays, Access::kWrite);
  float* const* barycentrics = c.Array<float*>({barycentricU, barycentricV});
  int32_t* indices = c.Vector<int32_t>(rays, Access::kWrite);
  const bool passNull = c.in().Flag(48);
  RynRayCastContext* context = c.Keep(RynRayCastContext{box, records, nullptr});
  // The tree the context names is built afresh for each run and released after it.
  c.Setup([=] { context->kdTree = BuildTree(mesh, build); });
  c.Teardown([=] {
    void* tree = const_cast<void*>(context->kdTree);
    FreeTree(&tree);
    context->kdTree = nullptr;
  });
  c.Call([=] {
    return fnVCAIPP_IntersectEyeSO_32f(eye, directions, distances, barycentrics, indices, passNull ? nullptr : context,
                                       block);
  });
}
