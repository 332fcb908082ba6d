// Rank filters, morphology, derivative filters and Canny against OpenCV on one 1920 x 1080 frame,
// single thread.
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

cv::Mat RandomFrame(FrameSize s, int type) {
  cv::Mat frame(s.height, s.width, type);
  cv::randu(frame, 0, 255);
  return frame;
}

// A frame with shapes and noise, so that edges are sparse as in video.
cv::Mat SceneFrame(FrameSize s) {
  cv::Mat frame(s.height, s.width, CV_8U, cv::Scalar(60));
  for (int i = 0; i < 40; ++i) {
    cv::circle(frame, {(i * 397) % s.width, (i * 211) % s.height}, 20 + (i * 37) % 90, cv::Scalar(90 + i * 3), -1);
  }
  cv::Mat noise(s.height, s.width, CV_8U);
  cv::randu(noise, 0, 12);
  return frame + noise;
}

template <int Bytes>
int64_t Traffic(FrameSize s) {
  return int64_t{s.width} * s.height * Bytes * 2;
}

// Our export and an OpenCV call on the same source frame into a destination frame.
template <class OursFn, class TheirsFn>
void Pair(const std::string& operation, const std::string& peer, int sourceType, int destinationType, OursFn ours,
          TheirsFn theirs) {
  auto traffic = sourceType == CV_32F ? Traffic<4> : Traffic<1>;
  Ours(operation, kFrame, [=](FrameSize s) -> std::function<void()> {
    cv::Mat source = RandomFrame(s, sourceType), destination(s.height, s.width, destinationType);
    return [source, destination, ours, s]() mutable { ours(source, destination, s); };
  }, traffic);
  Peer(peer, operation, kFrame, [=](FrameSize s) -> std::function<void()> {
    cv::Mat source = RandomFrame(s, sourceType), destination(s.height, s.width, destinationType);
    return [source, destination, theirs]() mutable { theirs(source, destination); };
  }, traffic);
}

using Export8u = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize);

void RegisterRankFilters() {
  const cv::Mat square = cv::getStructuringElement(cv::MORPH_RECT, {3, 3});
  Pair("FilterMedian_8u_C1R", "OpenCV medianBlur", CV_8U, CV_8U,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterMedian_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f));
       },
       [](cv::Mat& s, cv::Mat& d) { cv::medianBlur(s, d, 3); });
  Pair("FilterErode_8u_C1R", "OpenCV erode", CV_8U, CV_8U,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterErode_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f));
       },
       [square](cv::Mat& s, cv::Mat& d) { cv::erode(s, d, square); });
  Pair("FilterDilate_8u_C1R", "OpenCV dilate", CV_8U, CV_8U,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterDilate_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f));
       },
       [square](cv::Mat& s, cv::Mat& d) { cv::dilate(s, d, square); });
  Pair("Opening3x3_8u_C1R", "OpenCV morphologyEx", CV_8U, CV_8U,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_Opening3x3_8u_C1R(s.data, int(s.step), d.data, int(d.step), Roi(f));
       },
       [square](cv::Mat& s, cv::Mat& d) { cv::morphologyEx(s, d, cv::MORPH_OPEN, square); });
  // Destinations 16 bytes past a 64-byte boundary.
  for (int offset : kOffsets) {
    const std::string operation = AtOffset("FilterErode_8u_C1R", offset);
    Ours(operation, kFrame, [offset](FrameSize s) -> std::function<void()> {
      cv::Mat source = RandomFrame(s, CV_8U);
      OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, offset);
      return [source, destination, s] {
        fnVCAIPP_FilterErode_8u_C1R(source.data, int(source.step), destination.data, s.width, Roi(s));
      };
    }, Traffic<1>);
    Peer("OpenCV erode", operation, kFrame, [offset, square](FrameSize s) -> std::function<void()> {
      cv::Mat source = RandomFrame(s, CV_8U);
      OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, offset);
      return [source, destination, s, square]() mutable {
        cv::Mat out(s.height, s.width, CV_8U, destination.data);
        cv::erode(source, out, square);
      };
    }, Traffic<1>);
  }
}

