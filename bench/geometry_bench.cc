// Resizing, rotation, perspective warp, remap, mirror and transpose against OpenCV and libyuv,
// single threaded.
#include <libyuv/scale.h>

#include <cmath>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFullHd = {1920, 1080};
constexpr FrameSize kHalfHd = {960, 540};

cv::Mat Frame(FrameSize s, uint64_t seed) {
  cv::Mat image(s.height, s.width, CV_8UC1);
  cv::RNG rng(seed);
  rng.fill(image, cv::RNG::UNIFORM, 0, 256);
  return image;
}

IppiSize Size(FrameSize s) { return IppiSize{s.width, s.height}; }

int64_t FrameBytes(FrameSize s) { return int64_t{s.width} * s.height; }

// Our whole-image resize from `from` to `to`, with its buffer allocated once.
void ResizePair(const std::string& name, FrameSize from, FrameSize to, int mode, int openCvMode, bool libyuv,
                libyuv::FilterMode yuvMode) {
  const std::string operation = name + " to " + SizeName(to);
  Ours(
      operation, from,
      [=](FrameSize s) -> std::function<void()> {
        cv::Mat source = Frame(s, 1), destination(to.height, to.width, CV_8UC1);
        int bytes = 0;
        fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(Size(s), Size(to), mode, &bytes);
        auto buffer = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(bytes));
        return [=]() mutable {
          fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(source.data, static_cast<int>(source.step), Size(s), destination.data,
                                             static_cast<int>(destination.step), Size(to), mode, buffer->data());
        };
      },
      FrameBytes);
  Peer(
      "OpenCV", operation, from,
      [=](FrameSize s) -> std::function<void()> {
        cv::setNumThreads(1);
        cv::Mat source = Frame(s, 1), destination(to.height, to.width, CV_8UC1);
        return [=]() mutable { cv::resize(source, destination, cv::Size(to.width, to.height), 0, 0, openCvMode); };
      },
      FrameBytes);
  if (!libyuv) return;
  Peer(
      "libyuv", operation, from,
      [=](FrameSize s) -> std::function<void()> {
        cv::Mat source = Frame(s, 1), destination(to.height, to.width, CV_8UC1);
        return [=]() mutable {
          libyuv::ScalePlane(source.data, static_cast<int>(source.step), s.width, s.height, destination.data,
                             static_cast<int>(destination.step), to.width, to.height, yuvMode);
        };
      },
      FrameBytes);
}

void RegisterResizes() {
  ResizePair("ResizeImage linear", kFullHd, kHalfHd, 2, cv::INTER_LINEAR, true, libyuv::kFilterBilinear);
  ResizePair("ResizeImage Lagrange cubic", kFullHd, kHalfHd, 4, cv::INTER_CUBIC, false, libyuv::kFilterNone);
  ResizePair("ResizeImage Catmull-Rom", kFullHd, kHalfHd, 6, cv::INTER_CUBIC, false, libyuv::kFilterNone);
  ResizePair("ResizeImage super-sampling", kFullHd, kHalfHd, 8, cv::INTER_AREA, true, libyuv::kFilterBox);
  ResizePair("ResizeImage Lanczos", kFullHd, kHalfHd, 16, cv::INTER_LANCZOS4, false, libyuv::kFilterNone);
  ResizePair("ResizeImage nearest", kHalfHd, kFullHd, 1, cv::INTER_NEAREST, false, libyuv::kFilterNone);
  ResizePair("ResizeImage linear", kHalfHd, kFullHd, 2, cv::INTER_LINEAR, true, libyuv::kFilterBilinear);
}

// A perspective matrix that keeps most of the frame inside: backward, destination to source.
cv::Mat Perspective() {
  const std::vector<cv::Point2f> from = {{0, 0}, {1919, 0}, {1919, 1079}, {0, 1079}};
  const std::vector<cv::Point2f> to = {{40, 20}, {1850, 60}, {1890, 1040}, {10, 1000}};
  return cv::getPerspectiveTransform(from, to);
}

