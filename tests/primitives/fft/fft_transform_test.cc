// The two-dimensional complex FFT: its object, normalisation flags, buffers, results against
// OpenCV and a direct DFT, and every build against the generic one.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <vector>

#include "fft_test_support.h"
#include "primitives/fft/fft.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

// An FFT object for the length of a test.
class Fft {
 public:
  Fft(int orderX, int orderY, int flag) {
    EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object_, orderX, orderY, flag, 0), ippStsNoErr);
  }
  ~Fft() { EXPECT_EQ(fnVCAIPP_FFTFree_C_32fc(object_), ippStsNoErr); }
  Fft(const Fft&) = delete;
  Fft& operator=(const Fft&) = delete;

  const RynFft2D* get() const { return object_; }
  int BufferSize() const {
    int size = -1;
    EXPECT_EQ(fnVCAIPP_FFTGetBufSize_C_32fc(object_, &size), ippStsNoErr);
    return size;
  }

 private:
  RynFft2D* object_ = nullptr;
};

enum class Way { kForward, kInverse };

IppStatus Transform(Way way, const TestImage<Ipp32fc>& source, TestImage<Ipp32fc>& destination, const Fft& fft,
                    uint8_t* buffer = nullptr) {
  return way == Way::kForward ? fnVCAIPP_FFTFwd_CToC_32fc_C1R(source.data(), source.step(), destination.data(),
                                                              destination.step(), fft.get(), buffer)
                              : fnVCAIPP_FFTInv_CToC_32fc_C1R(source.data(), source.step(), destination.data(),
                                                              destination.step(), fft.get(), buffer);
}

cv::Mat AsMat(const TestImage<Ipp32fc>& image) {
  cv::Mat mat(image.height(), image.width(), CV_32FC2);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) mat.at<cv::Vec2f>(y, x) = {image.at(x, y).re, image.at(x, y).im};
  return mat;
}

Complexes AsComplexes(const cv::Mat& mat) {
  Complexes values;
  for (int y = 0; y < mat.rows; ++y)
    for (int x = 0; x < mat.cols; ++x) values.emplace_back(mat.at<cv::Vec2f>(y, x)[0], mat.at<cv::Vec2f>(y, x)[1]);
  return values;
}

TEST(Fft2D, OneByOneWithFlag8IsTheIdentity) {
  Fft fft(0, 0, 8);
  TestImage<Ipp32fc> source(1, 1), destination(1, 1);
  source.at(0, 0) = Ipp32fc{1.5f, -2.25f};
  ASSERT_EQ(Transform(Way::kForward, source, destination, fft), ippStsNoErr);
  EXPECT_TRUE(SameBits(destination.at(0, 0), source.at(0, 0)));
  EXPECT_TRUE(destination.GuardsIntact());
}

TEST(Fft2D, ImageOfOnesGivesOneOrTheSizeAtTheOrigin) {
  for (const int flag : {1, 8}) {
    SCOPED_TRACE(flag);
    Fft fft(3, 2, flag);
    TestImage<Ipp32fc> source(8, 4), destination(8, 4);
    source.Fill(Ipp32fc{1, 0});
    ASSERT_EQ(Transform(Way::kForward, source, destination, fft), ippStsNoErr);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) {
        const float expected = x == 0 && y == 0 ? (flag == 1 ? 1.0f : 32.0f) : 0.0f;
        EXPECT_EQ(destination.at(x, y).re, expected) << x << "," << y;
        EXPECT_EQ(destination.at(x, y).im, 0.0f) << x << "," << y;
      }
    }
  }
}

TEST(Fft2D, ForwardThenInverseReproducesTheInput) {
  for (const int flag : {1, 2, 4, 8}) {
    for (const auto& [orderX, orderY] : {std::pair{0, 0}, {5, 0}, {0, 4}, {3, 6}, {7, 5}}) {
      SCOPED_TRACE(::testing::Message() << "flag " << flag << ", orders " << orderX << " x " << orderY);
      Fft fft(orderX, orderY, flag);
      const int width = 1 << orderX, height = 1 << orderY;
      TestImage<Ipp32fc> source(width, height), spectrum(width, height), back(width, height);
      FillRandom(source, 3);
      ASSERT_EQ(Transform(Way::kForward, source, spectrum, fft), ippStsNoErr);
      ASSERT_EQ(Transform(Way::kInverse, spectrum, back, fft), ippStsNoErr);
      const double size = flag == 8 ? static_cast<double>(width) * height : 1.0;
      Complexes expected = ToDouble(source.Region());
      for (auto& z : expected) z *= size;
      EXPECT_LE(RelativeError(back.Region(), expected), 2 * TransformTolerance(int64_t{width} * height));
    }
  }
}

