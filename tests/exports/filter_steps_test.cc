// The filter exports with the steps their checks accept but that are easy to get wrong: steps
// that are not a multiple of the pixel size, destination steps below the row length (rows that
// overlap), and negative steps next to masks large enough to overflow an address.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/filters/filters.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

// An image of bytes whose rows lie `step` bytes apart, which may be less than a row, with guard
// bytes before and after; pixels are read and written through memcpy, so any step is fine.
class Plane {
 public:
  static constexpr size_t kGuard = 64;

  Plane(int width, int height, int step, int pixelBytes, size_t misalign = 0)
      : width_(width), height_(height), step_(step), pixelBytes_(pixelBytes) {
    const size_t span = static_cast<size_t>(step) * (height - 1) + static_cast<size_t>(width) * pixelBytes;
    bytes_.resize(span + 2 * kGuard + 64);
    const auto base = reinterpret_cast<uintptr_t>(bytes_.data()) + kGuard;
    origin_ = ((base + 63) & ~uintptr_t{63}) - reinterpret_cast<uintptr_t>(bytes_.data()) + misalign;
    for (size_t i = 0; i < bytes_.size(); ++i) bytes_[i] = GuardByte(i + kGuard - origin_);
    span_ = span;
  }

  uint8_t* At(int x, int y) {
    return bytes_.data() + origin_ + static_cast<ptrdiff_t>(y) * step_ + static_cast<ptrdiff_t>(x) * pixelBytes_;
  }
  template <class T>
  T* Data() {
    return reinterpret_cast<T*>(At(0, 0));
  }
  int step() const { return step_; }
  // Everything from kGuard bytes before the first pixel to kGuard bytes after the last.
  std::vector<uint8_t> bytes() const {
    const auto first = bytes_.begin() + static_cast<ptrdiff_t>(origin_ - kGuard);
    return std::vector<uint8_t>(first, first + static_cast<ptrdiff_t>(span_ + 2 * kGuard));
  }

  void FillRandom(uint32_t seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (pixelBytes_ == 4) {
          const float value = std::uniform_real_distribution<float>(0.0f, 100.0f)(rng);
          std::memcpy(At(x, y), &value, 4);
        } else {
          for (int b = 0; b < pixelBytes_; ++b) At(x, y)[b] = static_cast<uint8_t>(rng());
        }
      }
    }
  }

  // Writes `pixels` (width x rows, row by row) at (x, y), one row after the other.
  void WriteRows(int x, int y, const std::vector<uint8_t>& pixels, int width) {
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes_;
    for (size_t r = 0; r * rowBytes < pixels.size(); ++r) {
      std::memcpy(At(x, y + static_cast<int>(r)), pixels.data() + r * rowBytes, rowBytes);
    }
  }

  // The border completion as documented: the frame columns of the inner rows top to bottom, then
  // the frame rows above the inner rectangle top to bottom, then those below, each row copied as
  // memmove does.
  void ReplicateAround(IppiSize inner, int top, int left) {
    const int right = width_ - inner.width - left;
    for (int y = top; y < top + inner.height; ++y) {
      std::vector<uint8_t> first(At(left, y), At(left, y) + pixelBytes_);
      std::vector<uint8_t> last(At(left + inner.width - 1, y), At(left + inner.width - 1, y) + pixelBytes_);
      for (int x = 0; x < left; ++x) std::memcpy(At(x, y), first.data(), pixelBytes_);
      for (int x = 0; x < right; ++x) std::memcpy(At(left + inner.width + x, y), last.data(), pixelBytes_);
    }
    const size_t rowBytes = static_cast<size_t>(width_) * pixelBytes_;
    for (int y = 0; y < top; ++y) std::memmove(At(0, y), At(0, top), rowBytes);
    for (int y = top + inner.height; y < height_; ++y) std::memmove(At(0, y), At(0, top + inner.height - 1), rowBytes);
  }

 private:
  int width_, height_, step_, pixelBytes_;
  size_t origin_ = 0;
  size_t span_ = 0;
  std::vector<uint8_t> bytes_;
};

// The first byte at which two planes differ, for failure messages.
::testing::AssertionResult SameBytes(const Plane& got, const Plane& expected) {
  const auto a = got.bytes();
  const auto b = expected.bytes();
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) {
      return ::testing::AssertionFailure() << "byte " << static_cast<ptrdiff_t>(i) - ptrdiff_t{Plane::kGuard}
                                           << " from the first pixel: expected " << int(b[i]) << ", got " << int(a[i]);
    }
  }
  return ::testing::AssertionSuccess();
}

// The inset rows that a filter export writes, computed into an image of its own.
template <class T, class Filter>
std::vector<uint8_t> InsetPixels(IppiSize inset, Filter filter) {
  TestImage<T> out(inset.width, inset.height);
  EXPECT_EQ(filter(out.data(), out.step()), ippStsNoErr);
  return out.RegionBytes();
}

