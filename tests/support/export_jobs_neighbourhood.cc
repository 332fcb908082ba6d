// Jobs of the neighbourhood and geometry families: linear filters and borders, morphology,
// derivatives and edges, mosquito filtering, segmentation and distances, resizing, warping,
// mirroring.
#include <algorithm>
#include <vector>

#include "support/export_jobs.h"

namespace ryn::test {
namespace {

constexpr int kW = kJobWidth;
constexpr int kH = kJobHeight;
constexpr IppiSize kRegion{kW, kH};

using Bytes = Plane<uint8_t>;
using Floats = Plane<float>;

JobResult LinearFilters8u() {
  JobResult r;
  const Bytes source(kW, kH, 30, 0, 255);
  Bytes box(kW, kH), gauss(kW, kH), hipass(kW, kH, 31, 0, 255), kernel(kW, kH);
  const int32_t weights[] = {1, 2, 1, 0, 3, 0, -1, 2, 1};
  RecordStatus(r, fnVCAIPP_FilterBox_8u_C1R(source.data(), source.step(), box.data(), box.step(), kRegion, 5, 3));
  RecordStatus(r, fnVCAIPP_FilterGauss_8u_C1R(source.data(), source.step(), gauss.data(), gauss.step(), kRegion, 55));
  RecordStatus(r, fnVCAIPP_FilterHipass_8u_C1R(source.data(), source.step(), hipass.data(), hipass.step(), kRegion,
                                               33));
  RecordStatus(r, fnVCAIPP_Filter_8u_C1R(source.data(), source.step(), kernel.data(), kernel.step(), kRegion, weights,
                                         IppiSize{3, 3}, 7));
  for (const Bytes* image : {&box, &gauss, &hipass, &kernel}) Record(r, *image);
  return r;
}

JobResult LinearFilters32fAndBorders() {
  JobResult r;
  // The unbordered float filter reads two pixels around its region.
  const Floats framed(kW + 4, kH + 4, 32, -10, 10);
  Floats box(kW, kH), kernel(kW, kH), gauss(kW, kH);
  const float weights[] = {0.5f, -1.25f, 2.0f, 0.125f, 1.0f, 0.75f, -0.5f, 0.25f, 3.0f, 0.0f,
                           1.5f, 0.5f,   1.0f, -2.0f,  0.5f, 1.0f,  0.25f, 0.5f,  1.0f, 2.0f};
  RecordStatus(r, fnVCAIPP_FilterBox_32f_C1R(framed.data(), framed.step(), box.data(), box.step(), kRegion, 3, 5));
  RecordStatus(r, fnVCAIPP_Filter_32f_C1R(framed.At(2, 2), framed.step(), kernel.data(), kernel.step(), kRegion,
                                          weights, IppiSize{5, 4}, IppiPoint{2, 1}));
  RecordStatus(r, fnVCAIPP_FilterGaussBorder_32f_C1R(framed.data(), framed.step(), gauss.data(), gauss.step(),
                                                     kRegion, 5, 2));
  // Both border copies share one step between source and destination.
  const Bytes source(kW, kH, 33, 0, 255);
  Bytes constant(kW, kH), replicated(kW, kH);
  RecordStatus(r, fnVCAIPP_CopyConstBorder_8u_C1R(source.data(), constant.data(), kW, kH, source.step(), 3, 200));
  RecordStatus(r, fnVCAIPP_CopyReplicateBorder_8u_C1R(source.data(), replicated.data(), kW, kH, source.step(), 2));
  for (const Floats* image : {&box, &kernel, &gauss}) Record(r, *image);
  Record(r, constant);
  Record(r, replicated);
  return r;
}

JobResult Morphology() {
  JobResult r;
  const Bytes source(kW, kH, 34, 0, 255);
  Bytes eroded(kW, kH), median(kW, kH), maximum(kW, kH), opened(kW, kH), dilatedRows(kW, kH, 35, 0, 255);
  Bytes closedInPlace(kW, kH, 36, 0, 255);
  const uint8_t element[] = {1, 0, 1};
  RecordStatus(r, fnVCAIPP_FilterErode_8u_C1R(source.data(), source.step(), eroded.data(), eroded.step(), kRegion));
  RecordStatus(r, fnVCAIPP_FilterMedian_8u_C1R(source.data(), source.step(), median.data(), median.step(), kRegion));
  RecordStatus(r, fnVCAIPP_FilterMax_8u_C1R(source.data(), source.step(), maximum.data(), maximum.step(), kRegion));
  RecordStatus(r, fnVCAIPP_Opening3x3_8u_C1R(source.data(), source.step(), opened.data(), opened.step(), kRegion));
  RecordStatus(r, fnVCAIPP_FilterDilateHoriz_8u_C1MR(source.data(), source.step(), dilatedRows.data(),
                                                     dilatedRows.step(), element, kRegion));
  RecordStatus(r, fnVCAIPP_Closing3x3_8u_C1IR(closedInPlace.data(), closedInPlace.step(), kRegion));
  for (const Bytes* image : {&eroded, &median, &maximum, &opened, &dilatedRows, &closedInPlace}) Record(r, *image);
  return r;
}

JobResult DerivativesAndEdges() {
  JobResult r;
  const Bytes source(kW, kH, 37, 0, 255);
  Plane<int16_t> dx(kW, kH), dy(kW, kH);
  Bytes edges(kW, kH);
  int sobelBytes = 0, negVertBytes = 0, cannyBytes = 0;
  RecordStatus(r, fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R(kRegion, 33, &sobelBytes));
  RecordStatus(r, fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R(kRegion, 33, &negVertBytes));
  RecordStatus(r, fnVCAIPP_CannyGetSize(kRegion, &cannyBytes));
  std::vector<uint8_t> buffer(static_cast<size_t>(std::max({sobelBytes, negVertBytes, cannyBytes, 1})));
  RecordStatus(r, fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(source.data(), source.step(), dy.data(), dy.step(),
                                                            kRegion, 33, 1, 0, buffer.data()));
  RecordStatus(r, fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R(source.data(), source.step(), dx.data(), dx.step(),
                                                              kRegion, 33, 4, 0, buffer.data()));
  RecordStatus(r, fnVCAIPP_Canny_16s8u_C1R(dx.data(), dx.step(), dy.data(), dy.step(), edges.data(), edges.step(),
                                           kRegion, 60.0f, 180.0f, buffer.data()));
  const Floats floats(kW, kH, 38, -4, 4);
  Floats laplacian(kW, kH), sobel(kW, kH);
  RecordStatus(r, fnVCAIPP_FilterLaplacianBorder_32f_C1R(floats.data(), floats.step(), laplacian.data(),
                                                         laplacian.step(), kRegion));
  RecordStatus(r, fnVCAIPP_FilterSobelVertBorder_32f_C1R(floats.data(), floats.step(), sobel.data(), sobel.step(),
                                                         kRegion, 55));
  Record(r, dx);
  Record(r, dy);
  Record(r, edges);
  Record(r, laplacian);
  Record(r, sobel);
  return r;
}

JobResult Mosquito() {
  JobResult r;
  // The two sources share one step: one plane of two images side by side.
  const Bytes sources(2 * kW, kH, 39, 0, 255);
  Bytes destination(kW, kH);
  RynMosquitoState* state = nullptr;
  RecordStatus(r, fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(kRegion, &state));
  RecordStatus(r, fnVCAIPP_FilterDenoiseMosquito_8u_C1R(sources.data(), sources.At(kW, 0), sources.step(),
                                                        destination.data(), destination.step(), kRegion, state));
  fnVCAIPP_Free(state);
  Record(r, destination);
  return r;
}

JobResult SegmentsAndDistances() {
  JobResult r;
  const Bytes source(kW, kH, 40, 0, 3);
  Floats distances(kW, kH);
  int bufferBytes = 0;
  RecordStatus(r, fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(kRegion, &bufferBytes));
  std::vector<uint8_t> buffer(static_cast<size_t>(bufferBytes));
  RecordStatus(r, fnVCAIPP_TrueDistanceTransform_8u32f_C1R(source.data(), source.step(), distances.data(),
                                                           distances.step(), kRegion, buffer.data()));
  Bytes labels(kW, kH, 41, 0, 1), filled(kW, kH, 42, 0, 2), bounds(kW, kH, 43, 0, 4);
  int count = 0;
  RynConnectedComponent component{};
  RecordStatus(r, fnVCAIPP_LabelMarkers_8u_C1IR(labels.data(), labels.step(), kRegion, 1, 200, 0, &count));
  RecordStatus(r, fnVCAIPP_FloodFill_8u_C1IR(filled.data(), filled.step(), kRegion, kW / 2, kH / 2, 9, &component));
  RecordStatus(r, fnVCAIPP_BoundSegments_8u_C1IR(bounds.data(), bounds.step(), kRegion, 255, 1));
  Record(r, distances);
  Record(r, labels);
  Record(r, count);
  Record(r, filled);
  Record(r, component);
  Record(r, bounds);
  return r;
}

JobResult Resizing() {
  JobResult r;
  const Bytes source(kW, kH, 44, 0, 255);
  Bytes enlarged(2 * kW + 3, 2 * kH + 1), reduced(kW / 3, kH / 2), squares(kW / 2, kH / 2);
  for (int interpolation : {2, 4, 16}) {
    RecordStatus(r, fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), kRegion, enlarged.data(),
                                                enlarged.step(), enlarged.size(), interpolation));
    Record(r, enlarged);
  }
  RecordStatus(r, fnVCAIPP_ResizeImage_8u_C1R(source.data(), source.step(), kRegion, reduced.data(), reduced.step(),
                                              reduced.size(), 8));
  RecordStatus(r, fnVCAIPP_ResizeSqrPixel_8u_C1R(source.data(), source.step(), squares.data(), squares.step(), kW,
                                                 kH, 2.0f));
  Record(r, reduced);
  Record(r, squares);
  return r;
}

