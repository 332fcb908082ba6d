// The arithmetic, accumulations and alpha compositing under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

float* Floats(const OffsetBuffer& buffer) { return reinterpret_cast<float*>(buffer.data); }

// `call(first, second, destination, step, region)` on two random 8-bit frames.
template <class Call>
void TwoByteFrames(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer first = RandomPixels<uint8_t>(s, 1, 0, 255), second = RandomPixels<uint8_t>(s, 2, 0, 255);
    OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, 0);
    return [=] { call(first.data, second.data, destination.data, s.width, Roi(s)); };
  });
}

// `call(bytes, floats, byteStep, floatStep, region)` on a random 8-bit frame and a float frame
// of values 0..255 (the accumulator or the float image worked in place).
template <class Call>
void BytesAndFloats(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer bytes = RandomPixels<uint8_t>(s, 3, 0, 255), floats = RandomPixels<float>(s, 4, 0.0f, 255.0f);
    return [=] { call(bytes.data, Floats(floats), s.width, s.width * 4, Roi(s)); };
  });
}

void RegisterByteArithmetic() {
  for (int scale : {0, 1, -2}) {
    TwoByteFrames("Add_8u_C1R scale " + std::to_string(scale),
                  [scale](const uint8_t* a, const uint8_t* b, uint8_t* d, int step, IppiSize r) {
                    fnVCAIPP_Add_8u_C1R(a, b, d, r, step, step, step, scale);
                  });
  }
  TwoByteFrames("Sub_8u_C1R", [](const uint8_t* a, const uint8_t* b, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_Sub_8u_C1R(a, b, d, r, step, step, step, 0);
  });
  TwoByteFrames("AddC_8u_C1R scale 1", [](const uint8_t* a, const uint8_t*, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_AddC_8u_C1R(9, a, d, r, step, step, 1);
  });
  TwoByteFrames("MulC_8u_C1RSfs scale 2", [](const uint8_t* a, const uint8_t*, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_MulC_8u_C1RSfs(a, d, 37, r, step, step, 2);
  });
  TwoByteFrames("DivC_8u_C1RSfs", [](const uint8_t* a, const uint8_t*, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_DivC_8u_C1RSfs(a, d, r, step, 3, -1);
  });
  TwoByteFrames("Ln_8u_C1IRSfs scale -3", [](const uint8_t* a, const uint8_t*, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_Ln_8u_C1IRSfs(a, step, d, step, r, -3);
  });
  TwoByteFrames("AbsDiff_8u_C1R", [](const uint8_t* a, const uint8_t* b, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_AbsDiff_8u_C1R(a, b, d, r, step);
  });
  TwoByteFrames("AlphaCompC_8u_C1R over", [](const uint8_t* a, const uint8_t* b, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_AlphaCompC_8u_C1R(a, step, 180, b, step, 255, d, step, r, 0);
  });
  TwoByteFrames("AlphaCompC_8u_C1R xor", [](const uint8_t* a, const uint8_t* b, uint8_t* d, int step, IppiSize r) {
    fnVCAIPP_AlphaCompC_8u_C1R(a, step, 180, b, step, 99, d, step, r, 4);
  });
}

void RegisterFloatArithmetic() {
  EachBuild("Add_32f_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer a = RandomPixels<float>(s, 5, -1.0f, 1.0f), b = RandomPixels<float>(s, 6, -1.0f, 1.0f);
    OffsetBuffer d = BufferAt(size_t(s.width) * s.height * 4, 0);
    const int step = s.width * 4;
    return [=] { fnVCAIPP_Add_32f_C1R(Floats(a), step, Floats(b), step, Floats(d), step, Roi(s)); };
  });
  // Divisors of 1 keep the quotients, so that repeated runs in place never reach subnormals.
  EachBuild("Div_32f_C1IR", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer a = RandomPixels<float>(s, 7, 1.0f, 1.0f), b = RandomPixels<float>(s, 8, 0.5f, 2.0f);
    return [=] { fnVCAIPP_Div_32f_C1IR(Floats(a), Floats(b), Roi(s), s.width * 4); };
  });
  EachBuild("Exp_32f_C1IR", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer a = RandomPixels<float>(s, 9, -1.0f, 1.0f);
    return [=] { fnVCAIPP_Exp_32f_C1IR(Floats(a), s.width * s.height); };
  });
  EachBuild("Ln_32f_C1IR", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer a = RandomPixels<float>(s, 10, 1.0f, 100.0f);
    return [=] { fnVCAIPP_Ln_32f_C1IR(Floats(a), s.width * s.height); };
  });
}

void RegisterAccumulations() {
  BytesAndFloats("Add_8u32f_C1IR", [](const uint8_t* b, float* f, int byteStep, int floatStep, IppiSize r) {
    fnVCAIPP_Add_8u32f_C1IR(b, byteStep, f, floatStep, r);
  });
  BytesAndFloats("AddSquare_8u32f_C1IR", [](const uint8_t* b, float* f, int byteStep, int floatStep, IppiSize r) {
    fnVCAIPP_AddSquare_8u32f_C1IR(b, f, r, byteStep, floatStep);
  });
  BytesAndFloats("AddProduct_8u32f_C1IR", [](const uint8_t* b, float* f, int byteStep, int floatStep, IppiSize r) {
    fnVCAIPP_AddProduct_8u32f_C1IR(b, byteStep, b, byteStep, f, floatStep, r);
  });
  BytesAndFloats("AddWeighted_8u32f_C1IR", [](const uint8_t* b, float* f, int byteStep, int floatStep, IppiSize r) {
    fnVCAIPP_AddWeighted_8u32f_C1IR(b, f, r, byteStep, floatStep, 0.05f);
  });
  EachBuild("AddWeighted_8u32f_C1IMR", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer bytes = RandomPixels<uint8_t>(s, 11, 0, 255), floats = RandomPixels<float>(s, 12, 0.0f, 255.0f);
    OffsetBuffer mask = CentreMask(s);
    return [=] {
      fnVCAIPP_AddWeighted_8u32f_C1IMR(bytes.data, Floats(floats), mask.data, Roi(s), s.width, s.width * 4, 0.05f);
    };
  });
}

void RegisterAll() {
  RegisterByteArithmetic();
  RegisterFloatArithmetic();
  RegisterAccumulations();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