// Each one-dimensional pass is scaled by its own length.
TEST(Fft2D, RootFlagScalesBothDirections) {
  Fft unscaled(4, 2, 8), root(4, 2, 4);
  TestImage<Ipp32fc> source(16, 4), plain(16, 4), scaled(16, 4);
  FillRandom(source, 11);
  for (Way way : {Way::kForward, Way::kInverse}) {
    ASSERT_EQ(Transform(way, source, plain, unscaled), ippStsNoErr);
    ASSERT_EQ(Transform(way, source, scaled, root), ippStsNoErr);
    Complexes expected = ToDouble(plain.Region());
    for (auto& z : expected) z /= 8.0;
    EXPECT_LE(RelativeError(scaled.Region(), expected), 1e-6);
  }
}

TEST(Fft2D, AgreesWithOpenCv) {
  for (const auto& [orderX, orderY] : {std::pair{0, 5}, {6, 0}, {1, 1}, {3, 3}, {6, 2}, {2, 7}, {8, 8}, {10, 1}}) {
    SCOPED_TRACE(::testing::Message() << "orders " << orderX << " x " << orderY);
    Fft fft(orderX, orderY, 8);
    const int width = 1 << orderX, height = 1 << orderY;
    TestImage<Ipp32fc> source(width, height, 24, 4), destination(width, height, 8, 12);
    FillRandom(source, static_cast<uint32_t>(width + height));
    for (Way way : {Way::kForward, Way::kInverse}) {
      ASSERT_EQ(Transform(way, source, destination, fft), ippStsNoErr);
      cv::Mat expected;
      cv::dft(AsMat(source), expected, way == Way::kForward ? 0 : cv::DFT_INVERSE);
      EXPECT_LE(RelativeError(destination.Region(), AsComplexes(expected)),
                TransformTolerance(int64_t{width} * height));
      EXPECT_TRUE(destination.GuardsIntact());
    }
  }
}

TEST(Fft2D, AgreesWithTheDirectSum) {
  Fft fft(3, 5, 8);
  TestImage<Ipp32fc> source(8, 32), destination(8, 32);
  FillRandom(source, 21);
  ASSERT_EQ(Transform(Way::kInverse, source, destination, fft), ippStsNoErr);
  EXPECT_LE(RelativeError(destination.Region(), ReferenceDft2D(ToDouble(source.Region()), 8, 32, +1)),
            TransformTolerance(256));
}

TEST(Fft2D, InPlaceEqualsOutOfPlace) {
  for (const auto& [orderX, orderY] : {std::pair{0, 3}, {4, 0}, {2, 2}, {7, 6}}) {
    SCOPED_TRACE(::testing::Message() << "orders " << orderX << " x " << orderY);
    Fft fft(orderX, orderY, 4);
    const int width = 1 << orderX, height = 1 << orderY;
    TestImage<Ipp32fc> source(width, height, 20, 4), expected(width, height, 20, 4);
    FillRandom(source, 9);
    ASSERT_EQ(Transform(Way::kInverse, source, expected, fft), ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_FFTInv_CToC_32fc_C1IR(source.data(), source.step(), fft.get(), nullptr), ippStsNoErr);
    EXPECT_EQ(source.RegionBytes(), expected.RegionBytes());
    EXPECT_TRUE(source.GuardsIntact());
  }
}

