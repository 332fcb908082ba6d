// Resizing, rotation, perspective warp, remap, mirror and transpose. The resize exports compose
// the engine with its size rules and a working buffer.
#include <algorithm>
#include <cmath>

#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "frame/allocator.h"
#include "primitives/fill/fill.h"
#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"

namespace {

using namespace ryn::geometry;

// A working buffer of the library's allocator for one call.
class CallBuffer {
 public:
  explicit CallBuffer(int bytes) : block_(static_cast<uint8_t*>(ryn::AllocateBlock(bytes))) {}
  ~CallBuffer() { ryn::FreeBlock(block_); }
  CallBuffer(const CallBuffer&) = delete;
  CallBuffer& operator=(const CallBuffer&) = delete;
  uint8_t* get() const { return block_; }

 private:
  uint8_t* block_;
};

int BufferBytes(IppiSize sourceSize, IppiSize destinationSize, int interpolation) {
  int bytes = 0;
  ResizeBufferSize(IppiRect{0, 0, sourceSize.width, sourceSize.height},
                   IppiRect{0, 0, destinationSize.width, destinationSize.height}, 1, interpolation, &bytes);
  return bytes;
}

// The whole-image resize once a buffer is at hand (null when none could be had). The rectangle of
// the factors is kept inside the destination size: a factor rounded up in single precision must not
// reach a column or row past it.
IppStatus ResizeWholeImage(const uint8_t* source, int sourceStep, IppiSize sourceSize, uint8_t* destination,
                           int destinationStep, IppiSize destinationSize, int interpolation, uint8_t* buffer,
                           bool ownBuffer) {
  const double xFactor = static_cast<float>(destinationSize.width) / static_cast<float>(sourceSize.width);
  const double yFactor = static_cast<float>(destinationSize.height) / static_cast<float>(sourceSize.height);
  IppiRect sourceRegion{0, 0, sourceSize.width, sourceSize.height};
  IppiRect written{0, 0, 0, 0};
  const IppStatus rectangle = ResizeDestinationRect(sourceRegion, &written, xFactor, yFactor, 0.0, 0.0, interpolation);
  if (rectangle != ippStsNoErr) return rectangle;
  // An own buffer that could not be had is reported as no operation, not as success.
  if (buffer == nullptr && ownBuffer) return ippStsNoOperation;
  written.width = std::min(written.width, destinationSize.width - written.x);
  written.height = std::min(written.height, destinationSize.height - written.y);
  return Resize8u(source, sourceSize, sourceStep, &sourceRegion, destination, destinationStep, written, xFactor,
                  yFactor, 0.0, 0.0, interpolation, buffer);
}

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_Resize_8u_C1R(const uint8_t*, IppiSize, int, IppiRect, uint8_t*, int, IppiSize, double,
                                         double, int) {
  return ippStsErr;
}

RYN_API IppStatus fnVCAIPP_ResizeSqrPixel_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                 int destinationStep, int width, int height, float factor) {
  const ryn::StandardFloatEnvironment environment;
  // A factor that is not a positive number gives no size; refused as the engine refuses it.
  if (!(factor > 0.0f) || !std::isfinite(factor)) return ippStsResizeFactorErr;
  const IppiSize size{TruncateToInt(static_cast<float>(width) / factor),
                      TruncateToInt(static_cast<float>(height) / factor)};
  const int mode = factor < 1.0f ? kNearest : kSuperSampling;
  const CallBuffer buffer(BufferBytes(IppiSize{width, height}, size, mode));
  if (buffer.get() == nullptr) return ippStsNoOperation;
  IppiRect sourceRegion{0, 0, width, height};
  const double scale = 1.0f / factor;
  return Resize8u(source, IppiSize{width, height}, sourceStep, &sourceRegion, destination, destinationStep,
                  IppiRect{0, 0, size.width, size.height}, scale, scale, 0.0, 0.0, mode, buffer.get());
}

RYN_API IppStatus fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(IppiSize sourceSize, IppiSize destinationSize,
                                                         int interpolation, int* bufferSize) {
  const ryn::StandardFloatEnvironment environment;
  return ResizeBufferSize(IppiRect{0, 0, sourceSize.width, sourceSize.height},
                          IppiRect{0, 0, destinationSize.width, destinationSize.height}, 1, interpolation, bufferSize);
}

RYN_API IppStatus fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(const uint8_t* source, int sourceStep, IppiSize sourceSize,
                                                     uint8_t* destination, int destinationStep,
                                                     IppiSize destinationSize, int interpolation, uint8_t* buffer) {
  const ryn::StandardFloatEnvironment environment;
  return ResizeWholeImage(source, sourceStep, sourceSize, destination, destinationStep, destinationSize, interpolation,
                          buffer, false);
}

