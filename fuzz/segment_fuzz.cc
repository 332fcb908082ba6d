// Labelling, flood fill, segment boundaries and the Euclidean distance transform.
#include <algorithm>

#include "fuzz/fuzz_registry.h"
#include "fuzz/neighbourhood_shapes.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::FuzzInput;
using ryn::fuzz::QueriedScratch;

struct LabelRange {
  int minimum;
  int maximum;
};

// A label range within 1..largest mostly, the maximum usually not below the minimum.
LabelRange Labels(FuzzInput& in, int largest) {
  const int minimum = in.Flag(3) ? in.Code(1, 3) : in.Code(1, largest);
  const int lowest = std::clamp(minimum, 1, largest);
  const int maximum = in.Flag(6) ? in.Code(1, largest) : in.Code(lowest, std::min(largest, lowest + 3 + in.Byte()));
  return LabelRange{minimum, maximum};
}

int Norm(FuzzInput& in) { return in.Pick({0, 1, 0, 1, 2, -1}); }

// A coordinate within 0..extent - 1 mostly, sometimes just outside.
int Coordinate(FuzzInput& in, int extent) { return extent > 0 ? in.Code(0, extent - 1) : in.Pick({0, -1}); }

uint8_t* LabelBuffer(FuzzCase& c, IppiSize region) {
  return QueriedScratch(c, [&](int* bytes) { return fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(region, bytes); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_LabelMarkers_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const LabelRange labels = Labels(c.in(), 254);
  const int norm = Norm(c.in());
  int* count = c.Out<int>();
  c.Call([=] {
    return fnVCAIPP_LabelMarkers_8u_C1IR(image.p, image.step, region, labels.minimum, labels.maximum, norm, count);
  });
}

RYN_FUZZ(fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize) {
  const IppiSize region = c.in().Region();
  int* size = c.Out<int>();
  c.Call([=] { return fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(region, size); });
}

RYN_FUZZ(fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const LabelRange labels = Labels(c.in(), 254);
  const int norm = Norm(c.in());
  int* count = c.Out<int>();
  uint8_t* buffer = LabelBuffer(c, region);
  c.Call([=] {
    return fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(image.p, image.step, region, labels.minimum, labels.maximum, norm,
                                                count, buffer);
  });
}

// The count holds 30 from the start of the call, also when the call then fails.
RYN_FUZZ(fnVCAIPP_LabelMarkers_16u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint16_t>(region, 1, Access::kWrite);
  const LabelRange labels = Labels(c.in(), 65534);
  const int norm = Norm(c.in());
  int* count = c.Out<int>();
  c.WritesOnError();
  c.Call([=] {
    return fnVCAIPP_LabelMarkers_16u_C1IR(image.p, image.step, region, labels.minimum, labels.maximum, norm, count);
  });
}

RYN_FUZZ(fnVCAIPP_FloodFill_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const int seedX = Coordinate(c.in(), region.width);
  const int seedY = Coordinate(c.in(), region.height);
  const uint8_t newValue = c.in().Byte();
  auto* component = c.Out<RynConnectedComponent>();
  c.Call([=] {
    return fnVCAIPP_FloodFill_8u_C1IR(image.p, image.step, region, seedX, seedY, newValue, component);
  });
}

RYN_FUZZ(fnVCAIPP_BoundSegments_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t borderValue = c.in().Byte();
  const int norm = Norm(c.in());
  c.Call([=] { return fnVCAIPP_BoundSegments_8u_C1IR(image.p, image.step, region, borderValue, norm); });
}

RYN_FUZZ(fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R) {
  const IppiSize region = c.in().Region();
  int* size = c.Out<int>();
  c.Call([=] { return fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(region, size); });
}

RYN_FUZZ(fnVCAIPP_TrueDistanceTransform_8u32f_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<float>(region, 1, Access::kWrite);
  uint8_t* buffer = QueriedScratch(
      c, [&](int* bytes) { return fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(region, bytes); });
  c.Call([=] { return fnVCAIPP_TrueDistanceTransform_8u32f_C1R(s.p, s.step, d.p, d.step, region, buffer); });
}
