// The per-triangle record that intersections read: the triangle's plane seen along the dominant
// axis of its normal, and its edges scaled so that the barycentric weights of a point in that
// plane are two differences of products.
#pragma once

#include <cstdint>
#include <cstring>

namespace ryn::raycast {

struct TriangleRecord {
  // Bits 4-5: the dominant axis k of the normal N; bits 2-3 and 0-1: the other two axes u < v;
  // bit 31: N_u and N_v both negligible (the plane is perpendicular to axis k). Zero for a
  // degenerate triangle.
  uint32_t axes;
  float normalU;      // N_u / N_k
  float planeOffset;  // C_k
  float normalV;      // N_v / N_k
  float vertexU;      // C_u
  float vertexV;      // C_v
  // With s = sigma / N_k (sigma -1 for k = y, whose other axes x, z run against the cyclic
  // order, else +1): (B - C)_u s, (B - C)_v s, (A - C)_u s, (A - C)_v s.
  float edgeBu;
  float edgeBv;
  float edgeAu;
  float edgeAv;

  int DominantAxis() const { return static_cast<int>((axes >> 4) & 3); }
  int FirstOtherAxis() const { return static_cast<int>((axes >> 2) & 3); }
  int SecondOtherAxis() const { return static_cast<int>(axes & 3); }
  bool IsDegenerate() const { return axes == 0; }
  bool IsAxisAligned() const { return (axes & kAxisAlignedFlag) != 0; }

  static constexpr uint32_t kAxisAlignedFlag = 0x80000000u;
};
static_assert(sizeof(TriangleRecord) == 40);

// Records live in the caller's memory, which need not be 4-byte aligned.
inline TriangleRecord LoadRecord(const void* records, int32_t index) {
  TriangleRecord record;
  std::memcpy(&record, static_cast<const uint8_t*>(records) + static_cast<size_t>(index) * sizeof(TriangleRecord),
              sizeof record);
  return record;
}

// The record of triangle (a, b, c), each vertex three floats.
TriangleRecord MakeTriangleRecord(const float* a, const float* b, const float* c);

}  // namespace ryn::raycast
