// The generic e^x and ln x on float vectors: plain C++, the reference for every processor build.
#include <cstddef>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/arith/arith.h"
#include "primitives/arith/log_exp_rules.h"

namespace ryn::arith::generic {
namespace {

void ExpRun32f(float* vector, size_t n) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(vector + i, ExpOf(LoadUnaligned(vector + i)));
}

// Returns the warning of the first element that gives one.
IppStatus LnRun32f(float* vector, size_t n) {
  IppStatus status = ippStsNoErr;
  for (size_t i = 0; i < n; ++i) {
    const float x = LoadUnaligned(vector + i);
    if (status == ippStsNoErr) status = LnWarning(x);
    StoreUnaligned(vector + i, LnOf(x));
  }
  return status;
}

}  // namespace

#include "primitives/arith/log_exp_primitives-inl.h"

}  // namespace ryn::arith::generic
