// Jobs of the colour conversions, the privacy effects and the families with objects or vectors:
// FFTs and contour smoothing, moments and integral images, generators and element-wise
// functions, ray casting.
#include <vector>

#include "support/export_jobs.h"

namespace ryn::test {
namespace {

constexpr int kW = kJobWidth;
constexpr int kH = kJobHeight;
constexpr IppiSize kRegion{kW, kH};
// Two-plane 4:2:0 frames need even sizes.
constexpr IppiSize kFrame{kW + 1, kH + 1};

using Bytes = Plane<uint8_t>;
using Floats = Plane<float>;
using Complex = Plane<Ipp32fc>;

JobResult Yuv420() {
  JobResult r;
  const Bytes y(kFrame.width, kFrame.height, 60, 0, 255);
  const Bytes u(kFrame.width / 2, kFrame.height / 2, 61, 0, 255), v(kFrame.width / 2, kFrame.height / 2, 62, 0, 255);
  Bytes rgb(3 * kFrame.width, kFrame.height);
  const uint8_t* planes[3] = {y.data(), u.data(), v.data()};
  const int steps[3] = {y.step(), u.step(), v.step()};
  RecordStatus(r, fnVCAIPP_YUV420ToRGB_8u_P3C3R(planes, steps, rgb.data(), rgb.step(), kFrame));
  Bytes backY(kFrame.width, kFrame.height), backU(kFrame.width / 2, kFrame.height / 2);
  Bytes backV(kFrame.width / 2, kFrame.height / 2);
  uint8_t* back[3] = {backY.data(), backU.data(), backV.data()};
  const int backSteps[3] = {backY.step(), backU.step(), backV.step()};
  RecordStatus(r, fnVCAIPP_RGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), back, backSteps, kFrame));
  // Two planes and back to three.
  Bytes twoY(kFrame.width, kFrame.height), pairs(kFrame.width, kFrame.height / 2);
  RecordStatus(r, fnVCAIPP_YCbCr420_8u_P3P2R(y.data(), u.data(), v.data(), y.step(), u.step(), v.step(), twoY.data(),
                                             twoY.step(), pairs.data(), pairs.step(), kFrame));
  RecordStatus(r, fnVCAIPP_YCbCr420_8u_P2P3R(twoY.data(), twoY.step(), pairs.data(), pairs.step(), backY.data(),
                                             backU.data(), backV.data(), backY.step(), backU.step(), backV.step(),
                                             kFrame));
  for (const Bytes* image : {&rgb, &backY, &backU, &backV, &twoY, &pairs}) Record(r, *image);
  return r;
}

JobResult YuvRgbAndPlanes() {
  JobResult r;
  const Bytes yuv(3 * kW, kH, 63, 0, 255);
  Bytes rgb(3 * kW, kH);
  RecordStatus(r, fnVCAIPP_YUVToRGB_8u_C3R(yuv.data(), yuv.step(), rgb.data(), rgb.step(), kRegion));
  const Bytes red(kW, kH, 64, 0, 255), green(kW, kH, 65, 0, 255), blue(kW, kH, 66, 0, 255);
  Bytes y(kW, kH), u(kW, kH), v(kW, kH);
  const uint8_t* source[3] = {red.data(), green.data(), blue.data()};
  uint8_t* const destination[3] = {y.data(), u.data(), v.data()};
  RecordStatus(r, fnVCAIPP_RGBToYUV_8u_P3R(source, red.step(), destination, y.step(), kRegion));
  const Plane<int16_t> plane0(kW, 3, 67, -30000, 30000), plane1(kW, 3, 68, -30000, 30000);
  Plane<int16_t> interleaved(2 * kW, 3);
  const int16_t* planes[2] = {plane0.data(), plane1.data()};
  RecordStatus(r, fnVCAIPP_PlaneToInterleave_16s(planes, 2, IppiSize{kW, 3}, plane0.step() / 2, interleaved.data(),
                                                 interleaved.step() / 2));
  for (const Bytes* image : {&rgb, &y, &u, &v}) Record(r, *image);
  Record(r, interleaved);
  return r;
}

