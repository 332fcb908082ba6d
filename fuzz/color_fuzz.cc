// Colour conversions between YUV, RGB and 4:2:0 layouts, and the interleaving of 16-bit planes.
#include <climits>

#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::ImageArg;

struct Planes {
  ImageArg<uint8_t> plane[3];
};

// The chroma planes of a 4:2:0 frame: half the width and half the height, rounded down.
IppiSize Chroma(IppiSize region) {
  return IppiSize{region.width > 0 ? region.width / 2 : 0, region.height > 0 ? region.height / 2 : 0};
}

// Three planes of the region sharing one step.
Planes PlanesOneStep(FuzzCase& c, IppiSize region, Access access, int step) {
  Planes planes;
  for (auto& plane : planes.plane) plane = c.ImageWithStep<uint8_t>(region, 1, access, step);
  return planes;
}

// A full luma plane and two chroma planes of a 4:2:0 frame, each with its own step.
Planes Planes420(FuzzCase& c, IppiSize region, Access access) {
  Planes planes;
  planes.plane[0] = c.Image<uint8_t>(region, 1, access);
  for (int k = 1; k < 3; ++k) planes.plane[k] = c.Image<uint8_t>(Chroma(region), 1, access);
  return planes;
}

const uint8_t* const* SourceArray(FuzzCase& c, const Planes& p) {
  return c.Array<const uint8_t*>({p.plane[0].p, p.plane[1].p, p.plane[2].p});
}
uint8_t* const* TargetArray(FuzzCase& c, const Planes& p) {
  return c.Array<uint8_t*>({p.plane[0].p, p.plane[1].p, p.plane[2].p});
}
const int* StepArray(FuzzCase& c, const Planes& p) {
  return c.Array<int>({p.plane[0].step, p.plane[1].step, p.plane[2].step});
}

// Planes with one step into planes with one step: sources, step, destinations, step, region.
template <class Export>
void PlanesToPlanes(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const int sourceStep = c.DecodeStep<uint8_t>(region, 1);
  const Planes source = PlanesOneStep(c, region, Access::kRead, sourceStep);
  const int destinationStep = c.DecodeStep<uint8_t>(region, 1);
  const Planes destination = PlanesOneStep(c, region, Access::kWrite, destinationStep);
  const auto* sources = SourceArray(c, source);
  auto* destinations = TargetArray(c, destination);
  c.Call([=] { return call(sources, sourceStep, destinations, destinationStep, region); });
}

// The samples one plane must hold: a row, and later rows only when the rows advance.
int64_t PlaneSamples(IppiSize size, int sourceStride) {
  if (size.width < 1 || size.height < 1) return 0;
  return sourceStride > 0 ? int64_t{size.height - 1} * sourceStride + size.width : size.width;
}

// An array of exactly `count` plane pointers (none for a count below 1).
const int16_t* const* PlaneArray(FuzzCase& c, int16_t* const planes[4], int count) {
  switch (count) {
    case 1: return c.Array<const int16_t*>({planes[0]});
    case 2: return c.Array<const int16_t*>({planes[0], planes[1]});
    case 3: return c.Array<const int16_t*>({planes[0], planes[1], planes[2]});
    case 4: return c.Array<const int16_t*>({planes[0], planes[1], planes[2], planes[3]});
    default: return c.Vector<const int16_t*>(0, Access::kRead);
  }
}

}  // namespace

RYN_FUZZ(fnVCAIPP_YUVToRGB_8u_C3R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 3, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 3, Access::kWrite);
  c.Call([=] { return fnVCAIPP_YUVToRGB_8u_C3R(s.p, s.step, d.p, d.step, region); });
}

RYN_FUZZ(fnVCAIPP_YUVToRGB_8u_P3R) { PlanesToPlanes(c, fnVCAIPP_YUVToRGB_8u_P3R); }
RYN_FUZZ(fnVCAIPP_RGBToYUV_8u_P3R) { PlanesToPlanes(c, fnVCAIPP_RGBToYUV_8u_P3R); }

RYN_FUZZ(fnVCAIPP_YUVToRGB_8u_P3C3R) {
  const IppiSize region = c.in().Region();
  const int sourceStep = c.DecodeStep<uint8_t>(region, 1);
  const Planes source = PlanesOneStep(c, region, Access::kRead, sourceStep);
  const auto* sources = SourceArray(c, source);
  const auto d = c.Image<uint8_t>(region, 3, Access::kWrite);
  c.Call([=] { return fnVCAIPP_YUVToRGB_8u_P3C3R(sources, sourceStep, d.p, d.step, region); });
}

