// Linear filters against OpenCV on one 1920 x 1080 frame, single thread.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFrame{1920, 1080};

IppiSize Roi(FrameSize s) { return IppiSize{s.width, s.height}; }

template <int Bytes>
int64_t Traffic(FrameSize s) {
  return int64_t{s.width} * s.height * Bytes * 2;
}

cv::Mat RandomFrame(FrameSize s, int type) {
  cv::Mat frame(s.height, s.width, type);
  cv::randu(frame, 0, 255);
  return frame;
}

std::string MaskName(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// Our export and an OpenCV call on the same random frame into a second frame.
template <class OursFn, class TheirsFn>
void Pair(const std::string& operation, const std::string& peer, int type, OursFn ours, TheirsFn theirs) {
  const auto traffic = type == CV_32F ? Traffic<4> : Traffic<1>;
  Ours(operation, kFrame, [type, ours](FrameSize s) -> std::function<void()> {
    cv::Mat source = RandomFrame(s, type), destination(s.height, s.width, type);
    return [source, destination, ours, s]() mutable { ours(source, destination, s); };
  }, traffic);
  Peer(peer, operation, kFrame, [type, theirs](FrameSize s) -> std::function<void()> {
    cv::Mat source = RandomFrame(s, type), destination(s.height, s.width, type);
    return [source, destination, theirs]() mutable { theirs(source, destination); };
  }, traffic);
}

void RegisterAll() {
  cv::setNumThreads(1);
  for (int k : {3, 5, 7, 15}) {
    Pair("FilterBox_8u_C1R_" + MaskName(k, k), "OpenCV blur", CV_8U,
         [k](cv::Mat& s, cv::Mat& d, FrameSize f) {
           fnVCAIPP_FilterBox_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f), k, k);
         },
         [k](cv::Mat& s, cv::Mat& d) { cv::blur(s, d, cv::Size(k, k)); });
  }
  Pair("FilterBox_32f_C1R_5x5", "OpenCV blur", CV_32F,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterBox_32f_C1R(s.ptr<float>(), int(s.step), d.ptr<float>(), int(d.step), Roi(f), 5, 5);
       },
       [](cv::Mat& s, cv::Mat& d) { cv::blur(s, d, cv::Size(5, 5)); });
  for (int code : {33, 55}) {
    const int k = code / 11;
    Pair("FilterGauss_8u_C1R_" + std::to_string(code), "OpenCV GaussianBlur", CV_8U,
         [code](cv::Mat& s, cv::Mat& d, FrameSize f) {
           fnVCAIPP_FilterGauss_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f), code);
         },
         [k](cv::Mat& s, cv::Mat& d) { cv::GaussianBlur(s, d, cv::Size(k, k), 0); });
  }
  static const std::vector<int32_t> kKernel = {1, 2, 3, 2, 1, 2, 4, 6, 4, 2, 3, 6, 9, 6, 3, 2, 4, 6, 4, 2, 1, 2, 3, 2, -1};
  Pair("Filter_8u_C1R_5x5", "OpenCV filter2D", CV_8U,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_Filter_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f), kKernel.data(), {5, 5}, 79);
       },
       [](cv::Mat& s, cv::Mat& d) {
         static const cv::Mat kernel = [] {
           cv::Mat k(5, 5, CV_32F);
           for (int i = 0; i < 25; ++i) k.at<float>(24 - i) = float(kKernel[i]) / 79.0f;
           return k;
         }();
         cv::filter2D(s, d, -1, kernel);
       });
  Pair("FilterGaussBorder_32f_C1R_7", "OpenCV GaussianBlur", CV_32F,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterGaussBorder_32f_C1R(s.ptr<float>(), int(s.step), d.ptr<float>(), int(d.step), Roi(f), 7, 2);
       },
       [](cv::Mat& s, cv::Mat& d) { cv::GaussianBlur(s, d, cv::Size(7, 7), 2.0, 2.0, cv::BORDER_REPLICATE); });
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
