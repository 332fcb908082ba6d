// The random generators, the element-wise functions and the Jaehne pattern under each build, one
// sample or element per pixel of the frame.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

size_t Pixels(FrameSize s) { return size_t(s.width) * s.height; }

// A generator filling one frame of T through `call(destination, count)`.
template <class T, class Call>
void Generator(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer samples = BufferAt(Pixels(s) * sizeof(T), 0);
    return [samples, s, call] { call(reinterpret_cast<T*>(samples.data), s.width * s.height); };
  });
}

// A stateful generator: the state lives as long as the benchmark.
template <class T, class State, class Alloc, class Generate, class Free>
void StatefulGenerator(const std::string& operation, Alloc alloc, Generate generate, Free free) {
  EachBuild(operation, [=](FrameSize s) -> std::function<void()> {
    State* state = nullptr;
    alloc(&state);
    std::shared_ptr<State> owner(state, free);
    OffsetBuffer samples = BufferAt(Pixels(s) * sizeof(T), 0);
    return [owner, samples, s, generate] { generate(reinterpret_cast<T*>(samples.data), s.width * s.height, owner.get()); };
  });
}

void RegisterGenerators() {
  StatefulGenerator<uint8_t, RynRandUniformState8u>(
      "RandUniform_8u", [](auto** state) { return fnVCAIPP_RandUniformInitAlloc_8u(state, 0, 255, 1); },
      fnVCAIPP_RandUniform_8u, fnVCAIPP_RandUniformFree_8u);
  StatefulGenerator<int16_t, RynRandUniformState16s>(
      "RandUniform_16s", [](auto** state) { return fnVCAIPP_RandUniformInitAlloc_16s(state, -1000, 1000, 1); },
      fnVCAIPP_RandUniform_16s, fnVCAIPP_RandUniformFree_16s);
  StatefulGenerator<float, RynRandUniformState32f>(
      "RandUniform_32f", [](auto** state) { return fnVCAIPP_RandUniformInitAlloc_32f(state, -1.0f, 1.0f, 1); },
      fnVCAIPP_RandUniform_32f, fnVCAIPP_RandUniformFree_32f);
  StatefulGenerator<int16_t, RynRandGaussState16s>(
      "RandGauss_16s", [](auto** state) { return fnVCAIPP_RandGaussInitAlloc_16s(state, 0, 100, 1); },
      fnVCAIPP_RandGauss_16s, fnVCAIPP_RandGaussFree_16s);
  StatefulGenerator<float, RynRandGaussState32f>(
      "RandGauss_32f", [](auto** state) { return fnVCAIPP_RandGaussInitAlloc_32f(state, 0.0f, 1.0f, 1); },
      fnVCAIPP_RandGauss_32f, fnVCAIPP_RandGaussFree_32f);
  Generator<int16_t>("RandUniform_Direct_16s", [](int16_t* d, int n) {
    uint32_t seed = 1;
    fnVCAIPP_RandUniform_Direct_16s(d, n, -1000, 1000, &seed);
  });
  Generator<float>("RandUniform_Direct_32f", [](float* d, int n) {
    uint32_t seed = 1;
    fnVCAIPP_RandUniform_Direct_32f(d, n, -1.0f, 1.0f, &seed);
  });
  Generator<double>("RandUniform_Direct_64f", [](double* d, int n) {
    uint32_t seed = 1;
    fnVCAIPP_RandUniform_Direct_64f(d, n, -1.0, 1.0, &seed);
  });
  Generator<int16_t>("RandGauss_Direct_16s", [](int16_t* d, int n) {
    uint32_t seed = 1;
    fnVCAIPP_RandGauss_Direct_16s(d, n, 0, 100, &seed);
  });
  Generator<float>("RandGauss_Direct_32f", [](float* d, int n) {
    uint32_t seed = 1;
    fnVCAIPP_RandGauss_Direct_32f(d, n, 0.0f, 1.0f, &seed);
  });
  Generator<double>("RandGauss_Direct_64f", [](double* d, int n) {
    uint32_t seed = 1;
    fnVCAIPP_RandGauss_Direct_64f(d, n, 0.0, 1.0, &seed);
  });
}

// A vector function over one frame of operands spread over both signs.
void VectorFunction(const std::string& operation, IppStatus (*call)(const float*, const float*, float*, int)) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer first = RandomPixels<float>(s, 1, -100.0f, 100.0f), second = RandomPixels<float>(s, 2, -100.0f, 100.0f);
    OffsetBuffer destination = BufferAt(Pixels(s) * 4, 0);
    return [first, second, destination, s, call] {
      call(reinterpret_cast<const float*>(first.data), reinterpret_cast<const float*>(second.data),
           reinterpret_cast<float*>(destination.data), s.width * s.height);
    };
  });
}

void RegisterFunctions() {
  VectorFunction("Atan2_32f_C1R", fnVCAIPP_Atan2_32f_C1R);
  VectorFunction("Hypot_32f_C1R", fnVCAIPP_Hypot_32f_C1R);
  EachBuild("SinA11_32f_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<float>(s, 3, -100.0f, 100.0f), destination = BufferAt(Pixels(s) * 4, 0);
    return [source, destination, s] {
      fnVCAIPP_SinA11_32f_C1R(reinterpret_cast<const float*>(source.data), s.width * 4,
                              reinterpret_cast<float*>(destination.data), s.width * 4, Roi(s));
    };
  });
  EachBuild("ImageJaehne_8u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(Pixels(s), 0);
    return [image, s] { fnVCAIPP_ImageJaehne_8u_C1R(image.data, s.width, Roi(s)); };
  });
}

void RegisterAll() {
  RegisterGenerators();
  RegisterFunctions();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
