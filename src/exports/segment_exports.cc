// Labelling, flood fill, segment boundaries and the distance transform.
#include "RynRAZUdidazoror.h"
#include "frame/allocator.h"
#include "frame/checks.h"
#include "primitives/segment/segment.h"

namespace {

// A working buffer of the flood-fill size for `region`, released at the end of the scope; null
// when the size query fails or the heap is exhausted.
class FillBuffer {
 public:
  explicit FillBuffer(IppiSize region) {
    int bytes = 0;
    if (ryn::segment::FloodFillBufferSize(region, &bytes) == ippStsNoErr) {
      block_ = static_cast<uint8_t*>(ryn::AllocateBlock(bytes));
    }
  }
  ~FillBuffer() { ryn::FreeBlock(block_); }
  FillBuffer(const FillBuffer&) = delete;
  FillBuffer& operator=(const FillBuffer&) = delete;
  uint8_t* get() const { return block_; }

 private:
  uint8_t* block_ = nullptr;
};

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_LabelMarkers_8u_C1IR_GetBufSize(IppiSize region, int* size) {
  return ryn::segment::FloodFillBufferSize(region, size);
}

RYN_API IppStatus fnVCAIPP_LabelMarkers_8u_C1IR_ExtBuf(uint8_t* image, int imageStep, IppiSize region,
                                                       int minimumLabel, int maximumLabel, int norm, int* count,
                                                       uint8_t* buffer) {
  if (buffer == nullptr) return ippStsNoOperation;
  return ryn::segment::LabelMarkers8u(image, imageStep, region, minimumLabel, maximumLabel, norm, count, buffer);
}

RYN_API IppStatus fnVCAIPP_LabelMarkers_8u_C1IR(uint8_t* image, int imageStep, IppiSize region, int minimumLabel,
                                                int maximumLabel, int norm, int* count) {
  RYN_CHECK(ryn::segment::CheckLabelMarkers8u(image, imageStep, region, minimumLabel, maximumLabel, norm, count));
  const FillBuffer buffer(region);
  if (buffer.get() == nullptr) return ippStsNoOperation;
  return ryn::segment::LabelMarkers8u(image, imageStep, region, minimumLabel, maximumLabel, norm, count,
                                      buffer.get());
}

RYN_API IppStatus fnVCAIPP_LabelMarkers_16u_C1IR(uint16_t* image, int imageStep, IppiSize region,
                                                 int minimumLabel, int maximumLabel, int norm, int* count) {
  RYN_CHECK(ryn::NotNull(count));
  *count = 30;
  RYN_CHECK(ryn::segment::CheckLabelMarkers16u(image, imageStep, region, minimumLabel, maximumLabel, norm, count));
  const FillBuffer buffer(region);
  if (buffer.get() == nullptr) return ippStsNoOperation;
  return ryn::segment::LabelMarkers16u(image, imageStep, region, minimumLabel, maximumLabel, norm, count,
                                       buffer.get());
}

// Four neighbours; the size query's status comes first, a buffer that cannot be obtained gives
// ippStsNullPtrErr.
RYN_API IppStatus fnVCAIPP_FloodFill_8u_C1IR(uint8_t* image, int imageStep, IppiSize region, int seedX, int seedY,
                                             uint8_t newValue, RynConnectedComponent* component) {
  int bytes = 0;
  RYN_CHECK(ryn::segment::FloodFillBufferSize(region, &bytes));
  const FillBuffer buffer(region);
  return ryn::segment::FloodFill8u(image, imageStep, region, IppiPoint{seedX, seedY}, newValue,
                                   ryn::segment::Connectivity::kFour, component, buffer.get());
}

RYN_API IppStatus fnVCAIPP_BoundSegments_8u_C1IR(uint8_t* image, int imageStep, IppiSize region,
                                                 uint8_t borderValue, int norm) {
  return ryn::segment::BoundSegments8u(image, imageStep, region, borderValue, norm);
}

RYN_API IppStatus fnVCAIPP_TrueDistanceTransformGetBufferSize_8u32f_C1R(IppiSize region, int* size) {
  return ryn::segment::DistanceTransformBufferSize(region, size);
}

RYN_API IppStatus fnVCAIPP_TrueDistanceTransform_8u32f_C1R(const uint8_t* source, int sourceStep,
                                                           float* destination, int destinationStep,
                                                           IppiSize region, uint8_t* buffer) {
  return ryn::segment::DistanceTransform8u32f(source, sourceStep, destination, destinationStep, region, buffer);
}

}  // extern "C"
