// Record constructors and fills.
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

// The record constructors only move their arguments into fields: anything else is a finding.
int64_t RecordHolds(bool holds, const char* record) {
  if (!holds) {
    std::fprintf(stderr, "\n*** %s does not hold its arguments\n", record);
    std::abort();
  }
  return 0;
}

int Coordinate(FuzzCase& c) { return c.in().Raw<int32_t>(); }

// Destination, region, step, value.
template <class T, class Export>
void Fill(FuzzCase& c, Export call, T value) {
  const IppiSize region = c.in().Region();
  const auto d = c.Image<T>(region, 1, Access::kWrite);
  c.Call([=] { return call(d.p, region, d.step, value); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_IppiSize) {
  const int width = Coordinate(c);
  const int height = Coordinate(c);
  c.ResultIsNotStatus();
  c.Call([=] {
    const IppiSize size = fnVCAIPP_IppiSize(width, height);
    return RecordHolds(size.width == width && size.height == height, "IppiSize");
  });
}

RYN_FUZZ(fnVCAIPP_IppiPoint) {
  const int x = Coordinate(c);
  const int y = Coordinate(c);
  c.ResultIsNotStatus();
  c.Call([=] {
    const IppiPoint point = fnVCAIPP_IppiPoint(x, y);
    return RecordHolds(point.x == x && point.y == y, "IppiPoint");
  });
}

RYN_FUZZ(fnVCAIPP_IppiRect) {
  const int x = Coordinate(c);
  const int y = Coordinate(c);
  const int width = Coordinate(c);
  const int height = Coordinate(c);
  c.ResultIsNotStatus();
  c.Call([=] {
    const IppiRect rect = fnVCAIPP_IppiRect(x, y, width, height);
    return RecordHolds(rect.x == x && rect.y == y && rect.width == width && rect.height == height, "IppiRect");
  });
}

RYN_FUZZ(fnVCAIPP_Set_8u_C1R) { Fill<uint8_t>(c, fnVCAIPP_Set_8u_C1R, c.in().Byte()); }
RYN_FUZZ(fnVCAIPP_Set_16u_C1R) { Fill<uint16_t>(c, fnVCAIPP_Set_16u_C1R, c.in().Raw<uint16_t>()); }
RYN_FUZZ(fnVCAIPP_Set_32f_C1R) { Fill<float>(c, fnVCAIPP_Set_32f_C1R, c.in().Float()); }

RYN_FUZZ(fnVCAIPP_Set_32s_C1R) {
  const int32_t value = c.in().Raw<int32_t>();
  const IppiSize region = c.in().Region();
  const auto d = c.Image<int32_t>(region, 1, Access::kWrite);
  c.Call([=] { return fnVCAIPP_Set_32s_C1R(value, d.p, d.step, region); });
}

RYN_FUZZ(fnVCAIPP_Set_8u_C1MR) {
  const IppiSize region = c.in().Region();
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const auto mask = c.Image<uint8_t>(region, 1, Access::kRead);
  const uint8_t value = c.in().Byte();
  c.Call([=] { return fnVCAIPP_Set_8u_C1MR(d.p, d.step, mask.p, mask.step, region, value); });
}

RYN_FUZZ(fnVCAIPP_Set_32f_C1MR) {
  const IppiSize region = c.in().Region();
  const auto d = c.Image<float>(region, 1, Access::kWrite);
  const auto mask = c.Image<uint8_t>(region, 1, Access::kRead);
  const float value = c.in().Float();
  c.Call([=] { return fnVCAIPP_Set_32f_C1MR(d.p, region, d.step, value, mask.p, mask.step); });
}

// Clears step x height bytes from the destination, so that is exactly what the caller owns;
// a step below the width is refused before anything is touched.
RYN_FUZZ(fnVCAIPP_SetZero_32fc_C1R) {
  const IppiSize region = c.in().Region();
  const int step = c.DecodeStep<Ipp32fc>(region, 1);
  const bool clears = region.width >= 1 && region.height >= 1 && step >= region.width;
  auto* d = c.Vector<uint8_t>(clears ? int64_t{step} * region.height : 0, Access::kWrite);
  c.Call([=] { return fnVCAIPP_SetZero_32fc_C1R(reinterpret_cast<Ipp32fc*>(d), step, region); });
}
