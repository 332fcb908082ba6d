// The logic, thresholds, comparisons, minimum and maximum and the linear lookup under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

// Two random frames of T pixels and a byte frame, rows without padding; `call(first, second,
// bytes, step of T rows, region)`.
template <class T, class Call>
void Frames(const std::string& operation, T low, T high, Call call) {
  EachBuild(operation, [low, high, call](FrameSize s) -> std::function<void()> {
    OffsetBuffer first = RandomPixels<T>(s, 1, low, high), second = RandomPixels<T>(s, 2, low, high);
    OffsetBuffer bytes = RandomPixels<uint8_t>(s, 3, 0, 255);
    return [first, second, bytes, s, call] {
      call(reinterpret_cast<T*>(first.data), reinterpret_cast<T*>(second.data), bytes.data, int(s.width * sizeof(T)),
           Roi(s));
    };
  });
}

constexpr int32_t kLevels[5] = {0, 40, 128, 200, 256};
constexpr int32_t kValues[5] = {0, 90, 100, 240, 255};

void RegisterLogic() {
  using B = uint8_t;
  Frames<B>("And_8u_C1R", 0, 255,
            [](B* a, B* b, B* d, int st, IppiSize r) { fnVCAIPP_And_8u_C1R(a, b, d, r, st, st, st); });
  Frames<B>("Or_8u_C1R", 0, 255,
            [](B* a, B* b, B* d, int st, IppiSize r) { fnVCAIPP_Or_8u_C1R(a, b, d, r, st, st, st); });
  Frames<B>("Xor_8u_C1IR", 0, 255, [](B* a, B* b, B*, int st, IppiSize r) { fnVCAIPP_Xor_8u_C1IR(a, b, r, st, st); });
  Frames<B>("Not_8u_C1R", 0, 255, [](B* a, B*, B* d, int st, IppiSize r) { fnVCAIPP_Not_8u_C1R(a, d, r, st, st); });
  Frames<B>("MinEvery_8u_C1IR", 0, 255,
            [](B* a, B* b, B*, int st, IppiSize r) { fnVCAIPP_MinEvery_8u_C1IR(a, b, st, r); });
  Frames<B>("MaxEvery_8u_C1IR", 0, 255,
            [](B* a, B* b, B*, int st, IppiSize r) { fnVCAIPP_MaxEvery_8u_C1IR(a, b, st, r); });
  Frames<B>("Threshold_8u_C1R", 0, 255,
            [](B* a, B*, B* d, int st, IppiSize r) { fnVCAIPP_Threshold_8u_C1R(a, st, d, st, r, 100); });
  Frames<float>("Threshold_32f_C1IR", -1.0f, 1.0f,
                [](float* a, float*, B*, int st, IppiSize r) { fnVCAIPP_Threshold_32f_C1IR(a, 0.25f, r, st, 1); });
  Frames<B>("Threshold_Val_8u_C1IR", 0, 255,
            [](B* a, B*, B*, int st, IppiSize r) { fnVCAIPP_Threshold_Val_8u_C1IR(a, st, r, 100, 7, 4); });
  Frames<B>("ThresholdLTGT_8u_C1IR", 0, 255,
            [](B* a, B*, B*, int st, IppiSize r) { fnVCAIPP_ThresholdLTGT_8u_C1IR(a, r, st, 64, 192); });
  Frames<B>("Compare_8u_C1R", 0, 255,
            [](B* a, B* b, B* d, int st, IppiSize r) { fnVCAIPP_Compare_8u_C1R(a, st, b, st, d, st, r, 3); });
  Frames<B>("CompareC_8u_C1R", 0, 255,
            [](B* a, B*, B* d, int st, IppiSize r) { fnVCAIPP_CompareC_8u_C1R(a, st, 128, d, st, r, 0); });
  Frames<float>("Compare_32f_C1R", -1.0f, 1.0f, [](float* a, float* b, B* d, int st, IppiSize r) {
    fnVCAIPP_Compare_32f_C1R(a, st, b, st, d, r.width, r, 1);
  });
  Frames<float>("CompareC_32f_C1R", -1.0f, 1.0f, [](float* a, float*, B* d, int st, IppiSize r) {
    fnVCAIPP_CompareC_32f_C1R(a, st, 0.0f, d, r.width, r, 4);
  });
  Frames<B>("LUT_Linear_8u_C1R", 0, 255, [](B* a, B*, B* d, int st, IppiSize r) {
    fnVCAIPP_LUT_Linear_8u_C1R(a, st, d, st, r, kValues, kLevels, 5);
  });
}

const Registration kRegistration(RegisterLogic);

}  // namespace
}  // namespace ryn::bench
