// Checks and row loops of the Gaussian border filter, compiled into every build: included inside
// the build's namespace after that build's row kernels, which it calls by name: SymmetricSum.
// Includes nothing itself.
#if defined(RYN_FILTERS_GAUSS_BORDER_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_GAUSS_BORDER_PRIMITIVES_INL_H_
#undef RYN_FILTERS_GAUSS_BORDER_PRIMITIVES_INL_H_
#else
#define RYN_FILTERS_GAUSS_BORDER_PRIMITIVES_INL_H_
#endif

namespace gauss_border {

// Carves 16-byte aligned arrays from the caller's buffer, in order. GaussBorderBufferBytes
// leaves room for every array the filter takes and for the alignment.
class BufferCarver {
 public:
  explicit BufferCarver(uint8_t* buffer) : next_(buffer + ((16 - reinterpret_cast<uintptr_t>(buffer) % 16) % 16)) {}
  template <class T>
  T* Take(int64_t count) {
    T* array = reinterpret_cast<T*>(next_);
    next_ += (count * static_cast<int64_t>(sizeof(T)) + 15) / 16 * 16;
    return array;
  }

 private:
  uint8_t* next_;
};

// One call's state: the source, the kernel and the arrays carved from the buffer.
struct Pass {
  const float* source;
  int sourceStep;
  int width;
  int k;
  int radius;
  bool constant;  // constant border, else replicate
  float borderValue;
  float* taps;
  float* ring;          // k rows filtered along the row, row r in slot r % k
  float* padded;        // a row's ends with the border columns around them
  float* constantRow;   // a row outside the region filtered along the row (constant border)
  const float** inputs;
  const float** paddedInputs;

  float* Slot(int r) const { return ring + static_cast<ptrdiff_t>(r % k) * width; }
  const float* SourceRow(int r) const { return View(source, sourceStep, IppiSize{width, 0}).Row(r); }
};

// `count` outputs from columns first - radius on of source row `row` through `padded`, with the
// border's columns outside the region.
inline void FilterThroughPadding(const Pass& p, const float* row, int first, int count, float* out) {
  for (int j = 0; j < count + 2 * p.radius; ++j) {
    const int column = first - p.radius + j;
    float value;
    if (column >= 0 && column < p.width) {
      value = LoadUnaligned(row + column);
    } else {
      value = p.constant ? p.borderValue : LoadUnaligned(row + std::clamp(column, 0, p.width - 1));
    }
    p.padded[j] = value;
  }
  SymmetricSum(p.paddedInputs, p.taps, p.k, out, static_cast<size_t>(count));
}

// Source row r filtered along the row into its ring slot: the interior straight from the source,
// the ends through the padding.
inline void EnterRow(const Pass& p, int r) {
  const float* row = p.SourceRow(r);
  float* out = p.Slot(r);
  if (p.width <= 2 * p.radius) return FilterThroughPadding(p, row, 0, p.width, out);
  for (int i = 0; i < p.k; ++i) p.inputs[i] = row + i;
  SymmetricSum(p.inputs, p.taps, p.k, out + p.radius, static_cast<size_t>(p.width - 2 * p.radius));
  FilterThroughPadding(p, row, 0, p.radius, out);
  FilterThroughPadding(p, row, p.width - p.radius, p.radius, out + p.width - p.radius);
}

}  // namespace gauss_border

IppStatus FilterGaussBorder32f(const float* source, int sourceStep, float* destination, int destinationStep,
                               IppiSize region, int kernelSize, float sigma, int borderType, float borderValue,
                               uint8_t* buffer) {
  RYN_CHECK(CheckGaussBorderArguments(source, sourceStep, destination, destinationStep, region, kernelSize,
                                      borderType, buffer));
  const int k = kernelSize;
  const int width = region.width;
  const int height = region.height;
  gauss_border::BufferCarver carver(buffer);
  gauss_border::Pass p{source, sourceStep, width, k, k / 2, (borderType & ~(16 | 32)) == kBorderConstant, borderValue,
                       carver.Take<float>(k), carver.Take<float>(int64_t{k} * width),
                       carver.Take<float>(int64_t{width} + k - 1), carver.Take<float>(width),
                       carver.Take<const float*>(k), carver.Take<const float*>(k)};
  GaussianTaps(k, sigma, p.taps);
  for (int i = 0; i < k; ++i) p.paddedInputs[i] = p.padded + i;
  if (p.constant) {
    // A row outside the region filtered along the row: the same sum as any other row.
    for (int i = 0; i < k; ++i) p.inputs[i] = &p.borderValue;
    const float filtered = SymmetricSumAt(p.inputs, p.taps, k, 0);
    for (int x = 0; x < width; ++x) p.constantRow[x] = filtered;
  }

  const auto image = View(destination, destinationStep, region);
  for (int r = 0; r <= std::min(p.radius, height - 1); ++r) gauss_border::EnterRow(p, r);
  for (int y = 0; y < height; ++y) {
    if (y > 0 && y + p.radius < height) gauss_border::EnterRow(p, y + p.radius);
    for (int j = 0; j < k; ++j) {
      const int r = y + j - p.radius;
      p.inputs[j] = (r >= 0 && r < height) ? p.Slot(r)
                    : p.constant           ? p.constantRow
                                           : p.Slot(std::clamp(r, 0, height - 1));
    }
    SymmetricSum(p.inputs, p.taps, k, image.Row(y), static_cast<size_t>(width));
  }
  return ippStsNoErr;
}

#endif
