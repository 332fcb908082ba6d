// Fills and copies against memset/memcpy and OpenCV setTo/copyTo.
#include <benchmark/benchmark.h>

#include <cstring>
#include <opencv2/core.hpp>

#include "RynRAZUdidazoror.h"

namespace {

struct Frame {
  int width;
  int height;
};

void SetSizes(benchmark::internal::Benchmark* b) {
  b->Args({64, 64})->Args({1920, 1080})->Args({3840, 2160});
}

template <class T>
void Report(benchmark::State& state, int64_t pixels) {
  state.SetBytesProcessed(state.iterations() * pixels * static_cast<int64_t>(sizeof(T)));
}

void BM_Set_8u_C1R(benchmark::State& state) {
  const IppiSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  cv::Mat image(size.height, size.width, CV_8UC1);
  for (auto _ : state) {
    fnVCAIPP_Set_8u_C1R(image.data, size, static_cast<int>(image.step), 77);
    benchmark::ClobberMemory();
  }
  Report<uint8_t>(state, image.total());
}
BENCHMARK(BM_Set_8u_C1R)->Apply(SetSizes);

void BM_Set_16u_C1R(benchmark::State& state) {
  const IppiSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  cv::Mat image(size.height, size.width, CV_16UC1);
  for (auto _ : state) {
    fnVCAIPP_Set_16u_C1R(image.ptr<uint16_t>(), size, static_cast<int>(image.step), 1234);
    benchmark::ClobberMemory();
  }
  Report<uint16_t>(state, image.total());
}
BENCHMARK(BM_Set_16u_C1R)->Apply(SetSizes);

void BM_Set_32s_C1R(benchmark::State& state) {
  const IppiSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  cv::Mat image(size.height, size.width, CV_32SC1);
  for (auto _ : state) {
    fnVCAIPP_Set_32s_C1R(-5, image.ptr<int32_t>(), static_cast<int>(image.step), size);
    benchmark::ClobberMemory();
  }
  Report<int32_t>(state, image.total());
}
BENCHMARK(BM_Set_32s_C1R)->Apply(SetSizes);

void BM_Set_32f_C1R(benchmark::State& state) {
  const IppiSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  cv::Mat image(size.height, size.width, CV_32FC1);
  for (auto _ : state) {
    fnVCAIPP_Set_32f_C1R(image.ptr<float>(), size, static_cast<int>(image.step), 0.25f);
    benchmark::ClobberMemory();
  }
  Report<float>(state, image.total());
}
BENCHMARK(BM_Set_32f_C1R)->Apply(SetSizes);

cv::Mat HalfMask(int width, int height) {
  cv::Mat mask(height, width, CV_8UC1, cv::Scalar(0));
  mask(cv::Rect(width / 4, height / 4, width / 2, height / 2)).setTo(1);
  return mask;
}

void BM_Set_8u_C1MR(benchmark::State& state) {
  const IppiSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  cv::Mat image(size.height, size.width, CV_8UC1, cv::Scalar(0));
  const cv::Mat mask = HalfMask(size.width, size.height);
  for (auto _ : state) {
    fnVCAIPP_Set_8u_C1MR(image.data, static_cast<int>(image.step), mask.data, static_cast<int>(mask.step), size, 9);
    benchmark::ClobberMemory();
  }
  Report<uint8_t>(state, image.total());
}
BENCHMARK(BM_Set_8u_C1MR)->Apply(SetSizes);

void BM_Set_32f_C1MR(benchmark::State& state) {
  const IppiSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  cv::Mat image(size.height, size.width, CV_32FC1, cv::Scalar(0));
  const cv::Mat mask = HalfMask(size.width, size.height);
  for (auto _ : state) {
    fnVCAIPP_Set_32f_C1MR(image.ptr<float>(), size, static_cast<int>(image.step), 2.5f, mask.data,
                          static_cast<int>(mask.step));
    benchmark::ClobberMemory();
  }
  Report<float>(state, image.total());
}
BENCHMARK(BM_Set_32f_C1MR)->Apply(SetSizes);

void BM_ippsCopy_32f(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0) * state.range(1));
  std::vector<float> source(length, 1.5f), destination(length);
  for (auto _ : state) {
    fnVCAIPP_ippsCopy_32f(source.data(), destination.data(), length);
    benchmark::ClobberMemory();
  }
  Report<float>(state, length);
}
BENCHMARK(BM_ippsCopy_32f)->Apply(SetSizes);

// Peers.

void BM_memset_8u(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0) * state.range(1));
  std::vector<uint8_t> buffer(bytes);
  for (auto _ : state) {
    std::memset(buffer.data(), 77, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_memset_8u)->Apply(SetSizes);

template <int Bytes>
void BM_memset(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0) * state.range(1)) * Bytes;
  std::vector<uint8_t> buffer(bytes);
  for (auto _ : state) {
    std::memset(buffer.data(), 0, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_memset<2>)->Apply(SetSizes);
BENCHMARK(BM_memset<4>)->Apply(SetSizes);

// A bare memset per row of a 64-pixel-wide image: what a small fill costs at the least.
void BM_memset_rows_8u(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  cv::Mat image(height, width + 32, CV_8UC1);
  for (auto _ : state) {
    for (int y = 0; y < height; ++y) std::memset(image.ptr(y), 77, static_cast<size_t>(width));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{width} * height);
}
BENCHMARK(BM_memset_rows_8u)->Args({64, 64});

void BM_memcpy_32f(benchmark::State& state) {
  const size_t length = static_cast<size_t>(state.range(0) * state.range(1));
  std::vector<float> source(length, 1.5f), destination(length);
  for (auto _ : state) {
    std::memcpy(destination.data(), source.data(), length * sizeof(float));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(length * sizeof(float)));
}
BENCHMARK(BM_memcpy_32f)->Apply(SetSizes);

template <int Type>
void BM_OpenCV_setTo(benchmark::State& state) {
  cv::Mat image(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)), Type);
  for (auto _ : state) {
    image.setTo(cv::Scalar(7));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.total() * image.elemSize()));
}
BENCHMARK(BM_OpenCV_setTo<CV_8UC1>)->Apply(SetSizes);
BENCHMARK(BM_OpenCV_setTo<CV_16UC1>)->Apply(SetSizes);
BENCHMARK(BM_OpenCV_setTo<CV_32SC1>)->Apply(SetSizes);
BENCHMARK(BM_OpenCV_setTo<CV_32FC1>)->Apply(SetSizes);

template <int Type>
void BM_OpenCV_setTo_masked(benchmark::State& state) {
  cv::Mat image(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)), Type, cv::Scalar(0));
  const cv::Mat mask = HalfMask(image.cols, image.rows);
  for (auto _ : state) {
    image.setTo(cv::Scalar(9), mask);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.total() * image.elemSize()));
}
BENCHMARK(BM_OpenCV_setTo_masked<CV_8UC1>)->Apply(SetSizes);
BENCHMARK(BM_OpenCV_setTo_masked<CV_32FC1>)->Apply(SetSizes);

void BM_OpenCV_copyTo_32f(benchmark::State& state) {
  cv::Mat source(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)), CV_32FC1, cv::Scalar(1.5));
  cv::Mat destination(source.size(), CV_32FC1);
  for (auto _ : state) {
    source.copyTo(destination);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.total() * 4));
}
BENCHMARK(BM_OpenCV_copyTo_32f)->Apply(SetSizes);

}  // namespace
