// Logic, thresholds, comparisons, minimum and maximum and the linear lookup against memcpy and
// their OpenCV counterparts, 1920 x 1080, single thread. Where OpenCV has no single call doing
// the same work, the peer is its closest single pass (named after it).
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "RynRAZUdidazoror.h"
#include "arith_frames.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

// Two sources at 64-byte boundaries and a destination `offset` past one; 4-byte pixels are floats.
struct Images {
  Frame first;
  Frame second;
  Frame destination;
};
Images MakeImages(FrameSize s, int sourceBytes, int destinationBytes, size_t offset) {
  return Images{MakeFrame(s, sourceBytes, 0, 1, sourceBytes == 4, -1.0, 1.0),
                MakeFrame(s, sourceBytes, 0, 2, sourceBytes == 4, -1.0, 1.0),
                MakeFrame(s, destinationBytes, offset, 3, destinationBytes == 4, -1.0, 1.0)};
}

// `ours` and `openCv` get the images; in-place operations work on the destination.
using Call = void (*)(const Images&);

void Register(const std::string& operation, int readPerPixel, int writtenPerPixel, int sourceBytes,
              int destinationBytes, Call ours, const std::string& peer, Call openCv) {
  RegisterAgainstOpenCv(
      operation, readPerPixel, writtenPerPixel,
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Images images = MakeImages(s, sourceBytes, destinationBytes, offset);
        return [images, ours] { ours(images); };
      },
      peer,
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Images images = MakeImages(s, sourceBytes, destinationBytes, offset);
        return [images, openCv] { openCv(images); };
      });
}

cv::Mat Bytes(const Frame& f) { return f.mat(CV_8UC1); }
cv::Mat Floats(const Frame& f) { return f.mat(CV_32FC1); }

void RegisterLogic() {
  Register("And_8u_C1R", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_And_8u_C1R(i.first.data, i.second.data, i.destination.data, i.first.region(), i.first.step(),
                                 i.second.step(), i.destination.step());
           },
           "OpenCV bitwise_and",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_and(Bytes(i.first), Bytes(i.second), d);
           });
  Register("Or_8u_C1R", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Or_8u_C1R(i.first.data, i.second.data, i.destination.data, i.first.region(), i.first.step(),
                                i.second.step(), i.destination.step());
           },
           "OpenCV bitwise_or",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_or(Bytes(i.first), Bytes(i.second), d);
           });
  Register("And_8u_C1IR", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_And_8u_C1IR(i.first.data, i.destination.data, i.first.region(), i.first.step(),
                                  i.destination.step());
           },
           "OpenCV bitwise_and",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_and(d, Bytes(i.first), d);
           });
  Register("Or_8u_C1IR", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Or_8u_C1IR(i.first.data, i.destination.data, i.first.region(), i.first.step(),
                                 i.destination.step());
           },
           "OpenCV bitwise_or",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_or(d, Bytes(i.first), d);
           });
  Register("Xor_8u_C1IR", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Xor_8u_C1IR(i.first.data, i.destination.data, i.first.region(), i.first.step(),
                                  i.destination.step());
           },
           "OpenCV bitwise_xor",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_xor(d, Bytes(i.first), d);
           });
  Register("Not_8u_C1R", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Not_8u_C1R(i.first.data, i.destination.data, i.first.region(), i.first.step(),
                                 i.destination.step());
           },
           "OpenCV bitwise_not",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_not(Bytes(i.first), d);
           });
  Register("Not_8u_C1IR", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Not_8u_C1IR(i.destination.data, i.destination.region(), i.destination.step());
           },
           "OpenCV bitwise_not",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::bitwise_not(d, d);
           });
  Register("MinEvery_8u_C1IR", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_MinEvery_8u_C1IR(i.first.data, i.destination.data, i.first.step(), i.first.region());
           },
           "OpenCV min",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::min(Bytes(i.first), d, d);
           });
  Register("MaxEvery_8u_C1IR", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_MaxEvery_8u_C1IR(i.first.data, i.destination.data, i.first.step(), i.first.region());
           },
           "OpenCV max",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::max(Bytes(i.first), d, d);
           });
}

