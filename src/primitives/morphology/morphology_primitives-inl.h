// Checks and row loops of the morphology primitives, compiled into every build: included inside
// the build's namespace (ryn::morphology::generic, or ryn::morphology::HWY_NAMESPACE) after that
// build's row kernels, which it calls by name: ErodeRow, DilateRow, MedianRow (3 x 3 windows
// around rows given at their centre column) and MinOfTaps, MaxOfTaps (the extreme of several
// source runs). Includes nothing itself.
#if defined(RYN_MORPHOLOGY_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_MORPHOLOGY_PRIMITIVES_INL_H_
#undef RYN_MORPHOLOGY_PRIMITIVES_INL_H_
#else
#define RYN_MORPHOLOGY_PRIMITIVES_INL_H_
#endif

namespace rank_rows {

// The row kernel of each 3 x 3 primitive, as a type, so that one loop serves them all.
struct Erode {
  static void Row(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
    ErodeRow(above, row, below, out, n);
  }
};
struct Dilate {
  static void Row(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
    DilateRow(above, row, below, out, n);
  }
};
struct Median {
  static void Row(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
    MedianRow(above, row, below, out, n);
  }
};
struct Minimum {
  static void Taps(const uint8_t* const* taps, int count, uint8_t* out, size_t n) { MinOfTaps(taps, count, out, n); }
};
struct Maximum {
  static void Taps(const uint8_t* const* taps, int count, uint8_t* out, size_t n) { MaxOfTaps(taps, count, out, n); }
};

template <class Rows>
void SourceToDestination(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region) {
  const auto in = View(source, sourceStep, region);
  const auto out = View(destination, destinationStep, region);
  const size_t width = static_cast<size_t>(region.width);
  for (int y = 0; y < region.height; ++y) Rows::Row(in.Row(y - 1), in.Row(y), in.Row(y + 1), out.Row(y), width);
}

// Row y is saved before it is overwritten, and the saved row y - 1 replaces the image's, so that
// every output reads the values from before the call.
template <class Rows>
IppStatus InPlace(uint8_t* image, int step, IppiSize region) {
  RYN_CHECK(CheckInPlace3x3Arguments(image, step, region));
  const size_t savedBytes = static_cast<size_t>(region.width) + 2;
  const int64_t bufferBytes = (static_cast<int64_t>(savedBytes) + 15) / 16 * 16;
  const filters::ScratchBlock buffers(2 * bufferBytes);
  if (!buffers.Obtained()) return ippStsMemAllocErr;
  uint8_t* previous = buffers.As<uint8_t>() + 1;
  uint8_t* current = previous + bufferBytes;
  const auto view = View(image, step, region);
  std::memcpy(previous - 1, view.Row(-1) - 1, savedBytes);
  for (int y = 0; y < region.height; ++y) {
    std::memcpy(current - 1, view.Row(y) - 1, savedBytes);
    Rows::Row(previous, current, view.Row(y + 1), view.Row(y), savedBytes - 2);
    std::swap(previous, current);
  }
  return ippStsNoErr;
}

// Element pointers up to this count stay on the stack (512 bytes).
constexpr int kStackTaps = 64;

int IncludedCount(const uint8_t* element, IppiSize mask) {
  int count = 0;
  for (int64_t i = 0; i < int64_t{mask.width} * mask.height; ++i) count += element[i] != 0;
  return count;
}

template <class Extreme>
IppStatus Masked(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize region,
                 const uint8_t* element, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(CheckMaskedArguments(source, sourceStep, destination, destinationStep, region, element, mask, anchor));
  const int count = IncludedCount(element, mask);
  const uint8_t* stackTaps[kStackTaps];
  const filters::ScratchBlock heapTaps(count > kStackTaps ? int64_t{count} * int64_t{sizeof(uint8_t*)} : 0);
  if (count > kStackTaps && !heapTaps.Obtained()) return ippStsMemAllocErr;
  const uint8_t** taps = count > kStackTaps ? heapTaps.As<const uint8_t*>() : stackTaps;
  const auto in = View(source, sourceStep, region);
  const auto out = View(destination, destinationStep, region);
  for (int y = 0; y < region.height; ++y) {
    int t = 0;
    for (int j = 0; j < mask.height; ++j) {
      for (int i = 0; i < mask.width; ++i) {
        if (element[int64_t{j} * mask.width + i] != 0) taps[t++] = in.Row(y - anchor.y + j) + (i - anchor.x);
      }
    }
    Extreme::Taps(taps, count, out.Row(y), static_cast<size_t>(region.width));
  }
  return ippStsNoErr;
}

}  // namespace rank_rows

IppStatus Erode3x3_8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                      IppiSize region) {
  RYN_CHECK(CheckMorphology3x3Arguments(source, sourceStep, destination, destinationStep, region));
  rank_rows::SourceToDestination<rank_rows::Erode>(source, sourceStep, destination, destinationStep, region);
  return ippStsNoErr;
}

IppStatus Dilate3x3_8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                       IppiSize region) {
  RYN_CHECK(CheckMorphology3x3Arguments(source, sourceStep, destination, destinationStep, region));
  rank_rows::SourceToDestination<rank_rows::Dilate>(source, sourceStep, destination, destinationStep, region);
  return ippStsNoErr;
}

IppStatus ErodeInPlace3x3_8u(uint8_t* image, int step, IppiSize region) {
  return rank_rows::InPlace<rank_rows::Erode>(image, step, region);
}

IppStatus DilateInPlace3x3_8u(uint8_t* image, int step, IppiSize region) {
  return rank_rows::InPlace<rank_rows::Dilate>(image, step, region);
}

IppStatus FilterMax3x3_8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                          IppiSize region) {
  RYN_CHECK(CheckRank3x3Arguments(source, sourceStep, destination, destinationStep, region));
  rank_rows::SourceToDestination<rank_rows::Dilate>(source, sourceStep, destination, destinationStep, region);
  return ippStsNoErr;
}

IppStatus FilterMedian3x3_8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                             IppiSize region) {
  RYN_CHECK(CheckRank3x3Arguments(source, sourceStep, destination, destinationStep, region));
  rank_rows::SourceToDestination<rank_rows::Median>(source, sourceStep, destination, destinationStep, region);
  return ippStsNoErr;
}

IppStatus ErodeMasked8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                        IppiSize region, const uint8_t* element, IppiSize mask, IppiPoint anchor) {
  return rank_rows::Masked<rank_rows::Minimum>(source, sourceStep, destination, destinationStep, region, element,
                                               mask, anchor);
}

IppStatus DilateMasked8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, const uint8_t* element, IppiSize mask, IppiPoint anchor) {
  return rank_rows::Masked<rank_rows::Maximum>(source, sourceStep, destination, destinationStep, region, element,
                                               mask, anchor);
}

#endif
