// Copies, masked copies and type conversions of one-channel images.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

// Source, source step, destination, destination step, region.
template <class S, class D, class Export>
void SourceToTarget(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<S>(region, 1, Access::kRead);
  const auto d = c.Image<D>(region, 1, Access::kWrite);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region); });
}

// Source, source step, destination, destination step, mask, mask step, region.
template <class T, class Export>
void MaskedCopy(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<T>(region, 1, Access::kRead);
  const auto d = c.Image<T>(region, 1, Access::kWrite);
  const auto mask = c.Image<uint8_t>(region, 1, Access::kRead);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, mask.p, mask.step, region); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Copy_8u_C1R) { SourceToTarget<uint8_t, uint8_t>(c, fnVCAIPP_Copy_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Copy_16s_C1R) { SourceToTarget<int16_t, int16_t>(c, fnVCAIPP_Copy_16s_C1R); }
RYN_FUZZ(fnVCAIPP_Copy_32s_C1R) { SourceToTarget<int32_t, int32_t>(c, fnVCAIPP_Copy_32s_C1R); }
RYN_FUZZ(fnVCAIPP_Copy_32f_C1R) { SourceToTarget<float, float>(c, fnVCAIPP_Copy_32f_C1R); }
RYN_FUZZ(fnVCAIPP_Copy_8u_C1MR) { MaskedCopy<uint8_t>(c, fnVCAIPP_Copy_8u_C1MR); }
RYN_FUZZ(fnVCAIPP_Copy_32f_C1MR) { MaskedCopy<float>(c, fnVCAIPP_Copy_32f_C1MR); }

RYN_FUZZ(fnVCAIPP_Convert_8u32f_C1R) { SourceToTarget<uint8_t, float>(c, fnVCAIPP_Convert_8u32f_C1R); }
RYN_FUZZ(fnVCAIPP_Convert_16u32f_C1R) { SourceToTarget<uint16_t, float>(c, fnVCAIPP_Convert_16u32f_C1R); }
RYN_FUZZ(fnVCAIPP_Convert_8u16u_C1R) { SourceToTarget<uint8_t, uint16_t>(c, fnVCAIPP_Convert_8u16u_C1R); }
RYN_FUZZ(fnVCAIPP_Convert_8u16s_C1R) { SourceToTarget<uint8_t, int16_t>(c, fnVCAIPP_Convert_8u16s_C1R); }
RYN_FUZZ(fnVCAIPP_Convert_16s8u_C1R) { SourceToTarget<int16_t, uint8_t>(c, fnVCAIPP_Convert_16s8u_C1R); }
RYN_FUZZ(fnVCAIPP_Convert_32f8u_C1R) { SourceToTarget<float, uint8_t>(c, fnVCAIPP_Convert_32f8u_C1R); }