JobResult Pixelation() {
  JobResult r;
  for (int mode : {0, 1}) {
    Bytes luma(kFrame.width, kFrame.height, 70, 0, 255), chroma(kFrame.width, kFrame.height / 2, 71, 0, 255);
    RecordStatus(r, fnVCAIPP_Pixelized_8x8_8u_P2P3IR(luma.data(), luma.step(), chroma.data(), chroma.step(), kFrame,
                                                     mode));
    Bytes pairs(kFrame.width, kFrame.height, 72, 0, 255);
    RecordStatus(r, fnVCA_Pixelized_4x4_Interleaved_8u_C1R(pairs.data(), pairs.step(), pairs.data(), pairs.step(),
                                                           kFrame, mode));
    Record(r, luma);
    Record(r, chroma);
    Record(r, pairs);
  }
  const Bytes source(kW, kH, 73, 0, 255);
  Bytes blocks(kW, kH);
  RecordStatus(r, fnVCAIPP_Pixelized_8u_C1R(source.data(), source.step(), blocks.data(), blocks.step(), kRegion,
                                            IppiSize{6, 5}));
  Record(r, blocks);
  return r;
}

JobResult MeanFiltersAndInterleavedFill() {
  JobResult r;
  for (int mode : {0, 1}) {
    Bytes luma(kFrame.width, kFrame.height, 74, 0, 255), chroma(kFrame.width, kFrame.height / 2, 75, 0, 255);
    RecordStatus(r, fnVCAIPP_MeanFilter_5x5_8u_P2P3IR(luma.data(), luma.step(), chroma.data(), chroma.step(), kFrame,
                                                      mode));
    const Bytes pairs(kFrame.width, kFrame.height, 76, 0, 255);
    Bytes blurred(kFrame.width, kFrame.height);
    RecordStatus(r, fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(pairs.data(), pairs.step(), blurred.data(),
                                                               blurred.step(), kFrame, mode));
    Bytes filled(kFrame.width, kFrame.height);
    RecordStatus(r, fnVCA_Set_Interleave_8u_C1R(filled.data(), IppiSize{kFrame.width / 2, kFrame.height},
                                                filled.step(), 16, 240, mode));
    for (const Bytes* image : {&luma, &chroma, &blurred, &filled}) Record(r, *image);
  }
  return r;
}

// One FFT object for every thread: transforms only read it. Made on first use, kept for the
// process.
const RynFft2D* SharedFft() {
  static RynFft2D* const fft = [] {
    RynFft2D* made = nullptr;
    fnVCAIPP_FFTInitAlloc_C_32fc(&made, 4, 3, 2, 0);
    return made;
  }();
  return fft;
}

JobResult Fft() {
  JobResult r;
  const RynFft2D* fft = SharedFft();
  Record(r, fft != nullptr);
  Floats parts(2 * 16, 8, 80, -1, 1);
  Complex spectrum(16, 8), image(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) image.Set(x, y, Ipp32fc{*parts.At(2 * x, y), *parts.At(2 * x + 1, y)});
  RecordStatus(r, fnVCAIPP_FFTFwd_CToC_32fc_C1R(image.data(), image.step(), spectrum.data(), spectrum.step(), fft,
                                                nullptr));
  Record(r, spectrum);
  RecordStatus(r, fnVCAIPP_FFTInv_CToC_32fc_C1IR(spectrum.data(), spectrum.step(), fft, nullptr));
  Record(r, spectrum);
  // A second object of its own, made and released within the job.
  RynFft2D* own = nullptr;
  RecordStatus(r, fnVCAIPP_FFTInitAlloc_C_32fc(&own, 3, 4, 4, 0));
  int bufferBytes = 0;
  RecordStatus(r, fnVCAIPP_FFTGetBufSize_C_32fc(own, &bufferBytes));
  std::vector<uint8_t> buffer(static_cast<size_t>(bufferBytes));
  Complex tall(8, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) tall.Set(x, y, *image.At(x + (y % 2) * 8, y / 2));
  RecordStatus(r, fnVCAIPP_FFTFwd_CToC_32fc_C1IR(tall.data(), tall.step(), own, buffer.data()));
  RecordStatus(r, fnVCAIPP_FFTFree_C_32fc(own));
  Record(r, tall);
  return r;
}

