#include "primitives/filters/box_rules.h"

namespace ryn::filters {

FixedPointReciprocal ReciprocalFor(IppiSize mask) {
  if (mask.width + mask.height == 3) return {4096, 13};
  const float reciprocal = 1.0f / static_cast<float>(mask.width * mask.height);
  auto v = static_cast<uint32_t>(static_cast<double>(reciprocal) * 4294967295.0);
  int shifts = 0;
  while ((v & 0x80000000u) == 0 && shifts < 24) {
    v <<= 1;
    ++shifts;
  }
  return {(v >> 20) + 1, shifts + 12};
}

namespace {

BoxFinish MeanFinish(BoxFinish::Kind kind, uint32_t multiplier, uint32_t rounding, int shift) {
  BoxFinish finish;
  finish.kind = kind;
  finish.multiplier = multiplier;
  finish.rounding = rounding;
  finish.shift = shift;
  return finish;
}

}  // namespace

BoxFinish MeanFinishFor(IppiSize mask) {
  if (mask.width == 3 && mask.height == 3) return MeanFinish(BoxFinish::Kind::kMean3x3, 29128, 0, 18);
  if (mask.width == 5 && mask.height == 5) return MeanFinish(BoxFinish::Kind::kMean5x5, 20971, 1u << 18, 19);
  if (mask.width == 7 && mask.height == 7) return MeanFinish(BoxFinish::Kind::kMean7x7, 5350, 1u << 17, 18);
  const FixedPointReciprocal r = ReciprocalFor(mask);
  return MeanFinish(BoxFinish::Kind::kMeanReciprocal, r.multiplier, 1u << (r.shift - 1), r.shift);
}

BoxFinish LargeMeanFinishFor(IppiSize mask) {
  BoxFinish finish;
  finish.kind = BoxFinish::Kind::kLargeMean;
  finish.reciprocal = 1.0f / static_cast<float>(int64_t{mask.width} * mask.height);
  return finish;
}

BoxFinish KernelFinish(int32_t tap, const KernelDivision& division) {
  BoxFinish finish;
  finish.kind = BoxFinish::Kind::kKernel;
  finish.tap = tap;
  finish.division = division;
  return finish;
}

}  // namespace ryn::filters
