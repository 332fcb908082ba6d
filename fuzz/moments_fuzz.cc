// Integral images and the moment state.
#include <climits>
#include <memory>

#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

// The region grown by `by` pixels each way (the integral images' extra rows and columns); a
// dimension that cannot grow gives an empty destination, whose call the source's size decides.
IppiSize Grown(IppiSize region, int by) {
  const auto grow = [by](int v) { return v >= 1 && v <= INT_MAX - by ? v + by : 0; };
  return IppiSize{grow(region.width), grow(region.height)};
}

// Source, step, destination of the grown region, its step, region, initial value.
template <class Export>
void Integral(FuzzCase& c, Export call, int extra) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<int32_t>(Grown(region, extra), 1, Access::kWrite);
  const int32_t initial = c.in().Raw<int32_t>();
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region, initial); });
}

// A new moment state released with the case, or null.
RynMomentState* NewState(FuzzCase& c) {
  if (c.in().Flag(16)) return nullptr;
  RynMomentState* state = nullptr;
  if (fnVCAIPP_MomentInitAlloc(&state, c.in().Raw<int32_t>()) != ippStsNoErr) return nullptr;
  return c.Keep(std::shared_ptr<RynMomentState>(state, fnVCAIPP_MomentFree_64f))->get();
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Integral_8u32s_C1R) { Integral(c, fnVCAIPP_Integral_8u32s_C1R, 1); }
RYN_FUZZ(fnVCAIPP_TiltedIntegral_8u32s_C1R) { Integral(c, fnVCAIPP_TiltedIntegral_8u32s_C1R, 2); }

// The new state is released at once and the pointer cleared, so every run leaves the same bytes.
RYN_FUZZ(fnVCAIPP_MomentInitAlloc) {
  RynMomentState** state = c.Out<RynMomentState*>();
  const int hint = c.in().Raw<int32_t>();
  c.Call([=] {
    const IppStatus status = fnVCAIPP_MomentInitAlloc(state, hint);
    if (status == ippStsNoErr) {
      fnVCAIPP_MomentFree_64f(*state);
      *state = nullptr;
    }
    return status;
  });
}

// Each run frees a state of its own (or null).
RYN_FUZZ(fnVCAIPP_MomentFree_64f) {
  const bool none = c.in().Flag(4);
  const int hint = c.in().Raw<int32_t>();
  RynMomentState** state = c.Keep<RynMomentState*>(nullptr);
  c.Setup([=] {
    *state = nullptr;
    if (!none) fnVCAIPP_MomentInitAlloc(state, hint);
  });
  c.Call([=] { return fnVCAIPP_MomentFree_64f(*state); });
}

// The moments are read back as Hu invariants so that every build's moments are compared.
RYN_FUZZ(fnVCAIPP_Moments64f_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  RynMomentState* state = NewState(c);
  double* hu = c.Vector<double>(7, Access::kWrite);
  c.Call([=] {
    const IppStatus status = fnVCAIPP_Moments64f_8u_C1R(s.p, s.step, region, state);
    if (status >= 0 && hu != nullptr) fnVCAIPP_GetHuMoments_64f(state, 0, hu);
    return status;
  });
}

// A fresh state, or one holding the moments of a decoded image (computed before each run, once
// the image holds its content).
RYN_FUZZ(fnVCAIPP_GetHuMoments_64f) {
  RynMomentState* state = NewState(c);
  if (state != nullptr && !c.in().Flag(4)) {
    const IppiSize region = c.in().Region();
    const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
    c.Setup([=] { fnVCAIPP_Moments64f_8u_C1R(s.p, s.step, region, state); });
  }
  const int channel = c.in().Code(0, 2);
  double* hu = c.Vector<double>(7, Access::kWrite);
  c.Call([=] { return fnVCAIPP_GetHuMoments_64f(state, channel, hu); });
}