JobResult PolarConversions() {
  JobResult r;
  const Floats re(kW, kH, 81, -5, 5), im(kW, kH, 82, -5, 5);
  Complex complex(kW, kH), back(kW, kH);
  Floats magnitude(kW, kH), phase(kW, kH);
  RecordStatus(r, fnVCAIPP_Convert_RealToComplex_32f(re.data(), re.step(), im.data(), im.step(), complex.data(),
                                                     complex.step(), kRegion));
  RecordStatus(r, fnVCAIPP_Magnitude_32fc32f_C1R(complex.data(), complex.step(), magnitude.data(), magnitude.step(),
                                                 kRegion));
  RecordStatus(r, fnVCAIPP_Phase_32fc32f_C1R(complex.data(), complex.step(), phase.data(), phase.step(), kRegion));
  RecordStatus(r, fnVCAIPP_PolarToCart_32f32fc_P2C1R(magnitude.data(), phase.data(), magnitude.step(), back.data(),
                                                     back.step(), kRegion));
  Floats vectorMagnitude(kW, 1), vectorPhase(kW, 1);
  RecordStatus(r, fnVCAIPP_CartToPolar_32f(re.data(), im.data(), vectorMagnitude.data(), vectorPhase.data(), kW));
  for (const Floats* image : {&magnitude, &phase, &vectorMagnitude, &vectorPhase}) Record(r, *image);
  Record(r, complex);
  Record(r, back);
  return r;
}

JobResult MatchingAndContours() {
  JobResult r;
  const Floats source(kW, kH, 83, 0, 1), pattern(7, 5, 84, 0, 1);
  Floats distances(kW - 7 + 1, kH - 5 + 1);
  RecordStatus(r, fnVCAIPP_SqrDistanceValid_Norm(source.data(), source.step(), kRegion, pattern.data(),
                                                 pattern.step(), pattern.size(), distances.data(), distances.step()));
  Record(r, distances);
  constexpr int kPoints = 37;
  const Floats coordinates(2 * kPoints, 1, 85, 0, 1);
  std::vector<Ipp32fc> contour(kPoints), spectrum(kPoints);
  for (int i = 0; i < kPoints; ++i) contour[i] = Ipp32fc{*coordinates.At(2 * i, 0), *coordinates.At(2 * i + 1, 0)};
  RynContourSmoother* smoother = nullptr;
  RecordStatus(r, fnVCAIPP_DFTSmoothContourInitAlloc_32f(&smoother, kPoints));
  RecordStatus(r, fnVCAIPP_DFTSmoothContour_32f(smoother, contour.data(), spectrum.data(), kPoints, 5));
  RecordStatus(r, fnVCAIPP_DFTSmoothContourFree_32f(&smoother));
  Record(r, contour);
  Record(r, spectrum);
  return r;
}

JobResult MomentsAndIntegrals() {
  JobResult r;
  const Bytes source(kW, kH, 86, 0, 255);
  RynMomentState* state = nullptr;
  double hu[7] = {};
  RecordStatus(r, fnVCAIPP_MomentInitAlloc(&state, 0));
  RecordStatus(r, fnVCAIPP_Moments64f_8u_C1R(source.data(), source.step(), kRegion, state));
  RecordStatus(r, fnVCAIPP_GetHuMoments_64f(state, 0, hu));
  RecordStatus(r, fnVCAIPP_MomentFree_64f(state));
  Plane<int32_t> integral(kW + 1, kH + 1), tilted(kW + 2, kH + 2);
  RecordStatus(r, fnVCAIPP_Integral_8u32s_C1R(source.data(), source.step(), integral.data(), integral.step(), kRegion,
                                              -7));
  RecordStatus(r, fnVCAIPP_TiltedIntegral_8u32s_C1R(source.data(), source.step(), tilted.data(), tilted.step(),
                                                    kRegion, 3));
  Record(r, hu);
  Record(r, integral);
  Record(r, tilted);
  return r;
}

JobResult ElementWiseFunctions() {
  JobResult r;
  const int length = kW * kH;
  const Floats y(length, 1, 87, -100, 100), x(length, 1, 88, -100, 100);
  Floats angles(length, 1), hypotenuses(length, 1);
  RecordStatus(r, fnVCAIPP_Atan2_32f_C1R(y.data(), x.data(), angles.data(), length));
  RecordStatus(r, fnVCAIPP_Hypot_32f_C1R(y.data(), x.data(), hypotenuses.data(), length));
  const Floats radians(kW, kH, 89, -10, 10);
  Floats sines(kW, kH);
  Bytes pattern(kW, kH);
  RecordStatus(r, fnVCAIPP_SinA11_32f_C1R(radians.data(), radians.step(), sines.data(), sines.step(), kRegion));
  RecordStatus(r, fnVCAIPP_ImageJaehne_8u_C1R(pattern.data(), pattern.step(), kRegion));
  for (const Floats* image : {&angles, &hypotenuses, &sines}) Record(r, *image);
  Record(r, pattern);
  return r;
}

