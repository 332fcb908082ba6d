// Linear filters and border copies against OpenCV on one 1920 x 1080 frame, single thread.
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

// The 3 x 3 box with its destination `offset` bytes past a 64-byte boundary (rows without padding,
// so every row starts there): a misaligned destination should cost no more than an aligned one.
void RegisterDestinationOffsets() {
  for (int offset : kOffsets) {
    const std::string operation = AtOffset("FilterBox_8u_C1R_3x3", offset);
    Ours(operation, kFrame, [offset](FrameSize s) -> std::function<void()> {
      cv::Mat source = RandomFrame(s, CV_8U);
      OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, offset);
      return [source, destination, s] {
        fnVCAIPP_FilterBox_8u_C1R(source.data, int(source.step), destination.data, s.width, Roi(s), 3, 3);
      };
    }, Traffic<1>);
    Peer("OpenCV blur", operation, kFrame, [offset](FrameSize s) -> std::function<void()> {
      cv::Mat source = RandomFrame(s, CV_8U);
      OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, offset);
      return [source, destination, s]() mutable {
        cv::Mat out(s.height, s.width, CV_8U, destination.data);
        cv::blur(source, out, cv::Size(3, 3));
      };
    }, Traffic<1>);
  }
}

void RegisterAll() {
  cv::setNumThreads(1);
  RegisterDestinationOffsets();
  for (int k : {3, 5, 7, 9, 15, 17, 23, 31}) {
    Pair("FilterBox_8u_C1R_" + MaskName(k, k), "OpenCV blur", CV_8U,
         [k](cv::Mat& s, cv::Mat& d, FrameSize f) {
           fnVCAIPP_FilterBox_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f), k, k);
         },
         [k](cv::Mat& s, cv::Mat& d) { cv::blur(s, d, cv::Size(k, k)); });
  }
  for (int k : {5, 15}) {
    Pair("FilterBox_32f_C1R_" + MaskName(k, k), "OpenCV blur", CV_32F,
         [k](cv::Mat& s, cv::Mat& d, FrameSize f) {
           fnVCAIPP_FilterBox_32f_C1R(s.ptr<float>(), int(s.step), d.ptr<float>(), int(d.step), Roi(f), k, k);
         },
         [k](cv::Mat& s, cv::Mat& d) { cv::blur(s, d, cv::Size(k, k)); });
  }
  for (int code : {33, 55}) {
    const int k = code / 11;
    Pair("FilterGauss_8u_C1R_" + std::to_string(code), "OpenCV GaussianBlur", CV_8U,
         [code](cv::Mat& s, cv::Mat& d, FrameSize f) {
           fnVCAIPP_FilterGauss_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f), code);
         },
         [k](cv::Mat& s, cv::Mat& d) { cv::GaussianBlur(s, d, cv::Size(k, k), 0); });
  }
  for (int code : {33, 55}) {
    const int k = code / 11;
    Pair("FilterHipass_8u_C1R_" + std::to_string(code), "OpenCV filter2D", CV_8U,
         [code](cv::Mat& s, cv::Mat& d, FrameSize f) {
           fnVCAIPP_FilterHipass_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f), code);
         },
         [k](cv::Mat& s, cv::Mat& d) {
           cv::Mat kernel(k, k, CV_32F, cv::Scalar(-1.0f));
           kernel.at<float>(k / 2, k / 2) = float(k * k - 1);
           cv::filter2D(s, d, -1, kernel);
         });
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
  Pair("Filter_32f_C1R_5x5", "OpenCV filter2D", CV_32F,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         static const std::vector<float> kernel(25, 0.04f);
         fnVCAIPP_Filter_32f_C1R(s.ptr<float>(2, 2), int(s.step), d.ptr<float>(2, 2), int(d.step),
                                 {f.width - 4, f.height - 4}, kernel.data(), {5, 5}, {2, 2});
       },
       [](cv::Mat& s, cv::Mat& d) { cv::filter2D(s, d, -1, cv::Mat(5, 5, CV_32F, cv::Scalar(0.04f))); });
  Pair("CopyReplicateBorder_8u_C1R_16", "OpenCV copyMakeBorder", CV_8U,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_CopyReplicateBorder_8u_C1R(s.data, d.data, f.width, f.height, int(s.step), 16);
       },
       [](cv::Mat& s, cv::Mat& d) {
         const cv::Mat inner = s(cv::Rect(16, 16, s.cols - 32, s.rows - 32));
         cv::copyMakeBorder(inner, d, 16, 16, 16, 16, cv::BORDER_REPLICATE);
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