// A caller's buffer of exactly the queried size works from any address, and the transform writes
// nothing around it; the results equal those with a buffer allocated by the call.
TEST(Fft2D, CallerBufferOfTheQueriedSizeAtAnyAddress) {
  for (const auto& [orderX, orderY] : {std::pair{2, 3}, {6, 1}, {3, 6}, {0, 7}}) {
    SCOPED_TRACE(::testing::Message() << "orders " << orderX << " x " << orderY);
    Fft fft(orderX, orderY, 2);
    const int width = 1 << orderX, height = 1 << orderY, size = fft.BufferSize();
    TestImage<Ipp32fc> source(width, height), expected(width, height), destination(width, height);
    FillRandom(source, 4);
    ASSERT_EQ(Transform(Way::kForward, source, expected, fft), ippStsNoErr);
    for (int offset = 0; offset < 16; ++offset) {
      TestImage<uint8_t> buffer(size, 1, 0, offset);
      ASSERT_EQ(Transform(Way::kForward, source, destination, fft, buffer.data()), ippStsNoErr);
      EXPECT_EQ(destination.RegionBytes(), expected.RegionBytes()) << offset;
      EXPECT_TRUE(buffer.GuardsIntact()) << offset;
    }
  }
}

// Steps and first pixels off any multiple of the element size, the source left as it was, nothing
// written around the destination.
TEST(Fft2D, OddStepsAndAddresses) {
  Fft fft(5, 4, 1);
  TestImage<Ipp32fc> source(32, 16, 12, 4), destination(32, 16, 4, 12), reference(32, 16, 0, 0);
  FillRandom(source, 8);
  const UnchangedSource<Ipp32fc> unchanged(source);
  ASSERT_EQ(Transform(Way::kForward, source, destination, fft), ippStsNoErr);
  TestImage<Ipp32fc> plainSource(32, 16, 0, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) plainSource.at(x, y) = source.at(x, y);
  ASSERT_EQ(Transform(Way::kForward, plainSource, reference, fft), ippStsNoErr);
  EXPECT_EQ(destination.RegionBytes(), reference.RegionBytes());
  EXPECT_TRUE(unchanged.Check());
  EXPECT_TRUE(destination.GuardsIntact());
}

// A column image gives the same values whether its elements are contiguous or rows apart.
TEST(Fft2D, OneColumnWithContiguousAndSpreadRows) {
  Fft fft(0, 6, 2);
  TestImage<Ipp32fc> contiguous(1, 64, 0, 8), spread(1, 64, 16, 4), fromContiguous(1, 64, 0, 8),
      fromSpread(1, 64, 8, 4);
  FillRandom(contiguous, 13);
  for (int y = 0; y < 64; ++y) spread.at(0, y) = contiguous.at(0, y);
  for (Way way : {Way::kForward, Way::kInverse}) {
    ASSERT_EQ(Transform(way, contiguous, fromContiguous, fft), ippStsNoErr);
    ASSERT_EQ(Transform(way, spread, fromSpread, fft), ippStsNoErr);
    EXPECT_EQ(fromContiguous.RegionBytes(), fromSpread.RegionBytes());
    EXPECT_TRUE(fromSpread.GuardsIntact());
  }
}

TEST(Fft2D, BuildsMatchGeneric) {
  for (int orderY = 0; orderY <= 6; orderY += 2) {
    for (int orderX = 0; orderX <= 7; ++orderX) {
      SCOPED_TRACE(::testing::Message() << "orders " << orderX << " x " << orderY);
      Fft fft(orderX, orderY, orderX % 2 == 0 ? 1 : 4);
      const int width = 1 << orderX, height = 1 << orderY;
      TestImage<Ipp32fc> source(width, height, 20, 4);
      FillRandom(source, static_cast<uint32_t>(orderX * 8 + orderY));
      for (Way way : {Way::kForward, Way::kInverse}) {
        ExpectBuildsMatchGeneric([&](Build build) {
          TestImage<Ipp32fc> destination(width, height, 12, 12);
          destination.FillBytes(SentinelFor(build));
          const IppStatus status = Transform(way, source, destination, fft);
          EXPECT_TRUE(destination.GuardsIntact());
          return std::tuple(status, Capture(destination));
        });
      }
    }
  }
}

TEST(Fft2D, LargeImageBuildsMatchGeneric) {
  Fft fft(10, 3, 8);
  TestImage<Ipp32fc> source(1024, 8, 8, 8);
  FillRandom(source, 1);
  ExpectBuildsMatchGeneric([&](Build build) {
    TestImage<Ipp32fc> destination(1024, 8);
    destination.FillBytes(SentinelFor(build));
    const IppStatus status = Transform(Way::kForward, source, destination, fft);
    EXPECT_EQ(status, ippStsNoErr);
    return std::tuple(status, Capture(destination));
  });
}

