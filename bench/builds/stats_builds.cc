// The statistics under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

// An 8-bit statistic of one frame: `call(pixels, step, region)`.
template <class Call>
void Bytes(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = RandomPixels<uint8_t>(s, 1, 0, 255);
    return [image, s, call] { call(image.data, s.width, Roi(s)); };
  });
}

// An 8-bit statistic of one frame and the centre-quarter mask: `call(pixels, mask, step, region)`.
template <class Call>
void MaskedBytes(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = RandomPixels<uint8_t>(s, 2, 0, 255), mask = CentreMask(s);
    return [image, mask, s, call] { call(image.data, mask.data, s.width, Roi(s)); };
  });
}

// A float statistic of one frame of values in 0..255: `call(pixels, step, region)`.
template <class Call>
void Floats(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = RandomPixels<float>(s, 3, 0.0f, 255.0f);
    return [image, s, call] { call(reinterpret_cast<const float*>(image.data), s.width * 4, Roi(s)); };
  });
}

void RegisterStatistics() {
  Bytes("Sum_8u_C1R", [](const uint8_t* p, int step, IppiSize r) {
    double sum;
    fnVCAIPP_Sum_8u_C1R(p, step, r, &sum);
    benchmark::DoNotOptimize(sum);
  });
  Bytes("Mean_8u_C1R", [](const uint8_t* p, int step, IppiSize r) {
    double mean;
    fnVCAIPP_Mean_8u_C1R(p, step, r, &mean);
    benchmark::DoNotOptimize(mean);
  });
  MaskedBytes("Mean_8u_C1MR", [](const uint8_t* p, const uint8_t* mask, int step, IppiSize r) {
    double mean;
    fnVCAIPP_Mean_8u_C1MR(p, step, mask, step, r, &mean);
    benchmark::DoNotOptimize(mean);
  });
  Bytes("Mean_StdDev_8u_C1R", [](const uint8_t* p, int step, IppiSize r) {
    double mean, deviation;
    fnVCAIPP_Mean_StdDev_8u_C1R(p, step, r, &mean, &deviation);
    benchmark::DoNotOptimize(deviation);
  });
  MaskedBytes("Mean_StdDev_8u_C1MR", [](const uint8_t* p, const uint8_t* mask, int step, IppiSize r) {
    double mean, deviation;
    fnVCAIPP_Mean_StdDev_8u_C1MR(p, step, mask, step, r, &mean, &deviation);
    benchmark::DoNotOptimize(deviation);
  });
  Floats("Mean_StdDev_32f_C1R", [](const float* p, int step, IppiSize r) {
    double mean, deviation;
    fnVCAIPP_Mean_StdDev_32f_C1R(p, step, r, &mean, &deviation);
    benchmark::DoNotOptimize(deviation);
  });
  Bytes("MinMax_8u_C1R", [](const uint8_t* p, int step, IppiSize r) {
    uint8_t minimum, maximum;
    fnVCAIPP_MinMax_8u_C1R(p, step, r, &minimum, &maximum);
    benchmark::DoNotOptimize(maximum);
  });
  Floats("Max_32f_C1R", [](const float* p, int step, IppiSize r) {
    float maximum;
    fnVCAIPP_Max_32f_C1R(p, step, r, &maximum);
    benchmark::DoNotOptimize(maximum);
  });
  Floats("Min_32f_C1R", [](const float* p, int step, IppiSize r) {
    float minimum;
    fnVCAIPP_Min_32f_C1R(p, step, r, &minimum);
    benchmark::DoNotOptimize(minimum);
  });
  Floats("MaxIndx_32f_C1R", [](const float* p, int step, IppiSize r) {
    float maximum;
    int column, row;
    fnVCAIPP_MaxIndx_32f_C1R(p, step, r, &maximum, &column, &row);
    benchmark::DoNotOptimize(row);
  });
  Bytes("CountInRange_8u_C1R", [](const uint8_t* p, int step, IppiSize r) {
    int count;
    fnVCAIPP_CountInRange_8u_C1R(p, step, r, &count, 40, 180);
    benchmark::DoNotOptimize(count);
  });
  Floats("CountInRange_32f_C1R", [](const float* p, int step, IppiSize r) {
    int count;
    fnVCAIPP_CountInRange_32f_C1R(p, step, r, &count, 40.0f, 180.0f);
    benchmark::DoNotOptimize(count);
  });
  Bytes("HistogramEven_8u_C1R", [](const uint8_t* p, int step, IppiSize r) {
    int histogram[256], levels[257];
    fnVCAIPP_HistogramEven_8u_C1R(p, step, r, histogram, levels, 257, 0, 256);
    benchmark::DoNotOptimize(histogram);
  });
  EachBuild("NormRel_L2_8u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer first = RandomPixels<uint8_t>(s, 4, 0, 255), second = RandomPixels<uint8_t>(s, 5, 0, 255);
    return [first, second, s] {
      double value;
      fnVCAIPP_NormRel_L2_8u_C1R(first.data, s.width, second.data, s.width, Roi(s), &value);
      benchmark::DoNotOptimize(value);
    };
  });
}

const Registration kRegistration(RegisterStatistics);

}  // namespace
}  // namespace ryn::bench
