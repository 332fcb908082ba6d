// Exports compute as under the standard floating-point environment whatever MXCSR the caller has
// set (each rounding mode, flush-to-zero and denormals-are-zero), and give the caller's MXCSR back.
// Inputs are literals or exact conversions, so that preparing them does not depend on the mode.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/float_environment.h"

#ifdef RYN_HAS_MXCSR
namespace ryn::test {
namespace {

// Nearest, down, up, toward zero; then each again with flush-to-zero and denormals-are-zero.
constexpr unsigned kCallerMxcsr[] = {0x1F80, 0x3F80, 0x5F80, 0x7F80, 0x9FC0, 0xBFC0, 0xDFC0, 0xFFC0};

using Bytes = std::vector<uint8_t>;

template <class T>
void Append(Bytes& bytes, const T* values, size_t count) {
  const size_t at = bytes.size();
  bytes.resize(at + count * sizeof(T));
  std::memcpy(bytes.data() + at, values, count * sizeof(T));
}

template <class T, size_t N>
Bytes With(IppStatus status, const std::array<T, N>& values) {
  Bytes bytes;
  Append(bytes, &status, 1);
  Append(bytes, values.data(), N);
  return bytes;
}

// Values whose results need every rounding decision: halves, thirds, and denormals (which
// denormals-are-zero would read as zero and flush-to-zero would write as zero).
constexpr std::array<float, 8> kAwkward = {0.5f, 2.5f, -1.5f, 1.0f / 3, 1e-39f, -3e-39f, 7.3f, 1e-30f};

Bytes RotationMatrices() {
  std::array<float, 48> m{};
  IppStatus status = fnVCAIPP_RotationX_m4_32f(0.3f, m.data());
  status |= fnVCAIPP_RotationY_m4_32f(1.1f, m.data() + 16);
  status |= fnVCAIPP_RotationZ_m4_32f(-2.7f, m.data() + 32);
  return With(status, m);
}

Bytes VectorAlgebra() {
  std::array<float, 3 + 8> out{};
  const float denormalVector[3] = {1e-39f, 3e-39f, 2e-39f};
  IppStatus status = fnVCAIPP_Normalize_v3_32f(denormalVector, out.data());
  status |= fnVCAIPP_Mul_vc_32f(kAwkward.data(), 4, 1.0f / 3, out.data() + 3, 4, 8);
  return With(status, out);
}

Bytes ElementWiseMath() {
  std::array<float, 16> out{};
  IppStatus status = fnVCAIPP_Atan2_32f_C1R(kAwkward.data(), kAwkward.data() + 1, out.data(), 7);
  std::copy(kAwkward.begin(), kAwkward.end(), out.begin() + 8);
  status |= fnVCAIPP_Exp_32f_C1IR(out.data() + 8, 8);
  return With(status, out);
}

Bytes GaussianSamples() {
  std::array<float, 64> out{};
  uint32_t seed = 17;
  return With(fnVCAIPP_RandGauss_Direct_32f(out.data(), 64, 0.5f, 3.0f, &seed), out);
}

Bytes ConversionToBytes() {
  std::array<uint8_t, 8> out{};
  return With(fnVCAIPP_Convert_32f8u_C1R(kAwkward.data(), 32, out.data(), 8, IppiSize{8, 1}), out);
}

Bytes MeanAndDeviation() {
  std::array<double, 2> out{};
  return With(fnVCAIPP_Mean_StdDev_32f_C1R(kAwkward.data(), 32, IppiSize{8, 1}, &out[0], &out[1]), out);
}

Bytes FourierTransform() {
  std::array<Ipp32fc, 64> image{};
  for (int i = 0; i < 64; ++i) image[i] = Ipp32fc{static_cast<float>(i % 7), static_cast<float>(i % 5) - 2};
  RynFft2D* fft = nullptr;
  IppStatus status = fnVCAIPP_FFTInitAlloc_C_32fc(&fft, 3, 3, 4, 0);
  if (status == ippStsNoErr) {
    status = fnVCAIPP_FFTFwd_CToC_32fc_C1IR(image.data(), 8 * 8, fft, nullptr);
    fnVCAIPP_FFTFree_C_32fc(fft);
  }
  return With(status, image);
}

// A 16 x 16 ramp, rotated, and sampled at pixel centres and halves through maps.
std::array<uint8_t, 256> Ramp() {
  std::array<uint8_t, 256> image{};
  for (int i = 0; i < 256; ++i) image[i] = static_cast<uint8_t>(i * 7 + i / 16);
  return image;
}

Bytes RotatedImage() {
  const std::array<uint8_t, 256> source = Ramp();
  std::array<uint8_t, 256> out{};
  const IppStatus status = fnVCAIPP_Rotate_8u_C1R(source.data(), IppiSize{16, 16}, 16, IppiRect{0, 0, 16, 16},
                                                  out.data(), 16, IppiRect{0, 0, 16, 16}, 30.0, 3.0, -4.0, 2);
  return With(status, out);
}

Bytes RemappedImage() {
  const std::array<uint8_t, 256> source = Ramp();
  std::array<float, 256> xs{}, ys{};
  for (int i = 0; i < 256; ++i) {
    xs[i] = static_cast<float>(i % 16) * 0.75f + 0.5f;
    ys[i] = static_cast<float>(i / 16) * 0.5f + 0.25f;
  }
  std::array<uint8_t, 512> out{};
  IppStatus status = fnVCAIPP_Remap_8u_C1R(source.data(), IppiSize{16, 16}, 16, IppiRect{0, 0, 16, 16}, xs.data(),
                                           64, ys.data(), 64, out.data(), 16, IppiSize{16, 16}, 1);
  status |= fnVCAIPP_Remap_8u_C1R(source.data(), IppiSize{16, 16}, 16, IppiRect{0, 0, 16, 16}, xs.data(), 64,
                                  ys.data(), 64, out.data() + 256, 16, IppiSize{16, 16}, 2);
  return With(status, out);
}

Bytes CameraPose() {
  const float objects[12] = {0.0f, 0.0f, 0.0f, 0.4f, 0.0f, 0.0f, 0.4f, 0.3f, 0.0f, 0.0f, 0.3f, 0.0f};
  const float image[8] = {-41.5f, 19.25f, 118.0f, 31.5f, 109.75f, 148.0f, -52.0f, 133.5f};
  const float fx = 800.0f, fy = 760.0f;
  std::array<float, 12> out{};
  const bool solved = fnVCAOCV_GetExtrinsicCameraParameter(objects, image, &fx, &fy, out.data(), out.data() + 9, 4);
  return With(solved ? ippStsNoErr : ippStsErr, out);
}

struct Case {
  const char* name;
  std::function<Bytes()> run;
};

const Case kCases[] = {
    {"rotation matrices", RotationMatrices}, {"vector algebra", VectorAlgebra},
    {"element-wise math", ElementWiseMath},  {"Gaussian samples", GaussianSamples},
    {"conversion to bytes", ConversionToBytes}, {"mean and deviation", MeanAndDeviation},
    {"Fourier transform", FourierTransform}, {"rotated image", RotatedImage},
    {"remapped image", RemappedImage},       {"camera pose", CameraPose},
};

TEST(FloatEnvironment, ExportsGiveTheStandardResultsAndTheCallersMxcsrBack) {
  for (const Case& c : kCases) {
    Bytes standard;
    {
      const ScopedMxcsr scoped(StandardFloatEnvironment::kStandard);
      standard = c.run();
    }
    for (unsigned mxcsr : kCallerMxcsr) {
      const ScopedMxcsr scoped(mxcsr);
      const Bytes result = c.run();
      const unsigned after = MxcsrControls();
      EXPECT_EQ(after, mxcsr & StandardFloatEnvironment::kControlBits)
          << c.name << ": MXCSR " << std::hex << mxcsr << " came back changed";
      EXPECT_TRUE(result == standard) << c.name << ": results differ under MXCSR " << std::hex << mxcsr;
    }
  }
}

// fesetround sets the x87 unit as well, which long double arithmetic uses.
TEST(FloatEnvironment, ExportsGiveTheSameResultsUnderEveryRoundingModeOfTheCRuntime) {
  for (const Case& c : kCases) {
    const Bytes nearest = c.run();
    for (int mode : kRoundingModes) {
      const ScopedRoundingMode scoped(mode);
      EXPECT_TRUE(c.run() == nearest) << c.name << ": results differ under rounding mode " << mode;
      EXPECT_EQ(std::fegetround(), mode) << c.name;
    }
  }
}

TEST(FloatEnvironment, StandardCallersPayNoWriteAndKeepTheirFlags) {
  const ScopedMxcsr scoped(StandardFloatEnvironment::kStandard | 0x20);  // the precision flag raised
  { const StandardFloatEnvironment environment; }
  EXPECT_EQ(_mm_getcsr(), StandardFloatEnvironment::kStandard | 0x20);
}

TEST(FloatEnvironment, AnotherCallerGetsItsWholeMxcsrBack) {
  const ScopedMxcsr scoped(0xDFC0 | 0x1);  // round up, flush-to-zero, denormals-are-zero, invalid flag
  {
    const StandardFloatEnvironment environment;
    EXPECT_EQ(MxcsrControls(), StandardFloatEnvironment::kStandard);
  }
  EXPECT_EQ(_mm_getcsr(), 0xDFC0u | 0x1);
}

}  // namespace
}  // namespace ryn::test
#endif
