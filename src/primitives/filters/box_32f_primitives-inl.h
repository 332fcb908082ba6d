// Checks and row loops of the float box mean, compiled into every build: included inside the
// build's namespace after that build's row kernels, which it calls by name: DirectColumnSums32f,
// UpdateColumnSums32f and BoxRow32f. Includes nothing itself.
#if defined(RYN_FILTERS_BOX_32F_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_BOX_32F_PRIMITIVES_INL_H_
#undef RYN_FILTERS_BOX_32F_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_BOX_32F_PRIMITIVES_INL_H_
#endif

IppStatus FilterBox32f(const float* source, int sourceStep, float* destination, int destinationStep,
                       IppiSize region, IppiSize mask, IppiPoint anchor) {
  RYN_CHECK(CheckBoxArguments(source, sourceStep, destination, destinationStep, region, mask, anchor));
  const bool direct = mask.height <= kDirectFloatMaskHeight;
  const WindowLayout layout{source,    sourceStep,  destination,
                            destinationStep, region, 4,
                            -anchor.x, int64_t{region.width} + mask.width - 1,
                            -anchor.y, mask.height, direct ? 0 : 1};
  RowWindow window(layout);
  const int64_t span = layout.spanColumns;
  ScratchBlock work(AlignedBytes<float>(span) + AlignedBytes<const float*>(mask.height));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  float* sums = work.As<float>();
  auto* rows = reinterpret_cast<const float**>(work.As<uint8_t>() + AlignedBytes<float>(span));
  const auto image = View(destination, destinationStep, region);
  const float reciprocal = 1.0f / static_cast<float>(int64_t{mask.width} * mask.height);
  const auto n = static_cast<size_t>(span);
  for (int y = 0; y < region.height; ++y) {
    window.Enter(y);
    const int64_t top = int64_t{y} + layout.firstRow;
    if (direct || y == 0) {
      for (int r = 0; r < mask.height; ++r) rows[r] = window.Row<float>(top + r) + layout.firstColumn;
      DirectColumnSums32f(sums, rows, mask.height, n);
    } else {
      UpdateColumnSums32f(sums, window.Row<float>(top + mask.height - 1) + layout.firstColumn,
                          window.Row<float>(top - 1) + layout.firstColumn, n);
    }
    BoxRow32f(sums, mask.width, reciprocal, image.Row(y), region.width);
  }
  return ippStsNoErr;
}

#endif
