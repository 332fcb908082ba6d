// The transforms, compiled into every build: included inside the build's namespace
// (ryn::fft::generic, or ryn::fft::HWY_NAMESPACE) after the pass kernels of that build, which it
// calls by name: RowTransform, ColumnFirstPass, ColumnPass. Includes nothing itself.
#if defined(RYN_FFT_TRANSFORM_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FFT_TRANSFORM_PRIMITIVES_INL_H_
#undef RYN_FFT_TRANSFORM_PRIMITIVES_INL_H_
#else
#define RYN_FFT_TRANSFORM_PRIMITIVES_INL_H_
#endif

namespace {

// Rows up to this length are transformed in a stack array; longer ones in the work buffer.
constexpr int kStackRowLength = 32;
// The column pass transforms blocks of this many columns (one 64-byte line a row).
constexpr int kColumnBlock = 8;

float ScaleOf(int32_t forwardScaled, int32_t inverseScaled, float scale, Direction direction) {
  const bool scaled = direction == Direction::kForward ? forwardScaled != 0 : inverseScaled != 0;
  return scaled ? scale : 1.0f;
}

// The columns [0, width) of an image of p.length rows (two or more), from `source` to
// `destination` (which may be the same); `work` holds p.length x width elements.
void ColumnTransform(const Passes& p, Source source, Destination destination, int width, Ipp32fc* work,
                     Direction direction, float scale) {
  if (p.count == 1) {
    ColumnFirstPass(p, source, destination, width, direction, scale);
    return;
  }
  const Destination block{reinterpret_cast<uint8_t*>(work), static_cast<ptrdiff_t>(width * sizeof(Ipp32fc))};
  ColumnFirstPass(p, source, block, width, direction, 1.0f);
  for (int i = 1; i + 1 < p.count; ++i) ColumnPass(p, i, block.AsSource(), block, width, direction, 1.0f);
  ColumnPass(p, p.count - 1, block.AsSource(), destination, width, direction, scale);
}

Source ImageSource(const Ipp32fc* image, int step, int column) {
  return Source{reinterpret_cast<const uint8_t*>(image + column), step};
}
Destination ImageDestination(Ipp32fc* image, int step, int column) {
  return Destination{reinterpret_cast<uint8_t*>(image + column), step};
}

template <class T>
T* RowOf(T* image, int step, int y) {
  using Byte = std::conditional_t<std::is_const_v<T>, const uint8_t, uint8_t>;
  return reinterpret_cast<T*>(reinterpret_cast<Byte*>(image) + static_cast<ptrdiff_t>(y) * step);
}

// Rows first, then columns in blocks; an image of one row or one column takes one plan.
void Run2D(const Fft2D& object, const Ipp32fc* source, int sourceStep, Ipp32fc* destination, int destinationStep,
           Ipp32fc* work, Direction direction) {
  const FftPlan& rows = *object.rowPlan;
  const FftPlan& columns = object.columnPlan != nullptr ? *object.columnPlan : rows;
  const int width = 1 << object.orderX, height = 1 << object.orderY;
  const float rowScale = ScaleOf(rows.forwardScaled, rows.inverseScaled, rows.scale, direction);
  const float columnScale = ScaleOf(columns.forwardScaled, columns.inverseScaled, columns.scale, direction);
  Ipp32fc stackRow[kStackRowLength];
  Ipp32fc* rowWork = width <= kStackRowLength ? stackRow : work;
  if (height == 1) {
    RowTransform(rows.passes, source, destination, rowWork, direction, rowScale);
    return;
  }
  if (width == 1) {
    ColumnTransform(columns.passes, ImageSource(source, sourceStep, 0), ImageDestination(destination, destinationStep, 0),
                    1, work, direction, columnScale);
    return;
  }
  for (int y = 0; y < height; ++y) {
    RowTransform(rows.passes, RowOf(source, sourceStep, y), RowOf(destination, destinationStep, y), rowWork,
                 direction, rowScale);
  }
  for (int x = 0; x < width; x += kColumnBlock) {
    ColumnTransform(columns.passes, ImageSource(destination, destinationStep, x),
                    ImageDestination(destination, destinationStep, x), std::min(kColumnBlock, width - x), work,
                    direction, columnScale);
  }
}

}  // namespace

IppStatus Transform2D(const Fft2D* object, const Ipp32fc* source, int sourceStep, Ipp32fc* destination,
                      int destinationStep, uint8_t* buffer, Direction direction) {
  RYN_CHECK(NotNull(object));
  RYN_CHECK(IdentifierIs(object->identifier, kFft2DIdentifier));
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const WorkBuffer work(buffer, object->workBytes);
  if (work.Failed()) return ippStsMemAllocErr;
  Run2D(*object, source, sourceStep, destination, destinationStep, reinterpret_cast<Ipp32fc*>(work.Data()),
        direction);
  return ippStsNoErr;
}

IppStatus TransformDft(const DftPlan* plan, const Ipp32fc* source, Ipp32fc* destination, uint8_t* work,
                       Direction direction) {
  RYN_CHECK(NotNull(plan, source, destination));
  RYN_CHECK(IdentifierIs(plan->identifier, kDftPlanIdentifier));
  if (plan->workBytes > 0) RYN_CHECK(NotNull(work));
  const Passes& p = plan->powerOfTwo != nullptr ? plan->powerOfTwo->passes : plan->passes;
  Ipp32fc stackRow[kStackRowLength];
  Ipp32fc* rowWork = plan->workBytes > 0 ? reinterpret_cast<Ipp32fc*>(work) : stackRow;
  RowTransform(p, source, destination, rowWork, direction,
               ScaleOf(plan->forwardScaled, plan->inverseScaled, plan->scale, direction));
  return ippStsNoErr;
}

#endif
