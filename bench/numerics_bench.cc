// Random generators, the element-wise functions and the Jaehne pattern, against OpenCV (randu,
// randn, phase, magnitude) and plain loops over the C library.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <opencv2/core.hpp>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kMillion = {1000000, 1};
constexpr FrameSize kFullHd = {1920, 1080};

int64_t Elements(FrameSize s) { return int64_t{s.width} * s.height; }
int64_t FloatsWritten(FrameSize s) { return Elements(s) * 4; }
// Two float sources read and one written.
int64_t FloatsOfThreeVectors(FrameSize s) { return Elements(s) * 12; }

float* FloatsOf(const OffsetBuffer& buffer) { return reinterpret_cast<float*>(buffer.data); }

// Polar-like operands: a unit-scale spread with both signs, as phase and magnitude see them.
OffsetBuffer Operands(size_t count, uint32_t seed) {
  OffsetBuffer values = BufferAt(count * 4, 0);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> uniform(-100.0f, 100.0f);
  for (size_t i = 0; i < count; ++i) FloatsOf(values)[i] = uniform(rng);
  return values;
}

void RegisterGenerators() {
  Ours("RandUniform_32f", kMillion, [](FrameSize s) -> std::function<void()> {
    RynRandUniformState32f* state = nullptr;
    fnVCAIPP_RandUniformInitAlloc_32f(&state, -1.0f, 1.0f, 1);
    OffsetBuffer destination = BufferAt(size_t(s.width) * 4, 0);
    std::shared_ptr<RynRandUniformState32f> owner(state, fnVCAIPP_RandUniformFree_32f);
    return [owner, destination, s] { fnVCAIPP_RandUniform_32f(FloatsOf(destination), s.width, owner.get()); };
  }, FloatsWritten);
  Peer("OpenCV randu", "RandUniform_32f", kMillion, [](FrameSize s) -> std::function<void()> {
    auto rng = std::make_shared<cv::RNG>(1);
    cv::Mat destination(1, s.width, CV_32FC1);
    return [rng, destination]() mutable { rng->fill(destination, cv::RNG::UNIFORM, -1.0f, 1.0f); };
  }, FloatsWritten);

  Ours("RandGauss_32f", kMillion, [](FrameSize s) -> std::function<void()> {
    RynRandGaussState32f* state = nullptr;
    fnVCAIPP_RandGaussInitAlloc_32f(&state, 0.0f, 1.0f, 1);
    OffsetBuffer destination = BufferAt(size_t(s.width) * 4, 0);
    std::shared_ptr<RynRandGaussState32f> owner(state, fnVCAIPP_RandGaussFree_32f);
    return [owner, destination, s] { fnVCAIPP_RandGauss_32f(FloatsOf(destination), s.width, owner.get()); };
  }, FloatsWritten);
  Peer("OpenCV randn", "RandGauss_32f", kMillion, [](FrameSize s) -> std::function<void()> {
    auto rng = std::make_shared<cv::RNG>(1);
    cv::Mat destination(1, s.width, CV_32FC1);
    return [rng, destination]() mutable { rng->fill(destination, cv::RNG::NORMAL, 0.0f, 1.0f); };
  }, FloatsWritten);
}

// Our vector function and OpenCV's, on the same operands, the destination `offset` bytes past a
// 64-byte boundary.
using VectorExport = IppStatus (*)(const float*, const float*, float*, int);
using OpenCvFunction = void (*)(cv::InputArray, cv::InputArray, cv::OutputArray);