RYN_API IppStatus fnVCAIPP_ResizeImage_8u_C1R(const uint8_t* source, int sourceStep, IppiSize sourceSize,
                                              uint8_t* destination, int destinationStep, IppiSize destinationSize,
                                              int interpolation) {
  const ryn::StandardFloatEnvironment environment;
  const CallBuffer buffer(BufferBytes(sourceSize, destinationSize, interpolation));
  return ResizeWholeImage(source, sourceStep, sourceSize, destination, destinationStep, destinationSize, interpolation,
                          buffer.get(), true);
}

RYN_API IppStatus fnVCAIPP_Rotate_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                         IppiRect sourceRegion, uint8_t* destination, int destinationStep,
                                         IppiRect destinationRegion, double angle, double xShift, double yShift,
                                         int interpolation) {
  const ryn::StandardFloatEnvironment environment;
  return Rotate8u(source, sourceSize, sourceStep, sourceRegion, destination, destinationStep, destinationRegion, angle,
                  xShift, yShift, interpolation);
}

RYN_API IppStatus fnVCAIPP_RotateCenter_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                               IppiRect sourceRegion, uint8_t* destination, int destinationStep,
                                               IppiRect destinationRegion, double angle, double xCentre, double yCentre,
                                               int interpolation) {
  const ryn::StandardFloatEnvironment environment;
  double xShift, yShift;
  ShiftsAboutCentre(angle, xCentre, yCentre, &xShift, &yShift);
  return Rotate8u(source, sourceSize, sourceStep, sourceRegion, destination, destinationStep, destinationRegion, angle,
                  xShift, yShift, interpolation);
}

RYN_API IppStatus fnVCAIPP_GetPerspectiveTransform_8u_C1R(const double* quadrangle, IppiSize size,
                                                          double* coefficients) {
  const ryn::StandardFloatEnvironment environment;
  return PerspectiveTransform(quadrangle, size, coefficients);
}

RYN_API IppStatus fnVCAIPP_WarpPerspective_8u_C1R(const uint8_t* source, uint8_t* destination, IppiSize size, int step,
                                                  uint8_t direction, const double* coefficients) {
  const ryn::StandardFloatEnvironment environment;
  ryn::fill::Set8u(destination, size, step, 15);
  const IppiRect region{0, 0, size.width, size.height};
  return WarpPerspective8u(source, size, step, region, destination, step, region, coefficients, kNearest,
                           direction == 1);
}

RYN_API IppStatus fnVCAIPP_Remap_8u_C1R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                        IppiRect sourceRegion, const float* xMap, int xMapStep, const float* yMap,
                                        int yMapStep, uint8_t* destination, int destinationStep,
                                        IppiSize destinationSize, int interpolation) {
  const ryn::StandardFloatEnvironment environment;
  return Remap8u(source, sourceSize, sourceStep, sourceRegion, xMap, xMapStep, yMap, yMapStep, destination,
                 destinationStep, destinationSize, interpolation, 1);
}

RYN_API IppStatus fnVCAIPP_Remap_8u_C3R(const uint8_t* source, IppiSize sourceSize, int sourceStep,
                                        IppiRect sourceRegion, const float* xMap, int xMapStep, const float* yMap,
                                        int yMapStep, uint8_t* destination, int destinationStep,
                                        IppiSize destinationSize, int interpolation) {
  const ryn::StandardFloatEnvironment environment;
  return Remap8u(source, sourceSize, sourceStep, sourceRegion, xMap, xMapStep, yMap, yMapStep, destination,
                 destinationStep, destinationSize, interpolation, 3);
}

RYN_API IppStatus fnVCAIPP_Mirror_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize size, int flip) {
  return ryn::geometry::Mirror8u(source, sourceStep, destination, destinationStep, size, flip);
}
RYN_API IppStatus fnVCAIPP_Mirror_32f_C1R(const float* source, int sourceStep, float* destination, int destinationStep,
                                          IppiSize size, int flip) {
  return ryn::geometry::Mirror32(reinterpret_cast<const uint32_t*>(source), sourceStep,
                                 reinterpret_cast<uint32_t*>(destination), destinationStep, size, flip);
}
RYN_API IppStatus fnVCAIPP_Mirror_8u_C1IR(uint8_t* image, int step, IppiSize size, int flip) {
  return ryn::geometry::MirrorInPlace8u(image, step, size, flip);
}
RYN_API IppStatus fnVCAIPP_Mirror_32f_C1IR(float* image, int step, IppiSize size, int flip) {
  return ryn::geometry::MirrorInPlace32(reinterpret_cast<uint32_t*>(image), step, size, flip);
}
RYN_API IppStatus fnVCAIPP_Transpose_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize size) {
  return ryn::geometry::Transpose8u(source, sourceStep, destination, destinationStep, size);
}
RYN_API IppStatus fnVCAIPP_Transpose_32f_C1R(const float* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize size) {
  return ryn::geometry::Transpose32(reinterpret_cast<const uint32_t*>(source), sourceStep,
                                    reinterpret_cast<uint32_t*>(destination), destinationStep, size);
}

}  // extern "C"
