// Reductions of a region to a few numbers: sums, means, deviations, extremes, counts, histograms
// and norms.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

// Source, step, region, then the outputs `outputs` decodes.
template <class T, class Export, class... Outputs>
void Reduce(FuzzCase& c, Export call, Outputs*... outputs) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<T>(region, 1, Access::kRead);
  c.Call([=] { return call(s.p, s.step, region, outputs...); });
}

// Source, step, mask, mask step, region, then the outputs.
template <class Export, class... Outputs>
void ReduceMasked(FuzzCase& c, Export call, Outputs*... outputs) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto mask = c.Image<uint8_t>(region, 1, Access::kRead);
  c.Call([=] { return call(s.p, s.step, mask.p, mask.step, region, outputs...); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Sum_8u_C1R) { Reduce<uint8_t>(c, fnVCAIPP_Sum_8u_C1R, c.Out<double>()); }
RYN_FUZZ(fnVCAIPP_Mean_8u_C1R) { Reduce<uint8_t>(c, fnVCAIPP_Mean_8u_C1R, c.Out<double>()); }
RYN_FUZZ(fnVCAIPP_Max_32f_C1R) { Reduce<float>(c, fnVCAIPP_Max_32f_C1R, c.Out<float>()); }
RYN_FUZZ(fnVCAIPP_Min_32f_C1R) { Reduce<float>(c, fnVCAIPP_Min_32f_C1R, c.Out<float>()); }
RYN_FUZZ(fnVCAIPP_Mean_8u_C1MR) { ReduceMasked(c, fnVCAIPP_Mean_8u_C1MR, c.Out<double>()); }

RYN_FUZZ(fnVCAIPP_Mean_StdDev_8u_C1R) {
  double* mean = c.Out<double>();
  Reduce<uint8_t>(c, fnVCAIPP_Mean_StdDev_8u_C1R, mean, c.Out<double>());
}
RYN_FUZZ(fnVCAIPP_Mean_StdDev_32f_C1R) {
  double* mean = c.Out<double>();
  Reduce<float>(c, fnVCAIPP_Mean_StdDev_32f_C1R, mean, c.Out<double>());
}
RYN_FUZZ(fnVCAIPP_Mean_StdDev_8u_C1MR) {
  double* mean = c.Out<double>();
  ReduceMasked(c, fnVCAIPP_Mean_StdDev_8u_C1MR, mean, c.Out<double>());
}
RYN_FUZZ(fnVCAIPP_MinMax_8u_C1R) {
  uint8_t* minimum = c.Out<uint8_t>();
  Reduce<uint8_t>(c, fnVCAIPP_MinMax_8u_C1R, minimum, c.Out<uint8_t>());
}

RYN_FUZZ(fnVCAIPP_MaxIndx_32f_C1R) {
  float* maximum = c.Out<float>();
  int* column = c.Out<int>();
  Reduce<float>(c, fnVCAIPP_MaxIndx_32f_C1R, maximum, column, c.Out<int>());
}

RYN_FUZZ(fnVCAIPP_CountInRange_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  int* count = c.Out<int>();
  const uint8_t lower = c.in().Byte();
  const uint8_t upper = c.in().Byte();
  c.Call([=] { return fnVCAIPP_CountInRange_8u_C1R(s.p, s.step, region, count, lower, upper); });
}

RYN_FUZZ(fnVCAIPP_CountInRange_32f_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<float>(region, 1, Access::kRead);
  int* count = c.Out<int>();
  const float lower = c.in().Float();
  const float upper = c.in().Float();
  c.Call([=] { return fnVCAIPP_CountInRange_32f_C1R(s.p, s.step, region, count, lower, upper); });
}

// levelCount levels and levelCount - 1 bins.
RYN_FUZZ(fnVCAIPP_HistogramEven_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const int levelCount = c.in().Pick({2, 3, 5, 17, 257, 256, 1, 0, -3, 4097});
  int* histogram = c.Vector<int>(int64_t{levelCount} - 1, Access::kWrite);
  int* levels = c.Vector<int>(levelCount, Access::kWrite);
  const int lower = c.in().Code(-300, 300);
  const int upper = c.in().Code(-300, 600);
  c.Call([=] {
    return fnVCAIPP_HistogramEven_8u_C1R(s.p, s.step, region, histogram, levels, levelCount, lower, upper);
  });
}

RYN_FUZZ(fnVCAIPP_NormRel_L2_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto a = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto b = c.Image<uint8_t>(region, 1, Access::kRead);
  double* value = c.Out<double>();
  c.Call([=] { return fnVCAIPP_NormRel_L2_8u_C1R(a.p, a.step, b.p, b.step, region, value); });
}