// A destination step below the row length makes the destination rows overlap: each row is then
// written where its step puts it, in the documented order, and row copies behave as memmove.
TEST(FilterExportSteps, OverlappingDestinationRowsEndAsWrittenInOrder) {
  TestImage<uint8_t> source(40, 9);
  source.FillRandom(1, 0, 255);
  TestImage<float> floats(20, 9);
  floats.FillRandom(2, 0.0f, 100.0f);
  const int32_t kernel[9] = {1, 2, 1, 0, 3, 0, -1, 2, 1};

  ForEachBuild([&](Build) {
    {
      SCOPED_TRACE("FilterBox_8u_C1R, 40-pixel rows 16 bytes apart");
      Plane expected(40, 9, 16, 1), got(40, 9, 16, 1);
      expected.WriteRows(1, 1, InsetPixels<uint8_t>({37, 6}, [&](uint8_t* d, int step) {
                           return filters::FilterBox8u(&source.at(1, 1), source.step(), d, step, {37, 6}, {3, 3},
                                                       {1, 1});
                         }), 37);
      expected.ReplicateAround({37, 6}, 1, 1);
      ASSERT_EQ(fnVCAIPP_FilterBox_8u_C1R(source.data(), source.step(), got.Data<uint8_t>(), got.step(), {40, 9}, 3, 3),
                ippStsNoErr);
      EXPECT_TRUE(SameBytes(got, expected));
    }
    {
      SCOPED_TRACE("FilterGauss_8u_C1R, 8-pixel rows 4 bytes apart");
      Plane expected(8, 9, 4, 1), got(8, 9, 4, 1);
      expected.WriteRows(1, 1, InsetPixels<uint8_t>({5, 6}, [&](uint8_t* d, int step) {
                           return filters::FilterGauss8u(&source.at(1, 1), source.step(), d, step, {5, 6}, 33);
                         }), 5);
      expected.ReplicateAround({5, 6}, 1, 1);
      ASSERT_EQ(fnVCAIPP_FilterGauss_8u_C1R(source.data(), source.step(), got.Data<uint8_t>(), got.step(), {8, 9}, 33),
                ippStsNoErr);
      EXPECT_TRUE(SameBytes(got, expected));
    }
    {
      // The destination step must still hold the inset row.
      SCOPED_TRACE("Filter_8u_C1R, 30-pixel rows 28 bytes apart");
      Plane expected(30, 9, 28, 1), got(30, 9, 28, 1);
      expected.WriteRows(1, 1, InsetPixels<uint8_t>({27, 6}, [&](uint8_t* d, int step) {
                           return filters::FilterKernel8u(&source.at(1, 1), source.step(), d, step, {27, 6}, kernel,
                                                          {3, 3}, {1, 1}, 4);
                         }), 27);
      expected.ReplicateAround({27, 6}, 1, 1);
      ASSERT_EQ(fnVCAIPP_Filter_8u_C1R(source.data(), source.step(), got.Data<uint8_t>(), got.step(), {30, 9}, kernel,
                                       {3, 3}, 4),
                ippStsNoErr);
      EXPECT_TRUE(SameBytes(got, expected));
    }
    for (int step : {36, 37}) {
      SCOPED_TRACE(::testing::Message() << "FilterBox_32f_C1R, 20-pixel rows " << step << " bytes apart");
      Plane expected(20, 9, step, 4), got(20, 9, step, 4);
      expected.WriteRows(2, 1, InsetPixels<float>({16, 6}, [&](float* d, int dstep) {
                           return filters::FilterBox32f(&floats.at(2, 1), floats.step(), d, dstep, {16, 6}, {4, 3},
                                                        {2, 1});
                         }), 16);
      expected.ReplicateAround({16, 6}, 1, 2);
      ASSERT_EQ(fnVCAIPP_FilterBox_32f_C1R(floats.data(), floats.step(), got.Data<float>(), got.step(), {20, 9}, 4, 3),
                ippStsNoErr);
      EXPECT_TRUE(SameBytes(got, expected));
    }
  });
}

TEST(FilterExportSteps, BorderCopiesWithOverlappingRows) {
  // One step for both images: 30-pixel rows 12 bytes apart, a frame 2 pixels wide.
  ForEachBuild([&](Build) {
    Plane source(30, 10, 12, 1);
    source.FillRandom(3);
    Plane expected(30, 10, 12, 1), got(30, 10, 12, 1);
    for (int y = 2; y < 8; ++y) std::memmove(expected.At(2, y), source.At(2, y), 26);
    expected.ReplicateAround({26, 6}, 2, 2);
    ASSERT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1R(source.Data<uint8_t>(), got.Data<uint8_t>(), 30, 10, 12, 2),
              ippStsNoErr);
    EXPECT_TRUE(SameBytes(got, expected));

    Plane inPlace(30, 10, 12, 1);
    inPlace.FillRandom(4);
    Plane inPlaceExpected = inPlace;
    inPlaceExpected.ReplicateAround({26, 6}, 2, 2);
    ASSERT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1IR(inPlace.Data<uint8_t>(), 30, 10, 12, 2), ippStsNoErr);
    EXPECT_TRUE(SameBytes(inPlace, inPlaceExpected));
  });
}

