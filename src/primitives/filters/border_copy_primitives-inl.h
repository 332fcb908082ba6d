// Checks and row loops of the border copies, compiled into every build: included inside the
// build's namespace (ryn::filters::generic, or ryn::filters::HWY_NAMESPACE) after that build's
// row kernels, which it calls by name: FillRun (8, 16 and 32-bit pixels) and CopyRow. Includes
// nothing itself.
#if defined(RYN_FILTERS_BORDER_COPY_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_BORDER_COPY_PRIMITIVES_INL_H_
#undef RYN_FILTERS_BORDER_COPY_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_BORDER_COPY_PRIMITIVES_INL_H_
#endif

namespace border_copy {

template <class T>
T* RowAt(T* image, int step, int y) {
  return View(image, step, IppiSize{0, 0}).Row(y);
}

// Frame rows, each a copy of the first or the last inner row as memmove leaves it.
template <class Bits>
void CopyFrameRows(Bits* outer, int step, IppiSize inner, IppiSize outerSize, int top) {
  const size_t rowBytes = static_cast<size_t>(outerSize.width) * sizeof(Bits);
  const Bits* first = RowAt(outer, step, top);
  const Bits* last = RowAt(outer, step, top + inner.height - 1);
  for (int y = 0; y < top; ++y) CopyRow(RowAt(outer, step, y), first, rowBytes);
  for (int y = top + inner.height; y < outerSize.height; ++y) CopyRow(RowAt(outer, step, y), last, rowBytes);
}

// The outer image around inner rows that already hold their pixels, replicated.
template <class Bits>
void ReplicateFrame(Bits* outer, int step, IppiSize inner, IppiSize outerSize, int top, int left) {
  const int right = outerSize.width - inner.width - left;
  for (int y = 0; y < inner.height; ++y) {
    Bits* row = RowAt(outer, step, top + y);
    FillRun(row, static_cast<size_t>(left), LoadUnaligned(row + left));
    FillRun(row + left + inner.width, static_cast<size_t>(right), LoadUnaligned(row + left + inner.width - 1));
  }
  CopyFrameRows(outer, step, inner, outerSize, top);
}

// The same with a constant frame.
inline void FillFrame(uint8_t* outer, int step, IppiSize inner, IppiSize outerSize, int top, int left,
                      uint8_t value) {
  const int right = outerSize.width - inner.width - left;
  for (int y = 0; y < inner.height; ++y) {
    uint8_t* row = RowAt(outer, step, top + y);
    FillRun(row, static_cast<size_t>(left), value);
    FillRun(row + left + inner.width, static_cast<size_t>(right), value);
  }
  for (int y = 0; y < top; ++y) FillRun(RowAt(outer, step, y), static_cast<size_t>(outerSize.width), value);
  for (int y = top + inner.height; y < outerSize.height; ++y) {
    FillRun(RowAt(outer, step, y), static_cast<size_t>(outerSize.width), value);
  }
}

// The source's inner rows into the destination's inner rectangle, top to bottom.
inline void CopyInnerRows(const uint8_t* source, int sourceStep, IppiSize inner, uint8_t* destination,
                          int destinationStep, int top, int left) {
  for (int y = 0; y < inner.height; ++y) {
    CopyRow(RowAt(destination, destinationStep, top + y) + left, RowAt(source, sourceStep, y),
            static_cast<size_t>(inner.width));
  }
}

// Pixels are replicated as bits: 16s as 16-bit words, 32f as 32-bit words.
template <class Bits, class T>
IppStatus ReplicateInPlace(T* inner, int step, IppiSize innerSize, IppiSize outerSize, int top, int left) {
  static_assert(sizeof(Bits) == sizeof(T));
  RYN_CHECK(NotNull(inner));
  RYN_CHECK(CheckBorderArguments(step, step, innerSize, outerSize, top, left));
  Bits* outer = RowAt(reinterpret_cast<Bits*>(inner), step, -top) - left;
  ReplicateFrame(outer, step, innerSize, outerSize, top, left);
  return ippStsNoErr;
}

}  // namespace border_copy

IppStatus CopyConstBorder8u(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                            int destinationStep, IppiSize outerSize, int top, int left, uint8_t value) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(CheckBorderArguments(sourceStep, destinationStep, innerSize, outerSize, top, left));
  border_copy::CopyInnerRows(source, sourceStep, innerSize, destination, destinationStep, top, left);
  border_copy::FillFrame(destination, destinationStep, innerSize, outerSize, top, left, value);
  return ippStsNoErr;
}

IppStatus CopyReplicateBorder8u(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                                int destinationStep, IppiSize outerSize, int top, int left) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(CheckBorderArguments(sourceStep, destinationStep, innerSize, outerSize, top, left));
  border_copy::CopyInnerRows(source, sourceStep, innerSize, destination, destinationStep, top, left);
  border_copy::ReplicateFrame(destination, destinationStep, innerSize, outerSize, top, left);
  return ippStsNoErr;
}

IppStatus ReplicateBorderInPlace8u(uint8_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                   int left) {
  return border_copy::ReplicateInPlace<uint8_t>(inner, step, innerSize, outerSize, top, left);
}

IppStatus ReplicateBorderInPlace16s(int16_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                    int left) {
  return border_copy::ReplicateInPlace<uint16_t>(inner, step, innerSize, outerSize, top, left);
}

IppStatus ReplicateBorderInPlace32f(float* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                    int left) {
  return border_copy::ReplicateInPlace<uint32_t>(inner, step, innerSize, outerSize, top, left);
}

#endif
