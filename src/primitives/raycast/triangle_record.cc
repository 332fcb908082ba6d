#include "primitives/raycast/triangle_record.h"

#include <cfloat>
#include <cmath>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/raycast/raycast.h"

namespace ryn::raycast {
namespace {

struct Vector3d {
  double v[3];
};

Vector3d Difference(const float* p, const float* q) {
  return {{static_cast<double>(p[0]) - q[0], static_cast<double>(p[1]) - q[1], static_cast<double>(p[2]) - q[2]}};
}

Vector3d Cross(const Vector3d& a, const Vector3d& b) {
  return {{a.v[1] * b.v[2] - a.v[2] * b.v[1], a.v[2] * b.v[0] - a.v[0] * b.v[2], a.v[0] * b.v[1] - a.v[1] * b.v[0]}};
}

// The axis of the largest absolute component, the lower one on ties.
int DominantAxis(const Vector3d& n) {
  int k = 0;
  for (int a = 1; a < 3; ++a) {
    if (std::fabs(n.v[a]) > std::fabs(n.v[k])) k = a;
  }
  return k;
}

}  // namespace

TriangleRecord MakeTriangleRecord(const float* a, const float* b, const float* c) {
  const Vector3d ac = Difference(a, c);
  const Vector3d bc = Difference(b, c);
  const Vector3d n = Cross(ac, bc);
  const int k = DominantAxis(n);
  TriangleRecord record{};
  if (n.v[k] == 0.0) return record;
  const int u = k == 0 ? 1 : 0;
  const int v = k == 2 ? 1 : 2;
  const double sigma = k == 1 ? -1.0 : 1.0;
  const double s = sigma / n.v[k];
  record.axes = static_cast<uint32_t>(k << 4 | u << 2 | v);
  if (std::fabs(n.v[u]) < DBL_EPSILON && std::fabs(n.v[v]) < DBL_EPSILON) record.axes |= TriangleRecord::kAxisAlignedFlag;
  record.normalU = static_cast<float>(n.v[u] / n.v[k]);
  record.planeOffset = c[k];
  record.normalV = static_cast<float>(n.v[v] / n.v[k]);
  record.vertexU = c[u];
  record.vertexV = c[v];
  record.edgeBu = static_cast<float>(bc.v[u] * s);
  record.edgeBv = static_cast<float>(bc.v[v] * s);
  record.edgeAu = static_cast<float>(ac.v[u] * s);
  record.edgeAv = static_cast<float>(ac.v[v] * s);
  return record;
}

IppStatus TriangleRecordSize(int* recordSize) {
  RYN_CHECK(NotNull(recordSize));
  *recordSize = static_cast<int>(sizeof(TriangleRecord));
  return ippStsNoErr;
}

IppStatus InitTriangleRecords(void* records, const float* vertices, const int32_t* triangles, int triangleCount) {
  if (triangleCount < 1) return ippStsNoErr;
  RYN_CHECK(NotNull(records, vertices, triangles));
  auto* out = static_cast<uint8_t*>(records);
  for (int64_t t = 0; t < triangleCount; ++t) {
    const int32_t* corners = triangles + 4 * t;
    const TriangleRecord record = MakeTriangleRecord(vertices + 3 * static_cast<int64_t>(corners[0]),
                                                     vertices + 3 * static_cast<int64_t>(corners[1]),
                                                     vertices + 3 * static_cast<int64_t>(corners[2]));
    std::memcpy(out + t * static_cast<int64_t>(sizeof record), &record, sizeof record);
  }
  return ippStsNoErr;
}

}  // namespace ryn::raycast