// Float rows at any address, with steps that are not a multiple of 4, give the results of
// aligned rows.
TEST(FilterExportSteps, FloatRowsAtAnyAddress) {
  const int width = 37, height = 11;
  const float kernel[6] = {0.5f, -0.25f, 1.0f, 0.125f, 2.0f, -1.0f};
  const auto run = [&](int sourceStep, int destinationStep, size_t misalign, uint32_t seed) {
    Plane source(width, height, sourceStep, 4, misalign), box(width, height, destinationStep, 4, 3 - misalign);
    Plane convolved(width, height, destinationStep, 4, misalign), gauss(width, height, destinationStep, 4, 1);
    source.FillRandom(seed);
    const float* s = source.Data<float>();
    EXPECT_EQ(fnVCAIPP_FilterBox_32f_C1R(s, sourceStep, box.Data<float>(), destinationStep, {width, height}, 5, 4),
              ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_Filter_32f_C1R(reinterpret_cast<const float*>(source.At(2, 1)), sourceStep,
                                      convolved.Data<float>(), destinationStep, {width - 2, height - 1}, kernel, {3, 2},
                                      {0, 0}),
              ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_FilterGaussBorder_32f_C1R(s, sourceStep, gauss.Data<float>(), destinationStep, {width, height},
                                                 5, 2),
              ippStsNoErr);
    std::vector<std::vector<uint8_t>> pixels;
    const auto keep = [&](Plane& p, IppiSize written) {
      std::vector<uint8_t> region;
      for (int y = 0; y < written.height; ++y) region.insert(region.end(), p.At(0, y), p.At(written.width, y));
      pixels.push_back(region);
    };
    keep(box, {width, height});
    keep(convolved, {width - 2, height - 1});
    keep(gauss, {width, height});
    return pixels;
  };
  const auto aligned = run(4 * width, 4 * width, 0, 5);
  ForEachBuild([&](Build) {
    EXPECT_EQ(run(4 * width + 1, 4 * width + 3, 1, 5), aligned);
    EXPECT_EQ(run(4 * width + 2, 4 * width + 1, 2, 5), aligned);
  });
}

TEST(FilterExportSteps, SixteenBitAndFloatBorderCompletionAtAnyAddress) {
  ForEachBuild([&](Build) {
    for (int pixelBytes : {2, 4}) {
      Plane image(13, 7, 13 * pixelBytes + 1, pixelBytes, 1);
      image.FillRandom(6);
      Plane expected = image;
      expected.ReplicateAround({8, 3}, 2, 3);
      const IppStatus status =
          pixelBytes == 2 ? filters::ReplicateBorderInPlace16s(reinterpret_cast<int16_t*>(image.At(3, 2)),
                                                               image.step(), {8, 3}, {13, 7}, 2, 3)
                          : filters::ReplicateBorderInPlace32f(reinterpret_cast<float*>(image.At(3, 2)), image.step(),
                                                               {8, 3}, {13, 7}, 2, 3);
      ASSERT_EQ(status, ippStsNoErr);
      EXPECT_TRUE(SameBytes(image, expected)) << pixelBytes << "-byte pixels";
    }
  });
}

// A negative step next to a mask whose half, times the step, leaves the address space: the step
// is refused before any address is formed from it.
TEST(FilterExportSteps, StepsAreCheckedBeforeAddressesAreFormed) {
  uint8_t image[64];
  std::memset(image, 0xEE, sizeof image);
  auto* floats = reinterpret_cast<float*>(image);
  const int huge = 1 << 30;
  const int largest = 2147483647;
  const int negative = -largest - 1;
  const IppiSize tall{8, largest};
  const int32_t kernel[1] = {1};
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(image, negative, image, 8, tall, 3, huge), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_8u_C1R(image, 8, image, negative, tall, 3, huge), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_32f_C1R(floats, negative, floats, 32, tall, 3, huge), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterBox_32f_C1R(floats, 32, floats, negative, tall, 3, huge), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Filter_8u_C1R(image, negative, image, 8, tall, kernel, {1, huge}, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterGauss_8u_C1R(image, negative, image, 8, tall, 55), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FilterHipass_8u_C1R(image, 8, image, negative, tall, 55), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CopyConstBorder_8u_C1R(image, image, largest, largest, negative, huge / 2, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1R(image, image, largest, largest, negative, huge / 2), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_CopyReplicateBorder_8u_C1IR(image, largest, largest, negative, huge / 2), ippStsStepErr);
  for (uint8_t byte : image) EXPECT_EQ(byte, 0xEE);
}

}  // namespace
}  // namespace ryn::test
