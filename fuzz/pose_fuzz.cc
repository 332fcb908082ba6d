// Camera pose from four point correspondences.
#include <cmath>
#include <cstdint>

#include "fuzz/fuzz_c_shapes.h"
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::InitialOf;
using ryn::fuzz::SpecialFloats;

constexpr int kPoints = 4;

struct Correspondences {
  float* objects;  // 4 x (x, y, z)
  float* image;    // 4 x (u, v)
  float* focalX;
  float* focalY;
};

// Replaces random contents by a square of reference points seen by a camera turned about its
// vertical axis and moved away along its optical axis, so that the solver has a pose to find.
void SeenByCamera(FuzzCase& c, const Correspondences& p) {
  float* objects = InitialOf(c, p.objects);
  float* image = InitialOf(c, p.image);
  float* focalX = InitialOf(c, p.focalX);
  float* focalY = InitialOf(c, p.focalY);
  if (!objects || !image || !focalX || !focalY) return;
  const float side = 0.25f + static_cast<float>(c.in().Byte() % 16) / 4.0f;
  const float angle = static_cast<float>(static_cast<int8_t>(c.in().Byte())) / 256.0f;
  const float t[3] = {static_cast<float>(static_cast<int8_t>(c.in().Byte())) / 32.0f,
                      static_cast<float>(static_cast<int8_t>(c.in().Byte())) / 32.0f,
                      4.0f + static_cast<float>(c.in().Byte() % 32)};
  *focalX = 200.0f + static_cast<float>(c.in().Byte()) * 8.0f;
  *focalY = *focalX + static_cast<float>(static_cast<int8_t>(c.in().Byte()));
  const float corners[kPoints][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int i = 0; i < kPoints; ++i) {
    const float world[3] = {side * corners[i][0], side * corners[i][1], 0.0f};
    const float x = std::cos(angle) * world[0] + std::sin(angle) * world[2] + t[0];
    const float y = world[1] + t[1];
    const float z = -std::sin(angle) * world[0] + std::cos(angle) * world[2] + t[2];
    for (int a = 0; a < 3; ++a) objects[3 * i + a] = world[a];
    image[2 * i] = *focalX * x / z;
    image[2 * i + 1] = *focalY * y / z;
  }
}

bool AllZero(const float* values, int count) {
  for (int i = 0; i < count; ++i) {
    if (values[i] != 0.0f) return false;
  }
  return true;
}

bool Coincident(const float* objects) {
  for (int i = 1; i < kPoints; ++i) {
    for (int j = 0; j < i; ++j) {
      const float dx = objects[3 * i] - objects[3 * j];
      const float dy = objects[3 * i + 1] - objects[3 * j + 1];
      const float dz = objects[3 * i + 2] - objects[3 * j + 2];
      if (static_cast<double>(dx * dx + dy * dy + dz * dz) < 1e-5) return true;
    }
  }
  return false;
}

// Whether the export's own checks let the call reach the solver.
bool ReachesSolver(FuzzCase& c, const Correspondences& p, const float* rotation, const float* translation,
                   int pointCount) {
  const float* objects = InitialOf(c, p.objects);
  const float* image = InitialOf(c, p.image);
  return pointCount == kPoints && objects && image && p.focalX && p.focalY && rotation && translation &&
         !AllZero(objects, 3 * kPoints) && !AllZero(image, 2 * kPoints) && !Coincident(objects);
}

}  // namespace

// The export returns a flag, not a status; false is given the status -1 here so that the runner
// holds it to writing nothing when its own checks refuse the arguments. Once the solver runs, a
// failure may have written the translation.
RYN_FUZZ(fnVCAOCV_GetExtrinsicCameraParameter) {
  const int pointCount = c.in().Pick({4, 4, 4, 4, 3, 5, 0, -1});
  const Correspondences p{c.Vector<float>(3 * kPoints, Access::kRead), c.Vector<float>(2 * kPoints, Access::kRead),
                          c.Vector<float>(1, Access::kRead), c.Vector<float>(1, Access::kRead)};
  float* rotation = c.Vector<float>(9, Access::kWrite);
  float* translation = c.Vector<float>(3, Access::kWrite);
  if (c.in().Flag(2)) SeenByCamera(c, p);
  for (const float* values : {p.objects, p.image, p.focalX, p.focalY}) SpecialFloats(c, values);
  if (ReachesSolver(c, p, rotation, translation, pointCount)) c.WritesOnError();
  c.Call([=] {
    const bool solved = fnVCAOCV_GetExtrinsicCameraParameter(p.objects, p.image, p.focalX, p.focalY, rotation,
                                                             translation, pointCount);
    return int64_t{solved ? 0 : -1};
  });
}
