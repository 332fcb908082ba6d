// Jobs of the per-pixel families: fills, copies and conversions, logic and comparisons,
// arithmetic on bytes and floats, statistics.
#include "support/export_jobs.h"

namespace ryn::test {
namespace {

constexpr int kW = kJobWidth;
constexpr int kH = kJobHeight;
constexpr IppiSize kRegion{kW, kH};

using Bytes = Plane<uint8_t>;
using Floats = Plane<float>;

// A mask with about a third of its bytes zero.
Bytes Mask(uint32_t seed) { return Bytes(kW, kH, seed, 0, 2); }

JobResult Fill() {
  JobResult r;
  Bytes bytes(kW, kH);
  Floats floats(kW, kH, 1, -1, 1);
  Plane<int32_t> words(kW, kH);
  const Bytes mask = Mask(2);
  RecordStatus(r, fnVCAIPP_Set_8u_C1R(bytes.data(), kRegion, bytes.step(), 77));
  RecordStatus(r, fnVCAIPP_Set_8u_C1MR(bytes.data(), bytes.step(), mask.data(), mask.step(), kRegion, 9));
  RecordStatus(r, fnVCAIPP_Set_32f_C1MR(floats.data(), kRegion, floats.step(), 2.5f, mask.data(), mask.step()));
  RecordStatus(r, fnVCAIPP_Set_32s_C1R(-12345, words.data(), words.step(), kRegion));
  Record(r, bytes);
  Record(r, floats);
  Record(r, words);
  return r;
}

JobResult CopyAndConvert() {
  JobResult r;
  const Bytes source(kW, kH, 3, 0, 255);
  const Floats floats(kW, kH, 4, -20, 280);
  const Bytes mask = Mask(5);
  Bytes copy(kW, kH), masked(kW, kH, 6, 0, 255), fromFloats(kW, kH);
  Floats toFloats(kW, kH);
  Plane<int16_t> words(kW, kH);
  RecordStatus(r, fnVCAIPP_Copy_8u_C1R(source.data(), source.step(), copy.data(), copy.step(), kRegion));
  RecordStatus(r, fnVCAIPP_Copy_8u_C1MR(source.data(), source.step(), masked.data(), masked.step(), mask.data(),
                                        mask.step(), kRegion));
  RecordStatus(r, fnVCAIPP_Convert_8u32f_C1R(source.data(), source.step(), toFloats.data(), toFloats.step(), kRegion));
  RecordStatus(r, fnVCAIPP_Convert_32f8u_C1R(floats.data(), floats.step(), fromFloats.data(), fromFloats.step(),
                                             kRegion));
  RecordStatus(r, fnVCAIPP_Convert_8u16s_C1R(source.data(), source.step(), words.data(), words.step(), kRegion));
  Record(r, copy);
  Record(r, masked);
  Record(r, toFloats);
  Record(r, fromFloats);
  Record(r, words);
  return r;
}

JobResult LogicAndThresholds() {
  JobResult r;
  const Bytes first(kW, kH, 7, 0, 255), second(kW, kH, 8, 0, 255);
  Bytes anded(kW, kH), notted(kW, kH), thresholded(kW, kH), inPlace(kW, kH, 9, 0, 255), lookedUp(kW, kH);
  const int32_t levels[] = {0, 64, 200, 256};
  const int32_t values[] = {10, 90, 30, 250};
  RecordStatus(r, fnVCAIPP_And_8u_C1R(first.data(), second.data(), anded.data(), kRegion, first.step(),
                                      second.step(), anded.step()));
  RecordStatus(r, fnVCAIPP_Not_8u_C1R(first.data(), notted.data(), kRegion, first.step(), notted.step()));
  RecordStatus(r, fnVCAIPP_Threshold_8u_C1R(first.data(), first.step(), thresholded.data(), thresholded.step(),
                                            kRegion, 100));
  RecordStatus(r, fnVCAIPP_Xor_8u_C1IR(second.data(), inPlace.data(), kRegion, second.step(), inPlace.step()));
  RecordStatus(r, fnVCAIPP_MaxEvery_8u_C1IR(first.data(), inPlace.data(), inPlace.step(), kRegion));
  RecordStatus(r, fnVCAIPP_ThresholdLTGT_8u_C1IR(inPlace.data(), kRegion, inPlace.step(), 40, 200));
  RecordStatus(r, fnVCAIPP_LUT_Linear_8u_C1R(first.data(), first.step(), lookedUp.data(), lookedUp.step(), kRegion,
                                             values, levels, 4));
  for (const Bytes* image : {&anded, &notted, &thresholded, &inPlace, &lookedUp}) Record(r, *image);
  return r;
}

JobResult Comparisons() {
  JobResult r;
  const Bytes first(kW, kH, 10, 0, 255), second(kW, kH, 11, 0, 255);
  const Floats floats1(kW, kH, 12, -1, 1), floats2(kW, kH, 13, -1, 1);
  Bytes bytesLess(kW, kH), bytesConst(kW, kH), floatsGreater(kW, kH), floatsConst(kW, kH);
  RecordStatus(r, fnVCAIPP_Compare_8u_C1R(first.data(), first.step(), second.data(), second.step(),
                                          bytesLess.data(), bytesLess.step(), kRegion, 0));
  RecordStatus(r, fnVCAIPP_CompareC_8u_C1R(first.data(), first.step(), 128, bytesConst.data(), bytesConst.step(),
                                           kRegion, 3));
  RecordStatus(r, fnVCAIPP_Compare_32f_C1R(floats1.data(), floats1.step(), floats2.data(), floats2.step(),
                                           floatsGreater.data(), floatsGreater.step(), kRegion, 4));
  RecordStatus(r, fnVCAIPP_CompareC_32f_C1R(floats1.data(), floats1.step(), 0.25f, floatsConst.data(),
                                            floatsConst.step(), kRegion, 1));
  for (const Bytes* image : {&bytesLess, &bytesConst, &floatsGreater, &floatsConst}) Record(r, *image);
  return r;
}

JobResult ByteArithmetic() {
  JobResult r;
  const Bytes first(kW, kH, 14, 0, 255), second(kW, kH, 15, 0, 255);
  Bytes sum(kW, kH), scaled(kW, kH), divided(kW, kH), difference(kW, kH), logarithm(kW, kH), blended(kW, kH);
  Bytes inPlace(kW, kH, 16, 0, 255);
  RecordStatus(r, fnVCAIPP_Add_8u_C1R(first.data(), second.data(), sum.data(), kRegion, first.step(), second.step(),
                                      sum.step(), 1));
  RecordStatus(r, fnVCAIPP_MulC_8u_C1RSfs(first.data(), scaled.data(), 3, kRegion, first.step(), scaled.step(), 2));
  RecordStatus(r, fnVCAIPP_DivC_8u_C1RSfs(first.data(), divided.data(), kRegion, first.step(), 7, -1));
  RecordStatus(r, fnVCAIPP_AbsDiff_8u_C1R(first.data(), second.data(), difference.data(), kRegion, first.step()));
  RecordStatus(r, fnVCAIPP_Ln_8u_C1IRSfs(first.data(), first.step(), logarithm.data(), logarithm.step(), kRegion, -3));
  RecordStatus(r, fnVCAIPP_AlphaCompC_8u_C1R(first.data(), first.step(), 200, second.data(), second.step(), 90,
                                             blended.data(), blended.step(), kRegion, 0));
  RecordStatus(r, fnVCAIPP_Sub_8u_C1IR(second.data(), inPlace.data(), kRegion, second.step(), inPlace.step()));
  RecordStatus(r, fnVCAIPP_Sqr_8u_C1IRSfs(inPlace.data(), kRegion, inPlace.step(), 4));
  for (const Bytes* image : {&sum, &scaled, &divided, &difference, &logarithm, &blended, &inPlace}) Record(r, *image);
  return r;
}

JobResult FloatArithmetic() {
  JobResult r;
  const Floats first(kW, kH, 17, -50, 50), second(kW, kH, 18, 0.5, 9);
  const Bytes bytes(kW, kH, 19, 0, 255), mask = Mask(20);
  Floats sum(kW, kH), accumulator(kW, kH, 21, -3, 3), quotient(kW, kH, 22, -8, 8);
  RecordStatus(r, fnVCAIPP_Add_32f_C1R(first.data(), first.step(), second.data(), second.step(), sum.data(),
                                       sum.step(), kRegion));
  RecordStatus(r, fnVCAIPP_Div_32f_C1IR(second.data(), quotient.data(), kRegion, quotient.step()));
  RecordStatus(r, fnVCAIPP_AddProduct_8u32f_C1IR(bytes.data(), bytes.step(), bytes.data(), bytes.step(),
                                                 accumulator.data(), accumulator.step(), kRegion));
  RecordStatus(r, fnVCAIPP_AddWeighted_8u32f_C1IMR(bytes.data(), accumulator.data(), mask.data(), kRegion,
                                                   bytes.step(), accumulator.step(), 0.3f));
  RecordStatus(r, fnVCAIPP_AbsDiffC_32f_C1R(first.data(), first.step(), sum.data(), sum.step(), kRegion, 1.5f));
  RecordStatus(r, fnVCAIPP_MulC_32f_C1IR(accumulator.data(), 0.7f, kRegion, accumulator.step()));
  for (const Floats* image : {&sum, &accumulator, &quotient}) Record(r, *image);
  return r;
}

JobResult LogAndExp() {
  JobResult r;
  Floats exponent(kW * kH, 1, 23, -20, 20), logarithm(kW * kH, 1, 24, 0.001, 1000);
  RecordStatus(r, fnVCAIPP_Exp_32f_C1IR(exponent.data(), kW * kH));
  RecordStatus(r, fnVCAIPP_Ln_32f_C1IR(logarithm.data(), kW * kH));
  Record(r, exponent);
  Record(r, logarithm);
  return r;
}

JobResult Statistics() {
  JobResult r;
  const Bytes bytes(kW, kH, 25, 0, 255), other(kW, kH, 26, 0, 255), mask = Mask(27);
  const Floats floats(kW, kH, 28, -100, 100);
  double sum = 0, mean = 0, deviation = 0, relative = 0, floatMean = 0, floatDeviation = 0;
  uint8_t minimum = 0, maximum = 0;
  float floatMaximum = 0;
  int column = 0, row = 0, bytesInRange = 0, floatsInRange = 0;
  int histogram[16] = {}, levels[17] = {};
  RecordStatus(r, fnVCAIPP_Sum_8u_C1R(bytes.data(), bytes.step(), kRegion, &sum));
  RecordStatus(r, fnVCAIPP_Mean_StdDev_8u_C1MR(bytes.data(), bytes.step(), mask.data(), mask.step(), kRegion, &mean,
                                               &deviation));
  RecordStatus(r, fnVCAIPP_Mean_StdDev_32f_C1R(floats.data(), floats.step(), kRegion, &floatMean, &floatDeviation));
  RecordStatus(r, fnVCAIPP_MinMax_8u_C1R(bytes.data(), bytes.step(), kRegion, &minimum, &maximum));
  RecordStatus(r, fnVCAIPP_MaxIndx_32f_C1R(floats.data(), floats.step(), kRegion, &floatMaximum, &column, &row));
  RecordStatus(r, fnVCAIPP_CountInRange_8u_C1R(bytes.data(), bytes.step(), kRegion, &bytesInRange, 30, 90));
  RecordStatus(r, fnVCAIPP_CountInRange_32f_C1R(floats.data(), floats.step(), kRegion, &floatsInRange, -5, 40));
  RecordStatus(r, fnVCAIPP_HistogramEven_8u_C1R(bytes.data(), bytes.step(), kRegion, histogram, levels, 17, 0, 256));
  RecordStatus(r, fnVCAIPP_NormRel_L2_8u_C1R(bytes.data(), bytes.step(), other.data(), other.step(), kRegion,
                                             &relative));
  for (double value : {sum, mean, deviation, relative, floatMean, floatDeviation}) Record(r, value);
  for (int value : {int{minimum}, int{maximum}, column, row, bytesInRange, floatsInRange}) Record(r, value);
  Record(r, floatMaximum);
  Record(r, histogram);
  Record(r, levels);
  return r;
}

}  // namespace

std::vector<ExportJob> PixelJobs() {
  return {
      {"fill", "Set", &Fill},
      {"copy", "Copy and Convert", &CopyAndConvert},
      {"logic", "And, Not, Threshold, LUT", &LogicAndThresholds},
      {"logic", "Compare", &Comparisons},
      {"arith", "byte arithmetic", &ByteArithmetic},
      {"arith", "float arithmetic", &FloatArithmetic},
      {"arith", "Exp, Ln", &LogAndExp},
      {"stats", "statistics", &Statistics},
  };
}

}  // namespace ryn::test
