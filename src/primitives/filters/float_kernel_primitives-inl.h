// Checks and row loops of the float kernel filter, compiled into every build: included inside
// the build's namespace after that build's row kernels, which it calls by name: WeightedSum.
// Includes nothing itself.
#if defined(RYN_FILTERS_FLOAT_KERNEL_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_FLOAT_KERNEL_PRIMITIVES_INL_H_
#undef RYN_FILTERS_FLOAT_KERNEL_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_FLOAT_KERNEL_PRIMITIVES_INL_H_
#endif

IppStatus FilterKernel32f(const float* source, int sourceStep, float* destination, int destinationStep,
                          IppiSize region, const float* kernel, IppiSize kernelSize, IppiPoint anchor) {
  RYN_CHECK(CheckKernel32fArguments(source, sourceStep, destination, destinationStep, region, kernel, kernelSize));
  const int64_t taps = int64_t{kernelSize.width} * kernelSize.height;
  if (taps > std::numeric_limits<int>::max()) return ippStsMemAllocErr;
  const WindowLayout layout{source, sourceStep, destination, destinationStep, region, 4,
                            anchor.x - kernelSize.width + 1, int64_t{region.width} + kernelSize.width - 1,
                            anchor.y - kernelSize.height + 1, kernelSize.height, 0};
  RowWindow window(layout);
  ScratchBlock work(AlignedBytes<const float*>(taps));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  auto* inputs = work.As<const float*>();
  const auto image = View(destination, destinationStep, region);
  for (int y = 0; y < region.height; ++y) {
    window.Enter(y);
    for (int j = 0; j < kernelSize.height; ++j) {
      const float* row = window.Row<float>(int64_t{y} + anchor.y - j) + anchor.x;
      for (int i = 0; i < kernelSize.width; ++i) inputs[static_cast<ptrdiff_t>(j) * kernelSize.width + i] = row - i;
    }
    WeightedSum(inputs, kernel, static_cast<int>(taps), image.Row(y), static_cast<size_t>(region.width));
  }
  return ippStsNoErr;
}

#endif