TEST(FftObject, InitAllocChecksInOrder) {
  RynFft2D* object = reinterpret_cast<RynFft2D*>(&object);
  RynFft2D* const untouched = object;
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(nullptr, 31, 0, 3, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 31, 0, 3, 0), ippStsFftOrderErr);
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 0, -1, 1, 0), ippStsFftOrderErr);
  // Orders 29 and 30 pass the object's check; the plan checks the flag before its own limit.
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 29, 0, 3, 0), ippStsFftFlagErr);
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 29, 0, 1, 0), ippStsFftOrderErr);
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 2, 30, 8, 0), ippStsFftOrderErr);
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 2, 2, 3, 0), ippStsFftFlagErr);
  EXPECT_EQ(fnVCAIPP_FFTInitAlloc_C_32fc(&object, 2, 2, 0, 0), ippStsFftFlagErr);
  EXPECT_EQ(object, untouched);
}

TEST(FftObject, LayoutAndBufferSize) {
  // max(row plan, column plan + 64 bytes a row) + 16; plans need 8 N + 32 bytes from order 6.
  for (const auto& [orderX, orderY, expected] :
       {std::tuple{0, 0, 64 + 16}, {3, 3, 64 * 8 + 16}, {6, 2, 8 * 64 + 32 + 16}, {7, 7, 8 * 128 + 32 + 64 * 128 + 16},
        {10, 4, 8 * 1024 + 32 + 16}, {2, 10, 8 * 1024 + 32 + 64 * 1024 + 16}}) {
    SCOPED_TRACE(::testing::Message() << "orders " << orderX << " x " << orderY);
    Fft fft(orderX, orderY, 8);
    EXPECT_EQ(fft.BufferSize(), expected);
    const auto* object = reinterpret_cast<const fft::Fft2D*>(fft.get());
    EXPECT_EQ(object->identifier, 25);
    EXPECT_EQ(object->orderX, orderX);
    EXPECT_EQ(object->rowPlan->identifier, 4);
    EXPECT_EQ(object->columnPlan == nullptr, orderX == orderY);
  }
}

TEST(FftObject, TransformChecksInOrderWithNothingWritten) {
  Fft fft(2, 2, 8);
  fft::DftPlan* contourPlan = nullptr;
  ASSERT_EQ(fft::CreateDftPlan(20, &contourPlan), ippStsNoErr);
  const auto* wrongKind = reinterpret_cast<const RynFft2D*>(contourPlan);
  TestImage<Ipp32fc> image(4, 4);
  FillRandom(image, 2);
  const std::vector<uint8_t> before = image.RegionBytes();
  Ipp32fc* p = image.data();
  const int s = image.step();
  EXPECT_EQ(fnVCAIPP_FFTFwd_CToC_32fc_C1R(nullptr, 0, nullptr, 0, nullptr, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTFwd_CToC_32fc_C1R(nullptr, 0, nullptr, 0, wrongKind, nullptr), ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_FFTInv_CToC_32fc_C1IR(p, s, wrongKind, nullptr), ippStsContextMatchErr);
  EXPECT_EQ(fnVCAIPP_FFTFwd_CToC_32fc_C1R(nullptr, s, p, s, fft.get(), nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTInv_CToC_32fc_C1R(p, s, nullptr, s, fft.get(), nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTFwd_CToC_32fc_C1R(p, 0, p, s, fft.get(), nullptr), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_FFTFwd_CToC_32fc_C1IR(p, -8, fft.get(), nullptr), ippStsStepErr);
  EXPECT_EQ(image.RegionBytes(), before);
  int size = -1;
  EXPECT_EQ(fnVCAIPP_FFTGetBufSize_C_32fc(nullptr, &size), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTGetBufSize_C_32fc(fft.get(), nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTGetBufSize_C_32fc(wrongKind, &size), ippStsContextMatchErr);
  EXPECT_EQ(size, -1);
  EXPECT_EQ(fnVCAIPP_FFTFree_C_32fc(nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FFTFree_C_32fc(const_cast<RynFft2D*>(wrongKind)), ippStsContextMatchErr);
  EXPECT_EQ(fft::ReleaseDftPlan(contourPlan), ippStsNoErr);
}

}  // namespace
}  // namespace ryn::test
