#include <algorithm>
#include <cfloat>
#include <cmath>

#include "frame/checks.h"
#include "primitives/raycast/raycast.h"

namespace ryn::raycast {

IppStatus SetBoundBox(const float* vertices, int vertexCount, float* boundingBox) {
  RYN_CHECK(NotNull(vertices, boundingBox));
  RYN_CHECK(PositiveLength(vertexCount));
  float low[3] = {vertices[0], vertices[1], vertices[2]};
  float high[3] = {vertices[0], vertices[1], vertices[2]};
  for (int64_t i = 1; i < vertexCount; ++i) {
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(low[a], vertices[3 * i + a]);
      high[a] = std::max(high[a], vertices[3 * i + a]);
    }
  }
  // Widened relative to the mesh's magnitude so that rays grazing the outermost vertices still
  // enter the box; never by less than a tiny absolute amount.
  float largest = FLT_MIN;
  for (int a = 0; a < 3; ++a) largest = std::max({largest, std::fabs(low[a]), std::fabs(high[a])});
  const float margin = 0.0001f * largest;
  for (int a = 0; a < 3; ++a) {
    boundingBox[a] = low[a] - margin;
    boundingBox[3 + a] = high[a] + margin;
  }
  return ippStsNoErr;
}

}  // namespace ryn::raycast