JobResult Warping() {
  JobResult r;
  const Bytes source(kW, kH, 45, 0, 255);
  const IppiRect whole{0, 0, kW, kH};
  Bytes rotated(kW, kH, 46, 0, 255), warped(kW, kH), remapped(kW, kH, 47, 0, 255);
  RecordStatus(r, fnVCAIPP_Rotate_8u_C1R(source.data(), kRegion, source.step(), whole, rotated.data(), rotated.step(),
                                         whole, 17.5, 4.0, -3.0, 2 | static_cast<int>(0x80000000u)));
  const double quadrangle[] = {2, 1, kW - 4, 3, kW - 2, kH - 2, 1, kH - 5};
  double coefficients[9] = {};
  RecordStatus(r, fnVCAIPP_GetPerspectiveTransform_8u_C1R(quadrangle, kRegion, coefficients));
  // The warp has one step for both images.
  Bytes warpSource(kW, kH, 48, 0, 255);
  RecordStatus(r, fnVCAIPP_WarpPerspective_8u_C1R(warpSource.data(), warped.data(), kRegion, warped.step(), 0,
                                                  coefficients));
  const Floats xMap(kW, kH, 49, -2, kW + 1), yMap(kW, kH, 50, -2, kH + 1);
  RecordStatus(r, fnVCAIPP_Remap_8u_C1R(source.data(), kRegion, source.step(), whole, xMap.data(), xMap.step(),
                                        yMap.data(), yMap.step(), remapped.data(), remapped.step(), kRegion, 6));
  Record(r, rotated);
  Record(r, coefficients);
  Record(r, warped);
  Record(r, remapped);
  return r;
}