JobResult RandomGenerators() {
  JobResult r;
  const int length = kW * kH;
  Bytes uniformBytes(length, 1);
  Floats gauss(length, 1);
  Plane<double> uniformDoubles(length, 1);
  RynRandUniformState8u* state = nullptr;
  RecordStatus(r, fnVCAIPP_RandUniformInitAlloc_8u(&state, 3, 250, 12345));
  RecordStatus(r, fnVCAIPP_RandUniform_8u(uniformBytes.data(), length, state));
  RecordStatus(r, fnVCAIPP_RandUniformFree_8u(state));
  uint32_t seed = 777;
  RecordStatus(r, fnVCAIPP_RandGauss_Direct_32f(gauss.data(), length, 1.5f, 4.0f, &seed));
  RecordStatus(r, fnVCAIPP_RandUniform_Direct_64f(uniformDoubles.data(), length, -2.0, 9.0, &seed));
  Record(r, uniformBytes);
  Record(r, gauss);
  Record(r, uniformDoubles);
  Record(r, seed);
  return r;
}

JobResult RayCasting() {
  JobResult r;
  // A tetrahedron in front of the eye, rays through a 9 x 7 block.
  const float vertices[] = {-1, -1, 5, 1.5f, -1, 6, 0, 1.5f, 5.5f, 0.2f, 0, 8};
  const int32_t triangles[] = {0, 1, 2, 0, 0, 1, 3, 0, 1, 2, 3, 0, 0, 2, 3, 0};
  float box[6] = {};
  int recordSize = 0, treeSize = 0;
  RecordStatus(r, fnVCAIPP_SetBoundBox_32f(vertices, 4, box));
  RecordStatus(r, fnVCAIPP_TriangleAccelGetSize(&recordSize));
  std::vector<uint8_t> records(static_cast<size_t>(recordSize) * 4);
  RecordStatus(r, fnVCAIPP_TriangleAccelInit(records.data(), vertices, triangles, 4));
  void* tree = nullptr;
  const RynKDTreeBuildContext build{RYN_KDTREE_SAH_BUILD, 8, 0.5f, 32, nullptr};
  RecordStatus(r, fnVCAIPP_KDTreeBuildAlloc(&tree, vertices, triangles, 4, 4, &treeSize, &build));

  constexpr IppiSize kBlock{9, 7};
  constexpr int kRays = kBlock.width * kBlock.height;
  std::vector<float> dx(kRays), dy(kRays), dz(kRays), distances(kRays, 100.0f), u(kRays), v(kRays);
  std::vector<float> hx(kRays), hy(kRays), hz(kRays);
  std::vector<int32_t> hits(kRays);
  float* const directions[3] = {dx.data(), dy.data(), dz.data()};
  RecordStatus(r, fnVCAIPP_CastEye_32f(RynPoint3D{-0.8f, -0.6f, 1}, RynPoint3D{0.2f, 0, 0}, RynPoint3D{0, 0.2f, 0}, 0,
                                       0, kBlock, directions, kBlock));
  float* const barycentrics[2] = {u.data(), v.data()};
  const RynRayCastContext context{box, records.data(), tree};
  RecordStatus(r, fnVCAIPP_IntersectEyeSO_32f(RynPoint3D{0, 0, 0}, directions, distances.data(), barycentrics,
                                              hits.data(), &context, kBlock));
  float* const hitPoints[3] = {hx.data(), hy.data(), hz.data()};
  RecordStatus(r, fnVCAIPP_HitPoint3DEpsS0_32f_M(RynPoint3D{0, 0, 0}, directions, distances.data(), hits.data(),
                                                 hitPoints, kRays, 0.999f));
  fnVCAIPP_KDTreeFree(tree);
  Record(r, box);
  for (const auto* values : {&dx, &dy, &dz, &distances, &u, &v, &hx, &hy, &hz}) Record(r, *values);
  Record(r, hits);
  return r;
}

}  // namespace

std::vector<ExportJob> ObjectJobs() {
  return {
      {"color", "4:2:0 conversions", &Yuv420},
      {"color", "YUV, RGB, planes", &YuvRgbAndPlanes},
      {"effects", "pixelation", &Pixelation},
      {"effects", "mean filters, interleaved fill", &MeanFiltersAndInterleavedFill},
      {"fft", "FFT, shared and own objects", &Fft},
      {"fft", "polar conversions", &PolarConversions},
      {"fft", "matching, contour smoothing", &MatchingAndContours},
      {"moments", "moments, integral images", &MomentsAndIntegrals},
      {"numerics", "element-wise functions", &ElementWiseFunctions},
      {"numerics", "random generators", &RandomGenerators},
      {"raycast", "ray casting", &RayCasting},
  };
}

}  // namespace ryn::test