void RegisterThresholds() {
  Register("Threshold_8u_C1R", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Threshold_8u_C1R(i.first.data, i.first.step(), i.destination.data, i.destination.step(),
                                       i.first.region(), 100);
           },
           "OpenCV min scalar",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::min(Bytes(i.first), 100.0, d);
           });
  Register("Threshold_8u_C1IR", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Threshold_8u_C1IR(i.destination.data, i.destination.region(), i.destination.step(), 100, 0);
           },
           "OpenCV max scalar",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::max(d, 100.0, d);
           });
  // In place: the pixels stop changing after the first pass, in both.
  Register("Threshold_32f_C1IR", 4, 4, 4, 4,
           [](const Images& i) {
             fnVCAIPP_Threshold_32f_C1IR(i.destination.as<float>(), 0.5f, i.destination.region(),
                                         i.destination.step(), 1);
           },
           "OpenCV threshold",
           [](const Images& i) {
             cv::Mat d = Floats(i.destination);
             cv::threshold(d, d, 0.5, 0.0, cv::THRESH_TRUNC);
           });
  Register("Threshold_Val_8u_C1IR", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Threshold_Val_8u_C1IR(i.destination.data, i.destination.step(), i.destination.region(), 100,
                                            7, 4);
           },
           "OpenCV threshold",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::threshold(d, d, 100, 7, cv::THRESH_BINARY);
           });
  Register("ThresholdLTGT_8u_C1IR", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_ThresholdLTGT_8u_C1IR(i.destination.data, i.destination.region(), i.destination.step(), 50,
                                            200);
           },
           "OpenCV threshold",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::threshold(d, d, 200, 0, cv::THRESH_TRUNC);
           });
  Register("Binarize_8u_C1IR", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Binarize_8u_C1IR(i.destination.data, i.destination.region(), i.destination.step(), 128);
           },
           "OpenCV threshold",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::threshold(d, d, 128, 255, cv::THRESH_BINARY);
           });
}

void RegisterComparisons() {
  Register("Compare_8u_C1R", 2, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_Compare_8u_C1R(i.first.data, i.first.step(), i.second.data, i.second.step(),
                                     i.destination.data, i.destination.step(), i.first.region(), 3);
           },
           "OpenCV compare",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::compare(Bytes(i.first), Bytes(i.second), d, cv::CMP_GE);
           });
  Register("Compare_32f_C1R", 8, 1, 4, 1,
           [](const Images& i) {
             fnVCAIPP_Compare_32f_C1R(i.first.as<float>(), i.first.step(), i.second.as<float>(), i.second.step(),
                                      i.destination.data, i.destination.step(), i.first.region(), 0);
           },
           "OpenCV compare",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::compare(Floats(i.first), Floats(i.second), d, cv::CMP_LT);
           });
  Register("CompareC_8u_C1R", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_CompareC_8u_C1R(i.first.data, i.first.step(), 128, i.destination.data, i.destination.step(),
                                      i.first.region(), 4);
           },
           "OpenCV compare",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::compare(Bytes(i.first), 128.0, d, cv::CMP_GT);
           });
  Register("CompareC_32f_C1R", 4, 1, 4, 1,
           [](const Images& i) {
             fnVCAIPP_CompareC_32f_C1R(i.first.as<float>(), i.first.step(), 0.25f, i.destination.data,
                                       i.destination.step(), i.first.region(), 1);
           },
           "OpenCV compare",
           [](const Images& i) {
             cv::Mat d = Bytes(i.destination);
             cv::compare(Floats(i.first), 0.25, d, cv::CMP_LE);
           });
}

// A table of four segments; ours builds it on every call, OpenCV gets it built.
constexpr int32_t kLevels[] = {0, 40, 100, 180, 256};
constexpr int32_t kValues[] = {0, 120, 60, 250, 255};

void RegisterLookUp() {
  Register("LUT_Linear_8u_C1R", 1, 1, 1, 1,
           [](const Images& i) {
             fnVCAIPP_LUT_Linear_8u_C1R(i.first.data, i.first.step(), i.destination.data, i.destination.step(),
                                        i.first.region(), kValues, kLevels, 5);
           },
           "OpenCV LUT",
           [](const Images& i) {
             static const cv::Mat table = [] {
               cv::Mat t(1, 256, CV_8UC1);
               for (int v = 0; v < 256; ++v) t.at<uint8_t>(v) = uint8_t(v);
               fnVCAIPP_LUT_Linear_8u_C1IR(t.data, 256, IppiSize{256, 1}, kValues, kLevels, 5);
               return t;
             }();
             cv::Mat d = Bytes(i.destination);
             cv::LUT(Bytes(i.first), table, d);
           });
}

void RegisterAll() {
  RegisterLogic();
  RegisterThresholds();
  RegisterComparisons();
  RegisterLookUp();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