void RegisterDerivatives() {
  Pair("FilterSobelHorizBorder_8u16s_C1R_3x3", "OpenCV Sobel", CV_8U, CV_16S,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         static std::vector<uint8_t> buffer(1 << 20);
         fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(s.data, int(s.step), d.ptr<int16_t>(), int(d.step), Roi(f), 33, 1, 0,
                                                   buffer.data());
       },
       [](cv::Mat& s, cv::Mat& d) { cv::Sobel(s, d, CV_16S, 0, 1, 3, 1, 0, cv::BORDER_REPLICATE); });
  Pair("FilterSobelHorizBorder_32f_C1R_3x3", "OpenCV Sobel", CV_32F, CV_32F,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterSobelHorizBorder_32f_C1R(s.ptr<float>(), int(s.step), d.ptr<float>(), int(d.step), Roi(f), 33);
       },
       [](cv::Mat& s, cv::Mat& d) { cv::Sobel(s, d, CV_32F, 0, 1, 3, 1, 0, cv::BORDER_REPLICATE); });
  Pair("FilterSobelHoriz_32f_C1R", "OpenCV Sobel", CV_32F, CV_32F,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         fnVCAIPP_FilterSobelHoriz_32f_C1R(s.ptr<float>(), int(s.step), d.ptr<float>(), int(d.step),
                                           {f.width - 2, f.height - 2});
       },
       [](cv::Mat& s, cv::Mat& d) { cv::Sobel(s, d, CV_32F, 0, 1, 3, 1, 0, cv::BORDER_REPLICATE); });
  Pair("FilterLaplacianBorder_32f_C1R_5x5", "OpenCV Laplacian", CV_32F, CV_32F,
       [](cv::Mat& s, cv::Mat& d, FrameSize f) {
         static std::vector<uint8_t> buffer(1 << 20);
         fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf(s.ptr<float>(), int(s.step), d.ptr<float>(), int(d.step), Roi(f),
                                                       buffer.data());
       },
       [](cv::Mat& s, cv::Mat& d) { cv::Laplacian(s, d, CV_32F, 5, 1, 0, cv::BORDER_REPLICATE); });
  // Canny on the gradients of a scene.
  struct Scene {
    cv::Mat dx, dy, edges;
    std::vector<uint8_t> buffer;
  };
  auto scene = [](FrameSize s) {
    auto out = std::make_shared<Scene>();
    const cv::Mat frame = SceneFrame(s);
    cv::Sobel(frame, out->dx, CV_16S, 1, 0, 3);
    cv::Sobel(frame, out->dy, CV_16S, 0, 1, 3);
    out->edges.create(s.height, s.width, CV_8U);
    int bytes = 0;
    fnVCAIPP_CannyGetSize(Roi(s), &bytes);
    out->buffer.resize(size_t(bytes));
    return out;
  };
  Ours("Canny_16s8u_C1R", kFrame, [scene](FrameSize s) -> std::function<void()> {
    auto g = scene(s);
    return [g, s] {
      fnVCAIPP_Canny_16s8u_C1R(g->dx.ptr<int16_t>(), int(g->dx.step), g->dy.ptr<int16_t>(), int(g->dy.step),
                               g->edges.data, int(g->edges.step), Roi(s), 60, 150, g->buffer.data());
    };
  });
  Peer("OpenCV Canny", "Canny_16s8u_C1R", kFrame, [scene](FrameSize s) -> std::function<void()> {
    auto g = scene(s);
    return [g] { cv::Canny(g->dx, g->dy, g->edges, 60, 150, false); };
  });
}

void RegisterAll() {
  cv::setNumThreads(1);
  RegisterRankFilters();
  RegisterDerivatives();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