JobResult MirrorAndTranspose() {
  JobResult r;
  const Bytes source(kW, kH, 51, 0, 255);
  const Floats floats(kW, kH, 52, -1, 1);
  Bytes mirrored(kW, kH), inPlace(kW, kH, 53, 0, 255), transposed(kH, kW);
  Floats floatsTransposed(kH, kW), floatsMirrored(kW, kH);
  RecordStatus(r, fnVCAIPP_Mirror_8u_C1R(source.data(), source.step(), mirrored.data(), mirrored.step(), kRegion, 2));
  RecordStatus(r, fnVCAIPP_Mirror_8u_C1IR(inPlace.data(), inPlace.step(), kRegion, 1));
  RecordStatus(r, fnVCAIPP_Mirror_32f_C1R(floats.data(), floats.step(), floatsMirrored.data(), floatsMirrored.step(),
                                          kRegion, 0));
  RecordStatus(r, fnVCAIPP_Transpose_8u_C1R(source.data(), source.step(), transposed.data(), transposed.step(),
                                            kRegion));
  RecordStatus(r, fnVCAIPP_Transpose_32f_C1R(floats.data(), floats.step(), floatsTransposed.data(),
                                             floatsTransposed.step(), kRegion));
  Record(r, mirrored);
  Record(r, inPlace);
  Record(r, transposed);
  Record(r, floatsMirrored);
  Record(r, floatsTransposed);
  return r;
}

}  // namespace

std::vector<ExportJob> NeighbourhoodJobs() {
  return {
      {"filters", "8u filters", &LinearFilters8u},
      {"filters", "32f filters and border copies", &LinearFilters32fAndBorders},
      {"morphology", "rank filters and morphology", &Morphology},
      {"derivatives", "Sobel, Canny, Laplacian", &DerivativesAndEdges},
      {"mosquito", "FilterDenoiseMosquito", &Mosquito},
      {"segment", "distance transform, labels, flood fill", &SegmentsAndDistances},
      {"geometry", "ResizeImage, ResizeSqrPixel", &Resizing},
      {"geometry", "Rotate, WarpPerspective, Remap", &Warping},
      {"geometry", "Mirror, Transpose", &MirrorAndTranspose},
  };
}

}  // namespace ryn::test