void RegisterWarps() {
  Ours(
      "WarpPerspective nearest", kFullHd,
      [](FrameSize s) -> std::function<void()> {
        cv::Mat source = Frame(s, 2), destination(s.height, s.width, CV_8UC1), m = Perspective();
        return [=]() mutable {
          fnVCAIPP_WarpPerspective_8u_C1R(source.data, destination.data, Size(s), static_cast<int>(source.step), 0,
                                          m.ptr<double>());
        };
      },
      FrameBytes);
  Peer(
      "OpenCV", "WarpPerspective nearest", kFullHd,
      [](FrameSize s) -> std::function<void()> {
        cv::setNumThreads(1);
        cv::Mat source = Frame(s, 2), destination(s.height, s.width, CV_8UC1), m = Perspective();
        return [=]() mutable {
          cv::warpPerspective(source, destination, m, source.size(), cv::INTER_NEAREST | cv::WARP_INVERSE_MAP,
                              cv::BORDER_CONSTANT, cv::Scalar(15));
        };
      },
      FrameBytes);

  // Rotation by 30 degrees about the centre with linear interpolation.
  Ours(
      "Rotate 30 degrees linear", kFullHd,
      [](FrameSize s) -> std::function<void()> {
        cv::Mat source = Frame(s, 3), destination(s.height, s.width, CV_8UC1);
        return [=]() mutable {
          fnVCAIPP_RotateCenter_8u_C1R(source.data, Size(s), static_cast<int>(source.step), {0, 0, s.width, s.height},
                                       destination.data, static_cast<int>(destination.step), {0, 0, s.width, s.height},
                                       30.0, s.width / 2.0, s.height / 2.0, 2);
        };
      },
      FrameBytes);
  Peer(
      "OpenCV", "Rotate 30 degrees linear", kFullHd,
      [](FrameSize s) -> std::function<void()> {
        cv::setNumThreads(1);
        cv::Mat source = Frame(s, 3), destination(s.height, s.width, CV_8UC1);
        // Positive angles turn counter-clockwise on screen in both libraries.
        const cv::Mat m = cv::getRotationMatrix2D(cv::Point2f(s.width / 2.0f, s.height / 2.0f), 30.0, 1.0);
        return [=]() mutable {
          cv::warpAffine(source, destination, m, source.size(), cv::INTER_LINEAR, cv::BORDER_TRANSPARENT);
        };
      },
      FrameBytes);

  // Remap through a gentle lens-like distortion.
  auto maps = [](FrameSize s) {
    cv::Mat xs(s.height, s.width, CV_32FC1), ys(s.height, s.width, CV_32FC1);
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        const float dx = (x - s.width / 2.0f) / s.width, dy = (y - s.height / 2.0f) / s.height;
        const float k = 1.0f - 0.1f * (dx * dx + dy * dy);
        xs.at<float>(y, x) = s.width / 2.0f + (x - s.width / 2.0f) * k;
        ys.at<float>(y, x) = s.height / 2.0f + (y - s.height / 2.0f) * k;
      }
    }
    return std::make_pair(xs, ys);
  };
  Ours(
      "Remap linear", kFullHd,
      [maps](FrameSize s) -> std::function<void()> {
        cv::Mat source = Frame(s, 4), destination(s.height, s.width, CV_8UC1);
        auto [xs, ys] = maps(s);
        return [=]() mutable {
          fnVCAIPP_Remap_8u_C1R(source.data, Size(s), static_cast<int>(source.step), {0, 0, s.width, s.height},
                                xs.ptr<float>(), static_cast<int>(xs.step), ys.ptr<float>(), static_cast<int>(ys.step),
                                destination.data, static_cast<int>(destination.step), Size(s), 2);
        };
      },
      FrameBytes);
  Peer(
      "OpenCV", "Remap linear", kFullHd,
      [maps](FrameSize s) -> std::function<void()> {
        cv::setNumThreads(1);
        cv::Mat source = Frame(s, 4), destination(s.height, s.width, CV_8UC1);
        auto [xs, ys] = maps(s);
        return [=]() mutable { cv::remap(source, destination, xs, ys, cv::INTER_LINEAR, cv::BORDER_TRANSPARENT); };
      },
      FrameBytes);
}

// Mirrors and transpose: memory bound, also with a destination 16 bytes past a 64-byte boundary.
void RegisterMirrors() {
  constexpr int kOpenCvFlip[] = {0, 1, -1};
  for (int flip = 0; flip < 3; ++flip) {
    for (int offset : {0, 16}) {
      const std::string operation = AtOffset("Mirror_8u_C1R flip " + std::to_string(flip), offset);
      Ours(
          operation, kFullHd,
          [=](FrameSize s) -> std::function<void()> {
            cv::Mat source = Frame(s, 5);
            OffsetBuffer destination = BufferAt(static_cast<size_t>(FrameBytes(s)), offset);
            return [=] {
              fnVCAIPP_Mirror_8u_C1R(source.data, static_cast<int>(source.step), destination.data, s.width, Size(s),
                                     flip);
            };
          },
          [](FrameSize s) { return 2 * FrameBytes(s); });
      Peer(
          "OpenCV", operation, kFullHd,
          [=](FrameSize s) -> std::function<void()> {
            cv::Mat source = Frame(s, 5);
            OffsetBuffer buffer = BufferAt(static_cast<size_t>(FrameBytes(s)), offset);
            cv::Mat destination(s.height, s.width, CV_8UC1, buffer.data);
            return [=]() mutable {
              (void)buffer;
              cv::flip(source, destination, kOpenCvFlip[flip]);
            };
          },
          [](FrameSize s) { return 2 * FrameBytes(s); });
    }
  }
  for (int offset : {0, 16}) {
    const std::string operation = AtOffset("Transpose_8u_C1R", offset);
    Ours(
        operation, kFullHd,
        [=](FrameSize s) -> std::function<void()> {
          cv::Mat source = Frame(s, 6);
          OffsetBuffer destination = BufferAt(static_cast<size_t>(FrameBytes(s)), offset);
          return [=] {
            fnVCAIPP_Transpose_8u_C1R(source.data, static_cast<int>(source.step), destination.data, s.height, Size(s));
          };
        },
        [](FrameSize s) { return 2 * FrameBytes(s); });
    Peer(
        "OpenCV", operation, kFullHd,
        [=](FrameSize s) -> std::function<void()> {
          cv::Mat source = Frame(s, 6);
          OffsetBuffer buffer = BufferAt(static_cast<size_t>(FrameBytes(s)), offset);
          cv::Mat destination(s.width, s.height, CV_8UC1, buffer.data);
          return [=]() mutable {
            (void)buffer;
            cv::transpose(source, destination);
          };
        },
        [](FrameSize s) { return 2 * FrameBytes(s); });
  }
}

void RegisterAll() {
  RegisterResizes();
  RegisterWarps();
  RegisterMirrors();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
