// The generic transforms: every pass one complex sequence at a time, the reference for every
// processor build.
#include <algorithm>
#include <type_traits>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/fft_checks.h"
#include "primitives/fft/scalar_passes.h"
#include "primitives/fft/work_buffer.h"

namespace ryn::fft::generic {
namespace {

// One sequence of p.length elements from `source` to `destination` (which may be the same).
// `work`: p.length elements when there are two passes or more, then the scratch of large direct
// radices.
void RowTransform(const Passes& p, const Ipp32fc* source, Ipp32fc* destination, Ipp32fc* work,
                  Direction direction, float scale) {
  if (p.count <= 1) {
    ScalarShortTransform(p, Contiguous(source), Contiguous(destination), direction, scale, work);
    return;
  }
  Ipp32fc* scratch = work + p.length;
  const Destination block = Contiguous(work);
  ScalarFirstPass(p, 0, p.length / p.radices[0], Contiguous(source), block, direction, 1.0f, scratch);
  for (int i = 1; i + 1 < p.count; ++i) {
    ScalarPass(p, i, 0, p.spans[i], block.AsSource(), block, direction, 1.0f, scratch);
  }
  const int last = p.count - 1;
  ScalarPass(p, last, 0, p.spans[last], block.AsSource(), Contiguous(destination), direction, scale, scratch);
}

// Column c of a block of elements is the sequence `c` complex values into each element.
Source Lane(Source s, int c) { return Source{s.base + c * sizeof(Ipp32fc), s.stride}; }
Destination Lane(Destination d, int c) { return Destination{d.base + c * sizeof(Ipp32fc), d.stride}; }

void ColumnFirstPass(const Passes& p, Source in, Destination out, int width, Direction direction, float scale) {
  for (int c = 0; c < width; ++c) {
    ScalarFirstPass(p, 0, p.length / p.radices[0], Lane(in, c), Lane(out, c), direction, scale, nullptr);
  }
}

void ColumnPass(const Passes& p, int i, Source in, Destination out, int width, Direction direction, float scale) {
  for (int c = 0; c < width; ++c) ScalarPass(p, i, 0, p.spans[i], Lane(in, c), Lane(out, c), direction, scale, nullptr);
}

}  // namespace

#include "primitives/fft/transform_primitives-inl.h"

}  // namespace ryn::fft::generic