void RegisterVectorPair(const std::string& operation, VectorExport ours, const std::string& peer,
                        OpenCvFunction opencv, int offset) {
  Ours(AtOffset(operation, offset), kMillion, [ours, offset](FrameSize s) -> std::function<void()> {
    OffsetBuffer first = Operands(size_t(s.width), 1), second = Operands(size_t(s.width), 2);
    OffsetBuffer destination = BufferAt(size_t(s.width) * 4, size_t(offset));
    return [=] { ours(FloatsOf(first), FloatsOf(second), FloatsOf(destination), s.width); };
  }, FloatsOfThreeVectors);
  Peer(peer, AtOffset(operation, offset), kMillion, [opencv, offset](FrameSize s) -> std::function<void()> {
    OffsetBuffer first = Operands(size_t(s.width), 1), second = Operands(size_t(s.width), 2);
    OffsetBuffer destination = BufferAt(size_t(s.width) * 4, size_t(offset));
    const cv::Mat x(1, s.width, CV_32FC1, FloatsOf(second)), y(1, s.width, CV_32FC1, FloatsOf(first));
    cv::Mat out(1, s.width, CV_32FC1, FloatsOf(destination));
    // The Mats wrap the buffers: keep the buffers with them.
    return [first, second, destination, x, y, out, opencv]() mutable { opencv(x, y, out); };
  }, FloatsOfThreeVectors);
}

void OpenCvPhase(cv::InputArray x, cv::InputArray y, cv::OutputArray angle) { cv::phase(x, y, angle, false); }
void OpenCvMagnitude(cv::InputArray x, cv::InputArray y, cv::OutputArray magnitude) { cv::magnitude(x, y, magnitude); }

void RegisterVectorFunctions() {
  for (int offset : kOffsets) {
    RegisterVectorPair("Atan2_32f_C1R", fnVCAIPP_Atan2_32f_C1R, "OpenCV phase", OpenCvPhase, offset);
    RegisterVectorPair("Hypot_32f_C1R", fnVCAIPP_Hypot_32f_C1R, "OpenCV magnitude", OpenCvMagnitude, offset);
  }
}

void RegisterImages() {
  Ours("SinA11_32f_C1R", kFullHd, [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = Operands(size_t(Elements(s)), 3), destination = BufferAt(size_t(Elements(s)) * 4, 0);
    const int step = s.width * 4;
    return [=] {
      fnVCAIPP_SinA11_32f_C1R(FloatsOf(source), step, FloatsOf(destination), step, IppiSize{s.width, s.height});
    };
  }, [](FrameSize s) { return Elements(s) * 8; });
  Peer("C library sinf", "SinA11_32f_C1R", kFullHd, [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = Operands(size_t(Elements(s)), 3), destination = BufferAt(size_t(Elements(s)) * 4, 0);
    return [=] {
      for (int64_t i = 0; i < Elements(s); ++i) FloatsOf(destination)[i] = std::sin(FloatsOf(source)[i]);
    };
  }, [](FrameSize s) { return Elements(s) * 8; });

  Ours("ImageJaehne_8u_C1R", kFullHd, [](FrameSize s) -> std::function<void()> {
    cv::Mat image(s.height, s.width, CV_8UC1);
    return [image, s]() mutable { fnVCAIPP_ImageJaehne_8u_C1R(image.data, int(image.step), IppiSize{s.width, s.height}); };
  }, Elements);
  // The pattern's formula per pixel with the C library's double sine.
  Peer("C library sin", "ImageJaehne_8u_C1R", kFullHd, [](FrameSize s) -> std::function<void()> {
    cv::Mat image(s.height, s.width, CV_8UC1);
    return [image, s]() mutable {
      const double twoPi = 6.283185307179586, fourHeight = 4.0 * s.height;
      for (int y = 0; y < s.height; ++y) {
        const double yc = y - (s.height - 1) / 2.0;
        uint8_t* row = image.ptr(y);
        for (int x = 0; x < s.width; ++x) {
          const double xc = x - (s.width - 1) / 2.0;
          row[x] = static_cast<uint8_t>((std::sin((xc * xc + yc * yc) * twoPi / fourHeight) + 1.0) * 127.99999);
        }
      }
    };
  }, Elements);
}

void RegisterAll() {
  RegisterGenerators();
  RegisterVectorFunctions();
  RegisterImages();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