RYN_FUZZ(fnVCAIPP_YUV420ToRGB_8u_P3C3R) {
  const IppiSize region = c.in().Region();
  const Planes source = Planes420(c, region, Access::kRead);
  const auto* sources = SourceArray(c, source);
  const int* steps = StepArray(c, source);
  const auto d = c.Image<uint8_t>(region, 3, Access::kWrite);
  c.Call([=] { return fnVCAIPP_YUV420ToRGB_8u_P3C3R(sources, steps, d.p, d.step, region); });
}

// Rows that follow each other: luma step the width, chroma steps half of it, destination step
// three widths.
RYN_FUZZ(fnVCAIPP_YUV420ToRGB_8u_P3C3) {
  const IppiSize size = c.in().Region();
  const int width = size.width > 0 ? size.width : 0;
  Planes source;
  source.plane[0] = c.ImageWithStep<uint8_t>(size, 1, Access::kRead, width);
  for (int k = 1; k < 3; ++k) source.plane[k] = c.ImageWithStep<uint8_t>(Chroma(size), 1, Access::kRead, width / 2);
  const auto* sources = SourceArray(c, source);
  const int destinationStep = width <= INT_MAX / 3 ? 3 * width : INT_MAX;
  const auto d = c.ImageWithStep<uint8_t>(size, 3, Access::kWrite, destinationStep);
  c.Call([=] { return fnVCAIPP_YUV420ToRGB_8u_P3C3(sources, d.p, size); });
}

RYN_FUZZ(fnVCAIPP_RGBToYUV420_8u_C3P3R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 3, Access::kRead);
  const Planes destination = Planes420(c, region, Access::kWrite);
  auto* destinations = TargetArray(c, destination);
  const int* steps = StepArray(c, destination);
  c.Call([=] { return fnVCAIPP_RGBToYUV420_8u_C3P3R(s.p, s.step, destinations, steps, region); });
}

RYN_FUZZ(fnVCAIPP_YCbCr420_8u_P2P3R) {
  const IppiSize region = c.in().Region();
  const auto y = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto pairs = c.Image<uint8_t>(Chroma(region), 2, Access::kRead);
  const Planes d = Planes420(c, region, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_YCbCr420_8u_P2P3R(y.p, y.step, pairs.p, pairs.step, d.plane[0].p, d.plane[1].p, d.plane[2].p,
                                      d.plane[0].step, d.plane[1].step, d.plane[2].step, region);
  });
}

RYN_FUZZ(fnVCAIPP_YCbCr420_8u_P3P2R) {
  const IppiSize region = c.in().Region();
  const Planes s = Planes420(c, region, Access::kRead);
  const auto y = c.Image<uint8_t>(region, 1, Access::kWrite);
  const auto pairs = c.Image<uint8_t>(Chroma(region), 2, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_YCbCr420_8u_P3P2R(s.plane[0].p, s.plane[1].p, s.plane[2].p, s.plane[0].step, s.plane[1].step,
                                      s.plane[2].step, y.p, y.step, pairs.p, pairs.step, region);
  });
}

// Strides count samples. Destination row y starts y strides after the destination; source rows
// advance by a positive source stride, else every row reads the same samples.
RYN_FUZZ(fnVCAIPP_PlaneToInterleave_16s) {
  const IppiSize size = c.in().Region();
  const int planeCount = c.in().Pick({2, 3, 1, 4, 0, -1});
  const int sourceStride = c.in().Step(size.width, 1);
  int16_t* planes[4] = {};
  for (int k = 0; k < planeCount && k < 4; ++k) {
    planes[k] = c.Vector<int16_t>(PlaneSamples(size, sourceStride), Access::kRead);
  }
  const auto* array = PlaneArray(c, planes, planeCount);
  const int channels = planeCount > 0 ? planeCount : 1;
  const int destinationStride = c.in().Step(int64_t{size.width > 0 ? size.width : 0} * channels, 1);
  const int64_t stepBytes = int64_t{destinationStride} * 2;
  const int clampedStep = static_cast<int>(std::clamp<int64_t>(stepBytes, INT_MIN, INT_MAX));
  const auto d = c.ImageWithStep<int16_t>(size, channels, Access::kWrite, clampedStep);
  c.Call([=] { return fnVCAIPP_PlaneToInterleave_16s(array, planeCount, size, sourceStride, d.p, destinationStride); });
}
