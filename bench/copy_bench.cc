// Copies and conversions against memcpy and OpenCV copyTo / convertTo, 1920 x 1080, single thread.
#include <opencv2/core.hpp>

#include "RynRAZUdidazoror.h"
#include "arith_frames.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

// Source at a 64-byte boundary, destination `offset` past one.
struct Pair {
  Frame source;
  Frame destination;
};
Pair MakePair(FrameSize s, int sourceBytes, int destinationBytes, size_t offset, bool floatSource = false) {
  return Pair{MakeFrame(s, sourceBytes, 0, 1, floatSource, -20.0, 280.0), MakeFrame(s, destinationBytes, offset, 2)};
}

void RegisterCopy(const std::string& operation, int pixelBytes, int type,
                  IppStatus (*copy)(const Frame&, const Frame&)) {
  RegisterAgainstOpenCv(
      operation, pixelBytes, pixelBytes,
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Pair p = MakePair(s, pixelBytes, pixelBytes, offset);
        return [p, copy] { copy(p.source, p.destination); };
      },
      "OpenCV copyTo",
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Pair p = MakePair(s, pixelBytes, pixelBytes, offset);
        return [p, type] {
          cv::Mat destination = p.destination.mat(type);
          p.source.mat(type).copyTo(destination);
        };
      });
}

void RegisterMaskedCopy(const std::string& operation, int pixelBytes, int type,
                        IppStatus (*copy)(const Frame&, const Frame&, const cv::Mat&)) {
  RegisterAgainstOpenCv(
      operation, pixelBytes + 1, pixelBytes,
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Pair p = MakePair(s, pixelBytes, pixelBytes, offset);
        const cv::Mat mask = HalfMask(s);
        return [p, mask, copy] { copy(p.source, p.destination, mask); };
      },
      "OpenCV copyTo mask",
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Pair p = MakePair(s, pixelBytes, pixelBytes, offset);
        const cv::Mat mask = HalfMask(s);
        return [p, mask, type] {
          cv::Mat destination = p.destination.mat(type);
          p.source.mat(type).copyTo(destination, mask);
        };
      });
}

void RegisterConvert(const std::string& operation, int sourceBytes, int sourceType, int destinationBytes,
                     int destinationType, IppStatus (*convert)(const Frame&, const Frame&)) {
  const bool floatSource = sourceType == CV_32FC1;
  RegisterAgainstOpenCv(
      operation, sourceBytes, destinationBytes,
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Pair p = MakePair(s, sourceBytes, destinationBytes, offset, floatSource);
        return [p, convert] { convert(p.source, p.destination); };
      },
      "OpenCV convertTo",
      [=](FrameSize s, size_t offset) -> std::function<void()> {
        const Pair p = MakePair(s, sourceBytes, destinationBytes, offset, floatSource);
        return [p, sourceType, destinationType] {
          cv::Mat destination = p.destination.mat(destinationType);
          p.source.mat(sourceType).convertTo(destination, destinationType);
        };
      });
}

void RegisterAll() {
  RegisterCopy("Copy_8u_C1R", 1, CV_8UC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Copy_8u_C1R(a.data, a.step(), b.data, b.step(), a.region());
  });
  RegisterCopy("Copy_16s_C1R", 2, CV_16SC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Copy_16s_C1R(a.as<int16_t>(), a.step(), b.as<int16_t>(), b.step(), a.region());
  });
  RegisterCopy("Copy_32f_C1R", 4, CV_32FC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Copy_32f_C1R(a.as<float>(), a.step(), b.as<float>(), b.step(), a.region());
  });
  RegisterMaskedCopy("Copy_8u_C1MR", 1, CV_8UC1, [](const Frame& a, const Frame& b, const cv::Mat& mask) {
    return fnVCAIPP_Copy_8u_C1MR(a.data, a.step(), b.data, b.step(), mask.data, int(mask.step), a.region());
  });
  RegisterMaskedCopy("Copy_32f_C1MR", 4, CV_32FC1, [](const Frame& a, const Frame& b, const cv::Mat& mask) {
    return fnVCAIPP_Copy_32f_C1MR(a.as<float>(), a.step(), b.as<float>(), b.step(), mask.data, int(mask.step),
                                  a.region());
  });
  RegisterConvert("Convert_8u32f_C1R", 1, CV_8UC1, 4, CV_32FC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Convert_8u32f_C1R(a.data, a.step(), b.as<float>(), b.step(), a.region());
  });
  RegisterConvert("Convert_16u32f_C1R", 2, CV_16UC1, 4, CV_32FC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Convert_16u32f_C1R(a.as<uint16_t>(), a.step(), b.as<float>(), b.step(), a.region());
  });
  RegisterConvert("Convert_8u16u_C1R", 1, CV_8UC1, 2, CV_16UC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Convert_8u16u_C1R(a.data, a.step(), b.as<uint16_t>(), b.step(), a.region());
  });
  RegisterConvert("Convert_8u16s_C1R", 1, CV_8UC1, 2, CV_16SC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Convert_8u16s_C1R(a.data, a.step(), b.as<int16_t>(), b.step(), a.region());
  });
  RegisterConvert("Convert_16s8u_C1R", 2, CV_16SC1, 1, CV_8UC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Convert_16s8u_C1R(a.as<int16_t>(), a.step(), b.data, b.step(), a.region());
  });
  RegisterConvert("Convert_32f8u_C1R", 4, CV_32FC1, 1, CV_8UC1, [](const Frame& a, const Frame& b) {
    return fnVCAIPP_Convert_32f8u_C1R(a.as<float>(), a.step(), b.data, b.step(), a.region());
  });
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
