// The generic border copies: plain C++, the reference for every processor build.
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/filters/border_copy.h"
#include "primitives/filters/filters_checks.h"

namespace ryn::filters::generic {
namespace {

template <class Bits>
void FillRun(Bits* run, size_t n, Bits value) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(run + i, value);
}

// Rows may overlap each other when the step is below the row length.
void CopyRow(void* destination, const void* source, size_t bytes) { std::memmove(destination, source, bytes); }

}  // namespace

#include "primitives/filters/border_copy_primitives-inl.h"

}  // namespace ryn::filters::generic
