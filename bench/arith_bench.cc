// Arithmetic, accumulations and alpha compositing against memcpy and their OpenCV counterparts,
// 1920 x 1080, single thread. Where OpenCV has no call doing the same work, the peer is its
// closest single pass (named after it).
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "RynRAZUdidazoror.h"
#include "arith_frames.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

// Two sources at 64-byte boundaries and a destination (the accumulator of the in-place forms)
// `offset` past one. Float frames hold values in 0..255.
struct Images {
  Frame first;
  Frame second;
  Frame destination;
};
Images MakeImages(FrameSize s, int sourceBytes, int destinationBytes, size_t offset) {
  return Images{MakeFrame(s, sourceBytes, 0, 1, sourceBytes == 4),
                MakeFrame(s, sourceBytes, 0, 2, sourceBytes == 4),
                MakeFrame(s, destinationBytes, offset, 3, destinationBytes == 4)};
}

using Call = void (*)(const Images&);

void Register(const std::string& operation, int readPerPixel, int writtenPerPixel, int sourceBytes,
              int destinationBytes, Call ours, const std::string& peer, Call openCv) {
  const auto body = [=](Call call) {
    return [=](FrameSize s, size_t offset) -> std::function<void()> {
      const Images images = MakeImages(s, sourceBytes, destinationBytes, offset);
      return [images, call] { call(images); };
    };
  };
  RegisterAgainstOpenCv(operation, readPerPixel, writtenPerPixel, body(ours), peer, body(openCv));
}

cv::Mat Bytes(const Frame& f) { return f.mat(CV_8UC1); }
cv::Mat Floats(const Frame& f) { return f.mat(CV_32FC1); }
float* FloatData(const Frame& f) { return f.as<float>(); }

void RegisterByteArithmetic() {
  Register("Add_8u_C1R", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Add_8u_C1R(i.first.data, i.second.data, i.destination.data, i.first.region(), i.first.step(),
                                 i.second.step(), i.destination.step(), 0);
           },
           "OpenCV add",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::add(Bytes(i.first), Bytes(i.second), d);
           });
  Register("Sub_8u_C1R", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Sub_8u_C1R(i.first.data, i.second.data, i.destination.data, i.first.region(), i.first.step(),
                                 i.second.step(), i.destination.step(), 0);
           },
           "OpenCV subtract",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::subtract(Bytes(i.second), Bytes(i.first), d);
           });
  Register("AbsDiff_8u_C1R", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_AbsDiff_8u_C1R(i.first.data, i.second.data, i.destination.data, i.first.region(),
                                     i.first.step());
           },
           "OpenCV absdiff",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::absdiff(Bytes(i.first), Bytes(i.second), d);
           });
  // x 37 / 4, rounded to even and saturated.
  Register("MulC_8u_C1RSfs scale 2", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_MulC_8u_C1RSfs(i.first.data, i.destination.data, 37, i.first.region(), i.first.step(),
                                     i.destination.step(), 2);
           },
           "OpenCV multiply with scale",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::multiply(Bytes(i.first), cv::Scalar(37), d, 0.25);
           });
  // Over with constant alphas: the peer blends the two images with weights, as over does.
  Register("AlphaCompC_8u_C1R over", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_AlphaCompC_8u_C1R(i.first.data, i.first.step(), 180, i.second.data, i.second.step(), 255,
                                        i.destination.data, i.destination.step(), i.first.region(), 0);
           },
           "OpenCV addWeighted",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::addWeighted(Bytes(i.first), 180.0 / 255, Bytes(i.second), 75.0 / 255, 0.0, d);
           });
}

void RegisterFloatArithmetic() {
  Register("Add_32f_C1R", 8, 4, 4, 4,
           [](const Images& i) {
             fnVCAIPP_Add_32f_C1R(FloatData(i.first), i.first.step(), FloatData(i.second), i.second.step(),
                                  FloatData(i.destination), i.destination.step(), i.first.region());
           },
           "OpenCV add",
           [](const Images& i) {
             cv::Mat d = Floats(i.destination);
             cv::add(Floats(i.first), Floats(i.second), d);
           });
  Register("Mul_32f_C1R", 8, 4, 4, 4,
           [](const Images& i) {
             fnVCAIPP_Mul_32f_C1R(FloatData(i.first), FloatData(i.second), FloatData(i.destination),
                                  i.first.region(), i.first.step(), i.second.step(), i.destination.step());
           },
           "OpenCV multiply",
           [](const Images& i) {
             cv::Mat d = Floats(i.destination);
             cv::multiply(Floats(i.first), Floats(i.second), d);
           });
}

void RegisterAccumulations() {
  Register("AddWeighted_8u32f_C1IR", 5, 4, 1, 4,
           [](const Images& i) {
             fnVCAIPP_AddWeighted_8u32f_C1IR(i.first.data, FloatData(i.destination), i.first.region(),
                                             i.first.step(), i.destination.step(), 0.05f);
           },
           "OpenCV accumulateWeighted",
           [](const Images& i) {
             cv::Mat d = Floats(i.destination);
             cv::accumulateWeighted(Bytes(i.first), d, 0.05);
           });
  Register("AddSquare_8u32f_C1IR", 5, 4, 1, 4,
           [](const Images& i) {
             fnVCAIPP_AddSquare_8u32f_C1IR(i.first.data, FloatData(i.destination), i.first.region(), i.first.step(),
                                           i.destination.step());
           },
           "OpenCV accumulateSquare",
           [](const Images& i) {
             cv::Mat d = Floats(i.destination);
             cv::accumulateSquare(Bytes(i.first), d);
           });
  Register("AddProduct_8u32f_C1IR", 6, 4, 1, 4,
           [](const Images& i) {
             fnVCAIPP_AddProduct_8u32f_C1IR(i.first.data, i.first.step(), i.second.data, i.second.step(),
                                            FloatData(i.destination), i.destination.step(), i.first.region());
           },
           "OpenCV accumulateProduct",
           [](const Images& i) {
             cv::Mat d = Floats(i.destination);
             cv::accumulateProduct(Bytes(i.first), Bytes(i.second), d);
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
