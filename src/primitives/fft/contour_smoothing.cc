// Smoothing of closed contours by keeping the low frequencies of their DFT: the context, the
// Cartesian smoother and the polar smoother.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "frame/allocator.h"
#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/fft_checks.h"

namespace ryn::fft {
namespace {

// The polar smoother's buffer: five arrays of n complex values and two of n floats.
constexpr int64_t kPolarBytesPerPoint = 40;

// A one-row image's step is never used; any positive value serves.
constexpr int kOneRowStep = std::numeric_limits<int>::max();

IppiSize OneRow(int length) { return IppiSize{length, 1}; }

void Release(SmoothingContext* context) {
  FreeBlock(context->work);
  if (context->plan != nullptr) ReleaseDftPlan(context->plan);
  std::free(context);
}

// min(max(v, 0), 1), with NaN giving 0.
float ClampToUnit(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

IppStatus LengthMatches(int length, const SmoothingContext& context) {
  return length == context.length ? ippStsNoErr : ippStsBadArgErr;
}

}  // namespace

// A failure leaves nothing allocated and the caller's pointer null.
IppStatus CreateSmoothingContext(SmoothingContext** context, int length) {
  RYN_CHECK(NotNull(context));
  *context = nullptr;
  auto* created = static_cast<SmoothingContext*>(std::calloc(1, sizeof(SmoothingContext)));
  if (created == nullptr) return ippStsMemAllocErr;
  created->length = length;
  IppStatus status = CreateDftPlan(length, &created->plan);
  int64_t workBytes = 0;
  if (status == ippStsNoErr) status = DftWorkBytes(created->plan, &workBytes);
  if (status == ippStsNoErr && workBytes > 0) {
    created->work = static_cast<uint8_t*>(AllocateBlock(workBytes));
    if (created->work == nullptr) status = ippStsMemAllocErr;
  }
  if (status != ippStsNoErr) {
    Release(created);
    return status;
  }
  *context = created;
  return ippStsNoErr;
}

// A null context reports -8; the plan's release status is the result.
IppStatus FreeSmoothingContext(SmoothingContext** context) {
  RYN_CHECK(NotNull(context));
  SmoothingContext* released = *context;
  RYN_CHECK(NotNull(released));
  FreeBlock(released->work);
  const IppStatus status = ReleaseDftPlan(released->plan);
  std::free(released);
  *context = nullptr;
  return status;
}

// Keeps s(0) .. s(k - 1) and s(n - k - 1) .. s(n - 1): frequencies -(k + 1) to k - 1. The length
// must be the context's and k not negative, else the zeroing would leave the arrays.
IppStatus SmoothContour(SmoothingContext* context, Ipp32fc* contour, Ipp32fc* spectrum, int length, int keep) {
  RYN_CHECK(NotNull(context, contour, spectrum));
  RYN_CHECK(NotNull(context->plan));
  RYN_CHECK(IdentifierIs(context->plan->identifier, kDftPlanIdentifier));
  RYN_CHECK(LengthMatches(length, *context));
  if (keep < 0) return ippStsBadArgErr;
  RYN_CHECK(TransformDft(context->plan, contour, spectrum, context->work, Direction::kForward));
  const int64_t cleared = int64_t{length} - 2 * int64_t{keep} - 1;
  if (cleared < 1) return ippStsSizeErr;
  for (int64_t i = keep; i < keep + cleared; ++i) StoreUnaligned(spectrum + i, Ipp32fc{0.0f, 0.0f});
  return TransformDft(context->plan, spectrum, contour, context->work, Direction::kInverse);
}

IppStatus PolarSmoothingBufferSize(const SmoothingContext* context, int* size) {
  RYN_CHECK(NotNull(context, size));
  const int64_t bytes = kPolarBytesPerPoint * context->length;
  if (bytes > std::numeric_limits<int>::max()) return ippStsSizeErr;
  *size = static_cast<int>(bytes);
  return ippStsNoErr;
}

IppStatus SmoothContourPolar(SmoothingContext* context, uint8_t* buffer, const Ipp32fc* source,
                             Ipp32fc* destination, int length, int keep) {
  RYN_CHECK(NotNull(context, buffer, source, destination));
  RYN_CHECK(PositiveLength(length));
  if (keep < 1) return ippStsBadArgErr;
  RYN_CHECK(LengthMatches(length, *context));
  const size_t n = static_cast<size_t>(length);
  Ipp32fc* centred = reinterpret_cast<Ipp32fc*>(buffer);
  Ipp32fc* distances = centred + n;
  Ipp32fc* angles = distances + n;
  Ipp32fc* spectrum = angles + n;
  float* magnitude = reinterpret_cast<float*>(spectrum + n);
  float* phase = magnitude + n;

  // The contour moved to the first quadrant by the corner of its bounding box.
  Ipp32fc corner = LoadUnaligned(source);
  for (size_t i = 1; i < n; ++i) {
    const Ipp32fc p = LoadUnaligned(source + i);
    corner = Ipp32fc{std::min(corner.re, p.re), std::min(corner.im, p.im)};
  }
  for (size_t i = 0; i < n; ++i) {
    const Ipp32fc p = LoadUnaligned(source + i);
    StoreUnaligned(centred + i, Ipp32fc{p.re - corner.re, p.im - corner.im});
  }

  RYN_CHECK(Magnitude(centred, kOneRowStep, magnitude, kOneRowStep, OneRow(length)));
  RYN_CHECK(Phase(centred, kOneRowStep, phase, kOneRowStep, OneRow(length)));
  for (size_t i = 0; i < n; ++i) {
    StoreUnaligned(distances + i, Ipp32fc{LoadUnaligned(magnitude + i), 0.0f});
    StoreUnaligned(angles + i, Ipp32fc{LoadUnaligned(phase + i), 0.0f});
  }
  RYN_CHECK(SmoothContour(context, distances, spectrum, length, keep));
  RYN_CHECK(SmoothContour(context, angles, spectrum, length, keep));
  for (size_t i = 0; i < n; ++i) {
    StoreUnaligned(magnitude + i, LoadUnaligned(distances + i).re);
    StoreUnaligned(phase + i, LoadUnaligned(angles + i).re);
  }
  RYN_CHECK(PolarToCart(magnitude, phase, kOneRowStep, centred, kOneRowStep, OneRow(length)));
  for (size_t i = 0; i < n; ++i) {
    const Ipp32fc p = LoadUnaligned(centred + i);
    StoreUnaligned(destination + i, Ipp32fc{ClampToUnit(corner.re + p.re), ClampToUnit(corner.im + p.im)});
  }
  return ippStsNoErr;
}

}  // namespace ryn::fft
